// The standard dialogs speak French once the toolkit's translations are installed, as the
// program does at start-up.
#include "platform/qt/shell/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace velmor;

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(InstallFrenchTranslations(*QCoreApplication::instance()),
                 "the toolkit's French translations are installed (qt6-translations-l10n)");
    }

    void messageBoxButtons()
    {
        QMessageBox box(QMessageBox::Question, "Velmor", "?",
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
        QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("Enregistrer"));
    }

    void fileDialog()
    {
        QFileDialog dialog(nullptr, "Ouvrir", QDir::tempPath(), "Fichier Velmor (*.vlm)");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Ouvrir"));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
