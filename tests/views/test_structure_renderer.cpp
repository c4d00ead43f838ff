// Tests of the element symbols the structure renderer draws through the 3D drawing context on a
// recording canvas: what each element draws, in which palette colours, what the show options
// hide, and the hit regions that hold the drawn symbol.
#include "model/StructureBuilder.h"
#include "model/VelmorApoyo.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"
#include "numeric/Mfx3dCamera.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/RecordingCanvas.h"
#include "views/core/ProgramOptions.h"
#include "views/core/StructureRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
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

// The camera of the drawing-context tests: the box (0, 0, 0)-(10, 10, 5) in an 800 x 600
// client area, XY view, where (x, y, z) lands on (37.5 (x + 3), 37.5 (13 - y)).
constexpr double kScale = 37.5;

PixelPoint XY(double x, double y)
{
    return {static_cast<int>(kScale * (x + 3)), static_cast<int>(kScale * (13 - y))};
}

Colour Pal(int entry)
{
    return Palette().Color(entry); // the white-background palette the tests draw with
}

// A shaded face takes the colour plus (1, 0, 0) up to eight times.
bool IsShadeOf(const Colour& drawn, const Colour& base)
{
    return drawn.green == base.green && drawn.blue == base.blue && drawn.red >= base.red &&
           drawn.red <= std::min(base.red + 8, 255);
}

bool Near(const PixelPoint& a, const PixelPoint& b)
{
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

// Symbol sizes with u = 1 (a work-box diagonal of 100), the white palette and a problem of the
// given type.
class Drawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sizes.Compute(100.0);
        m_camera.SetView(Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 10, 5)), 20.0,
                         Mfx3dCamera::kViewXY, Mfx3dPoint(0, 0, 0));
        m_camera.Zoom(Mfx3dCamera::kZoomReset);
        SetType(PROBLEM_PLANE_FRAME);
    }
    void SetType(int type) { m_builder = std::make_unique<StructureBuilder>(m_problem, type); }
    StructureBuilder& Build() { return *m_builder; }

    StructureRenderer Renderer(const ProgramOptions& options) const
    {
        return StructureRenderer(RenderStyle{options, m_palette, m_sizes, m_problem.m_nType});
    }
    // The calls the renderer makes to draw the element.
    RecordingCanvas Draw(const VelmorObject& element, const ProgramOptions& options = {},
                         bool highlighted = false)
    {
        RecordingCanvas canvas;
        {
            Mfx3dDC dc(canvas, &m_camera);
            Renderer(options).Draw(element, dc, nullptr, highlighted);
        }
        return canvas;
    }
    RecordingCanvas DrawHighlighted(const VelmorObject& element)
    {
        return Draw(element, ProgramOptions(), true);
    }
    // The region the element adds, and the calls made meanwhile.
    Region RegionOf(const VelmorObject& element, const ProgramOptions& options = {},
                    RecordingCanvas* calls = nullptr)
    {
        RecordingCanvas canvas;
        Region region;
        {
            Mfx3dDC dc(canvas, &m_camera);
            Renderer(options).Draw(element, dc, &region, false);
        }
        if (calls)
            *calls = canvas;
        return region;
    }
    PixelPoint Project(const Mfx3dPoint& p)
    {
        RecordingCanvas canvas;
        return Mfx3dDC(canvas, &m_camera).ProjectPoint(p);
    }

    VelmorProblem m_problem;
    FixedViewport m_viewport{MfxRect(0, 0, 800, 600)};
    Mfx3dCamera m_camera{&m_viewport};
    Palette m_palette;
    SymbolSizes m_sizes;

private:
    std::unique_ptr<StructureBuilder> m_builder;
};

// Every vertex of the faces and every end of the lines drawn.
std::vector<PixelPoint> DrawnPoints(const RecordingCanvas& canvas)
{
    std::vector<PixelPoint> points;
    for (const RecordedCall& call : canvas.Drawings())
        if (call.kind == Kind::Polygon || call.kind == Kind::Polyline || call.kind == Kind::LineTo)
            points.insert(points.end(), call.points.begin(), call.points.end());
    return points;
}

PixelRect Bounds(const std::vector<PixelPoint>& points)
{
    PixelRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const PixelPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

bool HasLineEndingAt(const RecordingCanvas& canvas, const PixelPoint& p)
{
    for (const RecordedCall& call : canvas.CallsOf(Kind::LineTo))
        if (Near(call.points.back(), p))
            return true;
    return false;
}

int LinesInColour(const RecordingCanvas& canvas, const Colour& colour)
{
    const auto lines = canvas.CallsOf(Kind::LineTo);
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const RecordedCall& c) {
        return c.state.pen.colour == colour;
    }));
}

// ---- nodes

struct HingeCase
{
    const char* name;
    int problemType;
    int joint;
    bool ring;
};

class DrawingHinge : public Drawing, public ::testing::WithParamInterface<HingeCase>
{
};

TEST_P(DrawingHinge, RingOfRadiusTwoUOnlyOnHingedNodes)
{
    const HingeCase& c = GetParam();
    SetType(c.problemType);
    VelmorObject* node = Build().Node(4, 5, 0, c.joint);
    const RecordingCanvas canvas = Draw(*node);

    const PixelPoint centre = XY(4, 5);
    const auto arcs = canvas.CallsOf(Kind::Arc);
    ASSERT_EQ(arcs.size(), c.ring ? 1u : 0u);
    if (c.ring) {
        EXPECT_EQ(arcs[0].state.pen.colour, Pal(PAL_HINGE));
        EXPECT_NEAR(arcs[0].rect.right - centre.x, 2 * kScale, 1);
        EXPECT_NEAR(centre.y - arcs[0].rect.top, 2 * kScale, 1);
    }
    const auto discs = canvas.CallsOf(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_NEAR(discs[0].rect.right - centre.x, kScale, 1);
    EXPECT_EQ(discs[0].state.brush.colour, Pal(PAL_HINGE));

    // The region is the outer disc: a point 1.5 u from the centre is inside only with a ring.
    const Region region = RegionOf(*node);
    EXPECT_TRUE(region.Contains(centre));
    EXPECT_EQ(region.Contains(centre.x + int(1.5 * kScale), centre.y), c.ring);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, DrawingHinge,
    ::testing::Values(HingeCase{"PlaneFrameRigidNode", PROBLEM_PLANE_FRAME, 0, false},
                      HingeCase{"PlaneFrameJoint", PROBLEM_PLANE_FRAME, 1, true},
                      HingeCase{"SpaceFrameRigidNode", PROBLEM_SPACE_FRAME, 0, false},
                      HingeCase{"TrussNodeWithoutJointFlag", PROBLEM_SPACE_TRUSS, 0, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, SelectedNodeIsFilledWithTheSelectionColour)
{
    VelmorObject* node = Build().Node(4, 5, 0);
    const auto discs = DrawHighlighted(*node).CallsOf(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].state.brush.colour, Pal(PAL_SELECTED));
}

TEST_F(Drawing, NodeRegionLeavesRoomForTheNumberLabel)
{
    VelmorObject* node = Build().Node(4, 5, 0);
    const PixelPoint centre = XY(4, 5);
    const PixelRect box = RegionOf(*node).BoundingRect();
    EXPECT_NEAR(box.right, centre.x + kScale + 40, 1);
    EXPECT_NEAR(box.top, centre.y - kScale - 30, 1);
    EXPECT_NEAR(box.left, centre.x - kScale, 1);
    EXPECT_NEAR(box.bottom, centre.y + kScale, 1);
}

// ---- sections

struct SectionCase
{
    const char* name;
    int shape;
    double rho;
    int rectangles;
    int ellipses;
    bool weightArrow;
};

class DrawingSectionIcon : public Drawing, public ::testing::WithParamInterface<SectionCase>
{
};

TEST_P(DrawingSectionIcon, ThirdSectionIconSpans50To70And10To30)
{
    const SectionCase& c = GetParam();
    VelmorSeccionData data;
    data.m_number = 3;
    data.m_nShape = c.shape;
    data.m_rho = c.rho;
    VelmorSeccion section(data);
    const RecordingCanvas canvas = Draw(section);

    const PixelRect icon{50, 10, 70, 30};
    EXPECT_EQ(StructureRenderer::SectionIconRect(3, 20), icon);
    const auto rects = canvas.CallsOf(Kind::Rectangle);
    ASSERT_EQ(static_cast<int>(rects.size()), c.rectangles);
    const auto ellipses = canvas.CallsOf(Kind::Ellipse);
    ASSERT_EQ(static_cast<int>(ellipses.size()), c.ellipses);
    const RecordedCall* body =
        !rects.empty() ? &rects[0] : !ellipses.empty() ? &ellipses[0] : nullptr;
    if (body) {
        EXPECT_EQ(body->rect, icon);
        EXPECT_EQ(body->state.brush.colour, Pal(SectionColourIndex(3)));
        EXPECT_EQ(body->state.pen.colour, Pal(PAL_PEN));
    }
    // The I's notches are filled with the background colour, inside the icon.
    for (size_t i = 1; i < rects.size(); ++i) {
        EXPECT_EQ(rects[i].state.brush.colour, Pal(PAL_BACKGROUND));
        EXPECT_GE(rects[i].rect.left, icon.left);
        EXPECT_LE(rects[i].rect.right, icon.right);
        EXPECT_GT(rects[i].rect.top, icon.top);
        EXPECT_LT(rects[i].rect.bottom, icon.bottom);
    }
    // The self-weight arrow runs from the centre (60, 20) down by e to (60, 40).
    EXPECT_EQ(HasLineEndingAt(canvas, {60, 40}), c.weightArrow);
    EXPECT_EQ(canvas.CallsOf(Kind::LineTo).empty(), !c.weightArrow);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, DrawingSectionIcon,
    ::testing::Values(SectionCase{"Rectangular", SHAPE_RECTANGULAR, 0.0, 1, 0, false},
                      SectionCase{"ArbitraryDrawnAsAnI", SHAPE_ARBITRARY, 0.0, 3, 0, false},
                      SectionCase{"AxialDrawnAsAnEllipse", SHAPE_AXIAL, 0.0, 0, 1, false},
                      SectionCase{"UnsetShapeOnlyItsWeight", SHAPE_UNSET, 7850.0, 0, 0, true},
                      SectionCase{"RectangularWithSelfWeight", SHAPE_RECTANGULAR, 7850.0, 1, 0,
                                  true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, SelectedSectionIconAndItsRegion)
{
    VelmorSeccionData data;
    data.m_number = 3;
    data.m_nShape = SHAPE_RECTANGULAR;
    VelmorSeccion section(data);
    const auto rects = DrawHighlighted(section).CallsOf(Kind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].state.brush.colour, Pal(PAL_SELECTED));

    // The icon extended by e / 2 = 10 downwards, room for the self-weight arrow.
    const Region region = RegionOf(section);
    EXPECT_EQ(region.BoundingRect(), (PixelRect{50, 10, 70, 40}));
    EXPECT_TRUE(region.Contains(60, 38));
    EXPECT_FALSE(region.Contains(45, 20));
    EXPECT_FALSE(region.Contains(60, 45));
}

// ---- beams

struct BeamColourCase
{
    const char* name;
    int sectionNumber;
    bool bySection;
    int entry;
};

class DrawingBeamColour : public Drawing, public ::testing::WithParamInterface<BeamColourCase>
{
};

TEST_P(DrawingBeamColour, LineOfWidthThreeInTheSectionOrBeamColour)
{
    const BeamColourCase& c = GetParam();
    VelmorObject* a = Build().Node(1, 5, 0);
    VelmorObject* b = Build().Node(9, 5, 0);
    VelmorObject* s = Build().Rectangle(0.2, 0.4, 2.1e11, 0.3);
    s->m_pData->m_number = c.sectionNumber;
    VelmorObject* beam = Build().Beam(s, a, b);
    ProgramOptions options;
    options.Set(OPT_BEAM_SECTION_COLOUR, c.bySection);
    options.Set(OPT_SHOW_ORIENTATION, false);
    const auto lines = Draw(*beam, options).CallsOf(Kind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Near(lines[0].points[0], XY(1, 5)));
    EXPECT_TRUE(Near(lines[0].points[1], XY(9, 5)));
    EXPECT_EQ(lines[0].state.pen.colour, Pal(c.entry));
    EXPECT_EQ(lines[0].state.pen.width, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Beams, DrawingBeamColour,
    ::testing::Values(BeamColourCase{"SecondSection", 2, true, 12},
                      BeamColourCase{"TenthSection", 10, true, 20},
                      BeamColourCase{"EleventhSectionWrapsToTheFirst", 11, true, 11},
                      BeamColourCase{"PlainBeamColour", 2, false, PAL_BEAM}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, BeamIn3dIsAShadedBoxOutlinedWithThePen)
{
    VelmorObject* a = Build().Node(1, 5, 0);
    VelmorObject* b = Build().Node(9, 5, 0);
    VelmorObject* s = Build().Rectangle(0.2, 0.4, 2.1e11, 0.3);
    s->m_pData->m_number = 1;
    VelmorObject* beam = Build().Beam(s, a, b);
    ProgramOptions options;
    options.Set(OPT_DRAW_3D, true);
    options.Set(OPT_SHOW_ORIENTATION, false);
    const RecordingCanvas canvas = Draw(*beam, options);
    const auto faces = canvas.CallsOf(Kind::Polygon);
    ASSERT_FALSE(faces.empty());
    for (const RecordedCall& f : faces) {
        EXPECT_TRUE(IsShadeOf(f.state.brush.colour, Pal(11))) << f.ToString();
        EXPECT_EQ(f.state.pen.colour, Pal(PAL_PEN));
    }
    // Seen from above, the box spans the beam and 0.6 u (the local y half-size) about it.
    const PixelRect r = Bounds(DrawnPoints(canvas));
    EXPECT_TRUE(Near({r.left, r.top}, XY(1, 5.6))) << r;
    EXPECT_TRUE(Near({r.right, r.bottom}, XY(9, 4.4))) << r;
}

TEST_F(Drawing, LocalAxesTriadOutsideTrussesOnly)
{
    VelmorObject* s = Build().Axial(0.01, 2.1e11);
    for (const int type : {PROBLEM_PLANE_FRAME, PROBLEM_SPACE_FRAME, PROBLEM_SPACE_TRUSS}) {
        SCOPED_TRACE(type);
        SetType(type);
        VelmorObject* a = Build().Node(1, 2 * type, 0);
        VelmorObject* b = Build().Node(9, 2 * type, 0);
        VelmorObject* beam = Build().Beam(s, a, b);
        ASSERT_NE(beam, nullptr);
        const auto texts = Draw(*beam).CallsOf(Kind::TextOut);
        std::string labels;
        for (const RecordedCall& t : texts)
            labels += t.text;
        EXPECT_EQ(labels, type == PROBLEM_SPACE_TRUSS ? "" : "xyz");
    }
}

TEST_F(Drawing, BeamRegionHoldsTheBeamButNotItsSurroundings)
{
    VelmorObject* a = Build().Node(1, 5, 0);
    VelmorObject* b = Build().Node(9, 5, 0);
    VelmorObject* beam = Build().Beam(Build().Axial(0.01, 2.1e11), a, b);
    RecordingCanvas calls;
    const Region region = RegionOf(*beam, {}, &calls);
    EXPECT_TRUE(calls.Drawings().empty());
    for (const double x : {1.5, 5.0, 8.5})
        EXPECT_TRUE(region.Contains(XY(x, 5))) << x;
    EXPECT_FALSE(region.Contains(XY(5, 7)));
}

// ---- supports

struct AnchorCase
{
    const char* name;
    int type;
    Mfx3dPoint up;  // the orientation's third column for this type in a plane frame
};

constexpr std::initializer_list<int> kNone = {};
constexpr std::initializer_list<int> kUserDefined = {1, 1, 0, 0, 0, 1};

class DrawingSupportAnchor : public Drawing, public ::testing::WithParamInterface<AnchorCase>
{
};

TEST_P(DrawingSupportAnchor, SolidsStandBetweenTheNodeAndTheAnchor)
{
    const AnchorCase& c = GetParam();
    const Mfx3dPoint n(4, 6, 0);
    // Type 9 has no picture of its own: it takes the restraints given.
    VelmorObject* support =
        Build().Support(Build().Node(n.x, n.y, n.z), c.type, c.type == 9 ? kUserDefined : kNone);
    ASSERT_NE(support, nullptr);
    const RecordingCanvas canvas = Draw(*support);
    const double s = m_sizes.supportSize;
    ASSERT_DOUBLE_EQ(s, 5.0);

    // A = N - S up; the solids are 0.5 S wide on either side of the axis N-A.
    const Mfx3dPoint a = n - s * c.up;
    const Mfx3dPoint side(c.up.y, -c.up.x, 0.0);
    const PixelRect drawn = Bounds(DrawnPoints(canvas));
    const PixelRect want =
        Bounds({Project(a + 0.5 * s * side), Project(a - 0.5 * s * side), Project(n)});
    EXPECT_NEAR(drawn.left, want.left, 1) << drawn;
    EXPECT_NEAR(drawn.right, want.right, 1) << drawn;
    EXPECT_NEAR(drawn.top, want.top, 1) << drawn;
    EXPECT_NEAR(drawn.bottom, want.bottom, 1) << drawn;

    // The region holds the symbol's middle, between the node and the anchor.
    const Region region = RegionOf(*support);
    EXPECT_TRUE(region.Contains(Project(n - 0.85 * s * c.up)));
    EXPECT_FALSE(region.Contains(Project(n + 0.5 * s * c.up)));
}

INSTANTIATE_TEST_SUITE_P(
    Supports, DrawingSupportAnchor,
    ::testing::Values(AnchorCase{"FixedBlock", 1, {0, 1, 0}},
                      AnchorCase{"PinnedSlabAndPyramid", 2, {0, 1, 0}},
                      AnchorCase{"HingeSlabAndPrism", 3, {0, 1, 0}},
                      AnchorCase{"RollerAlongXStandsOffInX", 6, {1, 0, 0}},
                      AnchorCase{"UserDefinedTwoPrisms", 9, {0, 1, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

struct SupportColourCase
{
    const char* name;
    std::function<VelmorObject*(StructureBuilder&, VelmorObject*)> make;
    bool selected;
    int entry;
};

class DrawingSupportColour : public Drawing, public ::testing::WithParamInterface<SupportColourCase>
{
};

TEST_P(DrawingSupportColour, FillColourByState)
{
    const SupportColourCase& c = GetParam();
    VelmorObject* support = c.make(Build(), Build().Node(4, 6, 0));
    ASSERT_NE(support, nullptr);
    const auto faces = Draw(*support, ProgramOptions(), c.selected).CallsOf(Kind::Polygon);
    ASSERT_FALSE(faces.empty());
    for (const RecordedCall& f : faces) {
        EXPECT_TRUE(IsShadeOf(f.state.brush.colour, Pal(c.entry))) << f.ToString();
        EXPECT_EQ(f.state.pen.colour, Pal(PAL_PEN));
    }
}

VelmorObject* Ordinary(StructureBuilder& b, VelmorObject* node)
{
    return b.Support(node, 2);
}

VelmorObject* PinnedWithSettlement(StructureBuilder& b, VelmorObject* node)
{
    VelmorObject* support = b.Support(node, 2);
    static_cast<VelmorApoyo*>(support)->Data().m_translation = Mfx3dPoint(0, -0.01, 0);
    return support;
}

VelmorObject* PrescribedRotation(StructureBuilder& b, VelmorObject* node)
{
    return b.Settlement(node, {0, 0, 0, 0, 0, 1}, {0, 0, 0}, {0, 0, 0.002});
}

VelmorObject* Elastic(StructureBuilder& b, VelmorObject* node)
{
    return b.Spring(node, {0, 1e6, 0});
}

INSTANTIATE_TEST_SUITE_P(
    Supports, DrawingSupportColour,
    ::testing::Values(SupportColourCase{"Ordinary", Ordinary, false, PAL_SUPPORT},
                      SupportColourCase{"SettlementOnAPinnedSupport", PinnedWithSettlement, false,
                                        PAL_SUPPORT_DISPLACED},
                      SupportColourCase{"PrescribedDisplacementType", PrescribedRotation, false,
                                        PAL_SUPPORT_DISPLACED},
                      SupportColourCase{"Spring", Elastic, false, PAL_SUPPORT_DETAIL},
                      SupportColourCase{"SelectedSettlement", PinnedWithSettlement, true,
                                        PAL_SELECTED}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, SpringIsAWideLineFromTheNodeToTheSlab)
{
    const Mfx3dPoint n(4, 6, 0);
    VelmorObject* spring = Build().Spring(Build().Node(n.x, n.y, n.z), {0, 1e6, 0});
    // The slab's faces seen from behind close their outlines with lines of the width-1 pen.
    std::vector<RecordedCall> lines = Draw(*spring).CallsOf(Kind::LineTo);
    std::erase_if(lines, [](const RecordedCall& l) { return l.state.pen.width == 1; });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].state.pen.width, 5);
    EXPECT_EQ(lines[0].state.pen.colour, Pal(PAL_SUPPORT_DETAIL));
    EXPECT_TRUE(Near(lines[0].points[0], XY(4, 6)));
    EXPECT_TRUE(Near(lines[0].points[1], XY(4, 6 - 0.7 * 5)));
}

// ---- loads

struct NodalLoadCase
{
    const char* name;
    Mfx3dPoint force;
    Mfx3dPoint moment;
    bool forceArrow;
    bool momentArrow;
};

class DrawingNodalLoad : public Drawing, public ::testing::WithParamInterface<NodalLoadCase>
{
};

TEST_P(DrawingNodalLoad, ArrowsOnlyForNonZeroValues)
{
    const NodalLoadCase& c = GetParam();
    SetType(PROBLEM_SPACE_FRAME);
    VelmorObject* load = Build().NodalLoad(Build().Node(4, 5, 0), c.force, c.moment);
    ASSERT_NE(load, nullptr);
    const RecordingCanvas canvas = Draw(*load);
    EXPECT_EQ(LinesInColour(canvas, Pal(PAL_LOAD_FORCE)) > 0, c.forceArrow);
    EXPECT_EQ(LinesInColour(canvas, Pal(PAL_LOAD_MOMENT)) > 0, c.momentArrow);
    EXPECT_EQ(LinesInColour(canvas, Pal(PAL_LOAD_FORCE)) +
                  LinesInColour(canvas, Pal(PAL_LOAD_MOMENT)),
              static_cast<int>(canvas.CallsOf(Kind::LineTo).size()));
    if (c.forceArrow) {
        // The force arrow, 12 u long, ends at the node.
        const Mfx3dPoint u = c.force / c.force.length();
        const PixelPoint start = Project(Mfx3dPoint(4, 5, 0) - 12.0 * u);
        bool shaft = false;
        for (const RecordedCall& l : canvas.CallsOf(Kind::LineTo))
            shaft = shaft || (Near(l.points[0], start) && Near(l.points[1], XY(4, 5)));
        EXPECT_TRUE(shaft);
    }
    const Region region = RegionOf(*load);
    EXPECT_TRUE(region.Contains(XY(4, 5)));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, DrawingNodalLoad,
    ::testing::Values(NodalLoadCase{"ForceOnly", {10, 0, 0}, {0, 0, 0}, true, false},
                      NodalLoadCase{"MomentOnly", {0, 0, 0}, {0, 0, 5}, false, true},
                      NodalLoadCase{"ForceAndMoment", {3, -4, 0}, {0, 0, 5}, true, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, NodalLoadByComponentsDrawsOneArrowPerNonZeroComponent)
{
    VelmorObject* load = Build().NodalLoad(Build().Node(4, 5, 0), {3, -4, 0});
    static_cast<VelmorCarga*>(load)->Data().m_nResultant = 0;
    const RecordingCanvas canvas = Draw(*load);
    EXPECT_TRUE(HasLineEndingAt(canvas, XY(4, 5)));
    int shafts = 0;
    for (const RecordedCall& l : canvas.CallsOf(Kind::LineTo))
        shafts += Near(l.points[1], XY(4, 5)) &&
                  (Near(l.points[0], XY(4 - 12, 5)) || Near(l.points[0], XY(4, 5 + 12)));
    EXPECT_EQ(shafts, 2);
}

struct BeamLoadCase
{
    const char* name;
    Mfx3dPoint end1;
    Mfx3dPoint end2;
    int type;
    Mfx3dPoint q1;
    Mfx3dPoint q2;
    // Where the arrows end (on the beam or its level line) and where the diagram's far side
    // lies, at both ends.
    Mfx3dPoint base1;
    Mfx3dPoint base2;
    Mfx3dPoint top1;
    Mfx3dPoint top2;
    int arrows;
};

class DrawingBeamLoad : public Drawing, public ::testing::WithParamInterface<BeamLoadCase>
{
};

TEST_P(DrawingBeamLoad, DiagramOutlineAndARowOfArrows)
{
    const BeamLoadCase& c = GetParam();
    VelmorObject* a = Build().Node(c.end1.x, c.end1.y, c.end1.z);
    VelmorObject* b = Build().Node(c.end2.x, c.end2.y, c.end2.z);
    VelmorObject* beam = Build().Beam(Build().Axial(0.01, 2.1e11), a, b);
    VelmorObject* load = Build().BeamLoad(beam, c.type, c.q1, c.q2);
    ASSERT_NE(load, nullptr);
    const RecordingCanvas canvas = Draw(*load);

    // The outline is drawn first: a closed line through the beam's ends and the far side,
    // 8 u from the beam at the larger end value.
    const auto lines = canvas.CallsOf(Kind::LineTo);
    ASSERT_GE(lines.size(), 4u);
    std::vector<PixelPoint> outline;
    for (size_t i = 0; i < 4; ++i)
        outline.push_back(lines[i].points[1]);
    for (const Mfx3dPoint& corner : {c.base1, c.base2, c.top1, c.top2}) {
        const PixelPoint p = Project(corner);
        EXPECT_TRUE(std::any_of(outline.begin(), outline.end(),
                                [&](const PixelPoint& q) { return Near(p, q); }))
            << p;
    }
    for (const RecordedCall& l : lines)
        EXPECT_EQ(l.state.pen.colour, Pal(PAL_LOAD_FORCE));

    // Arrows (shafts ending on the base line, each with two head strokes).
    int shafts = 0;
    for (int i = 0; i <= 4; ++i) {
        const double t = i / 4.0;
        const PixelPoint at = Project(c.base1 + t * (c.base2 - c.base1));
        const PixelPoint from = Project(c.top1 + t * (c.top2 - c.top1));
        for (size_t k = 4; k < lines.size(); ++k)
            shafts += Near(lines[k].points[0], from) && Near(lines[k].points[1], at);
    }
    EXPECT_EQ(shafts, c.arrows);
    EXPECT_EQ(lines.size(), 4u + 3u * static_cast<size_t>(c.arrows));

    // The region holds the diagram.
    const Region region = RegionOf(*load);
    EXPECT_TRUE(region.Contains(Project((c.base1 + c.base2 + c.top1 + c.top2) * 0.25)));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, DrawingBeamLoad,
    ::testing::Values(
        BeamLoadCase{"ConstantGlobal", {1, 5, 0}, {9, 5, 0}, LOAD_CONSTANT_GLOBAL, {0, -5, 0},
                     {0, -5, 0}, {1, 5, 0}, {9, 5, 0}, {1, 13, 0}, {9, 13, 0}, 5},
        BeamLoadCase{"TriangularHasNoArrowAtItsZeroEnd", {1, 5, 0}, {9, 5, 0},
                     LOAD_LINEAR_GLOBAL, {0, 0, 0}, {0, -10, 0}, {1, 5, 0}, {9, 5, 0},
                     {1, 5, 0}, {9, 13, 0}, 4},
        // A vertical beam's local y is global -x: a local (0, -5, 0) pushes along +x.
        BeamLoadCase{"LocalTurnedByTheBeamAxes", {5, 1, 0}, {5, 9, 0}, LOAD_CONSTANT_LOCAL,
                     {0, -5, 0}, {0, -5, 0}, {5, 1, 0}, {5, 9, 0}, {-3, 1, 0}, {-3, 9, 0}, 5},
        BeamLoadCase{"ProjectedStandsOnALevelLine", {1, 2, 0}, {9, 6, 0},
                     LOAD_CONSTANT_PROJECTED, {0, -5, 0}, {0, -5, 0}, {1, 6, 0}, {9, 6, 0},
                     {1, 14, 0}, {9, 14, 0}, 5}),
    [](const auto& row) { return std::string(row.param.name); });

// ---- show options

struct HiddenCase
{
    const char* name;
    int option;
    int kind;
};

class DrawingHidden : public Drawing, public ::testing::WithParamInterface<HiddenCase>
{
};

TEST_P(DrawingHidden, SwitchedOffOptionDrawsNothingAndAddsNoRegion)
{
    const HiddenCase& c = GetParam();
    VelmorObject* n1 = Build().Node(1, 5, 0);
    VelmorObject* n2 = Build().Node(9, 5, 0);
    VelmorObject* s = Build().Rectangle(0.2, 0.4, 2.1e11, 0.3, 7850.0);
    VelmorObject* beam = Build().Beam(s, n1, n2);
    VelmorObject* elements[6] = {n1,
                                 s,
                                 beam,
                                 Build().Support(n1, 2),
                                 Build().NodalLoad(n2, {10, 0, 0}, {0, 0, 5}),
                                 Build().BeamLoad(beam, LOAD_CONSTANT_GLOBAL, {0, -5, 0})};
    VelmorObject& element = *elements[c.kind];

    const ProgramOptions shown;
    EXPECT_FALSE(Draw(element, shown).Drawings().empty());
    EXPECT_FALSE(RegionOf(element, shown).IsEmpty());

    ProgramOptions hidden;
    hidden.Set(c.option, false);
    EXPECT_TRUE(Draw(element, hidden).Calls().empty());
    EXPECT_TRUE(RegionOf(element, hidden).IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, DrawingHidden,
    ::testing::Values(HiddenCase{"Nodes", OPT_SHOW_NODES, KIND_NODE},
                      HiddenCase{"Sections", OPT_SHOW_SECTIONS, KIND_SECTION},
                      HiddenCase{"Beams", OPT_SHOW_BEAMS, KIND_BEAM},
                      HiddenCase{"Supports", OPT_SHOW_SUPPORTS, KIND_SUPPORT},
                      HiddenCase{"NodalLoads", OPT_SHOW_LOADS, KIND_NODAL_LOAD},
                      HiddenCase{"BeamLoads", OPT_SHOW_LOADS, KIND_BEAM_LOAD}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Drawing, AskingForARegionDrawsNothing)
{
    VelmorObject* n1 = Build().Node(1, 5, 0, 1);
    VelmorObject* n2 = Build().Node(9, 5, 0);
    VelmorObject* s = Build().Rectangle(0.2, 0.4, 2.1e11, 0.3, 7850.0);
    VelmorObject* beam = Build().Beam(s, n1, n2);
    for (VelmorObject* e : {n1, s, beam, Build().Support(n2, 2),
                            Build().NodalLoad(n2, {10, 0, 0}, {0, 0, 5}),
                            Build().BeamLoad(beam, LOAD_CONSTANT_GLOBAL, {0, -5, 0})}) {
        RecordingCanvas calls;
        const Region region = RegionOf(*e, {}, &calls);
        EXPECT_FALSE(region.IsEmpty()) << e->GetRuntimeClass();
        EXPECT_TRUE(calls.Drawings().empty()) << e->GetRuntimeClass();
    }
}

} // namespace
} // namespace velmor

namespace velmor {
namespace {

std::vector<std::string> Texts(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const RecordedCall& c : canvas.CallsOf(Kind::TextOut))
        texts.push_back(c.text);
    return texts;
}

TEST_F(Drawing, LabelsOfNodesBeamsAndLoadsAreDrawnOnRequest)
{
    VelmorObject* a = Build().Node(1, 1, 0);
    VelmorObject* b = Build().Node(5, 1, 0);
    VelmorObject* beam = Build().Beam(Build().Rectangle(0.2, 0.4, 2.1e11, 0.3), a, b);
    VelmorObject* nodal = Build().NodalLoad(b, {15000, 0, 0}, {0, 0, 2500});
    VelmorObject* constant = Build().BeamLoad(beam, LOAD_CONSTANT_GLOBAL, {0, -25000, 0});
    ProgramOptions plain;
    plain.Set(OPT_SHOW_ORIENTATION, false);
    for (const VelmorObject* e : {a, beam, nodal, constant})
        EXPECT_TRUE(Texts(Draw(*e, plain)).empty()) << "no label unless asked";

    ProgramOptions labels = plain;
    labels.Set(OPT_NODE_NUMBERS, true);
    labels.Set(OPT_BEAM_NUMBERS, true);
    labels.Set(OPT_LOAD_VALUES, true);
    EXPECT_EQ(Texts(Draw(*b, labels)), std::vector<std::string>{"2"});
    EXPECT_EQ(Texts(Draw(*beam, labels)), std::vector<std::string>{"[1]"});
    EXPECT_EQ(Texts(Draw(*nodal, labels)), std::vector<std::string>{"15 kN, 2.5 kN\u00b7m"});
    EXPECT_EQ(Texts(Draw(*constant, labels)), std::vector<std::string>{"25 kN/m"});
    // A label is no part of what picking finds.
    EXPECT_EQ(RegionOf(*b, labels).BoundingRect(), RegionOf(*b, plain).BoundingRect());

    static_cast<VelmorCarga*>(constant)->Data().m_point[2] = {0, -3000, 0};
    static_cast<VelmorCarga*>(constant)->Data().m_point[0] = {0, -1000, 0};
    EXPECT_EQ(Texts(Draw(*constant, labels)), std::vector<std::string>{"1 kN/m \u2192 3 kN/m"});
}

} // namespace
} // namespace velmor
