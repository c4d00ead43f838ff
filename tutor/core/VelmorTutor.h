// The step-by-step solution: leads the user through the direct stiffness method one step and
// one element at a time, calling the analysis item by item and telling a listener what the
// views, the bars and the frames must show.
//
// In the examples mode the tutor picks each next item in list order and the user watches
// ("Examiner") or lets a whole step run ("Terminer"); in the exercises mode the user picks the
// items (Pick) and the tutor keeps score of what is done. The tutor works on the problem's
// current analysis, which BeginStepByStep builds; it never edits the structure. A structure
// changed under a running tutor ends it (every operation checks the analysis is current).
//
// Steps: 0 none, 1 numbering, 2 stiffness, 3 loads, 4 supports, 5 solution, 6 drawing the laws
// (exercises), 7 results. Lifecycle: inactive (construction, Cancel, End) -> active (Start)
// -> steps 1..5 -> results: 7/7 in the examples mode, done 5 / target 6 in the exercises mode,
// where the user draws the laws and the tutor has already ended. A singular system returns to
// step 0 with the tutor still active.
#pragma once

#include "TutorTypes.h"
#include "analysis/Analysis.h"
#include "model/ChangeEvent.h"
#include "model/ElementKind.h"

#include <memory>
#include <vector>

namespace velmor {

class VelmorObject;
class VelmorProblem;
class VelmorTutor;

// What the tutor tells the program, in the order it happens. Each call names the tutor, so
// that a window can ignore the tutors of other documents.
class TutorListener
{
public:
    virtual ~TutorListener() = default;
    // A step was completed and the next one is now the target (the flow chart is shown).
    virtual void StepDone(const VelmorTutor&) {}
    // The results are computed: the frame repaints with its children.
    virtual void Results(const VelmorTutor&) {}
    // Something the tutor bar shows changed.
    virtual void Changed(const VelmorTutor&) {}
    // The tutor ended (its bar is hidden).
    virtual void Ended(const VelmorTutor&) {}
    // An update for every view of the document: 0 general, 2 node numbered, 10 item assembled
    // or step finished, 11 beam stiffness computed, 12 support imposed, 13 nodal load vector,
    // 14 distributed-load vector, 17 self-weight vector computed, 18 support being imposed.
    // The element is the item concerned, when there is one.
    virtual void Update(const VelmorTutor&, const ChangeEvent&) {}
    // A message the user must see, in order (the mechanism warnings, "Système d'équations
    // résolu", "Système d'équations singulier...", the memory error).
    virtual void Message(const VelmorTutor&, const EngineMessage&) {}
};

class VelmorTutor
{
public:
    explicit VelmorTutor(VelmorProblem& problem);
    // Ends a running solution without notification.
    ~VelmorTutor();
    VelmorTutor(const VelmorTutor&) = delete;
    VelmorTutor& operator=(const VelmorTutor&) = delete;

    // Null for none; the listener must outlive the tutor or be removed first.
    void SetListener(TutorListener* listener) { m_listener = listener; }
    VelmorProblem& Problem() const { return m_problem; }
    // The analysis the tutor works on (null before the first BeginStepByStep).
    const std::shared_ptr<Analysis>& CurrentAnalysis() const { return m_analysis; }

    // ---- the solution commands of the example and exercise view
    // "Pas à Pas": ends any previous solution, makes a new analysis of the problem the
    // current one, initialises it and starts the tutor in the problem's mode (exercises when
    // the problem is in the exercises mode, examples otherwise). A failure (a structure that
    // cannot be analysed, not memory enough) leaves the tutor inactive with no solution; its
    // messages are returned and reported to the listener.
    AnalysisStatus BeginStepByStep();
    // "Solution Finale": while a step-by-step solution runs, FinishAll (the status then says
    // whether the system was solved). Otherwise the structure is solved at once (SolveAtOnce
    // with the options): on success the solution mode becomes Final and the tutor stands at
    // the results (7/7 in the examples mode, done 5 / target 6 in the exercises mode); on
    // failure no solution is left. The messages are reported as they come.
    AnalysisStatus FinalSolution(const AnalysisOptions& options = {});
    // A step command of the menu (numbering ... results): the step becomes the target when it
    // is the one right after the last completed (the results once the system is solved).
    // Returns whether the command applied, that is whether its step dialog is to be shown.
    bool OpenStep(TutorStage step);
    // Exercises: the element the user clicked becomes the current item when it is an item of
    // the step being worked on that is not done yet and no item is half done (a beam in step
    // 3 stands for its self weight). The view then calls Examine. False otherwise.
    bool Pick(const VelmorObject* element);

    // ---- the sequencer
    // Empties the per-item arrays (releasing them with freeArrays), zeroes every position,
    // flag and step, and makes the tutor inactive.
    void Reset(bool freeArrays);
    // Reset, then one flag per node, beam, distributed load, nodal load, beam (self weight) and
    // support, all 0 except the self weight of a beam that has none to assemble (1); active.
    void Prepare();
    // Prepare, steps 0/0, the first node selected; Changed.
    void Start();
    // The first item of that kind not done (for loads from the list being walked on, moving on
    // to the next lists); clears the half-done state. Returns its 1-based position in its list
    // and makes it the current item, or 0 when none is left.
    int Select(TutorItemKind kind);
    // Every item of that kind done (for loads: of all three lists).
    bool IsStepComplete(TutorItemKind kind) const;
    // "Examiner": the next half-step of the step being worked on; announces the next step
    // when the target step is done.
    void Examine();
    // "Terminer": completes the step being worked on (a half-done item first), or, when it is
    // complete, announces the next one (after the solution: 7 in the examples mode, 6 in the
    // exercises mode). Items done by hand are never done twice.
    void Advance();
    // "Solution Finale" while step by step: completes the step being worked on and runs every
    // remaining step at once, then ends the tutor.
    void FinishAll();
    // "Annuler Solution": no solution, the tutor ends (with notification).
    void Cancel();
    // When active: frees the analysis arrays, no solution mode, inactive; Ended with notify.
    void End(bool notify);
    // Exercises: the student has drawn every law of every beam; the step and the previous step
    // become the results (7). Changed.
    void AllLawsDrawn();

    // ---- state
    bool IsActive() const { return m_bActive; }
    Mode SolvingMode() const { return m_mode; }
    bool IsExercise() const { return m_mode == Mode::Exercises; }
    SolutionMode Solution() const { return m_solution; }
    TutorStage Target() const { return m_target; }
    TutorStage Done() const { return m_done; }
    bool IsSolved() const { return m_bSolved; }
    bool ResultsComputed() const { return m_bResults; }
    bool IsHalf() const { return m_bHalf; }
    // 1-based position of the current item in its list, 0 when none is left.
    int Item() const { return m_nItem; }
    VelmorObject* ItemElement() const { return m_pItem; }
    int First() const { return m_nFirst; }
    int Second() const { return m_nSecond; }
    LoadKind LoadList() const { return m_loadList; }
    TutorState State() const;

    // The per-item flags, one per element in list order: 1 done.
    const std::vector<int>& NodeDone() const { return m_nodeDone; }
    const std::vector<int>& BeamDone() const { return m_beamDone; }
    const std::vector<int>& BeamLoadDone() const { return m_beamLoadDone; }
    const std::vector<int>& NodalLoadDone() const { return m_nodalLoadDone; }
    // 1 also for a beam that has no self weight to assemble.
    const std::vector<int>& SelfWeightDone() const { return m_selfWeightDone; }
    const std::vector<int>& SupportDone() const { return m_supportDone; }

private:
    // The operations behind the public ones, without the checks and the memory guard.
    void ExamineStep();
    void AdvanceStep();
    // Runs `step` when the tutor may work (active, its analysis current): a structure that
    // changed ends the tutor, a memory failure ends it with the memory message.
    template <class Step> void Guarded(Step step);
    bool Usable() const;

    std::vector<int>& Flags(TutorItemKind kind, LoadKind list);
    const std::vector<int>& Flags(TutorItemKind kind, LoadKind list) const;
    // The element list that holds the items of a kind (and load list).
    int ListOf(TutorItemKind kind, LoadKind list) const;
    void MakeCurrent(TutorItemKind kind, LoadKind list, int position);

    // Each completes what is left of a step; an item done by hand is not done again.
    void CompleteNumbering();
    void CompleteStiffness();
    void CompleteLoads();
    void CompleteSupports();
    // The solution step; false when the system is singular (the tutor then stands at step 0).
    bool SolveStep();
    // The results, computed once per solution; the tutor then stands at the results.
    void ResultsStep();
    void ComputeResultsOnce();
    void StandAtResults();

    void Report(const AnalysisStatus& status);
    void Report(int id);
    void Notify(UpdateHint hint, VelmorObject* element = nullptr);
    void Changed();

    VelmorProblem& m_problem;
    std::shared_ptr<Analysis> m_analysis;
    TutorListener* m_listener = nullptr;

    bool m_bActive = false;
    std::vector<int> m_nodeDone, m_beamDone, m_beamLoadDone, m_nodalLoadDone, m_selfWeightDone,
        m_supportDone;
    bool m_bSolved = false;
    bool m_bResults = false;   // the results of this solution are computed
    int m_nItem = 0;
    int m_nFirst = 0, m_nSecond = 0;
    bool m_bHalf = false;
    VelmorObject* m_pItem = nullptr;
    LoadKind m_loadList = LoadKind::Nodal;
    TutorStage m_target = TutorStage::None;
    TutorStage m_done = TutorStage::None;
    // Load items and supports worked on by hand in this solution: a step completed with some
    // done by hand does the rest one by one rather than the whole step again.
    int m_nLoadsByHand = 0;
    int m_nSupportsByHand = 0;

    Mode m_mode = Mode::Examples;
    SolutionMode m_solution = SolutionMode::None;
};

} // namespace velmor
