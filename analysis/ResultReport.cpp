#include "ResultReport.h"

#include "Analysis.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

// The largest magnitude of the forces (or translations) and of the moments (or rotations)
// over the consecutive node blocks of the vectors; each of the problem's c components is one
// or the other as its slot of the six says. Returned per component.
std::vector<double> familyMagnitudes(const Analysis& a, const std::vector<const Vector*>& vectors)
{
    const long c = a.DofPerNode() ? a.DofPerNode() : 1;
    std::vector<bool> rotation(size_t(c), false);
    for (int j = 0, k = 0; j < 6 && k < c; ++j)
        if (a.DofMask()[j])
            rotation[size_t(k++)] = j >= 3;
    double family[2] = {0.0, 0.0};
    for (const Vector* v : vectors)
        for (long i = 1; i <= long(v->Rows()); ++i) {
            double& m = family[rotation[size_t((i - 1) % c)] ? 1 : 0];
            m = std::max(m, std::fabs(v->At(i)));
        }
    std::vector<double> out(static_cast<size_t>(c));
    for (long k = 0; k < c; ++k)
        out[size_t(k)] = family[rotation[size_t(k)] ? 1 : 0];
    return out;
}

// Six columns for one node's part of a vector: the problem's components, "-" for the others.
std::string sixColumns(const Analysis& a, const Vector& v, long first, const std::vector<double>& magnitudes)
{
    std::string out;
    long next = first;
    size_t k = 0;
    for (int j = 0; j < 6; ++j) {
        if (a.DofMask()[j])
            out += Archive::Format("%12.3g ", ShownValue(v.At(next++), magnitudes[k++]));
        else
            out += Archive::Format("%12.12s ", "-");
    }
    return out;
}

std::string header(const char* first, const char* second, const char* const columns[6])
{
    return Archive::Format("%6.6s %6.6s %12.12s %12.12s %12.12s %12.12s %12.12s %12.12s", first,
                           second, columns[0], columns[1], columns[2], columns[3], columns[4],
                           columns[5]);
}

} // namespace

std::vector<double> DisplacementMagnitudes(const Analysis& analysis)
{
    return familyMagnitudes(analysis, {&analysis.Displacements()});
}

std::vector<double> ForceMagnitudes(const Analysis& analysis)
{
    // Reactions and end forces have one scale: the reactions gather the end forces.
    const unsigned c = unsigned(analysis.DofPerNode());
    std::vector<const Vector*> forces{&analysis.Reactions()};
    for (const auto& object : analysis.Problem().List(KIND_BEAM))
        if (analysis.BeamResult(*object).q.Rows() == 2 * c)
            forces.push_back(&analysis.BeamResult(*object).q);
    return familyMagnitudes(analysis, forces);
}

double ShownValue(double value, double columnMagnitude)
{
    return std::fabs(value) < kRoundOffShare * columnMagnitude ? 0.0 : value;
}

std::vector<std::string> ResultReportLines(const Analysis& analysis)
{
    const VelmorProblem& problem = analysis.Problem();
    const Vector& D = analysis.Displacements();
    const Vector& R = analysis.Reactions();
    std::vector<std::string> lines;
    const long c = analysis.DofPerNode();
    const long nodes = c ? long(D.Rows()) / c : 0;

    lines.push_back("Coordonnées:");
    lines.push_back("");
    lines.push_back(Archive::Format("%6.6s %6.6s %12.12s %12.12s %12.12s", "Noeud", " ", "x [m]",
                                    "y [m]", "z [m]"));
    lines.push_back("");
    for (const auto& node : problem.List(KIND_NODE)) {
        const VelmorNudoData& d = static_cast<const VelmorNudo&>(*node).Data();
        lines.push_back(Archive::Format("%6d %6.6s %12.3f %12.3f %12.3f", d.m_nAnalysisNumber, " ",
                                        d.m_coord.x, d.m_coord.y, d.m_coord.z));
    }

    static const char* const displacement[6] = {"x [m]",    "y [m]",    "z [m]",
                                                "0x [rad]", "0y [rad]", "0z [rad]"};
    lines.insert(lines.end(), {"", "Déplacements:", ""});
    lines.push_back(header("Noeud", " ", displacement));
    lines.push_back("");
    const std::vector<double> dScale = DisplacementMagnitudes(analysis);
    for (long k = 1; k <= nodes; ++k)
        lines.push_back(Archive::Format("%6ld %6.6s ", k, " ") +
                        sixColumns(analysis, D, (k - 1) * c + 1, dScale));

    static const char* const reaction[6] = {"Fx [N]", "Fy [N]", "Fz [N]",
                                            "Mx [Nm]", "My [Nm]", "Mz [Nm]"};
    lines.insert(lines.end(), {"", "Réactions:", ""});
    lines.push_back(header("Noeud", " ", reaction));
    lines.push_back("");
    const std::vector<double> rScale = ForceMagnitudes(analysis);
    // Each supported node under the number the coordinates and displacements give it (the
    // student's numbering in an exercise), not its place in the list: the two differ once the
    // nodes were numbered in another order, and the reaction would be read against another node.
    for (const auto& node : problem.List(KIND_NODE)) {
        if (!node->FindChild(KIND_SUPPORT))
            continue;
        const long k = node->GetNumber(0);
        if (k >= 1 && k <= nodes && R.Rows() == D.Rows())
            lines.push_back(Archive::Format("%6ld %6.6s ", k, " ") +
                            sixColumns(analysis, R, (k - 1) * c + 1, rScale));
    }

    static const char* const force[6] = {"Sx [N]", "Sy [N]", "Sz [N]",
                                         "S0x [Nm]", "S0y [Nm]", "S0z [Nm]"};
    lines.insert(lines.end(), {"", "Efforts internes:", ""});
    lines.push_back(header("Poutre", "Noeud", force));
    lines.push_back("");
    const std::vector<double>& qScale = rScale;
    for (const auto& object : problem.List(KIND_BEAM)) {
        const VelmorObject& beam = *object;
        const Vector& q = analysis.BeamResult(beam).q;
        const Vector ends = q.Rows() == unsigned(2 * c) ? q : Vector(unsigned(2 * c));
        lines.push_back(Archive::Format("%6d %6d ", beam.Number(), beam.GetNumber(1)) +
                        sixColumns(analysis, ends, 1, qScale));
        lines.push_back(Archive::Format("%6.6s %6d ", " ", beam.GetNumber(2)) +
                        sixColumns(analysis, ends, c + 1, qScale));
    }
    return lines;
}

} // namespace velmor
