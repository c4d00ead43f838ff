// Real polynomial in one variable: the internal-force and displacement laws of the beams, with
// evaluation, derivatives, integrals, extreme values and roots.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

namespace velmor {

// Coefficients in ascending powers: Coef(i) multiplies x^i, i = 0..Degree().
//
// Trimming: copying and assignment drop trailing coefficients equal to 0.0 while the degree is
// above 0, and so does every operation that returns a new polynomial. Construction from
// coefficients does not trim. The zero polynomial is degree 0 with coefficient 0.0; a
// polynomial of higher degree is never IsZero(), even when all its coefficients are 0.
// The operations that depend on the degree (Roots, Derivative) use the stored degree.
// Division by zero is not guarded.
class Polynomial
{
public:
    // The zero polynomial.
    Polynomial();
    // Degree `degree` (a negative degree is taken as 0); degree + 1 coefficients copied from
    // `values`, or all 0.0 when `values` is null. Not trimmed.
    explicit Polynomial(int degree, const double* values = nullptr);
    // Coefficients in ascending powers; an empty list gives the zero polynomial. Not trimmed.
    Polynomial(std::initializer_list<double> coefficients);
    explicit Polynomial(const std::vector<double>& coefficients);

    // Copy and assignment trim.
    Polynomial(const Polynomial& other);
    Polynomial& operator=(const Polynomial& other);
    Polynomial& Assign(const Polynomial& other);

    int Degree() const { return m_size - 1; }
    // Coefficient i; outside 0..Degree() a reference to a dummy that is zeroed on every such
    // access, so reads give 0 and writes are lost.
    double& Coef(int i);
    double Coef(int i) const;
    // Exactly degree 0 with coefficient 0.0.
    bool IsZero() const;

    // Horner's scheme: s = 0; for i = degree down to 1: s = (s + c_i) x; result s + c_0.
    // A result whose absolute value is below g_dTolerance is returned as exactly 0.
    double Evaluate(double x) const;

    // Every coefficient times k.
    Polynomial Scale(double k) const;
    // Coefficient-wise over the larger degree, missing coefficients taken as 0.
    Polynomial Add(const Polynomial& p) const;
    Polynomial Subtract(const Polynomial& p) const;
    // When either factor IsZero(), that factor; otherwise the product, of degree the sum of the
    // degrees.
    Polynomial Multiply(const Polynomial& p) const;
    // The k-th derivative for 1 <= k <= degree; the zero polynomial for any other k (k = 0
    // included).
    Polynomial Derivative(int k) const;
    // The antiderivative whose constant coefficient is c0; the zero polynomial gives the zero
    // polynomial (c0 is then not applied).
    Polynomial Integral(double c0) const;

    // Smallest or largest Evaluate at x = a, a + h, a + 2h, ... with h = (b - a) / n, x advanced
    // by repeated addition while x <= b. The sample at a is always taken; the sampling stops
    // when h is not positive or when adding h no longer moves x.
    double Min(double a, double b, int n) const;
    double Max(double a, double b, int n) const;

    // Real roots in [a, b] written to out[0..] in increasing search order, at most maxCount of
    // them (`out` must hold maxCount values); returns how many were written.
    //  - degree 0: none.
    //  - degree 1: -c0 / c1 when strictly inside (a, b).
    //  - degree 2: from the discriminant D = c1² - 4 c2 c0: for D > 0 the roots
    //    (-c1 - sqrt(D)) / 2c2 then (-c1 + sqrt(D)) / 2c2, for D == 0 exactly the double root
    //    -c1 / 2c2, each kept when a <= r <= b; for D < 0 none.
    //  - degree 3 and more: [a, b] is cut into n equal steps [x, x'] (the last one ends exactly
    //    at b, so no sample lies beyond b). A step whose end values have a negative product
    //    gives its midpoint; a step whose right end evaluates to 0 gives that end. The left end
    //    a itself is never reported. The search stops at maxCount roots.
    int Roots(double a, double b, double* out, int maxCount, int n) const;

private:
    // Drops trailing 0.0 coefficients while the degree is above 0.
    void Trim();
    // `count` coefficients, all 0.0 (count >= 1).
    void Allocate(int count);
    double* Data() { return m_big ? m_big.get() : m_small; }
    const double* Data() const { return m_big ? m_big.get() : m_small; }
    // Minimum (`wantMax` false) or maximum of the samples of Min and Max.
    double Extreme(double a, double b, int n, bool wantMax) const;

    // Up to kInline coefficients are kept in the object (every law of a beam is of degree 5 at
    // most), more on the heap: a beam's nine laws and the arithmetic that makes them allocate
    // nothing.
    static constexpr int kInline = 6;
    int m_size = 1;
    double m_small[kInline] = {};
    std::unique_ptr<double[]> m_big;
};

} // namespace velmor
