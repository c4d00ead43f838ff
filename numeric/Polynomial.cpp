// Real polynomial in one variable: arithmetic, calculus, sampling and roots.
#include "Polynomial.h"

#include "NumericGlobals.h"

#include <algorithm>
#include <cmath>

namespace velmor {

Polynomial::Polynomial() : m_coef(1, 0.0) {}

Polynomial::Polynomial(int degree, const double* values)
    : m_coef(static_cast<size_t>(std::max(degree, 0)) + 1, 0.0)
{
    if (values)
        std::copy(values, values + m_coef.size(), m_coef.begin());
}

Polynomial::Polynomial(std::initializer_list<double> coefficients) : m_coef(coefficients)
{
    if (m_coef.empty())
        m_coef.push_back(0.0);
}

Polynomial::Polynomial(const std::vector<double>& coefficients) : m_coef(coefficients)
{
    if (m_coef.empty())
        m_coef.push_back(0.0);
}

Polynomial::Polynomial(const Polynomial& other) : m_coef(other.m_coef)
{
    Trim();
}

Polynomial& Polynomial::operator=(const Polynomial& other)
{
    return Assign(other);
}

Polynomial& Polynomial::Assign(const Polynomial& other)
{
    if (this != &other)
        m_coef = other.m_coef;
    Trim();
    return *this;
}

void Polynomial::Trim()
{
    while (m_coef.size() > 1 && m_coef.back() == 0.0)
        m_coef.pop_back();
}

double& Polynomial::Coef(int i)
{
    if (i < 0 || i > Degree()) {
        m_dummy = 0.0;
        return m_dummy;
    }
    return m_coef[static_cast<size_t>(i)];
}

double Polynomial::Coef(int i) const
{
    if (i < 0 || i > Degree())
        return 0.0;
    return m_coef[static_cast<size_t>(i)];
}

bool Polynomial::IsZero() const
{
    return m_coef.size() == 1 && m_coef[0] == 0.0;
}

double Polynomial::Evaluate(double x) const
{
    double s = 0.0;
    for (int i = Degree(); i >= 1; --i)
        s = (s + m_coef[static_cast<size_t>(i)]) * x;
    const double result = s + m_coef[0];
    return std::fabs(result) < g_dTolerance ? 0.0 : result;
}

Polynomial Polynomial::Scale(double k) const
{
    Polynomial r(m_coef);
    for (double& c : r.m_coef)
        c *= k;
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
