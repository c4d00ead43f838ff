// Tests of the 3D drawing context on a recording canvas: colours, pens kept and restored, faces
// seen from the front and from behind, solids, discs, arrows, the cursor, text, law diagrams
// and the hit regions of what was drawn.
#include "numeric/Mfx3dCamera.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace velmor {
namespace {

using Kind = RecordedCall::Kind;

class FixedViewport : public ViewportSource
{
public:
    explicit FixedViewport(const MfxRect& r) : rect(r) {}
    MfxRect ClientRect() const override { return rect; }
    MfxRect rect;
};

// A camera fitted to the box (0, 0, 0)-(10, 10, 5) in an 800 x 600 client area. In the XY view
// the margin is |(2, 2, 1)| = 3, the picture 16 x 16 model units, the scale 600 / 16 = 37.5,
// and the model point (x, y, z) lands on the device point (37.5 (x + 3), 37.5 (13 - y)).
struct Scene
{
    explicit Scene(int viewCode = Mfx3dCamera::kViewXY)
    {
        camera.SetView(Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 10, 5)), 20.0, viewCode,
                       Mfx3dPoint(0, 0, 0));
        camera.Zoom(Mfx3dCamera::kZoomReset);
    }
    FixedViewport viewport{MfxRect(0, 0, 800, 600)};
    Mfx3dCamera camera{&viewport};
    RecordingCanvas canvas;
};

constexpr double kScaleXY = 37.5;

// The device point of (x, y, z) in the XY view of Scene, truncated like the context does.
PixelPoint XY(double x, double y)
{
    return {static_cast<int>(kScaleXY * (x + 3)), static_cast<int>(kScaleXY * (13 - y))};
}

std::vector<RecordedCall> LineTos(const RecordingCanvas& c)
{
    return c.CallsOf(Kind::LineTo);
}

Mfx3dPolygon MakePolygon(const std::vector<Mfx3dPoint>& points)
{
    return Mfx3dPolygon(static_cast<int>(points.size()), points.data());
}

double Distance(const PixelPoint& a, const PixelPoint& b)
{
    return std::hypot(double(a.x) - b.x, double(a.y) - b.y);
}

MfxTMatrix Turned()
{
    // A rotation of 30 degrees about Z followed by 20 degrees about X.
    const double a = std::numbers::pi / 6;
    const double b = std::numbers::pi / 9;
    MfxTMatrix rz;
    rz(1, 1) = std::cos(a);
    rz(1, 2) = -std::sin(a);
    rz(2, 1) = std::sin(a);
    rz(2, 2) = std::cos(a);
    MfxTMatrix rx;
    rx(2, 2) = std::cos(b);
    rx(2, 3) = -std::sin(b);
    rx(3, 2) = std::sin(b);
    rx(3, 3) = std::cos(b);
    return rx * rz;
}

TEST(Mfx3dDCTest, ColourClampsUnlessNoColourIsMeant)
{
    struct Case
    {
        Colour built;
        Colour expected;
        bool given;
    };
    const Case cases[] = {
        {Colour(300, -5, 20), Colour(255, 0, 20), true},
        {Colour(12, 34, 56), Colour(12, 34, 56), true},
        {Colour(-1, 0, -1), Colour(0, 0, 0), true},
        {Colour(-1, -1, -1), Colour(), false},
        {Colour(-3, -7, -2), Colour(), false},
        {Colour(250, 10, 0) + Colour(10, 0, 5), Colour(255, 10, 5), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.built, c.expected) << c.built.ToString();
        EXPECT_EQ(c.built.IsGiven(), c.given) << c.built.ToString();
    }
    EXPECT_EQ(Colour().red, -1);
    EXPECT_EQ(Colour(1, 2, 3).ToRgb(), 0x030201u);
}

TEST(Mfx3dDCTest, ProjectionTruncatesTowardsZeroAndStaysInRange)
{
    Scene s;
    Mfx3dDC dc(s.canvas, &s.camera);
    EXPECT_EQ(dc.ProjectPoint(Mfx3dPoint(4, 4, 0)), (PixelPoint{262, 337}));
    // x = 37.5 * -0.1 = -3.75 becomes -3, not -4.
    EXPECT_EQ(dc.ProjectPoint(Mfx3dPoint(-3.1, 4, 0)).x, -3);
    EXPECT_EQ(dc.ProjectPoint(Mfx3dPoint(1e12, -1e12, 0)),
              (PixelPoint{Mfx3dDC::kDeviceLimit, Mfx3dDC::kDeviceLimit}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(dc.ProjectPoint(Mfx3dPoint(nan, nan, 0)), (PixelPoint{0, 0}));
}

TEST(Mfx3dDCTest, LineWithoutColourKeepsThePen)
{
    Scene s;
    Mfx3dDC dc(s.canvas, &s.camera);
    const Colour red(255, 0, 0);
    dc.SetPen(red, 2);
    s.canvas.ClearCalls();
    dc.Line(Mfx3dPoint(1, 1, 0), Mfx3dPoint(4, 4, 0));
    dc.Line(Mfx3dPoint(4, 4, 0), Mfx3dPoint(1, 4, 0), Colour());
    EXPECT_TRUE(s.canvas.CallsOf(Kind::SelectPen).empty());
    std::vector<RecordedCall> lines = LineTos(s.canvas);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{XY(1, 1), XY(4, 4)}));
    EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{XY(4, 4), XY(1, 4)}));
    for (const RecordedCall& c : lines)
        EXPECT_EQ(c.state.pen, (Pen{red, 2, PenStyle::Solid}));

    dc.Line(Mfx3dPoint(1, 1, 0), Mfx3dPoint(1, 4, 0), Colour(0, 0, 255), 3);
    lines = LineTos(s.canvas);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].state.pen, (Pen{Colour(0, 0, 255), 3, PenStyle::Solid}));
}

TEST(Mfx3dDCTest, FacesSeenFromBehindAreOutlinedOnly)
{
    // A square in the plane z = 2, anticlockwise seen from above (normal +Z, towards the
    // viewer of the XY view), and the same square the other way round.
    const std::vector<Mfx3dPoint> front = {{1, 1, 2}, {4, 1, 2}, {4, 4, 2}, {1, 4, 2}};
    const std::vector<Mfx3dPoint> back(front.rbegin(), front.rend());
    const Colour green(0, 200, 0);
    for (bool facing : {true, false}) {
        SCOPED_TRACE(facing ? "front face" : "back face");
        const std::vector<Mfx3dPoint>& vertices = facing ? front : back;
        std::vector<PixelPoint> device;
        for (const Mfx3dPoint& p : vertices)
            device.push_back(XY(p.x, p.y));

        Scene s;
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            s.canvas.SelectPen(Pen{Colour(9, 9, 9), 1, PenStyle::Solid});
            dc.DrawPolygon(MakePolygon(vertices), Mfx3dDC::kFilled, green);
        }
        const std::vector<RecordedCall> polygons = s.canvas.CallsOf(Kind::Polygon);
        const std::vector<RecordedCall> polylines = s.canvas.CallsOf(Kind::Polyline);
        const std::vector<RecordedCall> lines = LineTos(s.canvas);
        if (facing) {
            ASSERT_EQ(polygons.size(), 1u);
            EXPECT_EQ(polygons[0].points, device);
            EXPECT_EQ(polygons[0].state.brush.colour, green);
            EXPECT_TRUE(polylines.empty());
            EXPECT_TRUE(lines.empty());
        } else {
            EXPECT_TRUE(polygons.empty());
            ASSERT_EQ(polylines.size(), 1u);
            EXPECT_EQ(polylines[0].points, device);
            // Closed by the edge from the last vertex back to the first, nothing else.
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{device.back(), device.front()}));
            EXPECT_EQ(lines[0].state.pen.colour, Colour(9, 9, 9));
        }

        // Mode 1 outlines both alike: from the last vertex through every vertex.
        Scene o;
        {
            Mfx3dDC dc(o.canvas, &o.camera);
            dc.DrawPolygon(MakePolygon(vertices), Mfx3dDC::kOutline, green);
        }
        const std::vector<RecordedCall> outline = LineTos(o.canvas);
        ASSERT_EQ(outline.size(), device.size());
        EXPECT_EQ(outline[0].points.front(), device.back());
        for (size_t i = 0; i < device.size(); ++i) {
            EXPECT_EQ(outline[i].points.back(), device[i]);
            EXPECT_EQ(outline[i].state.pen.colour, green);
        }
        EXPECT_TRUE(o.canvas.CallsOf(Kind::Polygon).empty());
    }
}

TEST(Mfx3dDCTest, DegeneratePolygonsAreNotFilled)
{
    struct Case
    {
        const char* name;
        std::vector<Mfx3dPoint> vertices;
        size_t outlineLines; // lines drawn in mode 1
    };
    const Case cases[] = {
        {"first three on one line", {{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {1, 5, 0}}, 4},
        {"repeated first vertex", {{1, 1, 0}, {1, 1, 0}, {3, 3, 0}, {1, 5, 0}}, 4},
        {"two vertices", {{1, 1, 0}, {3, 3, 0}}, 2},
        {"empty", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawPolygon(MakePolygon(c.vertices), Mfx3dDC::kFilled | Mfx3dDC::kShade,
                           Colour(1, 2, 3));
            EXPECT_TRUE(s.canvas.Drawings().empty()) << s.canvas.Describe();
            dc.DrawPolygon(MakePolygon(c.vertices), Mfx3dDC::kOutline);
            EXPECT_EQ(LineTos(s.canvas).size(), c.outlineLines);
            // Any other mode draws nothing.
            s.canvas.ClearCalls();
            dc.DrawPolygon(MakePolygon(c.vertices), 3, Colour(1, 2, 3));
            EXPECT_TRUE(s.canvas.Calls().empty());
        }
    }
}

TEST(Mfx3dDCTest, ShadingStepsTheRedComponent)
{
    // A face turned straight at the viewer: k = dot((0, 0, 1), light) + 1 = 1 + 1/sqrt(3),
    // stepped at t = 0, 0.25, ..., 1.5: seven steps. Turned away: k = 1 - 1/sqrt(3), two steps.
    const std::vector<Mfx3dPoint> front = {{1, 1, 2}, {4, 1, 2}, {4, 4, 2}, {1, 4, 2}};
    const std::vector<Mfx3dPoint> back(front.rbegin(), front.rend());
    struct Case
    {
        const char* name;
        const std::vector<Mfx3dPoint>* face;
        int mode;
        Colour colour;
        Colour brush;
    };
    const Case cases[] = {
        {"front", &front, 0x1002, Colour(10, 20, 30), Colour(17, 20, 30)},
        {"front, clamped", &front, 0x1002, Colour(252, 0, 0), Colour(255, 0, 0)},
        {"back", &back, 0x1002, Colour(10, 20, 30), Colour(12, 20, 30)},
        {"without the shade bit", &front, 2, Colour(10, 20, 30), Colour(10, 20, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        Mfx3dDC dc(s.canvas, &s.camera);
        EXPECT_EQ(dc.Light().w, 1.0);
        dc.DrawPolygon(MakePolygon(*c.face), c.mode, c.colour);
        EXPECT_EQ(s.canvas.CurrentBrush().colour, c.brush);
        EXPECT_EQ(dc.Light().w, 0.0);
    }
    // The shade bit without a colour keeps the brush.
    Scene s;
    Mfx3dDC dc(s.canvas, &s.camera);
    dc.DrawPolygon(MakePolygon(front), 0x1002);
    EXPECT_TRUE(s.canvas.CallsOf(Kind::SelectBrush).empty());
    ASSERT_EQ(s.canvas.CallsOf(Kind::Polygon).size(), 1u);
}

TEST(Mfx3dDCTest, BoxFacesFollowTheCornerTableAndFaceOutwards)
{
    const int table[6][4] = {{3, 2, 1, 0}, {0, 1, 5, 4}, {0, 4, 7, 3},
                             {2, 3, 7, 6}, {1, 2, 6, 5}, {4, 5, 6, 7}};
    const Mfx3dBox box(Mfx3dPoint(1, 2, 3), 2.0, 1.0, 4.0, Turned());
    const auto corners = box.Corners();
    const auto faces = Mfx3dDC::BoxFaces(box);
    for (int f = 0; f < 6; ++f) {
        ASSERT_EQ(faces[f].Count(), 4);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(faces[f][k], corners[table[f][k]]) << "face " << f << " vertex " << k;
        EXPECT_GT(dot(faces[f].Normal(), faces[f].Centroid() - box.Centre()), 0.0) << "face " << f;
    }

    // Seen from (1, -1, 0.5) an upright box shows its top, front and right faces.
    Scene s(Mfx3dCamera::kViewOblique);
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawBox(Mfx3dBox(Mfx3dPoint(5, 5, 0), 2, 3, 4), Mfx3dDC::kFilled, Colour(1, 2, 3));
        EXPECT_EQ(s.canvas.CallsOf(Kind::Polygon).size(), 3u);
        EXPECT_EQ(s.canvas.CallsOf(Kind::Polyline).size(), 3u);
        s.canvas.ClearCalls();
        dc.DrawBox(Mfx3dBox(Mfx3dPoint(5, 5, 0), 2, 3, 4), Mfx3dDC::kOutline);
        EXPECT_EQ(s.canvas.CallsOf(Kind::MoveTo).size(), 6u);
        EXPECT_EQ(LineTos(s.canvas).size(), 24u);
    }
}

TEST(Mfx3dDCTest, PyramidAndPrismFaces)
{
    // Base centre (1, 2, 3), half-extents 2 and 1, height 4, no rotation.
    const std::vector<Mfx3dPoint> points = {
        {-1, 1, 3}, {3, 1, 3}, {3, 3, 3}, {-1, 3, 3}, // base corners 0-3
        {1, 2, 7},                                    // 4: apex
        {-1, 2, 7}, {3, 2, 7},                        // 5, 6: ridge
    };
    struct Case
    {
        const char* name;
        int kind;
        int faces[5][4];
    };
    const Case cases[] = {
        {"pyramid",
         Mfx3dBox::kPyramid,
         {{3, 2, 1, 0}, {0, 1, 4, 0}, {0, 4, 3, 0}, {2, 3, 4, 2}, {1, 2, 4, 1}}},
        {"prism",
         Mfx3dBox::kBox,
         {{3, 2, 1, 0}, {0, 1, 6, 5}, {0, 5, 3, 0}, {2, 3, 5, 6}, {1, 2, 6, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Mfx3dBox solid(Mfx3dPoint(1, 2, 3), 2.0, 1.0, 4.0, MfxTMatrix(), c.kind);
        const auto faces = Mfx3dDC::PyramidFaces(solid);
        for (int f = 0; f < 5; ++f) {
            ASSERT_EQ(faces[f].Count(), 4);
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(faces[f][k], points[c.faces[f][k]]) << "face " << f << " vertex " << k;
        }
        // Turned, every face still points out of the solid.
        const Mfx3dBox turned(Mfx3dPoint(1, 2, 3), 2.0, 1.0, 4.0, Turned(), c.kind);
        const auto turnedFaces = Mfx3dDC::PyramidFaces(turned);
        Mfx3dPoint inside(0, 0, 0);
        for (int k = 0; k < 4; ++k)
            inside += turnedFaces[0][k];
        inside = inside / 4.0 + Turned() * Mfx3dPoint(0, 0, 1, 0); // a point inside, above the base
        for (int f = 0; f < 5; ++f)
            EXPECT_GT(dot(turnedFaces[f].Normal(), turnedFaces[f].Centroid() - inside), 0.0)
                << "face " << f;

        Scene s(Mfx3dCamera::kViewOblique);
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawPyramid(turned, Mfx3dDC::kFilled, Colour(1, 2, 3));
        }
        EXPECT_EQ(s.canvas.CallsOf(Kind::Polygon).size() + s.canvas.CallsOf(Kind::Polyline).size(),
                  5u);
    }
}

TEST(Mfx3dDCTest, DiscRadiusFollowsTheMappingScale)
{
    Scene s;
    const Colour blue(0, 0, 255);
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        // 0.5 model units at 37.5 pixels per unit: 18.75, truncated to 18.
        dc.DrawDisc(Mfx3dPoint(1, 1, 0), 0.5, Mfx3dDC::kFilled, blue);
        dc.DrawDisc(Mfx3dPoint(1, 1, 0), 0.5, Mfx3dDC::kOutline, blue);
    }
    const PixelPoint c = XY(1, 1);
    const PixelRect square{c.x - 18, c.y - 18, c.x + 18, c.y + 18};
    const auto ellipses = s.canvas.CallsOf(Kind::Ellipse);
    const auto arcs = s.canvas.CallsOf(Kind::Arc);
    ASSERT_EQ(ellipses.size(), 1u);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(ellipses[0].rect, square);
    EXPECT_EQ(ellipses[0].state.brush.colour, blue);
    EXPECT_EQ(arcs[0].rect, square);
    EXPECT_EQ(arcs[0].state.pen.colour, blue);

    // Zoomed twice as large (a 400 x 300 band fills the 800 x 600 client area).
    ASSERT_EQ(s.camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(0, 0, 400, 300)), 1);
    s.canvas.ClearCalls();
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawDisc(Mfx3dPoint(1, 1, 0), 0.5, Mfx3dDC::kFilled);
        const PixelRect zoomed = s.canvas.CallsOf(Kind::Ellipse).at(0).rect;
        EXPECT_EQ(zoomed.Width(), 2 * 37);
        EXPECT_EQ(zoomed.Height(), 2 * 37);
    }
}

TEST(Mfx3dDCTest, StraightArrowHeadAndFixedLength)
{
    // R = 600 x 0.1 = 60 pixels, head length 12, half-width 6.
    struct Case
    {
        const char* name;
        int flags;
        PixelPoint end;
        PixelPoint head1;
        PixelPoint head2;
    };
    const PixelPoint s0 = XY(1, 1); // (150, 450)
    const Case cases[] = {
        {"to the end point", 0, {300, 450}, {288, 444}, {288, 456}},
        {"fixed length", Mfx3dDC::kFixedLength, {210, 450}, {198, 444}, {198, 456}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawArrow(Mfx3dPoint(1, 1, 0), Mfx3dPoint(5, 1, 0), 0.1, c.flags,
                         Colour(255, 0, 255));
        }
        const auto lines = LineTos(s.canvas);
        ASSERT_EQ(lines.size(), 3u) << s.canvas.Describe();
        EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{s0, c.end}));
        EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{c.end, c.head1}));
        EXPECT_EQ(lines[2].points, (std::vector<PixelPoint>{c.end, c.head2}));
        for (const RecordedCall& l : lines)
            EXPECT_EQ(l.state.pen.colour, Colour(255, 0, 255));
    }

    // A short arrow (30 pixels) keeps its head within the last third of its shaft, so that
    // short arrows meeting at a node do not cross into a star: head 10, half-width 5.
    {
        Scene shortArrow;
        {
            Mfx3dDC dc(shortArrow.canvas, &shortArrow.camera);
            dc.DrawArrow(Mfx3dPoint(1, 1, 0), Mfx3dPoint(1.8, 1, 0), 0.1, 0);
        }
        const auto lines = LineTos(shortArrow.canvas);
        ASSERT_EQ(lines.size(), 3u) << shortArrow.canvas.Describe();
        EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{s0, {180, 450}}));
        EXPECT_EQ(lines[1].points, (std::vector<PixelPoint>{{180, 450}, {170, 445}}));
        EXPECT_EQ(lines[2].points, (std::vector<PixelPoint>{{180, 450}, {170, 455}}));
    }

    // A slanted fixed-length arrow is R long, to the pixel.
    Scene s;
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawArrow(Mfx3dPoint(1, 1, 0), Mfx3dPoint(2, 3, 0), 0.1, Mfx3dDC::kFixedLength);
    }
    const auto shaft = LineTos(s.canvas).at(0).points;
    EXPECT_NEAR(Distance(shaft[0], shaft[1]), 60.0, 1.5);
    EXPECT_TRUE(s.canvas.CallsOf(Kind::SelectPen).empty());

    // Start and end on the same pixel: the shaft only.
    Scene p;
    {
        Mfx3dDC dc(p.canvas, &p.camera);
        dc.DrawArrow(Mfx3dPoint(1, 1, 0), Mfx3dPoint(1, 1, 3), 0.1, Mfx3dDC::kFixedLength);
    }
    const auto lines = LineTos(p.canvas);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{s0, s0}));
}

// Twice the signed area of a closed device polyline, with y turned upwards: positive when it
// runs anticlockwise on the screen.
double SignedAreaUp(const std::vector<PixelPoint>& pts)
{
    double sum = 0.0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const PixelPoint& a = pts[i];
        const PixelPoint& b = pts[(i + 1) % pts.size()];
        sum += double(a.x) * -b.y - double(b.x) * -a.y;
    }
    return sum;
}

TEST(Mfx3dDCTest, CircularArrowTurnsRoundItsAxisWithAHeadAtItsEnd)
{
    // A moment about Z at (5, 5) in the XY view: its axis points at the viewer, so the arrow is
    // a circle of 0.2 R = 0.2 x 600 x 0.25 = 30 pixels about the point, anticlockwise for +Z.
    const PixelPoint centre = XY(5, 5);
    for (double sense : {1.0, -1.0}) {
        SCOPED_TRACE(sense > 0 ? "+Z" : "-Z");
        Scene s;
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawArrow(Mfx3dPoint(5, 5, 0), Mfx3dPoint(5, 5, sense), 0.25, 0x60,
                         Colour(255, 0, 255));
        }
        const auto arcs = s.canvas.CallsOf(Kind::Polyline);
        ASSERT_EQ(arcs.size(), 1u);
        const std::vector<PixelPoint>& arc = arcs[0].points;
        ASSERT_GE(arc.size(), 13u);
        for (const PixelPoint& p : arc)
            EXPECT_NEAR(Distance(p, centre), 30.0, 1.5);
        EXPECT_GT(SignedAreaUp(arc) * sense, 0.0);
        EXPECT_EQ(arcs[0].state.pen.colour, Colour(255, 0, 255));
        // Two head strokes leave the arc's end, each about 15 pixels long.
        const auto lines = LineTos(s.canvas);
        ASSERT_GE(lines.size(), 2u);
        for (size_t i = lines.size() - 2; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].points[0], arc.back());
            EXPECT_NEAR(Distance(lines[i].points[0], lines[i].points[1]), 15.0 * std::sqrt(1.25),
                        1.5);
        }
    }

    // Seen obliquely, a moment about X still gets its arc and head.
    Scene s(Mfx3dCamera::kViewOblique);
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawArrow(Mfx3dPoint(5, 5, 0), Mfx3dPoint(7, 5, 0), 0.25, 0x60);
    }
    EXPECT_EQ(s.canvas.CallsOf(Kind::Polyline).size(), 1u);
    EXPECT_EQ(LineTos(s.canvas).size(), 3u) << "the axis and two head strokes";
}

TEST(Mfx3dDCTest, CursorInvertsAndRestoresTheRasterOperation)
{
    struct Case
    {
        int flags;
        size_t lines;
    };
    for (const Case& c : {Case{0, 0}, Case{Mfx3dDC::kGuideLines, 3}, Case{0x500, 3}}) {
        SCOPED_TRACE(c.flags);
        Scene s(Mfx3dCamera::kViewOblique);
        s.canvas.SetRasterOp(RasterOp::MergePen);
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawCursor(Mfx3dPoint(2, 3, 4), c.flags, 0.2);
            EXPECT_EQ(s.canvas.CurrentRasterOp(), RasterOp::MergePen);
            const PixelPoint p = dc.ProjectPoint(Mfx3dPoint(2, 3, 4));
            const PixelPoint foot = dc.ProjectPoint(Mfx3dPoint(2, 3, 0));
            const auto lines = LineTos(s.canvas);
            ASSERT_EQ(lines.size(), c.lines);
            if (c.lines == 3) {
                EXPECT_EQ(lines[0].points,
                          (std::vector<PixelPoint>{foot, dc.ProjectPoint(Mfx3dPoint(0, 3, 0))}));
                EXPECT_EQ(lines[1].points,
                          (std::vector<PixelPoint>{foot, dc.ProjectPoint(Mfx3dPoint(2, 0, 0))}));
                EXPECT_EQ(lines[2].points, (std::vector<PixelPoint>{foot, p}));
            }
            const auto discs = s.canvas.CallsOf(Kind::Ellipse);
            ASSERT_EQ(discs.size(), 1u);
            const PixelRect r = discs[0].rect;
            EXPECT_EQ((PixelPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), p);
        }
        for (const RecordedCall& d : s.canvas.Drawings())
            EXPECT_EQ(d.state.rasterOp, RasterOp::Not) << d.ToString();
    }
}

TEST(Mfx3dDCTest, TextIsPlacedAndStyledOnlyAsAsked)
{
    Scene s;
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawText3d("", Mfx3dPoint(1, 1, 0), Colour(1, 1, 1), 0, 0, Mfx3dDC::kTransparent, 10);
        EXPECT_TRUE(s.canvas.Calls().empty());

        dc.DrawText3d("N1", Mfx3dPoint(1, 1, 0), Colour(1, 2, 3), 4, -6, Mfx3dDC::kTransparent, 10);
        ASSERT_EQ(s.canvas.CallsOf(Kind::TextOut).size(), 1u);
        const RecordedCall text = s.canvas.CallsOf(Kind::TextOut)[0];
        EXPECT_EQ(text.points[0], (PixelPoint{150 + 4, 450 - 6}));
        EXPECT_EQ(text.text, "N1");
        EXPECT_EQ(text.state.font, (Font{"Arial", 10, 400}));
        EXPECT_EQ(text.state.textColour, Colour(1, 2, 3));
        EXPECT_EQ(text.state.backgroundMode, BackgroundMode::Transparent);

        s.canvas.ClearCalls();
        dc.DrawText2d("é", PixelPoint{7, 8});
        ASSERT_EQ(s.canvas.Calls().size(), 1u) << "no font, colour or mode without asking";
        EXPECT_EQ(s.canvas.Calls()[0].kind, Kind::TextOut);
        EXPECT_EQ(s.canvas.Calls()[0].points[0], (PixelPoint{7, 8}));
    }
}

TEST(Mfx3dDCTest, AxesArrowsAndLabels)
{
    // In the XY view with the fixed-length flag each axis is `size` = 50 pixels long; Z points
    // at the viewer and shrinks to its origin.
    Scene s;
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawAxes(Mfx3dPoint(5, 5, 0), MfxTMatrix(), 50.0, "XYZ", Mfx3dDC::kFixedLength,
                    Colour(0, 0, 0));
    }
    const PixelPoint o = XY(5, 5); // (300, 300)
    const auto lines = LineTos(s.canvas);
    ASSERT_EQ(lines.size(), 3u + 3u + 1u) << s.canvas.Describe();
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint>{o, {o.x + 50, o.y}}));
    EXPECT_EQ(lines[3].points, (std::vector<PixelPoint>{o, {o.x, o.y - 50}}));
    EXPECT_EQ(lines[6].points, (std::vector<PixelPoint>{o, o}));

    const auto texts = s.canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    const std::string labels[3] = {"X", "Y", "Z"};
    const PixelPoint at[3] = {{o.x + 55, o.y + 5}, {o.x + 5, o.y - 45}, {o.x + 5, o.y + 5}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].text, labels[i]);
        EXPECT_EQ(texts[i].points[0], at[i]);
        EXPECT_EQ(texts[i].state.font.pixelHeight, 8);
    }
    EXPECT_EQ(s.canvas.CallsOf(Kind::SelectFont).size(), 2u) << "the 8-pixel font, then back";

    // Labels are characters, not bytes; missing ones are left out.
    Scene u;
    {
        Mfx3dDC dc(u.canvas, &u.camera);
        dc.DrawAxes(Mfx3dPoint(5, 5, 0), Turned(), 30.0, "αβ", Mfx3dDC::kFixedLength, Colour(), 10);
    }
    const auto greek = u.canvas.CallsOf(Kind::TextOut);
    ASSERT_EQ(greek.size(), 2u);
    EXPECT_EQ(greek[0].text, "α");
    EXPECT_EQ(greek[1].text, "β");
    EXPECT_EQ(greek[0].state.font.pixelHeight, 10);
}

TEST(Mfx3dDCTest, LawIsSampledOverItsRange)
{
    // Along (1, 1)-(9, 1), L = 8, the constant law 1 plotted along +Y: at scale 0.5 the curve
    // runs at y = 1.5, device y 431; the axis at device y 450.
    struct Case
    {
        const char* name;
        double from;
        double to;
        int divisions;
        int mode;
        std::vector<double> samples;   // t of the curve's points
        std::vector<double> ordinates; // t of the lines from the axis to the curve
        int curveY;
    };
    const Case cases[] = {
        {"full range", 0, 1, 4, 0, {0, 0.25, 0.5, 0.75, 1}, {0, 1}, 431},
        {"hatched",
         0,
         1,
         4,
         Mfx3dDC::kHatch,
         {0, 0.25, 0.5, 0.75, 1},
         {0, 0.25, 0.5, 0.75, 1},
         431},
        {"part of the range", 0.3, 0.8, 10, 0, {0.3, 0.4, 0.5, 0.6, 0.7, 0.8}, {0.3, 0.8}, 431},
        {"range cut to the segment", -1, 2, 2, 0, {0, 0.5, 1}, {0, 1}, 431},
        {"no divisions", 0, 1, 0, 0, {0, 1}, {0, 1}, 431},
        {"unit scale", 0, 1, 1, Mfx3dDC::kUnitScale, {0, 1}, {0, 1}, 412},
        {"empty range", 0.8, 0.3, 4, Mfx3dDC::kHatch, {}, {}, 0},
    };
    const Polynomial law{1.0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        {
            Mfx3dDC dc(s.canvas, &s.camera);
            dc.DrawLaw(std::span(&law, 1), Mfx3dPoint(1, 1, 0), Mfx3dPoint(9, 1, 0),
                       Mfx3dPoint(0, 1, 0), 0.5, c.divisions, c.from, c.to, c.mode,
                       Colour(0, 255, 0));
        }
        if (c.samples.empty()) {
            EXPECT_TRUE(s.canvas.Drawings().empty());
            continue;
        }
        // The abscissa as the context computes it, projected by the camera.
        Mfx3dDC probe(s.canvas, &s.camera);
        auto x = [&](double t) { return probe.ProjectPoint(Mfx3dPoint(1 + 8 * t, 1, 0)).x; };
        const auto moves = s.canvas.CallsOf(Kind::MoveTo);
        const auto lines = LineTos(s.canvas);
        ASSERT_EQ(lines.size(), c.samples.size() - 1 + c.ordinates.size());
        EXPECT_EQ(moves.at(0).points[0], (PixelPoint{x(c.samples[0]), c.curveY}));
        for (size_t i = 1; i < c.samples.size(); ++i)
            EXPECT_EQ(lines[i - 1].points[1], (PixelPoint{x(c.samples[i]), c.curveY}));
        std::vector<int> ordinateXs;
        for (size_t i = c.samples.size() - 1; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].points[0].y, 450);
            EXPECT_EQ(lines[i].points[1].y, c.curveY);
            EXPECT_EQ(lines[i].points[0].x, lines[i].points[1].x);
            ordinateXs.push_back(lines[i].points[0].x);
        }
        std::sort(ordinateXs.begin(), ordinateXs.end());
        std::vector<int> expected;
        for (double t : c.ordinates)
            expected.push_back(x(t));
        EXPECT_EQ(ordinateXs, expected);
        for (const RecordedCall& l : lines)
            EXPECT_EQ(l.state.pen.colour, Colour(0, 255, 0));
    }
}

TEST(Mfx3dDCTest, DisplacementLawUsesThreeComponentsAtTheAbscissa)
{
    // (0, x / 8, 0) at scale 2 along (1, 1)-(9, 1): the far end moves up by 2 (x = t L = 8);
    // the plotting direction plays no part.
    const Polynomial laws[3] = {Polynomial{0.0}, Polynomial{0.0, 0.125}, Polynomial{0.0}};
    Scene s;
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.DrawLaw(laws, Mfx3dPoint(1, 1, 0), Mfx3dPoint(9, 1, 0), Mfx3dPoint(0, 0, 5), 2.0, 2, 0,
                   1, 0);
    }
    const auto lines = LineTos(s.canvas);
    ASSERT_EQ(lines.size(), 2u + 2u);
    EXPECT_EQ(lines[0].points[1], XY(5, 2));
    EXPECT_EQ(lines[1].points[1], XY(9, 3));
    // Two polynomials are neither one law nor a displacement: nothing.
    Scene t;
    {
        Mfx3dDC dc(t.canvas, &t.camera);
        dc.DrawLaw(std::span(laws, 2), Mfx3dPoint(1, 1, 0), Mfx3dPoint(9, 1, 0),
                   Mfx3dPoint(0, 1, 0), 1.0, 2, 0, 1, 0);
    }
    EXPECT_TRUE(t.canvas.Drawings().empty());
}

// Every point the drawing touched: line ends, polygon and polyline vertices, and the centres of
// ellipses.
std::vector<PixelPoint> DrawnPoints(const RecordingCanvas& canvas)
{
    std::vector<PixelPoint> out;
    for (const RecordedCall& c : canvas.Drawings()) {
        out.insert(out.end(), c.points.begin(), c.points.end());
        if (c.kind == Kind::Ellipse || c.kind == Kind::Arc)
            out.push_back({(c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2});
    }
    return out;
}

TEST(Mfx3dDCTest, RegionsContainWhatWasDrawn)
{
    Scene s(Mfx3dCamera::kViewOblique);
    Mfx3dDC dc(s.canvas, &s.camera);
    const Mfx3dBox box(Mfx3dPoint(5, 5, 0), 2, 3, 4, Turned());
    const Mfx3dBox pyramid(Mfx3dPoint(2, 2, 0), 1, 1, 2, MfxTMatrix(), Mfx3dBox::kPyramid);
    const Mfx3dBox prism(Mfx3dPoint(8, 2, 0), 1, 1, 2, Turned(), Mfx3dBox::kBox);
    struct Case
    {
        const char* name;
        std::function<void()> draw;
        std::function<Region()> region;
    };
    const Mfx3dPoint a(5, 5, 0);
    const std::vector<Case> cases = {
        {"box", [&] { dc.DrawBox(box, 2); }, [&] { return dc.BoxRegion(box); }},
        {"pyramid", [&] { dc.DrawPyramid(pyramid, 2); }, [&] { return dc.PyramidRegion(pyramid); }},
        {"prism", [&] { dc.DrawPyramid(prism, 1); }, [&] { return dc.PyramidRegion(prism); }},
        {"disc", [&] { dc.DrawDisc(a, 0.3, 2); }, [&] { return dc.DiscRegion(a, 0.3); }},
        {"arrow", [&] { dc.DrawArrow(a, Mfx3dPoint(5, 9, 2), 0.2, 0); },
         [&] { return dc.ArrowRegion(a, Mfx3dPoint(5, 9, 2), 0.2, 0); }},
        {"fixed arrow", [&] { dc.DrawArrow(a, Mfx3dPoint(9, 9, 0), 0.1, 0x10); },
         [&] { return dc.ArrowRegion(a, Mfx3dPoint(9, 9, 0), 0.1, 0x10); }},
        {"moment", [&] { dc.DrawArrow(a, Mfx3dPoint(5, 5, 3), 0.25, 0x60); },
         [&] { return dc.ArrowRegion(a, Mfx3dPoint(5, 5, 3), 0.25, 0x60); }},
        {"point arrow", [&] { dc.DrawArrow(a, a, 0.2, 0); },
         [&] { return dc.ArrowRegion(a, a, 0.2, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.canvas.ClearCalls();
        c.draw();
        const Region region = c.region();
        const std::vector<PixelPoint> points = DrawnPoints(s.canvas);
        ASSERT_FALSE(points.empty());
        for (const PixelPoint& p : points)
            EXPECT_TRUE(region.Contains(p)) << p.x << ", " << p.y;
        const PixelRect bounds = region.BoundingRect();
        EXPECT_FALSE(region.Contains(bounds.right + 1, bounds.bottom + 1));
        EXPECT_FALSE(region.Contains(-1000, -1000));
    }

    // The disc region is the disc: its rim in, a pixel beyond out.
    const PixelPoint c = dc.ProjectPoint(a);
    const int r = static_cast<int>(0.3 * s.camera.Mapping().Scale());
    const Region disc = dc.DiscRegion(a, 0.3);
    EXPECT_TRUE(disc.Contains(c.x + r, c.y));
    EXPECT_FALSE(disc.Contains(c.x + r + 1, c.y));
    EXPECT_FALSE(disc.Contains(c.x + r, c.y + r));
}

TEST(Mfx3dDCTest, DestructionRestoresWhatTheContextReplaced)
{
    const Pen pen{Colour(1, 2, 3), 4, PenStyle::Dot};
    const Brush brush{Colour(5, 6, 7)};
    const Font font{"Courier New", 20, 700};

    Scene s;
    s.canvas.SelectPen(pen);
    s.canvas.SelectBrush(brush);
    s.canvas.SelectFont(font);
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.SetPen(Colour(255, 0, 0));
        dc.SetPen(Colour(0, 255, 0), 3, PenStyle::Dash);
        dc.SetBrush(Colour(0, 0, 255));
        dc.SetFont(12);
        dc.DrawAxes(Mfx3dPoint(0, 0, 0), MfxTMatrix(), 30, "xyz", 0x10, Colour(9, 9, 9));
        EXPECT_EQ(s.canvas.CurrentFont(), (Font{"Arial", 8, 400}));
    }
    EXPECT_EQ(s.canvas.CurrentPen(), pen);
    EXPECT_EQ(s.canvas.CurrentBrush(), brush);
    EXPECT_EQ(s.canvas.CurrentFont(), font);

    // A context that made nothing puts nothing back; one that made a pen puts back only that.
    s.canvas.ClearCalls();
    {
        Mfx3dDC dc(s.canvas, &s.camera);
    }
    EXPECT_TRUE(s.canvas.Calls().empty());
    {
        Mfx3dDC dc(s.canvas, &s.camera);
        dc.Line(Mfx3dPoint(0, 0, 0), Mfx3dPoint(1, 1, 0), Colour(3, 3, 3));
        s.canvas.ClearCalls();
    }
    ASSERT_EQ(s.canvas.Calls().size(), 1u);
    EXPECT_EQ(s.canvas.Calls()[0].kind, Kind::SelectPen);
    EXPECT_EQ(s.canvas.CurrentPen(), pen);
}

TEST(Mfx3dDCTest, WithoutACameraOnlyDeviceTextIsDrawn)
{
    RecordingCanvas canvas;
    {
        Mfx3dDC dc(canvas, nullptr);
        dc.Line(Mfx3dPoint(0, 0, 0), Mfx3dPoint(1, 1, 1), Colour(1, 1, 1));
        dc.DrawBox(Mfx3dBox(Mfx3dPoint(0, 0, 0), 1, 1, 1), 2, Colour(1, 1, 1));
        dc.DrawArrow(Mfx3dPoint(0, 0, 0), Mfx3dPoint(1, 1, 1), 0.2, 0x40);
        dc.DrawText3d("a", Mfx3dPoint(0, 0, 0));
        EXPECT_TRUE(canvas.Drawings().empty());
        EXPECT_TRUE(dc.BoxRegion(Mfx3dBox(Mfx3dPoint(0, 0, 0), 1, 1, 1)).IsEmpty());
        dc.DrawText2d("b", PixelPoint{1, 2});
    }
    ASSERT_EQ(canvas.Drawings().size(), 1u);
    EXPECT_EQ(canvas.Drawings()[0].text, "b");
}

TEST(Mfx3dDCTest, RecordingCanvasListsCallsReadably)
{
    RecordingCanvas canvas;
    canvas.SelectPen(Pen{Colour(255, 0, 0), 1, PenStyle::Solid});
    canvas.MoveTo(1, 2);
    canvas.LineTo(3, 4);
    canvas.SetRasterOp(RasterOp::Not);
    const std::vector<PixelPoint> triangle = {{0, 0}, {5, 0}, {0, 5}};
    canvas.Polygon(triangle);
    EXPECT_EQ(canvas.Describe(), "SelectPen pen (255, 0, 0) w1 solid\n"
                                 "MoveTo (1, 2)\n"
                                 "LineTo (1, 2)-(3, 4) pen (255, 0, 0) w1 solid rop copy\n"
                                 "SetRasterOp not\n"
                                 "Polygon [(0, 0) (5, 0) (0, 5)] pen (255, 0, 0) w1 solid brush "
                                 "(255, 255, 255) rop not\n");
    EXPECT_EQ(canvas.Drawings().size(), 2u);
}

} // namespace
} // namespace velmor
