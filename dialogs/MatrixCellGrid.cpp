#include "MatrixCellGrid.h"

#include "numeric/MatBase.h"

#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>

namespace velmor {

ViewerAxis PlaceViewerAxis(int firstNode, int nodeCount, int dof, long fullSize, int window)
{
    ViewerAxis axis;
    fullSize = std::max(0L, fullSize);
    axis.size = nodeCount > 0 ? std::min(fullSize, long(nodeCount) * dof) : fullSize;
    axis.first = std::max(1L, long(dof) * (long(firstNode) - 1) + 1);
    if (axis.first + window - 1 > axis.size)
        axis.first = std::max(1L, axis.size - window + 1);
    return axis;
}

void SetUpViewerScrollBar(QScrollBar* bar, const ViewerAxis& axis, int window)
{
    const long last = std::max(0L, axis.size - window);
    bar->setRange(0, int(last));
    bar->setSingleStep(1);
    bar->setPageStep(window);
    bar->setValue(int(axis.first - 1));
    bar->setEnabled(axis.size > window);
}

int ViewerScrollAction(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Down:
    case Qt::Key_Right:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

MatrixCellGrid::MatrixCellGrid(const MatBase& matrix, int windowRows, int windowCols,
                               bool headerRow, QWidget* parent)
    : QWidget(parent), m_matrix(matrix), m_windowRows(windowRows), m_windowCols(windowCols),
      m_headerRow(headerRow)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MatrixCellGrid::SetAxes(const ViewerAxis& rows, const ViewerAxis& cols)
{
    m_rows = rows;
    m_cols = cols;
    update();
}

void MatrixCellGrid::SetFirstRow(long row)
{
    if (row != m_rows.first) {
        m_rows.first = row;
        update();
    }
}

void MatrixCellGrid::SetFirstCol(long col)
{
    if (col != m_cols.first) {
        m_cols.first = col;
        update();
    }
}

QString MatrixCellGrid::FormatEntry(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%7.3G", value);
    return QString::fromLatin1(text);
}

QString MatrixCellGrid::CellText(int r, int c) const
{
    const long i = m_rows.first + r;
    const long j = m_cols.first + c;
    if (r < 0 || c < 0 || i > m_rows.size || j > m_cols.size)
        return QString();
    return FormatEntry(m_matrix.At(i, j));
}

int MatrixCellGrid::CellWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("-0.000E+00")) + 10;
}

int MatrixCellGrid::CellHeight() const
{
    return fontMetrics().height() + 8;
}

int MatrixCellGrid::HeaderWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 8;
}

QSize MatrixCellGrid::sizeHint() const
{
    return QSize(HeaderWidth() + m_windowCols * CellWidth() + 1,
                 HeaderHeight() + m_windowRows * CellHeight() + 1);
}

void MatrixCellGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor text = pal.color(QPalette::ButtonText);
    const int w = CellWidth();
    const int h = CellHeight();
    const int x0 = HeaderWidth();
    const int y0 = HeaderHeight();
    painter.setPen(text);
    painter.setBackgroundMode(Qt::TransparentMode);

    // The corner cell stays empty; header cells exist only for indices inside the axis.
    if (m_headerRow) {
        for (int c = 0; c < m_windowCols && m_cols.first + c <= m_cols.size; ++c) {
            const QRect cell(x0 + c * w, 0, w, h);
            painter.fillRect(cell, face);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, QString::number(m_cols.first + c));
        }
    }
    for (int r = 0; r < m_windowRows && m_rows.first + r <= m_rows.size; ++r) {
        const QRect header(0, y0 + r * h, x0, h);
        painter.fillRect(header, face);
        painter.drawRect(header);
        painter.drawText(header, Qt::AlignCenter, QString::number(m_rows.first + r));
        for (int c = 0; c < m_windowCols; ++c) {
            const QString value = CellText(r, c);
            if (value.isEmpty())
                continue;
            const QRect cell(x0 + c * w, y0 + r * h, w, h);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, value);
        }
    }
}

void MatrixCellGrid::wheelEvent(QWheelEvent* event)
{
    // One notch (120) is one row, like a line step of the scroll bar.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0)
        emit WheelRows(-notches);
    event->accept();
}

} // namespace velmor
