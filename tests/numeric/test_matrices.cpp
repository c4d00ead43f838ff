// Dense matrices and vectors: index mapping, range fallbacks and their messages, shapes of
// the arithmetic, node-level vector operations.
#include "TestHooks.h"
#include "numeric/MatBase.h"
#include "numeric/MfxTMatrix.h"
#include "numeric/SymBandMat.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velmor;
using velmor::test::RecordErrors;

namespace {

Mat matOf(unsigned rows, unsigned cols, std::initializer_list<double> values)
{
    Mat m(rows, cols);
    long k = 0;
    for (double v : values) {
        m.At(k / cols + 1, k % cols + 1) = v;
        ++k;
    }
    return m;
}

} // namespace

TEST(Mat, DefaultShapesAreOneByOneZero)
{
    Mat m;
    Vector v;
    SymBandMat s;
    for (const MatBase* x : {static_cast<const MatBase*>(&m), static_cast<const MatBase*>(&v),
                             static_cast<const MatBase*>(&s)}) {
        EXPECT_EQ(x->Rows(), 1u);
        EXPECT_EQ(x->Cols(), 1u);
        EXPECT_EQ(x->Band(), 1u);
        EXPECT_EQ(x->Size(), 1u);
        EXPECT_EQ(x->At(1, 1), 0.0);
    }
}

TEST(Mat, OutOfRangeReadsZeroReportsAndLosesWrites)
{
    RecordErrors errors;
    Mat m = matOf(2, 3, {1, 2, 3, 4, 5, 6});
    double& r = m.At(3, 1);
    EXPECT_EQ(r, 0.0);
    r = 42.0;
    EXPECT_EQ(errors.messages, std::vector<std::string>{"Mat : Range failed"});
    EXPECT_EQ(m.At(2, 3), 6.0);
    // The dummy is reset at every access: the lost write does not come back.
    EXPECT_EQ(m.At(0, 1), 0.0);
    EXPECT_EQ(std::vector<double>(m.Data(), m.Data() + m.Size()),
              (std::vector<double>{1, 2, 3, 4, 5, 6}));
}

TEST(Mat, MatBaseIsSilentOutOfRange)
{
    RecordErrors errors;
    MatBase m(2, 2, 0, 4);
    EXPECT_EQ(m.At(5, 5), 0.0);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(m.Band(), 2u) << "band 0 on a square shape becomes the row count";
}

TEST(Vector, ColumnIndexIsIgnoredAndRangeIsReported)
{
    RecordErrors errors;
    Vector v(3);
    v.At(1) = 1;
    v.At(2) = 2;
    v.At(3) = 3;
    EXPECT_EQ(v.At(2, 7), 2.0);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(v.At(4), 0.0);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"Vector : Range failed"});
}

TEST(MatArithmetic, IncompatibleSumTakesLargerShapeAndReports)
{
    RecordErrors errors;
    Mat a = matOf(2, 2, {1, 2, 3, 4});
    Mat b = matOf(3, 1, {10, 20, 30});
    Mat sum = a + b;
    ASSERT_EQ(sum.Rows(), 3u);
    ASSERT_EQ(sum.Cols(), 2u);
    EXPECT_EQ(sum.At(1, 1), 11.0);
    EXPECT_EQ(sum.At(1, 2), 2.0);
    EXPECT_EQ(sum.At(3, 1), 30.0);
    EXPECT_EQ(sum.At(3, 2), 0.0);
    ASSERT_FALSE(errors.messages.empty());
    EXPECT_EQ(errors.messages.front(), " op + : no compatible matrices, range changed ");
    // The operands report their own range misses while the sum reads past them.
    EXPECT_NE(std::find(errors.messages.begin(), errors.messages.end(), "Mat : Range failed"),
              errors.messages.end());

    errors.messages.clear();
    Mat diff = b - a;
    EXPECT_EQ(diff.At(2, 1), 17.0);
    EXPECT_EQ(errors.messages.front(), " op - : no compatible matrices, range changed ");
}

TEST(MatArithmetic, ProductAndItsShapeFallback)
{
    RecordErrors errors;
    Mat a = matOf(2, 3, {1, 2, 3, 4, 5, 6});
    Mat b = matOf(3, 2, {7, 8, 9, 10, 11, 12});
    Mat p = a * b;
    ASSERT_EQ(p.Rows(), 2u);
    ASSERT_EQ(p.Cols(), 2u);
    EXPECT_EQ(p.At(1, 1), 58.0);
    EXPECT_EQ(p.At(1, 2), 64.0);
    EXPECT_EQ(p.At(2, 1), 139.0);
    EXPECT_EQ(p.At(2, 2), 154.0);
    EXPECT_TRUE(errors.messages.empty());

    Mat bad = a * a;
    EXPECT_EQ(errors.messages, std::vector<std::string>{"Error in matrix product, *this returned"});
    EXPECT_EQ(bad.Rows(), 2u);
    EXPECT_EQ(bad.At(2, 3), 6.0);
}

TEST(MatArithmetic, ScalingAndDivisionByZero)
{
    RecordErrors errors;
    Mat a = matOf(1, 2, {2, -4});
    Mat half = a / 2.0;
    EXPECT_EQ(half.At(1, 2), -2.0);
    Mat same = a / 0.0;
    EXPECT_EQ(same.At(1, 1), 2.0);
    a /= 0.0;
    EXPECT_EQ(a.At(1, 2), -4.0);
    EXPECT_EQ(errors.messages, (std::vector<std::string>{" / Division by zero intented, *this returned",
                                                         " /= Division by zero intented, not divided "}));
    a *= 3.0;
    EXPECT_EQ(a.At(1, 1), 6.0);
    Mat twice = a * 2.0;
    EXPECT_EQ(twice.At(1, 2), -24.0);
}

TEST(MatShape, TransposeBandWidthAndSymmetry)
{
    Mat a = matOf(2, 3, {1, 2, 3, 4, 5, 6});
    Mat t = a.Transpose();
    EXPECT_EQ(t.Rows(), 3u);
    EXPECT_EQ(t.At(3, 2), 6.0);
    a.TransposeInPlace();
    EXPECT_EQ(a.Rows(), 3u);
    EXPECT_EQ(a.At(1, 2), 4.0);

    EXPECT_EQ(matOf(3, 3, {1, 0, 0, 0, 2, 0, 0, 0, 3}).BandWidth(), 1u);
    EXPECT_EQ(matOf(1, 1, {5}).BandWidth(), 1u);
    EXPECT_EQ(Mat(2, 3).BandWidth(), 0u);
    EXPECT_EQ(matOf(3, 3, {1, 1, 0, 1, 1, 1, 0, 1, 1}).BandWidth(), 2u);
    EXPECT_EQ(matOf(3, 3, {1, 0, 7, 0, 1, 0, 0, 0, 1}).BandWidth(), 3u);

    EXPECT_TRUE(matOf(2, 2, {1, 2, 2 + 1e-16, 1}).IsSymmetric());
    EXPECT_FALSE(matOf(2, 2, {1, 2, 2 + 1e-14, 1}).IsSymmetric());
    EXPECT_FALSE(Mat(2, 3).IsSymmetric());
}

TEST(MatShape, RotationBlockOfTransform)
{
    MfxTMatrix t;
    t(1, 2) = 5.0;
    t(3, 1) = -2.0;
    t(1, 4) = 9.0;
    Mat r(t);
    ASSERT_EQ(r.Rows(), 3u);
    ASSERT_EQ(r.Cols(), 3u);
    EXPECT_EQ(r.At(1, 2), 5.0);
    EXPECT_EQ(r.At(3, 1), -2.0);
    EXPECT_EQ(r.At(2, 2), 1.0);
}

TEST(MatCopy, CopiesBetweenClassesGoThroughElements)
{
    SymBandMat s(3, 2);
    s.At(1, 1) = 1;
    s.At(1, 2) = 2;
    s.At(2, 3) = 3;
    // A dense copy of a band matrix sees both triangles and the zeros outside the band.
    Mat m(s);
    EXPECT_EQ(m.At(2, 1), 2.0);
    EXPECT_EQ(m.At(3, 2), 3.0);
    EXPECT_EQ(m.At(1, 3), 0.0);
    // Assigning a larger shape replaces storage.
    Mat small(1, 1);
    small = m;
    EXPECT_EQ(small.Rows(), 3u);
    EXPECT_EQ(small.At(2, 3), 3.0);
    // A band matrix from a dense one takes its band width.
    SymBandMat back(m);
    EXPECT_EQ(back.Band(), 2u);
    EXPECT_EQ(back.At(3, 2), 3.0);
}

TEST(Vector, SliceAddAtAndNodeBlocks)
{
    Vector v(9);
    Vector e(6);
    for (long i = 1; i <= 6; ++i)
        e.At(i) = double(i);
    v.AddElement(3, 1, e, 3);
    EXPECT_EQ(v.At(7), 1.0);
    EXPECT_EQ(v.At(9), 3.0);
    EXPECT_EQ(v.At(1), 4.0);
    EXPECT_EQ(v.At(3), 6.0);
    Vector g = v.GatherElement(3, 1, 3);
    for (long i = 1; i <= 6; ++i)
        EXPECT_EQ(g.At(i), double(i));

    v.AddNode(2, Vector(2), 3); // wrong length: ignored
    Vector node(3);
    node.At(2) = 5.0;
    v.AddNode(2, node, 3);
    EXPECT_EQ(v.At(5), 5.0);
    v.ClearAt(5);
    EXPECT_EQ(v.At(5), 0.0);

    Vector s = v.Slice(7, 3);
    EXPECT_EQ(s.Rows(), 3u);
    EXPECT_EQ(s.At(3), 3.0);
    Vector w(3);
    w.AddAt(2, s, 1, 2);
    EXPECT_EQ(w.At(2), 1.0);
    EXPECT_EQ(w.At(3), 2.0);
    w.AddAt(1, s, 1);
    EXPECT_EQ(w.At(3), 5.0);
}

TEST(Vector, SelectByMaskDropsAndSpreadsComponents)
{
    // Plane frame: keep ux, uy, rz of six components, and spread them back.
    const int mask[6] = {1, 1, 0, 0, 0, 1};
    Vector six(12);
    for (long i = 1; i <= 12; ++i)
        six.At(i) = double(i);
    Vector three = six.SelectByMask(mask, 6, 6, 3);
    ASSERT_EQ(three.Rows(), 6u);
    const double kept[6] = {1, 2, 6, 7, 8, 12};
    for (long i = 1; i <= 6; ++i)
        EXPECT_EQ(three.At(i), kept[i - 1]);

    Vector back = three.SelectByMask(mask, 6, 3, 6);
    ASSERT_EQ(back.Rows(), 12u);
    const double spread[12] = {1, 2, 0, 0, 0, 6, 7, 8, 0, 0, 0, 12};
    for (long i = 1; i <= 12; ++i)
        EXPECT_EQ(back.At(i), spread[i - 1]);
}
