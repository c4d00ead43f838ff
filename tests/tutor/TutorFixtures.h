// Helpers for the tutor tests: small structures, a listener that writes down everything the
// tutor says, and the system of a solution made step by step by the engine in list order.
#pragma once

#include "analysis/Analysis.h"
#include "model/VelmorProblem.h"
#include "tutor/core/VelmorTutor.h"

#include <string>
#include <vector>

namespace velmor::test {

// Everything a tutor told its listener, in order: "StepDone", "Changed", "Ended", "Results",
// "U<hint>" with " <kind letter><number>" of the element (n node, b beam, s support, l nodal
// load, d distributed load), "M<message id>".
class TutorLog : public TutorListener
{
public:
    std::vector<std::string> events;

    void StepDone(const VelmorTutor&) override { events.push_back("StepDone"); }
    void Results(const VelmorTutor&) override { events.push_back("Results"); }
    void Changed(const VelmorTutor&) override { events.push_back("Changed"); }
    void Ended(const VelmorTutor&) override { events.push_back("Ended"); }
    void Update(const VelmorTutor&, const ChangeEvent& e) override;
    void Message(const VelmorTutor&, const EngineMessage& m) override
    {
        events.push_back("M" + std::to_string(m.id));
    }
    // The events since the last call.
    std::vector<std::string> Take();
    size_t Count(const std::string& event) const;
};

// The structures the tutor tests walk through. Each builds into an empty problem.
void Portal(VelmorProblem& p);         // plane portal: 3 nodes, 2 beams, 2 supports, 2 loads
void Weighted(VelmorProblem& p);       // continuous beam: self weight on its first beam only
void Springs(VelmorProblem& p);        // continuous beam on a spring and a settlement
void Unloaded(VelmorProblem& p);       // the portal without any load
void Mechanism(VelmorProblem& p);      // a plane beam on one pin: singular
void InclinedFrame(VelmorProblem& p);  // two inclined, loaded rafters on fixed ends
using Builder = void (*)(VelmorProblem&);

// The system as it stands: every entry of the matrix in the structure's numbering, the
// total loads, the displacements.
struct SystemState
{
    std::vector<double> K, F, D;
};
SystemState StateOf(const Analysis& a);

// The engine's whole steps on a fresh copy of the structure, nodes numbered in list order and
// the system in that band: the state after the stiffness, the loads, the supports and the
// solution, and the beams' end forces after the results.
struct ReferenceRun
{
    SystemState stiffness, loads, supports, solution;
    std::vector<std::vector<double>> endForces;
};
ReferenceRun Reference(Builder build);

// The beams' end forces of an analysis, beam by beam.
std::vector<std::vector<double>> EndForces(const Analysis& a);

// Examine until the tutor stands at `target` with `done` (at most `limit` clicks); false when
// it never does.
bool ExamineUntil(VelmorTutor& t, TutorStage target, TutorStage done, int limit = 200);

} // namespace velmor::test
