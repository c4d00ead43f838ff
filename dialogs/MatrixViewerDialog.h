// Dialogs 423 and 424 "Matrice de la barre": a read-only window of g x g cells on a square
// matrix (g = 4, dialog 423, for problems with 2 degrees of freedom per node; otherwise g = 6,
// dialog 424), with scroll bars 212 (columns) and 213 (rows).
#pragma once

#include "MatrixCellGrid.h"

#include <QDialog>

class QScrollBar;

namespace velmor {

class MatBase;

class MatrixViewerDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows `matrix` (not copied; it must outlive the dialog) from node row `firstNodeRow` and
    // node column `firstNodeCol` over `nodeCount` nodes (0: the whole matrix), with `dofPerNode`
    // degrees of freedom per node (those of the problem shown). See PlaceViewerAxis for the
    // placement.
    MatrixViewerDialog(const MatBase& matrix, int firstNodeRow, int firstNodeCol, int nodeCount,
                       int dofPerNode, QWidget* parent = nullptr);

    int WindowSize() const { return m_window; }
    long FirstRow() const { return m_grid->FirstRow(); }
    long FirstCol() const { return m_grid->FirstCol(); }
    const MatrixCellGrid& Grid() const { return *m_grid; }

protected:
    // Arrows, page keys, Home and End scroll the rows; Left and Right, and the other keys with
    // Ctrl held, scroll the columns.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_window;
    MatrixCellGrid* m_grid = nullptr;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
};

} // namespace velmor
