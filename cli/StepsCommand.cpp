// velmor-cli steps: the tutor driven to the end by "Examiner" in the examples mode, every item
// it computes recorded as the views are told of it, then printed as text or JSON.
#include "StepsCommand.h"

#include "JsonWriter.h"
#include "SolveCommand.h"
#include "model/DocumentFile.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "platform/core/Archive.h"
#include "resources/StringTable.h"
#include "tutor/core/StepMemory.h"
#include "tutor/core/VelmorTutor.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace velmor {
namespace {

// One item of one step, as the tutor left it when it told the views.
struct StepRecord
{
    TutorStage stage = TutorStage::None;
    const char* kind = "";
    int element = 0;    // the element's number in its list
    int node = 0;       // a node's new number; the node of a nodal load or a support
    int na = 0, nb = 0; // the end nodes of a beam, a beam load, a self weight
    std::vector<long> dofs;
    int band = 0;
    Mat kLocal, T, kGlobal;
    Vector fLocal, fGlobal;
    int supportType = 0;
    std::vector<int> states; // per DOF of a support: 0 free, 1 fixed, 2 prescribed
    bool solved = false;
    Vector endForces;
};

std::vector<long> nodeDofs(int node, long c)
{
    std::vector<long> dofs;
    for (long k = 1; k <= c; ++k)
        dofs.push_back((node - 1) * c + k);
    return dofs;
}

std::vector<long> elementDofs(int na, int nb, long c)
{
    std::vector<long> dofs = nodeDofs(na, c);
    const std::vector<long> second = nodeDofs(nb, c);
    dofs.insert(dofs.end(), second.begin(), second.end());
    return dofs;
}

// Records what the tutor tells the views, item by item, and the messages it would show.
class Recorder : public TutorListener
{
public:
    std::vector<StepRecord> steps;
    std::vector<EngineMessage> messages;

    void Update(const VelmorTutor& tutor, const ChangeEvent& e) override
    {
        const Analysis& a = *tutor.CurrentAnalysis();
        const StepWorkspace& w = a.Work();
        const long c = a.DofPerNode();
        StepRecord r;
        r.stage = tutor.Target();
        r.element = e.element ? e.element->Number() : 0;
        switch (e.hint) {
        case UpdateHint::Element:
            if (!e.element || tutor.Target() != TutorStage::Numbering)
                return;
            r.kind = "node";
            r.node = static_cast<const VelmorNudo&>(*e.element).Data().m_nAnalysisNumber;
            r.dofs = nodeDofs(r.node, c);
            break;
        case UpdateHint::BeamStiffness:
            r.kind = "beam";
            r.na = w.na;
            r.nb = w.nb;
            r.dofs = elementDofs(w.na, w.nb, c);
            r.band = w.band;
            r.kLocal = Mat(w.kLocal);
            r.T = w.T;
            r.kGlobal = Mat(w.kGlobal);
            break;
        case UpdateHint::NodalLoadVector:
            r.kind = "nodal_load";
            r.node = w.node;
            r.dofs = nodeDofs(w.node, c);
            r.fGlobal = w.fGlobal;
            break;
        case UpdateHint::BeamLoadVector:
        case UpdateHint::SelfWeightVector:
            r.kind = e.hint == UpdateHint::BeamLoadVector ? "beam_load" : "self_weight";
            r.na = w.na;
            r.nb = w.nb;
            r.dofs = elementDofs(w.na, w.nb, c);
            r.fLocal = w.fLocal;
            r.fGlobal = w.fGlobal;
            break;
        case UpdateHint::SupportImposing:
            r.kind = "support";
            r.node = w.node;
            r.supportType = w.loadId;
            r.dofs = nodeDofs(w.node, c);
            for (long dof : r.dofs)
                r.states.push_back(size_t(dof) < a.Fixed().size() ? a.Fixed()[size_t(dof)] : 0);
            break;
        default: return;
        }
        steps.push_back(std::move(r));
    }

    void Results(const VelmorTutor& tutor) override
    {
        const Analysis& a = *tutor.CurrentAnalysis();
        for (const auto& beam : a.Problem().List(KIND_BEAM)) {
            StepRecord r;
            r.stage = TutorStage::Results;
            r.kind = "beam_results";
            r.element = beam->Number();
            r.na = beam->GetNumber(1);
            r.nb = beam->GetNumber(2);
            r.endForces = a.BeamResult(*beam).q;
            steps.push_back(std::move(r));
        }
    }

    void Message(const VelmorTutor&, const EngineMessage& m) override { messages.push_back(m); }
};

// What the whole run leaves: the system as the student has it after each step.
struct StepsRun
{
    int problemType = 0;
    long c = 0;
    long n = 0;
    std::vector<int> numbering;
    std::optional<Mat> systemMatrix; // after the stiffness step, when not too large
    std::optional<Vector> loads;     // after the load step
    bool solved = false;
    Vector displacements, reactions;
};

void jsonMatrix(Json& j, const MatBase& m)
{
    j.Open('[');
    for (long i = 1; i <= long(m.Rows()); ++i) {
        j.Open('[');
        for (long k = 1; k <= long(m.Cols()); ++k)
            j.Number(m.At(i, k));
        j.Close(']');
    }
    j.Close(']');
}

void jsonVector(Json& j, const Vector& v)
{
    j.Numbers(v, 1, long(v.Rows()));
}

template <class Integers> void jsonIntegers(Json& j, const Integers& values)
{
    j.Open('[');
    for (const auto v : values)
        j.Integer(long(v));
    j.Close(']');
}

void printJson(const StepsRun& run, const Recorder& rec)
{
    Json j(stdout);
    j.Open('{');
    j.Key("problem_type");
    j.Integer(run.problemType);
    j.Key("dof_per_node");
    j.Integer(run.c);
    j.Key("equations");
    j.Integer(run.n);
    j.Key("numbering");
    jsonIntegers(j, run.numbering);
    if (run.systemMatrix) {
        j.Key("system_matrix");
        jsonMatrix(j, *run.systemMatrix);
    }
    j.Key("load_vector");
    if (run.loads)
        jsonVector(j, *run.loads);
    else
        j.Null();
    j.Key("displacements");
    if (run.solved)
        jsonVector(j, run.displacements);
    else
        j.Null();
    j.Key("reactions");
    if (run.solved)
        jsonVector(j, run.reactions);
    else
        j.Null();
    j.Key("messages");
    j.Open('[');
    for (const EngineMessage& m : rec.messages)
        j.String(m.text);
    j.Close(']');
    j.Key("steps");
    j.Open('[');
    for (const StepRecord& r : rec.steps) {
        j.Open('{');
        j.Key("stage");
        j.Integer(StageNumber(r.stage));
        j.Key("kind");
        j.String(r.kind);
        j.Key("element");
        j.Integer(r.element);
        if (r.node) {
            j.Key(r.stage == TutorStage::Numbering ? "number" : "node");
            j.Integer(r.node);
        }
        if (r.na || r.nb) {
            j.Key("nodes");
            jsonIntegers(j, std::vector<int>{r.na, r.nb});
        }
        if (!r.dofs.empty()) {
            j.Key("dofs");
            jsonIntegers(j, r.dofs);
        }
        if (r.kLocal.Rows() > 1) {
            j.Key("band");
            j.Integer(r.band);
            j.Key("local_stiffness");
            jsonMatrix(j, r.kLocal);
            j.Key("transformation");
            jsonMatrix(j, r.T);
            j.Key("global_stiffness");
            jsonMatrix(j, r.kGlobal);
        }
        if (r.fLocal.Rows() > 1) {
            j.Key("local_vector");
            jsonVector(j, r.fLocal);
        }
        if (r.fGlobal.Rows() > 0 && r.stage == TutorStage::Loads) {
            j.Key(r.fLocal.Rows() > 1 ? "global_vector" : "vector");
            jsonVector(j, r.fGlobal);
        }
        if (r.stage == TutorStage::Supports) {
            j.Key("type");
            j.Integer(r.supportType);
            j.Key("states");
            jsonIntegers(j, r.states);
        }
        if (r.stage == TutorStage::Solution) {
            j.Key("solved");
            j.Bool(r.solved);
        }
        if (r.stage == TutorStage::Results) {
            j.Key("end_forces");
            jsonVector(j, r.endForces);
        }
        j.Close('}');
    }
    j.Close(']');
    j.Close('}');
    j.Flush();
    std::fputc('\n', stdout);
}

std::string numbers(const MatBase& v)
{
    std::string line;
    for (long i = 1; i <= long(v.Rows()); ++i)
        line += Archive::Format(" %13.6g", v.At(i));
    return line;
}

std::string integers(const std::vector<long>& values)
{
    std::string line;
    for (long v : values)
        line += Archive::Format(" %ld", v);
    return line;
}

void printMatrix(const char* title, const MatBase& m)
{
    std::printf("    %s\n", title);
    for (long i = 1; i <= long(m.Rows()); ++i) {
        std::string line;
        for (long k = 1; k <= long(m.Cols()); ++k)
            line += Archive::Format(" %13.6g", m.At(i, k));
        std::printf("     %s\n", line.c_str());
    }
}

// The heading of each step, as the flow chart names it.
const char* stepTitle(TutorStage stage)
{
    switch (stage) {
    case TutorStage::Numbering: return "1- Numérotation des noeuds et des degrés de liberté";
    case TutorStage::Stiffness: return "2- Calcul et assemblage de la matrice de rigidité de chaque barre";
    case TutorStage::Loads: return "3- Calcul et assemblage du vecteur charges de chaque barre";
    case TutorStage::Supports: return "4- Imposition des conditions aux limites";
    case TutorStage::Solution: return "5- Résolution du système linéaire";
    default: return "6- Calcul des déformations et efforts de chaque barre";
    }
}

void printText(const StepsRun& run, const Recorder& rec)
{
    TutorStage shown = TutorStage::None;
    for (const StepRecord& r : rec.steps) {
        if (r.stage != shown) {
            shown = r.stage;
            std::printf("%s\n", stepTitle(shown));
        }
        const std::string kind = r.kind;
        if (kind == "node") {
            std::printf("  noeud %d: numéro %d, DDL%s\n", r.element, r.node, integers(r.dofs).c_str());
        } else if (kind == "beam") {
            std::printf("  poutre %d (noeuds %d - %d), DDL%s\n", r.element, r.na, r.nb,
                        integers(r.dofs).c_str());
            printMatrix(Archive::Format("K' locale (bande %d):", r.band).c_str(), r.kLocal);
            printMatrix("T:", r.T);
            printMatrix("K globale:", r.kGlobal);
        } else if (kind == "nodal_load") {
            std::printf("  charge nodale %d au noeud %d, DDL%s\n   %s\n", r.element, r.node,
                        integers(r.dofs).c_str(), numbers(r.fGlobal).c_str());
        } else if (kind == "beam_load" || kind == "self_weight") {
            std::printf("  %s %d (noeuds %d - %d), DDL%s\n    locale: %s\n    globale:%s\n",
                        kind == "beam_load" ? "charge répartie" : "poids propre de la poutre",
                        r.element, r.na, r.nb, integers(r.dofs).c_str(), numbers(r.fLocal).c_str(),
                        numbers(r.fGlobal).c_str());
        } else if (kind == "support") {
            std::string states;
            for (int s : r.states)
                states += Archive::Format(" %d", s);
            std::printf("  appui %d (type %d) au noeud %d, DDL%s, états%s\n", r.element,
                        r.supportType, r.node, integers(r.dofs).c_str(), states.c_str());
        } else if (kind == "solution") {
            std::printf("  %s\n", LoadString(r.solved ? 61250 : 61251));
            if (r.solved)
                for (long node = 1; run.c > 0 && node * run.c <= long(run.displacements.Rows()); ++node)
                    std::printf("    noeud %ld: déplacements%s\n", node,
                                numbers(run.displacements.Slice((node - 1) * run.c + 1,
                                                                unsigned(run.c)))
                                    .c_str());
        } else if (kind == "beam_results") {
            std::printf("  poutre %d (noeuds %d - %d): efforts aux extrémités%s\n", r.element, r.na,
                        r.nb, numbers(r.endForces).c_str());
        }
    }
}

std::vector<int> numbering(const VelmorProblem& problem)
{
    std::vector<int> numbers;
    for (const auto& node : problem.List(KIND_NODE))
        numbers.push_back(static_cast<const VelmorNudo&>(*node).Data().m_nAnalysisNumber);
    return numbers;
}

} // namespace

int StepsCommand(const char* path, const StepsFlags& flags)
{
    VelmorProblem problem;
    LoadResult loaded;
    if (!LoadStructure(problem, path, flags.lenient, loaded))
        return 2;
    problem.SyncMode(Mode::Examples);
    if (StepByStepTooLarge(problem)) {
        std::fprintf(stderr,
                     "La solution pas à pas demanderait une matrice de %.1f Go: utilisez la "
                     "Solution Finale (velmor-cli solve).\n",
                     double(StepByStepMatrixBytes(problem)) / double(std::uint64_t(1) << 30));
        return 1;
    }
    VelmorTutor tutor(problem);
    Recorder rec;
    tutor.SetListener(&rec);
    const AnalysisStatus begun = tutor.BeginStepByStep();
    if (!begun) {
        for (const EngineMessage& m : begun.Messages())
            std::fprintf(stderr, "%s\n", m.text.c_str());
        return 1;
    }
    const std::shared_ptr<Analysis> analysis = tutor.CurrentAnalysis();
    StepsRun run;
    run.problemType = problem.m_nType;
    run.c = analysis->DofPerNode();
    run.n = analysis->EquationCount();
    // Every item takes at most two clicks, every step one more to be announced.
    size_t clicks = 32;
    for (int kind = 0; kind < kKindCount; ++kind)
        clicks += 3 * problem.Count(kind);
    while (tutor.IsActive() && clicks-- > 0) {
        const TutorStage target = tutor.Target(), done = tutor.Done();
        tutor.Examine();
        if (tutor.Done() == TutorStage::Stiffness && !run.systemMatrix && run.n <= kStepsMatrixLimit) {
            Mat K(unsigned(run.n), unsigned(run.n));
            for (long i = 1; i <= run.n; ++i)
                for (long k = 1; k <= run.n; ++k)
                    K.At(i, k) = analysis->SystemMatrixAt(i, k);
            run.systemMatrix = K;
        }
        if (tutor.Done() == TutorStage::Loads && !run.loads)
            run.loads = analysis->TotalLoads();
        if (target == TutorStage::Solution && done != TutorStage::Solution) {
            // The solution step ran: solved, or singular and back to step 0.
            StepRecord r;
            r.stage = TutorStage::Solution;
            r.kind = "solution";
            r.solved = tutor.IsSolved();
            rec.steps.push_back(r);
            if (!r.solved)
                break;
        }
    }
    run.solved = tutor.IsSolved() && tutor.ResultsComputed();
    run.numbering = numbering(problem);
    if (run.solved) {
        run.displacements = analysis->Displacements();
        run.reactions = analysis->Reactions();
    }
    tutor.Cancel();
    if (flags.json)
        printJson(run, rec);
    else
        printText(run, rec);
    for (const EngineMessage& m : rec.messages)
        if (!flags.json || !run.solved || m.severity == MessageSeverity::Warning)
            std::fprintf(stderr, "%s\n", m.text.c_str());
    std::fflush(stdout);
    return run.solved ? 0 : 1;
}

} // namespace velmor
