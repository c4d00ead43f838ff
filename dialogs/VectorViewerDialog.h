// Dialogs 425 and 426: a read-only column of 6 cells (425), or 4 cells (426) for problems with
// 2 degrees of freedom per node, on a vector, with row numbers and a scroll bar (213). Titled
// "Vecteur déplacements" for the displacement vector and "Vecteur charges" otherwise.
#pragma once

#include "MatrixCellGrid.h"

#include <QDialog>

class QScrollBar;

namespace velmor {

class MatBase;

class VectorViewerDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows `vector` (not copied; it must outlive the dialog) from node `firstNode` over
    // `nodeCount` nodes (0: the whole vector), with `dofPerNode` degrees of freedom per node
    // (those of the problem shown). See PlaceViewerAxis for the placement.
    VectorViewerDialog(const MatBase& vector, int firstNode, int nodeCount, int dofPerNode,
                       bool displacements, QWidget* parent = nullptr);

    int WindowSize() const { return m_window; }
    long FirstRow() const { return m_grid->FirstRow(); }
    const MatrixCellGrid& Grid() const { return *m_grid; }

protected:
    // Arrows, page keys, Home and End scroll.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_window;
    MatrixCellGrid* m_grid = nullptr;
    QScrollBar* m_vBar = nullptr;
};

} // namespace velmor
