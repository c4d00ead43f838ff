// The work-box dialog: corners and steps go in and come back, typed values are taken as they
// are (no range check), a value that is not a number keeps the dialog open, the y and z fields
// follow the problem type, Cancel gives nothing back, and help asks for the dialog's context.
#include "DialogTestSupport.h"
#include "dialogs/WorkBoxDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <cstring>

using namespace velmor;
using namespace velmor::test;

namespace {

const Mfx3dBox kDefaultBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(5, 5, 2.5));
const Mfx3dPoint kDefaultStep(0.05, 0.05, 0.025);

struct Field
{
    const char* id;
    const char* label;
    int axis; // 0 x, 1 y, 2 z
};

const Field kFields[] = {
    {"120", "X min.", 0}, {"119", "X max.", 0}, {"116", "d X", 0},
    {"122", "Y min.", 1}, {"121", "Y max.", 1}, {"117", "d Y", 1},
    {"124", "Z min.", 2}, {"123", "Z max.", 2}, {"118", "d Z", 2},
};

void Type(QWidget* dialog, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestWorkBoxDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsTheBoxAndTheStep()
    {
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, 3);
        QCOMPARE(dialog.objectName(), QStringLiteral("409"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Cotes (Minimum / Maximum)"));
        const std::pair<const char*, const char*> shown[] = {
            {"120", "0"},    {"122", "0"},    {"124", "0"},     {"119", "5"},     {"121", "5"},
            {"123", "2.5"},  {"116", "0.05"}, {"117", "0.05"},  {"118", "0.025"},
        };
        for (const auto& [id, text] : shown)
            QCOMPARE(Control<QLineEdit>(&dialog, id)->text(), QString::fromLatin1(text));

        QStringList groups;
        for (auto* group : dialog.findChildren<QGroupBox*>())
            groups << group->title();
        QCOMPARE(groups, (QStringList{QString::fromUtf8("Entrée des valeurs minimales et maximales"),
                                      QStringLiteral("Valeur des pas")}));
    }

    void eachFieldHasItsLabel()
    {
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, 3);
        for (const Field& f : kFields) {
            QString label;
            for (auto* l : dialog.findChildren<QLabel*>()) {
                if (l->buddy() == Control<QLineEdit>(&dialog, f.id))
                    label = l->text();
            }
            QCOMPARE(label, QString::fromLatin1(f.label));
        }
    }

    void fieldsFollowTheProblemType_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("continuous beam") << 1;
        QTest::newRow("plane frame") << 2;
        QTest::newRow("space frame") << 3;
        QTest::newRow("space truss") << 4;
    }
    void fieldsFollowTheProblemType()
    {
        QFETCH(int, type);
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, type);
        for (const Field& f : kFields)
            QVERIFY2(Control<QLineEdit>(&dialog, f.id)->isEnabled() == (type > f.axis), f.id);
    }

    void typedValuesComeBackOnOk()
    {
        bool seen = false;
        WhenModal<WorkBoxDialog>(
            [](WorkBoxDialog* d) {
                QVERIFY(Shoot(d, QStringLiteral("dialog_409_work_box")));
                Type(d, "120", QStringLiteral("-1"));
                Type(d, "122", QStringLiteral("-2,5")); // decimal comma
                Type(d, "124", QStringLiteral("0.5"));
                Type(d, "119", QStringLiteral("10"));
                Type(d, "121", QStringLiteral("4"));
                Type(d, "123", QStringLiteral("3"));
                Type(d, "116", QStringLiteral("0.5"));
                Type(d, "117", QStringLiteral(" 0.25 "));
                Type(d, "118", QStringLiteral("1e-1"));
                Click(d, "1");
            },
            &seen);
        Mfx3dBox box = kDefaultBox;
        Mfx3dPoint step = kDefaultStep;
        QVERIFY(WorkBoxDialog::Edit(box, step, 3));
        QVERIFY(seen);
        QCOMPARE(box.MinCorner(), Mfx3dPoint(-1, -2.5, 0.5));
        QCOMPARE(box.MaxCorner(), Mfx3dPoint(10, 4, 3));
        QCOMPARE(box.BaseCentre(), Mfx3dPoint(4.5, 0.75, 0.5));
        QCOMPARE(step, Mfx3dPoint(0.5, 0.25, 0.1));
    }

    void untouchedValuesComeBackBitForBit()
    {
        const Mfx3dBox box(Mfx3dPoint(0.1 + 0.2, -1.0 / 3.0, 1e-7), Mfx3dPoint(2.0 / 3.0, 7, 1e300));
        const Mfx3dPoint step(0.1 * 3, 0.05, 1.0 / 7.0);
        WorkBoxDialog dialog(box, step, 2); // z disabled, still returned
        dialog.show();
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(SameBits(dialog.Box().MinCorner().x, box.MinCorner().x));
        QVERIFY(SameBits(dialog.Box().MinCorner().y, box.MinCorner().y));
        QVERIFY(SameBits(dialog.Box().MinCorner().z, box.MinCorner().z));
        QVERIFY(SameBits(dialog.Box().MaxCorner().x, box.MaxCorner().x));
        QVERIFY(SameBits(dialog.Box().MaxCorner().z, box.MaxCorner().z));
        QVERIFY(SameBits(dialog.Step().x, step.x));
        QVERIFY(SameBits(dialog.Step().z, step.z));
    }

    void maximumBelowItsMinimumIsRefused()
    {
        RecordingMessages messages;
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, 3);
        dialog.show();
        Type(&dialog, "120", QStringLiteral("8"));  // minimum above the maximum
        Type(&dialog, "116", QStringLiteral("0"));  // no grid: the user's choice
        Type(&dialog, "117", QStringLiteral("-1")); // negative step: the user's choice
        Click(&dialog, "1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages.texts[0]),
                 QString::fromUtf8("Le maximum doit être supérieur ou égal au minimum."));
        QCOMPARE(dialog.Box().MinCorner().x, 0.0); // nothing taken yet

        // A flat box is normal for plane problems.
        Type(&dialog, "120", QStringLiteral("5"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Box().MinCorner().x, 5.0);
        QCOMPARE(dialog.Box().MaxCorner().x, 5.0);
        QCOMPARE(dialog.Step(), Mfx3dPoint(0, -1, 0.025));
    }

    void textThatIsNotANumberKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("empty") << QString();
        QTest::newRow("trailing junk") << QStringLiteral("1.5m");
        QTest::newRow("infinity") << QStringLiteral("inf");
        QTest::newRow("not a number") << QStringLiteral("nan");
    }
    void textThatIsNotANumberKeepsTheDialogOpen()
    {
        QFETCH(QString, text);
        RecordingMessages messages;
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, 3);
        dialog.show();
        Type(&dialog, "119", QStringLiteral("9"));
        Type(&dialog, "118", text);
        Click(&dialog, "1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(dialog.focusWidget(), Control<QLineEdit>(&dialog, "118"));
        QCOMPARE(dialog.Box().MaxCorner().x, 5.0); // nothing taken yet

        Type(&dialog, "118", QStringLiteral("0.5"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Box().MaxCorner().x, 9.0);
        QCOMPARE(dialog.Step().z, 0.5);
    }

    void cancelGivesNothingBack()
    {
        WhenModal<WorkBoxDialog>([](WorkBoxDialog* d) {
            Type(d, "119", QStringLiteral("50"));
            Click(d, "2");
        });
        Mfx3dBox box = kDefaultBox;
        Mfx3dPoint step = kDefaultStep;
        QVERIFY(!WorkBoxDialog::Edit(box, step, 3));
        QCOMPARE(box.MaxCorner(), kDefaultBox.MaxCorner());
        QCOMPARE(step, kDefaultStep);
    }

    void helpAsksForTheDialogsContext()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        WorkBoxDialog dialog(kDefaultBox, kDefaultStep, 1);
        dialog.show();
        Click(&dialog, "105");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131481));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestWorkBoxDialog)
#include "tst_workboxdialog.moc"
