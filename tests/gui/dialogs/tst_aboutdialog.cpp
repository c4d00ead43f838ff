// The about box: icon, name and version, closed by OK.
#include "DialogTestSupport.h"
#include "dialogs/AboutDialog.h"

#include <QLabel>

using namespace velmor;
using namespace velmor::test;

class TestAboutDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsNameVersionAndIconAndClosesWithOk()
    {
        bool seen = false;
        WhenModal<AboutDialog>(
            [](AboutDialog* d) {
                QCOMPARE(d->objectName(), QStringLiteral("400"));
                QVERIFY(Control<QLabel>(d, "name")->text().contains(QStringLiteral("Velmor")));
                QCOMPARE(Control<QLabel>(d, "version")->text(), QStringLiteral("Version 1.05"));
                QVERIFY(!Control<QLabel>(d, "icon")->pixmap().isNull());
                QVERIFY(Shoot(d, QStringLiteral("dialog_400_about")));
                Click(d, "1");
            },
            &seen);
        AboutDialog about;
        QCOMPARE(about.exec(), int(QDialog::Accepted));
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
