// The 3D drawing context: draws lines, faces, solids, discs, arrows, axes, text and law
// diagrams given in model coordinates through a view's camera onto a canvas, and builds the
// matching hit-test regions for picking.
#pragma once

#include "Mfx3dBox.h"
#include "Mfx3dCamera.h"
#include "Mfx3dPoint.h"
#include "Mfx3dPolygon.h"
#include "MfxTMatrix.h"
#include "Polynomial.h"
#include "platform/core/Canvas.h"
#include "platform/core/Region.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace velmor {

// The colours the primitives take; (-1, -1, -1), the default, means "keep the pen or brush
// already selected".
using MfxColor = Colour;

// Every primitive projects its model points with the camera, truncates the device coordinates
// towards zero to whole pixels and draws with the canvas's plain operations. Device
// coordinates are clamped to +-kDeviceLimit before truncation (a NaN becomes 0), so a point
// far outside the picture cannot overflow an int.
//
// Resources: the pen, brush and font made by SetPen, SetBrush and SetFont stay selected in the
// canvas while the context lives; the destructor selects back the ones the canvas had before
// the first of each kind was made, and touches nothing it did not replace. The text colour,
// background mode and raster operation are the canvas's state and are not restored (DrawCursor
// restores its raster operation itself).
//
// Lifetime: one paint, update or mouse event. The canvas and the camera must outlive the
// context, and the camera must not be changed while the context lives. Without a camera
// (null) the primitives given in model coordinates draw nothing and their regions are empty;
// DrawText2d still works.
//
// Every drawing primitive returns 1.
class Mfx3dDC
{
public:
    // Mode words of DrawPolygon, DrawBox, DrawPyramid and DrawDisc: the low byte is the mode.
    static constexpr int kModeMask = 0xFF;
    static constexpr int kOutline = 1;
    static constexpr int kFilled = 2;
    // DrawPolygon: lighten the given colour by the face's angle to the light.
    static constexpr int kShade = 0x1000;
    // DrawLaw: a line from the axis to the curve at every sample.
    static constexpr int kHatch = 2;
    // DrawLaw: the scale argument is taken as 1.
    static constexpr int kUnitScale = 0x2000;
    // DrawArrow: an arrow of fixed screen length.
    static constexpr int kFixedLength = 0x10;
    // DrawArrow: a circular arrow (a moment) instead of a straight one.
    static constexpr int kCircular = 0x40;
    // DrawCursor: guide lines from the point to the axes.
    static constexpr int kGuideLines = 0x100;
    // DrawText3d, DrawText2d: transparent background.
    static constexpr int kTransparent = 1;
    static constexpr int kDeviceLimit = 1 << 26;

    // The light direction is (1, 1, 1) normalised, in view coordinates.
    Mfx3dDC(Canvas& canvas, const Mfx3dCamera* camera);
    ~Mfx3dDC();
    Mfx3dDC(const Mfx3dDC&) = delete;
    Mfx3dDC& operator=(const Mfx3dDC&) = delete;

    // Selects a new pen (colour, width in device units, style). A pen of no colour draws
    // nothing.
    void SetPen(const MfxColor& colour, int width = 1, PenStyle style = PenStyle::Solid);
    // Selects a new solid brush; a brush of no colour fills nothing.
    void SetBrush(const MfxColor& colour);
    // Selects "Arial" of `height` pixels (the absolute value), weight 400.
    void SetFont(int height);

    // SetPen(colour, width) when the colour is given; a line from A to B.
    int Line(const Mfx3dPoint& a, const Mfx3dPoint& b, const MfxColor& colour = {}, int width = 1);

    // Mode 1: SetPen(colour) when given; the closed outline, from the last vertex through every
    // vertex in order. Mode 2: SetBrush(colour) when given; n = the polygon's normal turned into
    // view coordinates. When n is zero (fewer than three vertices, or the first three on one
    // line) nothing is drawn. With kShade and a colour the brush is made again from the colour
    // plus (1, 0, 0) once for every started 0.25 of dot(n, light) + 1 (0 to 2). A face whose
    // n.z > 0 (turned towards the viewer) is filled and outlined with the canvas's Polygon;
    // any other face gets its outline only (Polyline through the vertices and the closing edge
    // from the last vertex to the first). Other modes draw nothing. The light's w is
    // set to 0 afterwards. An empty polygon draws nothing.
    int DrawPolygon(const Mfx3dPolygon& polygon, int mode, const MfxColor& colour = {});
    // The six faces of BoxFaces through DrawPolygon.
    int DrawBox(const Mfx3dBox& box, int mode, const MfxColor& colour = {});
    // The five faces of PyramidFaces through DrawPolygon.
    int DrawPyramid(const Mfx3dBox& solid, int mode, const MfxColor& colour = {});
    // A disc of `radius` model units about the centre. Device radius r = the length of the
    // camera mapping applied to (radius, 0, 0, 0), truncated; the square (cx - r, cy - r,
    // cx + r, cy + r) about the projected centre. Mode 1: SetPen(colour) when given, the full
    // outline (Arc). Mode 2: SetBrush(colour) when given, a filled ellipse (Ellipse).
    int DrawDisc(const Mfx3dPoint& centre, double radius, int mode, const MfxColor& colour = {});
    // With the raster operation set to RasterOp::Not for its duration, so that drawing the
    // same cursor twice erases it: with kGuideLines the lines from (P.x, P.y, 0) to (0, P.y, 0),
    // to (P.x, 0, 0) and to P; then a filled disc of radius `size` (model units) at P, with the
    // current pen and brush. The previous raster operation is restored.
    int DrawCursor(const Mfx3dPoint& point, int flags, double size);
    // R = the camera's client height times `relativeSize`, h = 0.2 R. S and E are the device
    // points of start and end, u the unit vector from S to E and v = (u.y, -u.x). With
    // kFixedLength E becomes S + R u. SetPen(colour) when given. Straight arrow: the shaft S-E
    // and, unless S and E coincide, two head strokes from E to E - h u + (h/2) v and to
    // E - h u - (h/2) v. Circular arrow (kCircular): the shaft S-E stands for the moment axis;
    // about it, a three-quarter circle of 0.2 R pixels radius in the model plane through
    // `start` perpendicular to the axis, turning in the positive sense about the axis (right
    // hand), projected as a line of 24 segments, with a head of two strokes of 0.1 R at its end
    // point, set along the arc's direction there. No arc when the axis has zero length or the
    // picture has no scale. Other flag bits are ignored.
    int DrawArrow(const Mfx3dPoint& start, const Mfx3dPoint& end, double relativeSize, int flags,
                  const MfxColor& colour = {});
    // Three arrows from the origin towards origin + size * (orientation * X, Y, Z unit vector),
    // drawn by DrawArrow with `flags` and the relative size size / client height: with
    // kFixedLength each arrow is `size` pixels long. Arrow k is labelled with the k-th
    // character (UTF-8 code point) of `labels`, if any, drawn transparent 5 pixels right of and
    // 5 pixels below the arrow's end in the colour; the first label selects an "Arial" font of
    // `fontHeight` pixels. The labels are drawn after the three arrows, so no arrow covers one.
    int DrawAxes(const Mfx3dPoint& origin, const MfxTMatrix& orientation, double size,
                 std::string_view labels, int flags, const MfxColor& colour = {},
                 int fontHeight = 8);
    // Nothing when the text is empty. Otherwise SetFont(fontHeight) when it is not 0, the text
    // colour when given, a transparent background with kTransparent, and the UTF-8 text with
    // its top-left corner at the projected point + (dx, dy).
    int DrawText3d(std::string_view text, const Mfx3dPoint& point, const MfxColor& colour = {},
                   int dx = 0, int dy = 0, int flags = 0, int fontHeight = 0);
    // As DrawText3d at a device point.
    int DrawText2d(std::string_view text, const PixelPoint& point, const MfxColor& colour = {},
                   int flags = 0, int fontHeight = 0);
    // A law diagram along the segment start-end of length L: the curve through
    // start + t (end - start) + P(t L) * scale * direction for one law, or through
    // start + t (end - start) + (P1(t L), P2(t L), P3(t L)) * scale for three (a displacement);
    // kUnitScale takes scale as 1. The range [from, to] is first cut to [0, 1]; it is sampled
    // at `from`, at every t = k / divisions strictly inside it and at `to` (so the full range
    // gives t = 0, 1/n, ..., 1), and the samples are joined by lines. A line from the axis to
    // the curve closes both ends of the range; with kHatch such a line is drawn at every
    // sample. SetPen(colour) when given. Nothing for an empty range (from > to after the cut)
    // or when `laws` holds neither one nor three polynomials; divisions below 1 count as 1.
    int DrawLaw(std::span<const Polynomial> laws, const Mfx3dPoint& start, const Mfx3dPoint& end,
                const Mfx3dPoint& direction, double scale, int divisions, double from, double to,
                int mode, const MfxColor& colour = {});

    // Hit-test regions in device units, from the same projected geometry as the drawing.
    // The ellipse of DrawDisc's square.
    Region DiscRegion(const Mfx3dPoint& centre, double radius) const;
    // The projected vertices.
    Region PolygonRegion(const Mfx3dPolygon& polygon) const;
    // The union of the faces' polygon regions.
    Region FaceRegion(std::span<const Mfx3dPolygon> faces) const;
    Region BoxRegion(const Mfx3dBox& box) const;
    Region PyramidRegion(const Mfx3dBox& solid) const;
    // Covers everything DrawArrow draws with the same arguments, with a margin of
    // kHitMargin pixels about every stroke; a circular arrow's region also holds the inside of
    // its circle.
    Region ArrowRegion(const Mfx3dPoint& start, const Mfx3dPoint& end, double relativeSize,
                       int flags) const;
    static constexpr int kHitMargin = 2;

    // The faces of a box, by corner number of Mfx3dBox::Corners: (3, 2, 1, 0), (0, 1, 5, 4),
    // (0, 4, 7, 3), (2, 3, 7, 6), (1, 2, 6, 5), (4, 5, 6, 7); their normals point outwards.
    static std::array<Mfx3dPolygon, 6> BoxFaces(const Mfx3dBox& box);
    // The faces of a five-face solid on the box's base corners 0-3 and three points at the
    // box's height, 4 (0, 0, h), 5 (-hx, 0, h), 6 (hx, 0, h), turned by the orientation about
    // the base centre. Kind Mfx3dBox::kPyramid: apex 4, faces (3, 2, 1, 0), (0, 1, 4, 0),
    // (0, 4, 3, 0), (2, 3, 4, 2), (1, 2, 4, 1). Any other kind: a triangular prism with the
    // ridge 5-6, faces (3, 2, 1, 0), (0, 1, 6, 5), (0, 5, 3, 0), (2, 3, 5, 6), (1, 2, 6, 1).
    // Each face has four entries; a triangle repeats a vertex.
    static std::array<Mfx3dPolygon, 5> PyramidFaces(const Mfx3dBox& solid);

    // A model point in whole device units ((0, 0) without a camera).
    PixelPoint ProjectPoint(const Mfx3dPoint& p) const;
    Canvas& Device() const { return m_canvas; }
    const Mfx3dCamera* Camera() const { return m_camera; }
    const Mfx3dPoint& Light() const { return m_light; }

private:
    struct Segment
    {
        PixelPoint from;
        PixelPoint to;
    };
    // What DrawArrow draws, in device units: the strokes, and for a circular arrow the arc and
    // its centre.
    // At most three strokes (shaft and head), kept in place: views draw tens of thousands of
    // arrows in one paint.
    class Strokes
    {
    public:
        void push_back(const Segment& s) { m_items[m_count++] = s; }
        size_t size() const { return m_count; }
        const Segment& front() const { return m_items[0]; }
        const Segment& operator[](size_t i) const { return m_items[i]; }
        const Segment* begin() const { return m_items.data(); }
        const Segment* end() const { return m_items.data() + m_count; }

    private:
        std::array<Segment, 3> m_items{};
        size_t m_count = 0;
    };
    struct ArrowShape
    {
        Strokes strokes;
        std::vector<PixelPoint> arc;
        PixelPoint centre;
        // Where the arrow ends (the shaft's end); labels are placed from it.
        PixelPoint end;
        // Head triangle (tip and the two stroke ends), when there is a head.
        std::optional<std::array<PixelPoint, 3>> head;
    };
    ArrowShape ArrowGeometry(const Mfx3dPoint& start, const Mfx3dPoint& end, double relativeSize,
                             int flags) const;
    // DrawDisc's square about the projected centre.
    PixelRect DiscSquare(const Mfx3dPoint& centre, double radius) const;
    double ClientHeight() const;
    // Device units per model unit of the current mapping.
    double MappingScale() const;
    std::vector<PixelPoint> ProjectAll(std::span<const Mfx3dPoint> points) const;
    void DrawSegment(const Segment& s);
    // Draws a shape from ArrowGeometry with the current pen.
    void DrawArrowShape(const ArrowShape& shape);

    Canvas& m_canvas;
    const Mfx3dCamera* m_camera;
    std::optional<Pen> m_previousPen;
    std::optional<Brush> m_previousBrush;
    std::optional<Font> m_previousFont;
    Mfx3dPoint m_light;
};

} // namespace velmor
