// The main window: the MDI area that hosts the documents' frames, the menu of the active frame
// (or the start menu with no document open), the main toolbar, the status bar and the splash
// picture shown at start.
#pragma once

#include "platform/qt/shell/LockKeys.h"
#include "resources/MenuTables.h"

#include <QMainWindow>

#include <map>

class QLabel;
class QMdiArea;
class QMenu;

namespace velmor {

class VelmorApp;

class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainFrame(VelmorApp& app);
    ~MainFrame() override;

    QMdiArea* Mdi() { return m_mdi; }
    // Rebuilds the menu bar for the active frame (its resource), or the start menu.
    void RebuildMenus();
    // The resource whose menu is shown: 3 with no document, else the active frame's.
    MenuId MenuResource() const { return m_menuResource; }
    void ShowSplash();
    QWidget* Splash() const { return m_splash; }
    // Repaints the main window with all its children (after the options changed).
    void RepaintAll();
    // Help for what the user is on: the menu item being tracked (0x10000 + its id from 57346
    // on), otherwise the main window (0x20003).
    void RequestContextHelp();
    // Help mode (Shift+F1, the "?" button): the next click opens the page of what it lands on
    // (a toolbar button's command, an element's dialog, a dialog, the frame); Escape leaves it.
    void EnterHelpMode();
    bool InHelpMode() const { return m_helpMode; }
    // The status bar's CAP, NUM and SCRL: each shows its name while its lock key is on.
    void ShowLockKeys(const LockKeys& keys);
    // The help context of what lies under a point of a widget.
    static quint32 HelpContextAt(QWidget* widget, QPoint pos);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnMessage(int message, qintptr wParam, qintptr lParam);
    void OnSubWindowActivated();
    void FillMenu(QMenu* menu, MenuId resource, size_t popup);
    void CloseSplash();
    void LeaveHelpMode();
    void RefreshLockKeys();

    VelmorApp& m_app;
    QMdiArea* m_mdi;
    QWidget* m_splash = nullptr;
    MenuId m_menuResource = MenuId::Main;
    bool m_helpMode = false;
    QLabel* m_lockPanes[3] = {};
    std::map<int, QAction*> m_accelerators;
};

} // namespace velmor
