// The frame of the examples and exercises: the structure on the left of a splitter and the
// system of equations on its right, a toolbar that follows the progress of the solution, the
// tutor bar with the "Tâche" and "Etape suivante" texts and the tutor's buttons, and three
// floating result bars.
#pragma once

#include "app/ChildFrame.h"

class QLineEdit;
class QPushButton;
class QToolBar;
class QDockWidget;

namespace velmor {

class ResultBar;
class VelmorMatrixView;
class VelmorTutor;

class VelmorSplitterFrame : public ChildFrame
{
    Q_OBJECT
public:
    VelmorSplitterFrame(VelmorDoc& doc, Mode mode, QWidget* parent = nullptr);
    ~VelmorSplitterFrame() override;

    VelmorTutor& Tutor();
    QDockWidget* TutorBar() const { return m_tutorBar; }
    ResultBar* Bar(int kind) const;
    VelmorMatrixView* MatrixView() const { return m_matrix; }
    // The toolbar resource shown now (7, 6, 1017 or 1018).
    int ToolbarResource() const { return m_toolbarResource; }
    // The toolbar and the tutor bar as the solution stands.
    void RefreshProgress();
    // Leaving the calculation for the editor: the element pop-ups and the result bars hide;
    // coming back shows the pop-ups again.
    void HideForLeaving();
    void ShowAgain();
    // Shows the bar of `kind` filled with the element's results (a node, or a beam for the
    // internal forces), or hides it.
    void ShowResults(int kind, const VelmorObject* element, bool show);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildTutorBar();
    void AddFrameCommands();
    void LoadToolbar(int resource);

    VelmorMatrixView* m_matrix = nullptr;
    QToolBar* m_toolbar = nullptr;
    int m_toolbarResource = 0;
    QDockWidget* m_tutorBar = nullptr;
    QLineEdit* m_task = nullptr;
    QLineEdit* m_next = nullptr;
    QPushButton* m_finish = nullptr;
    QPushButton* m_examine = nullptr;
    ResultBar* m_bars[3] = {};
    bool m_sized = false;
};

} // namespace velmor
