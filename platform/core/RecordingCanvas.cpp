// Recording canvas: keeps every call and the state it ran under, and prints them readably.
#include "RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velmor {

namespace {

std::string PointText(const PixelPoint& p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

std::string RectText(const PixelRect& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

std::string PenText(const Pen& pen)
{
    static const char* const styles[] = {"solid", "dash", "dot"};
    const int style = static_cast<int>(pen.style);
    return "pen " + pen.colour.ToString() + " w" + std::to_string(pen.width) + " " +
           (style >= 0 && style < 3 ? styles[style] : "?");
}

std::string FontText(const Font& font)
{
    return "font " + font.face + " " + std::to_string(font.pixelHeight) + "px w" +
           std::to_string(font.weight);
}

int CodePoints(std::string_view text)
{
    // Count the bytes that do not continue a UTF-8 sequence.
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

std::string ToString(RecordedCall::Kind kind)
{
    using K = RecordedCall::Kind;
    switch (kind) {
    case K::SelectPen:
        return "SelectPen";
    case K::SelectBrush:
        return "SelectBrush";
    case K::SelectFont:
        return "SelectFont";
    case K::SetRasterOp:
        return "SetRasterOp";
    case K::SetTextColour:
        return "SetTextColour";
    case K::SetBackgroundColour:
        return "SetBackgroundColour";
    case K::SetBackgroundMode:
        return "SetBackgroundMode";
    case K::MoveTo:
        return "MoveTo";
    case K::LineTo:
        return "LineTo";
    case K::Polygon:
        return "Polygon";
    case K::Polyline:
        return "Polyline";
    case K::Ellipse:
        return "Ellipse";
    case K::Arc:
        return "Arc";
    case K::Rectangle:
        return "Rectangle";
    case K::TextOut:
        return "TextOut";
    case K::FocusRect:
        return "FocusRect";
    }
    return "?";
}

std::string ToString(RasterOp op)
{
    switch (op) {
    case RasterOp::Not:
        return "not";
    case RasterOp::MaskPen:
        return "mask";
    case RasterOp::NotXorPen:
        return "notxor";
    case RasterOp::CopyPen:
        return "copy";
    case RasterOp::MergePen:
        return "merge";
    }
    return "?";
}

bool RecordedCall::IsDrawing() const
{
    switch (kind) {
    case Kind::LineTo:
    case Kind::Polygon:
    case Kind::Polyline:
    case Kind::Ellipse:
    case Kind::Arc:
    case Kind::Rectangle:
    case Kind::TextOut:
    case Kind::FocusRect:
        return true;
    default:
        return false;
    }
}

std::string RecordedCall::ToString() const
{
    using K = Kind;
    std::string s = velmor::ToString(kind);
    const std::string rop = " rop " + velmor::ToString(state.rasterOp);
    switch (kind) {
    case K::SelectPen:
        return s + " " + PenText(state.pen);
    case K::SelectBrush:
        return s + " " + state.brush.colour.ToString();
    case K::SelectFont:
        return s + " " + FontText(state.font);
    case K::SetRasterOp:
        return s + " " + velmor::ToString(state.rasterOp);
    case K::SetTextColour:
        return s + " " + state.textColour.ToString();
    case K::SetBackgroundColour:
        return s + " " + state.backgroundColour.ToString();
    case K::SetBackgroundMode:
        return s +
               (state.backgroundMode == BackgroundMode::Transparent ? " transparent" : " opaque");
    case K::MoveTo:
        return s + " " + PointText(points.at(0));
    case K::LineTo:
        return s + " " + PointText(points.at(0)) + "-" + PointText(points.at(1)) + " " +
               PenText(state.pen) + rop;
    case K::Polygon:
    case K::Polyline: {
        s += " [";
        for (size_t i = 0; i < points.size(); ++i)
            s += (i ? " " : "") + PointText(points[i]);
        s += "] " + PenText(state.pen);
        if (kind == K::Polygon)
            s += " brush " + state.brush.colour.ToString();
        return s + rop;
    }
    case K::Ellipse:
    case K::Rectangle:
        return s + " " + RectText(rect) + " " + PenText(state.pen) + " brush " +
               state.brush.colour.ToString() + rop;
    case K::Arc:
        return s + " " + RectText(rect) + " " + PenText(state.pen) + rop;
    case K::FocusRect:
        return s + " " + RectText(rect);
    case K::TextOut:
        return s + " " + PointText(points.at(0)) + " \"" + text + "\" " + FontText(state.font) +
               " colour " + state.textColour.ToString() +
               (state.backgroundMode == BackgroundMode::Transparent
                    ? " transparent"
                    : " on " + state.backgroundColour.ToString());
    }
    return s;
}

RecordedCall& RecordingCanvas::Record(RecordedCall::Kind kind)
{
    RecordedCall call;
    call.kind = kind;
    call.state = m_state;
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

Pen RecordingCanvas::SelectPen(const Pen& pen)
{
    return Replace(m_state.pen, pen, RecordedCall::Kind::SelectPen);
}

Brush RecordingCanvas::SelectBrush(const Brush& brush)
{
    return Replace(m_state.brush, brush, RecordedCall::Kind::SelectBrush);
}

Font RecordingCanvas::SelectFont(const Font& font)
{
    return Replace(m_state.font, font, RecordedCall::Kind::SelectFont);
}

RasterOp RecordingCanvas::SetRasterOp(RasterOp op)
{
    return Replace(m_state.rasterOp, op, RecordedCall::Kind::SetRasterOp);
}

Colour RecordingCanvas::SetTextColour(const Colour& colour)
{
    return Replace(m_state.textColour, colour, RecordedCall::Kind::SetTextColour);
}

Colour RecordingCanvas::SetBackgroundColour(const Colour& colour)
{
    return Replace(m_state.backgroundColour, colour, RecordedCall::Kind::SetBackgroundColour);
}

BackgroundMode RecordingCanvas::SetBackgroundMode(BackgroundMode mode)
{
    return Replace(m_state.backgroundMode, mode, RecordedCall::Kind::SetBackgroundMode);
}

void RecordingCanvas::MoveTo(int x, int y)
{
    m_state.position = {x, y};
    Record(RecordedCall::Kind::MoveTo).points = {{x, y}};
}

void RecordingCanvas::LineTo(int x, int y)
{
    const PixelPoint from = m_state.position;
    m_state.position = {x, y};
    Record(RecordedCall::Kind::LineTo).points = {from, {x, y}};
}

void RecordingCanvas::Polygon(std::span<const PixelPoint> points)
{
    Record(RecordedCall::Kind::Polygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Polyline(std::span<const PixelPoint> points)
{
    Record(RecordedCall::Kind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Ellipse(const PixelRect& rect)
{
    Record(RecordedCall::Kind::Ellipse).rect = rect;
}

void RecordingCanvas::Arc(const PixelRect& rect)
{
    Record(RecordedCall::Kind::Arc).rect = rect;
}

void RecordingCanvas::Rectangle(const PixelRect& rect)
{
    Record(RecordedCall::Kind::Rectangle).rect = rect;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text)
{
    RecordedCall& call = Record(RecordedCall::Kind::TextOut);
    call.points = {{x, y}};
    call.text = std::string(text);
}

PixelPoint RecordingCanvas::TextSize(std::string_view text) const
{
    const int height = m_state.font.pixelHeight;
    const int cell = static_cast<int>(std::ceil(0.6 * height));
    return {cell * CodePoints(text), height};
}

void RecordingCanvas::DrawFocusRect(const PixelRect& rect)
{
    Record(RecordedCall::Kind::FocusRect).rect = rect;
}

std::vector<RecordedCall> RecordingCanvas::Drawings() const
{
    std::vector<RecordedCall> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [](const RecordedCall& c) { return c.IsDrawing(); });
    return out;
}

std::vector<RecordedCall> RecordingCanvas::CallsOf(RecordedCall::Kind kind) const
{
    std::vector<RecordedCall> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [kind](const RecordedCall& c) { return c.kind == kind; });
    return out;
}

std::string RecordingCanvas::Describe() const
{
    std::string out;
    for (const RecordedCall& c : m_calls)
        out += c.ToString() + "\n";
    return out;
}

} // namespace velmor
