#include "VelmorBaseView.h"

#include "app/VelmorDoc.h"
#include "dialogs/BeamLoadDialog.h"
#include "dialogs/NodalLoadDialog.h"
#include "dialogs/SectionDialog.h"
#include "dialogs/SupportDialog.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/MessageService.h"
#include "platform/core/RecordingCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "views/core/ProgramOptions.h"
#include "views/core/StructureRenderer.h"

#include <cmath>

#include <QPrintDialog>
#include <QPrinterInfo>
#include <QDir>
#include <QFileInfo>
#include <QToolTip>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace velmor {
namespace {

const char* kindName(int kind)
{
    switch (kind) {
    case -1: return "PAS DE SELECTION";
    case KIND_NODE: return "NOEUD";
    case KIND_SECTION: return "SECTION/MATERIAU";
    case KIND_BEAM: return "POUTRE";
    case KIND_SUPPORT: return "APPUI";
    default: return "CHARGE";
    }
}

// The element's own dialog, read-only: what the information window shows of it.
QDialog* informationDialog(const VelmorObject& e, int problemType, QWidget* parent)
{
    const VelmorObjectData* d = e.m_pData.get();
    if (const auto* s = dynamic_cast<const VelmorSeccionData*>(d))
        return new SectionDialog(*s, problemType, parent, true);
    if (const auto* a = dynamic_cast<const VelmorApoyoData*>(d))
        return new SupportDialog(*a, problemType, parent, true);
    const auto* l = dynamic_cast<const VelmorCargaData*>(d);
    if (!l)
        return nullptr;
    if (e.Kind() == KIND_NODAL_LOAD)
        return new NodalLoadDialog(*l, problemType, parent, true);
    const VelmorObject* beam = e.GetParent(0);
    LoadedBeam info;
    if (beam) {
        info.number = beam->Number();
        info.node1 = beam->GetNumber(1);
        info.node2 = beam->GetNumber(2);
        info.length = beam->GetLength();
    }
    return new BeamLoadDialog(*l, problemType, info, parent, true);
}

} // namespace

VelmorBaseView::VelmorBaseView(VelmorDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_options(doc.Options()), m_camera(this)
{
    setObjectName("view");
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMinimumSize(200, 150);
    AddCommands();
}

VelmorBaseView::~VelmorBaseView()
{
    Detach();
}

void VelmorBaseView::Detach()
{
    if (!m_ready)
        return;
    m_ready = false;
    m_doc.RemoveView(this);
    m_display.Clear();
}

StructureRenderer VelmorBaseView::Renderer() const
{
    return StructureRenderer(RenderStyle{m_options, m_palette, m_sizes, m_doc.Problem().m_nType});
}

void VelmorBaseView::ComputeSizes()
{
    const Mfx3dBox box = m_doc.Problem().StructureBox();
    m_sizes.Compute((box.MaxCorner() - box.MinCorner()).length());
}

void VelmorBaseView::Setup()
{
    m_doc.AddView(this);
    m_ready = true;
    ComputeSizes();
    m_doc.AttachView(*this);
    SetView(m_doc.Problem().m_nType >= PROBLEM_SPACE_FRAME ? Mfx3dCamera::kViewOblique : Mfx3dCamera::kViewXY);
}

MfxRect VelmorBaseView::ClientRect() const
{
    return MfxRect(0, 0, viewport()->width(), viewport()->height());
}

void VelmorBaseView::OnUpdate(const ChangeEvent& change)
{
    if (!m_ready)
        return;
    RecordingCanvas scratch;
    Mfx3dDC dc(scratch, &m_camera);
    PixelRect invalid;
    const StructureRenderer renderer = Renderer();
    VelmorObject* element = change.element;
    switch (change.hint) {
    case UpdateHint::WorkBox:
        ComputeSizes();
        m_display.Refresh(STATE_REDRAW, nullptr, dc, renderer, invalid);
        viewport()->update();
        return;
    case UpdateHint::Model:
        viewport()->update();
        return;
    case UpdateHint::Element:
        m_display.Refresh(STATE_REDRAW, element, dc, renderer, invalid);
        break;
    case UpdateHint::Marked:
        m_display.Refresh(0, nullptr, dc, renderer, invalid);
        break;
    case UpdateHint::ModelDone:
        m_display.Refresh(STATE_NEW, nullptr, dc, renderer, invalid);
        break;
    case UpdateHint::ElementAdded:
        if (element)
            m_display.AddEntry(*element);
        return;
    default:
        return;
    }
    if (!invalid.IsEmpty())
        viewport()->update(QRect(invalid.left - 2, invalid.top - 2, invalid.Width() + 4, invalid.Height() + 4)
                               .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value()));
}

void VelmorBaseView::Render(QPainter& painter, bool background)
{
    m_palette.FillPalette(m_options.BlackBackground() ? kSchemeBlack : kSchemeWhite);
    if (background) {
        const PaletteColour c = m_palette.Entry(PAL_BACKGROUND);
        // The whole device, whatever the scrolling.
        const QTransform scrolled = painter.worldTransform();
        painter.resetTransform();
        painter.fillRect(painter.window(), QColor(RedOf(c), GreenOf(c), BlueOf(c)));
        painter.setWorldTransform(scrolled);
    }
    QtCanvas canvas(painter);
    Mfx3dDC dc(canvas, &m_camera);
    const MfxColor pen = m_palette.Color(PAL_PEN);
    if (m_options.IsOn(OPT_DRAW_LIMITS))
        dc.DrawBox(m_doc.Problem().StructureBox(), Mfx3dDC::kOutline, pen);
    dc.SetPen(pen);
    dc.DrawAxes(Mfx3dPoint(0, 0, 0), MfxTMatrix(), 50.0, "XYZ", Mfx3dDC::kFixedLength, pen, 10);
    const StructureRenderer renderer = Renderer();
    const QTransform scrolled = painter.transform();
    for (const auto& entry : m_display.Entries()) {
        VelmorObject* element = entry->Element();
        if (!element || !IsShown(*element))
            continue;
        // Section icons stay in the window's corner whatever the scrolling.
        const bool fixed = element->Kind() == KIND_SECTION;
        if (fixed)
            painter.setTransform(QTransform());
        dc.SetPen(pen);
        renderer.Draw(*element, dc, nullptr, entry->Highlighted());
        if (fixed)
            painter.setTransform(scrolled);
    }
}

void VelmorBaseView::paintEvent(QPaintEvent* event)
{
    // The picture is drawn on an image of the window, where the canvas sets the lines'
    // pixels itself (several times faster than through the window's painter), then the
    // damaged part is copied to the window.
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (m_picture.size() != size)
        m_picture = QImage(size, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    {
        QPainter painter(&m_picture);
        painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
        Render(painter, true);
        {
            QtCanvas canvas(painter);
            Mfx3dDC dc(canvas, &m_camera);
            DrawOverlay(dc);
        }
        painter.resetTransform();
        DrawWindowOverlay(painter);
    }
    QPainter window(viewport());
    window.drawImage(event->rect(), m_picture, QRectF(event->rect().topLeft() * ratio,
                                                      event->rect().size() * ratio));
}

void VelmorBaseView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // A view showing the whole structure keeps showing it whole: a frame is laid out, and
    // often maximised, after its view is set up. A zoomed-in picture keeps its scale.
    if (m_ready && m_showsWhole)
        FitWhole();
}

void VelmorBaseView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void VelmorBaseView::UpdateScrollBars()
{
    const MfxPoint size = m_camera.DrawingSize();
    horizontalScrollBar()->setRange(0, std::max(0, int(size.x) - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, int(size.y) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
}

void VelmorBaseView::SetView(int viewCode)
{
    m_viewCode = viewCode;
    m_camera.SetView(m_doc.Problem().StructureBox(), 20.0, viewCode, Mfx3dPoint(0, 0, 0), this);
    ZoomReset();
}

void VelmorBaseView::ZoomReset()
{
    ShowPrompt(" ");
    FitWhole();
}

void VelmorBaseView::FitWhole()
{
    m_showsWhole = true;
    m_camera.Zoom(Mfx3dCamera::kZoomReset);
    UpdateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    OnUpdate({UpdateHint::WorkBox});
}

void VelmorBaseView::AddCommands()
{
    // Standard views only where a structure has depth; rotations once the camera can turn.
    const auto spatial = [this] { return m_doc.Problem().m_nType > PROBLEM_PLANE_FRAME; };
    const auto rotatable = [this] { return m_camera.IsRotatable(); };
    m_commands.Add(ID_VIEW_ORIGIN, [this] {
        SetView(m_doc.Problem().m_nType >= PROBLEM_SPACE_FRAME ? Mfx3dCamera::kViewOblique
                                                               : Mfx3dCamera::kViewXY);
    }, spatial);
    m_commands.Add(ID_VIEW_XY, [this] { SetView(Mfx3dCamera::kViewXY); }, spatial);
    m_commands.Add(ID_VIEW_XZ, [this] { SetView(Mfx3dCamera::kViewXZ); }, spatial);
    m_commands.Add(ID_VIEW_YZ, [this] { SetView(Mfx3dCamera::kViewYZ); }, spatial);
    const std::pair<int, int> rotations[] = {
        {ID_ROTATE_LEFT, 1}, {ID_ROTATE_RIGHT, 2}, {ID_ROTATE_UP, 4}, {ID_ROTATE_DOWN, 8}};
    for (const auto& [id, code] : rotations)
        m_commands.Add(id, [this, code = code] {
            m_camera.Rotate(code, Mfx3dCamera::kRotationStep);
            OnUpdate({UpdateHint::WorkBox});
        }, rotatable);
    m_commands.Add(ID_ZOOM, [this] {
        m_mode = m_mode == kZoomMode ? 1 : kZoomMode;
        ShowPrompt(m_mode == kZoomMode ? QString("Sélectionner rectangle de zoom") : QString(" "));
        ShowKind(m_mode == kZoomMode ? -2 : -1);
    }, {}, [this] { return m_mode == kZoomMode; });
    m_commands.Add(ID_ZOOM_ALL, [this] { ZoomReset(); });
    m_commands.Add(ID_PRINT_STRUCTURE, [this] { PrintWithDialog(); });
    m_commands.Add(ID_PRINT_PREVIEW_STRUCTURE, [this] { PrintPreview(); });
}

VelmorObject* VelmorBaseView::HitTest(int kind, int x, int y) const
{
    // Section icons are placed in window coordinates, every other symbol in the drawing's.
    if (kind == KIND_SECTION || kind == KIND_NONE)
        if (const VelmorDisplayEntry* e = m_display.HitTest(KIND_SECTION, x, y))
            return e->Element();
    if (kind == KIND_SECTION)
        return nullptr;
    const int dx = horizontalScrollBar()->value(), dy = verticalScrollBar()->value();
    for (const auto& e : m_display.Entries()) {
        const VelmorObject* element = e->Element();
        if (!element || element->Kind() == KIND_SECTION || (kind != KIND_NONE && element->Kind() != kind))
            continue;
        if (e->GetRegion().Contains(x + dx, y + dy))
            return e->Element();
    }
    return nullptr;
}

void VelmorBaseView::ShowPrompt(const QString& text)
{
    emit PromptChanged(text.isEmpty() ? QString(" ") : text);
}

void VelmorBaseView::ShowCoordinates(const Mfx3dPoint* point)
{
    const Mfx3dPoint p = point ? *point : Mfx3dPoint(0, 0, 0);
    emit CoordinatesChanged(QString::asprintf("x = %7.2f", p.x), QString::asprintf("y = %7.2f", p.y),
                            QString::asprintf("z = %7.2f", p.z));
}

void VelmorBaseView::ShowKind(int kind)
{
    emit KindChanged(m_mode == kZoomMode ? QString("ZOOM") : QString(kindName(kind)));
}

void VelmorBaseView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: OnCommand(ID_ROTATE_LEFT); break;
    case Qt::Key_Right: OnCommand(ID_ROTATE_RIGHT); break;
    case Qt::Key_Up: OnCommand(ID_ROTATE_UP); break;
    case Qt::Key_Down: OnCommand(ID_ROTATE_DOWN); break;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void VelmorBaseView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) {
        m_dragging = true;
        m_dragLast = p;
        return;
    }
    if (event->button() == Qt::LeftButton && m_mode == kZoomMode) {
        m_bandOrigin = p;
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_band->setGeometry(QRect(p, QSize()));
        m_band->show();
        return;
    }
    if (event->button() == Qt::RightButton) {
        for (int kind : {KIND_SECTION, KIND_NODAL_LOAD, KIND_BEAM_LOAD, KIND_SUPPORT}) {
            if (VelmorObject* e = HitTest(kind, p.x(), p.y())) {
                // One information window at a time; it stays until the user closes it.
                delete m_info;
                m_info = informationDialog(*e, m_doc.Problem().m_nType, this);
                if (m_info) {
                    m_info->setAttribute(Qt::WA_DeleteOnClose);
                    m_info->setProperty("information", true);
                    m_info->show();
                }
                return;
            }
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void VelmorBaseView::ZoomAt(QPoint cursor, double factor)
{
    const MfxPoint drawing = m_camera.DrawingSize();
    const double w = viewport()->width(), h = viewport()->height();
    if (w <= 0 || h <= 0 || factor <= 0.0)
        return;
    if (factor < 1.0 && (drawing.x * factor <= w && drawing.y * factor <= h)) {
        FitWhole();
        return;
    }
    const double px = cursor.x() + horizontalScrollBar()->value();
    const double py = cursor.y() + verticalScrollBar()->value();
    const double left = px - cursor.x() / factor, top = py - cursor.y() / factor;
    if (!m_camera.Zoom(Mfx3dCamera::kZoomToRect,
                       MfxRect(left, top, left + w / factor, top + h / factor)))
        return;
    m_showsWhole = false;
    UpdateScrollBars();
    // The picture is anchored at the window's top-left: near an edge it did not fill, the
    // point under the cursor stays put only if the view may scroll past the drawing's edge.
    const DevicePoint origin = m_camera.ScrollOrigin();
    QScrollBar* bars[2] = {horizontalScrollBar(), verticalScrollBar()};
    const int values[2] = {origin.x, origin.y};
    for (int i = 0; i < 2; ++i) {
        bars[i]->setRange(std::min(bars[i]->minimum(), values[i]), std::max(bars[i]->maximum(), values[i]));
        bars[i]->setValue(values[i]);
    }
    OnUpdate({UpdateHint::WorkBox});
}

QString VelmorBaseView::SectionTip(const VelmorObject& section)
{
    const auto* d = dynamic_cast<const VelmorSeccionData*>(section.m_pData.get());
    if (!d)
        return {};
    const char* shape = d->m_nShape == SHAPE_RECTANGULAR ? "rectangulaire"
                        : d->m_nShape == SHAPE_ARBITRARY ? "quelconque"
                        : d->m_nShape == SHAPE_AXIAL     ? "axiale (effort normal seul)"
                                                         : "sans forme";
    return QString::fromUtf8("Section %1 : %2\nE = %3 N/m², A = %4 m², Iz = %5 m⁴%6")
        .arg(d->m_number)
        .arg(QString::fromUtf8(shape))
        .arg(d->m_E, 0, 'g', 4)
        .arg(d->m_A, 0, 'g', 4)
        .arg(d->m_Iz, 0, 'g', 4)
        .arg(d->m_rho != 0.0 ? QString::fromUtf8("\nAvec poids propre (ρ = %1 kg/m³)").arg(d->m_rho)
                             : QString());
}

bool VelmorBaseView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const VelmorObject* section = HitTest(KIND_SECTION, help->pos().x(), help->pos().y())) {
            QToolTip::showText(help->globalPos(), SectionTip(*section), viewport());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void VelmorBaseView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->ignore();
        return;
    }
    ZoomAt(event->position().toPoint(), std::pow(1.25, steps));
    event->accept();
}

void VelmorBaseView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::MiddleButton)) {
        const QPoint p = event->position().toPoint();
        const QPoint d = p - m_dragLast;
        m_dragLast = p;
        if ((event->modifiers() & Qt::ShiftModifier) && m_camera.IsRotatable()) {
            // A full turn for about two window widths of drag.
            const double perPixel = 3.14159265358979 / std::max(1, viewport()->width());
            if (d.x() != 0)
                m_camera.Rotate(d.x() > 0 ? Mfx3dCamera::kTurnRight : Mfx3dCamera::kTurnLeft,
                                std::abs(d.x()) * perPixel);
            if (d.y() != 0)
                m_camera.Rotate(d.y() > 0 ? Mfx3dCamera::kTurnDown : Mfx3dCamera::kTurnUp,
                                std::abs(d.y()) * perPixel);
            OnUpdate({UpdateHint::WorkBox});
        } else {
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
            verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
        }
        return;
    }
    if (m_band && m_band->isVisible())
        m_band->setGeometry(QRect(m_bandOrigin, event->position().toPoint()).normalized());
    QAbstractScrollArea::mouseMoveEvent(event);
}

void VelmorBaseView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        m_dragging = false;
        return;
    }
    if (event->button() == Qt::LeftButton && m_band && m_band->isVisible()) {
        m_band->hide();
        const QRect r = QRect(m_bandOrigin, event->position().toPoint()).normalized().translated(
            horizontalScrollBar()->value(), verticalScrollBar()->value());
        m_mode = 0;
        ShowPrompt(" ");
        if (m_camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1))) {
            m_showsWhole = false;
            UpdateScrollBars();
            const DevicePoint origin = m_camera.ScrollOrigin();
            horizontalScrollBar()->setValue(origin.x);
            verticalScrollBar()->setValue(origin.y);
            OnUpdate({UpdateHint::WorkBox});
        }
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

bool VelmorBaseView::Print(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(printer.outputFormat() == QPrinter::PdfFormat
                        ? "Impossible d'écrire le fichier PDF " + printer.outputFileName().toStdString() + "."
                        : std::string("Impossible d'imprimer: aucune imprimante n'est prête.\n"
                                      "Choisissez l'impression dans un fichier PDF."),
                    MessageIcon::Error);
        return false;
    }
    const QRect page = painter.viewport();
    // A camera for the page: the view's direction and code, fitted to a third of the window and
    // scaled to the page.
    struct PageSource : ViewportSource
    {
        MfxRect rect;
        MfxRect ClientRect() const override { return rect; }
    } source;
    source.rect = MfxRect(0, 0, page.width(), page.height() * 0.9);
    Mfx3dCamera camera(&source);
    camera.SetView(m_doc.Problem().StructureBox(), 20.0, Mfx3dCamera::kViewGiven, m_camera.Direction(), &source);
    camera.Zoom(Mfx3dCamera::kZoomReset);
    QFont font("Courier New");
    font.setPixelSize(std::max(12, page.height() / 60));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, page.width(), page.height() / 20), Qt::AlignHCenter | Qt::AlignTop,
                     QString("Velmor -- Structure ") + m_doc.Title());
    painter.translate(0, page.height() / 10);
    {
        // The canvas hands its last lines to the painter and gives its state back when it
        // goes, which must be before the page is finished.
        QtCanvas canvas(painter);
        Mfx3dDC dc(canvas, &camera);
        const MfxColor pen(0, 0, 0);
        if (m_options.IsOn(OPT_DRAW_LIMITS))
            dc.DrawBox(m_doc.Problem().StructureBox(), Mfx3dDC::kOutline, pen);
        dc.DrawAxes(Mfx3dPoint(0, 0, 0), MfxTMatrix(), 50.0, "XYZ", Mfx3dDC::kFixedLength, pen, 10);
        // Paper is white: the page takes the white-background colours whatever the screen's.
        const Palette paper;
        const StructureRenderer renderer(
            RenderStyle{m_options, paper, m_sizes, m_doc.Problem().m_nType});
        for (const auto& entry : m_display.Entries())
            if (VelmorObject* e = entry->Element(); e && e->Kind() != KIND_SECTION && IsShown(*e)) {
                dc.SetPen(pen);
                renderer.Draw(*e, dc, nullptr, false);
            }
        PrintOverlay(dc, double(page.width()) / std::max(1, viewport()->width()));
    }
    painter.end();
    return true;
}

void VelmorBaseView::PrintWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    // Without any printer, the dialog opens on printing to a PDF file.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::home().filePath(QFileInfo(m_doc.Title()).completeBaseName() + ".pdf"));
    }
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer Structure"));
    if (dialog.exec() == QDialog::Accepted)
        Print(printer);
}

void VelmorBaseView::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { Print(*p); });
    preview.exec();
}

} // namespace velmor
