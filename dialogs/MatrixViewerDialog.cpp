#include "MatrixViewerDialog.h"

#include "DialogFields.h"
#include "numeric/MatBase.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace velmor {

MatrixViewerDialog::MatrixViewerDialog(const MatBase& matrix, int firstNodeRow, int firstNodeCol,
                                       int nodeCount, int dofPerNode, QWidget* parent)
    : QDialog(parent), m_window(dofPerNode == 2 ? 4 : 6)
{
    setObjectName(m_window == 4 ? QStringLiteral("423") : QStringLiteral("424"));
    setWindowTitle(QStringLiteral("Matrice de la barre"));

    const int d = dofPerNode;
    const ViewerAxis rows = PlaceViewerAxis(firstNodeRow, nodeCount, d, matrix.Rows(), m_window);
    const ViewerAxis cols = PlaceViewerAxis(firstNodeCol, nodeCount, d, matrix.Cols(), m_window);

    m_grid = new MatrixCellGrid(matrix, m_window, m_window, true, this);
    m_grid->setObjectName(QStringLiteral("cells"));
    m_grid->SetAxes(rows, cols);

    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_hBar->setObjectName(QStringLiteral("212"));
    SetUpViewerScrollBar(m_hBar, cols, m_window);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_vBar->setObjectName(QStringLiteral("213"));
    SetUpViewerScrollBar(m_vBar, rows, m_window);
    connect(m_hBar, &QScrollBar::valueChanged, m_grid,
            [this](int v) { m_grid->SetFirstCol(v + 1); });
    connect(m_vBar, &QScrollBar::valueChanged, m_grid,
            [this](int v) { m_grid->SetFirstRow(v + 1); });
    connect(m_grid, &MatrixCellGrid::WheelRows, m_vBar,
            [this](int n) { m_vBar->setValue(m_vBar->value() + n); });

    auto* cells = new QGridLayout;
    cells->setSpacing(0);
    cells->addWidget(m_grid, 0, 0);
    cells->addWidget(m_vBar, 0, 1);
    cells->addWidget(m_hBar, 1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(cells);
    layout->addWidget(MakeButtons(this, false, nullptr, 0));
}

void MatrixViewerDialog::keyPressEvent(QKeyEvent* event)
{
    const int action = ViewerScrollAction(event->key());
    if (action == QAbstractSlider::SliderNoAction) {
        QDialog::keyPressEvent(event);
        return;
    }
    const bool columns = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                         (event->modifiers() & Qt::ControlModifier);
    (columns ? m_hBar : m_vBar)->triggerAction(QAbstractSlider::SliderAction(action));
    event->accept();
}

} // namespace velmor
