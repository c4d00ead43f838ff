// The coordinate-entry dialog: y and z follow the problem type, the typed point comes back as
// typed (not scaled to unit length), a disabled coordinate keeps its value, Cancel gives
// nothing back, help asks for the dialog's context.
#include "DialogTestSupport.h"
#include "dialogs/CoordinatesDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QLineEdit>
#include <QSignalSpy>

using namespace velmor;
using namespace velmor::test;

namespace {

void Type(QWidget* dialog, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestCoordinatesDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsThePoint()
    {
        CoordinatesDialog dialog(Mfx3dPoint(1.5, -2, 0.25), 3);
        QCOMPARE(dialog.objectName(), QStringLiteral("412"));
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Entrée par coordonnées"));
        QCOMPARE(Control<QLineEdit>(&dialog, "169")->text(), QStringLiteral("1.5"));
        QCOMPARE(Control<QLineEdit>(&dialog, "170")->text(), QStringLiteral("-2"));
        QCOMPARE(Control<QLineEdit>(&dialog, "171")->text(), QStringLiteral("0.25"));
    }

    void fieldsFollowTheProblemType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("y");
        QTest::addColumn<bool>("z");
        QTest::newRow("continuous beam") << 1 << false << false;
        QTest::newRow("plane frame") << 2 << true << false;
        QTest::newRow("space frame") << 3 << true << true;
        QTest::newRow("space truss") << 4 << true << true;
    }
    void fieldsFollowTheProblemType()
    {
        QFETCH(int, type);
        QFETCH(bool, y);
        QFETCH(bool, z);
        CoordinatesDialog dialog(Mfx3dPoint(), type);
        QVERIFY(Control<QLineEdit>(&dialog, "169")->isEnabled());
        QCOMPARE(Control<QLineEdit>(&dialog, "170")->isEnabled(), y);
        QCOMPARE(Control<QLineEdit>(&dialog, "171")->isEnabled(), z);
    }

    // A node typed at (5, 0, 0) must land there, not on the unit sphere.
    void okKeepsTheTypedPoint()
    {
        bool seen = false;
        WhenModal<CoordinatesDialog>(
            [](CoordinatesDialog* d) {
                QVERIFY(Shoot(d, QStringLiteral("dialog_412_coordinates")));
                Type(d, "169", QStringLiteral("5"));
                Type(d, "170", QStringLiteral("0"));
                Type(d, "171", QStringLiteral("3,5"));
                Click(d, "1");
            },
            &seen);
        Mfx3dPoint point(1, 1, 1, 0.5);
        QVERIFY(CoordinatesDialog::Edit(point, 3));
        QVERIFY(seen);
        QCOMPARE(point, Mfx3dPoint(5, 0, 3.5));
        QCOMPARE(point.w, 1.0);
    }

    void disabledCoordinatesKeepTheirValue()
    {
        CoordinatesDialog dialog(Mfx3dPoint(0.1, 1.0 / 3.0, -7), 1);
        dialog.show();
        Type(&dialog, "169", QStringLiteral("2"));
        Click(&dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Point(), Mfx3dPoint(2, 1.0 / 3.0, -7));
    }

    void textThatIsNotANumberKeepsTheDialogOpen()
    {
        RecordingMessages messages;
        CoordinatesDialog dialog(Mfx3dPoint(1, 2, 3), 2);
        dialog.show();
        Type(&dialog, "170", QStringLiteral("x"));
        Click(&dialog, "1");
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(dialog.Point(), Mfx3dPoint(1, 2, 3));
    }

    void cancelGivesNothingBack()
    {
        WhenModal<CoordinatesDialog>([](CoordinatesDialog* d) {
            Type(d, "169", QStringLiteral("9"));
            Click(d, "2");
        });
        Mfx3dPoint point(1, 2, 3);
        QVERIFY(!CoordinatesDialog::Edit(point, 3));
        QCOMPARE(point, Mfx3dPoint(1, 2, 3));
    }

    void helpAsksForTheDialogsContext()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        CoordinatesDialog dialog(Mfx3dPoint(), 2);
        dialog.show();
        Click(&dialog, "9");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(0x20000 + 412));
    }
};

QTEST_MAIN(TestCoordinatesDialog)
#include "tst_coordinatesdialog.moc"
