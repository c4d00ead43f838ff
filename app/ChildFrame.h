// The child frames of the main window: the editor's (mode 2, menu and toolbar resource 2) and
// the calculation modes' (3 examples, 4 exercises; menus 4 and 8). Each is an MDI sub-window
// holding its own main window, so that it has its own toolbar and status bar, and shows one
// document through its view.
#pragma once

#include "model/VelmorProblem.h"

#include <QMdiSubWindow>
#include <QWidget>

#include <vector>

class QLabel;
class QMainWindow;

namespace velmor {

class VelmorBaseView;
class VelmorDoc;

class ChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // `mode` 2, 3 or 4; the frame takes no ownership of the document.
    ChildFrame(VelmorDoc& doc, int mode, QWidget* parent = nullptr);

    VelmorDoc& Document() { return m_doc; }
    int Mode() const { return m_mode; }
    // Menu and toolbar resource of the frame: 2 editor, 4 examples, 8 exercises.
    int ResourceId() const { return m_mode == 2 ? 2 : m_mode == 3 ? 4 : 8; }
    QMainWindow* Inner() { return m_inner; }
    VelmorBaseView* View() { return m_view; }
    // Enables the toolbar's buttons as their commands can run now.
    void UpdateToolbar();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();

    VelmorDoc& m_doc;
    int m_mode;
    QMainWindow* m_inner;
    VelmorBaseView* m_view;
    std::vector<QAction*> m_toolbarActions;
};

} // namespace velmor
