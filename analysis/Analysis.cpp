// Degrees of freedom, node numbering and the sequence of the analysis steps.
#include "Analysis.h"

#include "SolutionCheck.h"
#include "SolverOrder.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "platform/core/Archive.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <chrono>
#include <new>

#include <sys/resource.h>

namespace velmor {
namespace {

const VelmorNudoData& nodeData(const VelmorObject& node)
{
    return static_cast<const VelmorNudo&>(node).Data();
}

constexpr int kStructureNotValid = 61267;
constexpr int kSolved = 61250;
constexpr int kOutOfMemory = 61299;

AnalysisStatus outOfMemory()
{
    return AnalysisStatus::Failure(kOutOfMemory, LoadString(kOutOfMemory));
}

constexpr int kMasks[5][6] = {
    {0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0},
};

} // namespace

Analysis::Analysis(const VelmorProblem& problem)
    : m_problem(problem), m_revision(problem.Revision()), m_nType(problem.ProblemType())
{
}

bool Analysis::IsCurrent() const
{
    return m_revision == m_problem.Revision();
}

int Analysis::CountNodes()
{
    if (m_nNodes)
        return m_nNodes;
    int n = 0;
    for (const auto& node : m_problem.List(KIND_NODE)) {
        if (node->CountChildren(KIND_BEAM) > 0)
            ++n;
        nodeData(*node).m_nAnalysisNumber = 0;
    }
    m_nNodes = n;
    return n;
}

AnalysisStatus Analysis::InitAnalysis()
{
    try {
        return Init();
    } catch (const std::bad_alloc&) {
        FreeAnalysis();
        return outOfMemory();
    }
}

AnalysisStatus Analysis::Init()
{
    if (m_ready)
        FreeAnalysis();
    m_nType = m_problem.ProblemType();
    if (m_nType >= 1 && m_nType <= 4) {
        std::copy(std::begin(kMasks[m_nType]), std::end(kMasks[m_nType]), m_dofMask);
        m_nDof = velmor::DofPerNode(m_nType);
    }
    const int N = CountNodes();
    if (N == 0)
        return AnalysisStatus::Failure(kStructureNotValid, LoadString(kStructureNotValid));
    for (const auto& node : m_problem.List(KIND_NODE))
        if (node->CountChildren(KIND_BEAM) == 0)
            return AnalysisStatus::Failure(0, Archive::Format(kNodeWithoutBeam, node->Number()));
    for (const auto& beam : m_problem.List(KIND_BEAM))
        if (!(beam->GetLength() > 0.0))
            return AnalysisStatus::Failure(0, Archive::Format(kZeroLengthBeam, beam->Number()));
    const unsigned n = unsigned(N * m_nDof);
    m_K = SymBandMat();
    m_K0 = SymBandMat();
    m_S = SparseSymMat();
    m_sparse = false;
    m_systemReady = false;
    m_solverNode.clear();
    m_structureNode.clear();
    m_Fnodal = Vector(n);
    m_Fequiv = Vector(n);
    m_F = Vector(n);
    m_D = Vector(n);
    m_R = Vector(n);
    m_fixed.assign(size_t(n) + 1, 0);
    m_beamTable.assign(m_problem.Count(KIND_BEAM), {0, 0, 0});
    m_weightTable.assign(m_problem.Count(KIND_BEAM), {0, 0, 0});
    m_distLoadTable.assign(m_problem.Count(KIND_BEAM_LOAD), {0, 0, 0});
    m_nodalLoadTable.assign(m_problem.Count(KIND_NODAL_LOAD), {0, 0});
    m_supportTable.assign(m_problem.Count(KIND_SUPPORT), {0, 0});
    m_beams = std::vector<BeamResultPair>(m_problem.Count(KIND_BEAM));
    m_beamIndex.clear();
    m_beamIndex.reserve(m_beams.size());
    for (const auto& beam : m_problem.List(KIND_BEAM))
        m_beamIndex.emplace(beam.get(), m_beamIndex.size());
    m_extrema.fill(0.0);
    m_work.Clear();
    m_handNumbered.clear();
    m_bKeepK0 = true;
    m_ready = true;
    return AnalysisStatus::Success();
}

void Analysis::FreeAnalysis()
{
    m_nNodes = 0;
    if (m_ready) {
        m_fixed.clear();
        m_K = SymBandMat();
        m_K0 = SymBandMat();
        m_S = SparseSymMat();
        m_sparse = false;
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
        m_ready = false;
    }
}

bool Analysis::NumberNodes(int start)
{
    if (start > 0) {
        for (const auto& node : m_problem.List(KIND_NODE))
            if (nodeData(*node).m_nAnalysisNumber == 0) {
                nodeData(*node).m_nAnalysisNumber = start;
                return true;
            }
        return false;
    }
    int next = start == -1 ? int(m_handNumbered.size()) + 1 : 1;
    for (const auto& node : m_problem.List(KIND_NODE))
        if (nodeData(*node).m_nAnalysisNumber == 0)
            nodeData(*node).m_nAnalysisNumber = next++;
    return true;
}

bool Analysis::NumberNode(const VelmorObject* node)
{
    if (!node || node->Kind() != KIND_NODE ||
        std::find(m_handNumbered.begin(), m_handNumbered.end(), node) != m_handNumbered.end())
        return false;
    m_handNumbered.push_back(node);
    nodeData(*node).m_nAnalysisNumber = int(m_handNumbered.size());
    return true;
}

long Analysis::BeamIndex(const VelmorObject& beam) const
{
    const auto it = m_beamIndex.find(&beam);
    return it == m_beamIndex.end() ? -1 : long(it->second);
}

const VelmorObject* Analysis::BeamAt(int number) const
{
    if (number < 1 || size_t(number) > m_problem.Count(KIND_BEAM))
        return nullptr;
    return m_problem.List(KIND_BEAM).at(size_t(number - 1));
}

const BeamAnalysis& Analysis::BeamResult(const VelmorObject& beam, int record) const
{
    static const BeamAnalysis none;
    const long i = BeamIndex(beam);
    return i < 0 ? none : static_cast<const BeamResultPair&>(m_beams[size_t(i)])[record];
}

const BeamAnalysis& Analysis::BeamResultAt(size_t index) const
{
    static const BeamAnalysis none;
    return index < m_beams.size() ? static_cast<const BeamResultPair&>(m_beams[index])[0] : none;
}

BeamAnalysis& Analysis::BeamResult(const VelmorObject& beam, int record)
{
    // Only the beams of the structure are ever analysed: any other one gets a scratch record.
    static BeamAnalysis scratch;
    const long i = BeamIndex(beam);
    if (i < 0) {
        scratch.Reset();
        return scratch;
    }
    return m_beams[size_t(i)][record];
}

void Analysis::PrepareSystem(bool reorder)
{
    const int N = m_nNodes;
    std::vector<std::pair<int, int>> beams;
    beams.reserve(m_problem.Count(KIND_BEAM));
    for (const auto& beam : m_problem.List(KIND_BEAM)) {
        const int a = beam->GetNumber(1), b = beam->GetNumber(2);
        if (a >= 1 && a <= N && b >= 1 && b <= N)
            beams.emplace_back(a, b);
    }
    m_solverNode.clear();
    m_structureNode.clear();
    if (reorder) {
        std::vector<Mfx3dPoint> position(size_t(N) + 1);
        Mfx3dPoint p;
        for (const auto& node : m_problem.List(KIND_NODE)) {
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

long Analysis::SolverDof(long dof) const
{
    if (m_solverNode.empty())
        return dof;
    const long c = m_nDof;
    const long node = (dof - 1) / c + 1;
    if (node < 1 || node >= long(m_solverNode.size()))
        return dof;
    return (m_solverNode[size_t(node)] - 1) * c + (dof - 1) % c + 1;
}

long Analysis::StructureDof(long equation) const
{
    if (m_structureNode.empty())
        return equation;
    const long c = m_nDof;
    const long node = (equation - 1) / c + 1;
    if (node < 1 || node >= long(m_structureNode.size()))
        return equation;
    return (m_structureNode[size_t(node)] - 1) * c + (equation - 1) % c + 1;
}

double Analysis::SystemMatrixAt(long i, long j) const
{
    if (!m_systemReady)
        return 0.0;
    if (m_sparse)
        return m_S.At(i, j);
    return m_K.At(SolverDof(i), SolverDof(j));
}

AnalysisStatus Analysis::RunAnalysis(AnalysisStage stop)
{
    try {
        return Run(stop);
    } catch (const std::bad_alloc&) {
        // What was allocated goes; the structure is untouched.
        FreeAnalysis();
        m_D = Vector();
        m_R = Vector();
        m_beams.clear();
        m_recordsWait = false;
        m_waitingLoads.clear();
        m_scratchOf = nullptr;
        return outOfMemory();
    }
}

AnalysisStatus Analysis::Run(AnalysisStage stop)
{
    const AnalysisStatus status = RunStages(stop);
    // Whatever stage the run stopped at, every beam has its record.
    FormWaitingRecords();
    return status;
}

AnalysisStatus Analysis::RunStages(AnalysisStage stop)
{
    using Clock = std::chrono::steady_clock;
    m_timings = AnalysisTimings();
    Clock::time_point last = Clock::now();
    auto lap = [&](double& phase, double& peak) {
        const Clock::time_point now = Clock::now();
        phase += std::chrono::duration<double>(now - last).count();
        peak = PeakMemoryMiB();
        last = now;
    };
    AnalysisStatus status = InitAnalysis();
    lap(m_timings.init, m_timings.initPeak);
    if (!status || stop == AnalysisStage::Init)
        return status;
    NumberNodes(0);
    if (stop == AnalysisStage::All && m_solver == SystemSolver::Sparse)
        PrepareSparseSystem();
    else
        PrepareSystem(true);
    m_bKeepK0 = false;
    lap(m_timings.numbering, m_timings.numberingPeak);
    if (stop == AnalysisStage::Numbering)
        return status;
    if (!StiffnessStep(0, false))
        status.Fail();
    lap(m_timings.stiffness, m_timings.stiffnessPeak);
    if (stop == AnalysisStage::Stiffness)
        return status;
    LoadStep(0, LoadKind::Nodal, false);
    lap(m_timings.loads, m_timings.loadsPeak);
    if (stop == AnalysisStage::Loads)
        return status;
    SupportStep(0);
    lap(m_timings.supports, m_timings.supportsPeak);
    if (stop == AnalysisStage::Supports)
        return status;
    // Loads that overflowed (a load or a settlement near the largest number) would make the
    // solution look singular: say what it is.
    if (!AllFinite(m_F)) {
        FreeAnalysis();
        return NotFinite();
    }
    status.Merge(SolveSystem());
    lap(m_timings.solution, m_timings.solutionPeak);
    m_timings.solution -= m_timings.reactions;
    if (stop == AnalysisStage::Solution || stop == AnalysisStage::Combined)
        return status;
    ComputeResults();
    if (status) {
        m_quality = MeasureSolution(*this);
        status.Merge(CheckSolution(m_quality));
    }
    FreeAnalysis();
    lap(m_timings.results, m_timings.resultsPeak);
    if (status)
        status.Add(kSolved, LoadString(kSolved), MessageSeverity::Information);
    return status;
}

double PeakMemoryMiB()
{
    struct rusage usage;
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0.0;
    return double(usage.ru_maxrss) / 1024.0; // KiB on Linux
}

std::shared_ptr<Analysis> Analysis::Start(VelmorProblem& problem)
{
    auto analysis = std::make_shared<Analysis>(problem);
    problem.SetAnalysis(analysis);
    return analysis;
}

AnalysisStatus SolveAtOnce(VelmorProblem& problem, const AnalysisOptions& options)
{
    // The solution numbers the nodes in list order; the beams are turned to that numbering
    // before the analysis is built, so that it sees the structure it solves.
    problem.NumberNodesInListOrder();
    problem.OrientBeams(true, options.orientIJ, options.changeLocalLoads);
    const std::shared_ptr<Analysis> analysis = Analysis::Start(problem);
    analysis->SetSolver(options.solver, options.ordering);
    analysis->SetThreads(options.threads);
    return analysis->RunAnalysis(AnalysisStage::All);
}

} // namespace velmor
