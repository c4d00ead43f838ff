#include "AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmor {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("400");
    setWindowTitle(QStringLiteral("A Propos d'Velmor"));

    // The program's icon, or the platform's computer icon while the program has none.
    QIcon programIcon = QApplication::windowIcon();
    if (programIcon.isNull())
        programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    auto* icon = new QLabel(this);
    icon->setObjectName("icon");
    icon->setPixmap(programIcon.pixmap(32, 32));

    auto* name = new QLabel("<b>Velmor</b>", this);
    name->setObjectName("name");
    auto* version = new QLabel("Version 1.05", this);
    version->setObjectName("version");
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace velmor
