// Boundary conditions (restraints, springs, prescribed displacements), the solution of the
// system and the reactions.
#include "Analysis.h"
#include "ElementProducts.h"

#include "model/VelmorApoyo.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "numeric/NumericGlobals.h"
#include "platform/core/Archive.h"
#include "resources/StringTable.h"

#include <chrono>
#include <cmath>
#include <vector>

namespace velmor {
namespace {

constexpr int kSingular = 61251;
constexpr int kMechanism = 61355;

} // namespace

bool Analysis::ImposeSupport(const VelmorObject& object)
{
    const auto& support = static_cast<const VelmorApoyo&>(object);
    const VelmorApoyoData& d = support.Data();
    const long c = m_nDof;
    const long n = EquationCount();
    const int node = support.GetNumber(0);
    const long c0 = (node - 1) * c + 1;
    if (!m_systemReady)
        PrepareSystem(false);
    if (m_bKeepK0 && m_K0.Size() < 2)
        m_K0 = m_K;
    // Restraint flags of the components this problem type has.
    for (int j = 0, t = 0; j < 6; ++j)
        if (m_dofMask[j]) {
            if (c0 + t >= 1 && c0 + t <= n)
                m_fixed[size_t(c0 + t)] = d.m_restraint[j];
            ++t;
        }
    if (d.m_nType == SUPPORT_ELASTIC) {
        Vector six(6);
        const double k[6] = {d.m_springT.x, d.m_springT.y, d.m_springT.z,
                             d.m_springR.x, d.m_springR.y, d.m_springR.z};
        for (long i = 1; i <= 6; ++i)
            six.At(i) = k[i - 1];
        const Vector s = six.SelectByMask(m_dofMask, 6, 6, unsigned(c));
        for (long i = 0; i < c; ++i) {
            AddToSystemDiagonal(SolverDof(c0 + i), s.At(i + 1));
            if (c0 + i >= 1 && c0 + i <= n)
                m_fixed[size_t(c0 + i)] = DOF_FREE;
        }
    }
    const Mfx3dPoint zero(0, 0, 0);
    if (d.m_translation != zero || d.m_rotation != zero) {
        Vector six(6);
        const double v[6] = {d.m_translation.x, d.m_translation.y, d.m_translation.z,
                             d.m_rotation.x,    d.m_rotation.y,    d.m_rotation.z};
        for (long i = 1; i <= 6; ++i)
            six.At(i) = v[i - 1];
        const Vector p = six.SelectByMask(m_dofMask, 6, 6, unsigned(c));
        const long reach = long(m_K.Band()) - 1;
        for (long e = 1; e <= c; ++e) {
            const double value = p.At(e);
            if (value == 0.0)
                continue;
            const long g = c0 + e - 1;
            if (m_sparse) {
                PrescribeSparse(g, value);
                continue;
            }
            const long G = SolverDof(g);
            // Only the equations within the band are coupled to g. Every other one loses
            // 0 * value, which turns a -0 into +0 when the value is negative.
            if (std::signbit(value))
                for (long i = 1; i <= n; ++i)
                    if (m_F.At(i) == 0.0 && std::abs(SolverDof(i) - G) > reach)
                        m_F.At(i) = 0.0;
            for (long I = std::max(1L, G - reach); I <= std::min(n, G + reach); ++I) {
                const long i = m_structureNode.empty() ? I : StructureDof(I);
                if (I == G)
                    continue;
                m_F.At(i) -= m_K.At(G, I) * value;
                m_K.At(G, I) = 0.0;
            }
            m_F.At(g) = value;
            m_K.At(G, G) = 1.0;
            m_fixed[size_t(g)] = DOF_PRESCRIBED;
        }
    }
    m_work.supportId = support.Number();
    m_work.loadId = d.m_nType;
    m_work.node = node;
    if (m_work.supportId >= 1 && size_t(m_work.supportId) <= m_supportTable.size())
        m_supportTable[size_t(m_work.supportId - 1)] = {node, 0};
    m_work.na = m_work.nb = 0;
    m_work.beamId = 0;
    return true;
}

bool Analysis::SupportStep(int index)
{
    if (index > 0) {
        if (size_t(index) > m_problem.Count(KIND_SUPPORT))
            return false;
        return ImposeSupport(*m_problem.List(KIND_SUPPORT).at(size_t(index - 1)));
    }
    m_work.supportId = 0;
    m_work.node = 0;
    for (const auto& support : m_problem.List(KIND_SUPPORT))
        ImposeSupport(*support);
    return true;
}

AnalysisStatus Analysis::SolveSystem()
{
    AnalysisStatus status = AnalysisStatus::Success();
    const long c = m_nDof;
    const long n = EquationCount();
    if (!m_systemReady)
        PrepareSystem(false);
    // Joints by node number, for the free rotations that a joint is expected to have.
    std::vector<char> joint(size_t(m_nNodes) + 1, 0);
    for (const auto& node : m_problem.List(KIND_NODE)) {
        const VelmorNudoData& nd = static_cast<const VelmorNudo&>(*node).Data();
        if (nd.m_nAnalysisNumber >= 1 && nd.m_nAnalysisNumber <= m_nNodes)
            joint[size_t(nd.m_nAnalysisNumber)] = nd.m_nJoint != 0;
    }
    auto expectedFreeRotation = [&](long d) {
        switch (m_nType) {
        case PROBLEM_CONTINUOUS_BEAM: return d == 2;
        case PROBLEM_PLANE_FRAME: return d == 3;
        case PROBLEM_SPACE_FRAME: return d >= 4 && d <= 6;
        default: return false;
        }
    };
    for (long i = 1; i <= n; ++i) {
        const long I = SolverDof(i);
        const bool stays =
            m_fixed[size_t(i)] != DOF_FIXED && (SystemDiagonal(I) != 0.0 || m_F.At(i) != 0.0);
        if (stays)
            continue;
        if (m_fixed[size_t(i)] == DOF_FREE) {
            const long b = (i - 1) / c + 1, d = (i - 1) % c + 1;
            if (!(joint[size_t(b)] && expectedFreeRotation(d)))
                status.Add(kMechanism, Archive::Format(LoadString(kMechanism), int(b), int(d)),
                           MessageSeverity::Warning);
        }
        FixSystemEquation(I);
        m_F.At(i) = 0.0;
    }
    if (m_sparse) {
        const bool solved = SolveSparse(status);
        FormWaitingRecords();
        if (!solved)
            return status;
        m_R = Vector(unsigned(n));
        ReactionsFromBeams(m_D);
        return status;
    }
    Vector F(static_cast<unsigned>(n));
    for (long i = 1; i <= n; ++i)
        F.At(SolverDof(i)) = m_F.At(i);
    m_K.m_dRelativePivot = kRelativePivot;
    const Vector D = m_K.Solve(F);
    m_K.m_dRelativePivot = 0.0;
    m_D = Vector(unsigned(n));
    if (!m_K.m_bFactorOk) {
        status.Add(kSingular, LoadString(kSingular), MessageSeverity::Error);
        status.Fail();
        return status;
    }
    for (long i = 1; i <= n; ++i)
        m_D.At(i) = D.At(SolverDof(i));
    // Reactions from the matrix before the supports: R = K0 * D - Fequiv - Fnodal.
    m_R = Vector(unsigned(n));
    if (!m_bKeepK0) {
        ReactionsFromBeams(m_D);
    } else if (m_K0.Size() >= 2) {
        std::vector<double> d(static_cast<size_t>(n)), k0d(static_cast<size_t>(n));
        for (long I = 1; I <= n; ++I)
            d[size_t(I - 1)] = D.At(I);
        m_K0.MultiplyInto(d.data(), k0d.data());
        for (long i = 1; i <= n; ++i) {
            double r = k0d[size_t(SolverDof(i) - 1)] - m_Fequiv.At(i) - m_Fnodal.At(i);
            if (std::fabs(r) < g_dTolerance)
                r = 0.0;
            m_R.At(i) = r;
        }
    }
    return status;
}

// K0 * D as the sum over the beams of T k Tt d of each beam, in the structure's numbering.
void Analysis::ReactionsFromBeams(const Vector& D)
{
    const auto start = std::chrono::steady_clock::now();
    const long c = m_nDof;
    const long n = EquationCount();
    std::vector<double> k0d(static_cast<size_t>(n) + 1, 0.0);
    const long w = 2 * c;
    double k[144], d[12], dl[12], f[12], g[12];
    size_t index = 0;
    for (const auto& beam : m_problem.List(KIND_BEAM)) {
        const BeamAnalysis& r = static_cast<const BeamResultPair&>(m_beams[index++])[0];
        const long na = beam->GetNumber(1), nb = beam->GetNumber(2);
        if (r.T.Rows() != unsigned(w) || r.T.Cols() != unsigned(w) || r.k.Rows() != unsigned(w) ||
            na < 1 || nb < 1 || na * c > n || nb * c > n) {
            const Vector v = r.T * (r.k * (r.T.Transpose() * D.GatherElement(na, nb, c)));
            for (long i = 1; i <= c; ++i) {
                k0d[size_t((na - 1) * c + i)] += v.At(i);
                k0d[size_t((nb - 1) * c + i)] += v.At(c + i);
            }
            continue;
        }
        // T k Tt d on the element's arrays, each sum as the general products form it.
        const double* T = r.T.Data();
        r.k.ToDense(k);
        for (long i = 0; i < c; ++i) {
            d[i] = D.Data()[(na - 1) * c + i];
            d[c + i] = D.Data()[(nb - 1) * c + i];
        }
        ElementTransposedTimes(T, w, d, dl);
        ElementTimes(k, w, dl, f);
        ElementTimes(T, w, f, g);
        for (long i = 0; i < c; ++i) {
            k0d[size_t((na - 1) * c + i + 1)] += g[i];
            k0d[size_t((nb - 1) * c + i + 1)] += g[c + i];
        }
    }
    for (long i = 1; i <= n; ++i) {
        double v = k0d[size_t(i)] - m_Fequiv.At(i) - m_Fnodal.At(i);
        if (std::fabs(v) < g_dTolerance)
            v = 0.0;
        m_R.At(i) = v;
    }
    m_timings.reactions +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace velmor
