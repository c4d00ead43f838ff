// The tutor bar's texts, the enabling of the solution commands and the pages of each step.
#include "TutorRules.h"

#include "platform/core/Archive.h"
#include "resources/StringTable.h"

namespace velmor {
namespace {

std::string text(int id)
{
    return LoadString(id);
}

// A text followed by the current item's node numbers: " %d" or " %d - %d".
std::string numbered(int id, int first)
{
    return text(id) + Archive::Format(" %d", first);
}

std::string numbered(int id, int first, int second)
{
    return text(id) + Archive::Format(" %d - %d", first, second);
}

} // namespace

TutorBarTexts TutorBarText(const TutorState& s)
{
    const bool finished = s.done == s.target;
    switch (s.target) {
    case TutorStage::None: return {"", s.done == TutorStage::None ? text(61293) : ""};
    case TutorStage::Numbering:
        if (finished)
            return {"", text(61294)};
        return {text(61293), numbered(61284, s.first)};
    case TutorStage::Stiffness:
        if (finished)
            return {"", text(61295)};
        if (s.exercise)
            return {text(61294), text(s.half ? 61304 : 61301)};
        return {text(61294), numbered(s.half ? 61286 : 61285, s.first, s.second)};
    case TutorStage::Loads:
        if (finished)
            return {"", text(61296)};
        if (s.exercise)
            return {text(61295), text(s.half ? 61305 : 61302)};
        switch (s.loadList) {
        case LoadKind::Nodal: return {text(61295), numbered(s.half ? 61289 : 61288, s.first)};
        case LoadKind::Beam:
            return {text(61295), numbered(s.half ? 61289 : 61287, s.first, s.second)};
        case LoadKind::SelfWeight:
            return {text(61295), numbered(s.half ? 61289 : 61337, s.first, s.second)};
        }
        return {};
    case TutorStage::Supports:
        if (finished)
            return {"", text(61291)};
        if (s.exercise)
            return {text(61296), s.half ? "" : text(61303)};
        return {text(61296), numbered(61290, s.first)};
    case TutorStage::Solution:
        if (finished)
            return {"", text(61292)};
        return {text(61291), text(61291)};
    case TutorStage::Laws: return {text(61298), text(61298)};
    case TutorStage::Results: return {text(61292), text(61292)};
    }
    return {};
}

bool FinishEnabled(const TutorState& s)
{
    // From the first step on: the numbering's dialog tells the user to use "Terminer" too.
    return TutorStage::None < s.target && s.done < s.target && !TutorBarText(s).task.empty();
}

bool ExamineEnabled(const TutorState& s)
{
    return s.done != TutorStage::Results;
}

std::optional<CommandState> SolutionCommandState(int id, const TutorState& s)
{
    const int mode = static_cast<int>(s.solution);
    const int done = StageNumber(s.done);
    const TutorStage target = s.target;
    const bool stepping = mode >= 2;
    switch (static_cast<TutorCommand>(id)) {
    case TutorCommand::StepByStep: return CommandState{true, mode > 1};
    case TutorCommand::FinalSolution: return CommandState{true, mode == 1};
    case TutorCommand::Numbering: return CommandState{mode > 1, target == TutorStage::Numbering};
    case TutorCommand::Stiffness:
        return CommandState{stepping && done > 0, stepping && target == TutorStage::Stiffness};
    case TutorCommand::Loads:
        return CommandState{stepping && done >= 2, stepping && target == TutorStage::Loads};
    case TutorCommand::Supports:
        return CommandState{stepping && done >= 3, stepping && target == TutorStage::Supports};
    case TutorCommand::Solution:
        return CommandState{stepping && done >= 4, target == TutorStage::Solution};
    case TutorCommand::Results:
        return CommandState{stepping && done >= 5, target == TutorStage::Results};
    default: return std::nullopt;
    }
}

TutorStage StepOfCommand(int id)
{
    switch (static_cast<TutorCommand>(id)) {
    case TutorCommand::Numbering: return TutorStage::Numbering;
    case TutorCommand::Stiffness: return TutorStage::Stiffness;
    case TutorCommand::Loads: return TutorStage::Loads;
    case TutorCommand::Supports: return TutorStage::Supports;
    case TutorCommand::Solution: return TutorStage::Solution;
    case TutorCommand::Results: return TutorStage::Results;
    default: return TutorStage::None;
    }
}

int CommandOfStep(TutorStage step)
{
    switch (step) {
    case TutorStage::Numbering: return static_cast<int>(TutorCommand::Numbering);
    case TutorStage::Stiffness: return static_cast<int>(TutorCommand::Stiffness);
    case TutorStage::Loads: return static_cast<int>(TutorCommand::Loads);
    case TutorStage::Supports: return static_cast<int>(TutorCommand::Supports);
    case TutorStage::Solution: return static_cast<int>(TutorCommand::Solution);
    default: return static_cast<int>(TutorCommand::Results);
    }
}

int StepDialogId(TutorStage step)
{
    switch (step) {
    case TutorStage::Numbering: return 413;
    case TutorStage::Stiffness: return 417;
    case TutorStage::Loads: return 404;
    case TutorStage::Supports: return 408;
    case TutorStage::Solution: return 420;
    case TutorStage::Results: return 416;
    default: return 0;
    }
}

int StepHelpContext(int problemType, TutorStage step)
{
    int offset = 0;
    switch (step) {
    case TutorStage::Numbering: offset = 100; break;
    case TutorStage::Stiffness: offset = 101; break;
    case TutorStage::Loads: offset = 103; break;
    case TutorStage::Supports: offset = 105; break;
    case TutorStage::Solution: offset = 106; break;
    case TutorStage::Laws:
    case TutorStage::Results: offset = 107; break;
    case TutorStage::None: return 0;
    }
    return 0x70000 + 0x1000 * problemType + offset;
}

} // namespace velmor
