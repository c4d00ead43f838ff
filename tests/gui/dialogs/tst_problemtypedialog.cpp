// The problem-type dialog: the current type is selected on opening, a click on a type sets the
// degrees of freedom per node at once, OK closes only once a type is chosen and returns it,
// Cancel keeps the type and the degrees of freedom of before, help asks for the context.
#include "DialogTestSupport.h"
#include "dialogs/ProblemTypeDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QRadioButton>
#include <QSignalSpy>

using namespace velmor;
using namespace velmor::test;

class TestProblemTypeDialog : public QObject
{
    Q_OBJECT
private slots:
    void labelsAndTitle()
    {
        ProblemTypeDialog dialog(0);
        QCOMPARE(dialog.objectName(), QStringLiteral("415"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Type de la structure"));
        QCOMPARE(Control<QRadioButton>(&dialog, "254")->text(),
                 QString::fromUtf8("POUTRES :     Structures réticulaires unidimensionnelles"));
        QCOMPARE(Control<QRadioButton>(&dialog, "255")->text(),
                 QString::fromUtf8("PORTIQUES : Structures réticulaires bidimensionnelles"));
        QVERIFY(Control<QRadioButton>(&dialog, "256"));
        QVERIFY(Control<QRadioButton>(&dialog, "257"));
    }

    void currentTypeIsSelected_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("checked"); // empty: none
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("beams") << 1 << QStringLiteral("254");
        QTest::newRow("plane frame") << 2 << QStringLiteral("255");
        QTest::newRow("space frame") << 3 << QStringLiteral("256");
        QTest::newRow("space truss") << 4 << QStringLiteral("257");
        QTest::newRow("unknown") << 9 << QString();
    }
    void currentTypeIsSelected()
    {
        QFETCH(int, type);
        QFETCH(QString, checked);
        ProblemTypeDialog dialog(type);
        for (auto* button : dialog.findChildren<QRadioButton*>())
            QCOMPARE(button->isChecked(), button->objectName() == checked);
        QCOMPARE(dialog.Chosen(), checked.isEmpty() ? 0 : type);
    }

    void clickChoosesTheType_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("type");
        QTest::newRow("beams") << QStringLiteral("254") << 1;
        QTest::newRow("plane frame") << QStringLiteral("255") << 2;
        QTest::newRow("space frame") << QStringLiteral("256") << 3;
        QTest::newRow("space truss") << QStringLiteral("257") << 4;
    }
    void clickChoosesTheType()
    {
        QFETCH(QString, button);
        QFETCH(int, type);
        int chosenBeforeOk = -1;
        WhenModal<ProblemTypeDialog>([&](ProblemTypeDialog* d) {
            auto* radio = Control<QRadioButton>(d, qPrintable(button));
            // On the indicator, which is always inside the button's click area.
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
            chosenBeforeOk = d->Chosen();
            Click(d, "1");
        });
        QCOMPARE(ProblemTypeDialog::Choose(type == 1 ? 2 : 1), type);
        QCOMPARE(chosenBeforeOk, type);
    }

    void okWaitsForAType()
    {
        RecordingMessages messages;
        ProblemTypeDialog dialog(0);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_415_problem_type")));
        Click(&dialog, "1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.beeps, 1);
        QCOMPARE(dialog.Type(), 0);

        Control<QRadioButton>(&dialog, "257")->click();
        Click(&dialog, "1");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Type(), 4);
    }

    void okWithThePreselectedTypeReturnsIt()
    {
        ProblemTypeDialog dialog(3);
        dialog.show();
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Type(), 3);
    }

    void cancelKeepsTheType_data()
    {
        QTest::addColumn<int>("opened");
        QTest::newRow("fresh structure") << 0;
        QTest::newRow("plane frame") << 2;
        QTest::newRow("beams") << 1;
    }
    void cancelKeepsTheType()
    {
        QFETCH(int, opened);
        WhenModal<ProblemTypeDialog>([](ProblemTypeDialog* d) {
            Control<QRadioButton>(d, "256")->click();
            Click(d, "2");
        });
        QCOMPARE(ProblemTypeDialog::Choose(opened), opened);
    }

    void helpAsksForTheDialogsContext()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        ProblemTypeDialog dialog(1);
        dialog.show();
        Click(&dialog, "108");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131487));
    }
};

QTEST_MAIN(TestProblemTypeDialog)
#include "tst_problemtypedialog.moc"
