// The child frames of the main window: the editor's (mode 2, menu and toolbar resource 2) and
// the calculation modes' (3 examples, 4 exercises; menus 4 and 8). Each is an MDI sub-window
// holding its own main window, so that it has its own toolbar and status bar, and shows one
// document through its view.
#pragma once

#include "model/VelmorProblem.h"
#include "platform/core/CommandTable.h"
#include "resources/MenuTables.h"

#include <QMdiSubWindow>
#include <QWidget>

#include <vector>

class QLabel;
class QMainWindow;
class QToolBar;

namespace velmor {

class VelmorBaseView;
class VelmorView3dEdit;
class VelmorDoc;

class ChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // The frame of a mode (not None); it takes no ownership of the document.
    ChildFrame(VelmorDoc& doc, Mode mode, QWidget* parent = nullptr);

    VelmorDoc& Document() { return m_doc; }
    Mode FrameMode() const { return m_mode; }
    // Menu and toolbar resource of the frame.
    MenuId ResourceId() const
    {
        return m_mode == Mode::Library    ? MenuId::Library
               : m_mode == Mode::Examples ? MenuId::Examples
                                          : MenuId::Exercises;
    }
    QMainWindow* Inner() { return m_inner; }
    VelmorBaseView* View() { return m_view; }
    // Enables the toolbar's buttons as their commands can run now.
    void UpdateToolbar();
    // The frame's own commands (the calculation frame's tutor bar and printing), after the
    // view's and before the application's.
    const CommandTable& Commands() const { return m_frameCommands; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Puts the actions of `buttons` (0 a separator) on `bar`, each sending its command.
    void FillToolbar(QToolBar* bar, const std::vector<int>& buttons);

    CommandTable m_frameCommands;
    std::vector<QAction*> m_toolbarActions;

private:
    void UpdateTitle();
    // The buttons that show a check mark: the editor's actions and tools, the zoom and the
    // solution commands.
    static bool HasCheckMark(int id);
    // The editor's dialogs, run over the editor.
    void ConnectDialogs(VelmorView3dEdit& editor);

    VelmorDoc& m_doc;
    Mode m_mode;
    QMainWindow* m_inner;
    VelmorBaseView* m_view;
};

} // namespace velmor
