// The options dialog: each check box shows its option and sits in its group, OK gives back all
// sixteen slots with "Changer charges locales" forced off without "Orientation poutre i - j",
// the file-form box is there but hidden, Cancel gives nothing back, help asks for the context.
#include "DialogTestSupport.h"
#include "dialogs/OptionsDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalSpy>

using namespace velmor;
using namespace velmor::test;

namespace {

struct Box
{
    int option;
    const char* id;
    const char* label;
    const char* group; // the nearest enclosing group
};

const Box kBoxes[] = {
    {OPT_DRAW_3D, "248", "Dessins en 3D", "Vue"},
    {OPT_BEAM_WITH_ORIENTATION, "209", "Poutre avec orientation", "Entrée des données"},
    {OPT_COORDINATE_ENTRY, "188", "Entrée par coordonnées", "Entrée des données"},
    {OPT_BLACK_BACKGROUND, "152", "Fond noir", "Vue"},
    {OPT_DRAW_LIMITS, "168", "Dessiner limites", "Vue"},
    {OPT_BEAM_SECTION_COLOUR, "233", "Poutre + couleur de section", "Vue"},
    {OPT_ORIENT_I_J, "208", "Orientation poutre i - j (i < j)", "Calcul"},
    {OPT_CHANGE_LOCAL_LOADS, "153", "Changer charges locales", "Calcul"},
    {OPT_SHOW_NODES, "231", "Noeuds", "Voir"},
    {OPT_SHOW_BEAMS, "235", "Poutres", "Voir"},
    {OPT_SHOW_SECTIONS, "234", "Sections", "Voir"},
    {OPT_SHOW_LOADS, "230", "Charges", "Voir"},
    {OPT_SHOW_SUPPORTS, "229", "Appuis", "Voir"},
    {OPT_SHOW_ORIENTATION, "232", "Orientation", "Voir"},
    {OPT_TEXT_FORMAT, "350", "En format texte", "Enregistrer"},
    // Beyond the block: the labels of the drawing.
    {OPT_NODE_NUMBERS, "labelNodes", "Numéros des noeuds", "Étiquettes"},
    {OPT_BEAM_NUMBERS, "labelBeams", "Numéros des poutres", "Étiquettes"},
    {OPT_LOAD_VALUES, "labelLoads", "Valeurs des charges", "Étiquettes"},
};

QString EnclosingGroup(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* group = qobject_cast<QGroupBox*>(p))
            return group->title();
    }
    return QString();
}

// A block that differs from the defaults in every slot the user can reach.
ProgramOptions Flipped()
{
    ProgramOptions o;
    for (int i = 0; i < kAllOptionCount; ++i) {
        if (i != OPT_SPARE && i != OPT_TEXT_FORMAT)
            o.Set(i, !o.IsOn(i));
    }
    return o;
}

} // namespace

class TestOptionsDialog : public QObject
{
    Q_OBJECT
private slots:
    void boxesShowTheirOptionInTheirGroup()
    {
        const ProgramOptions options = Flipped();
        OptionsDialog dialog(options);
        QCOMPARE(dialog.objectName(), QStringLiteral("414"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
        QCOMPARE(dialog.findChildren<QCheckBox*>().size(), qsizetype(18));
        for (const Box& b : kBoxes) {
            auto* box = Control<QCheckBox>(&dialog, b.id);
            QVERIFY2(box, b.id);
            QCOMPARE(box->text(), QString::fromUtf8(b.label));
            QCOMPARE(box->isChecked(), options.IsOn(b.option));
            QCOMPARE(EnclosingGroup(box), QString::fromUtf8(b.group));
            QCOMPARE(OptionsDialog::ControlId(b.option), QString::fromLatin1(b.id).toInt());
        }
        auto* voir = Control<QGroupBox>(&dialog, "groupVoir");
        QVERIFY(voir);
        QCOMPARE(EnclosingGroup(voir), QStringLiteral("Vue"));
    }

    void fileFormBoxIsPresentButHidden()
    {
        OptionsDialog dialog{ProgramOptions()};
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_414_options")));
        auto* box = Control<QCheckBox>(&dialog, "350");
        QVERIFY(box);
        QVERIFY(!box->isVisible());
        QVERIFY(!Control<QGroupBox>(&dialog, "groupEnregistrer")->isVisible());
        for (const Box& b : kBoxes) {
            if (b.option != OPT_TEXT_FORMAT)
                QVERIFY2(Control<QCheckBox>(&dialog, b.id)->isVisible(), b.id);
        }
    }

    void okGivesBackEverySlot()
    {
        ProgramOptions given;
        given.Slots()[OPT_SPARE] = 42;
        given.Set(OPT_TEXT_FORMAT, false);
        bool seen = false;
        WhenModal<OptionsDialog>(
            [](OptionsDialog* d) {
                for (const char* id : {"248", "152", "168", "231", "208", "153"})
                    Control<QCheckBox>(d, id)->click();
                Click(d, "1");
            },
            &seen);
        ProgramOptions options = given;
        QVERIFY(OptionsDialog::Edit(options));
        QVERIFY(seen);

        ProgramOptions expected = given;
        for (int option : {OPT_DRAW_3D, OPT_BLACK_BACKGROUND, OPT_DRAW_LIMITS, OPT_SHOW_NODES,
                           OPT_ORIENT_I_J, OPT_CHANGE_LOCAL_LOADS})
            expected.Set(option, !given.IsOn(option));
        QCOMPARE(options.Slots(), expected.Slots());
        QCOMPARE(options.Slot(OPT_SPARE), 42);
        QVERIFY(!options.TextForm());
    }

    void changeLocalLoadsNeedsBeamOrientation_data()
    {
        QTest::addColumn<bool>("orientIJ");
        QTest::addColumn<bool>("changeLoads");
        QTest::addColumn<bool>("changeLoadsAfter");
        QTest::newRow("both off") << false << false << false;
        QTest::newRow("loads alone forced off") << false << true << false;
        QTest::newRow("orientation alone") << true << false << false;
        QTest::newRow("both on") << true << true << true;
    }
    void changeLocalLoadsNeedsBeamOrientation()
    {
        QFETCH(bool, orientIJ);
        QFETCH(bool, changeLoads);
        QFETCH(bool, changeLoadsAfter);
        OptionsDialog dialog{ProgramOptions()};
        dialog.show();
        Control<QCheckBox>(&dialog, "208")->setChecked(orientIJ);
        Control<QCheckBox>(&dialog, "153")->setChecked(changeLoads);
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Options().IsOn(OPT_ORIENT_I_J), orientIJ);
        QCOMPARE(dialog.Options().IsOn(OPT_CHANGE_LOCAL_LOADS), changeLoadsAfter);
    }

    void cancelGivesNothingBack()
    {
        WhenModal<OptionsDialog>([](OptionsDialog* d) {
            Control<QCheckBox>(d, "152")->click();
            Click(d, "2");
        });
        ProgramOptions options;
        QVERIFY(!OptionsDialog::Edit(options));
        QCOMPARE(options, ProgramOptions());
    }

    void helpAsksForTheDialogsContext()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        OptionsDialog dialog{ProgramOptions()};
        dialog.show();
        Click(&dialog, "107");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(0x20000 + 414));
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
