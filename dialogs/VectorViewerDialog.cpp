#include "VectorViewerDialog.h"

#include "DialogFields.h"
#include "numeric/MatBase.h"
#include "resources/StringTable.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace velmor {

VectorViewerDialog::VectorViewerDialog(const MatBase& vector, int firstNode, int nodeCount,
                                       int dofPerNode, bool displacements, QWidget* parent)
    : QDialog(parent), m_window(dofPerNode == 2 ? 4 : 6)
{
    setObjectName(m_window == 4 ? QStringLiteral("426") : QStringLiteral("425"));
    setWindowTitle(QString::fromUtf8(LoadString(displacements ? 61357 : 61356)));

    const ViewerAxis rows =
        PlaceViewerAxis(firstNode, nodeCount, dofPerNode, vector.Rows(), m_window);
    m_grid = new MatrixCellGrid(vector, m_window, 1, false, this);
    m_grid->setObjectName(QStringLiteral("cells"));
    m_grid->SetAxes(rows, ViewerAxis{1, 1});

    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_vBar->setObjectName(QStringLiteral("213"));
    SetUpViewerScrollBar(m_vBar, rows, m_window);
    connect(m_vBar, &QScrollBar::valueChanged, m_grid,
            [this](int v) { m_grid->SetFirstRow(v + 1); });
    connect(m_grid, &MatrixCellGrid::WheelRows, m_vBar,
            [this](int n) { m_vBar->setValue(m_vBar->value() + n); });

    auto* cells = new QHBoxLayout;
    cells->setSpacing(0);
    cells->addWidget(m_grid);
    cells->addWidget(m_vBar);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(cells);
    layout->addWidget(MakeButtons(this, false, nullptr, 0));
}

void VectorViewerDialog::keyPressEvent(QKeyEvent* event)
{
    const int action = ViewerScrollAction(event->key());
    if (action == QAbstractSlider::SliderNoAction) {
        QDialog::keyPressEvent(event);
        return;
    }
    m_vBar->triggerAction(QAbstractSlider::SliderAction(action));
    event->accept();
}

} // namespace velmor
