// Shared pieces of the dialog tests: finding widgets by control id, acting on a modal dialog
// from the event loop, recording the program's messages, and saving screenshots.
#pragma once

#include "platform/core/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace velmor::test {

// The child of `parent` that carries a control id (or any other object name).
template <class T>
T* Control(QWidget* parent, const char* id)
{
    return parent->findChild<T*>(QString::fromLatin1(id));
}

// Acts on the first modal dialog of type D once the event loop shows it. When none comes within
// a bounded number of polls, any modal window left is rejected so the test fails instead of
// hanging. Arm it before the call that runs the dialog.
template <class D>
void WhenModal(std::function<void(D*)> action, bool* seen = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action, seen, polls = 0]() mutable {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            if (seen)
                *seen = true;
            action(dialog);
            // A check that failed inside the action left the dialog open: close it.
            if (QTest::currentTestFailed() && dialog->isVisible())
                dialog->reject();
        } else if (++polls > 500) {
            timer->stop();
            timer->deleteLater();
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    timer->start();
}

// Clicks the button with the control id (OK "1", Cancel "2", help ...).
inline void Click(QWidget* dialog, const char* id)
{
    auto* button = Control<QAbstractButton>(dialog, id);
    if (!button)
        QFAIL(qPrintable(QStringLiteral("no button %1").arg(QString::fromLatin1(id))));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Saves a picture of the widget as <name>.png into the test artefacts.
inline bool Shoot(QWidget* widget, const QString& name)
{
    QDir().mkpath(QStringLiteral(VELMOR_ARTEFACTS));
    return widget->grab().save(QStringLiteral(VELMOR_ARTEFACTS "/") + name + QStringLiteral(".png"));
}

// A message service that records every text and answers OK.
class RecordingMessages : public MessageService
{
public:
    RecordingMessages() { m_previous = SetMessageService(this); }
    ~RecordingMessages() override { SetMessageService(m_previous); }
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    MessageAnswer Show(std::string_view text, MessageButtons, MessageIcon) override
    {
        texts.emplace_back(text);
        return MessageAnswer::Ok;
    }
    void Beep() override { ++beeps; }

    std::vector<std::string> texts;
    int beeps = 0;

private:
    MessageService* m_previous = nullptr;
};

} // namespace velmor::test
