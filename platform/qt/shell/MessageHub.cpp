#include "MessageHub.h"

#include <QMetaObject>

namespace velmor {

MessageHub& MessageHub::Instance()
{
    static MessageHub hub;
    return hub;
}

void MessageHub::Send(int message, qintptr wParam, qintptr lParam)
{
    emit Delivered(message, wParam, lParam);
}

void MessageHub::Post(int message, qintptr wParam, qintptr lParam)
{
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { emit Delivered(message, wParam, lParam); },
        Qt::QueuedConnection);
}

} // namespace velmor
