// The matrix view: the system of equations of a step-by-step solution, its pop-ups and the
// placing of blocks by clicks.
#include "VelmorMatrixView.h"

#include "ElementPopup.h"
#include "analysis/Analysis.h"
#include "app/VelmorDoc.h"
#include "dialogs/MatrixViewerDialog.h"
#include "dialogs/SupportPictureWindow.h"
#include "dialogs/VectorViewerDialog.h"
#include "model/VelmorApoyo.h"
#include "platform/core/MessageService.h"
#include "resources/StringTable.h"
#include "tutor/core/VelmorTutor.h"

#include <QFont>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace velmor {
namespace {

constexpr int kTitle = 61252;         // "Système d'equations (global)"
constexpr int kBeamAssembled = 61306; // "La barre a été assemblée"
constexpr int kLoadAssembled = 61307; // "La charge a été assembler"

const QColor kGreen(0, 255, 0);
const QColor kMagenta(255, 0, 255);
const QColor kBlue(0, 0, 255);
const QColor kViolet(128, 0, 255);
const QColor kRed(255, 0, 0);

QFont viewFont(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

QRect toQRect(const GridRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// The force and displacement cells' labels: "d 3", "f 3".
QString vectorLabel(char letter, int row)
{
    return QStringLiteral("%1 %2").arg(QChar(letter)).arg(row);
}

// A label centred in its cell on one line, narrowed to the cell when it is wider ("d 586").
void drawLabel(QPainter& p, const QRect& cell, const QString& text)
{
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;
    const int width = p.fontMetrics().horizontalAdvance(text);
    const int room = cell.width() - 2;
    if (width <= room || room <= 0) {
        p.drawText(cell, flags, text);
        return;
    }
    const double cx = cell.x() + cell.width() / 2.0;
    p.save();
    p.translate(cx, 0);
    p.scale(double(room) / width, 1.0);
    p.translate(-cx, 0);
    p.drawText(QRectF(cx - width / 2.0 - 1, cell.y(), width + 2, cell.height()), flags, text);
    p.restore();
}

} // namespace

VelmorMatrixView::VelmorMatrixView(VelmorDoc& doc, VelmorTutor& tutor, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_tutor(tutor)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
    ReadSystem();
    UpdateScrollBars();
    m_doc.AddView(this);
}

VelmorMatrixView::~VelmorMatrixView()
{
    m_doc.RemoveView(this);
}

ElementPopup* VelmorMatrixView::Popup(int index) const
{
    return index >= 0 && index < 3 ? m_popups[size_t(index)] : nullptr;
}

bool VelmorMatrixView::ShowsSystem() const
{
    return m_tutor.IsActive() && m_analysis && m_analysis == m_tutor.CurrentAnalysis() &&
           m_analysis->Ready() && m_grid.equations > 1;
}

QPoint VelmorMatrixView::ScrollOffset() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

// ---- updates

void VelmorMatrixView::OnUpdate(const ChangeEvent& change)
{
    const int hint = static_cast<int>(change.hint);
    if (hint >= 1 && hint <= 9) return;
    ReadSystem();
    EnsurePopups();
    HidePopups();
    emit ResultsRequested(HideResults);
    m_placing = BlockPlacing();
    const StepWorkspace* work = m_analysis ? &m_analysis->Work() : nullptr;
    if (work) {
        // The element the step works on: a beam's ends, or the node of a load or support.
        m_na = work->na;
        m_nb = work->nb;
        m_node = work->node;
    }
    if (change.hint == UpdateHint::WorkBox || change.hint == UpdateHint::ItemDone)
        m_supportNode = 0;
    else if (change.hint == UpdateHint::NodeValues)
        emit ResultsRequested(NodeResults);
    else if (change.hint == UpdateHint::ElementValues)
        emit ResultsRequested(ElementResults);
    else if (work)
        ShowStep(change.hint, *work);
    UpdateScrollBars();
    viewport()->update();
}

void VelmorMatrixView::ShowStep(UpdateHint hint, const StepWorkspace& work)
{
    switch (hint) {
    case UpdateHint::BeamStiffness:
        ShowPopup(0, PopupKind::LocalStiffness, work.kLocal);
        ShowPopup(1, PopupKind::Transformation, work.T);
        ShowPopup(2, PopupKind::GlobalStiffness, work.kGlobal);
        break;
    case UpdateHint::SupportDone:
        m_supportNode = work.node;
        break;
    case UpdateHint::NodalLoadVector:
        ShowPopup(2, PopupKind::NodalLoad, work.fGlobal);
        break;
    case UpdateHint::BeamLoadVector:
        ShowPopup(0, PopupKind::LocalLoad, work.fLocal);
        ShowPopup(1, PopupKind::Transformation, work.T);
        ShowPopup(2, PopupKind::GlobalLoad, work.fGlobal);
        break;
    case UpdateHint::SelfWeightVector:
        ShowPopup(2, PopupKind::GlobalLoad, work.fGlobal);
        break;
    case UpdateHint::SupportImposing:
        ShowSupport(work);
        break;
    default:
        break;
    }
}

void VelmorMatrixView::ReadSystem()
{
    m_analysis = m_tutor.CurrentAnalysis();
    m_marks.clear();
    m_band = 1;
    if (!m_analysis || !m_analysis->Ready()) {
        m_grid = SystemGrid{0, 1, kMatrixCell};
        return;
    }
    const Analysis& a = *m_analysis;
    const int c = std::max(1, a.DofPerNode());
    m_grid = SystemGrid{int(a.EquationCount()), c, kMatrixCell};
    const VelmorProblem& problem = m_tutor.Problem();

    std::vector<std::pair<int, int>> beams;
    beams.reserve(problem.Count(KIND_BEAM));
    for (const auto& beam : problem.List(KIND_BEAM))
        beams.emplace_back(beam->GetNumber(1), beam->GetNumber(2));
    m_band = HalfBandWidth(m_grid.equations, c, beams);

    // Springs of the supports imposed so far hold their equations (the engine counts them as
    // free degrees of freedom).
    const size_t n = size_t(m_grid.equations);
    std::vector<char> springs(n + 1, 0);
    const auto& table = a.SupportTable();
    for (const auto& object : problem.List(KIND_SUPPORT)) {
        const auto& support = static_cast<const VelmorApoyo&>(*object);
        const int id = support.Number();
        if (id < 1 || size_t(id) > table.size() || table[size_t(id - 1)][0] < 1) continue;
        const VelmorApoyoData& d = support.Data();
        if (d.m_nType != SUPPORT_ELASTIC) continue;
        const double k[6] = {d.m_springT.x, d.m_springT.y, d.m_springT.z,
                             d.m_springR.x, d.m_springR.y, d.m_springR.z};
        const size_t first = size_t(table[size_t(id - 1)][0] - 1) * size_t(c) + 1;
        for (int j = 0, t = 0; j < 6; ++j)
            if (a.DofMask()[j]) {
                if (k[j] != 0.0 && first + size_t(t) <= n) springs[first + size_t(t)] = 1;
                ++t;
            }
    }
    std::vector<int> fixed = a.Fixed();
    fixed.resize(n + 1, 0);
    m_marks = ConstraintMarks(fixed, springs);
}

void VelmorMatrixView::UpdateScrollBars()
{
    const bool shown = ShowsSystem();
    const int width = shown ? m_grid.Width() : 0, height = shown ? m_grid.Height() : 0;
    const int page = m_grid.dofPerNode * m_grid.cell;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, width - viewport()->width()));
    v->setRange(0, std::max(0, height - viewport()->height()));
    h->setPageStep(page);
    v->setPageStep(page);
    h->setSingleStep(m_grid.cell);
    v->setSingleStep(m_grid.cell);
}

void VelmorMatrixView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void VelmorMatrixView::scrollContentsBy(int, int)
{
    viewport()->update();
}

// ---- pop-ups

void VelmorMatrixView::EnsurePopups()
{
    if (m_popups[0]) return;
    for (size_t i = 0; i < m_popups.size(); ++i) {
        auto* popup = new ElementPopup(this);
        popup->setObjectName(QStringLiteral("411-%1").arg(i + 1));
        m_popups[i] = popup;
    }
    connect(m_popups[2], &ElementPopup::BlockClicked, this, &VelmorMatrixView::BlockClicked);
}

void VelmorMatrixView::HidePopups()
{
    for (ElementPopup* popup : m_popups)
        if (popup) popup->hide();
    if (m_support) m_support->hide();
    m_hidden.clear();
}

void VelmorMatrixView::ShowPopup(int index, PopupKind kind, const MatBase& contents)
{
    ElementPopup* popup = m_popups[size_t(index)];
    const bool placed = popup->property("placed").toBool();
    popup->ShowContents(kind, contents, m_grid.dofPerNode, m_na, m_nb, m_node);
    if (!placed) {
        // The first time, the three stand one under the other along the view's right edge.
        popup->setProperty("placed", true);
        popup->adjustSize();
        const QPoint corner = mapToGlobal(QPoint(width(), 0));
        const int step = popup->frameGeometry().height() + 8;
        popup->move(corner.x() - popup->frameGeometry().width() - 8, corner.y() + index * step);
    }
    if (index == 2 && m_tutor.IsExercise() && BlocksToPlace(kind) > 0)
        m_placing = BlockPlacing(kind, m_na, m_nb, m_node);
}

void VelmorMatrixView::ShowSupport(const StepWorkspace& work)
{
    delete m_support;
    m_support = new SupportPictureWindow(work.loadId, work.node, this);
    m_support->setWindowFlag(Qt::Tool);
    m_support->show();
}

void VelmorMatrixView::HideForLeaving()
{
    m_hidden.clear();
    for (ElementPopup* popup : m_popups)
        if (popup && popup->isVisible()) m_hidden.push_back(popup);
    if (m_support && m_support->isVisible()) m_hidden.push_back(m_support);
    for (QWidget* window : m_hidden)
        window->hide();
}

void VelmorMatrixView::ShowAgain()
{
    for (QWidget* window : m_hidden)
        window->show();
    m_hidden.clear();
}

// ---- placing by clicks

bool VelmorMatrixView::CanPlace() const
{
    const TutorStage target = m_tutor.Target();
    return m_placing.Active() && m_tutor.IsActive() && m_tutor.IsExercise() && m_tutor.IsHalf() &&
           (target == TutorStage::Stiffness || target == TutorStage::Loads);
}

void VelmorMatrixView::BlockClicked(int block)
{
    if (!CanPlace()) return;
    switch (m_placing.Choose(block)) {
    case BlockPlacing::Choice::AlreadyPlaced:
        ShowMessage(LoadString(m_placing.Kind() == PopupKind::GlobalStiffness ? kBeamAssembled
                                                                              : kLoadAssembled),
                    MessageIcon::Information);
        break;
    case BlockPlacing::Choice::Chosen:
        m_popups[2]->SetChosenBlock(block);
        break;
    case BlockPlacing::Choice::NotABlock:
        break;
    }
}

void VelmorMatrixView::PlaceAt(const QPoint& content)
{
    if (!CanPlace() || !m_placing.Place(m_grid, content.x(), content.y())) return;
    m_popups[2]->SetChosenBlock(-1);
    viewport()->update();
    if (m_placing.AllPlaced()) {
        m_placing = BlockPlacing();
        m_tutor.Examine();
    }
}

void VelmorMatrixView::mousePressEvent(QMouseEvent* event)
{
    if (!ShowsSystem()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint content = event->position().toPoint() + ScrollOffset();
    if (event->button() == Qt::LeftButton)
        PlaceAt(content);
    else if (event->button() == Qt::RightButton)
        OpenViewerAt(content);
    event->accept();
}

void VelmorMatrixView::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void VelmorMatrixView::OpenViewerAt(const QPoint& content)
{
    const GridHit hit = HitTest(m_grid, content.x(), content.y());
    const int g = m_grid.dofPerNode;
    const Analysis& a = *m_analysis;
    switch (hit.area) {
    case GridArea::Matrix: {
        // A copy of the band of the system: the viewer reads a matrix.
        const unsigned n = unsigned(m_grid.equations);
        SymBandMat system(n, unsigned(m_band));
        for (long i = 1; i <= long(n); ++i)
            for (long j = i; j <= std::min(long(n), i + m_band - 1); ++j)
                system.At(i, j) = a.SystemMatrixAt(i, j);
        MatrixViewerDialog viewer(system, m_grid.NodeOf(hit.row), m_grid.NodeOf(hit.col), 0, g,
                                  this);
        viewer.exec();
        break;
    }
    case GridArea::Displacements: {
        VectorViewerDialog viewer(a.Displacements(), m_grid.NodeOf(hit.row), 0, g, true, this);
        viewer.exec();
        break;
    }
    case GridArea::Forces: {
        VectorViewerDialog viewer(a.TotalLoads(), m_grid.NodeOf(hit.row), 0, g, false, this);
        viewer.exec();
        break;
    }
    case GridArea::None:
        break;
    }
}

// ---- drawing

void VelmorMatrixView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Base));
    if (!ShowsSystem()) return;
    const QPoint offset = ScrollOffset();
    p.translate(-offset);
    const QRect area = event->rect().translated(offset);
    // The rows and the columns in the window, each on its own: a window on the vectors shows
    // rows without matrix columns, one on the column numbers columns without rows.
    const CellRange rows = VisibleCells(m_grid, 0, area.y(), m_grid.Width(), area.height());
    const CellRange cols = VisibleCells(m_grid, area.x(), 0, area.width(), m_grid.Height());
    const CellRange cells{rows.firstRow, rows.lastRow, cols.firstCol, cols.lastCol};

    p.setFont(viewFont(12));
    p.setPen(Qt::black);
    p.drawText(QPoint(10, 5 + p.fontMetrics().ascent()), QString::fromUtf8(LoadString(kTitle)));
    DrawCells(p, cells);
    DrawVectors(p, cells);
    DrawConstraints(p, cells);
    DrawGridLines(p, cells);
    p.setPen(QPen(kRed, 1));
    for (const GridSegment& segment : BandStaircase(m_grid, m_band, cells))
        p.drawLine(segment.x1, segment.y1, segment.x2, segment.y2);
    DrawLabels(p, cells);
}

void VelmorMatrixView::DrawCells(QPainter& p, const CellRange& cells) const
{
    const Analysis& a = *m_analysis;
    for (int r = cells.firstRow; r <= cells.lastRow; ++r)
        for (int c = cells.firstCol; c <= cells.lastCol; ++c)
            if (a.SystemMatrixAt(r, c) != 0.0) p.fillRect(toQRect(m_grid.MatrixCell(r, c)), kGreen);
    if (!m_placing.Active() || m_placing.Kind() != PopupKind::GlobalStiffness) return;
    // The painter clips to the window: the blocks are filled whole.
    for (int k = 0; k < m_placing.Count(); ++k)
        if (m_placing.IsPlaced(k)) {
            const BlockTarget t = m_placing.Target(k);
            p.fillRect(toQRect(m_grid.MatrixBlock(t.nodeRow, t.nodeCol)), kMagenta);
        }
}

bool VelmorMatrixView::InPlacedLoadBlock(int row) const
{
    if (!m_placing.Active() || m_placing.Kind() == PopupKind::GlobalStiffness) return false;
    for (int k = 0; k < m_placing.Count(); ++k)
        if (m_placing.IsPlaced(k) && m_placing.Target(k).nodeRow == m_grid.NodeOf(row)) return true;
    return false;
}

void VelmorMatrixView::DrawVectors(QPainter& p, const CellRange& cells) const
{
    const Vector& D = m_analysis->Displacements();
    const Vector& F = m_analysis->TotalLoads();
    for (int r = cells.firstRow; r <= cells.lastRow; ++r) {
        if (unsigned(r) <= D.Rows() && D.At(r) != 0.0)
            p.fillRect(toQRect(m_grid.DisplacementCell(r)), kGreen);
        if (InPlacedLoadBlock(r))
            p.fillRect(toQRect(m_grid.ForceCell(r)), kMagenta);
        else if (unsigned(r) <= F.Rows() && F.At(r) != 0.0)
            p.fillRect(toQRect(m_grid.ForceCell(r)), kGreen);
    }
}

void VelmorMatrixView::DrawConstraints(QPainter& p, const CellRange& cells) const
{
    auto colour = [](int mark) { return mark == 1 ? kBlue : kViolet; };
    auto marked = [&](int e) { return size_t(e) < m_marks.size() ? m_marks[size_t(e)] : 0; };
    const int s = m_grid.cell, N = m_grid.equations;
    // Whole rows and columns: the painter clips them to the window.
    for (int r = cells.firstRow; r <= cells.lastRow; ++r)
        if (const int mark = marked(r)) {
            p.fillRect(QRect(s, (r + 1) * s, N * s, s), colour(mark));
            p.fillRect(toQRect(m_grid.DisplacementCell(r)), colour(mark));
            p.fillRect(toQRect(m_grid.ForceCell(r)), colour(mark));
        }
    for (int c = cells.firstCol; c <= cells.lastCol; ++c)
        if (const int mark = marked(c)) {
            p.fillRect(QRect(c * s, 2 * s, s, N * s), colour(mark));
        }
}

void VelmorMatrixView::DrawGridLines(QPainter& p, const CellRange& cells) const
{
    const int s = m_grid.cell, N = m_grid.equations;
    p.setPen(QPen(Qt::black, 1));
    const int left = cells.firstCol * s, right = (cells.lastCol + 1) * s;
    for (int k = cells.firstRow + 1; k <= cells.lastRow + 2; ++k) {
        const int y = k * s;
        p.drawLine(left, y, right, y);
        p.drawLine((N + 2) * s, y, (N + 3) * s, y);
        p.drawLine((N + 4) * s, y, (N + 5) * s, y);
    }
    const int top = (cells.firstRow + 1) * s, bottom = (cells.lastRow + 2) * s;
    for (int k = cells.firstCol; k <= cells.lastCol + 1; ++k)
        p.drawLine(k * s, top, k * s, bottom);
    for (int k = N + 2; k <= N + 5; ++k)
        p.drawLine(k * s, top, k * s, bottom);
}

void VelmorMatrixView::DrawLabels(QPainter& p, const CellRange& cells) const
{
    p.setFont(viewFont(8));
    p.setBackgroundMode(Qt::TransparentMode);
    auto marked = [&](int e) { return size_t(e) < m_marks.size() && m_marks[size_t(e)] != 0; };
    for (int r = cells.firstRow; r <= cells.lastRow; ++r) {
        p.setPen(Qt::black);
        drawLabel(p, toQRect(m_grid.RowLabel(r)), QString::number(r));
        // Written again over the blue or violet of a constrained equation, in white.
        p.setPen(marked(r) ? Qt::white : Qt::black);
        drawLabel(p, toQRect(m_grid.DisplacementCell(r)), vectorLabel('d', r));
        drawLabel(p, toQRect(m_grid.ForceCell(r)), vectorLabel('f', r));
    }
    p.setPen(Qt::black);
    for (int c = cells.firstCol; c <= cells.lastCol; ++c)
        drawLabel(p, toQRect(m_grid.ColumnLabel(c)), QString::number(c));
}

} // namespace velmor
