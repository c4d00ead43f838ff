// The element pop-up of the matrix view: its picture of cells, its label and its viewer.
#include "ElementPopup.h"

#include "dialogs/MatrixViewerDialog.h"
#include "dialogs/VectorViewerDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace velmor {
namespace {

// The picture's box; its height gives the cell size c = H / (2g + 2).
constexpr int kPictureSize = 176;

const QColor kGreen(0, 255, 0);
const QColor kMagenta(255, 0, 255);

} // namespace

// The picture inside group box 238: paints and clicks are the pop-up's.
class PopupPicture : public QWidget
{
public:
    explicit PopupPicture(ElementPopup& popup, QWidget* parent) : QWidget(parent), m_popup(popup)
    {
        setFixedSize(kPictureSize, kPictureSize);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_popup.PaintPicture(this); }
    void mousePressEvent(QMouseEvent* event) override
    {
        m_popup.PictureClicked(event->position().toPoint(), event->button());
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }

private:
    ElementPopup& m_popup;
};

ElementPopup::ElementPopup(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("411"));
    setModal(false);
    m_box = new QGroupBox(this);
    m_box->setObjectName(QStringLiteral("238"));
    m_picture = new PopupPicture(*this, m_box);
    m_picture->setObjectName(QStringLiteral("picture"));
    auto* inBox = new QVBoxLayout(m_box);
    inBox->setContentsMargins(4, 4, 4, 4);
    inBox->addWidget(m_picture);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("239"));
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_box);
    layout->addWidget(m_label);
}

void ElementPopup::ShowContents(PopupKind kind, const MatBase& contents, int dofPerNode, int na,
                                int nb, int node)
{
    m_kind = kind;
    m_dof = std::max(1, dofPerNode);
    if (IsMatrixKind(kind))
        m_matrix = Mat(contents);
    else
        m_vector = Vector(contents);
    m_chosen = -1;
    setWindowTitle(QString::fromStdString(PopupTitle(kind)).trimmed());
    m_label->setText(QString::fromStdString(PopupLabel(kind, na, nb, node)));
    m_picture->update();
    show();
}

const MatBase& ElementPopup::Contents() const
{
    if (IsMatrixKind(m_kind)) return m_matrix;
    return m_vector;
}

QString ElementPopup::LabelText() const
{
    return m_label->text();
}

void ElementPopup::SetChosenBlock(int block)
{
    m_chosen = block;
    m_picture->update();
}

PopupGrid ElementPopup::Layout() const
{
    return MakePopupGrid(m_kind, m_dof, m_picture->width(), m_picture->height());
}

void ElementPopup::PaintPicture(QWidget* on)
{
    QPainter p(on);
    p.fillRect(on->rect(), Qt::white);
    const PopupGrid grid = Layout();
    const MatBase& m = Contents();
    for (int r = 1; r <= grid.rows; ++r)
        for (int c = 1; c <= grid.cols; ++c) {
            const bool inside = unsigned(r) <= m.Rows() && unsigned(c) <= m.Cols();
            if (!inside || m.At(r, c) == 0.0) continue;
            const GridRect cell = grid.Cell(r, c);
            const bool chosen = m_chosen >= 0 && grid.BlockOfCell(r, c) == m_chosen;
            p.fillRect(cell.x, cell.y, cell.width, cell.height, chosen ? kMagenta : kGreen);
        }
    if (m_chosen >= 0) {
        const GridRect b = grid.Block(m_chosen);
        p.setPen(QPen(kMagenta, 2));
        p.drawRect(b.x, b.y, b.width, b.height);
    }
    p.setPen(QPen(Qt::black, 1));
    const int right = grid.x0 + grid.cols * grid.cell, bottom = grid.y0 + grid.rows * grid.cell;
    for (int r = 0; r <= grid.rows; ++r)
        p.drawLine(grid.x0, grid.y0 + r * grid.cell, right, grid.y0 + r * grid.cell);
    for (int c = 0; c <= grid.cols; ++c)
        p.drawLine(grid.x0 + c * grid.cell, grid.y0, grid.x0 + c * grid.cell, bottom);
    // The node blocks, a little heavier.
    p.setPen(QPen(Qt::black, 2));
    const int g = grid.dofPerNode;
    for (int k = g; k < grid.rows; k += g)
        p.drawLine(grid.x0, grid.y0 + k * grid.cell, right, grid.y0 + k * grid.cell);
    for (int k = g; k < grid.cols; k += g)
        p.drawLine(grid.x0 + k * grid.cell, grid.y0, grid.x0 + k * grid.cell, bottom);
}

void ElementPopup::PictureClicked(const QPoint& at, Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        OpenViewer();
        return;
    }
    if (button != Qt::LeftButton) return;
    const int block = Layout().BlockAt(at.x(), at.y());
    if (block >= 0) emit BlockClicked(block);
}

void ElementPopup::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        OpenViewer();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void ElementPopup::OpenViewer()
{
    if (IsMatrixKind(m_kind)) {
        MatrixViewerDialog viewer(m_matrix, 1, 1, 0, m_dof, this);
        viewer.exec();
    } else {
        VectorViewerDialog viewer(m_vector, 1, 0, m_dof, false, this);
        viewer.exec();
    }
}

} // namespace velmor
