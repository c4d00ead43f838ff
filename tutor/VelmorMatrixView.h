// The right pane of a calculation frame: during a step-by-step solution it draws the system of
// equations (the global stiffness matrix, the displacement and force vectors) as a grid of
// cells, colours the non-zero entries, the band and the constrained equations, shows the
// element being processed in three pop-ups (and the support being imposed in a fourth), opens
// the viewers on a right click, and in the exercises lets the user assemble an element by
// placing its blocks with the mouse.
//
// The view observes its document: it is registered in the constructor and removed in the
// destructor, and reads the tutor's current analysis at every update it reacts to (updates
// 1 to 9 are the 3D views' and are ignored). Only the cells in the window are drawn, so a
// system of several hundred equations scrolls and repaints at once. Logical units are pixels.
#pragma once

#include "model/VelmorProblem.h"
#include "numeric/MatBase.h"
#include "tutor/core/MatrixGrid.h"

#include <QAbstractScrollArea>

#include <array>
#include <memory>
#include <vector>

namespace velmor {

class Analysis;
class ElementPopup;
struct StepWorkspace;
class SupportPictureWindow;
class VelmorDoc;
class VelmorTutor;

class VelmorMatrixView : public QAbstractScrollArea, public ProblemObserver
{
    Q_OBJECT
public:
    // What ResultsRequested asks of the frame's result bars.
    enum ResultsKind : int
    {
        HideResults = 0,    // every update hides the three bars first
        NodeResults = 15,   // the displacements of the selected node
        ElementResults = 16 // the reactions or internal forces of the selected element
    };

    // The document and the tutor must outlive the view.
    VelmorMatrixView(VelmorDoc& doc, VelmorTutor& tutor, QWidget* parent = nullptr);
    ~VelmorMatrixView() override;

    // ProblemObserver: the reactions to the tutor's updates (0 and 10 the whole system, 11
    // beam stiffness, 12 support imposed, 13 nodal load, 14 distributed load, 17 self weight,
    // 18 support being imposed, 15 and 16 the result bars).
    void OnUpdate(const ChangeEvent& change) override;

    // ---- what the view shows
    // A system is drawn: a step-by-step solution runs on the analysis last read and has more
    // than one equation.
    bool ShowsSystem() const;
    // The layout of the system as last read.
    const SystemGrid& Grid() const { return m_grid; }
    // Half-bandwidth of the system (the stored diagonals), in equations.
    int Band() const { return m_band; }
    // Per equation (index 0 unused): 0 free, 1 fixed, 2 elastic or prescribed.
    const std::vector<int>& Constraints() const { return m_marks; }
    // The node of the support imposed last (0: none).
    int SupportNode() const { return m_supportNode; }
    // Element pop-ups 0 (local), 1 (transformation) and 2 (global); created at the first
    // update, null before.
    ElementPopup* Popup(int index) const;
    // The support pop-up of the support being imposed, or null.
    SupportPictureWindow* SupportPopup() const { return m_support; }
    // The placing of the current element's blocks in the exercises.
    const BlockPlacing& Placing() const { return m_placing; }
    // The top left of the window in the drawing.
    QPoint ScrollOffset() const;

public slots:
    // Leaving the calculation modes: the shown pop-ups are hidden ...
    void HideForLeaving();
    // ... and shown again on coming back.
    void ShowAgain();

signals:
    // The frame fills or hides its result bars (a ResultsKind).
    void ResultsRequested(int kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Re-reads the tutor's analysis: the system's size, its band and constrained rows.
    void ReadSystem();
    void UpdateScrollBars();
    void HidePopups();
    void EnsurePopups();
    void ShowPopup(int index, PopupKind kind, const MatBase& contents);
    // The pop-ups of a step's update (11 to 14, 17, 18) and the support imposed (12).
    void ShowStep(UpdateHint hint, const StepWorkspace& work);
    void ShowSupport(const StepWorkspace& work);
    // The placing of clicks is possible: exercises, stiffness or load step, item half done.
    bool CanPlace() const;
    void BlockClicked(int block);
    void PlaceAt(const QPoint& content);
    void OpenViewerAt(const QPoint& content);

    // Drawing, in the drawing's coordinates, of the cells in `cells`.
    void DrawCells(QPainter& p, const CellRange& cells) const;
    void DrawVectors(QPainter& p, const CellRange& cells) const;
    void DrawConstraints(QPainter& p, const CellRange& cells) const;
    void DrawGridLines(QPainter& p, const CellRange& cells) const;
    void DrawLabels(QPainter& p, const CellRange& cells) const;
    // Whether force cell `row` lies in a load block already placed.
    bool InPlacedLoadBlock(int row) const;

    VelmorDoc& m_doc;
    VelmorTutor& m_tutor;
    std::shared_ptr<Analysis> m_analysis;
    SystemGrid m_grid;
    int m_band = 1;
    std::vector<int> m_marks;
    int m_supportNode = 0;
    std::array<ElementPopup*, 3> m_popups{};
    SupportPictureWindow* m_support = nullptr;
    // The pop-ups that were shown when the calculation modes were left.
    std::vector<QWidget*> m_hidden;
    BlockPlacing m_placing;
    int m_na = 0, m_nb = 0, m_node = 0; // the element being placed
};

} // namespace velmor
