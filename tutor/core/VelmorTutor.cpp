// The step-by-step solution's state machine: selection of the next item, the half-steps of
// "Examiner", the completion of a step by "Terminer" and of every step by "Solution Finale".
#include "VelmorTutor.h"

#include "analysis/SolutionCheck.h"
#include "model/VelmorProblem.h"
#include "model/VelmorSeccion.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <new>
#include <utility>

namespace velmor {
namespace {

constexpr int kSolved = 61250;
constexpr int kOutOfMemory = 61299;

bool allDone(const std::vector<int>& flags)
{
    return std::all_of(flags.begin(), flags.end(), [](int f) { return f == 1; });
}

void markAll(std::vector<int>& flags)
{
    std::fill(flags.begin(), flags.end(), 1);
}

// Whether a beam has a self weight to assemble: a section with a density other than 0 (the
// analysis computes nothing for the others).
bool hasSelfWeight(const VelmorObject& beam)
{
    const VelmorObject* section = beam.GetParent(0);
    return section && section->Kind() == KIND_SECTION &&
           static_cast<const VelmorSeccion*>(section)->Data().m_rho != 0.0;
}

TutorStage next(TutorStage stage)
{
    return static_cast<TutorStage>(StageNumber(stage) + 1);
}

int position(const VelmorObjectList& list, const VelmorObject* element)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list.at(i) == element)
            return int(i) + 1;
    return 0;
}

} // namespace

VelmorTutor::VelmorTutor(VelmorProblem& problem) : m_problem(problem) {}

VelmorTutor::~VelmorTutor()
{
    End(false);
}

TutorState VelmorTutor::State() const
{
    TutorState s;
    s.active = m_bActive;
    s.solution = m_solution;
    s.exercise = IsExercise();
    s.target = m_target;
    s.done = m_done;
    s.half = m_bHalf;
    s.loadList = m_loadList;
    s.first = m_nFirst;
    s.second = m_nSecond;
    return s;
}

// ---- the solution commands

AnalysisStatus VelmorTutor::BeginStepByStep()
{
    End(false);
    if (const std::shared_ptr<Analysis> previous = m_problem.CurrentAnalysis())
        previous->FreeAnalysis();
    m_bSolved = false;
    m_done = m_target = TutorStage::None;
    m_solution = SolutionMode::StepByStep;
    m_analysis = Analysis::Start(m_problem);
    const AnalysisStatus status = m_analysis->InitAnalysis();
    if (!status) {
        // Nothing runs: the commands must not take the solution for a running one.
        m_solution = SolutionMode::None;
        Report(status);
        return status;
    }
    try {
        Start();
    } catch (const std::bad_alloc&) {
        Reset(true);
        m_analysis->FreeAnalysis();
        m_solution = SolutionMode::None;
        const AnalysisStatus failure = AnalysisStatus::Failure(kOutOfMemory, LoadString(kOutOfMemory));
        Report(failure);
        return failure;
    }
    return status;
}

AnalysisStatus VelmorTutor::FinalSolution(const AnalysisOptions& options)
{
    if (m_solution == SolutionMode::StepByStep && m_bActive) {
        FinishAll();
        if (m_bSolved)
            return AnalysisStatus::Success();
        AnalysisStatus failure = AnalysisStatus::Success();
        failure.Fail();
        return failure;
    }
    End(false);
    if (const std::shared_ptr<Analysis> previous = m_problem.CurrentAnalysis())
        previous->FreeAnalysis();
    Reset(true);
    m_solution = SolutionMode::None;
    const AnalysisStatus status = SolveAtOnce(m_problem, options);
    m_analysis = m_problem.CurrentAnalysis();
    Report(status);
    if (status) {
        m_mode = m_problem.CurrentMode() == Mode::Exercises ? Mode::Exercises : Mode::Examples;
        m_bSolved = m_bResults = true;
        StandAtResults();
        m_solution = SolutionMode::Final;
    }
    Changed();
    return status;
}

bool VelmorTutor::OpenStep(TutorStage step)
{
    if (m_solution != SolutionMode::StepByStep || !m_bActive)
        return false;
    if (step == TutorStage::Results) {
        if (StageNumber(m_done) < StageNumber(TutorStage::Solution))
            return false;
    } else if (step < TutorStage::Numbering || step > TutorStage::Solution ||
               StageNumber(m_done) != StageNumber(step) - 1) {
        return false;
    }
    m_target = step;
    Changed();
    return true;
}

bool VelmorTutor::Pick(const VelmorObject* element)
{
    if (!element || !Usable() || m_bHalf || m_target == m_done)
        return false;
    TutorItemKind kind;
    LoadKind list = LoadKind::Nodal;
    switch (m_target) {
    case TutorStage::Numbering: kind = TutorItemKind::Nodes; break;
    case TutorStage::Stiffness: kind = TutorItemKind::Beams; break;
    case TutorStage::Supports: kind = TutorItemKind::Supports; break;
    case TutorStage::Loads:
        kind = TutorItemKind::Loads;
        switch (element->Kind()) {
        case KIND_NODAL_LOAD: list = LoadKind::Nodal; break;
        case KIND_BEAM_LOAD: list = LoadKind::Beam; break;
        case KIND_BEAM: list = LoadKind::SelfWeight; break;
        default: return false;
        }
        break;
    default: return false;
    }
    const int at = position(m_problem.List(ListOf(kind, list)), element);
    if (at == 0 || Flags(kind, list)[size_t(at - 1)] == 1)
        return false;
    if (kind == TutorItemKind::Loads)
        m_loadList = list;
    MakeCurrent(kind, list, at);
    Changed();
    return true;
}

// ---- the sequencer

void VelmorTutor::Reset(bool freeArrays)
{
    for (std::vector<int>* flags : {&m_nodeDone, &m_beamDone, &m_beamLoadDone, &m_nodalLoadDone,
                                    &m_selfWeightDone, &m_supportDone}) {
        flags->clear();
        if (freeArrays)
            flags->shrink_to_fit();
    }
    m_bActive = false;
    m_bSolved = m_bResults = false;
    m_nItem = m_nFirst = m_nSecond = 0;
    m_bHalf = false;
    m_pItem = nullptr;
    m_loadList = LoadKind::Nodal;
    m_target = m_done = TutorStage::None;
    m_nLoadsByHand = m_nSupportsByHand = 0;
}

void VelmorTutor::Prepare()
{
    Reset(true);
    m_mode = m_problem.CurrentMode() == Mode::Exercises ? Mode::Exercises : Mode::Examples;
    m_nodeDone.assign(m_problem.Count(KIND_NODE), 0);
    m_beamDone.assign(m_problem.Count(KIND_BEAM), 0);
    m_beamLoadDone.assign(m_problem.Count(KIND_BEAM_LOAD), 0);
    m_nodalLoadDone.assign(m_problem.Count(KIND_NODAL_LOAD), 0);
    m_selfWeightDone.clear();
    for (const auto& beam : m_problem.List(KIND_BEAM))
        m_selfWeightDone.push_back(hasSelfWeight(*beam) ? 0 : 1);
    m_supportDone.assign(m_problem.Count(KIND_SUPPORT), 0);
    m_bActive = true;
}

void VelmorTutor::Start()
{
    Prepare();
    m_target = m_done = TutorStage::None;
    Select(TutorItemKind::Nodes);
    Changed();
}

int VelmorTutor::ListOf(TutorItemKind kind, LoadKind list) const
{
    switch (kind) {
    case TutorItemKind::Nodes: return KIND_NODE;
    case TutorItemKind::Beams: return KIND_BEAM;
    case TutorItemKind::Supports: return KIND_SUPPORT;
    case TutorItemKind::Loads: break;
    }
    switch (list) {
    case LoadKind::Nodal: return KIND_NODAL_LOAD;
    case LoadKind::Beam: return KIND_BEAM_LOAD;
    case LoadKind::SelfWeight: break;
    }
    return KIND_BEAM;
}

const std::vector<int>& VelmorTutor::Flags(TutorItemKind kind, LoadKind list) const
{
    switch (kind) {
    case TutorItemKind::Nodes: return m_nodeDone;
    case TutorItemKind::Beams: return m_beamDone;
    case TutorItemKind::Supports: return m_supportDone;
    case TutorItemKind::Loads: break;
    }
    switch (list) {
    case LoadKind::Nodal: return m_nodalLoadDone;
    case LoadKind::Beam: return m_beamLoadDone;
    case LoadKind::SelfWeight: break;
    }
    return m_selfWeightDone;
}

std::vector<int>& VelmorTutor::Flags(TutorItemKind kind, LoadKind list)
{
    return const_cast<std::vector<int>&>(std::as_const(*this).Flags(kind, list));
}

void VelmorTutor::MakeCurrent(TutorItemKind kind, LoadKind list, int at)
{
    m_nItem = at;
    m_pItem = m_problem.List(ListOf(kind, list)).at(size_t(at - 1));
    if (kind == TutorItemKind::Nodes) {
        // The number the next node will receive.
        m_nFirst = int(std::count(m_nodeDone.begin(), m_nodeDone.end(), 1)) + 1;
        m_nSecond = 0;
    } else {
        m_nFirst = m_pItem->GetNumber(1);
        m_nSecond = m_pItem->GetNumber(2);
    }
}

int VelmorTutor::Select(TutorItemKind kind)
{
    m_pItem = nullptr;
    m_bHalf = false;
    m_nItem = 0;
    if (kind == TutorItemKind::Loads) {
        for (int list = static_cast<int>(m_loadList); list <= static_cast<int>(LoadKind::SelfWeight);
             ++list) {
            const std::vector<int>& flags = Flags(kind, static_cast<LoadKind>(list));
            const auto it = std::find_if(flags.begin(), flags.end(), [](int f) { return f != 1; });
            if (it != flags.end()) {
                m_loadList = static_cast<LoadKind>(list);
                MakeCurrent(kind, m_loadList, int(it - flags.begin()) + 1);
                return m_nItem;
            }
        }
        return 0;
    }
    const std::vector<int>& flags = Flags(kind, m_loadList);
    const auto it = std::find_if(flags.begin(), flags.end(), [](int f) { return f != 1; });
    if (it != flags.end())
        MakeCurrent(kind, m_loadList, int(it - flags.begin()) + 1);
    return m_nItem;
}

bool VelmorTutor::IsStepComplete(TutorItemKind kind) const
{
    if (kind == TutorItemKind::Loads)
        return allDone(m_nodalLoadDone) && allDone(m_beamLoadDone) && allDone(m_selfWeightDone);
    return allDone(Flags(kind, m_loadList));
}

bool VelmorTutor::Usable() const
{
    return m_bActive && m_analysis && m_analysis->Ready() && m_analysis->IsCurrent() &&
           m_problem.CurrentAnalysis() == m_analysis &&
           m_nodeDone.size() == m_problem.Count(KIND_NODE) &&
           m_beamDone.size() == m_problem.Count(KIND_BEAM) &&
           m_beamLoadDone.size() == m_problem.Count(KIND_BEAM_LOAD) &&
           m_nodalLoadDone.size() == m_problem.Count(KIND_NODAL_LOAD) &&
           m_supportDone.size() == m_problem.Count(KIND_SUPPORT);
}

template <class Step> void VelmorTutor::Guarded(Step step)
{
    if (!m_bActive)
        return;
    if (!Usable()) {
        // The structure changed under the solution: what the tutor holds no longer fits it.
        End(true);
        return;
    }
    try {
        step();
    } catch (const std::bad_alloc&) {
        Report(kOutOfMemory);
        m_solution = SolutionMode::None;
        End(true);
    }
}

void VelmorTutor::Examine()
{
    Guarded([this] { ExamineStep(); });
}

void VelmorTutor::Advance()
{
    Guarded([this] { AdvanceStep(); });
}

void VelmorTutor::ExamineStep()
{
    Analysis& a = *m_analysis;
    for (;;) {
        if (m_target == m_done) {
            AdvanceStep();
            return;
        }
        const bool itemStep = m_target >= TutorStage::Numbering && m_target <= TutorStage::Supports;
        if (itemStep && m_nItem == 0) {
            // Nothing left to examine (a structure without loads): the step is complete.
            AdvanceStep();
            return;
        }
        TutorItemKind nextKind = TutorItemKind::Nodes;
        switch (m_target) {
        case TutorStage::Numbering:
            a.NumberNode(m_pItem);
            m_nodeDone[size_t(m_nItem - 1)] = 1;
            Notify(UpdateHint::Element, m_pItem);
            nextKind = TutorItemKind::Nodes;
            break;
        case TutorStage::Stiffness:
            if (m_bHalf) {
                a.StiffnessStep(m_nItem, true);
                m_beamDone[size_t(m_nItem - 1)] = 1;
                Notify(UpdateHint::ItemDone, m_pItem);
                m_bHalf = false;
                nextKind = TutorItemKind::Beams;
                break;
            }
            a.StiffnessStep(m_nItem, false);
            Notify(UpdateHint::BeamStiffness, m_pItem);
            m_bHalf = true;
            Changed();
            return;
        case TutorStage::Loads:
            if (m_bHalf) {
                a.LoadStep(m_nItem, m_loadList, true);
                Flags(TutorItemKind::Loads, m_loadList)[size_t(m_nItem - 1)] = 1;
                Notify(UpdateHint::ItemDone, m_pItem);
                m_loadList = LoadKind::Nodal;
                m_bHalf = false;
                nextKind = TutorItemKind::Loads;
                break;
            }
            ++m_nLoadsByHand;
            if (m_loadList != LoadKind::SelfWeight) {
                a.LoadStep(m_nItem, m_loadList, false);
                Notify(m_loadList == LoadKind::Nodal ? UpdateHint::NodalLoadVector
                                                     : UpdateHint::BeamLoadVector,
                       m_pItem);
                m_bHalf = true;
                Changed();
                return;
            }
            if (!a.LoadStep(m_nItem, LoadKind::SelfWeight, false)) {
                // No weight to show: it is recorded at once and the next item is taken.
                a.LoadStep(m_nItem, LoadKind::SelfWeight, true);
                m_selfWeightDone[size_t(m_nItem - 1)] = 1;
                m_loadList = LoadKind::Nodal;
                if (Select(TutorItemKind::Loads))
                    continue;
                AdvanceStep();
                return;
            }
            Notify(UpdateHint::SelfWeightVector, m_pItem);
            m_bHalf = true;
            Changed();
            return;
        case TutorStage::Supports:
            if (m_bHalf) {
                m_supportDone[size_t(m_nItem - 1)] = 1;
                Notify(UpdateHint::SupportDone, m_pItem);
                m_bHalf = false;
                nextKind = TutorItemKind::Supports;
                break;
            }
            ++m_nSupportsByHand;
            a.SupportStep(m_nItem);
            Notify(UpdateHint::SupportImposing, m_pItem);
            m_bHalf = true;
            Changed();
            return;
        case TutorStage::Solution:
        case TutorStage::Results: AdvanceStep(); return;
        default: return;
        }
        if (Select(nextKind))
            Changed();
        else
            AdvanceStep();
        return;
    }
}

void VelmorTutor::AdvanceStep()
{
    if (m_done == m_target) {
        m_target = m_done == TutorStage::Solution && !IsExercise() ? TutorStage::Results
                                                                   : next(m_done);
        if (m_target > TutorStage::Results)
            m_target = TutorStage::Results;
        if (m_listener)
            m_listener->StepDone(*this);
        Changed();
        return;
    }
    if (m_bHalf) {
        ExamineStep();
        // Finishing the last item completes the step by itself.
        if (m_done == m_target)
            return;
    }
    UpdateHint hint = UpdateHint::ItemDone;
    switch (m_target) {
    case TutorStage::Numbering:
        CompleteNumbering();
        m_done = TutorStage::Numbering;
        Select(TutorItemKind::Beams);
        hint = UpdateHint::WorkBox;
        break;
    case TutorStage::Stiffness:
        CompleteStiffness();
        m_done = TutorStage::Stiffness;
        m_loadList = LoadKind::Nodal;
        Select(TutorItemKind::Loads);
        hint = UpdateHint::ItemDone;
        break;
    case TutorStage::Loads:
        CompleteLoads();
        m_done = TutorStage::Loads;
        Select(TutorItemKind::Supports);
        hint = UpdateHint::ItemDone;
        break;
    case TutorStage::Supports:
        CompleteSupports();
        m_done = TutorStage::Supports;
        m_nItem = 0;
        m_pItem = nullptr;
        hint = UpdateHint::SupportDone;
        break;
    case TutorStage::Solution:
        SolveStep();
        Notify(UpdateHint::ItemDone);
        return;
    case TutorStage::Laws:
    case TutorStage::Results: ResultsStep(); return;
    default: return;
    }
    Changed();
    Notify(hint);
}

void VelmorTutor::CompleteNumbering()
{
    if (!allDone(m_nodeDone))
        m_analysis->NumberNodes(-1);
    markAll(m_nodeDone);
}

void VelmorTutor::CompleteStiffness()
{
    // The whole step sets the matrix to zero and assembles every beam again in list order, so
    // beams assembled by hand are not counted twice.
    if (!allDone(m_beamDone))
        m_analysis->StiffnessStep(-1, false);
    markAll(m_beamDone);
}

void VelmorTutor::CompleteLoads()
{
    Analysis& a = *m_analysis;
    if (m_nLoadsByHand == 0) {
        // Nothing assembled yet: the engine's whole step, as a solution at once makes it.
        if (!IsStepComplete(TutorItemKind::Loads))
            a.LoadStep(-1, LoadKind::Nodal, false);
    } else {
        // The whole step would add the loads assembled by hand a second time.
        for (const LoadKind list : {LoadKind::Nodal, LoadKind::Beam, LoadKind::SelfWeight}) {
            const std::vector<int>& flags = Flags(TutorItemKind::Loads, list);
            for (size_t i = 0; i < flags.size(); ++i)
                if (flags[i] != 1) {
                    a.LoadStep(int(i) + 1, list, false);
                    a.LoadStep(int(i) + 1, list, true);
                }
        }
    }
    markAll(m_nodalLoadDone);
    markAll(m_beamLoadDone);
    markAll(m_selfWeightDone);
}

void VelmorTutor::CompleteSupports()
{
    Analysis& a = *m_analysis;
    if (m_nSupportsByHand == 0) {
        if (!allDone(m_supportDone))
            a.SupportStep(-1);
    } else {
        // Imposing a support twice would add its springs twice.
        for (size_t i = 0; i < m_supportDone.size(); ++i)
            if (m_supportDone[i] != 1)
                a.SupportStep(int(i) + 1);
    }
    markAll(m_supportDone);
}

bool VelmorTutor::SolveStep()
{
    Analysis& a = *m_analysis;
    // Loads that overflowed would pass for a singular system: say what it is.
    AnalysisStatus status = AllFinite(a.TotalLoads()) ? a.SolveSystem() : NotFinite();
    m_bSolved = status.Ok();
    m_bResults = false;
    if (m_bSolved) {
        m_done = TutorStage::Solution;
        Changed();
        status.Add(kSolved, LoadString(kSolved), MessageSeverity::Information);
        Report(status);
    } else {
        Report(status);
        m_done = m_target = TutorStage::None;
    }
    return m_bSolved;
}

void VelmorTutor::ComputeResultsOnce()
{
    // Computing the results twice would turn the beams' equivalent loads to local axes twice.
    if (m_bResults)
        return;
    Analysis& a = *m_analysis;
    a.ComputeResults();
    m_bResults = true;
    Report(CheckSolution(MeasureSolution(a)));
}

void VelmorTutor::StandAtResults()
{
    if (IsExercise()) {
        m_done = TutorStage::Solution;
        m_target = TutorStage::Laws;
    } else {
        m_done = m_target = TutorStage::Results;
    }
}

void VelmorTutor::ResultsStep()
{
    if (!m_bSolved)
        return;
    ComputeResultsOnce();
    StandAtResults();
    End(true);
    if (m_listener)
        m_listener->Results(*this);
}

void VelmorTutor::FinishAll()
{
    Guarded([this] {
        if (m_target != m_done) {
            const bool solving = m_target == TutorStage::Solution;
            AdvanceStep();
            if (solving && !m_bSolved) {
                // The system of this solution is singular: the rest would not change that.
                End(true);
                return;
            }
        }
        if (!m_bActive)
            return; // the results ended the solution already
        const int s = StageNumber(m_target);
        m_target = static_cast<TutorStage>(std::min(s + 1, StageNumber(TutorStage::Results)));
        if (s <= 0)
            CompleteNumbering();
        if (s <= 1)
            CompleteStiffness();
        if (s <= 2)
            CompleteLoads();
        if (s <= 3)
            CompleteSupports();
        if (s <= 4 && !SolveStep()) {
            End(true);
            return;
        }
        if (m_bSolved && s <= 6) {
            const bool computed = !m_bResults;
            ComputeResultsOnce();
            StandAtResults();
            if (computed) {
                Notify(UpdateHint::WorkBox);
                if (m_listener)
                    m_listener->Results(*this);
            }
        }
        End(true);
    });
}

void VelmorTutor::AllLawsDrawn()
{
    m_done = m_target = TutorStage::Results;
    Changed();
}

void VelmorTutor::Cancel()
{
    m_solution = SolutionMode::None;
    m_bSolved = false;
    End(true);
}

void VelmorTutor::End(bool notify)
{
    if (!m_bActive)
        return;
    if (m_analysis)
        m_analysis->FreeAnalysis();
    m_solution = SolutionMode::None;
    m_bActive = false;
    if (notify && m_listener)
        m_listener->Ended(*this);
}

// ---- reports

void VelmorTutor::Report(const AnalysisStatus& status)
{
    if (!m_listener)
        return;
    for (const EngineMessage& m : status.Messages())
        m_listener->Message(*this, m);
}

void VelmorTutor::Report(int id)
{
    if (m_listener)
        m_listener->Message(*this, {id, LoadString(id), MessageSeverity::Error});
}

void VelmorTutor::Notify(UpdateHint hint, VelmorObject* element)
{
    if (m_listener)
        m_listener->Update(*this, ChangeEvent{hint, element});
}

void VelmorTutor::Changed()
{
    if (m_listener)
        m_listener->Changed(*this);
}

} // namespace velmor
