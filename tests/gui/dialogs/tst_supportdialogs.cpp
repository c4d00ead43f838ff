// The support dialogs: the boundary-condition dialog with its support pictures, the supports
// each problem type offers, the restraints, orientation and settlements a choice sets, the
// settlement and spring dialogs behind "Valeurs", the read-only form, and the support picture
// window of the step-by-step solution.
#include "DialogTestSupport.h"
#include "dialogs/SettlementDialog.h"
#include "dialogs/SpringDialog.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/SupportPictureWindow.h"
#include "platform/qt/shell/MessageHub.h"
#include "views/core/DialogRules.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace velmor;
using namespace velmor::test;

namespace {

const char* const kPredefined[8] = {"144", "145", "146", "147", "148", "149", "150", "151"};
const char* const kChecks[6] = {"165", "166", "167", "140", "141", "142"};
const char* const kValueEdits[6] = {"169", "170", "171", "172", "173", "174"};

void Type(QWidget* dialog, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void Press(QWidget* dialog, const char* id)
{
    auto* button = Control<QAbstractButton>(dialog, id);
    if (!button)
        QFAIL(id);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString Enabled(QWidget* dialog, const char* const* ids, int count)
{
    QString s;
    for (int i = 0; i < count; ++i) {
        auto* w = Control<QWidget>(dialog, ids[i]);
        s += !w ? '?' : w->isEnabled() ? '1' : '0';
    }
    return s;
}

QString Checked(QWidget* dialog)
{
    QString s;
    for (const char* id : kChecks)
        s += Control<QCheckBox>(dialog, id)->isChecked() ? '1' : '0';
    return s;
}

QString Restraints(const VelmorApoyoData& r)
{
    QString s;
    for (int f : r.m_restraint)
        s += QString::number(f);
    return s;
}

// The one picture button shown pressed, or "" when none is.
QString PressedSupport(QWidget* dialog)
{
    QString pressed;
    for (QToolButton* b : dialog->findChildren<QToolButton*>())
        if (b->isChecked())
            pressed += b->objectName();
    return pressed;
}

} // namespace

class TestSupportDialogs : public QObject
{
    Q_OBJECT
private slots:
    void controlsCarryTheirIds()
    {
        SupportDialog dialog(VelmorApoyoData(), PROBLEM_SPACE_FRAME);
        QCOMPARE(dialog.objectName(), QStringLiteral("403"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Conditions aux Limites"));
        for (const char* id : {"144", "145", "146", "147", "148", "149", "150", "151", "143",
                               "200", "198"}) {
            auto* button = Control<QToolButton>(&dialog, id);
            QVERIFY2(button, id);
            QVERIFY2(!button->icon().isNull(), id);
        }
        for (const char* id : {"199", "201", "1", "2", "100"})
            QVERIFY2(Control<QPushButton>(&dialog, id), id);
        QCOMPARE(Control<QPushButton>(&dialog, "199")->text(), QStringLiteral("Valeurs"));
        const char* labels[6] = {"Translation X", "Translation Y", "Translation Z",
                                 "Rotation X",    "Rotation Y",    "Rotation Z"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(Control<QCheckBox>(&dialog, kChecks[i])->text(), QString::fromLatin1(labels[i]));
    }

    void supportsOfferedByProblemType_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("predefined");  // 144 .. 151
        QTest::addColumn<bool>("userDefined");
        QTest::newRow("continuous beam") << 1 << "11000000" << false;
        QTest::newRow("plane frame") << 2 << "11000110" << false;
        QTest::newRow("space frame") << 3 << "11111111" << true;
        QTest::newRow("space truss") << 4 << "01000111" << false;
    }
    void supportsOfferedByProblemType()
    {
        QFETCH(int, problem);
        QFETCH(QString, predefined);
        QFETCH(bool, userDefined);
        SupportDialog dialog(VelmorApoyoData(), problem);
        QCOMPARE(Enabled(&dialog, kPredefined, 8), predefined);
        QCOMPARE(Control<QToolButton>(&dialog, "143")->isEnabled(), userDefined);
        QVERIFY(Control<QToolButton>(&dialog, "200")->isEnabled());
        QVERIFY(!Control<QPushButton>(&dialog, "201")->isEnabled());
        QVERIFY(!Control<QPushButton>(&dialog, "199")->isEnabled());
    }

    void predefinedSupportSetsRestraintsAndOrientation_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("flags");
        QTest::newRow("beam fixed") << 1 << "144" << "111111";
        QTest::newRow("beam pinned") << 1 << "145" << "111000";
        QTest::newRow("plane roller x") << 2 << "149" << "100000";
        QTest::newRow("plane roller y") << 2 << "150" << "010000";
        QTest::newRow("space hinge y") << 3 << "147" << "111101";
        QTest::newRow("truss roller z") << 4 << "151" << "001000";
    }
    void predefinedSupportSetsRestraintsAndOrientation()
    {
        QFETCH(int, problem);
        QFETCH(QString, button);
        QFETCH(QString, flags);
        SupportDialog dialog(VelmorApoyoData(), problem);
        dialog.show();
        Press(&dialog, qPrintable(button));
        QCOMPARE(PressedSupport(&dialog), button);
        QCOMPARE(Checked(&dialog), flags);
        const int type = button.toInt() - 143;
        QCOMPARE(dialog.Record().m_nType, type);
        MfxTMatrix expected;
        QVERIFY(VelmorApoyoData::OrientationFor(type, problem, expected));
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(dialog.Record().m_orientation(i, j), expected(i, j));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Restraints(dialog.Record()), flags);
    }

    // A settlement through MOVE and "Valeurs" 199, then a predefined support clears it.
    void settlementsAndTheirClearing()
    {
        SupportDialog dialog(VelmorApoyoData(), PROBLEM_PLANE_FRAME);
        dialog.show();
        Press(&dialog, "198");  // no type yet: nothing happens
        QVERIFY(!Control<QPushButton>(&dialog, "199")->isEnabled());
        Press(&dialog, "150");  // roller holding y
        Press(&dialog, "198");
        QVERIFY(dialog.SettlementForced());
        QVERIFY(Control<QPushButton>(&dialog, "199")->isEnabled());
        bool seen = false;
        WhenModal<SettlementDialog>(
            [](SettlementDialog* d) {
                QCOMPARE(d->objectName(), QStringLiteral("401"));
                QCOMPARE(d->windowTitle(), QString::fromUtf8("Descente de l'appui"));
                // Only the restrained y of the plane frame can settle.
                QCOMPARE(Enabled(d, kValueEdits, 6), QStringLiteral("010000"));
                Type(d, "170", QStringLiteral("-0.015"));
                QVERIFY(Shoot(d, QStringLiteral("dialog_401_settlement")));
                Click(d, "1");
            },
            &seen);
        Press(&dialog, "199");
        QVERIFY(seen);
        QCOMPARE(dialog.Record().m_translation, Mfx3dPoint(0, -0.015, 0));
        QVERIFY(Control<QPushButton>(&dialog, "199")->isEnabled());
        QCOMPARE(Checked(&dialog), QStringLiteral("010000"));
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_403_support_settlement")));

        Press(&dialog, "145");
        QCOMPARE(dialog.Record().m_translation, Mfx3dPoint(0, 0, 0));
        QVERIFY(!Control<QPushButton>(&dialog, "199")->isEnabled());
        QCOMPARE(Checked(&dialog), QStringLiteral("111000"));
    }

    void springsRestrainWhereTheStiffnessIsNotZero()
    {
        SupportDialog dialog(VelmorApoyoData(), PROBLEM_PLANE_FRAME);
        dialog.show();
        Press(&dialog, "200");
        QCOMPARE(PressedSupport(&dialog), QStringLiteral("200"));
        QCOMPARE(dialog.Record().m_nType, int(SUPPORT_ELASTIC));
        QVERIFY(Control<QPushButton>(&dialog, "201")->isEnabled());
        bool seen = false;
        WhenModal<SpringDialog>(
            [](SpringDialog* d) {
                QCOMPARE(d->objectName(), QStringLiteral("402"));
                QCOMPARE(d->windowTitle(), QString::fromUtf8("Appui élastique (ressort)"));
                QCOMPARE(Enabled(d, kValueEdits, 6), QStringLiteral("110001"));
                Type(d, "169", QStringLiteral("0"));
                Type(d, "170", QStringLiteral("2e6"));
                Type(d, "174", QStringLiteral("5e4"));
                QVERIFY(Shoot(d, QStringLiteral("dialog_402_spring")));
                Click(d, "1");
            },
            &seen);
        Press(&dialog, "201");
        QVERIFY(seen);
        QCOMPARE(Checked(&dialog), QStringLiteral("010001"));
        QCOMPARE(Restraints(dialog.Record()), QStringLiteral("010001"));
        QCOMPARE(dialog.Record().m_springT, Mfx3dPoint(0, 2e6, 0));
        QCOMPARE(dialog.Record().m_springR, Mfx3dPoint(0, 0, 5e4));
        // The restraints of a spring are its stiffnesses, not boxes to tick.
        QVERIFY(!Control<QCheckBox>(&dialog, "165")->isEnabled());
        QVERIFY(dialog.Record().IsValid());
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_403_support_spring")));
        Click(&dialog, "1");
        QCOMPARE(Restraints(dialog.Record()), QStringLiteral("010001"));
    }

    void userDefinedRestraintsAreTheTickedBoxes()
    {
        WhenModal<SupportDialog>([](SupportDialog* d) {
            Press(d, "143");
            Press(d, "165");
            Press(d, "142");
            QCOMPARE(PressedSupport(d), QStringLiteral("143"));
            Click(d, "1");
        });
        VelmorApoyoData record;
        QVERIFY(SupportDialog::Edit(record, PROBLEM_SPACE_FRAME));
        QCOMPARE(record.m_nType, 9);
        QCOMPARE(Restraints(record), QStringLiteral("100001"));

        WhenModal<SupportDialog>([](SupportDialog* d) {
            Press(d, "144");
            Click(d, "2");
        });
        QVERIFY(!SupportDialog::Edit(record, PROBLEM_SPACE_FRAME));
        QCOMPARE(record.m_nType, 9);
    }

    void settlementDialogEnabling_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("enabled");  // dx dy dz ang x y z
        QTest::newRow("beam fixed") << 1 << 1 << "010001";
        QTest::newRow("plane fixed") << 2 << 1 << "110001";
        QTest::newRow("space fixed") << 3 << 1 << "111111";
        QTest::newRow("truss pinned") << 4 << 2 << "111000";
        QTest::newRow("beam roller x") << 1 << 6 << "000000";
    }
    void settlementDialogEnabling()
    {
        QFETCH(int, problem);
        QFETCH(int, type);
        QFETCH(QString, enabled);
        VelmorApoyoData record;
        ChooseSupportType(record, type, problem);
        SettlementDialog dialog(record, problem);
        QCOMPARE(Enabled(&dialog, kValueEdits, 6), enabled);
    }

    void springDialogEnabling_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("enabled");  // kx ky kz k ang x y z
        QTest::newRow("continuous beam") << 1 << "010001";
        QTest::newRow("plane frame") << 2 << "110001";
        QTest::newRow("space frame") << 3 << "111111";
        QTest::newRow("space truss") << 4 << "111000";
    }
    void springDialogEnabling()
    {
        QFETCH(int, problem);
        QFETCH(QString, enabled);
        SpringDialog dialog(VelmorApoyoData(), problem);
        QCOMPARE(Enabled(&dialog, kValueEdits, 6), enabled);
    }

    void valueDialogsHelpContexts()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        SettlementDialog settlement(VelmorApoyoData(), 2);
        settlement.show();
        Click(&settlement, "101");
        SpringDialog spring(VelmorApoyoData(), 2);
        spring.show();
        Click(&spring, "102");
        SupportDialog support(VelmorApoyoData(), 2);
        support.show();
        Click(&support, "100");
        QCOMPARE(help.count(), 3);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131473));
        QCOMPARE(help.at(1).at(0).value<quint32>(), quint32(131474));
        QCOMPARE(help.at(2).at(0).value<quint32>(), quint32(131480));
    }

    // The base view shows a support's data in the calculation modes: nothing can change, but
    // the spring values can still be looked at.
    void readOnlyShowsAndChangesNothing()
    {
        VelmorApoyoData record;
        ChooseSupportType(record, SUPPORT_ELASTIC, PROBLEM_PLANE_FRAME);
        ApplySprings(record, Mfx3dPoint(0, 3e6, 0), Mfx3dPoint());
        SupportDialog dialog(record, PROBLEM_PLANE_FRAME, nullptr, true);
        dialog.show();
        for (QToolButton* b : dialog.findChildren<QToolButton*>())
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        for (QCheckBox* c : dialog.findChildren<QCheckBox*>())
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        QCOMPARE(PressedSupport(&dialog), QStringLiteral("200"));
        QVERIFY(!Control<QPushButton>(&dialog, "1")->isVisible());
        QCOMPARE(Control<QPushButton>(&dialog, "2")->text(), QStringLiteral("Fermer"));
        QVERIFY(Control<QPushButton>(&dialog, "201")->isEnabled());
        bool seen = false;
        WhenModal<SpringDialog>(
            [](SpringDialog* d) {
                QVERIFY(d->IsReadOnly());
                QCOMPARE(Enabled(d, kValueEdits, 6), QStringLiteral("000000"));
                QCOMPARE(Control<QLineEdit>(d, "170")->text(), QStringLiteral("3e+06"));
                QVERIFY(!Control<QPushButton>(d, "1")->isVisible());
                Click(d, "2");
            },
            &seen);
        Press(&dialog, "201");
        QVERIFY(seen);
        QCOMPARE(dialog.Record().m_springT, Mfx3dPoint(0, 3e6, 0));
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_403_support_readonly")));
        Click(&dialog, "2");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void screenshot()
    {
        VelmorApoyoData record;
        ChooseSupportType(record, 2, PROBLEM_SPACE_FRAME);
        SupportDialog dialog(record, PROBLEM_SPACE_FRAME);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_403_support")));
    }

    // ------------------------------------------------------------ support picture window

    void pictureWindowShowsTheType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("button");
        for (int type = 1; type <= 8; ++type)
            QTest::addRow("APOYO%d", type) << type << QString::number(143 + type);
        QTest::newRow("USERDEF") << 9 << "143";
        QTest::newRow("MUELLA") << 10 << "200";
        QTest::newRow("MOVE") << 11 << "198";
    }
    void pictureWindowShowsTheType()
    {
        QFETCH(int, type);
        QFETCH(QString, button);
        SupportPictureWindow window(type, 7);
        QCOMPARE(window.objectName(), QStringLiteral("434"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Appui en un noeud 7"));
        QVERIFY(!window.isModal());
        auto* picture = Control<QToolButton>(&window, qPrintable(button));
        QVERIFY(picture);
        QVERIFY(!picture->icon().isNull());
        QVERIFY(picture->isChecked());
    }

    void pictureWindowStandsLeftAndReportsRightClicks()
    {
        QMainWindow owner;
        owner.setGeometry(200, 150, 900, 700);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        // Where a window of that size would open: centred on its owner.
        SupportPictureWindow window(2, 4, &owner);
        window.adjustSize();
        const QRect frame = owner.frameGeometry();
        const int centredX = frame.x() + (frame.width() - window.frameGeometry().width()) / 2;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.isVisible());
        QVERIFY(!window.isModal());
        QVERIFY(qAbs(window.frameGeometry().x() - (centredX - window.frameGeometry().width())) <= 2);

        QSignalSpy clicks(&window, &SupportPictureWindow::RightClicked);
        auto* picture = Control<QToolButton>(&window, "145");
        QTest::mouseClick(picture, Qt::RightButton, {}, picture->rect().center());
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(Shoot(&window, QStringLiteral("window_434_support_picture")));
    }
};

QTEST_MAIN(TestSupportDialogs)
#include "tst_supportdialogs.moc"
