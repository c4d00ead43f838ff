#include "DialogFields.h"

#include "numeric/Mfx3dPoint.h"
#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>

#include <cmath>

namespace velmor {

QString FormatNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool ParseNumber(const QString& text, double& value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok); // C locale: '.' only, no group separators
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QLineEdit* MakeNumberEdit(const char* controlId, double value, QWidget* parent)
{
    auto* edit = new QLineEdit(FormatNumber(value), parent);
    edit->setObjectName(QString::fromLatin1(controlId));
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

bool ReadNumberEdits(QLineEdit* const* edits, double* values, int count)
{
    QList<double> read;
    for (int i = 0; i < count; ++i) {
        double v = values[i];
        if (!ParseNumber(edits[i]->text(), v)) {
            ShowMessage("Entrez un nombre.", MessageIcon::Warning);
            edits[i]->setFocus();
            edits[i]->selectAll();
            return false;
        }
        read.append(v);
    }
    for (int i = 0; i < count; ++i)
        values[i] = read[i];
    return true;
}

double& PointComponent(Mfx3dPoint& point, int axis)
{
    return axis == 0 ? point.x : axis == 1 ? point.y : point.z;
}

bool ReadPointEdits(QLineEdit* const* edits, Mfx3dPoint* points, int pointCount)
{
    QList<double> v;
    for (int i = 0; i < 3 * pointCount; ++i)
        v.append(PointComponent(points[i / 3], i % 3));
    if (!ReadNumberEdits(edits, v.data(), 3 * pointCount))
        return false;
    for (int i = 0; i < 3 * pointCount; ++i)
        PointComponent(points[i / 3], i % 3) = v[i];
    return true;
}

QDialogButtonBox* MakeButtons(QDialog* dialog, bool withCancel, const char* helpId,
                              quint32 helpContext)
{
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    if (withCancel) {
        QPushButton* cancel = box->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("2"));
    }
    if (helpId) {
        QPushButton* help = box->addButton(QStringLiteral("Aide"), QDialogButtonBox::HelpRole);
        help->setObjectName(QString::fromLatin1(helpId));
        help->setAutoDefault(false);
        QObject::connect(box, &QDialogButtonBox::helpRequested, dialog,
                         [helpContext] { MessageHub::Instance().RequestHelp(helpContext); });
    }
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

void SetCloseOnly(QDialogButtonBox* box, bool closeOnly)
{
    if (auto* ok = box->findChild<QPushButton*>(QStringLiteral("1")))
        ok->setVisible(!closeOnly);
    if (auto* cancel = box->findChild<QPushButton*>(QStringLiteral("2"))) {
        cancel->setText(closeOnly ? QStringLiteral("Fermer") : QStringLiteral("Annuler"));
        cancel->setDefault(closeOnly);
    }
}

void AddNumberRow(QGridLayout* grid, int row, int column, const char* label, QLineEdit* edit,
                  const char* unit)
{
    auto* text = new QLabel(QString::fromUtf8(label), edit->parentWidget());
    text->setBuddy(edit);
    grid->addWidget(text, row, column);
    grid->addWidget(edit, row, column + 1);
    if (unit)
        grid->addWidget(new QLabel(QString::fromUtf8(unit), edit->parentWidget()), row, column + 2);
}

QToolButton* MakePictureButton(const char* controlId, const QIcon& icon, const QSize& size,
                               const QString& toolTip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(controlId));
    button->setIcon(icon);
    button->setIconSize(size);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setToolTip(toolTip);
    return button;
}

} // namespace velmor
