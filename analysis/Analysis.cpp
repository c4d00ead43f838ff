// Degrees of freedom, node numbering and the sequence of the analysis steps.
#include "SolverOrder.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "model/VelmorViga.h"
#include "numeric/NumericGlobals.h"
#include "platform/core/Archive.h"
#include "platform/core/MessageService.h"

#include <algorithm>

namespace velmor {
namespace {

VelmorNudoData& nodeData(VelmorObject& node)
{
    return static_cast<VelmorNudo&>(node).Data();
}

constexpr int kMasks[5][6] = {
    {0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0},
};

} // namespace

int VelmorProblem::CountNodes()
{
    if (m_nNodes)
        return m_nNodes;
    int n = 0;
    for (const auto& node : m_lists[KIND_NODE]) {
        if (node->CountChildren(KIND_BEAM) > 0)
            ++n;
        nodeData(*node).m_nAnalysisNumber = 0;
    }
    m_nNodes = n;
    return n;
}

int VelmorProblem::InitAnalysis()
{
    if (m_bAnalysisReady)
        FreeAnalysis();
    if (m_nType >= 1 && m_nType <= 4) {
        std::copy(std::begin(kMasks[m_nType]), std::end(kMasks[m_nType]), m_dofMask);
        m_nDof = DofPerNode(m_nType);
        g_nDofPerNode = m_nDof;
    }
    const int N = CountNodes();
    if (N == 0) {
        ShowMessage("La structure n'est pas valide. Il manque des éléments.");
        m_bAnalysisReady = 0;
        return 0;
    }
    for (const auto& node : m_lists[KIND_NODE])
        if (node->CountChildren(KIND_BEAM) == 0) {
            ShowMessage(Archive::Format(kNodeWithoutBeam, node->Number()));
            m_bAnalysisReady = 0;
            return 0;
        }
    for (const auto& beam : m_lists[KIND_BEAM])
        if (!(beam->GetLength() > 0.0)) {
            ShowMessage(Archive::Format(kZeroLengthBeam, beam->Number()));
            m_bAnalysisReady = 0;
            return 0;
        }
    const unsigned n = unsigned(N * m_nDof);
    m_K = SymBandMat();
    m_K0 = SymBandMat();
    m_systemReady = false;
    m_solverNode.clear();
    m_structureNode.clear();
    m_Fnodal = Vector(n);
    m_Fequiv = Vector(n);
    m_F = Vector(n);
    m_D = Vector(n);
    m_R = Vector(n);
    m_fixed.assign(size_t(n) + 1, 0);
    m_beamTable.assign(Count(KIND_BEAM), {0, 0, 0});
    m_weightTable.assign(Count(KIND_BEAM), {0, 0, 0});
    m_distLoadTable.assign(Count(KIND_BEAM_LOAD), {0, 0, 0});
    m_nodalLoadTable.assign(Count(KIND_NODAL_LOAD), {0, 0});
    m_supportTable.assign(Count(KIND_SUPPORT), {0, 0});
    for (const auto& beam : m_lists[KIND_BEAM])
        for (BeamAnalysis& r : static_cast<VelmorViga&>(*beam).m_result)
            r.Reset();
    m_extrema.fill(0.0);
    m_work.Clear();
    m_handNumbered.clear();
    m_bKeepK0 = true;
    m_bAnalysisReady = 1;
    return 1;
}

int VelmorProblem::FreeAnalysis()
{
    m_nNodes = 0;
    if (m_bAnalysisReady) {
        m_fixed.clear();
        m_K = SymBandMat();
        m_K0 = SymBandMat();
        m_Fequiv = Vector();
        m_Fnodal = Vector();
        m_F = Vector();
        m_beamTable.clear();
        m_weightTable.clear();
        m_distLoadTable.clear();
        m_nodalLoadTable.clear();
        m_supportTable.clear();
        m_systemReady = false;
        m_solverNode.clear();
        m_structureNode.clear();
        m_bAnalysisReady = 0;
    }
    return 1;
}

int VelmorProblem::NumberNodes(int start)
{
    if (start > 0) {
        for (const auto& node : m_lists[KIND_NODE])
            if (nodeData(*node).m_nAnalysisNumber == 0) {
                nodeData(*node).m_nAnalysisNumber = start;
                return 1;
            }
        return 0;
    }
    int next = start == -1 ? int(m_handNumbered.size()) + 1 : 1;
    for (const auto& node : m_lists[KIND_NODE])
        if (nodeData(*node).m_nAnalysisNumber == 0)
            nodeData(*node).m_nAnalysisNumber = next++;
    return 1;
}

int VelmorProblem::NumberNode(VelmorObject* node)
{
    if (!node || node->Kind() != KIND_NODE ||
        std::find(m_handNumbered.begin(), m_handNumbered.end(), node) != m_handNumbered.end())
        return 0;
    m_handNumbered.push_back(node);
    nodeData(*node).m_nAnalysisNumber = int(m_handNumbered.size());
    return 1;
}

void VelmorProblem::OrientBeams(int refresh, bool ijOrientation, bool changeLocalLoads)
{
    for (const auto& beam : m_lists[KIND_BEAM])
        static_cast<VelmorViga&>(*beam).SetIJOrientation(ijOrientation ? 1 : 0);
    const int loadValue = ijOrientation && !changeLocalLoads ? 1 : 0;
    for (const auto& load : m_lists[KIND_BEAM_LOAD])
        static_cast<VelmorCarga&>(*load).SetIJOrientation(loadValue);
    if (refresh && m_pDoc)
        m_pDoc->UpdateAllViews(HINT_MODEL, nullptr);
}

void VelmorProblem::PrepareSystem(bool reorder)
{
    const int N = m_nNodes;
    std::vector<std::pair<int, int>> beams;
    beams.reserve(Count(KIND_BEAM));
    for (const auto& beam : m_lists[KIND_BEAM]) {
        const int a = beam->GetNumber(1), b = beam->GetNumber(2);
        if (a >= 1 && a <= N && b >= 1 && b <= N)
            beams.emplace_back(a, b);
    }
    m_solverNode.clear();
    m_structureNode.clear();
    if (reorder) {
        std::vector<Mfx3dPoint> position(size_t(N) + 1);
        Mfx3dPoint p;
        for (const auto& node : m_lists[KIND_NODE]) {
            const int k = nodeData(*node).m_nAnalysisNumber;
            if (k >= 1 && k <= N)
                position[size_t(k)] = node->GetPosition(p, 0, 0);
        }
        m_solverNode = ChooseSolverOrder(N, beams, position);
        m_structureNode.assign(size_t(N) + 1, 0);
        for (int k = 1; k <= N; ++k)
            m_structureNode[size_t(m_solverNode[size_t(k)])] = k;
    }
    std::vector<int> identity;
    if (m_solverNode.empty()) {
        identity.resize(size_t(N) + 1);
        for (int k = 0; k <= N; ++k)
            identity[size_t(k)] = k;
    }
    const int widthNodes = OrderBandWidth(m_solverNode.empty() ? identity : m_solverNode, beams);
    const unsigned n = unsigned(N * m_nDof);
    const unsigned band = std::min(n, unsigned(widthNodes * m_nDof));
    m_K = SymBandMat(n, std::max(1u, band));
    m_systemReady = true;
}

long VelmorProblem::SolverDof(long dof) const
{
    if (m_solverNode.empty())
        return dof;
    const long c = m_nDof;
    const long node = (dof - 1) / c + 1;
    if (node < 1 || node >= long(m_solverNode.size()))
        return dof;
    return (m_solverNode[size_t(node)] - 1) * c + (dof - 1) % c + 1;
}

long VelmorProblem::StructureDof(long equation) const
{
    if (m_structureNode.empty())
        return equation;
    const long c = m_nDof;
    const long node = (equation - 1) / c + 1;
    if (node < 1 || node >= long(m_structureNode.size()))
        return equation;
    return (m_structureNode[size_t(node)] - 1) * c + (equation - 1) % c + 1;
}

double VelmorProblem::SystemMatrixAt(long i, long j) const
{
    if (!m_systemReady)
        return 0.0;
    return m_K.At(SolverDof(i), SolverDof(j));
}

int VelmorProblem::RunAnalysis(int stopStep)
{
    int ok = 1;
    if (!InitAnalysis())
        return 0;
    if (stopStep == 1)
        return 1;
    NumberNodes(0);
    OrientBeams(1, m_bOrientIJ, m_bChangeLocalLoads);
    PrepareSystem(true);
    m_bKeepK0 = false;
    if (stopStep == 2)
        return 1;
    ok &= StiffnessStep(0, 0);
    if (stopStep == 3)
        return 1;
    ok &= LoadStep(0, 0, 0);
    if (stopStep == 4)
        return 1;
    ok &= SupportStep(0);
    if (stopStep == 5)
        return 1;
    ok &= SolveSystem();
    if (stopStep == 6 || stopStep == 7)
        return 1;
    ok &= ComputeResults();
    FreeAnalysis();
    return ok;
}

} // namespace velmor
