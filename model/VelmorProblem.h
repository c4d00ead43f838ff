// The problem container: one structural model with its type, its six element lists, the work
// box and grid step of the editor, and the analysis state. It creates, finds, numbers and
// deletes elements, tells the views of its document what changed, and reads and writes the
// whole model in the document file (text or binary form).
#pragma once

#include "ElementContainer.h"
#include "ElementTemplate.h"
#include "VelmorObjectList.h"
#include "BeamAnalysis.h"
#include "numeric/Mfx3dBox.h"

#include <array>
#include <vector>

#include <stdexcept>
#include <string>

namespace velmor {

class Archive;

// Update hints the model sends to the views.
enum UpdateHint : int {
    HINT_WORKBOX = 0,       // the work box changed
    HINT_MODEL = 1,         // the whole model
    HINT_MODEL_DONE = 4,    // after a change of the model
    HINT_ELEMENT_ADDED = 5, // one element added (the element is given)
    HINT_LEAVE_CALC = 7,    // leaving the calculation modes
};

// A view of the model: receives update hints with an element (or null).
class ProblemObserver
{
public:
    virtual ~ProblemObserver() = default;
    virtual void OnUpdate(int hint, VelmorObject* element) = 0;
};

// The document that owns a problem, as the problem sees it.
class ProblemDocument
{
public:
    virtual ~ProblemDocument() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    virtual void UpdateAllViews(int hint, VelmorObject* element) = 0;
};

// A document whose header or problem type is not one of this program's.
class WrongFormatError : public std::runtime_error
{
public:
    WrongFormatError() : std::runtime_error("Mauvais format pour ouvrir ce fichier!") {}
};

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

class VelmorProblem : public ElementContainer
{
public:
    static constexpr const char* kBinaryHeader = "Tipo del problema*";

    VelmorProblem();
    ~VelmorProblem() override;
    VelmorProblem(const VelmorProblem&) = delete;
    VelmorProblem& operator=(const VelmorProblem&) = delete;

    // ---- elements
    // A new element from the template, or null when the template is not valid or an element of
    // its list refuses it (AcceptsNew). Any analysis is thrown away; the views are told.
    VelmorObject* CreateObject(const ElementTemplate& candidate);
    // The element of a valid template appended without asking the list (no duplicate test)
    // and without telling anyone: for generators that build large models in bulk. Null when
    // the template is not valid.
    VelmorObject* CreateUnchecked(const ElementTemplate& candidate);
    VelmorObject* FindObject(const VelmorObjectData& record) const override;
    // Removes the element from the list of its kind and deletes it (a trace when it is not
    // there). Its connections must have been cut (Detach).
    void DeleteObject(VelmorObject* element) override;
    // Numbers 1..n in list order for one kind, or every list for -1; returns the count of the
    // last list numbered.
    int Renumber(int kind);
    // Detaches and deletes every element.
    void DeleteAll();
    const VelmorObjectList& List(int kind) const { return m_lists[kind]; }
    size_t Count(int kind) const { return m_lists[kind].size(); }

    // ---- views
    // Tells one view about the whole model: hint 5 for every element, then hints 4 and 1.
    void AttachView(ProblemObserver& view) const;
    // The box the views fit to: the work box in the library editor, otherwise the box of the
    // nodes (or of the shown beam's ends), unless that box is flat in every direction.
    Mfx3dBox StructureBox();
    void SyncMode(int mode) { m_nMode = mode; }

    // ---- file
    // Writes the whole model (after renumbering every list) or reads it. Reading empties the
    // model first; a header that is not this program's throws WrongFormatError, any other
    // damage ArchiveException. A failed read leaves the model empty, never half loaded.
    // Elements whose parent references cannot be resolved (or a beam whose two ends are the
    // same node) are reported and dropped with what rests on them. A text file must end its
    // lists with "END OF FILE".
    void Serialize(Archive& ar);
    // How many unresolved parent references the last read or write reported.
    int SerializeErrors() const { return m_nSerializeErrors; }

    // ---- analysis: degrees of freedom, numbering and the sequence of steps
    // Message shown when a node has no beam (such a node would take a number without
    // equations and push a connected node out of the system).
    static constexpr const char* kNodeWithoutBeam =
        "Le noeud %d n'est relié à aucune poutre.\nReliez-le à la structure ou effacez-le dans "
        "l'éditeur BIBLIOTHEQUE.";
    static constexpr const char* kZeroLengthBeam =
        "La poutre %d a une longueur nulle: ses deux noeuds sont au même endroit.";

    // Sets up the arrays of an analysis; 0 (with a message) when the structure cannot be
    // analysed: no node on a beam, a node without beam, a beam of zero length.
    int InitAnalysis();
    // Releases the arrays; displacements, reactions and the beams' laws stay.
    int FreeAnalysis();
    // The whole sequence, stopping after step `stopStep` (0: everything); 1 when every step ran
    // and the system was solved. Solved at once, the equations are ordered internally to keep
    // the band of the system small; every number shown stays in the structure's numbering.
    int RunAnalysis(int stopStep = 0);
    // Nodes that carry at least one beam (cached; recounting resets every node's number).
    int CountNodes();
    // start > 0: the next unnumbered node in list order gets `start` (0 when none is left);
    // start <= 0: every unnumbered node is numbered in list order from 1 (from one more than
    // the nodes numbered by hand when start is -1).
    int NumberNodes(int start);
    // Hand numbering: the node gets one more than the count of nodes numbered by hand so far.
    int NumberNode(VelmorObject* node);
    // Runs every beam (and its distributed loads) from its lower- to its higher-numbered node
    // when `ijOrientation` is on; with `refresh`, tells the views.
    void OrientBeams(int refresh, bool ijOrientation = false, bool changeLocalLoads = false);

    // ---- beam stiffness and assembly
    MfxTMatrix LocalFrame(const VelmorObject& beam) const;
    int ComputeBeamStiffness(VelmorObject& beam);
    int AssembleBeam();
    int StiffnessStep(int index, int assemble);
    // End-release code of a beam: 1 node 1 a joint, 2 node 2, 3 both or an axial-only section.
    int ReleaseCode(const VelmorObject& beam) const;

    // ---- load vector
    int ComputeNodalLoad(VelmorObject& load);
    int AssembleNodalLoad();
    int ComputeBeamLoad(VelmorObject& load);
    int AssembleBeamLoad();
    int ComputeSelfWeight(VelmorObject& beam);
    int AssembleSelfWeight();
    // kind 0 nodal loads, 1 beam loads, 2 self weight; index <= 0 runs them all.
    int LoadStep(int index, int kind, int assemble);

    // ---- boundary conditions, solution and reactions
    int ImposeSupport(VelmorObject& support);
    int SupportStep(int index);
    int SolveSystem();

    // ---- results and laws
    int ComputeResults();
    std::array<double, EXT_COUNT> BeamResults(VelmorObject& beam, const Vector& d);
    Polynomial GetLaw(const VelmorObject& beam, int code, double ends[2]) const;
    int LawDoneFlag(const VelmorObject& beam, int code) const;
    int DiagramsDone(int code = -1, const VelmorObject* beam = nullptr) const;

    // The system matrix in the structure's numbering (i, j = global DOF numbers).
    double SystemMatrixAt(long i, long j) const;
    long EquationCount() const { return long(m_nNodes) * m_nDof; }

    // The options "Orientation poutre i - j (i < j)" and "Changer charges locales" for the
    // orientation of the beams before a solution.
    bool m_bOrientIJ = false;
    bool m_bChangeLocalLoads = false;

    // Analysis state, valid between InitAnalysis and FreeAnalysis (m_D, m_R after it too).
    int m_dofMask[6] = {0, 0, 0, 0, 0, 0};
    int m_nDof = 0;           // degrees of freedom per node
    int m_nNodes = 0;         // N, cached by CountNodes
    SymBandMat m_K;           // system matrix, in the solver's equation order
    SymBandMat m_K0;          // copy before the first support (1 x 1 while none is held)
    Vector m_Fnodal, m_Fequiv, m_F, m_D, m_R;
    std::vector<int> m_fixed; // per DOF (index 1..n): 0 free, 1 fixed, 2 prescribed
    std::vector<std::array<int, 3>> m_beamTable, m_weightTable, m_distLoadTable;
    std::vector<std::array<int, 2>> m_nodalLoadTable, m_supportTable;
    std::array<double, EXT_COUNT> m_extrema{};
    StepWorkspace m_work;
    std::vector<const VelmorObject*> m_handNumbered; // nodes numbered by hand, in order
    // Relative pivot test of the solution: a pivot below this fraction of its diagonal before
    // the factorisation means the structure is a mechanism (round-off would pass as a pivot).
    static constexpr double kRelativePivot = 1e-12;

    // ---- ElementContainer
    int ProblemType() const override { return m_nType; }
    Mfx3dPoint GridStep() const override { return m_gridStep; }
    void ReportSerializeError() override;

    // Sets the type and the degrees of freedom per node that go with it.
    void SetProblemType(int type);

    std::string m_name = "Nouvelle structure";
    int m_nType = PROBLEM_NONE;
    ProblemDocument* m_pDoc = nullptr;
    Mfx3dBox m_box;
    Mfx3dPoint m_gridStep{0.05, 0.05, 0.025};
    int m_bAnalysisReady = 0;
    Mfx3dBox m_resultBox;
    int m_nMode = 2;
    // The beam the result views show alone, or null for the whole structure.
    const VelmorObject* m_pShownBeam = nullptr;

private:
    // Node number of the solver's equation order for a node number of the structure.
    int SolverNode(int node) const { return m_solverNode.empty() ? node : m_solverNode[node]; }
    long SolverDof(long dof) const;
    // The structure's DOF number of a solver equation.
    long StructureDof(long equation) const;
    // Sizes the system matrix for the numbering now complete, in the given order.
    void PrepareSystem(bool reorder);
    // m_F = m_Fequiv + m_Fnodal, unless a whole load step is running.
    void UpdateTotalLoad();
    bool m_bDeferTotal = false;
    std::vector<int> m_solverNode;   // structure node number -> solver node number (1-based)
    std::vector<int> m_structureNode; // the inverse
    bool m_systemReady = false;
    // Whether ImposeSupport keeps a copy of the matrix for the reactions. Solving at once, the
    // reactions are formed beam by beam instead, which spares a second matrix of the system's
    // size (the two agree to round-off).
    bool m_bKeepK0 = true;
    void ReactionsFromBeams(const Vector& D);

    void Store(Archive& ar);
    void Load(Archive& ar);
    void DropBrokenElements();

    VelmorObjectList m_lists[kKindCount];
    int m_nSerializeErrors = 0;
};

// The problem's type word in text files ("one-dimensional" ...), or "" for none.
const char* ProblemTypeWord(int type);

} // namespace velmor
