// One analysis of a structure by the direct stiffness method: the degrees of freedom and the
// numbering of the nodes, each beam's stiffness and its assembly, the load vector, the boundary
// conditions, the solution with the reactions, and the results and laws of every beam.
//
// An analysis reads its structure and never edits it; the only thing it writes is the analysis
// number of each node, kept on the node's record (not stored in files). It owns the system
// matrix and vectors, the tables of what has been assembled, the step workspace that the tutor
// and the matrix view read after each single step, and the per-beam results. It was built on
// one revision of the structure and says when the structure has changed since (IsCurrent).
//
// The system arrays exist between InitAnalysis and FreeAnalysis; the displacements, the
// reactions, the beams' results and the extremes survive FreeAnalysis until the next
// InitAnalysis, so that the views draw them after a solution has ended.
#pragma once

#include "AnalysisStatus.h"
#include "BeamAnalysis.h"
#include "SolutionCheck.h"
#include "numeric/MatBase.h"
#include "numeric/MfxTMatrix.h"
#include "numeric/SparseCholesky.h"
#include "numeric/SparseSymMat.h"
#include "numeric/SymBandMat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace velmor {

class VelmorObject;
class VelmorProblem;

// The steps of the whole sequence, in order; RunAnalysis stops after the one it is given.
enum class AnalysisStage : int {
    All = 0,        // run everything
    Init = 1,       // the arrays
    Numbering = 2,  // the nodes numbered in list order
    Stiffness = 3,  // every beam's stiffness assembled
    Loads = 4,      // the load vector
    Supports = 5,   // the boundary conditions
    Solution = 6,   // the system solved, the reactions formed
    Combined = 7,   // the combined result of the steps so far (nothing more is done)
};

// The three kinds of load of the load step.
enum class LoadKind : int { Nodal = 0, Beam = 1, SelfWeight = 2 };

// What the single steps of the analysis leave for the tutor and the matrix view: the element
// being processed and its matrices and vectors.
struct StepWorkspace
{
    void Clear() { *this = StepWorkspace(); }

    SymBandMat kLocal;      // local stiffness of the current beam
    int band = 0;           // its band width
    SymBandMat kGlobal;     // T*k*Tt of the current beam
    Mat T;                  // its transformation
    Vector fLocal;          // local element load vector
    Vector fGlobal;         // global element vector (nodal load: c entries)
    int na = 0, nb = 0;     // node numbers of the current element (0 when none)
    int node = 0;           // node number of the current nodal load or support
    int beamId = 0;         // number of the current beam
    int loadId = 0;         // number of the current load, or the kind of the current support
    int supportId = 0;      // number of the current support
    Vector shown1, shown2;  // values a view shows for a selected element
};

// How a solution at once solves the system: sparse (only the coupled node blocks are stored
// and factored, in a fill-reducing order) or in the band of the equation order. The single
// steps always work on the band matrix, which the tutor and the matrix view read.
enum class SystemSolver : int { Sparse = 0, Band = 1 };

// Seconds spent in each phase of the last RunAnalysis (numbering includes sizing the system;
// solution is the pre-check, the factorisation and the solve, without the reactions; of it,
// factorisation is the sparse factor's ordering and factoring, and of that, ordering the time to
// find the elimination order and the factor's structure).
struct AnalysisTimings
{
    double init = 0, numbering = 0, stiffness = 0, loads = 0, supports = 0, solution = 0,
           factorisation = 0, ordering = 0, reactions = 0, results = 0;
    // The sparse factor's entries and the floating-point operations that computed it.
    double factorEntries = 0, factorFlops = 0;
    // The process's peak resident memory (MiB) at the end of each phase.
    double initPeak = 0, numberingPeak = 0, stiffnessPeak = 0, loadsPeak = 0, supportsPeak = 0,
           solutionPeak = 0, resultsPeak = 0;
};

// The process's peak resident memory so far, in MiB (0 where the system does not say).
double PeakMemoryMiB();

// Per degree of freedom, what the boundary conditions made of it.
enum DofState : int { DOF_FREE = 0, DOF_FIXED = 1, DOF_PRESCRIBED = 2 };

class Analysis
{
public:
    // Message shown when a node has no beam (such a node would take a number without
    // equations and push a connected node out of the system).
    static constexpr const char* kNodeWithoutBeam =
        "Le noeud %d n'est relié à aucune poutre.\nReliez-le à la structure ou effacez-le dans "
        "l'éditeur BIBLIOTHEQUE.";
    static constexpr const char* kZeroLengthBeam =
        "La poutre %d a une longueur nulle: ses deux noeuds sont au même endroit.";
    // Relative pivot test of the solution: a pivot below this fraction of its diagonal before
    // the factorisation means the structure is a mechanism (round-off would pass as a pivot).
    static constexpr double kRelativePivot = 1e-12;

    // An analysis of the structure as it is now; nothing is allocated until InitAnalysis.
    explicit Analysis(const VelmorProblem& problem);
    // A new analysis of the problem, made the problem's current one.
    static std::shared_ptr<Analysis> Start(VelmorProblem& problem);
    Analysis(const Analysis&) = delete;
    Analysis& operator=(const Analysis&) = delete;

    const VelmorProblem& Problem() const { return m_problem; }
    // The structure has not changed since this analysis was built on it.
    bool IsCurrent() const;

    // ---- degrees of freedom, numbering and the sequence of steps
    // Sets up the arrays; fails with its message when the structure cannot be analysed: no
    // node on a beam, a node without beam, a beam of zero length, or not memory enough
    // ("ERREUR DE MEMOIRE!...").
    AnalysisStatus InitAnalysis();
    // Releases the system arrays; displacements, reactions and the beams' results stay.
    void FreeAnalysis();
    // The whole sequence, stopping after `stop`. It succeeds when every step ran, the system
    // was solved and every result is finite; its messages are the mechanism warnings, a
    // warning when the results are imprecise (see SolutionCheck.h), then "Système d'équations
    // résolu" or the one message of the failure (out of memory among them). Run to the end, the equations are ordered
    // internally to keep the band of the system small; every number shown stays in the
    // structure's numbering.
    AnalysisStatus RunAnalysis(AnalysisStage stop = AnalysisStage::All);
    bool Ready() const { return m_ready; }
    // The solver of a run to the end (RunAnalysis(AnalysisStage::All)); a run that stops
    // earlier leaves the band matrix for the views whatever is chosen here. The automatic
    // ordering is nested dissection for space structures and large plane ones, minimum degree
    // for the others.
    void SetSolver(SystemSolver solver, SparseOrdering ordering = SparseOrdering::Automatic)
    {
        m_solver = solver;
        m_ordering = ordering;
    }
    SystemSolver Solver() const { return m_solver; }
    // How many threads share out the work on the beams: 0, one per core for a large structure
    // and one for a small one; else that many. The results are the same for any number.
    void SetThreads(size_t threads) { m_threads = threads; }
    const AnalysisTimings& Timings() const { return m_timings; }
    // Nodes that carry at least one beam (cached; recounting resets every node's number).
    int CountNodes();
    // start > 0: the next unnumbered node in list order gets `start` (false when none is left);
    // start <= 0: every unnumbered node is numbered in list order from 1 (from one more than
    // the nodes numbered by hand when start is -1).
    bool NumberNodes(int start);
    // Hand numbering: the node gets one more than the count of nodes numbered by hand so far;
    // false for a node numbered by hand already, or for anything but a node.
    bool NumberNode(const VelmorObject* node);

    // ---- beam stiffness and assembly
    // The beam's local axes as the columns x, y, z of a rotation.
    static MfxTMatrix LocalFrame(const VelmorObject& beam);
    // End-release code of a beam: 1 node 1 a joint, 2 node 2, 3 both or an axial-only section.
    static int ReleaseCode(const VelmorObject& beam);
    bool ComputeBeamStiffness(const VelmorObject& beam);
    bool AssembleBeam();
    // Beam `index` (1-based, list order) computed or assembled; index <= 0: every beam, both.
    bool StiffnessStep(int index, bool assemble);

    // ---- load vector
    bool ComputeNodalLoad(const VelmorObject& load);
    bool AssembleNodalLoad();
    bool ComputeBeamLoad(const VelmorObject& load);
    bool AssembleBeamLoad();
    // False when the beam carries no self weight (no section, or a density of 0).
    bool ComputeSelfWeight(const VelmorObject& beam);
    bool AssembleSelfWeight();
    // Load `index` of a kind computed or assembled; index <= 0 runs every load of every kind.
    bool LoadStep(int index, LoadKind kind, bool assemble);

    // ---- boundary conditions, solution and reactions
    bool ImposeSupport(const VelmorObject& support);
    bool SupportStep(int index);
    // Succeeds with the mechanism warnings, or fails with "Système d'équations singulier...".
    AnalysisStatus SolveSystem();

    // ---- results and laws
    bool ComputeResults();
    std::array<double, EXT_COUNT> BeamResults(const VelmorObject& beam, const Vector& d);
    Polynomial GetLaw(const VelmorObject& beam, int code, double ends[2]) const;
    bool LawDoneFlag(const VelmorObject& beam, int code) const;
    bool DiagramsDone(int code = -1, const VelmorObject* beam = nullptr) const;
    // The analysis record of a beam: 0 the engine's, 1 a second one of the same layout for the
    // views. A beam this analysis does not know reads as a beam never analysed.
    const BeamAnalysis& BeamResult(const VelmorObject& beam, int record = 0) const;
    BeamAnalysis& BeamResult(const VelmorObject& beam, int record = 0);
    // The engine's record of the beam at `index` (0-based) of the structure's list, as
    // BeamResult gives it for that beam; an index beyond the list reads as a beam never
    // analysed.
    const BeamAnalysis& BeamResultAt(size_t index) const;

    // ---- what the views, the tutor and the report read
    // The system matrix in the structure's numbering (i, j = global DOF numbers).
    double SystemMatrixAt(long i, long j) const;
    long EquationCount() const { return long(m_nNodes) * m_nDof; }
    int DofPerNode() const { return m_nDof; }
    const int* DofMask() const { return m_dofMask; }
    int NodeCount() const { return m_nNodes; }
    const SymBandMat& K0() const { return m_K0; }
    const Vector& NodalLoads() const { return m_Fnodal; }
    const Vector& EquivalentLoads() const { return m_Fequiv; }
    const Vector& TotalLoads() const { return m_F; }
    const Vector& Displacements() const { return m_D; }
    const Vector& Reactions() const { return m_R; }
    // Per DOF (index 1..n), a DofState.
    const std::vector<int>& Fixed() const { return m_fixed; }
    const std::vector<std::array<int, 3>>& BeamTable() const { return m_beamTable; }
    const std::vector<std::array<int, 3>>& WeightTable() const { return m_weightTable; }
    const std::vector<std::array<int, 3>>& DistLoadTable() const { return m_distLoadTable; }
    const std::vector<std::array<int, 2>>& NodalLoadTable() const { return m_nodalLoadTable; }
    const std::vector<std::array<int, 2>>& SupportTable() const { return m_supportTable; }
    const std::array<double, EXT_COUNT>& Extrema() const { return m_extrema; }
    const StepWorkspace& Work() const { return m_work; }
    // How well the last solution run to the end satisfies its equations (see SolutionCheck.h).
    const SolutionQuality& Quality() const { return m_quality; }
    // Nodes numbered by hand, in order.
    const std::vector<const VelmorObject*>& HandNumbered() const { return m_handNumbered; }

private:
    AnalysisStatus Init();
    // The stages up to `stop` (RunStages), then the records that wait are made.
    AnalysisStatus Run(AnalysisStage stop);
    AnalysisStatus RunStages(AnalysisStage stop);
    // Node number of the solver's equation order for a node number of the structure.
    int SolverNode(int node) const { return m_solverNode.empty() ? node : m_solverNode[node]; }
    long SolverDof(long dof) const;
    // The structure's DOF number of a solver equation.
    long StructureDof(long equation) const;
    // Sizes the system matrix for the numbering now complete, in the given order.
    void PrepareSystem(bool reorder);
    // m_F = m_Fequiv + m_Fnodal, unless a whole load step is running.
    void UpdateTotalLoad();
    // The loaded beam's geometry (L, T) is that of its stiffness computation; a beam whose
    // stiffness was not computed yet gets it now, leaving the step workspace as it was. While
    // the records wait, the scratch record holding the beam's frame (BeamFrame).
    BeamAnalysis& BeamGeometry(const VelmorObject& beam);
    // Where the sums of the loads on a beam are kept: its record's p and equiv, or while the
    // records wait (below) the beam's entry among the waiting sums.
    struct LoadSums
    {
        Vector& p;
        Vector& equiv;
    };
    LoadSums BeamLoadSums(const VelmorObject& beam);
    // The beams' records made once the factorisation has given its memory back: each one's
    // stiffness and transformation formed, the waiting load sums moved in. Nothing when the
    // records are not waiting.
    void FormWaitingRecords();
    // The beam's length, end-release code, local stiffness and transformation, into r.
    void BeamStiffness(const VelmorObject& beam, BeamAnalysis& r);
    // The part of it that a load needs: ends, length, end-release code and transformation.
    void BeamFrame(const VelmorObject& beam, BeamAnalysis& r);
    // The sparse system of a solution at once, in the structure's numbering.
    void PrepareSparseSystem();
    // Every beam's stiffness computed and assembled into the sparse system: T k Tt of each
    // beam as the step would form it (the same sums, skipping the zeros of T), with no step
    // workspace but the last beam's, which is left as the steps leave it.
    bool AssembleSparseStiffness();
    // The system's entries through whichever matrix holds it (I, J in the solver's order).
    double SystemDiagonal(long I) const;
    void AddToSystemDiagonal(long I, double value);
    void FixSystemEquation(long I);
    // Prescribed displacement `value` of DOF g in the sparse system: the coupled loads are
    // moved to the right-hand side and the equation becomes d(g) = value.
    void PrescribeSparse(long g, double value);
    // Factors and solves the sparse system for m_F into m_D; false (with the message added to
    // status) when it is singular or cannot be factored.
    bool SolveSparse(AnalysisStatus& status);
    // The results of the beam into its record r (BeamResult(beam)).
    std::array<double, EXT_COUNT> BeamResults(const VelmorObject& beam, BeamAnalysis& r,
                                              const Vector& d);
    // K0 * D formed beam by beam, for the reactions of a solution at once.
    void ReactionsFromBeams(const Vector& D);
    // Index of a beam of the structure in m_beams, or -1.
    long BeamIndex(const VelmorObject& beam) const;
    const VelmorObject* BeamAt(int number) const;

    const VelmorProblem& m_problem;
    std::uint64_t m_revision;
    int m_nType;

    bool m_ready = false;
    int m_dofMask[6] = {0, 0, 0, 0, 0, 0};
    int m_nDof = 0;           // degrees of freedom per node
    int m_nNodes = 0;         // N, cached by CountNodes
    SymBandMat m_K;           // system matrix, in the solver's equation order
    SparseSymMat m_S;         // the sparse system matrix, when m_sparse
    bool m_sparse = false;    // the system is sparse (a solution at once), not m_K
    SystemSolver m_solver = SystemSolver::Sparse;
    SparseOrdering m_ordering = SparseOrdering::Automatic;
    size_t m_threads = 0;
    AnalysisTimings m_timings;
    SymBandMat m_K0;          // copy before the first support (1 x 1 while none is held)
    Vector m_Fnodal, m_Fequiv, m_F, m_D, m_R;
    std::vector<int> m_fixed; // per DOF (index 1..n): a DofState
    std::vector<std::array<int, 3>> m_beamTable, m_weightTable, m_distLoadTable;
    std::vector<std::array<int, 2>> m_nodalLoadTable, m_supportTable;
    std::array<double, EXT_COUNT> m_extrema{};
    SolutionQuality m_quality;
    StepWorkspace m_work;
    std::vector<const VelmorObject*> m_handNumbered;
    // The results of each beam of the structure, in list order, and the index of each beam.
    std::vector<BeamResultPair> m_beams;
    std::unordered_map<const VelmorObject*, size_t> m_beamIndex;
    // Solving at once, the beams' records (a kilobyte or more each) are made only after the
    // factorisation, whose peak of memory they would add to: until then each beam's element
    // matrices are formed in m_scratchBeam as they are needed, and the sums of its loads wait
    // in m_waitingLoads (by place in the list).
    bool m_recordsWait = false;
    BeamAnalysis m_scratchBeam;
    const VelmorObject* m_scratchOf = nullptr; // the beam whose frame m_scratchBeam holds
    struct WaitingLoads
    {
        Vector p, equiv;
    };
    std::vector<std::unique_ptr<WaitingLoads>> m_waitingLoads;

    bool m_bDeferTotal = false;
    std::vector<int> m_solverNode;    // structure node number -> solver node number (1-based)
    std::vector<int> m_structureNode; // the inverse
    bool m_systemReady = false;
    // Whether ImposeSupport keeps a copy of the matrix for the reactions. Solving at once, the
    // reactions are formed beam by beam instead, which spares a second matrix of the system's
    // size (the two agree to round-off).
    bool m_bKeepK0 = true;
};

// The options of the program that decide how a solution at once treats the beams:
// "Orientation poutre i - j (i < j)" and "Changer charges locales".
struct AnalysisOptions
{
    bool orientIJ = false;
    bool changeLocalLoads = false;
    // How the system is solved (not an option of the program's dialog).
    SystemSolver solver = SystemSolver::Sparse;
    SparseOrdering ordering = SparseOrdering::Automatic;
    // Threads that share out the work on the beams (0: one per core for a large structure).
    size_t threads = 0;
};

// The solution at once, as "Solution Finale" runs it: the beams oriented as the options say
// (an edit of the structure, made before the analysis is built), then a new analysis of the
// problem run to the end. The analysis is the problem's current one afterwards.
AnalysisStatus SolveAtOnce(VelmorProblem& problem, const AnalysisOptions& options = {});

} // namespace velmor
