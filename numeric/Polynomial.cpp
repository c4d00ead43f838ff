// Real polynomial in one variable: arithmetic, calculus, sampling and roots.
#include "Polynomial.h"

#include "NumericGlobals.h"

#include <algorithm>
#include <cmath>

namespace velmor {

Polynomial::Polynomial() = default;

void Polynomial::Allocate(int count)
{
    m_size = count;
    if (count > kInline) {
        m_big = std::make_unique<double[]>(static_cast<size_t>(count));
    } else {
        m_big.reset();
        std::fill_n(m_small, kInline, 0.0);
    }
}

Polynomial::Polynomial(int degree, const double* values)
{
    Allocate(std::max(degree, 0) + 1);
    if (values)
        std::copy_n(values, m_size, Data());
}

Polynomial::Polynomial(std::initializer_list<double> coefficients)
{
    if (coefficients.size() == 0)
        return;
    Allocate(static_cast<int>(coefficients.size()));
    std::copy(coefficients.begin(), coefficients.end(), Data());
}

Polynomial::Polynomial(const std::vector<double>& coefficients)
{
    if (coefficients.empty())
        return;
    Allocate(static_cast<int>(coefficients.size()));
    std::copy(coefficients.begin(), coefficients.end(), Data());
}

Polynomial::Polynomial(const Polynomial& other)
{
    Allocate(other.m_size);
    std::copy_n(other.Data(), m_size, Data());
    Trim();
}

Polynomial& Polynomial::operator=(const Polynomial& other)
{
    return Assign(other);
}

Polynomial& Polynomial::Assign(const Polynomial& other)
{
    if (this != &other) {
        Allocate(other.m_size);
        std::copy_n(other.Data(), m_size, Data());
    }
    Trim();
    return *this;
}

void Polynomial::Trim()
{
    const double* c = Data();
    while (m_size > 1 && c[m_size - 1] == 0.0)
        --m_size;
}

double& Polynomial::Coef(int i)
{
    if (i < 0 || i > Degree()) {
        thread_local double dummy;
        dummy = 0.0;
        return dummy;
    }
    return Data()[i];
}

double Polynomial::Coef(int i) const
{
    if (i < 0 || i > Degree())
        return 0.0;
    return Data()[i];
}

bool Polynomial::IsZero() const
{
    return m_size == 1 && Data()[0] == 0.0;
}

double Polynomial::Evaluate(double x) const
{
    const double* c = Data();
    double s = 0.0;
    for (int i = Degree(); i >= 1; --i)
        s = (s + c[i]) * x;
    const double result = s + c[0];
    return std::fabs(result) < g_dTolerance ? 0.0 : result;
}

Polynomial Polynomial::Scale(double k) const
{
    Polynomial r(Degree(), Data());
    double* c = r.Data();
    for (int i = 0; i < r.m_size; ++i)
        c[i] *= k;
    r.Trim();
    return r;
}

Polynomial Polynomial::Add(const Polynomial& p) const
{
    Polynomial r(std::max(Degree(), p.Degree()));
    for (int i = 0; i <= r.Degree(); ++i)
        r.Coef(i) = Coef(i) + p.Coef(i);
    r.Trim();
    return r;
}

Polynomial Polynomial::Subtract(const Polynomial& p) const
{
    Polynomial r(std::max(Degree(), p.Degree()));
    for (int i = 0; i <= r.Degree(); ++i)
        r.Coef(i) = Coef(i) - p.Coef(i);
    r.Trim();
    return r;
}

Polynomial Polynomial::Multiply(const Polynomial& p) const
{
    if (IsZero())
        return *this;
    if (p.IsZero())
        return p;
    Polynomial r(Degree() + p.Degree());
    for (int i = 0; i <= Degree(); ++i)
        for (int j = 0; j <= p.Degree(); ++j)
            r.Coef(i + j) += Coef(i) * p.Coef(j);
    r.Trim();
    return r;
}

Polynomial Polynomial::Derivative(int k) const
{
    if (k < 1 || k > Degree())
        return Polynomial();
    Polynomial r(Degree() - k);
    for (int i = 0; i <= r.Degree(); ++i) {
        double factor = 1.0;
        for (int f = i + k; f > i; --f)
            factor *= f;
        r.Coef(i) = Coef(i + k) * factor;
    }
    r.Trim();
    return r;
}

Polynomial Polynomial::Integral(double c0) const
{
    if (IsZero())
        return Polynomial();
    Polynomial r(Degree() + 1);
    r.Coef(0) = c0;
    for (int i = 0; i <= Degree(); ++i)
        r.Coef(i + 1) = Coef(i) / (i + 1);
    r.Trim();
    return r;
}

double Polynomial::Extreme(double a, double b, int n, bool wantMax) const
{
    const double h = (b - a) / n;
    double result = Evaluate(a);
    if (!(h > 0.0))
        return result;
    for (double x = a + h, previous = a; x <= b && x > previous; previous = x, x += h) {
        const double v = Evaluate(x);
        if (wantMax ? v > result : v < result)
            result = v;
    }
    return result;
}

double Polynomial::Min(double a, double b, int n) const
{
    return Extreme(a, b, n, false);
}

double Polynomial::Max(double a, double b, int n) const
{
    return Extreme(a, b, n, true);
}

int Polynomial::Roots(double a, double b, double* out, int maxCount, int n) const
{
    int count = 0;
    auto accept = [&](double r) {
        if (count < maxCount)
            out[count++] = r;
    };
    const double c0 = Coef(0);
    const double c1 = Coef(1);
    const double c2 = Coef(2);
    switch (Degree()) {
    case 0:
        return 0;
    case 1: {
        const double r = -c0 / c1;
        if (a < r && r < b)
            accept(r);
        return count;
    }
    case 2: {
        const double d = c1 * c1 - 4 * c2 * c0;
        if (d > 0) {
            const double r1 = (-c1 - std::sqrt(d)) / (2 * c2);
            const double r2 = (-c1 + std::sqrt(d)) / (2 * c2);
            if (a <= r1 && r1 <= b)
                accept(r1);
            if (a <= r2 && r2 <= b)
                accept(r2);
        } else if (d == 0) {
            const double r = -c1 / (2 * c2);
            if (a <= r && r <= b)
                accept(r);
        }
        return count;
    }
    default:
        break;
    }
    if (n < 1 || maxCount < 1)
        return 0;
    const double h = (b - a) / n;
    double x = a;
    double px = Evaluate(x);
    for (int k = 1; k <= n && count < maxCount; ++k) {
        const double next = k == n ? b : a + k * h;
        const double pNext = Evaluate(next);
        if (px * pNext < 0)
            accept((x + next) / 2);
        else if (pNext == 0)
            accept(next);
        x = next;
        px = pNext;
    }
    return count;
}

} // namespace velmor
