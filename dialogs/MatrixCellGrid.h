// The cells of the matrix and vector viewers: a window of rows x columns on a 1-based matrix,
// with a header column of row numbers and, for matrices, a header row of column numbers.
// Also the rule that places such a window on the matrix.
#pragma once

#include <QString>
#include <QWidget>

class QScrollBar;

namespace velmor {

class MatBase;

// Where a viewer's window sits along one axis of the matrix.
struct ViewerAxis
{
    long first = 1; // first index shown, 1-based
    long size = 0;  // number of indices the viewer ranges over
};

// Places a window of `window` cells along an axis of `fullSize` entries, asked to start at node
// `firstNode` (1-based) with `dof` entries per node and to range over `nodeCount` nodes
// (0: the whole axis). The first index is dof * (firstNode - 1) + 1, at least 1; the size is
// nodeCount * dof, never more than fullSize. When the window would run past the end, the first
// index becomes max(1, size - window + 1).
ViewerAxis PlaceViewerAxis(int firstNode, int nodeCount, int dof, long fullSize, int window);

// Sets a viewer's scroll bar over an axis: range 0 .. size - window, value first - 1, steps of
// one line and of one window; disabled when the whole axis fits in the window.
void SetUpViewerScrollBar(QScrollBar* bar, const ViewerAxis& axis, int window);

// The scroll action (QAbstractSlider::SliderAction) a navigation key asks of a viewer's scroll
// bar: a line for the arrows, a window for the page keys, the ends for Home and End;
// SliderNoAction for other keys.
int ViewerScrollAction(int key);

class MatrixCellGrid : public QWidget
{
    Q_OBJECT
public:
    // The matrix is not copied and must outlive the widget.
    MatrixCellGrid(const MatBase& matrix, int windowRows, int windowCols, bool headerRow,
                   QWidget* parent = nullptr);

    // The axes the window moves over.
    void SetAxes(const ViewerAxis& rows, const ViewerAxis& cols);
    long FirstRow() const { return m_rows.first; }
    long FirstCol() const { return m_cols.first; }
    void SetFirstRow(long row);
    void SetFirstCol(long col);

    // Text of the value cell at window position (r, c), 0-based: the entry in "%7.3G", or ""
    // for a cell past the end of the axis.
    QString CellText(int r, int c) const;
    // The entry in "%7.3G" (at least seven characters, three significant digits).
    static QString FormatEntry(double value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The mouse wheel turned over the cells by `rows` rows (negative: up).
    void WheelRows(int rows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int CellWidth() const;
    int CellHeight() const;
    int HeaderWidth() const;
    int HeaderHeight() const { return m_headerRow ? CellHeight() : 0; }

    const MatBase& m_matrix;
    int m_windowRows;
    int m_windowCols;
    bool m_headerRow;
    ViewerAxis m_rows;
    ViewerAxis m_cols;
    int m_wheelRemainder = 0;
};

} // namespace velmor
