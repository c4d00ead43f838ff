#include "SolutionCheck.h"

#include "Analysis.h"
#include "model/VelmorApoyo.h"
#include "model/VelmorProblem.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmor {
namespace {

constexpr const char* kNotFinite =
    "Les résultats ne sont pas des nombres finis: une charge, un tassement ou une rigidité est "
    "trop grand pour le calcul.\nCorrigez la structure dans l'éditeur BIBLIOTHEQUE.";
constexpr const char* kImprecise =
    "Attention: les résultats sont imprécis (système mal conditionné).\nLes barres ont des "
    "longueurs ou des rigidités très différentes; les réactions n'équilibrent pas exactement "
    "les charges.";

} // namespace

AnalysisStatus NotFinite()
{
    return AnalysisStatus::Failure(0, kNotFinite);
}

bool AllFinite(const Vector& v)
{
    for (long i = 1; i <= long(v.Rows()); ++i)
        if (!std::isfinite(v.At(i)))
            return false;
    return true;
}

SolutionQuality MeasureSolution(const Analysis& a)
{
    SolutionQuality q;
    const Vector& D = a.Displacements();
    const Vector& R = a.Reactions();
    const Vector& Fn = a.NodalLoads();
    const Vector& Fe = a.EquivalentLoads();
    q.finite = AllFinite(D) && AllFinite(R);
    for (size_t i = 0; q.finite && i < a.Problem().Count(KIND_BEAM); ++i)
        q.finite = AllFinite(a.BeamResultAt(i).q);
    const long n = long(D.Rows());
    if (!q.finite || n == 0 || long(R.Rows()) != n || long(Fn.Rows()) != n || long(Fe.Rows()) != n)
        return q;

    // Springs: a spring's force is part of the balance of its degree of freedom.
    const long c = a.DofPerNode();
    std::vector<double> spring(size_t(n) + 1, 0.0);
    for (const auto& object : a.Problem().List(KIND_SUPPORT)) {
        const auto& support = static_cast<const VelmorApoyo&>(*object);
        const VelmorApoyoData& d = support.Data();
        if (d.m_nType != SUPPORT_ELASTIC)
            continue;
        const long node = support.GetNumber(0);
        const double k[6] = {d.m_springT.x, d.m_springT.y, d.m_springT.z,
                             d.m_springR.x, d.m_springR.y, d.m_springR.z};
        for (int j = 0, t = 0; j < 6; ++j)
            if (a.DofMask()[j]) {
                const long dof = (node - 1) * c + t + 1;
                if (dof >= 1 && dof <= n)
                    spring[size_t(dof)] += k[j];
                ++t;
            }
    }

    // R = K0 D - F: at a free degree of freedom it is the out-of-balance force; where a
    // spring holds the degree of freedom it is the spring's force, -k D. Forces and moments
    // are measured each against the largest of their kind.
    const std::vector<int>& fixed = a.Fixed();
    auto isMoment = [&](long i) {
        int component = 0;
        for (int j = 0, t = 0; j < 6; ++j)
            if (a.DofMask()[j] && t++ == (i - 1) % c)
                component = j;
        return component >= 3;
    };
    double scale[2] = {0.0, 0.0};
    for (long i = 1; i <= n; ++i) {
        double& s = scale[isMoment(i) ? 1 : 0];
        s = std::max({s, std::fabs(R.At(i)), std::fabs(Fn.At(i)), std::fabs(Fe.At(i)),
                      std::fabs(spring[size_t(i)] * D.At(i))});
    }
    auto relative = [&](double value, long i) {
        const double s = scale[isMoment(i) ? 1 : 0];
        return s > 0.0 ? std::fabs(value) / s : 0.0;
    };
    for (long i = 1; i <= n; ++i) {
        const bool held = size_t(i) < fixed.size() && fixed[size_t(i)] != DOF_FREE;
        if (!held)
            q.residual = std::max(q.residual, relative(R.At(i) + spring[size_t(i)] * D.At(i), i));
    }
    // Along each translation the reactions the supports and springs give and the applied
    // loads add up to zero.
    for (int j = 0, t = 0; j < 6; ++j) {
        if (!a.DofMask()[j])
            continue;
        if (j < 3) {
            double sum = 0.0;
            for (long i = t + 1; i <= n; i += c) {
                const bool held = size_t(i) < fixed.size() && fixed[size_t(i)] != DOF_FREE;
                if (held || spring[size_t(i)] != 0.0)
                    sum += R.At(i);
                sum += Fn.At(i) + Fe.At(i);
            }
            q.equilibrium = std::max(q.equilibrium, relative(sum, t + 1));
        }
        ++t;
    }
    return q;
}

AnalysisStatus CheckSolution(const SolutionQuality& q)
{
    if (!q.finite)
        return NotFinite();
    AnalysisStatus status = AnalysisStatus::Success();
    if (q.residual > kImpreciseResidual || q.equilibrium > kImpreciseResidual)
        status.Add(0, kImprecise, MessageSeverity::Warning);
    return status;
}

} // namespace velmor
