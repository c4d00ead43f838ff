// The scrolling 3D view of a structure: its camera, the display list of the elements it shows,
// the view commands (standard views, rotations, zoom), the status read-outs, the information
// window of the right button and the printing of the structure.
#pragma once

#include "model/VelmorProblem.h"
#include "numeric/Mfx3dCamera.h"
#include "views/core/DisplayList.h"
#include "platform/core/CommandTable.h"
#include "resources/MenuTables.h"
#include "views/core/StructureRenderer.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QPointer>
#include <QImage>

#include <memory>

class QLabel;
class QPainter;
class QPrinter;
class QRubberBand;

namespace velmor {

class Mfx3dDC;
class VelmorDoc;

class VelmorBaseView : public QAbstractScrollArea, public ProblemObserver, public ViewportSource
{
    Q_OBJECT
public:
    static constexpr int kZoomMode = 4;

    VelmorBaseView(VelmorDoc& doc, QWidget* parent = nullptr);
    ~VelmorBaseView() override;

    // Sets the camera to the default view of the problem type and starts listening.
    void Setup();
    // Stops listening and lets go of the elements: the view shows nothing more of its document,
    // which may then go before the view does.
    void Detach();

    // What the view draws with: the program's options (its document's), its own palette and
    // its own symbol sizes, computed from the box of the structure it shows.
    const ProgramOptions& Options() const { return m_options; }
    const SymbolSizes& Sizes() const { return m_sizes; }
    const Palette& CurrentPalette() const { return m_palette; }
    StructureRenderer Renderer() const;

    void OnUpdate(const ChangeEvent& change) override;
    MfxRect ClientRect() const override;

    // View commands (views, rotations, zoom, printing of the structure): true when handled;
    // enabling and check marks. A command the view does not know is neither.
    bool OnCommand(int id) { return m_commands.Run(id); }
    bool IsEnabled(int id) const { return m_commands.IsEnabled(id); }
    bool IsChecked(int id) const { return m_commands.IsChecked(id); }
    const CommandTable& Commands() const { return m_commands; }

    // The first element shown under the device point (viewport coordinates) of the kind, or
    // any kind with -1; null when none.
    VelmorObject* HitTest(int kind, int x, int y) const;
    const Mfx3dCamera& Camera() const { return m_camera; }
    const DisplayList& Display() const { return m_display; }
    int InteractionMode() const { return m_mode; }

    // Draws the structure as the view shows it (the box, the axes, every element).
    void Render(QPainter& painter, bool background);
    // One page: the title line "Velmor -- Structure <title>" and the drawing; false, with a
    // message, when the printer or the PDF file cannot be written.
    bool Print(QPrinter& printer);
    // "Imprimer Structure": the print dialog (which offers printing to a PDF file, chosen at
    // first when no printer is installed), then the page.
    void PrintWithDialog();
    void PrintPreview();

    // Zooms by `factor` (above 1: closer) keeping the drawing's point under `cursor` (viewport
    // coordinates) where it is; back to the whole structure once the drawing would be smaller
    // than the window.
    void ZoomAt(QPoint cursor, double factor);
    // What the tooltip of a section's icon says: "Section n : shape", its material and area.
    static QString SectionTip(const VelmorObject& section);

signals:
    void PromptChanged(const QString& text);
    void CoordinatesChanged(const QString& x, const QString& y, const QString& z);
    void KindChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel zooms about the point under the cursor.
    void wheelEvent(QWheelEvent* event) override;
    // A tooltip on a section's icon (the squares in the window's corner) says which section
    // and material it is.
    bool viewportEvent(QEvent* event) override;

    // Drawn over the structure at every paint (the editor's node cursor); nothing here.
    virtual void DrawOverlay(Mfx3dDC&) {}
    // Drawn last at every paint, in window coordinates whatever the scrolling; nothing here.
    virtual void DrawWindowOverlay(QPainter&) {}
    // Drawn on the printed page after the structure, with the page's camera; `pixelScale` is
    // the page's device pixels per pixel of the window. Nothing here.
    virtual void PrintOverlay(Mfx3dDC&, double /*pixelScale*/) {}
    // Whether an element of the display list is drawn (on screen and on paper); all are here.
    virtual bool IsShown(const VelmorObject&) const { return true; }

    void ShowPrompt(const QString& text);
    void ShowCoordinates(const Mfx3dPoint* point);
    void ShowKind(int kind);
    void SetView(int viewCode);
    void ZoomReset();
    // The whole structure fitted to the window, scrolled to the start, all entries refreshed.
    void FitWhole();
    void UpdateScrollBars();

    // The symbol sizes follow the box the view fits to.
    void ComputeSizes();
    void AddCommands();

    VelmorDoc& m_doc;
    const ProgramOptions& m_options;
    Palette m_palette;
    SymbolSizes m_sizes;
    Mfx3dCamera m_camera;
    DisplayList m_display;
    CommandTable m_commands;
    int m_mode = 1;
    int m_viewCode = 1;
    bool m_ready = false;
    // Whether the picture is the whole structure (set up, "whole structure", a view command)
    // rather than a zoom rectangle's.
    bool m_showsWhole = false;
    QRubberBand* m_band = nullptr;
    QPoint m_bandOrigin;
    // Middle-button drag: pan, or with Shift, in the oblique view of a space problem, orbit.
    QPoint m_dragLast;
    bool m_dragging = false;
    // The information window of the right button: the element's dialog, read-only.
    QPointer<QDialog> m_info;
    // The window's picture is drawn here first, then copied to the window (see paintEvent).
    QImage m_picture;
};

} // namespace velmor
