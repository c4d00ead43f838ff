// The exercise mode's checking of the student's internal-force diagrams, without a window: the
// sequence of choices that describes a law on a beam, the checker that accepts or rejects each
// choice and follows the piece-by-piece drawing, and the enabling of the drawing commands.
#pragma once

#include "analysis/BeamAnalysis.h"
#include "numeric/Polynomial.h"

#include <array>
#include <string_view>

namespace velmor {

// The student's choices (step codes). At the ends of the beam the diagram leaves the axis or
// comes back to it: up (1) or down (2); in between each piece has a shape (3 to 11).
enum class DiagramStep : int
{
    None = 0,
    Up = 1,   // "Au-dessus de l'axe": the diagram goes up from (or to) the axis
    Down = 2, // "Au-dessous de l'axe": the diagram goes down
    Constant = 3,
    Increasing = 4, // a straight line that rises
    Decreasing = 5, // a straight line that falls
    PositiveParabola = 6,
    NegativeParabola = 7,
    PositiveCubicLeft = 8,   // the left part of a positive cubic (x³ for x < 0): concave
    PositiveCubicRight = 9,  // its right part: convex
    NegativeCubicLeft = 10,  // the left part of a negative cubic (-x³ for x < 0): convex
    NegativeCubicRight = 11, // its right part: concave
};

// Commands of the "&Diagramme" menu and of the drawing toolbar (1018).
enum DiagramCommand : int
{
    CMD_LAW_SHEAR_Y = 32856,
    CMD_LAW_SHEAR_Z = 32857,
    CMD_LAW_AXIAL = 32858,
    CMD_LAW_MOMENT_Y = 32859,
    CMD_LAW_MOMENT_Z = 32860,
    CMD_LAW_TORSION = 32861,
    CMD_STEP_UP = 32862,
    CMD_STEP_DOWN = 32863,
    CMD_STEP_INCREASING = 32864,
    CMD_STEP_DECREASING = 32865,
    CMD_STEP_POSITIVE_PARABOLA = 32866,
    CMD_STEP_NEGATIVE_PARABOLA = 32867,
    CMD_STEP_POSITIVE_CUBIC_LEFT = 32868,
    CMD_DIAGRAM_QUIT = 32869,
    CMD_STEP_CONSTANT = 32870,
    CMD_STEP_POSITIVE_CUBIC_RIGHT = 32871,
    CMD_STEP_NEGATIVE_CUBIC_LEFT = 32872,
    CMD_STEP_NEGATIVE_CUBIC_RIGHT = 32873,
    CMD_SHOW_LOAD = 32874,
    CMD_SHOW_SHEAR = 32875,
    CMD_SHOW_MOMENT = 32876,
    CMD_DIAGRAM_AUTOMATIC = 32879,
};

// Messages of the checker (string table ids).
enum DiagramMessage : int
{
    MSG_ALL_DIAGRAMS_DONE = 61266, // "Tous les diagrammes sont terminés."
    MSG_ALGORITHM_DONE = 61268,    // "Algorithme terminé."
};

// The step a command chooses, or None for any other command; and the command of a step (0 for
// None).
DiagramStep DiagramStepOfCommand(int id);
int DiagramCommandOfStep(DiagramStep step);
// The law code (CODE_N ... CODE_MZ) a law command chooses, 0 for any other command; and the
// command of a law code (0 for another code).
int DiagramLawOfCommand(int id);
int DiagramCommandOfLaw(int code);
// The message shown when `step` is chosen but is not the expected one: 61269 to 61279 (0 for
// None). Only the message of Up does not begin with "NON!".
int RejectionMessageId(DiagramStep step);
// The text of a checker message id from the string table.
std::string_view DiagramMessageText(int id);
// Position of a law code in the beam's six done flags (N, Vy, Vz, T, My, Mz), -1 for another
// code.
int DoneIndexOfLaw(int code);

// The expected choices for one law on one beam.
struct DiagramSequence
{
    static constexpr int kMaxSteps = 5;
    // The steps in order; the entries after the last one are None (the last entry always is).
    std::array<DiagramStep, kMaxSteps> steps{};
    int count = 0;
    int degree = 0;           // degree of the law, 0 to 3
    double inflection = -1.0; // where the curvature changes sign, as a fraction of the length;
                              // -1 when it does not inside the beam
};

// The sequence of a law of code `code` (CODE_N ... CODE_MZ) given as the engine gives it:
// `law` = P(x) for x in [0, length], and `ends` the law's components of the local end forces
// at node 1 and node 2 (Analysis::GetLaw), exact zeros for small ones.
//  1. Start: the diagram leaves the axis up when P(0) > 0. P(0) is q6 for Mz and -q for the
//     other laws, so: Mz: a < 0 Down, a > 0 Up; others: a > 0 Down, a < 0 Up; a = 0 nothing.
//  2. Shape: degree 0 Constant; degree 1 Increasing or Decreasing by the sign of the slope;
//     degree 2 a positive or negative parabola by the sign of x²; degree 3 from the curvature
//     g = P''(0) and m = P''(L) (each 0 when below kCurvatureZero): a positive cubic (m > g)
//     is its convex right part when g >= 0, its concave left part when m <= 0, otherwise the
//     left part up to the inflection -g / (m - g) then the right part; a negative cubic is its
//     convex left part when m >= 0, its concave right part when g <= 0, otherwise the left part
//     up to the inflection g / (g - m) then the right part.
//  3. End: the diagram comes back down to the axis when P(L) > 0. P(L) is -q12 for Mz and q for
//     the other laws (My included: My(L) = q11), so: Mz: b < 0 Down, b > 0 Up; others: b > 0
//     Down, b < 0 Up; b = 0 nothing.
DiagramSequence ExpectedSequence(int code, const Polynomial& law, const double ends[2],
                                 double length);

// Curvatures below this are taken as 0: they are the round-off of a law that is straight at
// that end of the beam (the polynomial library's own zero).
inline constexpr double kCurvatureZero = 1e-15;

// How the checker answered a choice.
enum class DiagramVerdict : int
{
    Accepted, // the expected choice: the state moved on, the views are updated (hint 1)
    Rejected, // another choice: its message is shown, nothing changed
    Ignored,  // no diagram is being drawn, or not a choice: nothing shown, nothing changed
};

// What was wrong with a rejected choice: the chosen step is not the one here. The values are
// the step codes of the choices they reject.
enum class DiagramFault : int
{
    None = 0,
    NotUp = 1,
    NotDown = 2,
    NotConstant = 3,
    NotIncreasing = 4,
    NotDecreasing = 5,
    NotPositiveParabola = 6,
    NotNegativeParabola = 7,
    NotPositiveCubicLeft = 8,
    NotPositiveCubicRight = 9,
    NotNegativeCubicLeft = 10,
    NotNegativeCubicRight = 11,
    NoDiagram = 12, // no law is being drawn
};

struct DiagramFinding
{
    DiagramVerdict verdict = DiagramVerdict::Ignored;
    DiagramFault fault = DiagramFault::None;
    DiagramStep chosen = DiagramStep::None;
    DiagramStep expected = DiagramStep::None; // the step the checker was waiting for
    int messageId = 0;                        // message to show, 0 for none
    std::string_view message;                 // its text
    int hint = 0;                             // update hint for the views (1), 0 for none
};

// What the view does when it paints the law being drawn.
struct DiagramCompletion
{
    bool markDone = false; // the whole law is drawn: mark it done for the beam, write its values
    int messageId = 0;     // 61268 "Algorithme terminé." once, when the law has just finished
    std::string_view message;
};

// What the view does after "Quitter".
struct DiagramQuit
{
    int hint = 7;         // the views end the law drawing
    bool allDone = false; // every law of every beam is done: the tutor's step and previous
                          // step become 7
    int messageId = 0;    // 61266 "Tous les diagrammes sont terminés." then
    std::string_view message;
};

// The checker of one exercise view. It is told what the view knows (the law of the current
// beam from the analysis, whether laws are done) and answers with findings; it never reads a
// window and never writes the analysis: the view marks a law done when Paint() says so.
class DiagramChecker
{
public:
    // "Automatique": the progress steps of 0.25 while it lies in [0, 1), of 1 otherwise.
    static constexpr double kAutomaticStep = 0.25;
    // Progress of a law whose whole diagram is drawn and not yet announced, and after.
    static constexpr double kFinished = 2.0;
    static constexpr double kAnnounced = 1.5;

    // The law command (32856 to 32861) chose the law of `code`; the drawing is then started on
    // the current beam with Start.
    void ChooseLaw(int code) { m_law = code; }
    int Law() const { return m_law; }

    // Starts drawing the current law on a beam: its polynomial, end forces and length as
    // Analysis::GetLaw and the beam's result give them, and whether the law is done for that
    // beam. A done law (or no law) starts nothing and returns false; otherwise the help
    // drawings are cleared, nothing is drawn yet (progress -1), the sequence is built, and the
    // view sends hint 6 and redraws.
    bool Start(const Polynomial& law, const double ends[2], double length, bool done);
    // The view ended the law drawing (hint 7): no diagram is drawn any more; the law is kept.
    void EndDrawing() { m_drawing = false; }
    bool Drawing() const { return m_drawing; }

    // A step command. An Up or Down choice that is expected: a negative progress becomes 0 (the
    // start is drawn), a progress of exactly 1 becomes 2 (the end closes the diagram), and the
    // next step is expected. An expected shape: the drawing limit becomes the inflection for
    // the left part of a cubic that has one, 1 otherwise; a parabola or cubic makes a negative
    // progress 0; the step index stays until the shape is drawn. A choice that is not expected
    // is rejected with its message and changes nothing.
    DiagramFinding Choose(DiagramStep step);
    DiagramFinding Command(int id) { return Choose(DiagramStepOfCommand(id)); }

    // A left click at the fraction t of the beam (BeamFraction) while a shape is being drawn:
    // the progress grows to t, at most to the limit and to 1; when it reaches the limit the
    // shape is done and the next step is expected, and when none is left the law is finished.
    // Returns the hint for the views: 1 when something may have changed, 0 when the click was
    // not for the drawing (no shape being drawn, or the law already finished).
    int DrawTo(double t);
    // "Automatique": the progress advances by kAutomaticStep while it lies in [0, 1), by 1
    // otherwise, whatever the expected steps (the view repaints). Nothing without a drawing.
    void Automatic();
    // Called while painting the law being drawn: above 1 the law is done; exactly 2 becomes 1.5
    // and announces "Algorithme terminé." (once).
    DiagramCompletion Paint();
    // "Quitter": no law, no drawing; `allDiagramsDone` is Analysis::DiagramsDone() as it is now.
    DiagramQuit Quit(bool allDiagramsDone);

    // The help drawings (32874, 32875, 32876), each a toggle; the views receive hint 1.
    void ToggleShowLoad() { m_showLoad = !m_showLoad; }
    void ToggleShowShear() { m_showShear = !m_showShear; }
    void ToggleShowMoment() { m_showMoment = !m_showMoment; }
    bool ShowLoad() const { return m_showLoad; }
    bool ShowShear() const { return m_showShear; }
    bool ShowMoment() const { return m_showMoment; }

    // The state the view draws from.
    const DiagramSequence& Sequence() const { return m_sequence; }
    const Polynomial& LawPolynomial() const { return m_polynomial; }
    double Length() const { return m_length; }
    int Degree() const { return m_sequence.degree; }
    double Inflection() const { return m_sequence.inflection; }
    DiagramStep LastStep() const { return m_lastStep; }
    int StepIndex() const { return m_stepIndex; }
    // The step the checker waits for, None when the sequence is exhausted.
    DiagramStep Expected() const;
    // -1 before anything is drawn, 0 the start drawn, up to 1 the fraction of the beam drawn,
    // above 1 the whole law (2 finished and not yet announced, 1.5 announced).
    double Progress() const { return m_progress; }
    // The fraction up to which the accepted shape is drawn; -1 while no shape is being drawn.
    double Limit() const { return m_limit; }
    // The fraction of the beam along which the law is drawn: 0 to 1 (1 once finished), -1
    // when not even its start is drawn.
    double DrawnFraction() const;
    bool Finished() const { return m_progress > 1.0; }

private:
    DiagramFinding Reject(DiagramStep chosen) const;

    int m_law = 0;
    bool m_drawing = false;
    DiagramSequence m_sequence;
    Polynomial m_polynomial;
    double m_length = 0.0;
    DiagramStep m_lastStep = DiagramStep::None;
    int m_stepIndex = 0;
    double m_progress = -1.0;
    double m_limit = -1.0;
    bool m_showLoad = false;
    bool m_showShear = false;
    bool m_showMoment = false;
};

// The fraction of the beam at the screen point p, from the beam's projected ends a and b:
// with d1 = |p - a|, d2 = |p - b| and l = |b - a|, ((d1² - d2²) / l² + 1) / 2 (0 when the beam
// is seen end on).
double BeamFraction(double px, double py, double ax, double ay, double bx, double by);

// What the enabling of the diagram commands depends on besides the checker.
struct DiagramContext
{
    int problemType = 0; // 1 beams, 2 plane frames, 3 space frames, 4 trusses
    int tutorStep = 0;   // the laws are drawn in step 6
    int doneLaws = 0;    // the law codes done for the current beam, or'ed
};

struct DiagramCommandState
{
    bool enabled = false;
    bool checked = false;
};

// Enabling and check mark of a command of the "&Diagramme" menu or of the drawing toolbar;
// disabled and unchecked for any other id.
//  - a law: in step 6, for a law not done for the current beam, by problem type (axial all but
//    beams, shear y and moment z all but trusses, shear z, moment y and torsion space frames
//    only); checked when it is the current law;
//  - a step: the parabolas need a law of degree 2 or more, the cubics degree 3, the others
//    always; checked when it is the last accepted step;
//  - "Automatique", "Quitter", "Voir Charge": while a diagram is drawn; "Voir Cisaillement"
//    for moment y with shear z done or moment z with shear y done, "Voir Moment" for shear y
//    with moment z done or shear z with moment y done, while a diagram is drawn; each help
//    drawing checked while it is on.
DiagramCommandState DiagramCommandStateOf(int id, const DiagramChecker& checker,
                                          const DiagramContext& context);

} // namespace velmor
