// Tests of the 3D point, the 4x4 transform, the polygon and the plane point: arithmetic, the
// handling of the weight w, out-of-range access and the exact bytes of their document forms.
#include "numeric/Mfx3dPoint.h"
#include "numeric/Mfx3dPolygon.h"
#include "numeric/MfxPoint.h"
#include "numeric/MfxTMatrix.h"
#include "platform/core/Archive.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace velmor {
namespace {

void ExpectPoint(const Mfx3dPoint& p, double x, double y, double z, double w)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
    EXPECT_EQ(p.w, w);
}

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

template <class T>
std::string Stored(T value, bool text)
{
    Archive ar = Archive::ForStoring(text);
    value.Serialize(ar, text);
    return ar.Bytes();
}

// m(i, j) = 10 i + j, so every element tells where it sits.
MfxTMatrix IndexMatrix()
{
    MfxTMatrix m;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            m(i, j) = 10 * i + j;
    return m;
}

void ExpectMatrix(const MfxTMatrix& m, const MfxTMatrix& expected)
{
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(m(i, j), expected(i, j)) << "element (" << i << ", " << j << ")";
}

// ---- Mfx3dPoint

TEST(Mfx3dPoint, DefaultIsOriginWithUnitWeight)
{
    ExpectPoint(Mfx3dPoint(), 0, 0, 0, 1);
    ExpectPoint(Mfx3dPoint(1, 2, 3), 1, 2, 3, 1);
    ExpectPoint(Mfx3dPoint(1, 2, 3, 0), 1, 2, 3, 0);
}

TEST(Mfx3dPoint, InPlaceOperationsKeepWeightNewPointsHaveUnitWeight)
{
    const Mfx3dPoint p(1, 2, 3, 0);
    const Mfx3dPoint q(4, 8, 16, 0);

    Mfx3dPoint r = p;
    r += q;
    ExpectPoint(r, 5, 10, 19, 0);
    r -= q;
    ExpectPoint(r, 1, 2, 3, 0);
    r *= 4;
    ExpectPoint(r, 4, 8, 12, 0);
    r /= 2;
    ExpectPoint(r, 2, 4, 6, 0);

    ExpectPoint(p + q, 5, 10, 19, 1);
    ExpectPoint(q - p, 3, 6, 13, 1);
    ExpectPoint(p * 2, 2, 4, 6, 1);
    ExpectPoint(2 * p, 2, 4, 6, 1);
    ExpectPoint(q / 4, 1, 2, 4, 1);
    ExpectPoint(-p, -1, -2, -3, 1);
}

TEST(Mfx3dPoint, DotAndCross)
{
    const Mfx3dPoint ex(1, 0, 0), ey(0, 1, 0), ez(0, 0, 1);
    ExpectPoint(cross(ex, ey), 0, 0, 1, 1);
    ExpectPoint(cross(ey, ez), 1, 0, 0, 1);
    ExpectPoint(cross(ez, ex), 0, 1, 0, 1);

    const Mfx3dPoint p(1, -2, 3, 0), q(4, 5, -6, 0);
    EXPECT_EQ(dot(p, q), 4 - 10 - 18);
    const Mfx3dPoint c = cross(p, q);
    ExpectPoint(c, -3, 18, 13, 1);
    EXPECT_EQ(dot(c, p), 0);
    EXPECT_EQ(dot(c, q), 0);
    EXPECT_EQ(cross(q, p), -c);
}

TEST(Mfx3dPoint, ComparisonsUseXyzOnly)
{
    struct Case
    {
        const char* name;
        Mfx3dPoint p, q;
        bool equal, lessEqual, less;
    };
    const Case cases[] = {
        {"same xyz, other w", {1, 2, 3, 1}, {1, 2, 3, 0}, true, true, false},
        {"all smaller", {0, 1, 2}, {1, 2, 3}, false, true, true},
        {"one equal", {1, 1, 2}, {1, 2, 3}, false, true, false},
        {"one larger", {0, 3, 2}, {1, 2, 3}, false, false, false},
        {"z differs", {1, 2, 3}, {1, 2, 4}, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.p == c.q, c.equal);
        EXPECT_EQ(c.p != c.q, !c.equal);
        EXPECT_EQ(c.p <= c.q, c.lessEqual);
        EXPECT_EQ(c.p < c.q, c.less);
    }
}

TEST(Mfx3dPoint, LengthAndNormalize)
{
    Mfx3dPoint p(3, 0, 4, 0);
    EXPECT_EQ(p.length(), 5);
    p.normalize();
    ExpectPoint(p, 0.6, 0, 0.8, 0);

    Mfx3dPoint zero(0, 0, 0);
    zero.normalize();
    ExpectPoint(zero, 0, 0, 0, 1);

    Mfx3dPoint q(1e-100, -2e-100, 2e-100);
    q.normalize();
    ExpectPoint(q, 1.0 / 3, -2.0 / 3, 2.0 / 3, 1);
}

TEST(Mfx3dPoint, TextFormIsOneLineWithSixDecimalsUnlessTheyLoseTheValue)
{
    EXPECT_EQ(Stored(Mfx3dPoint(1, 2, 3), true), "(1.000000, 2.000000, 3.000000) \n");
    EXPECT_EQ(Stored(Mfx3dPoint(-0.5, 1.0 / 3.0, 1234.5678), true),
              "(-0.500000, 0.333333, 1234.567800) \n");
    // Six decimals would write 1e-7 as 0: it is written so that it reads back exactly.
    EXPECT_EQ(Stored(Mfx3dPoint(1e-7, 0, -1.234567e-5), true),
              "(9.9999999999999995e-08, 0.000000, -1.2345670000000001e-05) \n");
    for (const double v : {1e-9, -3e-12, 1.234567e-5, 6.02e23}) {
        Archive in = Archive::ForLoading(Stored(Mfx3dPoint(v, v, v), true), true);
        Mfx3dPoint p;
        p.Serialize(in, true);
        EXPECT_EQ(p.x, v);
        EXPECT_EQ(p.z, v);
    }
}

TEST(Mfx3dPoint, TextRoundTripKeepsWeight)
{
    const std::string bytes = Stored(Mfx3dPoint(1.25, -2.5, 1e6), true);
    Archive in = Archive::ForLoading(bytes, true);
    Mfx3dPoint p(9, 9, 9, 0.5);
    p.Serialize(in, true);
    ExpectPoint(p, 1.25, -2.5, 1e6, 0.5);
    EXPECT_TRUE(in.AtEnd());
}

// A line of six-decimal values of large magnitudes is far longer than 63 characters; it must
// be read whole, and the next record must start on the next line.
TEST(Mfx3dPoint, RegressionLongTextLineIsReadWhole)
{
    const Mfx3dPoint big(-1e70, 123456789012345.0, 1e30);
    Archive out = Archive::ForStoring(true);
    Mfx3dPoint(big).Serialize(out, true);
    Mfx3dPoint(7, 8, 9).Serialize(out, true);
    ASSERT_GT(out.Bytes().find('\n'), 63u);

    Archive in = Archive::ForLoading(out.Bytes(), true);
    Mfx3dPoint p, q;
    p.Serialize(in, true);
    q.Serialize(in, true);
    ExpectPoint(p, big.x, big.y, big.z, 1);
    ExpectPoint(q, 7, 8, 9, 1);
}

TEST(Mfx3dPoint, TextLinesThatDoNotScanWholeAreRefused)
{
    // Never a default value for what cannot be read: decimal commas, garbage, missing or extra
    // components all stop the reading with the line's number.
    for (const char* line : {"(7.5, oops, 1.0) \n", "7.5, 8.5, 9.5\n", "(7.5, 8.5)\n", "\n",
                             "(0,0, 4,0, 0,0) \n", "(1.0, 2.0, 3.0) trailing\n",
                             "(1.0, 2.0, 3.0, 4.0) \n"}) {
        SCOPED_TRACE(line);
        Archive in = Archive::ForLoading(line, true);
        Mfx3dPoint p(1, 2, 3, 0);
        try {
            p.Serialize(in, true);
            ADD_FAILURE() << "read as " << p.x << ", " << p.y << ", " << p.z;
        } catch (const ArchiveException& e) {
            EXPECT_EQ(std::string(e.what()).rfind("ligne 1: valeurs illisibles", 0), 0u) << e.what();
        }
    }
    // Blanks around the values are the form's own.
    Archive in = Archive::ForLoading("(1.5,2.5,   3.5)   \n", true);
    Mfx3dPoint p;
    p.Serialize(in, true);
    ExpectPoint(p, 1.5, 2.5, 3.5, 1);
}

TEST(Mfx3dPoint, BinaryFormIsFourLittleEndianDoubles)
{
    const std::string expected = Bytes({
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F, // 1.0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, // 2.0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x40, // 3.0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0, // -2.5
    });
    EXPECT_EQ(Stored(Mfx3dPoint(1, 2, 3, -2.5), false), expected);

    Archive in = Archive::ForLoading(expected, false);
    Mfx3dPoint p;
    p.Serialize(in, false);
    ExpectPoint(p, 1, 2, 3, -2.5);
}

TEST(Mfx3dPoint, TruncatedBinaryPointThrowsAndKeepsThePoint)
{
    const std::string bytes = Stored(Mfx3dPoint(1, 2, 3), false);
    Archive in = Archive::ForLoading(bytes.substr(0, 31), false);
    Mfx3dPoint p(7, 8, 9, 0);
    EXPECT_THROW(p.Serialize(in, false), ArchiveException);
    ExpectPoint(p, 7, 8, 9, 0);
}

// ---- MfxTMatrix

TEST(MfxTMatrix, DefaultAndSetIdentity)
{
    const MfxTMatrix identity;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(identity(i, j), i == j ? 1.0 : 0.0);

    MfxTMatrix m = IndexMatrix();
    m.SetIdentity();
    ExpectMatrix(m, identity);
}

TEST(MfxTMatrix, OutOfRangeElementsReadZeroAndSwallowWrites)
{
    const int bad[][2] = {{0, 1}, {5, 1}, {1, 0}, {1, 5}, {-1, 2}, {0, 0}, {4, 17}, {17, 4}};
    const MfxTMatrix reference = IndexMatrix();
    MfxTMatrix m = reference;
    for (const auto& ij : bad) {
        SCOPED_TRACE(testing::Message() << "(" << ij[0] << ", " << ij[1] << ")");
        m(ij[0], ij[1]) = 99;
        EXPECT_EQ(m(ij[0], ij[1]), 0.0) << "the dummy is zeroed on every access";
        EXPECT_EQ(std::as_const(m)(ij[0], ij[1]), 0.0);
        ExpectMatrix(m, reference);
    }
}

TEST(MfxTMatrix, ElementsAreStoredRowByRow)
{
    Archive out = Archive::ForStoring(false);
    IndexMatrix().Serialize(out, false);
    ASSERT_EQ(out.Bytes().size(), 16 * 8u);

    Archive in = Archive::ForLoading(out.Bytes(), false);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(in.ReadDouble(), 10 * i + j);
}

TEST(MfxTMatrix, FromThreePointsFillsColumns)
{
    const Mfx3dPoint p0(1, 2, 3, 7), p1(4, 5, 6, 7), p2(7, 8, 9, 7);
    const MfxTMatrix m(p0, p1, p2);
    ExpectPoint(m.Column(1), 1, 2, 3, 0);
    ExpectPoint(m.Column(2), 4, 5, 6, 0);
    ExpectPoint(m.Column(3), 7, 8, 9, 0);
    ExpectPoint(m.Column(4), 0, 0, 0, 1);
    ExpectPoint(m.Row(4), 0, 0, 0, 1);
    // So it maps the unit axes onto the three points.
    ExpectPoint(m * Mfx3dPoint(0, 1, 0, 0), 4, 5, 6, 1);
}

TEST(MfxTMatrix, TranslationMovesPointsNotDirections)
{
    const MfxTMatrix t = MfxTMatrix::Translation(Mfx3dPoint(1, 2, 3));
    ExpectPoint(t * Mfx3dPoint(0, 0, 0, 1), 1, 2, 3, 1);
    ExpectPoint(t * Mfx3dPoint(10, 20, 30, 1), 11, 22, 33, 1);
    ExpectPoint(t * Mfx3dPoint(4, 5, 6, 0), 4, 5, 6, 1);
}

TEST(MfxTMatrix, ScalingAndItsInverse)
{
    const Mfx3dPoint s(2, -4, 0.5);
    const MfxTMatrix scale = MfxTMatrix::Scaling(s, false);
    ExpectPoint(scale * Mfx3dPoint(1, 1, 1), 2, -4, 0.5, 1);
    ExpectPoint(MfxTMatrix::Scaling(s, true) * Mfx3dPoint(1, 1, 1), 0.5, -0.25, 2, 1);
    ExpectMatrix(MfxTMatrix::Scaling(s, true) * scale, MfxTMatrix());
}

TEST(MfxTMatrix, PointProductIgnoresRowFourAndWeight)
{
    // Row 4 of IndexMatrix would give w' = 430; the product sets w' = 1 without dividing.
    ExpectPoint(IndexMatrix() * Mfx3dPoint(1, 2, 3, 4), 11 + 24 + 39 + 56, 21 + 44 + 69 + 96,
                31 + 64 + 99 + 136, 1);
    ExpectPoint(MfxTMatrix() * Mfx3dPoint(1, 2, 3, 0), 1, 2, 3, 1);
}

TEST(MfxTMatrix, MatrixProduct)
{
    const MfxTMatrix a = IndexMatrix();
    MfxTMatrix b;
    b(1, 2) = 2;
    b(3, 1) = -1;
    b(4, 4) = 3;
    const MfxTMatrix ab = a * b;
    // Column 1 of ab = a's column 1 - a's column 3; column 2 = 2 a's column 1 + a's column 2.
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(ab(i, 1), a(i, 1) - a(i, 3));
        EXPECT_EQ(ab(i, 2), 2 * a(i, 1) + a(i, 2));
        EXPECT_EQ(ab(i, 3), a(i, 3));
        EXPECT_EQ(ab(i, 4), 3 * a(i, 4));
    }
    ExpectMatrix(a * MfxTMatrix(), a);
    ExpectMatrix(MfxTMatrix() * a, a);
    ExpectMatrix((a * b).Transpose(), b.Transpose() * a.Transpose());

    const Mfx3dPoint t1(1, 2, 3), t2(-4, 0.5, 8);
    ExpectMatrix(MfxTMatrix::Translation(t1) * MfxTMatrix::Translation(t2),
                 MfxTMatrix::Translation(t1 + t2));
}

TEST(MfxTMatrix, ElementwiseArithmetic)
{
    const MfxTMatrix a = IndexMatrix();
    const MfxTMatrix b = a.Transpose();
    const MfxTMatrix sum = a + b;
    const MfxTMatrix difference = a - b;
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            EXPECT_EQ(sum(i, j), 11 * (i + j));
            EXPECT_EQ(difference(i, j), 9 * (i - j));
        }
    }
    MfxTMatrix m = a;
    m += b;
    ExpectMatrix(m, sum);
    m -= b;
    ExpectMatrix(m, a);
    m *= 4;
    EXPECT_EQ(m(2, 3), 92);
    EXPECT_EQ(m(4, 4), 176);
    m /= 8;
    EXPECT_EQ(m(2, 3), 11.5);
    EXPECT_EQ(m(1, 1), 5.5);
}

TEST(MfxTMatrix, TransposeRowAndColumn)
{
    const MfxTMatrix m = IndexMatrix();
    const MfxTMatrix t = m.Transpose();
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(t(i, j), 10 * j + i);
    ExpectPoint(m.Row(2), 21, 22, 23, 24);
    ExpectPoint(m.Column(3), 13, 23, 33, 43);
    for (int k : {0, 5, -1}) {
        ExpectPoint(m.Row(k), 0, 0, 0, 1);
        ExpectPoint(m.Column(k), 0, 0, 0, 1);
    }
}

TEST(MfxTMatrix, TextFormIsFourLines)
{
    MfxTMatrix m = MfxTMatrix::Translation(Mfx3dPoint(1.5, -2, 0.25));
    EXPECT_EQ(Stored(m, true), "(1.000000, 0.000000, 0.000000, 1.500000) \n"
                               "(0.000000, 1.000000, 0.000000, -2.000000) \n"
                               "(0.000000, 0.000000, 1.000000, 0.250000) \n"
                               "(0.000000, 0.000000, 0.000000, 1.000000) \n");
}

TEST(MfxTMatrix, TextAndBinaryRoundTrips)
{
    MfxTMatrix m = IndexMatrix();
    m(2, 3) = -1e250; // a row line far longer than 255 characters
    {
        Archive in = Archive::ForLoading(Stored(m, true), true);
        MfxTMatrix r;
        r.Serialize(in, true);
        ExpectMatrix(r, m);
        EXPECT_TRUE(in.AtEnd());
    }
    m(1, 1) = 1.0 / 3.0;
    {
        Archive in = Archive::ForLoading(Stored(m, false), false);
        MfxTMatrix r;
        r.Serialize(in, false);
        ExpectMatrix(r, m);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(MfxTMatrix, TextRowThatDoesNotScanIsRefusedWithItsLine)
{
    Archive in = Archive::ForLoading("(1, 0, 0, 0) \n"
                                     "(0, 1, x, 0) \n"
                                     "(0, 0, 1, 0) \n"
                                     "(0, 0, 0, 1) \n",
                                     true);
    MfxTMatrix m;
    try {
        m.Serialize(in, true);
        ADD_FAILURE() << "a row with a letter was read";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("ligne 2: ", 0), 0u) << e.what();
    }
}

// ---- Mfx3dPolygon

TEST(Mfx3dPolygon, BuiltFromIndicesAndCopiedDeeply)
{
    const Mfx3dPoint corners[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const int face[] = {3, 2, 1, 3};
    Mfx3dPolygon polygon(4, corners, face);
    ASSERT_EQ(polygon.Count(), 4);
    EXPECT_EQ(polygon[0], corners[3]);
    EXPECT_EQ(polygon[1], corners[2]);
    EXPECT_EQ(polygon[2], corners[1]);
    EXPECT_EQ(polygon[3], corners[3]);

    Mfx3dPolygon copy = polygon;
    Mfx3dPolygon assigned;
    assigned = polygon;
    polygon[0] = Mfx3dPoint(5, 5, 5);
    EXPECT_EQ(copy[0], corners[3]);
    EXPECT_EQ(assigned[0], corners[3]);

    EXPECT_EQ(Mfx3dPolygon(0, corners).Count(), 0);
    EXPECT_EQ(Mfx3dPolygon(3, corners).Count(), 3);
}

TEST(Mfx3dPolygon, NormalIsUnitWithZeroWeight)
{
    const Mfx3dPoint square[] = {{0, 0, 2}, {3, 0, 2}, {3, 3, 2}, {0, 3, 2}};
    ExpectPoint(Mfx3dPolygon(4, square).Normal(), 0, 0, 1, 0);
    const int reversed[] = {3, 2, 1, 0};
    ExpectPoint(Mfx3dPolygon(4, square, reversed).Normal(), 0, 0, -1, 0);

    const Mfx3dPoint tilted[] = {{0, 0, 0}, {3, 0, 4}, {0, 1, 0}};
    ExpectPoint(Mfx3dPolygon(3, tilted).Normal(), -0.8, 0, 0.6, 0);
}

TEST(Mfx3dPolygon, DegenerateNormalIsZeroWithUnitWeight)
{
    const Mfx3dPoint collinear[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {5, 0, 0}};
    ExpectPoint(Mfx3dPolygon(4, collinear).Normal(), 0, 0, 0, 1);
    const Mfx3dPoint repeated[] = {{1, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    ExpectPoint(Mfx3dPolygon(3, repeated).Normal(), 0, 0, 0, 1);
    ExpectPoint(Mfx3dPolygon(2, collinear).Normal(), 0, 0, 0, 1);
}

TEST(Mfx3dPolygon, CentroidIsTheMeanOfTheVertices)
{
    const Mfx3dPoint points[] = {{0, 0, 0, 0}, {4, 0, 2, 0}, {4, 6, 2, 0}, {0, 6, -8, 0}};
    ExpectPoint(Mfx3dPolygon(4, points).Centroid(), 2, 3, -1, 1);
    ExpectPoint(Mfx3dPolygon().Centroid(), 0, 0, 0, 1);
}

// ---- MfxPoint

struct ToolkitIntPoint
{
    int x() const { return m_x; }
    int y() const { return m_y; }
    int m_x, m_y;
};

TEST(MfxPoint, Construction)
{
    EXPECT_EQ(MfxPoint(), MfxPoint(0, 0));
    EXPECT_EQ(MfxPoint(Mfx3dPoint(1.5, -2, 9, 0)), MfxPoint(1.5, -2));
    EXPECT_EQ(MfxPoint(ToolkitIntPoint{3, -7}), MfxPoint(3, -7));
    MfxPoint p(0.5, 0.5);
    p = ToolkitIntPoint{-2, 40};
    EXPECT_EQ(p, MfxPoint(-2, 40));
}

TEST(MfxPoint, Arithmetic)
{
    const MfxPoint p(1, 2), q(4, -8);
    EXPECT_EQ(p + q, MfxPoint(5, -6));
    EXPECT_EQ(p - q, MfxPoint(-3, 10));
    EXPECT_EQ(q * 0.5, MfxPoint(2, -4));
    EXPECT_EQ(q / 4, MfxPoint(1, -2));
    EXPECT_EQ(-p, MfxPoint(-1, -2));
    EXPECT_EQ(dot(p, q), -12);

    MfxPoint r = p;
    r += q;
    EXPECT_EQ(r, MfxPoint(5, -6));
    r -= p;
    EXPECT_EQ(r, q);
    r *= 3;
    EXPECT_EQ(r, MfxPoint(12, -24));
    r /= 12;
    EXPECT_EQ(r, MfxPoint(1, -2));
}

TEST(MfxPoint, Comparisons)
{
    struct Case
    {
        MfxPoint p, q;
        bool equal, lessEqual, less;
    };
    const Case cases[] = {
        {{1, 2}, {1, 3}, false, true, false},
        {{0, 2}, {1, 3}, false, true, true},
        {{1, 2}, {1, 2}, true, true, false},
        {{2, 1}, {1, 3}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.p.x << ", " << c.p.y << ")");
        EXPECT_EQ(c.p == c.q, c.equal);
        EXPECT_EQ(c.p != c.q, !c.equal);
        EXPECT_EQ(c.p <= c.q, c.lessEqual);
        EXPECT_EQ(c.p < c.q, c.less);
    }
}

TEST(MfxPoint, LengthNormalizeNormalized)
{
    MfxPoint p(3, 4);
    EXPECT_EQ(p.Length(), 5);
    EXPECT_EQ(p.Normalized(), MfxPoint(0.6, 0.8));
    EXPECT_EQ(p, MfxPoint(3, 4)) << "Normalized leaves the point as it is";
    p.Normalize();
    EXPECT_EQ(p, MfxPoint(0.6, 0.8));

    MfxPoint zero;
    zero.Normalize();
    EXPECT_EQ(zero, MfxPoint(0, 0));
    EXPECT_EQ(MfxPoint().Normalized(), MfxPoint(0, 0));
}

TEST(MfxPoint, TextAndBinaryForms)
{
    Archive text = Archive::ForStoring(true);
    MfxPoint(1.5, -2).Store(text, true);
    EXPECT_EQ(text.Bytes(), "(1.500000, -2.000000) \n");
    Archive textIn = Archive::ForLoading(text.Bytes(), true);
    MfxPoint p;
    p.Store(textIn, true);
    EXPECT_EQ(p, MfxPoint(1.5, -2));

    Archive binary = Archive::ForStoring(false);
    MfxPoint(1.5, -2).Store(binary, false);
    EXPECT_EQ(binary.Bytes(), Bytes({
                                  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F, // 1.5
                                  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, // -2.0
                              }));
    Archive binaryIn = Archive::ForLoading(binary.Bytes(), false);
    MfxPoint q;
    q.Store(binaryIn, false);
    EXPECT_EQ(q, MfxPoint(1.5, -2));
}

TEST(MfxPoint, RegressionLongTextLineIsReadWhole)
{
    Archive out = Archive::ForStoring(true);
    MfxPoint(-1e60, 1e59).Store(out, true);
    MfxPoint(3, 4).Store(out, true);
    ASSERT_GT(out.Bytes().find('\n'), 64u);

    Archive in = Archive::ForLoading(out.Bytes(), true);
    MfxPoint p, q;
    p.Store(in, true);
    q.Store(in, true);
    EXPECT_EQ(p, MfxPoint(-1e60, 1e59));
    EXPECT_EQ(q, MfxPoint(3, 4));
}

} // namespace
} // namespace velmor
