// The title dialog: the title goes in and comes back, at most 80 characters, Cancel gives
// nothing back.
#include "DialogTestSupport.h"
#include "dialogs/TitleDialog.h"

#include <QLineEdit>

using namespace velmor;
using namespace velmor::test;

class TestTitleDialog : public QObject
{
    Q_OBJECT
private slots:
    void typedTitleComesBackOnOk()
    {
        bool seen = false;
        WhenModal<TitleDialog>(
            [](TitleDialog* d) {
                auto* edit = Control<QLineEdit>(d, "169");
                QVERIFY(edit);
                QCOMPARE(edit->text(), QStringLiteral("Nouvelle structure"));
                edit->selectAll();
                // Key clicks carry ASCII only; the accented letters come as input-method text.
                QTest::keyClicks(edit, QStringLiteral("Portique "));
                edit->insert(QString::fromUtf8("à deux é"));
                QTest::keyClicks(edit, QStringLiteral("tages"));
                QVERIFY(Shoot(d, QStringLiteral("dialog_433_title")));
                Click(d, "1");
            },
            &seen);
        QString title = QStringLiteral("Nouvelle structure");
        QVERIFY(TitleDialog::Edit(title));
        QVERIFY(seen);
        QCOMPARE(title, QString::fromUtf8("Portique à deux étages"));
    }

    // A title of `given` letters 'a', then "bbb" typed at its end.
    void titleIsCutAtEightyCharacters_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << 10 << QString(10, QLatin1Char('a')) + QStringLiteral("bbb");
        QTest::newRow("room for one") << 79 << QString(79, QLatin1Char('a')) + QStringLiteral("b");
        QTest::newRow("exactly 80") << 80 << QString(80, QLatin1Char('a'));
        QTest::newRow("too long") << 200 << QString(80, QLatin1Char('a'));
    }
    void titleIsCutAtEightyCharacters()
    {
        QFETCH(int, given);
        QFETCH(QString, expected);
        TitleDialog dialog(QString(given, QLatin1Char('a')));
        QCOMPARE(dialog.objectName(), QStringLiteral("433"));
        dialog.show();
        auto* edit = Control<QLineEdit>(&dialog, "169");
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("bbb"));
        Click(&dialog, "1");
        QCOMPARE(dialog.Title(), expected);
    }

    void cancelGivesNothingBack()
    {
        WhenModal<TitleDialog>([](TitleDialog* d) {
            QTest::keyClicks(Control<QLineEdit>(d, "169"), QStringLiteral("xyz"));
            Click(d, "2");
        });
        QString title = QStringLiteral("Poutre continue");
        QVERIFY(!TitleDialog::Edit(title));
        QCOMPARE(title, QStringLiteral("Poutre continue"));
    }
};

QTEST_MAIN(TestTitleDialog)
#include "tst_titledialog.moc"
