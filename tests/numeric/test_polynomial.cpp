// Tests of the polynomial: trimming, evaluation with its snap to zero, arithmetic and calculus,
// the sampling of the extreme values and the root search of each degree.
#include "numeric/NumericGlobals.h"
#include "numeric/Polynomial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace velmor {
namespace {

void ExpectCoefficients(const Polynomial& p, const std::vector<double>& expected)
{
    ASSERT_EQ(p.Degree(), static_cast<int>(expected.size()) - 1);
    for (int i = 0; i <= p.Degree(); ++i)
        EXPECT_EQ(p.Coef(i), expected[static_cast<size_t>(i)]) << "coefficient " << i;
}

// Sets the library tolerance for one test and puts the previous value back.
class ToleranceScope
{
public:
    explicit ToleranceScope(double tolerance) : m_previous(g_dTolerance)
    {
        g_dTolerance = tolerance;
    }
    ~ToleranceScope() { g_dTolerance = m_previous; }
    ToleranceScope(const ToleranceScope&) = delete;
    ToleranceScope& operator=(const ToleranceScope&) = delete;

private:
    double m_previous;
};

TEST(Polynomial, ConstructionKeepsTheDegreeCopyingTrims)
{
    const double values[] = {1, 2, 0, 0};
    const Polynomial p(3, values);
    ExpectCoefficients(p, {1, 2, 0, 0});
    ExpectCoefficients(Polynomial(p), {1, 2});
    Polynomial assigned;
    assigned = p;
    ExpectCoefficients(assigned, {1, 2});
    Polynomial viaAssign({5, 6, 7});
    viaAssign.Assign(p);
    ExpectCoefficients(viaAssign, {1, 2});

    ExpectCoefficients(Polynomial(2), {0, 0, 0});
    ExpectCoefficients(Polynomial(std::vector<double>{3, 0}), {3, 0});
    ExpectCoefficients(Polynomial(), {0});
    ExpectCoefficients(Polynomial(std::initializer_list<double>{}), {0});
    ExpectCoefficients(Polynomial(-2), {0});
}

TEST(Polynomial, OnlyDegreeZeroWithZeroCoefficientIsZero)
{
    EXPECT_TRUE(Polynomial().IsZero());
    const Polynomial zeros({0.0, 0.0, 0.0});
    EXPECT_FALSE(zeros.IsZero()) << "an untrimmed degree is never zero";
    EXPECT_TRUE(Polynomial(zeros).IsZero()) << "trimmed by the copy";
    EXPECT_FALSE(Polynomial({1e-300}).IsZero());
}

TEST(Polynomial, CoefficientOutsideTheDegreeReadsZeroAndSwallowsWrites)
{
    Polynomial p({1, 2, 3});
    for (int i : {-1, 3, 100}) {
        SCOPED_TRACE(i);
        p.Coef(i) = 42;
        EXPECT_EQ(p.Coef(i), 0.0) << "the dummy is zeroed on every access";
        EXPECT_EQ(std::as_const(p).Coef(i), 0.0);
        ExpectCoefficients(p, {1, 2, 3});
    }
    p.Coef(1) = -5;
    ExpectCoefficients(p, {1, -5, 3});
}

TEST(Polynomial, EvaluateAgreesWithThePowerSum)
{
    const std::vector<std::vector<double>> cases = {
        {7}, {1, -2}, {0.5, 0, -3}, {-1, 2, -3, 4}, {0, 0, 0, 0, 1}, {2, 0, 1, 0}};
    for (const auto& c : cases) {
        const Polynomial p(c);
        for (double x : {-2.0, -0.5, 0.0, 1.0, 3.0}) {
            double expected = 0;
            for (size_t i = 0; i < c.size(); ++i)
                expected += c[i] * std::pow(x, static_cast<double>(i));
            EXPECT_EQ(p.Evaluate(x), expected) << "degree " << p.Degree() << " at " << x;
        }
    }
}

TEST(Polynomial, EvaluateSnapsValuesBelowTheToleranceToZero)
{
    EXPECT_EQ(Polynomial({1e-16, 0}).Evaluate(3), 0.0);
    EXPECT_EQ(Polynomial({-9e-16}).Evaluate(0), 0.0);
    EXPECT_EQ(Polynomial({2e-15}).Evaluate(0), 2e-15);
    EXPECT_EQ(Polynomial({-1, 1}).Evaluate(1 + 1e-15), 1 + 1e-15 - 1) << "about 1.1e-15";

    ToleranceScope scope(1e-3);
    EXPECT_EQ(Polynomial({0, 1}).Evaluate(5e-4), 0.0);
    EXPECT_EQ(Polynomial({0, 1}).Evaluate(2e-3), 2e-3);
}

TEST(Polynomial, ScaleAddSubtractTrimTheirResults)
{
    const Polynomial p({1, 2, 3});
    ExpectCoefficients(p.Scale(2), {2, 4, 6});
    EXPECT_TRUE(p.Scale(0).IsZero());

    const Polynomial q({0.5, 0, -3, 4});
    ExpectCoefficients(p.Add(q), {1.5, 2, 0, 4});
    ExpectCoefficients(q.Add(p), {1.5, 2, 0, 4});
    ExpectCoefficients(p.Subtract(q), {0.5, 2, 6, -4});
    ExpectCoefficients(q.Subtract(p), {-0.5, -2, -6, 4});
    ExpectCoefficients(p.Subtract(Polynomial({0, 0, 3})), {1, 2});
    EXPECT_TRUE(p.Subtract(p).IsZero());
}

TEST(Polynomial, Multiply)
{
    ExpectCoefficients(Polynomial({-1, 1}).Multiply(Polynomial({1, 1})), {-1, 0, 1});
    ExpectCoefficients(Polynomial({1, 2, 3}).Multiply(Polynomial({4, 5})), {4, 13, 22, 15});
    ExpectCoefficients(Polynomial({4, 5}).Multiply(Polynomial({1, 2, 3})), {4, 13, 22, 15});
    ExpectCoefficients(Polynomial({2}).Multiply(Polynomial({1, -1})), {2, -2});
    EXPECT_TRUE(Polynomial().Multiply(Polynomial({1, 2})).IsZero());
    EXPECT_TRUE(Polynomial({1, 2}).Multiply(Polynomial()).IsZero());
}

TEST(Polynomial, HighDegreesKeepEveryCoefficient)
{
    // (1 + x)^4 squared: the binomial row of 8, past what a beam's laws need.
    const Polynomial p4({1, 4, 6, 4, 1});
    const Polynomial p8 = p4.Multiply(p4);
    ExpectCoefficients(p8, {1, 8, 28, 56, 70, 56, 28, 8, 1});
    ExpectCoefficients(Polynomial(p8), {1, 8, 28, 56, 70, 56, 28, 8, 1});
    EXPECT_EQ(p8.Evaluate(1.0), 256.0);
    ExpectCoefficients(p8.Derivative(7), {8 * 5040, 40320}); // 8 * 7! and 8! x
    ExpectCoefficients(p8.Integral(2.0).Derivative(1), {1, 8, 28, 56, 70, 56, 28, 8, 1});
    // Cancelled down to a low degree, and a high degree assigned over a low one and back.
    ExpectCoefficients(p8.Subtract(p8.Subtract(Polynomial({3, 1}))), {3, 1});
    Polynomial q({5});
    q = p8;
    ExpectCoefficients(q, {1, 8, 28, 56, 70, 56, 28, 8, 1});
    q = Polynomial({0, 7, 0});
    ExpectCoefficients(q, {0, 7});
    double& outside = q.Coef(9);
    outside = 4.0;
    EXPECT_EQ(q.Coef(9), 0.0) << "a write outside the degree is lost";
    ExpectCoefficients(q, {0, 7});
}

TEST(Polynomial, Derivative)
{
    const Polynomial p({1, 2, 3, 4}); // 1 + 2x + 3x² + 4x³
    struct Case
    {
        int k;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {1, {2, 6, 12}}, {2, {6, 24}}, {3, {24}}, {0, {0}}, {4, {0}}, {-1, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        ExpectCoefficients(p.Derivative(c.k), c.expected);
    }
    ExpectCoefficients(Polynomial({0, 0, 0, 0, 0, 1}).Derivative(5), {120});
}

TEST(Polynomial, Integral)
{
    ExpectCoefficients(Polynomial({2, 6, 12}).Integral(1), {1, 2, 3, 4});
    ExpectCoefficients(Polynomial({3}).Integral(0), {0, 3});
    const Polynomial p({0.5, -1, 0.25, 7});
    ExpectCoefficients(p.Integral(-2).Derivative(1), {0.5, -1, 0.25, 7});
    EXPECT_TRUE(Polynomial().Integral(5).IsZero()) << "the constant is not applied to zero";
}

TEST(Polynomial, MinAndMaxOfSampledValues)
{
    const Polynomial p({0, -1, 1}); // x² - x, smallest at 0.5
    EXPECT_NEAR(p.Min(0, 1, 20), -0.25, 1e-15);
    EXPECT_EQ(p.Max(0, 1, 20), 0.0);
    EXPECT_EQ(p.Max(-1, 1, 4), 2.0) << "the first sample is a";

    const Polynomial line({0, 1});
    EXPECT_EQ(line.Min(2, 3, 4), 2.0);
    EXPECT_EQ(line.Max(2, 3, 4), 3.0);
}

// The abscissa is advanced by repeated addition, so the last sample is the tenth sum of 0.1,
// which falls short of 1: the largest sample of x is that sum, not 1.
TEST(Polynomial, MaxSamplesByRepeatedAddition)
{
    double x = 0;
    for (int k = 0; k < 10; ++k)
        x += 0.1;
    ASSERT_LT(x, 1.0);
    EXPECT_EQ(Polynomial({0, 1}).Max(0, 1, 10), x);
    EXPECT_EQ(Polynomial({0, -1}).Min(0, 1, 10), -x);
}

TEST(Polynomial, RegressionSamplingEndsOnEmptyOrStuckSteps)
{
    const Polynomial p({1, 1});
    struct Case
    {
        const char* name;
        double a, b;
        int n;
    };
    const Case cases[] = {
        {"a equals b", 2, 2, 10},
        {"no steps", 2, 5, 0},
        {"negative step count", 2, 5, -3},
        {"b below a", 5, 2, 10},
        {"step below the spacing of doubles at a", 1e20, 1e20 + 1e5, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(p.Min(c.a, c.b, c.n), p.Evaluate(c.a));
        EXPECT_EQ(p.Max(c.a, c.b, c.n), p.Evaluate(c.a));
    }
}

struct RootCase
{
    const char* name;
    std::vector<double> coefficients;
    double a, b;
    int maxCount, n;
    std::vector<double> expected;
    double tolerance; // 0: exact
};

std::ostream& operator<<(std::ostream& os, const RootCase& c)
{
    return os << c.name;
}

class PolynomialRoots : public testing::TestWithParam<RootCase>
{
};

TEST_P(PolynomialRoots, FindsTheRootsOfEachDegree)
{
    const RootCase& c = GetParam();
    std::vector<double> out(static_cast<size_t>(std::max(c.maxCount, 0)));
    const int count = Polynomial(c.coefficients).Roots(c.a, c.b, out.data(), c.maxCount, c.n);
    ASSERT_EQ(count, static_cast<int>(c.expected.size()));
    for (size_t i = 0; i < c.expected.size(); ++i) {
        if (c.tolerance == 0)
            EXPECT_EQ(out[i], c.expected[i]) << "root " << i;
        else
            EXPECT_NEAR(out[i], c.expected[i], c.tolerance) << "root " << i;
    }
}

// (x - 0.25)(x - 0.75)(x - 2), (x - 0.3)(x² - 25), x(x - 0.5)(x + 3), (x - 1)(x² - 25) and
// (x - 0.2)(x - 0.5)(x - 0.8), expanded.
const std::vector<double> kCubicQuarters = {-0.375, 2.1875, -3, 1};
const std::vector<double> kCubicPointThree = {7.5, -25, -0.3, 1};
const std::vector<double> kCubicHalf = {0, -1.5, 2.5, 1};
const std::vector<double> kCubicOne = {25, -25, -1, 1};
const std::vector<double> kCubicThree = {-0.08, 0.66, -1.5, 1};

INSTANTIATE_TEST_SUITE_P(
    ByDegree, PolynomialRoots,
    testing::Values(
        RootCase{"constant", {2}, -10, 10, 6, 100, {}, 0},
        RootCase{"zero", {0}, -10, 10, 6, 100, {}, 0},
        RootCase{"linear inside", {-0.5, 1}, 0, 1, 6, 100, {0.5}, 0},
        RootCase{"linear at upper bound", {-1, 1}, 0, 1, 6, 100, {}, 0},
        RootCase{"linear at lower bound", {0, 1}, 0, 1, 6, 100, {}, 0},
        RootCase{"quadratic roots at both bounds", {-1, 0, 1}, -1, 1, 6, 100, {-1, 1}, 0},
        RootCase{"quadratic order follows the formula", {1, 0, -1}, -1, 1, 6, 100, {1, -1}, 0},
        RootCase{"quadratic one root inside", {-1, 0, 1}, 0, 2, 6, 100, {1}, 0},
        RootCase{"quadratic double root", {0.25, -1, 1}, 0, 1, 6, 100, {0.5}, 0},
        RootCase{"quadratic double root outside", {0.25, -1, 1}, 0, 0.4, 6, 100, {}, 0},
        RootCase{"quadratic without real roots", {1, 0, 1}, -5, 5, 6, 100, {}, 0},
        RootCase{"quadratic capped by maxCount", {-1, 0, 1}, -1, 1, 1, 100, {-1}, 0},
        RootCase{"no room for roots", {-0.5, 1}, 0, 1, 0, 100, {}, 0},
        RootCase{"cubic two roots inside", kCubicQuarters, 0, 1, 6, 100, {0.25, 0.75}, 0.01},
        RootCase{"cubic root at the step midpoint", kCubicPointThree, 0, 1, 6, 4, {0.375}, 0},
        RootCase{"cubic zero on a sample", kCubicHalf, 0, 1, 6, 4, {0.5}, 0},
        RootCase{"cubic zero at a is not reported", kCubicHalf, 0, 0.25, 6, 4, {}, 0},
        RootCase{"cubic zero at b is found at b", kCubicOne, 0, 1, 6, 100, {1}, 0},
        RootCase{"cubic three roots", kCubicThree, 0, 1, 6, 100, {0.2, 0.5, 0.8}, 0.01},
        RootCase{"cubic capped by maxCount", kCubicThree, 0, 1, 2, 100, {0.2, 0.5}, 0.01},
        RootCase{"cubic without steps", kCubicQuarters, 0, 1, 6, 0, {}, 0},
        RootCase{"stored degree 3 samples", {-1, 0, 1, 0}, -1, 1, 6, 4, {1}, 0}),
    [](const testing::TestParamInfo<RootCase>& param) {
        std::string name = param.param.name;
        std::replace_if(
            name.begin(), name.end(),
            [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
        return name;
    });

} // namespace
} // namespace velmor
