// The program's private messages between windows: one hub that every frame, view and bar
// listens to, carrying (message id, two parameters) with the message numbers of the program.
#pragma once

#include <QObject>

namespace velmor {

// First private message number of the old window system; the program's messages follow it.
inline constexpr int WM_USER = 0x0400;
inline constexpr int WM_TUTOR_STEPDONE = WM_USER + 100;
inline constexpr int WM_TUTOR_RESULTS = WM_USER + 102;
inline constexpr int WM_CALC_HIDE = WM_USER + 103;
inline constexpr int WM_CALC_SHOW = WM_USER + 104;
inline constexpr int WM_BAD_FILE_FORMAT = WM_USER + 106;
inline constexpr int WM_TUTOR_CHANGED = WM_USER + 108;
inline constexpr int WM_TUTOR_ENDED = WM_USER + 109;
inline constexpr int WM_SHOW_REACTIONS = WM_USER + 110;
inline constexpr int WM_SHOW_DISPLACEMENTS = WM_USER + 111;
inline constexpr int WM_SHOW_EFFORTS = WM_USER + 112;

class MessageHub : public QObject
{
    Q_OBJECT
public:
    static MessageHub& Instance();

    // Delivers the message at once to every listener (the main window and every window in it).
    void Send(int message, qintptr wParam = 0, qintptr lParam = 0);
    // Delivers it from the event loop, after the current operation has finished.
    void Post(int message, qintptr wParam = 0, qintptr lParam = 0);

    // Asks for the help viewer at a help context (0x10000 + command id, 0x20000 + resource id,
    // 0x70000 + 0x1000 x problem type + step offset); the help viewer listens.
    void RequestHelp(quint32 context) { emit HelpRequested(context); }

signals:
    void Delivered(int message, qintptr wParam, qintptr lParam);
    void HelpRequested(quint32 context);
};

} // namespace velmor
