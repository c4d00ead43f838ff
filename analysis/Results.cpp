// Beam results: end displacements and forces in local axes, the internal-force and
// displacement laws, inflexion points and extreme values.
#include "Analysis.h"
#include "ElementProducts.h"

#include "model/VelmorProblem.h"
#include "model/VelmorSeccion.h"
#include "platform/core/ShareOut.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

constexpr double kSmallForce = 1e-10;
constexpr int kExtremeSteps = 20;

Vector cleaned(const MatBase& v)
{
    Vector out(v);
    for (long i = 1; i <= long(out.Rows()); ++i)
        if (std::fabs(out.At(i)) <= kSmallForce)
            out.At(i) = 0.0;
    return out;
}

Vector sized(const Vector& v, unsigned size)
{
    return v.Rows() == size ? v : Vector(size);
}

// v becomes the column of the n values x, as assigning a product's column would leave it.
void setVector(Vector& v, long n, const double* x)
{
    v.Reshape(unsigned(n), 1, 0, size_t(n));
    std::copy_n(x, n, v.MutableData());
}

// What SelectByMask(mask, 6, c, 6) gives of an element vector of 2c values, into out[1..12].
void toSixPerEnd(const Vector& v, const int* mask, long c, double* out)
{
    std::fill_n(out, 13, 0.0);
    const double* x = v.Data();
    const long blocks = c > 0 ? long(v.Rows()) / c : 0;
    for (long k = 0; k < blocks && k < 2; ++k) {
        long s = 0;
        for (int j = 0; j < 6; ++j) {
            if (mask[j] == 1)
                out[6 * k + j + 1] = x[c * k + s++];
            else if (c == 6)
                ++s;
        }
    }
}

Polynomial constant(double c)
{
    return Polynomial{c};
}

// min and max of a law sampled at x = i L / 20, i = 0 .. 20.
std::pair<double, double> extremes(const Polynomial& law, double L)
{
    // A constant or linear law's samples are monotone in x (each rounding and the snap to zero
    // are): its extremes are those of the first and last samples, the very same values.
    if (law.Degree() <= 1) {
        const double first = law.Evaluate(0.0);
        const double last = law.Evaluate(double(kExtremeSteps) * L / kExtremeSteps);
        return {std::min(first, last), std::max(first, last)};
    }
    double lo = law.Evaluate(0.0), hi = lo;
    for (int i = 1; i <= kExtremeSteps; ++i) {
        const double v = law.Evaluate(double(i) * L / kExtremeSteps);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    return {lo, hi};
}

int codeIndex(int code)
{
    switch (code) {
    case CODE_N: return 0;
    case CODE_VY: return 1;
    case CODE_VZ: return 2;
    case CODE_T: return 3;
    case CODE_MY: return 4;
    case CODE_MZ: return 5;
    default: return -1;
    }
}

int lawOfCode(int code)
{
    switch (code) {
    case CODE_N: return LAW_N;
    case CODE_VY: return LAW_VY;
    case CODE_VZ: return LAW_VZ;
    case CODE_T: return LAW_T;
    case CODE_MY: return LAW_MY;
    case CODE_MZ: return LAW_MZ;
    default: return -1;
    }
}

} // namespace

bool Analysis::ComputeResults()
{
    const VelmorObjectList& beams = m_problem.List(KIND_BEAM);
    // Each beam's results come from its own record and the displacements only: a large
    // structure's beams are shared out among the cores, each thread keeping the extremes of its
    // run, which are then combined in the order of the runs (the same values as in one pass).
    constexpr size_t kBeamsPerThread = 4000;
    const size_t parts = m_threads ? m_threads : ShareOutParts(beams.size(), kBeamsPerThread);
    std::vector<std::array<double, EXT_COUNT>> extrema(parts);
    for (auto& e : extrema)
        e.fill(0.0);
    const long c = m_nDof;
    ShareOut(beams.size(), parts, [&](size_t part, size_t from, size_t to) {
        Vector d(unsigned(2 * c));
        std::array<double, EXT_COUNT>& ext = extrema[part];
        for (size_t index = from; index < to; ++index) {
            const VelmorObject& beam = *beams.at(index);
            const long na = beam.GetNumber(1), nb = beam.GetNumber(2);
            for (long i = 1; i <= c; ++i) {
                d.At(i) = m_D.At((na - 1) * c + i);
                d.At(c + i) = m_D.At((nb - 1) * c + i);
            }
            const std::array<double, EXT_COUNT> record = BeamResults(beam, m_beams[index][0], d);
            for (int i = 0; i < EXT_COUNT; ++i)
                ext[size_t(i)] = i % 2 == 0 ? std::min(ext[size_t(i)], record[size_t(i)])
                                            : std::max(ext[size_t(i)], record[size_t(i)]);
        }
    });
    m_extrema.fill(0.0);
    for (const auto& ext : extrema)
        for (int i = 0; i < EXT_COUNT; ++i)
            m_extrema[size_t(i)] = i % 2 == 0 ? std::min(m_extrema[size_t(i)], ext[size_t(i)])
                                              : std::max(m_extrema[size_t(i)], ext[size_t(i)]);
    return true;
}

std::array<double, EXT_COUNT> Analysis::BeamResults(const VelmorObject& beam, const Vector& d)
{
    return BeamResults(beam, BeamResult(beam), d);
}

std::array<double, EXT_COUNT> Analysis::BeamResults(const VelmorObject& beam, BeamAnalysis& r,
                                                    const Vector& d)
{
    const unsigned c2 = unsigned(2 * m_nDof);
    const int h = ReleaseCode(beam);
    const VelmorObject* sectionObject = beam.GetParent(0);
    const VelmorSeccionData section = sectionObject && sectionObject->Kind() == KIND_SECTION
                                          ? static_cast<const VelmorSeccion*>(sectionObject)->Data()
                                          : VelmorSeccionData();
    const bool axialOnly = section.m_nShape == SHAPE_AXIAL;
    const bool truss = m_nType == PROBLEM_SPACE_TRUSS;
    double Iy = section.m_Iy, Iz = section.m_Iz;
    if (axialOnly)
        Iy = Iz = section.m_rho != 0.0 ? section.m_Iz : 1.0;
    const double E = section.m_E, A = section.m_A, L = r.L;

    const long w = long(c2);
    if (r.T.Rows() == c2 && r.T.Cols() == c2 && r.k.Rows() == c2 && d.Rows() == c2) {
        // The products below on the element's arrays, each sum formed as the general product
        // forms it (from 0, in increasing order of the inner index).
        const double* T = r.T.Data();
        double k[144], dl[12], equiv[12] = {}, q[12];
        r.k.ToDense(k);
        ElementTransposedTimes(T, w, d.Data(), dl);
        if (r.equiv.Rows() == c2)
            std::copy_n(r.equiv.Data(), w, q);
        else
            std::fill_n(q, w, 0.0);
        ElementTransposedTimes(T, w, q, equiv);
        ElementTimes(k, w, dl, q);
        for (long i = 0; i < w; ++i) {
            if (std::fabs(equiv[i]) <= kSmallForce)
                equiv[i] = 0.0;
            q[i] -= equiv[i];
            if (std::fabs(q[i]) <= kSmallForce)
                q[i] = 0.0;
        }
        setVector(r.dl, w, dl);
        setVector(r.equiv, w, equiv);
        setVector(r.q, w, q);
    } else {
        const Mat Tt = r.T.Transpose();
        r.dl = Tt * d;
        // An unloaded beam has no equivalent loads: zeros of the element's size.
        r.equiv = cleaned(Tt * sized(r.equiv, c2));
        r.q = cleaned(r.k * r.dl - r.equiv);
    }
    // The end forces and displacements on the six components of each end (0 where the
    // problem has none), and the twelve load intensities.
    double q12[13], d12[13], p12[13] = {};
    toSixPerEnd(r.q, m_dofMask, m_nDof, q12);
    toSixPerEnd(r.dl, m_dofMask, m_nDof, d12);
    if (r.p.Rows() == 12)
        std::copy_n(r.p.Data(), 12, p12 + 1);
    auto q = [&](long i) { return q12[i]; };
    auto dd = [&](long i) { return d12[i]; };
    auto p = [&](long i) { return p12[i]; };

    const Polynomial N1{1.0, -1.0 / L}, N2{0.0, 1.0 / L};
    auto linear = [&](double a, double b) { return N1.Scale(a).Add(N2.Scale(b)); };
    for (Polynomial& law : r.laws)
        law = Polynomial();
    r.nInflexMz = r.nInflexMy = 0;

    // Bending in the local xy plane.
    if (truss || axialOnly) {
        r.laws[LAW_V] = linear(dd(2), dd(8));
    } else {
        const Polynomial py = linear(p(2), p(8));
        r.laws[LAW_VY] = constant(-q(2)).Subtract(py.Integral(0.0));
        r.laws[LAW_MZ] = constant(q(6)).Add(r.laws[LAW_VY].Integral(0.0));
        const Polynomial rz = constant(dd(6)).Subtract(r.laws[LAW_MZ].Integral(0.0).Scale(1.0 / (E * Iz)));
        if (h == 0 || h == 2) {
            r.laws[LAW_V] = constant(dd(2)).Add(rz.Integral(0.0));
        } else {
            const Polynomial integral = rz.Integral(0.0);
            double vL = integral.Evaluate(L);
            if (std::fabs(vL) < 1e-15)
                vL = 0.0;
            r.laws[LAW_V] = integral.Add(linear(dd(2), dd(8) - vL));
        }
        r.nInflexMz = r.laws[LAW_MZ].Roots(0.0, L, r.inflexMz, 6, 100);
    }
    // Bending in the local xz plane (space frames).
    if (m_nType == PROBLEM_SPACE_FRAME) {
        const Polynomial pz = linear(p(3), p(9));
        r.laws[LAW_VZ] = constant(-q(3)).Subtract(pz.Integral(0.0));
        r.laws[LAW_MY] = constant(-q(5)).Add(r.laws[LAW_VZ].Integral(0.0));
        const Polynomial ry = constant(dd(5)).Add(r.laws[LAW_MY].Integral(0.0).Scale(1.0 / (E * Iy)));
        if (h == 0 || h == 2) {
            r.laws[LAW_W] = constant(dd(3)).Subtract(ry.Integral(0.0));
        } else {
            const Polynomial integral = ry.Integral(0.0).Scale(-1.0);
            double wL = integral.Evaluate(L);
            if (std::fabs(wL) < 1e-15)
                wL = 0.0;
            r.laws[LAW_W] = integral.Add(linear(dd(3), dd(9) - wL));
        }
        r.nInflexMy = r.laws[LAW_MY].Roots(0.0, L, r.inflexMy, 6, 100);
    }
    if (truss || axialOnly)
        r.laws[LAW_W] = linear(dd(3), dd(9));
    // Axial force and displacement.
    if (m_nType != PROBLEM_CONTINUOUS_BEAM) {
        const Polynomial px = linear(p(1), p(7));
        r.laws[LAW_N] = constant(-q(1)).Subtract(px.Integral(0.0));
        if (truss || axialOnly)
            r.laws[LAW_U] = linear(dd(1), dd(7));
        else
            r.laws[LAW_U] = constant(dd(1)).Add(r.laws[LAW_N].Integral(0.0).Scale(1.0 / (E * A)));
    }
    // Torsion.
    if (m_nType == PROBLEM_SPACE_FRAME) {
        const Polynomial mx = linear(p(4), p(10));
        r.laws[LAW_T] = constant(-q(4)).Subtract(mx.Integral(0.0));
    }

    const int doneLaws[6] = {LAW_N, LAW_VY, LAW_VZ, LAW_T, LAW_MY, LAW_MZ};
    for (int i = 0; i < 6; ++i)
        r.done[i] = r.laws[doneLaws[i]].IsZero() ? 1 : 0;

    std::array<double, EXT_COUNT> record{};
    const int order[9] = {LAW_VY, LAW_VZ, LAW_MY, LAW_MZ, LAW_N, LAW_T, LAW_U, LAW_V, LAW_W};
    for (int i = 0; i < 9; ++i) {
        const auto [lo, hi] = extremes(r.laws[order[i]], L);
        record[size_t(2 * i)] = lo;
        record[size_t(2 * i + 1)] = hi;
    }
    auto combine = [&](int at, std::initializer_list<int> from) {
        double lo = record[size_t(*from.begin())], hi = record[size_t(*from.begin() + 1)];
        for (int f : from) {
            lo = std::min(lo, record[size_t(f)]);
            hi = std::max(hi, record[size_t(f + 1)]);
        }
        record[size_t(at)] = lo;
        record[size_t(at + 1)] = hi;
    };
    combine(EXT_FORCES, {EXT_N, EXT_VZ, EXT_VY});
    combine(EXT_MOMENTS, {EXT_T, EXT_MZ, EXT_MY});
    combine(EXT_DISPLACEMENTS, {EXT_U, EXT_W, EXT_V});
    std::copy(record.begin(), record.end(), r.extrema);
    return record;
}

Polynomial Analysis::GetLaw(const VelmorObject& beam, int code, double ends[2]) const
{
    const BeamAnalysis& r = BeamResult(beam);
    const int law = lawOfCode(code);
    const int index = codeIndex(code);
    if (ends) {
        ends[0] = ends[1] = 0.0;
        if (index >= 0 && r.q.Rows() == unsigned(2 * m_nDof)) {
            const Vector q12 = r.q.SelectByMask(m_dofMask, 6, unsigned(m_nDof), 6);
            // The law's component at node 1 (x, y, z, rx, ry, rz in code order) and at node 2.
            const int comp = index + 1;
            for (int e = 0; e < 2; ++e) {
                const double v = q12.At(comp + 6 * e);
                ends[e] = std::fabs(v) < kSmallForce ? 0.0 : v;
            }
        }
    }
    return law >= 0 ? r.laws[law] : Polynomial();
}

bool Analysis::LawDoneFlag(const VelmorObject& beam, int code) const
{
    const int index = codeIndex(code);
    return index >= 0 && BeamResult(beam).done[index] != 0;
}

bool Analysis::DiagramsDone(int code, const VelmorObject* beam) const
{
    if (code >= 0 && beam)
        return LawDoneFlag(*beam, code);
    if (code < 0 && !beam) {
        for (const auto& b : m_problem.List(KIND_BEAM))
            for (int flag : BeamResult(*b).done)
                if (flag != 1)
                    return false;
        return true;
    }
    return true;
}

} // namespace velmor
