// The nodal-load and beam-load dialogs: control ids, the components each problem type offers,
// the values handed back, the non-empty flag, the load-type buttons with their pressed state
// and enabling, the copy of a constant load, the information boxes and the read-only form.
#include "DialogTestSupport.h"
#include "dialogs/BeamLoadDialog.h"
#include "dialogs/NodalLoadDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace velmor;
using namespace velmor::test;

namespace {

const char* const kNodalEdits[6] = {"251", "252", "253", "202", "203", "204"};
// Points 1 to 4, x y z each.
const char* const kBeamEdits[12] = {"155", "157", "159", "192", "194", "196",
                                    "156", "158", "160", "193", "195", "197"};
const char* const kTypeButtons[6] = {"161", "163", "162", "189", "191", "190"};

void Type(QWidget* dialog, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
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

QString Text(QWidget* dialog, const char* id)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    return edit ? edit->text() : QStringLiteral("<none>");
}

VelmorCargaData BeamLoad(int type)
{
    VelmorCargaData load;
    load.m_kind = KIND_BEAM_LOAD;
    load.m_nType = type;
    load.m_point[0] = Mfx3dPoint(0, -5000, 0);
    load.m_point[1] = Mfx3dPoint(0, 0, 120);
    load.m_point[2] = Mfx3dPoint(0, -8000, 0);
    load.m_point[3] = Mfx3dPoint(0, 0, 0);
    return load;
}

} // namespace

class TestLoadDialogs : public QObject
{
    Q_OBJECT
private slots:
    // ------------------------------------------------------------ nodal load

    void nodalControlsCarryTheirIds()
    {
        NodalLoadDialog dialog(VelmorCargaData(), PROBLEM_SPACE_FRAME);
        QCOMPARE(dialog.objectName(), QStringLiteral("405"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Charges sur le noeud"));
        for (const char* id : kNodalEdits)
            QVERIFY2(Control<QLineEdit>(&dialog, id), id);
        for (const char* id : {"1", "2", "103"})
            QVERIFY2(Control<QPushButton>(&dialog, id), id);
        auto* picture = Control<QLabel>(&dialog, "32880");
        QVERIFY(picture);
        QVERIFY(!picture->pixmap().isNull());
        auto* resultant = Control<QCheckBox>(&dialog, "240");
        QVERIFY(resultant);
        QCOMPARE(resultant->text(), QStringLiteral("Dessiner comme somme"));
        dialog.show();
        QVERIFY(!resultant->isVisible());
    }

    void nodalComponentsFollowTheProblemType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("enabled");  // Fx Fy Fz Mx My Mz
        QTest::newRow("continuous beam") << 1 << "010001";
        QTest::newRow("plane frame") << 2 << "110001";
        QTest::newRow("space frame") << 3 << "111111";
        QTest::newRow("space truss") << 4 << "111000";
    }
    void nodalComponentsFollowTheProblemType()
    {
        QFETCH(int, type);
        QFETCH(QString, enabled);
        NodalLoadDialog dialog(VelmorCargaData(), type);
        QCOMPARE(Enabled(&dialog, kNodalEdits, 6), enabled);
    }

    void nodalValuesComeBackWithTheNonEmptyFlag()
    {
        VelmorCargaData record;
        record.m_point[0] = Mfx3dPoint(0.1, 1.0 / 3.0, 0);
        record.m_nResultant = 0;
        NodalLoadDialog dialog(record, PROBLEM_PLANE_FRAME);
        dialog.show();
        Type(&dialog, "252", QStringLiteral("-10000"));
        Type(&dialog, "204", QStringLiteral("2,5e3"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.NonEmpty());
        const VelmorCargaData& r = dialog.Record();
        QCOMPARE(r.m_point[0], Mfx3dPoint(0.1, -10000, 0));
        QCOMPARE(r.m_point[1], Mfx3dPoint(0, 0, 2500));
        QCOMPARE(r.m_nType, int(LOAD_NODAL));
        QCOMPARE(r.m_kind, int(KIND_NODAL_LOAD));
        QCOMPARE(r.m_nResultant, 0);
    }

    void nodalLoadOfZerosLeavesTheFlagClear()
    {
        VelmorCargaData record;
        record.m_point[0] = Mfx3dPoint(0, 7, 0);
        NodalLoadDialog dialog(record, PROBLEM_CONTINUOUS_BEAM);
        dialog.show();
        Type(&dialog, "252", QStringLiteral("0"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.NonEmpty());
        QCOMPARE(dialog.Record().m_point[0], Mfx3dPoint(0, 0, 0));
    }

    void nodalEditAndReadOnly()
    {
        WhenModal<NodalLoadDialog>([](NodalLoadDialog* d) {
            Type(d, "253", QStringLiteral("-3"));
            Click(d, "1");
        });
        VelmorCargaData record;
        QVERIFY(NodalLoadDialog::Edit(record, PROBLEM_SPACE_TRUSS));
        QCOMPARE(record.m_point[0], Mfx3dPoint(0, 0, -3));

        NodalLoadDialog dialog(record, PROBLEM_SPACE_FRAME, nullptr, true);
        dialog.show();
        QCOMPARE(Enabled(&dialog, kNodalEdits, 6), QStringLiteral("000000"));
        QVERIFY(!Control<QPushButton>(&dialog, "1")->isVisible());
        QCOMPARE(Control<QPushButton>(&dialog, "2")->text(), QStringLiteral("Fermer"));
        QCOMPARE(Text(&dialog, "253"), QStringLiteral("-3"));
        Click(&dialog, "2");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void nodalHelpAndScreenshot()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        VelmorCargaData record;
        record.m_point[0] = Mfx3dPoint(2000, -15000, 0);
        record.m_point[1] = Mfx3dPoint(0, 0, 4500);
        NodalLoadDialog dialog(record, PROBLEM_PLANE_FRAME);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_405_nodal_load")));
        Click(&dialog, "103");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131477));
    }

    // ------------------------------------------------------------ beam load

    void beamControlsCarryTheirIds()
    {
        BeamLoadDialog dialog(BeamLoad(LOAD_CONSTANT_GLOBAL), PROBLEM_SPACE_FRAME,
                              LoadedBeam{7, 3, 4, 5.25});
        QCOMPARE(dialog.objectName(), QStringLiteral("406"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Charges sur la poutre"));
        for (const char* id : kBeamEdits)
            QVERIFY2(Control<QLineEdit>(&dialog, id), id);
        for (const char* id : kTypeButtons) {
            auto* button = Control<QToolButton>(&dialog, id);
            QVERIFY2(button, id);
            QVERIFY(!button->icon().isNull());
            QVERIFY(button->isCheckable());
        }
        for (const char* id : {"1", "2", "104"})
            QVERIFY2(Control<QPushButton>(&dialog, id), id);
        // The information boxes, outside the tab order.
        const std::pair<const char*, const char*> boxes[4] = {
            {"248", "7"}, {"205", "3"}, {"206", "4"}, {"247", "5.25"}};
        for (const auto& [id, text] : boxes) {
            auto* box = Control<QLineEdit>(&dialog, id);
            QVERIFY2(box, id);
            QCOMPARE(box->text(), QString::fromLatin1(text));
            QVERIFY(box->isReadOnly());
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        }
    }

    void typeButtonsSetTypeAndPressedState_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("local");
        QTest::addColumn<int>("projected");
        QTest::newRow("CONGL") << "161" << 5 << 0 << 0;
        QTest::newRow("CONLOC") << "163" << 4 << 1 << 0;
        QTest::newRow("LINGL") << "189" << 3 << 0 << 0;
        QTest::newRow("LINLOC") << "191" << 2 << 1 << 0;
        QTest::newRow("CONGL2") << "162" << 7 << 0 << 1;
        QTest::newRow("LINGL2") << "190" << 6 << 0 << 1;
    }
    void typeButtonsSetTypeAndPressedState()
    {
        QFETCH(QString, button);
        QFETCH(int, type);
        QFETCH(int, local);
        QFETCH(int, projected);
        BeamLoadDialog dialog(BeamLoad(type == 3 ? 2 : 3), PROBLEM_PLANE_FRAME);
        dialog.show();
        QTest::mouseClick(Control<QToolButton>(&dialog, qPrintable(button)), Qt::LeftButton);
        QCOMPARE(dialog.LoadType(), type);
        QCOMPARE(dialog.Record().m_nLocal, local);
        QCOMPARE(dialog.Record().m_nProjected, projected);
        QCOMPARE(dialog.Record().m_kind, int(KIND_BEAM_LOAD));
        for (const char* id : kTypeButtons)
            QCOMPARE(Control<QToolButton>(&dialog, id)->isChecked(), button == QLatin1String(id));
        // A second click keeps it pressed.
        QTest::mouseClick(Control<QToolButton>(&dialog, qPrintable(button)), Qt::LeftButton);
        QVERIFY(Control<QToolButton>(&dialog, qPrintable(button))->isChecked());
        QCOMPARE(dialog.LoadType(), type);
    }

    void valueBoxesFollowTypeAndProblemType_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("button");
        // load 1, moment 1, load 2, moment 2 (x y z each)
        QTest::addColumn<QString>("enabled");
        QTest::newRow("beam constant") << 1 << "161" << "010001000000";
        QTest::newRow("beam linear") << 1 << "189" << "010001010001";
        QTest::newRow("plane constant projected") << 2 << "162" << "010000000000";
        QTest::newRow("plane linear projected") << 2 << "190" << "010000010000";
        QTest::newRow("plane linear local") << 2 << "191" << "110001110001";
        QTest::newRow("space linear projected") << 3 << "190" << "001000001000";
        QTest::newRow("space linear") << 3 << "189" << "111111111111";
        QTest::newRow("truss constant") << 4 << "163" << "100000000000";
    }
    void valueBoxesFollowTypeAndProblemType()
    {
        QFETCH(int, problem);
        QFETCH(QString, button);
        QFETCH(QString, enabled);
        BeamLoadDialog dialog(BeamLoad(LOAD_CONSTANT_GLOBAL), problem);
        dialog.show();
        QTest::mouseClick(Control<QToolButton>(&dialog, qPrintable(button)), Qt::LeftButton);
        QCOMPARE(Enabled(&dialog, kBeamEdits, 12), enabled);
    }

    void projectedTypesOnlyInFrames_data()
    {
        QTest::addColumn<int>("problem");
        QTest::addColumn<bool>("offered");
        QTest::newRow("continuous beam") << 1 << false;
        QTest::newRow("plane frame") << 2 << true;
        QTest::newRow("space frame") << 3 << true;
        QTest::newRow("space truss") << 4 << false;
    }
    void projectedTypesOnlyInFrames()
    {
        QFETCH(int, problem);
        QFETCH(bool, offered);
        BeamLoadDialog dialog(BeamLoad(LOAD_LINEAR_GLOBAL), problem);
        QCOMPARE(Enabled(&dialog, kTypeButtons, 6),
                 offered ? QStringLiteral("111111") : QStringLiteral("110110"));
    }

    // The second node of a constant load repeats the first: disabled, showing its values, and
    // copied again on OK from what was typed at the first node.
    void constantLoadCopiesTheFirstNode()
    {
        BeamLoadDialog dialog(BeamLoad(LOAD_LINEAR_GLOBAL), PROBLEM_PLANE_FRAME);
        dialog.show();
        QCOMPARE(Text(&dialog, "158"), QStringLiteral("-8000"));
        QTest::mouseClick(Control<QToolButton>(&dialog, "161"), Qt::LeftButton);
        QVERIFY(!Control<QLineEdit>(&dialog, "158")->isEnabled());
        QCOMPARE(Text(&dialog, "158"), QStringLiteral("-5000"));
        QCOMPARE(Text(&dialog, "197"), QStringLiteral("120"));
        Type(&dialog, "157", QStringLiteral("-7000"));
        Type(&dialog, "196", QStringLiteral("35"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const VelmorCargaData& r = dialog.Record();
        QCOMPARE(r.m_nType, int(LOAD_CONSTANT_GLOBAL));
        QCOMPARE(r.m_point[0], Mfx3dPoint(0, -7000, 0));
        QCOMPARE(r.m_point[2], r.m_point[0]);
        QCOMPARE(r.m_point[1], Mfx3dPoint(0, 0, 35));
        QCOMPARE(r.m_point[3], r.m_point[1]);
    }

    void linearLoadKeepsBothNodes()
    {
        WhenModal<BeamLoadDialog>([](BeamLoadDialog* d) {
            Type(d, "157", QStringLiteral("-1000"));
            Type(d, "158", QStringLiteral("-3000"));
            Click(d, "1");
        });
        VelmorCargaData record = BeamLoad(LOAD_LINEAR_LOCAL);
        QVERIFY(BeamLoadDialog::Edit(record, PROBLEM_PLANE_FRAME, nullptr, LoadedBeam{1, 1, 2, 4}));
        QCOMPARE(record.m_nType, int(LOAD_LINEAR_LOCAL));
        QCOMPARE(record.m_point[0], Mfx3dPoint(0, -1000, 0));
        QCOMPARE(record.m_point[2], Mfx3dPoint(0, -3000, 0));
        QCOMPARE(record.m_point[1], Mfx3dPoint(0, 0, 120));
    }

    // A load without a distributed type (the editor's fresh template) starts as a constant
    // global load, so the dialog never hands back a beam load without a type.
    void untypedLoadStartsConstantGlobal()
    {
        VelmorCargaData record;
        BeamLoadDialog dialog(record, PROBLEM_PLANE_FRAME);
        QCOMPARE(dialog.LoadType(), int(LOAD_CONSTANT_GLOBAL));
        QVERIFY(Control<QToolButton>(&dialog, "161")->isChecked());
        QCOMPARE(dialog.Record().m_kind, int(KIND_BEAM_LOAD));
    }

    void beamReadOnly()
    {
        BeamLoadDialog dialog(BeamLoad(LOAD_LINEAR_GLOBAL), PROBLEM_SPACE_FRAME, LoadedBeam{},
                              nullptr, true);
        dialog.show();
        QCOMPARE(Enabled(&dialog, kBeamEdits, 12), QStringLiteral("000000000000"));
        QCOMPARE(Enabled(&dialog, kTypeButtons, 6), QStringLiteral("000000"));
        QVERIFY(Control<QToolButton>(&dialog, "189")->isChecked());
        QVERIFY(!Control<QPushButton>(&dialog, "1")->isVisible());
        QCOMPARE(Control<QPushButton>(&dialog, "2")->text(), QStringLiteral("Fermer"));
        QCOMPARE(Text(&dialog, "158"), QStringLiteral("-8000"));
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_406_beam_load_readonly")));
        Click(&dialog, "2");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void beamHelpAndScreenshot()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        BeamLoadDialog dialog(BeamLoad(LOAD_LINEAR_GLOBAL), PROBLEM_PLANE_FRAME,
                              LoadedBeam{3, 2, 5, 4.5});
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_406_beam_load")));
        Click(&dialog, "104");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131478));
    }
};

QTEST_MAIN(TestLoadDialogs)
#include "tst_loaddialogs.moc"
