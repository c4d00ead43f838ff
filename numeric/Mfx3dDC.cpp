// The 3D drawing context: projection to whole pixels, the primitives, the solids' faces, the
// arrow geometry and the hit-test regions.
#include "Mfx3dDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmor {

namespace {

// Box corners of each face (Mfx3dBox::Corners numbering).
constexpr int kBoxFaces[6][4] = {{3, 2, 1, 0}, {0, 1, 5, 4}, {0, 4, 7, 3},
                                 {2, 3, 7, 6}, {1, 2, 6, 5}, {4, 5, 6, 7}};
// Five-face solids: base corners 0-3, then 4 the apex (0, 0, h), 5 (-hx, 0, h), 6 (hx, 0, h).
constexpr int kPyramidFaces[5][4] = {
    {3, 2, 1, 0}, {0, 1, 4, 0}, {0, 4, 3, 0}, {2, 3, 4, 2}, {1, 2, 4, 1}};
constexpr int kPrismFaces[5][4] = {
    {3, 2, 1, 0}, {0, 1, 6, 5}, {0, 5, 3, 0}, {2, 3, 5, 6}, {1, 2, 6, 1}};

// Share of the arrow length R taken by a straight arrow's head and by a circular arrow's radius.
constexpr double kHeadShare = 0.2;
// A straight arrow's head is never longer than this share of its shaft.
constexpr double kHeadOfShaft = 1.0 / 3.0;
// A circular arrow sweeps three quarters of a turn in this many straight pieces.
constexpr int kArcPieces = 24;
constexpr double kArcSweep = 1.5 * std::numbers::pi;

int ToDevice(double v)
{
    if (std::isnan(v))
        return 0;
    const double limit = Mfx3dDC::kDeviceLimit;
    return static_cast<int>(std::clamp(v, -limit, limit));
}

struct Vec2
{
    double x = 0.0;
    double y = 0.0;
};

Vec2 Difference(const PixelPoint& to, const PixelPoint& from)
{
    return {double(to.x) - from.x, double(to.y) - from.y};
}

double Length(const Vec2& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

PixelPoint Offset(const PixelPoint& p, const Vec2& along, double a, const Vec2& across, double b)
{
    return {ToDevice(p.x + a * along.x + b * across.x), ToDevice(p.y + a * along.y + b * across.y)};
}

// A rectangle about the segment, widened by `margin` on every side, as a polygon; a square
// about a segment of no length.
void AddStrokeCover(Region& region, const PixelPoint& from, const PixelPoint& to, int margin)
{
    const Vec2 d = Difference(to, from);
    const double len = Length(d);
    if (len == 0.0) {
        region.AddRect({from.x - margin, from.y - margin, from.x + margin, from.y + margin});
        return;
    }
    const Vec2 u{d.x / len, d.y / len};
    const Vec2 n{-u.y, u.x};
    const double m = margin;
    const PixelPoint corners[4] = {Offset(from, u, -m, n, m), Offset(to, u, m, n, m),
                                   Offset(to, u, m, n, -m), Offset(from, u, -m, n, -m)};
    region.AddPolygon(corners);
}

} // namespace

Mfx3dDC::Mfx3dDC(Canvas& canvas, const Mfx3dCamera* camera)
    : m_canvas(canvas), m_camera(camera), m_light(1, 1, 1)
{
    m_light.normalize();
}

Mfx3dDC::~Mfx3dDC()
{
    if (m_previousPen)
        m_canvas.SelectPen(*m_previousPen);
    if (m_previousBrush)
        m_canvas.SelectBrush(*m_previousBrush);
    if (m_previousFont)
        m_canvas.SelectFont(*m_previousFont);
}

void Mfx3dDC::SetPen(const MfxColor& colour, int width, PenStyle style)
{
    const Pen previous = m_canvas.SelectPen(Pen{colour, width, style});
    if (!m_previousPen)
        m_previousPen = previous;
}

void Mfx3dDC::SetBrush(const MfxColor& colour)
{
    const Brush previous = m_canvas.SelectBrush(Brush{colour});
    if (!m_previousBrush)
        m_previousBrush = previous;
}

void Mfx3dDC::SetFont(int height)
{
    Font previous = m_canvas.SelectFont(Font{"Arial", std::abs(height), 400});
    if (!m_previousFont)
        m_previousFont = std::move(previous);
}

PixelPoint Mfx3dDC::ProjectPoint(const Mfx3dPoint& p) const
{
    if (!m_camera)
        return {};
    const MfxPoint d = m_camera->Project(p);
    return {ToDevice(d.x), ToDevice(d.y)};
}

std::vector<PixelPoint> Mfx3dDC::ProjectAll(std::span<const Mfx3dPoint> points) const
{
    std::vector<PixelPoint> out;
    out.reserve(points.size());
    for (const Mfx3dPoint& p : points)
        out.push_back(ProjectPoint(p));
    return out;
}

double Mfx3dDC::ClientHeight() const
{
    if (!m_camera)
        return 0.0;
    const MfxRect client = m_camera->ClientRect();
    return std::abs(client.bottom - client.top);
}

double Mfx3dDC::MappingScale() const
{
    if (!m_camera)
        return 0.0;
    return (m_camera->Mapping().Forward() * Mfx3dPoint(1, 0, 0, 0)).length();
}

void Mfx3dDC::DrawSegment(const Segment& s)
{
    m_canvas.MoveTo(s.from.x, s.from.y);
    m_canvas.LineTo(s.to.x, s.to.y);
}

int Mfx3dDC::Line(const Mfx3dPoint& a, const Mfx3dPoint& b, const MfxColor& colour, int width)
{
    if (!m_camera)
        return 1;
    if (colour.IsGiven())
        SetPen(colour, width);
    DrawSegment({ProjectPoint(a), ProjectPoint(b)});
    return 1;
}

int Mfx3dDC::DrawPolygon(const Mfx3dPolygon& polygon, int mode, const MfxColor& colour)
{
    if (!m_camera || polygon.Count() == 0) {
        m_light.w = 0.0;
        return 1;
    }
    const std::vector<PixelPoint> points = ProjectAll(polygon.Points());
    // The closed outline: from the last vertex through every vertex in order.
    auto outline = [&] {
        m_canvas.MoveTo(points.back().x, points.back().y);
        for (const PixelPoint& p : points)
            m_canvas.LineTo(p.x, p.y);
    };

    switch (mode & kModeMask) {
    case kOutline:
        if (colour.IsGiven())
            SetPen(colour);
        outline();
        break;
    case kFilled: {
        if (colour.IsGiven())
            SetBrush(colour);
        const Mfx3dPoint n = m_camera->ProjectDirection(polygon.Normal());
        if (n == Mfx3dPoint(0, 0, 0))
            break;
        if ((mode & kShade) && colour.IsGiven()) {
            const double k = dot(n, m_light) + 1.0;
            MfxColor shaded = colour;
            for (double t = 0.0; t < k; t += 0.25)
                shaded += MfxColor(1, 0, 0);
            SetBrush(shaded);
        }
        if (n.z > 0.0) {
            m_canvas.Polygon(points);
        } else {
            // Seen from behind: the outline only, closed by the edge from the last vertex
            // back to the first.
            m_canvas.Polyline(points);
            m_canvas.MoveTo(points.back().x, points.back().y);
            m_canvas.LineTo(points.front().x, points.front().y);
        }
        break;
    }
    default:
        break;
    }
    m_light.w = 0.0;
    return 1;
}

std::array<Mfx3dPolygon, 6> Mfx3dDC::BoxFaces(const Mfx3dBox& box)
{
    const std::array<Mfx3dPoint, 8> corners = box.Corners();
    std::array<Mfx3dPolygon, 6> faces;
    for (size_t f = 0; f < faces.size(); ++f)
        faces[f] = Mfx3dPolygon(4, corners.data(), kBoxFaces[f]);
    return faces;
}

std::array<Mfx3dPolygon, 5> Mfx3dDC::PyramidFaces(const Mfx3dBox& solid)
{
    const std::array<Mfx3dPoint, 8> corners = solid.Corners();
    const double hx = solid.HalfExtentX();
    const double h = solid.Height();
    const Mfx3dPoint& base = solid.BaseCentre();
    const MfxTMatrix& turn = solid.Orientation();
    const Mfx3dPoint points[7] = {corners[0],
                                  corners[1],
                                  corners[2],
                                  corners[3],
                                  base + turn * Mfx3dPoint(0, 0, h, 0),
                                  base + turn * Mfx3dPoint(-hx, 0, h, 0),
                                  base + turn * Mfx3dPoint(hx, 0, h, 0)};
    const auto& table = solid.Kind() == Mfx3dBox::kPyramid ? kPyramidFaces : kPrismFaces;
    std::array<Mfx3dPolygon, 5> faces;
    for (size_t f = 0; f < faces.size(); ++f)
        faces[f] = Mfx3dPolygon(4, points, table[f]);
    return faces;
}

int Mfx3dDC::DrawBox(const Mfx3dBox& box, int mode, const MfxColor& colour)
{
    for (const Mfx3dPolygon& face : BoxFaces(box))
        DrawPolygon(face, mode, colour);
    return 1;
}

int Mfx3dDC::DrawPyramid(const Mfx3dBox& solid, int mode, const MfxColor& colour)
{
    for (const Mfx3dPolygon& face : PyramidFaces(solid))
        DrawPolygon(face, mode, colour);
    return 1;
}

PixelRect Mfx3dDC::DiscSquare(const Mfx3dPoint& centre, double radius) const
{
    const Mfx3dPoint image = m_camera->Mapping().Forward() * Mfx3dPoint(radius, 0, 0, 0);
    const int r = ToDevice(image.length());
    const PixelPoint c = ProjectPoint(centre);
    return {c.x - r, c.y - r, c.x + r, c.y + r};
}

int Mfx3dDC::DrawDisc(const Mfx3dPoint& centre, double radius, int mode, const MfxColor& colour)
{
    if (!m_camera)
        return 1;
    const PixelRect square = DiscSquare(centre, radius);
    switch (mode & kModeMask) {
    case kOutline:
        if (colour.IsGiven())
            SetPen(colour);
        m_canvas.Arc(square);
        break;
    case kFilled:
        if (colour.IsGiven())
            SetBrush(colour);
        m_canvas.Ellipse(square);
        break;
    default:
        break;
    }
    return 1;
}

Region Mfx3dDC::DiscRegion(const Mfx3dPoint& centre, double radius) const
{
    if (!m_camera)
        return {};
    return Region::FromEllipse(DiscSquare(centre, radius));
}

int Mfx3dDC::DrawCursor(const Mfx3dPoint& point, int flags, double size)
{
    if (!m_camera)
        return 1;
    const RasterOp previous = m_canvas.SetRasterOp(RasterOp::Not);
    if (flags & kGuideLines) {
        const Mfx3dPoint foot(point.x, point.y, 0);
        Line(foot, Mfx3dPoint(0, point.y, 0));
        Line(foot, Mfx3dPoint(point.x, 0, 0));
        Line(foot, point);
    }
    DrawDisc(point, size, kFilled);
    m_canvas.SetRasterOp(previous);
    return 1;
}

Mfx3dDC::ArrowShape Mfx3dDC::ArrowGeometry(const Mfx3dPoint& start, const Mfx3dPoint& end,
                                           double relativeSize, int flags) const
{
    ArrowShape shape;
    const double bigR = ClientHeight() * relativeSize;
    const PixelPoint s = ProjectPoint(start);
    PixelPoint e = ProjectPoint(end);
    const Vec2 d = Difference(e, s);
    const double len = Length(d);
    const Vec2 u = len > 0.0 ? Vec2{d.x / len, d.y / len} : Vec2{};
    if ((flags & kFixedLength) && len > 0.0)
        e = Offset(s, u, bigR, u, 0.0);
    shape.strokes.push_back({s, e});
    shape.end = e;
    shape.centre = s;

    if (!(flags & kCircular)) {
        if (len == 0.0)
            return shape;
        // Where short arrows meet (the ends of distributed loads at a loaded node) full-size
        // heads crossed into a star: a head stays within the last third of its own shaft.
        const double shaft = (flags & kFixedLength) ? bigR : len;
        const double h = std::min(kHeadShare * bigR, kHeadOfShaft * shaft);
        const Vec2 v{u.y, -u.x};
        const PixelPoint h1 = Offset(e, u, -h, v, h / 2);
        const PixelPoint h2 = Offset(e, u, -h, v, -h / 2);
        shape.strokes.push_back({e, h1});
        shape.strokes.push_back({e, h2});
        shape.head = std::array<PixelPoint, 3>{e, h1, h2};
        return shape;
    }

    // Circular arrow: a circle about the axis start->end, in the plane through start.
    Mfx3dPoint k = end - start;
    const double scale = MappingScale();
    const double radius = kHeadShare * bigR;
    if (k.length() == 0.0 || scale == 0.0 || radius == 0.0)
        return shape;
    k.normalize();
    Mfx3dPoint p = cross(k, Mfx3dPoint(0, 0, 1));
    if (p.length() == 0.0)
        p = cross(k, Mfx3dPoint(1, 0, 0));
    p.normalize();
    const Mfx3dPoint q = cross(k, p);
    // Model radius of a circle that spans `radius` pixels.
    const double r = radius / scale;
    auto onCircle = [&](double angle) {
        return start + (p * std::cos(angle) + q * std::sin(angle)) * r;
    };
    for (int i = 0; i <= kArcPieces; ++i)
        shape.arc.push_back(ProjectPoint(onCircle(kArcSweep * i / kArcPieces)));

    // The head follows the direction of travel at the arc's end, seen on the screen.
    const Mfx3dPoint tipModel = onCircle(kArcSweep);
    const Mfx3dPoint travel = p * -std::sin(kArcSweep) + q * std::cos(kArcSweep);
    const MfxPoint tip = m_camera->Project(tipModel);
    const MfxPoint ahead = m_camera->Project(tipModel + travel * r);
    const Vec2 t{ahead.x - tip.x, ahead.y - tip.y};
    const double tlen = Length(t);
    if (tlen == 0.0)
        return shape;
    const Vec2 ut{t.x / tlen, t.y / tlen};
    const Vec2 vt{ut.y, -ut.x};
    const double h = radius / 2;
    const PixelPoint last = shape.arc.back();
    const PixelPoint h1 = Offset(last, ut, -h, vt, h / 2);
    const PixelPoint h2 = Offset(last, ut, -h, vt, -h / 2);
    shape.strokes.push_back({last, h1});
    shape.strokes.push_back({last, h2});
    shape.head = std::array<PixelPoint, 3>{last, h1, h2};
    return shape;
}

int Mfx3dDC::DrawArrow(const Mfx3dPoint& start, const Mfx3dPoint& end, double relativeSize,
                       int flags, const MfxColor& colour)
{
    if (!m_camera)
        return 1;
    const ArrowShape shape = ArrowGeometry(start, end, relativeSize, flags);
    if (colour.IsGiven())
        SetPen(colour);
    DrawArrowShape(shape);
    return 1;
}

void Mfx3dDC::DrawArrowShape(const ArrowShape& shape)
{
    DrawSegment(shape.strokes.front());
    if (!shape.arc.empty())
        m_canvas.Polyline(shape.arc);
    for (size_t i = 1; i < shape.strokes.size(); ++i)
        DrawSegment(shape.strokes[i]);
}

Region Mfx3dDC::ArrowRegion(const Mfx3dPoint& start, const Mfx3dPoint& end, double relativeSize,
                            int flags) const
{
    Region region;
    if (!m_camera)
        return region;
    const ArrowShape shape = ArrowGeometry(start, end, relativeSize, flags);
    for (const Segment& s : shape.strokes)
        AddStrokeCover(region, s.from, s.to, kHitMargin);
    if (shape.head)
        region.AddPolygon(*shape.head);
    if (!shape.arc.empty()) {
        for (size_t i = 1; i < shape.arc.size(); ++i)
            AddStrokeCover(region, shape.arc[i - 1], shape.arc[i], kHitMargin);
        // The inside of the circle: a pie from the centre through the arc.
        std::vector<PixelPoint> pie{shape.centre};
        pie.insert(pie.end(), shape.arc.begin(), shape.arc.end());
        region.AddPolygon(pie, FillRule::Winding);
    }
    return region;
}

int Mfx3dDC::DrawAxes(const Mfx3dPoint& origin, const MfxTMatrix& orientation, double size,
                      std::string_view labels, int flags, const MfxColor& colour, int fontHeight)
{
    if (!m_camera)
        return 1;
    const double height = ClientHeight();
    const double relativeSize = height > 0.0 ? size / height : 0.0;
    const Mfx3dPoint units[3] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    // The three arrows in one pen, then the labels over them.
    PixelPoint ends[3];
    if (colour.IsGiven())
        SetPen(colour);
    for (int i = 0; i < 3; ++i) {
        const Mfx3dPoint tip = origin + (orientation * units[i]) * size;
        const ArrowShape shape = ArrowGeometry(origin, tip, relativeSize, flags);
        DrawArrowShape(shape);
        ends[i] = shape.end;
    }
    size_t next = 0; // byte offset of the next label in `labels`
    for (int i = 0; i < 3 && next < labels.size(); ++i) {
        // One UTF-8 code point: the lead byte and its continuation bytes.
        size_t stop = next + 1;
        while (stop < labels.size() && (static_cast<unsigned char>(labels[stop]) & 0xC0) == 0x80)
            ++stop;
        DrawText2d(labels.substr(next, stop - next), {ends[i].x + 5, ends[i].y + 5}, colour,
                   kTransparent, i == 0 ? fontHeight : 0);
        next = stop;
    }
    return 1;
}

int Mfx3dDC::DrawText3d(std::string_view text, const Mfx3dPoint& point, const MfxColor& colour,
                        int dx, int dy, int flags, int fontHeight)
{
    if (text.empty() || !m_camera)
        return 1;
    const PixelPoint p = ProjectPoint(point);
    return DrawText2d(text, {p.x + dx, p.y + dy}, colour, flags, fontHeight);
}

int Mfx3dDC::DrawText2d(std::string_view text, const PixelPoint& point, const MfxColor& colour,
                        int flags, int fontHeight)
{
    if (text.empty())
        return 1;
    if (fontHeight != 0)
        SetFont(fontHeight);
    if (colour.IsGiven())
        m_canvas.SetTextColour(colour);
    if (flags & kTransparent)
        m_canvas.SetBackgroundMode(BackgroundMode::Transparent);
    m_canvas.TextOut(point.x, point.y, text);
    return 1;
}

int Mfx3dDC::DrawLaw(std::span<const Polynomial> laws, const Mfx3dPoint& start,
                     const Mfx3dPoint& end, const Mfx3dPoint& direction, double scale,
                     int divisions, double from, double to, int mode, const MfxColor& colour)
{
    if (!m_camera || (laws.size() != 1 && laws.size() != 3))
        return 1;
    from = std::max(from, 0.0);
    to = std::min(to, 1.0);
    if (!(from <= to))
        return 1;
    const int n = std::max(divisions, 1);
    if (mode & kUnitScale)
        scale = 1.0;
    const Mfx3dPoint span = end - start;
    const double length = span.length();

    auto axis = [&](double t) { return start + span * t; };
    auto curve = [&](double t) {
        const double x = t * length;
        if (laws.size() == 3) {
            const Mfx3dPoint d(laws[0].Evaluate(x), laws[1].Evaluate(x), laws[2].Evaluate(x));
            return axis(t) + d * scale;
        }
        return axis(t) + direction * (laws[0].Evaluate(x) * scale);
    };

    std::vector<double> samples{from};
    for (int k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / n;
        if (t > from && t < to)
            samples.push_back(t);
    }
    if (to > from)
        samples.push_back(to);

    if (colour.IsGiven())
        SetPen(colour);
    const PixelPoint first = ProjectPoint(curve(samples.front()));
    m_canvas.MoveTo(first.x, first.y);
    for (size_t i = 1; i < samples.size(); ++i) {
        const PixelPoint p = ProjectPoint(curve(samples[i]));
        m_canvas.LineTo(p.x, p.y);
    }
    auto ordinate = [&](double t) { DrawSegment({ProjectPoint(axis(t)), ProjectPoint(curve(t))}); };
    ordinate(from);
    if (mode & kHatch) {
        for (size_t i = 1; i + 1 < samples.size(); ++i)
            ordinate(samples[i]);
    }
    if (to > from)
        ordinate(to);
    return 1;
}

Region Mfx3dDC::PolygonRegion(const Mfx3dPolygon& polygon) const
{
    if (!m_camera)
        return {};
    return Region::FromPolygon(ProjectAll(polygon.Points()));
}

Region Mfx3dDC::FaceRegion(std::span<const Mfx3dPolygon> faces) const
{
    Region region;
    for (const Mfx3dPolygon& face : faces)
        region.Union(PolygonRegion(face));
    return region;
}

Region Mfx3dDC::BoxRegion(const Mfx3dBox& box) const
{
    const std::array<Mfx3dPolygon, 6> faces = BoxFaces(box);
    return FaceRegion(faces);
}

Region Mfx3dDC::PyramidRegion(const Mfx3dBox& solid) const
{
    const std::array<Mfx3dPolygon, 5> faces = PyramidFaces(solid);
    return FaceRegion(faces);
}

} // namespace velmor
