// The exercise diagram checker: expected sequences, the checking of each choice, the drawing
// progress and the enabling of the drawing commands.
#include "DiagramChecker.h"

#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

namespace velmor {

namespace {

struct StepRow
{
    DiagramStep step;
    int command;
    int rejection;
};

// Each choice, its command and the message when it is not the expected one.
constexpr StepRow kSteps[] = {
    {DiagramStep::Up, CMD_STEP_UP, 61269},
    {DiagramStep::Down, CMD_STEP_DOWN, 61270},
    {DiagramStep::Constant, CMD_STEP_CONSTANT, 61271},
    {DiagramStep::Increasing, CMD_STEP_INCREASING, 61273},
    {DiagramStep::Decreasing, CMD_STEP_DECREASING, 61275},
    {DiagramStep::PositiveParabola, CMD_STEP_POSITIVE_PARABOLA, 61272},
    {DiagramStep::NegativeParabola, CMD_STEP_NEGATIVE_PARABOLA, 61274},
    {DiagramStep::PositiveCubicLeft, CMD_STEP_POSITIVE_CUBIC_LEFT, 61276},
    {DiagramStep::PositiveCubicRight, CMD_STEP_POSITIVE_CUBIC_RIGHT, 61277},
    {DiagramStep::NegativeCubicLeft, CMD_STEP_NEGATIVE_CUBIC_LEFT, 61278},
    {DiagramStep::NegativeCubicRight, CMD_STEP_NEGATIVE_CUBIC_RIGHT, 61279},
};

struct LawRow
{
    int code;
    int command;
};

constexpr LawRow kLaws[] = {
    {CODE_N, CMD_LAW_AXIAL},   {CODE_VY, CMD_LAW_SHEAR_Y},  {CODE_VZ, CMD_LAW_SHEAR_Z},
    {CODE_T, CMD_LAW_TORSION}, {CODE_MY, CMD_LAW_MOMENT_Y}, {CODE_MZ, CMD_LAW_MOMENT_Z},
};

const StepRow* RowOf(DiagramStep step)
{
    for (const StepRow& r : kSteps)
        if (r.step == step) return &r;
    return nullptr;
}

bool IsSide(DiagramStep s)
{
    return s == DiagramStep::Up || s == DiagramStep::Down;
}

// The law may be drawn by the problem type.
bool LawOfProblemType(int code, int problemType)
{
    switch (code) {
    case CODE_N:
        return problemType != 1;
    case CODE_VY:
    case CODE_MZ:
        return problemType != 4;
    case CODE_VZ:
    case CODE_MY:
    case CODE_T:
        return problemType == 3;
    default:
        return false;
    }
}

double SnapCurvature(double v)
{
    return std::fabs(v) < kCurvatureZero ? 0.0 : v;
}

} // namespace

DiagramStep DiagramStepOfCommand(int id)
{
    for (const StepRow& r : kSteps)
        if (r.command == id) return r.step;
    return DiagramStep::None;
}

int DiagramCommandOfStep(DiagramStep step)
{
    const StepRow* r = RowOf(step);
    return r ? r->command : 0;
}

int DiagramLawOfCommand(int id)
{
    for (const LawRow& r : kLaws)
        if (r.command == id) return r.code;
    return 0;
}

int DiagramCommandOfLaw(int code)
{
    for (const LawRow& r : kLaws)
        if (r.code == code) return r.command;
    return 0;
}

int RejectionMessageId(DiagramStep step)
{
    const StepRow* r = RowOf(step);
    return r ? r->rejection : 0;
}

std::string_view DiagramMessageText(int id)
{
    return id ? std::string_view(LoadString(id)) : std::string_view();
}

int DoneIndexOfLaw(int code)
{
    for (int i = 0; i < 6; ++i)
        if (code == (1 << i)) return i;
    return -1;
}

DiagramSequence ExpectedSequence(int code, const Polynomial& law, const double ends[2],
                                 double length)
{
    DiagramSequence s;
    s.degree = law.Degree();
    auto add = [&s](DiagramStep step) {
        if (s.count < DiagramSequence::kMaxSteps - 1) s.steps[size_t(s.count++)] = step;
    };
    // Mz is q6 at node 1 and -q12 at node 2; every other law is -q at node 1 and q at node 2.
    const double flip = code == CODE_MZ ? -1.0 : 1.0;
    const double a = flip * ends[0];
    const double b = flip * ends[1];

    if (a > 0)
        add(DiagramStep::Down);
    else if (a < 0)
        add(DiagramStep::Up);

    const int d = s.degree;
    if (d == 0) {
        add(DiagramStep::Constant);
    } else if (d == 1) {
        add(law.Coef(1) > 0 ? DiagramStep::Increasing : DiagramStep::Decreasing);
    } else if (d == 2) {
        add(law.Coef(2) > 0 ? DiagramStep::PositiveParabola : DiagramStep::NegativeParabola);
    } else {
        const Polynomial curvature = law.Derivative(2);
        const double g = SnapCurvature(curvature.Evaluate(0.0));
        const double m = SnapCurvature(curvature.Evaluate(length));
        // A positive cubic (x³) is concave on its left part and convex on its right part, a
        // negative one (-x³) the other way round: c0 and c1 are the end curvatures, signed so
        // that they are negative on a left part.
        const bool positive = m - g > 0;
        const double c0 = positive ? g : -g;
        const double c1 = positive ? m : -m;
        const DiagramStep left =
            positive ? DiagramStep::PositiveCubicLeft : DiagramStep::NegativeCubicLeft;
        const DiagramStep right =
            positive ? DiagramStep::PositiveCubicRight : DiagramStep::NegativeCubicRight;
        if (c0 >= 0) {
            add(right);
        } else if (c1 <= 0) {
            add(left);
        } else {
            add(left);
            add(right);
            s.inflection = c0 / (c0 - c1);
        }
    }

    if (b > 0)
        add(DiagramStep::Down);
    else if (b < 0)
        add(DiagramStep::Up);
    return s;
}

bool DiagramChecker::Start(const Polynomial& law, const double ends[2], double length, bool done)
{
    if (m_law == 0 || done) return false;
    m_drawing = true;
    m_showLoad = m_showShear = m_showMoment = false;
    m_progress = -1.0;
    m_limit = -1.0;
    m_polynomial = law;
    m_length = length;
    m_sequence = ExpectedSequence(m_law, law, ends, length);
    m_lastStep = DiagramStep::None;
    m_stepIndex = 0;
    return true;
}

DiagramStep DiagramChecker::Expected() const
{
    return m_stepIndex >= 0 && m_stepIndex < DiagramSequence::kMaxSteps
               ? m_sequence.steps[size_t(m_stepIndex)]
               : DiagramStep::None;
}

DiagramFinding DiagramChecker::Reject(DiagramStep chosen) const
{
    DiagramFinding f;
    f.verdict = DiagramVerdict::Rejected;
    f.fault = DiagramFault(int(chosen));
    f.chosen = chosen;
    f.expected = Expected();
    f.messageId = RejectionMessageId(chosen);
    f.message = DiagramMessageText(f.messageId);
    return f;
}

DiagramFinding DiagramChecker::Choose(DiagramStep step)
{
    DiagramFinding f;
    f.chosen = step;
    f.expected = Expected();
    if (!RowOf(step)) return f;
    if (!m_drawing) {
        f.fault = DiagramFault::NoDiagram;
        return f;
    }
    if (step != Expected()) return Reject(step);

    if (IsSide(step)) {
        if (m_progress < 0)
            m_progress = 0.0;
        else if (m_progress == 1.0)
            m_progress = kFinished;
        ++m_stepIndex;
    } else {
        const bool leftPart =
            step == DiagramStep::PositiveCubicLeft || step == DiagramStep::NegativeCubicLeft;
        m_limit = leftPart && m_sequence.inflection > 0 ? m_sequence.inflection : 1.0;
        if (step >= DiagramStep::PositiveParabola && m_progress < 0) m_progress = 0.0;
    }
    m_lastStep = step;
    f.verdict = DiagramVerdict::Accepted;
    f.hint = 1;
    return f;
}

int DiagramChecker::DrawTo(double t)
{
    // A finished law is no longer drawn piece by piece: a click would pull it back.
    if (!m_drawing || m_limit < 0 || Finished()) return 0;
    m_progress = std::min(std::clamp(std::max(m_progress, t), 0.0, m_limit), 1.0);
    if (m_progress == m_limit) {
        m_limit = -1.0;
        ++m_stepIndex;
    }
    if (Expected() == DiagramStep::None) m_progress = kFinished;
    return 1;
}

void DiagramChecker::Automatic()
{
    if (!m_drawing) return;
    m_progress += m_progress >= 0 && m_progress < 1.0 ? kAutomaticStep : 1.0;
}

DiagramCompletion DiagramChecker::Paint()
{
    DiagramCompletion c;
    if (!m_drawing || m_progress <= 1.0) return c;
    c.markDone = true;
    if (m_progress == kFinished) {
        m_progress = kAnnounced;
        c.messageId = MSG_ALGORITHM_DONE;
        c.message = DiagramMessageText(c.messageId);
    }
    return c;
}

DiagramQuit DiagramChecker::Quit(bool allDiagramsDone)
{
    DiagramQuit q;
    m_law = 0;
    m_drawing = false;
    if (allDiagramsDone) {
        q.allDone = true;
        q.messageId = MSG_ALL_DIAGRAMS_DONE;
        q.message = DiagramMessageText(q.messageId);
    }
    return q;
}

double DiagramChecker::DrawnFraction() const
{
    if (m_progress < 0) return -1.0;
    return std::min(m_progress, 1.0);
}

double BeamFraction(double px, double py, double ax, double ay, double bx, double by)
{
    const double d1 = (px - ax) * (px - ax) + (py - ay) * (py - ay);
    const double d2 = (px - bx) * (px - bx) + (py - by) * (py - by);
    const double l = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
    if (l == 0.0) return 0.0;
    return ((d1 - d2) / l + 1.0) / 2.0;
}

DiagramCommandState DiagramCommandStateOf(int id, const DiagramChecker& checker,
                                          const DiagramContext& context)
{
    DiagramCommandState s;
    const bool drawing = checker.Drawing();
    const auto done = [&context](int code) { return (context.doneLaws & code) != 0; };
    const int law = checker.Law();

    if (const int code = DiagramLawOfCommand(id)) {
        s.enabled =
            context.tutorStep == 6 && !done(code) && LawOfProblemType(code, context.problemType);
        s.checked = law == code;
        return s;
    }
    if (const DiagramStep step = DiagramStepOfCommand(id); step != DiagramStep::None) {
        if (step >= DiagramStep::PositiveCubicLeft)
            s.enabled = checker.Degree() >= 3;
        else if (step >= DiagramStep::PositiveParabola)
            s.enabled = checker.Degree() >= 2;
        else
            s.enabled = true;
        s.checked = checker.LastStep() == step;
        return s;
    }
    switch (id) {
    case CMD_DIAGRAM_AUTOMATIC:
    case CMD_DIAGRAM_QUIT:
        s.enabled = drawing;
        break;
    case CMD_SHOW_LOAD:
        s.enabled = drawing;
        s.checked = checker.ShowLoad();
        break;
    case CMD_SHOW_SHEAR:
        s.enabled =
            drawing && ((law == CODE_MY && done(CODE_VZ)) || (law == CODE_MZ && done(CODE_VY)));
        s.checked = checker.ShowShear();
        break;
    case CMD_SHOW_MOMENT:
        s.enabled =
            drawing && ((law == CODE_VY && done(CODE_MZ)) || (law == CODE_VZ && done(CODE_MY)));
        s.checked = checker.ShowMoment();
        break;
    default:
        break;
    }
    return s;
}

} // namespace velmor
