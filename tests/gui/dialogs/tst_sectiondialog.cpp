// The section and material dialog: its controls and their ids, the units it shows, the
// rectangle computed by CALC, the controls each shape and problem type enable, OK refused with
// message 61218 when the values make no section, and the read-only form.
#include "DialogTestSupport.h"
#include "dialogs/SectionDialog.h"
#include "platform/qt/shell/MessageHub.h"
#include "resources/StringTable.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace velmor;
using namespace velmor::test;

namespace {

const char* const kEdits[] = {"228", "220", "215", "221", "222", "223",
                              "218", "219", "225", "227"};

void Type(QWidget* dialog, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QString Text(QWidget* dialog, const char* id)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    return edit ? edit->text() : QStringLiteral("<none>");
}

// A section of a space frame with every value given and none of them round in the dialog's
// units.
VelmorSeccionData SpaceSection()
{
    VelmorSeccionData r;
    r.m_number = 3;
    r.m_nShape = SHAPE_ARBITRARY;
    r.m_b = 0.3, r.m_h = 0.7, r.m_A = 0.0123, r.m_Iy = 1.0 / 3e5, r.m_Iz = 0.1 / 7;
    r.m_J = 2.2e-7, r.m_E = 2.1e11 / 3, r.m_G = 8.1e10 / 7, r.m_nu = 0.29, r.m_rho = 7850.0 / 3;
    return r;
}

} // namespace

class TestSectionDialog : public QObject
{
    Q_OBJECT
private slots:
    void controlsCarryTheirIds()
    {
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_SPACE_FRAME);
        QCOMPARE(dialog.objectName(), QStringLiteral("418"));
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Sections et Matériaux"));
        for (const char* id : kEdits)
            QVERIFY2(Control<QLineEdit>(&dialog, id), id);
        QVERIFY(Control<QLineEdit>(&dialog, "224"));
        QCOMPARE(Control<QRadioButton>(&dialog, "226")->text(), QStringLiteral("rectangulaire"));
        QCOMPARE(Control<QRadioButton>(&dialog, "214")->text(), QStringLiteral("arbitraire"));
        QCOMPARE(Control<QRadioButton>(&dialog, "216")->text(), QStringLiteral("axiale"));
        QCOMPARE(Control<QPushButton>(&dialog, "217")->text(), QStringLiteral("CALC"));
        for (const char* id : {"1", "2", "136"})
            QVERIFY2(Control<QPushButton>(&dialog, id), id);
    }

    void showsTheRecordInTheDialogsUnits()
    {
        VelmorSeccionData r;
        r.m_number = 12;
        r.m_nShape = SHAPE_ARBITRARY;
        r.m_b = 0.3, r.m_h = 0.5, r.m_A = 0.15, r.m_Iy = 0.003125, r.m_Iz = 0.001125;
        r.m_J = 0.00425, r.m_E = 2.1e11, r.m_G = 8e10, r.m_nu = 0.25, r.m_rho = 7850;
        SectionDialog dialog(r, PROBLEM_SPACE_FRAME);
        QCOMPARE(Text(&dialog, "224"), QStringLiteral("12"));
        QCOMPARE(Text(&dialog, "228"), QStringLiteral("30"));
        QCOMPARE(Text(&dialog, "220"), QStringLiteral("50"));
        QCOMPARE(Text(&dialog, "215"), QStringLiteral("1500"));
        QCOMPARE(Text(&dialog, "221"), QStringLiteral("312500"));
        QCOMPARE(Text(&dialog, "222"), QStringLiteral("112500"));
        QCOMPARE(Text(&dialog, "223"), QStringLiteral("425000"));
        QCOMPARE(Text(&dialog, "218"), QStringLiteral("21000000"));
        QCOMPARE(Text(&dialog, "219"), QStringLiteral("8000000"));
        QCOMPARE(Text(&dialog, "225"), QStringLiteral("0.25"));
        QCOMPARE(Text(&dialog, "227"), QStringLiteral("0.00785"));
        QVERIFY(Control<QRadioButton>(&dialog, "214")->isChecked());
    }

    // SI in, SI out: what the user did not touch comes back bit for bit, what he typed is the
    // nearest SI value.
    void untouchedValuesComeBackBitForBit()
    {
        const VelmorSeccionData original = SpaceSection();
        SectionDialog dialog(original, PROBLEM_SPACE_FRAME);
        dialog.show();
        Type(&dialog, "227", QStringLiteral("0,00785"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const VelmorSeccionData& r = dialog.Record();
        QCOMPARE(r.m_rho, 7850.0);
        QVERIFY(r.m_b == original.m_b && r.m_h == original.m_h && r.m_A == original.m_A);
        QVERIFY(r.m_Iy == original.m_Iy && r.m_Iz == original.m_Iz && r.m_J == original.m_J);
        QVERIFY(r.m_E == original.m_E && r.m_G == original.m_G && r.m_nu == original.m_nu);
        QCOMPARE(r.m_nShape, int(SHAPE_ARBITRARY));
        QCOMPARE(r.m_number, 3);
    }

    void calcDerivesTheRectangle()
    {
        RecordingMessages messages;
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_PLANE_FRAME);
        dialog.show();
        QVERIFY(Control<QRadioButton>(&dialog, "226")->isChecked());
        Type(&dialog, "228", QStringLiteral("30"));
        Type(&dialog, "220", QStringLiteral("50"));
        Type(&dialog, "218", QStringLiteral("2.1e7"));
        Click(&dialog, "217");
        QVERIFY(dialog.IsValid());
        QVERIFY(messages.texts.empty());
        QCOMPARE(Text(&dialog, "215"), QStringLiteral("1500"));
        QCOMPARE(Text(&dialog, "221"), QStringLiteral("312500"));
        QCOMPARE(Text(&dialog, "222"), QStringLiteral("112500"));
        QCOMPARE(Text(&dialog, "223"), QStringLiteral("425000"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Record().m_A, 0.15);
        QCOMPARE(dialog.Record().m_Iy, 0.003125);
        QCOMPARE(dialog.Record().m_b, 0.3);
        QCOMPARE(dialog.Record().m_E, 2.1e11);
        QCOMPARE(dialog.Record().m_nShape, int(SHAPE_RECTANGULAR));
    }

    void spaceFrameShearModulusFromPoisson()
    {
        RecordingMessages messages;
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_SPACE_FRAME);
        dialog.show();
        Type(&dialog, "228", QStringLiteral("30"));
        Type(&dialog, "220", QStringLiteral("50"));
        Type(&dialog, "218", QStringLiteral("2600000"));
        Type(&dialog, "225", QStringLiteral("0.3"));
        Click(&dialog, "217");
        QVERIFY(dialog.IsValid());
        QCOMPARE(dialog.Values().G, 2600000 / 2.6);
        QCOMPARE(Text(&dialog, "219"), QStringLiteral("1000000"));
    }

    void trussOpensAxialAndNeedsOnlyAreaAndModulus()
    {
        RecordingMessages messages;
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_SPACE_TRUSS);
        dialog.show();
        QVERIFY(Control<QRadioButton>(&dialog, "216")->isChecked());
        QVERIFY(!Control<QRadioButton>(&dialog, "226")->isEnabled());
        QVERIFY(!Control<QRadioButton>(&dialog, "214")->isEnabled());
        Type(&dialog, "215", QStringLiteral("12"));
        Type(&dialog, "218", QStringLiteral("2.1e7"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(messages.texts.empty());
        QCOMPARE(dialog.Record().m_nShape, int(SHAPE_AXIAL));
        QCOMPARE(dialog.Record().m_A, 0.0012);
    }

    // Enabled boxes after choosing a shape: b h A Iy Iz J E G nu rho.
    void enablingFollowsShapeAndProblemType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("beam rectangular") << 1 << "226" << "1100001001";
        QTest::newRow("beam arbitrary") << 1 << "214" << "0000101001";
        QTest::newRow("plane arbitrary") << 2 << "214" << "0010101001";
        QTest::newRow("plane axial") << 2 << "216" << "0010001001";
        QTest::newRow("space rectangular") << 3 << "226" << "1100001111";
        QTest::newRow("space arbitrary") << 3 << "214" << "0011111111";
        QTest::newRow("space axial") << 3 << "216" << "0010001001";
        QTest::newRow("truss axial") << 4 << "216" << "0010001001";
    }
    void enablingFollowsShapeAndProblemType()
    {
        QFETCH(int, type);
        QFETCH(QString, radio);
        QFETCH(QString, enabled);
        SectionDialog dialog(VelmorSeccionData(), type);
        dialog.show();
        // Start from another shape, so that the click changes something.
        const char* other = radio == QLatin1String("216") ? "214" : "216";
        if (auto* b = Control<QRadioButton>(&dialog, other); b->isEnabled())
            QTest::mouseClick(b, Qt::LeftButton);
        QTest::mouseClick(Control<QRadioButton>(&dialog, qPrintable(radio)), Qt::LeftButton);
        QVERIFY(Control<QRadioButton>(&dialog, qPrintable(radio))->isChecked());
        QString got;
        for (const char* id : kEdits)
            got += Control<QLineEdit>(&dialog, id)->isEnabled() ? '1' : '0';
        QCOMPARE(got, enabled);
        QVERIFY(!Control<QLineEdit>(&dialog, "224")->isEnabled());
        QCOMPARE(Control<QRadioButton>(&dialog, "216")->isEnabled(), type != 1);
    }

    // Typed values survive a change of shape.
    void shapeChangeKeepsTypedValues()
    {
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_PLANE_FRAME);
        dialog.show();
        Type(&dialog, "228", QStringLiteral("25"));
        QTest::mouseClick(Control<QRadioButton>(&dialog, "214"), Qt::LeftButton);
        QCOMPARE(Text(&dialog, "228"), QStringLiteral("25"));
        QCOMPARE(dialog.Values().shape, int(SHAPE_ARBITRARY));
    }

    void invalidSectionKeepsTheDialogOpen_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("E");
        QTest::newRow("E missing") << 2 << "30" << "0";
        QTest::newRow("b above 1e4") << 2 << "20000" << "2.1e7";
        QTest::newRow("E at 1e20") << 1 << "30" << "1e20";
    }
    void invalidSectionKeepsTheDialogOpen()
    {
        QFETCH(int, type);
        QFETCH(QString, b);
        QFETCH(QString, E);
        RecordingMessages messages;
        SectionDialog dialog(VelmorSeccionData(), type);
        dialog.show();
        Type(&dialog, "228", b);
        Type(&dialog, "220", QStringLiteral("50"));
        Type(&dialog, "218", E);
        Click(&dialog, "1");
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.IsValid());
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages.texts[0]), QString::fromUtf8(LoadString(61218)));
        QVERIFY(QString::fromStdString(messages.texts[0]).startsWith(
            QString::fromUtf8("Velmor ne peut pas créer cette section")));
        // Nothing was written back.
        QCOMPARE(dialog.Record().m_E, 0.0);
        QCOMPARE(dialog.Record().m_b, 0.0);
        dialog.reject();
    }

    void editWritesBackOnlyOnOk()
    {
        RecordingMessages messages;
        WhenModal<SectionDialog>([](SectionDialog* d) {
            Type(d, "228", QStringLiteral("20"));
            Type(d, "220", QStringLiteral("40"));
            Type(d, "218", QStringLiteral("3e6"));
            Click(d, "1");
        });
        VelmorSeccionData record;
        QVERIFY(SectionDialog::Edit(record, PROBLEM_CONTINUOUS_BEAM));
        QCOMPARE(record.m_b, 0.2);
        QCOMPARE(record.m_h, 0.4);
        QCOMPARE(record.m_E, 3e10);
        QCOMPARE(record.m_A, 0.08);

        WhenModal<SectionDialog>([](SectionDialog* d) {
            Type(d, "228", QStringLiteral("99"));
            Click(d, "2");
        });
        QVERIFY(!SectionDialog::Edit(record, PROBLEM_CONTINUOUS_BEAM));
        QCOMPARE(record.m_b, 0.2);
    }

    void readOnlyShowsAndChangesNothing()
    {
        const VelmorSeccionData original = SpaceSection();
        SectionDialog dialog(original, PROBLEM_SPACE_FRAME, nullptr, true);
        dialog.show();
        QVERIFY(dialog.IsReadOnly());
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
            QVERIFY2(!edit->isEnabled(), qPrintable(edit->objectName()));
        for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            QVERIFY2(!radio->isEnabled(), qPrintable(radio->objectName()));
        QVERIFY(!Control<QPushButton>(&dialog, "1")->isVisible());
        QVERIFY(!Control<QPushButton>(&dialog, "217")->isVisible());
        QCOMPARE(Control<QPushButton>(&dialog, "2")->text(), QStringLiteral("Fermer"));
        QCOMPARE(Text(&dialog, "228"), QStringLiteral("30"));
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_418_section_readonly")));
        Click(&dialog, "2");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // Back to editing.
        dialog.SetReadOnly(false);
        QVERIFY(Control<QLineEdit>(&dialog, "221")->isEnabled());
        QVERIFY(!Control<QLineEdit>(&dialog, "228")->isEnabled());
    }

    void helpAsksForTheDialogsContext()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        SectionDialog dialog(VelmorSeccionData(), PROBLEM_PLANE_FRAME);
        dialog.show();
        Click(&dialog, "136");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(131490));
    }

    void screenshot()
    {
        RecordingMessages messages;
        VelmorSeccionData r;
        r.m_number = 2;
        r.m_nShape = SHAPE_RECTANGULAR;
        r.m_b = 0.3, r.m_h = 0.5, r.m_E = 2.1e11, r.m_nu = 0.3, r.m_rho = 2500;
        SectionDialog dialog(r, PROBLEM_SPACE_FRAME);
        dialog.show();
        Click(&dialog, "217");
        QVERIFY(dialog.IsValid());
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_418_section")));
    }
};

QTEST_MAIN(TestSectionDialog)
#include "tst_sectiondialog.moc"
