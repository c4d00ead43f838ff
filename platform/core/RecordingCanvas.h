// A canvas that draws nothing and keeps a readable list of every call with the drawing state it
// ran under, so tests can check what the drawing context and the elements drew.
#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

namespace velmor {

// Everything a primitive draws with.
struct CanvasState
{
    Pen pen;
    Brush brush;
    Font font;
    RasterOp rasterOp = RasterOp::CopyPen;
    Colour textColour{0, 0, 0};
    Colour backgroundColour{255, 255, 255};
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    PixelPoint position;
    friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

struct RecordedCall
{
    enum class Kind
    {
        SelectPen,
        SelectBrush,
        SelectFont,
        SetRasterOp,
        SetTextColour,
        SetBackgroundColour,
        SetBackgroundMode,
        MoveTo,
        LineTo,
        Polygon,
        Polyline,
        Ellipse,
        Arc,
        Rectangle,
        TextOut,
        FocusRect,
    };

    Kind kind = Kind::MoveTo;
    // MoveTo: the point; LineTo: the start (the current position) and the end; Polygon and
    // Polyline: the vertices; TextOut: the position. Empty otherwise.
    std::vector<PixelPoint> points;
    // Ellipse, Arc, Rectangle, FocusRect: the rectangle as given.
    PixelRect rect;
    // TextOut: the text.
    std::string text;
    // The state after the call (for a primitive: the state it was drawn with).
    CanvasState state;

    // True for the calls that put pixels on the surface (MoveTo and state changes do not).
    bool IsDrawing() const;
    // One line, e.g. "LineTo (1, 2)-(3, 4) pen (255, 0, 0) w1 solid rop copy".
    std::string ToString() const;
};

std::string ToString(RecordedCall::Kind kind);
std::string ToString(RasterOp op);

// TextSize estimates a cell of 0.6 x the font height per character (UTF-8 code point), and the
// font height.
class RecordingCanvas : public Canvas
{
public:
    RecordingCanvas() = default;

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
    Pen CurrentPen() const override { return m_state.pen; }
    Brush CurrentBrush() const override { return m_state.brush; }
    Font CurrentFont() const override { return m_state.font; }

    RasterOp SetRasterOp(RasterOp op) override;
    RasterOp CurrentRasterOp() const override { return m_state.rasterOp; }

    Colour SetTextColour(const Colour& colour) override;
    Colour SetBackgroundColour(const Colour& colour) override;
    BackgroundMode SetBackgroundMode(BackgroundMode mode) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polygon(std::span<const PixelPoint> points) override;
    void Polyline(std::span<const PixelPoint> points) override;
    void Ellipse(const PixelRect& rect) override;
    void Arc(const PixelRect& rect) override;
    void Rectangle(const PixelRect& rect) override;
    void TextOut(int x, int y, std::string_view text) override;
    PixelPoint TextSize(std::string_view text) const override;
    void DrawFocusRect(const PixelRect& rect) override;

    // Every call in order.
    const std::vector<RecordedCall>& Calls() const { return m_calls; }
    // The calls that drew something, in order.
    std::vector<RecordedCall> Drawings() const;
    // The calls of one kind, in order.
    std::vector<RecordedCall> CallsOf(RecordedCall::Kind kind) const;
    // One line per call.
    std::string Describe() const;
    // Forgets the calls; the state stays.
    void ClearCalls() { m_calls.clear(); }
    const CanvasState& State() const { return m_state; }

private:
    RecordedCall& Record(RecordedCall::Kind kind);
    // Sets a piece of the drawing state, records the call and returns the previous value.
    template <class T> T Replace(T& slot, const T& value, RecordedCall::Kind kind)
    {
        T previous = slot;
        slot = value;
        Record(kind);
        return previous;
    }

    CanvasState m_state;
    std::vector<RecordedCall> m_calls;
};

} // namespace velmor
