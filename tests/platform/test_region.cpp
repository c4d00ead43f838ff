// Tests of the hit-test regions: exact point tests on rectangles, ellipses and polygons under
// both fill rules, shapes without area, union, offset and bounding rectangle.
#include "platform/core/Region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmor {
namespace {

struct PointCase
{
    const char* name;
    PixelPoint p;
    bool inside;
};

void ExpectCases(const Region& region, const std::vector<PointCase>& cases)
{
    for (const PointCase& c : cases)
        EXPECT_EQ(region.Contains(c.p), c.inside)
            << c.name << " (" << c.p.x << ", " << c.p.y << ")";
}

TEST(RegionTest, RectangleIsClosedWhateverTheCornerOrder)
{
    const std::vector<PointCase> cases = {
        {"inside", {15, 25}, true},
        {"top-left corner", {10, 20}, true},
        {"bottom-right corner", {30, 40}, true},
        {"on the right side", {30, 33}, true},
        {"left of it", {9, 25}, false},
        {"below it", {15, 41}, false},
        {"right of it", {31, 40}, false},
    };
    ExpectCases(Region::FromRect({10, 20, 30, 40}), cases);
    ExpectCases(Region::FromRect({30, 40, 10, 20}), cases);
    ExpectCases(Region::FromRect({30, 20, 10, 40}), cases);
    EXPECT_EQ(Region::FromRect({30, 40, 10, 20}).BoundingRect(), (PixelRect{10, 20, 30, 40}));
}

TEST(RegionTest, EllipseTestIsExactOnItsOutline)
{
    // Centre (10, 5), semi-axes 10 and 5: (2, 2) gives 0.64 + 0.36 = 1, exactly on the outline.
    const Region ellipse = Region::FromEllipse({0, 0, 20, 10});
    ExpectCases(ellipse, {
                             {"centre", {10, 5}, true},
                             {"left end of the long axis", {0, 5}, true},
                             {"right end", {20, 5}, true},
                             {"top of the short axis", {10, 0}, true},
                             {"on the outline off the axes", {2, 2}, true},
                             {"just outside, left", {1, 2}, false},
                             {"just outside, above", {2, 1}, false},
                             {"corner of the bounding box", {0, 0}, false},
                             {"beyond the long axis", {21, 5}, false},
                         });
    EXPECT_EQ(ellipse.BoundingRect(), (PixelRect{0, 0, 20, 10}));
}

TEST(RegionTest, PolygonVerticesOnTheRayCountOnce)
{
    // A diamond: a ray from a point level with its left and right vertices passes through both.
    const std::vector<PixelPoint> diamond = {{0, 5}, {5, 0}, {10, 5}, {5, 10}};
    ExpectCases(Region::FromPolygon(diamond),
                {
                    {"centre", {5, 5}, true},
                    {"level with two vertices, inside", {2, 5}, true},
                    {"level with two vertices, outside left", {-3, 5}, false},
                    {"level with the top vertex, outside left", {3, 0}, false},
                    {"a vertex", {10, 5}, true},
                    {"middle of an edge", {2, 3}, true},
                    {"just outside an edge", {2, 2}, false},
                    {"right of everything", {11, 5}, false},
                });
}

TEST(RegionTest, ConcavePolygonLeavesItsNotchOut)
{
    // An L: the square (0, 0)-(20, 20) without its top-right quarter (10..20, 0..10).
    const std::vector<PixelPoint> l = {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {0, 20}};
    ExpectCases(Region::FromPolygon(l), {
                                            {"upper arm", {5, 5}, true},
                                            {"lower arm", {15, 15}, true},
                                            {"in the notch", {15, 5}, false},
                                            {"on the notch's inner corner", {10, 10}, true},
                                        });
}

TEST(RegionTest, FillRulesDifferInsideASelfCrossingStar)
{
    // A five-pointed star drawn in one stroke: its centre is wound round twice.
    const std::vector<PixelPoint> star = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const Region evenOdd = Region::FromPolygon(star, FillRule::EvenOdd);
    const Region winding = Region::FromPolygon(star, FillRule::Winding);
    EXPECT_FALSE(evenOdd.Contains(50, 50));
    EXPECT_TRUE(winding.Contains(50, 50));
    for (const Region* r : {&evenOdd, &winding}) {
        EXPECT_TRUE(r->Contains(50, 15)) << "top point";
        EXPECT_FALSE(r->Contains(50, 95)) << "between the lower points";
    }
    // The same outline traced the other way round winds -2 times: still inside.
    const std::vector<PixelPoint> reversed(star.rbegin(), star.rend());
    EXPECT_TRUE(Region::FromPolygon(reversed, FillRule::Winding).Contains(50, 50));
}

TEST(RegionTest, ShapesWithoutAreaAreNotAdded)
{
    const std::vector<PixelPoint> collinear = {{0, 0}, {5, 5}, {10, 10}, {2, 2}};
    const std::vector<PixelPoint> twoPoints = {{0, 0}, {10, 0}};
    const std::vector<PixelPoint> samePoint = {{3, 3}, {3, 3}, {3, 3}};
    Region r;
    r.AddRect({5, 5, 5, 20});
    r.AddRect({5, 5, 20, 5});
    r.AddEllipse({0, 0, 0, 10});
    r.AddPolygon(collinear);
    r.AddPolygon(twoPoints);
    r.AddPolygon(samePoint);
    r.AddPolygon({});
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.ShapeCount(), 0);
    EXPECT_FALSE(r.Contains(5, 5));
    EXPECT_FALSE(r.Contains(5, 10));
    EXPECT_EQ(r.BoundingRect(), PixelRect{});
}

TEST(RegionTest, UnionOffsetAndClear)
{
    Region r = Region::FromRect({0, 0, 10, 10});
    const std::vector<PixelPoint> triangle = {{100, 100}, {120, 100}, {100, 130}};
    Region other = Region::FromPolygon(triangle);
    other.AddEllipse({-30, 40, -10, 50});
    r.Union(other);
    r.Union(r); // a region joined with itself is unchanged
    EXPECT_EQ(r.ShapeCount(), 3);
    EXPECT_TRUE(r.Contains(5, 5));
    EXPECT_TRUE(r.Contains(105, 105));
    EXPECT_TRUE(r.Contains(-20, 45));
    EXPECT_FALSE(r.Contains(50, 50));
    EXPECT_EQ(r.BoundingRect(), (PixelRect{-30, 0, 120, 130}));

    r.Offset(7, -3);
    EXPECT_EQ(r.BoundingRect(), (PixelRect{-23, -3, 127, 127}));
    EXPECT_TRUE(r.Contains(112, 102));
    EXPECT_TRUE(r.Contains(-13, 42));
    EXPECT_TRUE(r.Contains(17, 7));
    EXPECT_FALSE(r.Contains(18, 7)) << "the rectangle moved with the rest";

    r.Clear();
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_FALSE(r.Contains(112, 102));
    EXPECT_EQ(r.BoundingRect(), PixelRect{});
}

TEST(RegionTest, LargeCoordinatesStayExact)
{
    // A long thin sliver spanning the device limit: the point on its long edge is inside, the
    // one a unit off it outside.
    constexpr int L = 1 << 26;
    const std::vector<PixelPoint> sliver = {{-L, -L}, {L, L - 2}, {-L, -L + 1}};
    const Region r = Region::FromPolygon(sliver);
    EXPECT_TRUE(r.Contains(0, -1)) << "midpoint of the long edge";
    EXPECT_FALSE(r.Contains(0, -2));
    EXPECT_FALSE(r.Contains(L, L - 1));
}

} // namespace
} // namespace velmor
