// The program's message boxes: each button gives its answer, Return takes the default (first)
// button, Escape the safe one; the box is titled "Velmor", shows the text and icon, and sits
// over the active window.
#include "platform/qt/shell/QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace velmor;

Q_DECLARE_METATYPE(velmor::MessageButtons)
Q_DECLARE_METATYPE(velmor::MessageAnswer)
Q_DECLARE_METATYPE(velmor::MessageIcon)

namespace {

// What the user does to the box: click one of its buttons or press a key.
struct Action
{
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    Qt::Key key = Qt::Key_unknown;
};

// What the box looked like when the action was taken.
struct Seen
{
    bool found = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QStringList buttonTexts; // in the order Yes, No, Cancel, of those the box has
    QWidget* parent = nullptr;
};

// Waits from the event loop for the message box, records it and acts on it. When no box comes
// within a bounded number of polls, any modal window left is closed so the test fails instead of
// hanging.
void ArmMessageBox(const Action& action, Seen& seen)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action, &seen, polls = 0]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.found = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (QAbstractButton* button = box->button(b))
                    seen.buttonTexts << button->text();
            seen.parent = box->parentWidget();
            if (action.button != QMessageBox::NoButton)
                QTest::mouseClick(box->button(action.button), Qt::LeftButton);
            else
                QTest::keyClick(box, action.key);
        } else if (++polls <= 500) {
            return;
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
}

} // namespace

class TestMessageService : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void showsTextTitleIconOverActiveWindow_data();
    void showsTextTitleIconOverActiveWindow();
};

void TestMessageService::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMessageService::answers_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("key");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("shown");

    const int ok = QMessageBox::Ok;
    const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    const int none = QMessageBox::NoButton;
    const int noKey = Qt::Key_unknown;
    QTest::newRow("Ok: click Ok") << MessageButtons::Ok << ok << noKey << MessageAnswer::Ok << ok;
    QTest::newRow("Ok: Escape") << MessageButtons::Ok << none << int(Qt::Key_Escape)
                                << MessageAnswer::Ok << ok;
    QTest::newRow("OkCancel: click Ok")
        << MessageButtons::OkCancel << ok << noKey << MessageAnswer::Ok << okCancel;
    QTest::newRow("OkCancel: click Cancel") << MessageButtons::OkCancel << int(QMessageBox::Cancel)
                                            << noKey << MessageAnswer::Cancel << okCancel;
    QTest::newRow("OkCancel: Return takes Ok")
        << MessageButtons::OkCancel << none << int(Qt::Key_Return) << MessageAnswer::Ok << okCancel;
    QTest::newRow("OkCancel: Escape cancels")
        << MessageButtons::OkCancel << none << int(Qt::Key_Escape) << MessageAnswer::Cancel
        << okCancel;
    QTest::newRow("YesNo: click Yes")
        << MessageButtons::YesNo << int(QMessageBox::Yes) << noKey << MessageAnswer::Yes << yesNo;
    QTest::newRow("YesNo: click No")
        << MessageButtons::YesNo << int(QMessageBox::No) << noKey << MessageAnswer::No << yesNo;
    QTest::newRow("YesNo: Return takes Yes")
        << MessageButtons::YesNo << none << int(Qt::Key_Return) << MessageAnswer::Yes << yesNo;
    QTest::newRow("YesNo: Escape answers No")
        << MessageButtons::YesNo << none << int(Qt::Key_Escape) << MessageAnswer::No << yesNo;
    QTest::newRow("YesNoDefaultNo: Return takes No") << MessageButtons::YesNoDefaultNo << none
                                                     << int(Qt::Key_Return) << MessageAnswer::No << yesNo;
    QTest::newRow("YesNoDefaultNo: click Yes") << MessageButtons::YesNoDefaultNo << int(QMessageBox::Yes)
                                               << noKey << MessageAnswer::Yes << yesNo;
    // The question before work could be lost: Escape keeps everything.
    const int yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QTest::newRow("YesNoCancel: click Yes") << MessageButtons::YesNoCancel << int(QMessageBox::Yes)
                                            << noKey << MessageAnswer::Yes << yesNoCancel;
    QTest::newRow("YesNoCancel: click No") << MessageButtons::YesNoCancel << int(QMessageBox::No)
                                           << noKey << MessageAnswer::No << yesNoCancel;
    QTest::newRow("YesNoCancel: click Cancel")
        << MessageButtons::YesNoCancel << int(QMessageBox::Cancel) << noKey << MessageAnswer::Cancel
        << yesNoCancel;
    QTest::newRow("YesNoCancel: Escape cancels") << MessageButtons::YesNoCancel << none
                                                 << int(Qt::Key_Escape) << MessageAnswer::Cancel
                                                 << yesNoCancel;
}

void TestMessageService::answers()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(int, click);
    QFETCH(int, key);
    QFETCH(MessageAnswer, answer);
    QFETCH(int, shown);

    QtMessageService service;
    Seen seen;
    ArmMessageBox(
        Action{static_cast<QMessageBox::StandardButton>(click), static_cast<Qt::Key>(key)}, seen);
    const MessageAnswer got = service.Show("Continuer?", buttons, MessageIcon::Question);
    QVERIFY(seen.found);
    QCOMPARE(int(seen.buttons), shown);
    QCOMPARE(got, answer);
    // Yes, No and Cancel speak French.
    QStringList french;
    if (shown & QMessageBox::Yes)
        french << QStringLiteral("&Oui");
    if (shown & QMessageBox::No)
        french << QStringLiteral("&Non");
    if (shown & QMessageBox::Cancel)
        french << QStringLiteral("Annuler");
    QCOMPARE(seen.buttonTexts, french);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMessageService::showsTextTitleIconOverActiveWindow_data()
{
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("none") << MessageIcon::None << int(QMessageBox::NoIcon);
    QTest::newRow("information") << MessageIcon::Information << int(QMessageBox::Information);
    QTest::newRow("warning") << MessageIcon::Warning << int(QMessageBox::Warning);
    QTest::newRow("error") << MessageIcon::Error << int(QMessageBox::Critical);
    QTest::newRow("question") << MessageIcon::Question << int(QMessageBox::Question);
}

void TestMessageService::showsTextTitleIconOverActiveWindow()
{
    QFETCH(MessageIcon, icon);
    QFETCH(int, boxIcon);

    QWidget window;
    window.setWindowTitle("Fenêtre active");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QtMessageService service;
    Seen seen;
    ArmMessageBox(Action{QMessageBox::Ok, Qt::Key_unknown}, seen);
    // Accents and a line feed travel through unchanged (the table's texts are UTF-8).
    service.Show("Système d'équations singulier.\n\nChangez les conditions aux limites",
                 MessageButtons::Ok, icon);
    QVERIFY(seen.found);
    QCOMPARE(seen.title, QString("Velmor"));
    QCOMPARE(seen.text, QString("Système d'équations singulier.\n\nChangez les conditions aux "
                                "limites"));
    QCOMPARE(int(seen.icon), boxIcon);
    QCOMPARE(seen.parent, &window);
}

QTEST_MAIN(TestMessageService)
#include "tst_message_service.moc"
