#include "DialogFields.h"

#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QPushButton>

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

} // namespace velmor
