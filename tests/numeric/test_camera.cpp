// Tests of the camera geometry: rectangles, boxes, the window-to-viewport fit, viewing
// directions, rotation, zoom, and the mapping from the screen back onto the model.
#include "numeric/Mfx3dBox.h"
#include "numeric/Mfx3dCamera.h"
#include "numeric/MfxRect.h"
#include "numeric/MfxViewMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace velmor {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
// Device units are a few hundred at most here; this is round-off, not slack.
constexpr double kDeviceTol = 1e-9;
constexpr double kModelTol = 1e-9;

class FixedViewport : public ViewportSource
{
public:
    explicit FixedViewport(const MfxRect& r) : rect(r) {}
    MfxRect ClientRect() const override { return rect; }
    MfxRect rect;
};

// A client area of 800 x 600 as a window reports it: top 0, bottom the height.
const MfxRect kClient(0, 0, 800, 600);

void ExpectNear(const Mfx3dPoint& p, const Mfx3dPoint& q, double tol)
{
    EXPECT_NEAR(p.x, q.x, tol);
    EXPECT_NEAR(p.y, q.y, tol);
    EXPECT_NEAR(p.z, q.z, tol);
}

void ExpectNear(const MfxPoint& p, const MfxPoint& q, double tol)
{
    EXPECT_NEAR(p.x, q.x, tol);
    EXPECT_NEAR(p.y, q.y, tol);
}

void ExpectSameMatrix(const MfxTMatrix& m, const MfxTMatrix& n)
{
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(m(i, j), n(i, j)) << "element (" << i << ", " << j << ")";
}

bool Finite(const MfxPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool Finite(const Mfx3dPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Heading of the direction seen from above, and its elevation above the XY plane, in degrees.
double Heading(const Mfx3dPoint& d)
{
    return std::atan2(d.y, d.x) / kDeg;
}

double Elevation(const Mfx3dPoint& d)
{
    return std::asin(d.z / d.length()) / kDeg;
}

double AngleDifference(double to, double from)
{
    double a = std::fmod(to - from, 360.0);
    if (a > 180.0)
        a -= 360.0;
    if (a <= -180.0)
        a += 360.0;
    return a;
}

const Mfx3dBox kWorkBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(5, 5, 2.5));

// ---- MfxRect

TEST(MfxRect, NormalizeWidthHeightAndEmptiness)
{
    struct Case
    {
        const char* name;
        MfxRect rect;
        MfxRect normalized;
        bool empty;
    };
    const Case cases[] = {
        {"already ordered", {1, 5, 4, 2}, {1, 5, 4, 2}, false},
        {"client rectangle", {0, 0, 800, 600}, {0, 600, 800, 0}, false},
        {"both reversed", {4, 2, 1, 5}, {1, 5, 4, 2}, false},
        {"zero width", {3, 0, 3, 7}, {3, 7, 3, 0}, true},
        {"zero height", {0, 2, 9, 2}, {0, 2, 9, 2}, true},
        {"a point", {1, 1, 1, 1}, {1, 1, 1, 1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rect.IsEmpty(), c.empty);
        MfxRect r = c.rect;
        r.Normalize();
        EXPECT_EQ(r, c.normalized);
        EXPECT_EQ(r.IsEmpty(), c.empty);
        EXPECT_GE(r.Width(), 0);
        EXPECT_GE(r.Height(), 0);
        EXPECT_EQ(r.Width(), std::abs(c.rect.right - c.rect.left));
        EXPECT_EQ(r.Height(), std::abs(c.rect.top - c.rect.bottom));
    }
}

// ---- Mfx3dBox

TEST(Mfx3dBox, FromCornersStandsOnTheMinimumCorner)
{
    const Mfx3dBox box(Mfx3dPoint(1, 2, 3), Mfx3dPoint(5, 8, 4));
    EXPECT_EQ(box.BaseCentre(), Mfx3dPoint(3, 5, 3));
    EXPECT_EQ(box.HalfExtentX(), 2);
    EXPECT_EQ(box.HalfExtentY(), 3);
    EXPECT_EQ(box.Height(), 1);
    EXPECT_EQ(box.Kind(), Mfx3dBox::kBox);
    EXPECT_EQ(box.Centre(), Mfx3dPoint(3, 5, 3.5));
    EXPECT_EQ(box.Size(), Mfx3dPoint(4, 6, 1));

    const auto corners = box.Corners();
    EXPECT_EQ(corners[0], Mfx3dPoint(1, 2, 3));
    EXPECT_EQ(corners[2], Mfx3dPoint(5, 8, 3));
    EXPECT_EQ(corners[4], Mfx3dPoint(1, 2, 4));
    EXPECT_EQ(corners[6], Mfx3dPoint(5, 8, 4));
}

TEST(Mfx3dBox, RegressionCornersComeBackBitForBit)
{
    // Centre minus half-extent misses the original corner by an ulp for most decimal values,
    // which would change a binary document on every save.
    for (int i = -30; i <= 30; i += 7) {
        for (int j = i + 1; j <= 40; j += 3) {
            const Mfx3dPoint lo(i * 0.1, i * 0.37, i * 0.013);
            const Mfx3dPoint hi(j * 0.1, j * 0.37, j * 0.013);
            const Mfx3dBox box(lo, hi);
            ASSERT_EQ(box.MinCorner(), lo) << i << ' ' << j;
            ASSERT_EQ(box.MaxCorner(), hi) << i << ' ' << j;
        }
    }
}

TEST(Mfx3dBox, OrientationTurnsCentreAndCornersAboutTheBase)
{
    // Quarter turn about X: (x, y, z) -> (x, -z, y).
    const MfxTMatrix quarterX(Mfx3dPoint(1, 0, 0), Mfx3dPoint(0, 0, 1), Mfx3dPoint(0, -1, 0));
    const Mfx3dBox box(Mfx3dPoint(10, 20, 30), 1, 2, 4, quarterX, Mfx3dBox::kPyramid);
    EXPECT_EQ(box.Kind(), Mfx3dBox::kPyramid);
    EXPECT_EQ(box.Centre(), Mfx3dPoint(10, 18, 30));
    EXPECT_EQ(box.Size(), Mfx3dPoint(2, 4, 4));
    const auto corners = box.Corners();
    EXPECT_EQ(corners[0], Mfx3dPoint(9, 20, 28));
    EXPECT_EQ(corners[6], Mfx3dPoint(11, 16, 32));
    // The file corners ignore the orientation.
    EXPECT_EQ(box.MinCorner(), Mfx3dPoint(9, 18, 30));
    EXPECT_EQ(box.MaxCorner(), Mfx3dPoint(11, 22, 34));
}

// ---- MfxViewMapping

TEST(MfxViewMapping, FitTakesTheSmallerScaleAndCentresTheViewOrigin)
{
    MfxViewMapping mapping;
    // Window 4 x 2 around the origin, not centred on it.
    mapping.Fit(MfxRect(-3, 1.5, 1, -0.5), kClient);
    EXPECT_EQ(mapping.Scale(), 200);
    EXPECT_EQ(mapping.ScaledWindow(), MfxRect(-600, 300, 200, -100));
    EXPECT_EQ(mapping.Viewport(), MfxRect(0, 600, 800, 0));
    ExpectNear(mapping.Forward() * Mfx3dPoint(0, 0, 0), Mfx3dPoint(400, 200, 0), 0);
    ExpectNear(mapping.Forward() * Mfx3dPoint(-2, -1, 0.5), Mfx3dPoint(0, 0, 100), 0);
    ExpectNear(mapping.Inverse() * (mapping.Forward() * Mfx3dPoint(0.3, -0.7, 2)),
               Mfx3dPoint(0.3, -0.7, 2), 1e-12);

    // A second fit is what the matrices follow.
    mapping.Fit(MfxRect(-3, 1.5, 1, -0.5), MfxRect(0, 0, 100, 600));
    EXPECT_EQ(mapping.Scale(), 25);
    ExpectNear(mapping.Forward() * Mfx3dPoint(0, 0, 0), Mfx3dPoint(50, 25, 0), 0);
}

TEST(MfxViewMapping, EmptyViewportGivesZeroScaleAndFiniteMatrices)
{
    MfxViewMapping mapping;
    mapping.Fit(MfxRect(-1, 1, 1, -1), MfxRect());
    EXPECT_EQ(mapping.Scale(), 0);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            EXPECT_TRUE(std::isfinite(mapping.Forward()(i, j)));
            EXPECT_TRUE(std::isfinite(mapping.Inverse()(i, j)));
        }
}

// ---- Mfx3dCamera: viewing directions

TEST(Mfx3dCamera, ViewCodesChooseTheDirection)
{
    const Mfx3dPoint given(0, -3, 4);
    const Mfx3dPoint oblique = Mfx3dPoint(1, -1, 0.5) / 1.5;
    struct Case
    {
        const char* name;
        int code;
        Mfx3dPoint direction;
        Mfx3dPoint expected;
        bool rotatable;
    };
    const Case cases[] = {
        {"XY", 1, given, {0, 0, 1}, false},
        {"YZ", 2, given, {1, 0, 0}, false},
        {"XZ", 4, given, {0, -1, 0}, false},
        {"oblique default", 8, {0, 0, 0}, oblique, true},
        {"oblique given", 8, given, {0, -0.6, 0.8}, true},
        {"given", 32, given, {0, -0.6, 0.8}, false},
        {"XY with bit 0x10", 17, given, {0, 0, 1}, false},
        {"oblique with bit 0x10", 24, {0, 0, 0}, oblique, true},
        {"given with bit 0x10", 48, given, {0, -0.6, 0.8}, false},
    };
    FixedViewport client(kClient);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, 2, {}); // start from another direction
        EXPECT_EQ(camera.SetView(kWorkBox, 20.0, c.code, c.direction), 1);
        ExpectNear(camera.Direction(), c.expected, 1e-15);
        EXPECT_EQ(camera.IsRotatable(), c.rotatable);
        EXPECT_EQ(camera.ViewCode(), c.code);
        EXPECT_EQ(camera.Target(), Mfx3dPoint(2.5, 2.5, 1.25));
    }
}

TEST(Mfx3dCamera, OtherCodesAndZeroDirectionsKeepTheDirection)
{
    FixedViewport client(kClient);
    for (const int code : {0, 3, 16, 64, 40, 32, 48}) {
        SCOPED_TRACE(code);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, 8, {});
        const Mfx3dPoint before = camera.Direction();
        camera.SetView(kWorkBox, 20.0, code, {0, 0, 0});
        EXPECT_EQ(camera.Direction(), before);
        EXPECT_FALSE(camera.IsRotatable());
    }
}

TEST(Mfx3dCamera, StandardViewsOrientThePicture)
{
    // Screen axes of each view: the model axis that points right, the one that points up and
    // the one that points at the viewer (its projection is a point).
    struct Case
    {
        const char* name;
        int code;
        Mfx3dPoint right, up, towardsViewer;
    };
    const Case cases[] = {
        {"XY", 1, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"XY with bit 0x10", 17, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"XZ", 4, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {"YZ", 2, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
    };
    FixedViewport client(kClient);
    const Mfx3dBox flat(Mfx3dPoint(-2, -1, 0), Mfx3dPoint(6, 3, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        camera.SetView(flat, 20.0, c.code, {});
        const Mfx3dPoint p(1, 1, 0);
        const MfxPoint at = camera.Project(p);
        const MfxPoint toRight = camera.Project(p + c.right) - at;
        const MfxPoint toUp = camera.Project(p + c.up) - at;
        const MfxPoint toViewer = camera.Project(p + c.towardsViewer) - at;
        const double s = camera.Mapping().Scale();
        ExpectNear(toRight, MfxPoint(s, 0), kDeviceTol);
        ExpectNear(toUp, MfxPoint(0, -s), kDeviceTol); // device y grows downwards
        ExpectNear(toViewer, MfxPoint(0, 0), kDeviceTol);
        ExpectNear(camera.ProjectDirection(c.towardsViewer), Mfx3dPoint(0, 0, 1), 1e-15);
    }
}

TEST(Mfx3dCamera, ProjectDirectionRotatesAndNeverTranslates)
{
    FixedViewport client(kClient);
    Mfx3dCamera camera(&client);
    camera.SetView(Mfx3dBox(Mfx3dPoint(100, 200, 300), Mfx3dPoint(110, 220, 330)), 20.0, 1, {});

    const Mfx3dPoint up = camera.ProjectDirection(Mfx3dPoint(0, 1, 0));
    ExpectNear(up, Mfx3dPoint(0, -1, 0), 0);
    EXPECT_EQ(up.w, 0);
    // A degenerate polygon's normal comes as (0, 0, 0, 1) and must stay zero.
    EXPECT_EQ(camera.ProjectDirection(Mfx3dPoint(0, 0, 0, 1)), Mfx3dPoint(0, 0, 0));

    camera.SetView(kWorkBox, 20.0, 8, {});
    ExpectNear(camera.ProjectDirection(camera.Direction()), Mfx3dPoint(0, 0, 1), 1e-15);
}

// ---- Mfx3dCamera: rotation

TEST(Mfx3dCamera, RotationNeedsTheObliqueView)
{
    FixedViewport client(kClient);
    for (const int code : {1, 2, 4, 32}) {
        SCOPED_TRACE(code);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, code, {1, -1, 0.5});
        const Mfx3dPoint direction = camera.Direction();
        const MfxPoint corner = camera.Project(Mfx3dPoint(5, 5, 2.5));
        for (const int turn : {1, 2, 4, 8})
            camera.Rotate(turn, Mfx3dCamera::kRotationStep);
        EXPECT_EQ(camera.Direction(), direction);
        EXPECT_EQ(camera.Project(Mfx3dPoint(5, 5, 2.5)), corner);
    }
}

TEST(Mfx3dCamera, EightStepsAboutZTurnTheViewBy120Degrees)
{
    struct Case
    {
        int code;
        double turn;
    };
    FixedViewport client(kClient);
    for (const Case& c : {Case{1, 120.0}, Case{2, -120.0}}) {
        SCOPED_TRACE(c.code);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, 8, {});
        const Mfx3dPoint start = camera.Direction();
        for (int k = 0; k < 8; ++k)
            camera.Rotate(c.code, Mfx3dCamera::kRotationStep);
        const Mfx3dPoint end = camera.Direction();
        EXPECT_NEAR(AngleDifference(Heading(end), Heading(start)), c.turn, 1e-9);
        EXPECT_NEAR(end.z, start.z, 1e-15);
        EXPECT_NEAR(end.length(), 1.0, 1e-15);
    }
}

TEST(Mfx3dCamera, TurningUpAndDownChangesOnlyTheElevationAndKeepsTheFit)
{
    struct Case
    {
        int code;
        int steps;
        double rise;
    };
    const Case cases[] = {{4, 1, 15.0}, {4, 3, 45.0}, {8, 1, -15.0}, {8, 2, -30.0}};
    FixedViewport client(kClient);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " x " << c.steps);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, 8, {});
        const Mfx3dPoint start = camera.Direction();
        const MfxPoint drawing = camera.DrawingSize();
        const MfxPoint target = camera.Project(camera.Target());
        for (int k = 0; k < c.steps; ++k)
            camera.Rotate(c.code, Mfx3dCamera::kRotationStep);
        const Mfx3dPoint end = camera.Direction();
        EXPECT_NEAR(Elevation(end) - Elevation(start), c.rise, 1e-9);
        EXPECT_NEAR(AngleDifference(Heading(end), Heading(start)), 0.0, 1e-9);
        EXPECT_NEAR(end.length(), 1.0, 1e-15);
        EXPECT_EQ(camera.DrawingSize(), drawing);
        ExpectNear(camera.Project(camera.Target()), target, kDeviceTol);
    }

    Mfx3dCamera camera(&client);
    camera.SetView(kWorkBox, 20.0, 8, {});
    const Mfx3dPoint start = camera.Direction();
    camera.Rotate(Mfx3dCamera::kTurnUp, Mfx3dCamera::kRotationStep);
    camera.Rotate(Mfx3dCamera::kTurnDown, Mfx3dCamera::kRotationStep);
    ExpectNear(camera.Direction(), start, 1e-15);
}

// ---- Mfx3dCamera: fit

TEST(Mfx3dCamera, FitCentresTheTargetWithTheEyeOffsetAsMargin)
{
    // A 10 x 4 x 2 box with the margin m = |(10, 4, 2) * 20 / 100|: the picture grows by m on
    // each side in x and y and by m below the box only.
    const double m = std::sqrt(2.0 * 2.0 + 0.8 * 0.8 + 0.4 * 0.4);
    struct Case
    {
        const char* name;
        int code;
        double width, height; // of the picture in model units
    };
    const Case cases[] = {
        {"XY", 1, 10 + 2 * m, 4 + 2 * m},
        {"XZ", 4, 10 + 2 * m, 2 + m},
        {"YZ", 2, 4 + 2 * m, 2 + m},
    };
    FixedViewport client(kClient);
    const Mfx3dBox box(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 4, 2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        camera.SetView(box, 20.0, c.code, {});
        const double s = std::min(800 / c.width, 600 / c.height);
        EXPECT_NEAR(camera.Mapping().Scale(), s, 1e-12);
        const MfxPoint drawing = camera.DrawingSize();
        ExpectNear(drawing, MfxPoint(s * c.width, s * c.height), kDeviceTol);
        const MfxPoint centre = drawing / 2;
        ExpectNear(camera.Project(camera.Target()), centre, kDeviceTol);
        // The box sits in the middle: its minimum corner, at the lower left of the picture, is
        // half its size from the centre.
        const Mfx3dPoint half = box.Size() / 2;
        const double across = c.code == 2 ? half.y : half.x;
        const double upward = c.code == 1 ? half.y : half.z;
        ExpectNear(camera.Project(box.MinCorner()), centre + MfxPoint(-s * across, s * upward),
                   kDeviceTol);
    }
}

TEST(Mfx3dCamera, FitKeepsTheWholeBoxInsideTheDrawing)
{
    struct Case
    {
        const char* name;
        int code;
        int leftTurns;
        MfxRect client;
    };
    const Case cases[] = {
        {"oblique", 8, 0, kClient},
        {"oblique turned", 8, 5, kClient},
        {"XZ tall client", 4, 0, MfxRect(0, 0, 300, 900)},
        {"YZ", 2, 0, kClient},
    };
    const Mfx3dBox box(Mfx3dPoint(-1, 2, 0), Mfx3dPoint(7, 5, 3));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedViewport client(c.client);
        Mfx3dCamera camera(&client);
        camera.SetView(box, 20.0, c.code, {});
        for (int k = 0; k < c.leftTurns; ++k)
            camera.Rotate(1, Mfx3dCamera::kRotationStep);
        camera.Zoom(Mfx3dCamera::kZoomReset);
        const MfxPoint drawing = camera.DrawingSize();
        // One side of the drawing matches the client area, the other is not larger.
        EXPECT_TRUE(std::abs(drawing.x - c.client.Width()) < kDeviceTol ||
                    std::abs(drawing.y - std::abs(c.client.Height())) < kDeviceTol);
        EXPECT_LE(drawing.x, c.client.Width() + kDeviceTol);
        EXPECT_LE(drawing.y, std::abs(c.client.Height()) + kDeviceTol);
        ExpectNear(camera.Project(camera.Target()), drawing / 2, kDeviceTol);
        for (const Mfx3dPoint& corner : box.Corners()) {
            const MfxPoint p = camera.Project(corner);
            EXPECT_GT(p.x, 0);
            EXPECT_GT(p.y, 0);
            EXPECT_LT(p.x, drawing.x);
            EXPECT_LT(p.y, drawing.y);
        }
    }
}

TEST(Mfx3dCamera, BoxWithoutExtentGetsAUnitMargin)
{
    struct Case
    {
        const char* name;
        Mfx3dBox box;
        double percentage;
        MfxPoint drawing; // window 2m + size, fitted into 800 x 600
    };
    const Case cases[] = {
        {"single node", Mfx3dBox(Mfx3dPoint(1, 2, 3), Mfx3dPoint(1, 2, 3)), 20.0, {600, 600}},
        {"no percentage", Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(4, 2, 0)), 0.0,
         {800, 800.0 * 4 / 6}},
    };
    FixedViewport client(kClient);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        camera.SetView(c.box, c.percentage, 1, {});
        ExpectNear(camera.DrawingSize(), c.drawing, kDeviceTol);
        ExpectNear(camera.Project(c.box.Centre()), c.drawing / 2, kDeviceTol);

        camera.SetView(c.box, c.percentage, 8, {});
        EXPECT_TRUE(Finite(camera.DrawingSize()));
        EXPECT_GT(camera.DrawingSize().x, 0);
        EXPECT_GT(camera.DrawingSize().y, 0);
        ExpectNear(camera.Project(c.box.Centre()), camera.DrawingSize() / 2, kDeviceTol);
    }
}

TEST(Mfx3dCamera, WithoutClientAreaEverythingStaysFinite)
{
    Mfx3dCamera camera;
    camera.SetView(kWorkBox, 20.0, 8, {});
    EXPECT_EQ(camera.DrawingSize(), MfxPoint(0, 0));
    EXPECT_TRUE(Finite(camera.Project(Mfx3dPoint(1, 2, 3))));
    EXPECT_TRUE(Finite(camera.Unproject(10, 20, 5)));
    EXPECT_EQ(camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(0, 0, 10, 10)), 1);
    EXPECT_TRUE(Finite(camera.Unproject(10, 20, 5)));

    // A later owner is taken and kept when none is given.
    FixedViewport client(kClient);
    camera.SetView(kWorkBox, 20.0, 1, {}, &client);
    camera.SetView(kWorkBox, 20.0, 1, {});
    EXPECT_EQ(camera.Owner(), &client);
    EXPECT_NEAR(camera.DrawingSize().y, 600, kDeviceTol);
}

// ---- Mfx3dCamera: zoom

TEST(Mfx3dCamera, EmptyZoomRectangleIsRefusedAndChangesNothing)
{
    FixedViewport client(kClient);
    Mfx3dCamera camera(&client);
    camera.SetView(kWorkBox, 20.0, 8, {});
    camera.Zoom(Mfx3dCamera::kZoomReset);
    ASSERT_EQ(camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(100, 100, 300, 250)), 1);
    const MfxViewMapping before = camera.Mapping();
    const DevicePoint origin = camera.ScrollOrigin();
    const double factor = camera.ZoomFactor();
    const MfxPoint corner = camera.Project(Mfx3dPoint(5, 5, 2.5));

    for (const MfxRect& r : {MfxRect(50, 10, 50, 90), MfxRect(10, 40, 90, 40),
                             MfxRect(7, 7, 7, 7), MfxRect()}) {
        EXPECT_EQ(camera.Zoom(Mfx3dCamera::kZoomToRect, r), 0);
        EXPECT_EQ(camera.Mapping().Scale(), before.Scale());
        EXPECT_EQ(camera.Mapping().Window(), before.Window());
        EXPECT_EQ(camera.Mapping().Viewport(), before.Viewport());
        EXPECT_EQ(camera.Mapping().ScaledWindow(), before.ScaledWindow());
        ExpectSameMatrix(camera.Mapping().Forward(), before.Forward());
        EXPECT_EQ(camera.ScrollOrigin(), origin);
        EXPECT_EQ(camera.ZoomFactor(), factor);
        EXPECT_EQ(camera.Project(Mfx3dPoint(5, 5, 2.5)), corner);
    }
    EXPECT_EQ(camera.Zoom(3, MfxRect(0, 0, 10, 10)), 0);
    EXPECT_EQ(camera.Mapping().Scale(), before.Scale());
}

TEST(Mfx3dCamera, ZoomRectangleFillsTheClientArea)
{
    enum class Before { Fit, Rotated, Zoomed };
    struct Case
    {
        const char* name;
        Before before;
        MfxRect band; // in drawing coordinates, corners in any order
        double factor;
    };
    const Case cases[] = {
        {"wide band", Before::Fit, {100, 200, 300, 250}, 4.0},
        {"tall band dragged upwards", Before::Fit, {420, 380, 520, 80}, 2.0},
        {"dragged to the upper left", Before::Fit, {300, 300, 140, 180}, 5.0},
        {"one third of the client (printing)", Before::Fit, {0, 0, 800.0 / 3, 200}, 3.0},
        {"after a rotation", Before::Rotated, {200, 100, 400, 300}, 3.0},
        {"zoom inside a zoom", Before::Zoomed, {500, 400, 900, 700}, 2.0},
    };
    FixedViewport client(kClient);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        camera.SetView(kWorkBox, 20.0, 8, {});
        camera.Zoom(Mfx3dCamera::kZoomReset);
        if (c.before == Before::Rotated)
            camera.Rotate(Mfx3dCamera::kTurnLeft, Mfx3dCamera::kRotationStep);
        if (c.before == Before::Zoomed)
            camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(0, 0, 400, 300));

        // The model points under the band's corners on the box's bottom plane.
        MfxRect band = c.band;
        band.Normalize();
        const double x0 = band.left, x1 = band.right, y0 = band.bottom, y1 = band.top;
        const Mfx3dPoint topLeft = camera.Unproject(x0, y0, 0);
        const Mfx3dPoint bottomRight = camera.Unproject(x1, y1, 0);
        const MfxPoint drawing = camera.DrawingSize();

        ASSERT_EQ(camera.Zoom(Mfx3dCamera::kZoomToRect, c.band), 1);
        EXPECT_NEAR(camera.ZoomFactor(), c.factor, 1e-12);
        ExpectNear(camera.DrawingSize(), drawing * c.factor, 1e-6);
        const DevicePoint origin = camera.ScrollOrigin();
        EXPECT_EQ(origin.x, std::lround(x0 * c.factor));
        EXPECT_EQ(origin.y, std::lround(y0 * c.factor));

        // Seen from the scroll origin, the band spans the client area in its binding direction.
        const MfxPoint scroll(x0 * c.factor, y0 * c.factor);
        ExpectNear(camera.Project(topLeft) - scroll, MfxPoint(0, 0), 1e-6);
        const MfxPoint far = camera.Project(bottomRight) - scroll;
        ExpectNear(far, MfxPoint((x1 - x0) * c.factor, (y1 - y0) * c.factor), 1e-6);
        EXPECT_LE(far.x, 800 + 1e-6);
        EXPECT_LE(far.y, 600 + 1e-6);
        EXPECT_TRUE(std::abs(far.x - 800) < 1e-6 || std::abs(far.y - 600) < 1e-6);
    }
}

TEST(Mfx3dCamera, ZoomResetFitsTheCurrentPictureAgain)
{
    FixedViewport client(kClient);
    Mfx3dCamera camera(&client);
    camera.SetView(kWorkBox, 20.0, 8, {});
    EXPECT_FALSE(camera.IsZoomed());
    const double fitted = camera.Mapping().Scale();
    const MfxPoint drawing = camera.DrawingSize();

    camera.Zoom(Mfx3dCamera::kZoomToRect, MfxRect(10, 10, 110, 60));
    ASSERT_NE(camera.Mapping().Scale(), fitted);
    EXPECT_EQ(camera.Zoom(Mfx3dCamera::kZoomReset), 1);
    EXPECT_TRUE(camera.IsZoomed());
    EXPECT_EQ(camera.Mapping().Scale(), fitted);
    EXPECT_EQ(camera.DrawingSize(), drawing);
    EXPECT_EQ(camera.ScrollOrigin(), DevicePoint{});
    EXPECT_EQ(camera.ZoomFactor(), 1.0);

    // After a rotation the reset fits the turned picture.
    camera.Rotate(Mfx3dCamera::kTurnLeft, 3 * Mfx3dCamera::kRotationStep);
    camera.Zoom(Mfx3dCamera::kZoomReset);
    Mfx3dCamera fresh(&client);
    fresh.SetView(kWorkBox, 20.0, 32, camera.Direction());
    EXPECT_NEAR(camera.Mapping().Scale(), fresh.Mapping().Scale(), 1e-12);
    ExpectNear(camera.DrawingSize(), fresh.DrawingSize(), kDeviceTol);
}

// ---- Mfx3dCamera: from the screen back to the model

struct UnprojectCase
{
    const char* name;
    int code;
    Mfx3dPoint direction;
    int leftTurns;
    int upTurns;
    Mfx3dBox box;
    bool lifts; // a vertical offset lifts the point along Z
};

void PrepareCamera(Mfx3dCamera& camera, const UnprojectCase& c)
{
    camera.SetView(c.box, 20.0, c.code, c.direction);
    for (int k = 0; k < c.leftTurns; ++k)
        camera.Rotate(Mfx3dCamera::kTurnLeft, Mfx3dCamera::kRotationStep);
    for (int k = 0; k < c.upTurns; ++k)
        camera.Rotate(Mfx3dCamera::kTurnUp, Mfx3dCamera::kRotationStep);
    camera.Zoom(Mfx3dCamera::kZoomReset);
}

TEST(Mfx3dCamera, UnprojectFindsTheBottomPlanePointAndLiftsIt)
{
    const Mfx3dBox box(Mfx3dPoint(-1, 2, 0.5), Mfx3dPoint(7, 5, 3));
    const Mfx3dBox flat(Mfx3dPoint(-1, 2, 0.5), Mfx3dPoint(7, 5, 0.5));
    const UnprojectCase cases[] = {
        {"XY", 1, {}, 0, 0, box, false},
        {"oblique", 8, {}, 0, 0, box, true},
        // Three steps turn the default view to look along X: the screen images of the X and Y
        // axes then have a zero or nearly zero horizontal part.
        {"oblique turned 45 degrees", 8, {}, 3, 0, box, true},
        {"oblique turned 90 degrees", 8, {}, 6, 0, box, true},
        {"oblique raised", 8, {}, 1, 2, box, true},
        {"from the front and above", 32, {0, -1, 1}, 0, 0, box, true},
        {"from the side and above", 32, {1, 0, 1}, 0, 0, box, true},
        {"flat box", 8, {}, 0, 0, flat, true},
    };
    FixedViewport client(kClient);
    for (const UnprojectCase& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        PrepareCamera(camera, c);
        for (const Mfx3dPoint& p : {Mfx3dPoint(0, 3, 0.5), Mfx3dPoint(6.5, 2.25, 0.5),
                                    Mfx3dPoint(-4, 9, 0.5), Mfx3dPoint(2.5, 3.5, 0.5)}) {
            const MfxPoint at = camera.Project(p);
            ExpectNear(camera.Unproject(at.x, at.y, 0), p, kModelTol);
            if (!c.lifts)
                continue;
            for (const double h : {1.75, -0.6}) {
                const Mfx3dPoint q = p + Mfx3dPoint(0, 0, h);
                const double dz = camera.Project(q).y - at.y;
                ExpectNear(camera.Unproject(at.x, at.y, dz), q, kModelTol);
            }
        }
    }
}

TEST(Mfx3dCamera, UnprojectInEdgeOnViewsUsesTheFaceTowardsTheViewer)
{
    // In the XZ and YZ views the bottom plane is a line on the screen; the point is taken on
    // the face through the minimum corner (y = y0, x = x0), and the offset lifts it along Z.
    const Mfx3dBox box(Mfx3dPoint(-1, 2, 0.5), Mfx3dPoint(7, 5, 3));
    const UnprojectCase cases[] = {
        {"XZ", 4, {}, 0, 0, box, true},
        {"YZ", 2, {}, 0, 0, box, true},
    };
    FixedViewport client(kClient);
    for (const UnprojectCase& c : cases) {
        SCOPED_TRACE(c.name);
        Mfx3dCamera camera(&client);
        PrepareCamera(camera, c);
        const bool xz = c.code == 4;
        for (const double u : {-1.0, 0.0, 3.3}) {
            const Mfx3dPoint p = xz ? Mfx3dPoint(u, 2, 1.5) : Mfx3dPoint(-1, u, 1.5);
            const MfxPoint at = camera.Project(p);
            ExpectNear(camera.Unproject(at.x, at.y, 0), p, kModelTol);
            const Mfx3dPoint q = p + Mfx3dPoint(0, 0, 2);
            const double dz = camera.Project(q).y - at.y;
            ExpectNear(camera.Unproject(at.x, at.y, dz), q, kModelTol);
        }
    }
}

} // namespace
} // namespace velmor
