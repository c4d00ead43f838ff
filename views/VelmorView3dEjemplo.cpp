#include "VelmorView3dEjemplo.h"

#include "app/VelmorDoc.h"
#include "model/VelmorObjectData.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/MessageService.h"
#include "resources/StringTable.h"
#include "tutor/TutorFace.h"
#include "tutor/core/StepMemory.h"
#include "tutor/core/TutorRules.h"
#include "tutor/core/VelmorTutor.h"

#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <cmath>

namespace velmor {
namespace {

// The bars a selection fills (the result bars' own numbers).
constexpr int kDisplacementsBar = 428;
constexpr int kEffortsBar = 429;
constexpr int kReactionsBar = 430;

// The six laws in the order they are drawn.
constexpr int kLawCodes[] = {CODE_N, CODE_VY, CODE_VZ, CODE_T, CODE_MY, CODE_MZ};

int lawColourEntry(int code)
{
    switch (code) {
    case CODE_N: return PAL_AXIAL_LAW;
    case CODE_VY:
    case CODE_VZ: return PAL_SHEAR_LAW;
    case CODE_T: return PAL_TORSION_LAW;
    case CODE_MY:
    case CODE_MZ: return PAL_MOMENT_LAW;
    default: return PAL_DEFORMED;
    }
}

// The local axis a law is plotted along (and its drawing's " + " arrow points to): y for shear
// y and moment z, z for shear z, torsion and moment y, and for the axial force y in plane
// problems and z in space ones. A positive moment is plotted on the side its fibres stretch.
Mfx3dPoint plotAxis(const MfxTMatrix& local, int code, int problemType)
{
    const bool alongY = code == CODE_VY || code == CODE_MZ ||
                        (code == CODE_N && problemType <= PROBLEM_PLANE_FRAME);
    return local.Column(alongY ? 2 : 3);
}

// Text a little darker than the law on white paper, where the pure palette colours read badly.
MfxColor labelColour(const Palette& palette, int entry)
{
    const PaletteColour c = palette.Entry(entry);
    if (palette.Scheme() == kSchemeBlack)
        return MfxColor(RedOf(c), GreenOf(c), BlueOf(c));
    return MfxColor(RedOf(c) * 6 / 10, GreenOf(c) * 6 / 10, BlueOf(c) * 6 / 10);
}

// An extreme value with about three significant digits, without an exponent in the usual range.
std::string extremeText(double v)
{
    const double a = std::fabs(v);
    if (a >= 1e-3 && a < 1e7) {
        const int decimals = std::max(0, 2 - int(std::floor(std::log10(a))));
        return QString::number(v, 'f', decimals).toStdString();
    }
    return QString::number(v, 'g', 3).toStdString();
}

int scaled(int pixels, double textScale)
{
    return std::max(1, int(std::lround(pixels * textScale)));
}

// The picture of a law's sign convention, 112 x 75: a piece of beam with the positive internal
// forces on its two cut faces.
QImage signPicture(int code)
{
    QImage image(112, 75, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, 111, 74);
    const QRectF piece(34, 33, 44, 12);
    p.fillRect(piece, QColor(200, 200, 200));
    p.drawRect(piece);
    const QColor ink(200, 0, 0);
    const auto arrow = [&](QPointF from, QPointF to) {
        p.setPen(QPen(ink, 2));
        p.drawLine(from, to);
        const QPointF u = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        const QPointF v(-u.y(), u.x());
        QPolygonF head({to, to - 6 * u + 3 * v, to - 6 * u - 3 * v});
        p.setBrush(ink);
        p.drawPolygon(head);
        p.setBrush(Qt::NoBrush);
    };
    // A turning arrow round a face, from its top over its outer side to its bottom, where the
    // head points back under the piece: anticlockwise on the left face, clockwise on the right.
    const auto turn = [&](QPointF centre, bool rightFace) {
        p.setPen(QPen(ink, 2));
        const QRectF box(centre.x() - 11, centre.y() - 11, 22, 22);
        p.drawArc(box, 90 * 16, (rightFace ? -180 : 180) * 16);
        const QPointF tip = centre + QPointF(rightFace ? -3 : 3, 11);
        const double sense = rightFace ? -1.0 : 1.0;
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({tip + QPointF(sense * 4, 0), tip + QPointF(-sense * 3, -4),
                                 tip + QPointF(-sense * 3, 4)}));
        p.setBrush(Qt::NoBrush);
    };
    const QPointF left(34, 39), right(78, 39);
    QString name;
    switch (code) {
    case CODE_VY:
    case CODE_VZ:
        arrow(left + QPointF(-6, -14), left + QPointF(-6, 14));
        arrow(right + QPointF(6, 14), right + QPointF(6, -14));
        name = "Q";
        break;
    case CODE_MY:
    case CODE_MZ:
        turn(left, false);
        turn(right, true);
        name = "M";
        break;
    case CODE_N:
        arrow(left, left + QPointF(-26, 0));
        arrow(right, right + QPointF(26, 0));
        name = "N";
        break;
    default:
        // Torsion: the moment vectors, double-headed, pointing out of both faces.
        arrow(left, left + QPointF(-26, 0));
        arrow(left + QPointF(-8, 0), left + QPointF(-28, 0));
        arrow(right, right + QPointF(26, 0));
        arrow(right + QPointF(8, 0), right + QPointF(28, 0));
        name = "T";
        break;
    }
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 2, 112, 18), Qt::AlignHCenter, name + QString::fromUtf8(" > 0"));
    return image;
}

} // namespace

VelmorView3dEjemplo::VelmorView3dEjemplo(VelmorDoc& doc, QWidget* parent) : VelmorBaseView(doc, parent)
{
    setObjectName("VelmorView3dEjemplo");
    AddSolutionCommands();
    AddResultCommands();
    AddDiagramCommands();
    connect(&doc.TutorEvents(), &TutorFace::stepDone, this, &VelmorView3dEjemplo::OnStepDone);
    // The numbers of the nodes and the laws change with the solution.
    connect(&doc.TutorEvents(), &TutorFace::results, this, [this] { viewport()->update(); });
    connect(&doc.TutorEvents(), &TutorFace::ended, this, [this] { viewport()->update(); });
    // A new solution's laws replace the last one's: no law drawing survives it.
    connect(&doc.TutorEvents(), &TutorFace::changed, this, [this] {
        if (m_drawing && !Tutor().ResultsComputed())
            EndLawDrawing();
    });
}

VelmorView3dEjemplo::~VelmorView3dEjemplo() = default;

VelmorTutor& VelmorView3dEjemplo::Tutor() const
{
    return m_doc.Tutor();
}

QString VelmorView3dEjemplo::TooLargeMessage(double megabytes)
{
    return QString::fromUtf8("La solution pas à pas de cette structure demanderait %1 Mo de mémoire "
                             "pour sa matrice de rigidité, les noeuds numérotés dans l'ordre de la "
                             "liste.\n\nChoisissez \"Solution Finale\", qui résout la structure "
                             "en ordonnant ses équations.")
        .arg(megabytes, 0, 'f', 0);
}

void VelmorView3dEjemplo::AddSolutionCommands()
{
    const auto enabled = [this](int id) {
        return [this, id] {
            const auto state = SolutionCommandState(id, Tutor().State());
            return state && state->enabled;
        };
    };
    const auto checked = [this](int id) {
        return [this, id] {
            const auto state = SolutionCommandState(id, Tutor().State());
            return state && state->checked;
        };
    };
    const int stepByStep = int(TutorCommand::StepByStep), final = int(TutorCommand::FinalSolution);
    m_commands.Add(stepByStep, [this] {
        m_doc.Problem().SyncMode(m_doc.Problem().CurrentMode());
        if (StepByStepTooLarge(m_doc.Problem())) {
            const double mb = double(StepByStepMatrixBytes(m_doc.Problem())) / (1024.0 * 1024.0);
            ShowMessage(TooLargeMessage(mb).toStdString(), MessageIcon::Warning);
            return;
        }
        Tutor().BeginStepByStep();
        viewport()->update();
    }, enabled(stepByStep), checked(stepByStep));
    m_commands.Add(final, [this] {
        AnalysisOptions options;
        options.orientIJ = m_options.IsOn(OPT_ORIENT_I_J);
        options.changeLocalLoads = m_options.IsOn(OPT_CHANGE_LOCAL_LOADS);
        Tutor().FinalSolution(options);
        viewport()->update();
    }, enabled(final), checked(final));
    for (TutorCommand c : {TutorCommand::Numbering, TutorCommand::Stiffness, TutorCommand::Loads,
                           TutorCommand::Supports, TutorCommand::Solution, TutorCommand::Results}) {
        const int id = int(c);
        m_commands.Add(id, [this, id] { OpenStep(id); }, enabled(id), checked(id));
    }
}

void VelmorView3dEjemplo::OpenStep(int command)
{
    const TutorStage step = StepOfCommand(command);
    const bool skip = m_skip;
    m_skip = false;
    if (!Tutor().OpenStep(step))
        return;
    if (skip) {
        Tutor().Advance();
        return;
    }
    const int answer = m_dialogs.step ? m_dialogs.step(step, Tutor().IsExercise(), m_doc.Problem().m_nType)
                                      : int(QDialog::Accepted);
    if (answer == SolutionDialogs::kSkipStep)
        Tutor().Advance();
}

void VelmorView3dEjemplo::OnStepDone()
{
    const TutorStage target = Tutor().Target();
    const int answer = m_dialogs.flow ? m_dialogs.flow(target) : int(QDialog::Accepted);
    // The flow chart leads on to the new target's step command, at once when it said to skip.
    m_skip = answer == SolutionDialogs::kSkipStep;
    OnCommand(CommandOfStep(target));
    m_skip = false;
}

// ---- result commands

ExampleState VelmorView3dEjemplo::CommandState() const
{
    ExampleState s;
    const TutorState t = Tutor().State();
    // Without a solution of the structure on screen (cancelled, or the structure changed
    // since) there are no results to show, whatever step the tutor had reached.
    const auto analysis = Tutor().CurrentAnalysis();
    const bool results = Tutor().IsSolved() && analysis && analysis->IsCurrent();
    s.step = results ? StageNumber(t.target) : 0;
    s.previousStep = results ? StageNumber(t.done) : 0;
    s.problemType = m_doc.Problem().m_nType;
    s.lawMask = m_lawMask;
    s.selection = m_selection;
    s.fem = m_fem;
    s.valueLabels = m_valueLabels;
    s.beamZoom = m_beamZoom;
    s.lawDrawing = m_drawing;
    s.functionFactor = m_functionFactor;
    return s;
}

void VelmorView3dEjemplo::AddResultCommands()
{
    const auto enabled = [this](int id) {
        return [this, id] { return ExampleCommandStateOf(id, CommandState())->enabled; };
    };
    const auto checked = [this](int id) {
        return [this, id] { return ExampleCommandStateOf(id, CommandState())->checked; };
    };
    const auto repaint = [this] { m_doc.UpdateAllViews({UpdateHint::Model}); };
    for (int id : {CMD_DEFORMED, CMD_AXIAL, CMD_SHEAR_Y, CMD_SHEAR_Z, CMD_TORSION, CMD_MOMENT_Y,
                   CMD_MOMENT_Z, CMD_INFLEXION})
        m_commands.Add(id, [this, id, repaint] {
            m_lawMask ^= LawBitOfCommand(id);
            m_selection = SELECT_LAWS;
            repaint();
        }, enabled(id), checked(id));
    for (int id : {CMD_DISPLACEMENTS, CMD_REACTIONS, CMD_EFFORTS, CMD_BEAM_VALUES})
        m_commands.Add(id, [this, id] { m_selection = SelectionOfCommand(id); }, enabled(id),
                       checked(id));
    m_commands.Add(CMD_FEM, [this, repaint] {
        m_fem = !m_fem;
        repaint();
    }, enabled(CMD_FEM), checked(CMD_FEM));
    m_commands.Add(CMD_VALUE_LABELS, [this, repaint] {
        m_valueLabels = !m_valueLabels;
        repaint();
    }, enabled(CMD_VALUE_LABELS), checked(CMD_VALUE_LABELS));
    m_commands.Add(CMD_FUNCTION_UP, [this, repaint] {
        m_functionFactor = FunctionFactorUp(m_functionFactor);
        repaint();
    }, enabled(CMD_FUNCTION_UP));
    m_commands.Add(CMD_FUNCTION_DOWN, [this, repaint] {
        m_functionFactor = FunctionFactorDown(m_functionFactor);
        repaint();
    }, enabled(CMD_FUNCTION_DOWN));
    m_commands.Add(CMD_BEAM_ZOOM, [this] {
        m_beamZoom = true;
        ShowPrompt(QString::fromUtf8("Sélectionner une poutre"));
    }, enabled(CMD_BEAM_ZOOM), checked(CMD_BEAM_ZOOM));
    // The whole structure also ends a beam zoom.
    m_commands.Add(ID_ZOOM_ALL, [this] {
        if (m_beamZoom || m_drawing) {
            m_beamZoom = false;
            m_doc.UpdateAllViews({UpdateHint::LeaveCalculation});
        }
        ZoomReset();
    });
}

// ---- the exercises' diagrams

int VelmorView3dEjemplo::DoneLawsOfCurrentBeam() const
{
    const auto analysis = Tutor().CurrentAnalysis();
    const VelmorObject* beam = CurrentBeam();
    if (!analysis || !beam || !Tutor().ResultsComputed())
        return 0;
    int done = 0;
    for (int code : kLawCodes)
        if (analysis->LawDoneFlag(*beam, code))
            done |= code;
    return done;
}

void VelmorView3dEjemplo::AddDiagramCommands()
{
    const auto state = [this](int id) {
        // Before the results are computed there are no laws to draw, whatever the step.
        const int step = Tutor().ResultsComputed() ? StageNumber(Tutor().Target()) : 0;
        const DiagramContext context{m_doc.Problem().m_nType, step, DoneLawsOfCurrentBeam()};
        return DiagramCommandStateOf(id, m_checker, context);
    };
    const auto enabled = [state](int id) { return [state, id] { return state(id).enabled; }; };
    const auto checked = [state](int id) { return [state, id] { return state(id).checked; }; };
    const auto repaint = [this] { m_doc.UpdateAllViews({UpdateHint::Model}); };
    for (int id : {CMD_LAW_AXIAL, CMD_LAW_SHEAR_Y, CMD_LAW_SHEAR_Z, CMD_LAW_TORSION, CMD_LAW_MOMENT_Y,
                   CMD_LAW_MOMENT_Z})
        m_commands.Add(id, [this, id] {
            m_checker.ChooseLaw(DiagramLawOfCommand(id));
            m_lawMask = (m_lawMask & ~LAW_BITS_ALL) | m_checker.Law();
            StartDiagram();
        }, enabled(id), checked(id));
    for (int id : {CMD_STEP_UP, CMD_STEP_DOWN, CMD_STEP_CONSTANT, CMD_STEP_INCREASING,
                   CMD_STEP_DECREASING, CMD_STEP_POSITIVE_PARABOLA, CMD_STEP_NEGATIVE_PARABOLA,
                   CMD_STEP_POSITIVE_CUBIC_LEFT, CMD_STEP_POSITIVE_CUBIC_RIGHT,
                   CMD_STEP_NEGATIVE_CUBIC_LEFT, CMD_STEP_NEGATIVE_CUBIC_RIGHT})
        m_commands.Add(id, [this, id, repaint] {
            const DiagramFinding finding = m_checker.Command(id);
            if (finding.verdict == DiagramVerdict::Rejected) {
                ShowMessage(std::string(finding.message), MessageIcon::Information);
                return;
            }
            if (finding.verdict != DiagramVerdict::Accepted)
                return;
            FollowChecker();
            repaint();
        }, enabled(id), checked(id));
    m_commands.Add(CMD_DIAGRAM_AUTOMATIC, [this, repaint] {
        m_checker.Automatic();
        FollowChecker();
        repaint();
    }, enabled(CMD_DIAGRAM_AUTOMATIC), checked(CMD_DIAGRAM_AUTOMATIC));
    m_commands.Add(CMD_DIAGRAM_QUIT, [this] {
        const auto analysis = Tutor().CurrentAnalysis();
        const DiagramQuit quit = m_checker.Quit(analysis && analysis->DiagramsDone());
        m_doc.UpdateAllViews({UpdateHint::LeaveCalculation});
        m_lawMask &= ~LAW_BITS_ALL;
        m_doc.Problem().m_pShownBeam = nullptr;
        if (quit.allDone) {
            Tutor().AllLawsDrawn();
            ShowMessage(std::string(quit.message), MessageIcon::Information);
        }
        viewport()->update();
    }, enabled(CMD_DIAGRAM_QUIT), checked(CMD_DIAGRAM_QUIT));
    const auto toggle = [this, repaint](void (DiagramChecker::*flip)()) {
        return [this, repaint, flip] {
            (m_checker.*flip)();
            FollowChecker();
            repaint();
        };
    };
    m_commands.Add(CMD_SHOW_LOAD, toggle(&DiagramChecker::ToggleShowLoad), enabled(CMD_SHOW_LOAD),
                   checked(CMD_SHOW_LOAD));
    m_commands.Add(CMD_SHOW_SHEAR, toggle(&DiagramChecker::ToggleShowShear), enabled(CMD_SHOW_SHEAR),
                   checked(CMD_SHOW_SHEAR));
    m_commands.Add(CMD_SHOW_MOMENT, toggle(&DiagramChecker::ToggleShowMoment),
                   enabled(CMD_SHOW_MOMENT), checked(CMD_SHOW_MOMENT));
}

void VelmorView3dEjemplo::StartDiagram()
{
    VelmorObject* beam = CurrentBeam();
    const auto analysis = Tutor().CurrentAnalysis();
    const int law = m_checker.Law();
    if (!beam || !law || !analysis || !Tutor().ResultsComputed())
        return;
    if (analysis->LawDoneFlag(*beam, law))
        return;
    // A drawing of another law on this beam gives way to the new one, seen in its own plane.
    if (m_drawing) {
        EndLawDrawing();
        m_doc.Problem().m_pShownBeam = beam;
    }
    double ends[2] = {0.0, 0.0};
    const Polynomial polynomial = analysis->GetLaw(*beam, law, ends);
    if (!m_checker.Start(polynomial, ends, analysis->BeamResult(*beam).L, false))
        return;
    m_doc.UpdateAllViews({UpdateHint::LawStarted, beam});
    FollowChecker();
    viewport()->update();
}

void VelmorView3dEjemplo::FollowChecker()
{
    m_progress = m_checker.Progress();
    m_showLoad = m_checker.ShowLoad();
    m_showShear = m_checker.ShowShear();
    m_showMoment = m_checker.ShowMoment();
    if (!m_checker.Finished())
        return;
    // Announced here rather than while painting: a message box must not open inside a paint.
    const DiagramCompletion completion = m_checker.Paint();
    m_progress = m_checker.Progress();
    VelmorObject* beam = CurrentBeam();
    const auto analysis = Tutor().CurrentAnalysis();
    if (completion.markDone && beam && analysis) {
        const int index = DoneIndexOfLaw(m_checker.Law());
        if (index >= 0)
            analysis->BeamResult(*beam).done[index] = 1;
    }
    if (completion.messageId)
        ShowMessage(std::string(completion.message), MessageIcon::Information);
}

void VelmorView3dEjemplo::OnUpdate(const ChangeEvent& change)
{
    switch (change.hint) {
    case UpdateHint::LawStarted:
        StartLawDrawing(CurrentBeam());
        return;
    case UpdateHint::LeaveCalculation:
        EndLawDrawing();
        return;
    default: VelmorBaseView::OnUpdate(change);
    }
}

// ---- the law drawing of a single beam

VelmorObject* VelmorView3dEjemplo::CurrentBeam() const
{
    return const_cast<VelmorObject*>(m_doc.Problem().m_pShownBeam);
}

int VelmorView3dEjemplo::DrawingLaw() const
{
    for (int code : {CODE_MZ, CODE_MY, CODE_VY, CODE_VZ, CODE_N, CODE_T})
        if (m_lawMask & code)
            return code;
    return 0;
}

void VelmorView3dEjemplo::StartLawDrawing(VelmorObject* beam)
{
    if (m_drawing || !beam || beam->Kind() != KIND_BEAM)
        return;
    VelmorProblem& problem = m_doc.Problem();
    m_savedDirection = m_camera.Direction();
    m_savedViewCode = m_camera.ViewCode();
    problem.m_pShownBeam = beam;
    const MfxTMatrix local = Analysis::LocalFrame(*beam);
    const int law = DrawingLaw();
    // The beam's plane of the law faces the viewer.
    const bool fromZ = problem.m_nType <= PROBLEM_PLANE_FRAME || law == CODE_VY || law == CODE_MZ;
    const Mfx3dPoint direction = fromZ ? local.Column(3) : -local.Column(2);
    m_drawing = true;
    // The picture holds the beam and room on both sides of it for its diagrams and the
    // arrow of the positive side (a beam's own box is flat).
    Mfx3dPoint p1, p2;
    beam->GetPosition(p1, 1, 0);
    beam->GetPosition(p2, 2, 0);
    const double room = 0.4 * (p2 - p1).length();
    Mfx3dPoint lo = p1, hi = p1;
    for (const Mfx3dPoint& end : {p1, p2})
        for (const Mfx3dPoint& side : {local.Column(2), local.Column(3)})
            for (const double sign : {-1.0, 1.0}) {
                const Mfx3dPoint q = end + side * (sign * room);
                lo = Mfx3dPoint(std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z));
                hi = Mfx3dPoint(std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z));
            }
    m_camera.SetView(Mfx3dBox(lo, hi), 20.0, Mfx3dCamera::kViewGiven | Mfx3dCamera::kViewIgnoredBit,
                     direction, this);
    m_viewCode = m_camera.ViewCode();
    ZoomReset();
    m_selection = SELECT_EFFORTS;
    m_showLoad = m_showShear = m_showMoment = false;
    m_progress = Tutor().IsExercise() ? -1.0 : 1.5;
    m_doc.UpdateAllViews({UpdateHint::ElementValues, beam});
    emit ResultsSelected(kEffortsBar, beam);
    viewport()->update();
    emit LawDrawingChanged();
}

void VelmorView3dEjemplo::EndLawDrawing()
{
    if (!m_drawing)
        return;
    m_drawing = false;
    m_checker.EndDrawing();
    m_doc.Problem().m_pShownBeam = nullptr;
    m_valueLines.clear();
    m_camera.SetView(m_doc.Problem().StructureBox(), 20.0, m_savedViewCode, m_savedDirection, this);
    m_viewCode = m_savedViewCode;
    ZoomReset();
    viewport()->update();
    emit LawDrawingChanged();
}

bool VelmorView3dEjemplo::IsShown(const VelmorObject& element) const
{
    const VelmorObject* beam = m_drawing ? CurrentBeam() : nullptr;
    if (!beam)
        return true;
    switch (element.Kind()) {
    case KIND_BEAM: return &element == beam;
    case KIND_NODE: return &element == beam->GetParent(1) || &element == beam->GetParent(2);
    case KIND_SUPPORT: {
        const VelmorObject* node = element.GetParent(0);
        return node && (node == beam->GetParent(1) || node == beam->GetParent(2));
    }
    case KIND_BEAM_LOAD: return m_showLoad && element.GetParent(0) == beam;
    case KIND_NODAL_LOAD: {
        const VelmorObject* node = element.GetParent(0);
        return m_showLoad && node && (node == beam->GetParent(1) || node == beam->GetParent(2));
    }
    default: return true;
    }
}

// ---- clicks

void VelmorView3dEjemplo::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_mode == kZoomMode) {
        VelmorBaseView::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (m_beamZoom && !m_drawing) {
        if (VelmorObject* beam = HitTest(KIND_BEAM, p.x(), p.y())) {
            m_doc.Problem().m_pShownBeam = beam;
            m_doc.UpdateAllViews({UpdateHint::LawStarted, beam});
        }
        return;
    }
    if (Tutor().IsExercise() && ExerciseClick(p))
        return;
    if (Tutor().IsSolved())
        SelectResults(p);
}

bool VelmorView3dEjemplo::PickAndExamine(VelmorObject* element)
{
    if (!element || !Tutor().Pick(element))
        return false;
    Tutor().Examine();
    return true;
}

bool VelmorView3dEjemplo::ExerciseClick(QPoint point)
{
    VelmorTutor& tutor = Tutor();
    const auto hit = [&](int kind) { return HitTest(kind, point.x(), point.y()); };
    switch (tutor.Target()) {
    case TutorStage::Numbering: {
        VelmorObject* node = hit(KIND_NODE);
        if (!node || tutor.Done() == TutorStage::Numbering)
            return false;
        if (node->GetNumber(0) > 0 || !PickAndExamine(node)) {
            Messages().Beep();
            return true;
        }
        if (tutor.Done() == TutorStage::Numbering) {
            ShowMessage(LoadString(61263), MessageIcon::Information);
            m_doc.UpdateAllViews({UpdateHint::ItemDone});
            tutor.Advance();
        }
        viewport()->update();
        return true;
    }
    case TutorStage::Stiffness: return PickAndExamine(hit(KIND_BEAM));
    case TutorStage::Loads:
        return PickAndExamine(hit(KIND_NODAL_LOAD)) || PickAndExamine(hit(KIND_BEAM)) ||
               PickAndExamine(hit(KIND_BEAM_LOAD));
    case TutorStage::Supports: return PickAndExamine(hit(KIND_SUPPORT));
    case TutorStage::Laws: {
        if (m_drawing) {
            // The accepted shape drawn up to the point clicked on the beam.
            VelmorObject* beam = CurrentBeam();
            if (!beam || !m_checker.Drawing() || m_checker.Limit() < 0.0)
                return false;
            Mfx3dPoint a, b;
            beam->GetPosition(a, 1, 0);
            beam->GetPosition(b, 2, 0);
            const MfxPoint pa = m_camera.Project(a), pb = m_camera.Project(b);
            if (m_checker.DrawTo(BeamFraction(point.x(), point.y(), pa.x, pa.y, pb.x, pb.y)) == 0)
                return false;
            FollowChecker();
            m_doc.UpdateAllViews({UpdateHint::Model});
            return true;
        }
        VelmorObject* beam = hit(KIND_BEAM);
        if (!beam)
            return false;
        m_doc.Problem().m_pShownBeam = beam;
        StartDiagram();
        viewport()->update();
        return true;
    }
    default: return false;
    }
}

void VelmorView3dEjemplo::SelectResults(QPoint point)
{
    const auto hit = [&](int kind) { return HitTest(kind, point.x(), point.y()); };
    switch (m_selection) {
    case SELECT_BEAM_VALUES:
    case SELECT_EFFORTS:
        if (VelmorObject* beam = hit(KIND_BEAM)) {
            m_doc.UpdateAllViews({UpdateHint::ElementValues, beam});
            emit ResultsSelected(kEffortsBar, beam);
        }
        return;
    case SELECT_DISPLACEMENTS:
        if (VelmorObject* node = hit(KIND_NODE)) {
            m_doc.UpdateAllViews({UpdateHint::NodeValues, node});
            emit ResultsSelected(kDisplacementsBar, node);
        }
        return;
    case SELECT_REACTIONS:
        if (VelmorObject* support = hit(KIND_SUPPORT); support && support->GetParent(0)) {
            m_doc.UpdateAllViews({UpdateHint::ElementValues, support});
            // The bar shows the reactions of the supported node.
            emit ResultsSelected(kReactionsBar, support->GetParent(0));
        }
        return;
    default: return;
    }
}

// ---- painting

const BeamAnalysis* VelmorView3dEjemplo::Record(const VelmorObject& beam) const
{
    // The results of a structure changed since (an edit in the editor, an undo) belong to
    // another structure: nothing is drawn from them.
    const auto analysis = Tutor().CurrentAnalysis();
    if (!analysis || !analysis->IsCurrent() || !Tutor().ResultsComputed())
        return nullptr;
    const BeamAnalysis& exact = analysis->BeamResult(beam);
    if (!m_fem || !(exact.L > 0.0))
        return &exact;
    BeamAnalysis& fem = analysis->BeamResult(beam, 1);
    if (fem.L != exact.L || fem.q.Rows() != exact.q.Rows()) {
        const unsigned c = unsigned(analysis->DofPerNode());
        const Vector q12 = exact.q.SelectByMask(analysis->DofMask(), 6, c, 6);
        const Vector d12 = exact.dl.SelectByMask(analysis->DofMask(), 6, c, 6);
        std::array<double, 12> q{}, d{};
        for (unsigned i = 0; i < 12 && i < q12.Rows() && i < d12.Rows(); ++i) {
            q[i] = q12.At(long(i) + 1);
            d[i] = d12.At(long(i) + 1);
        }
        const VelmorObject* section = beam.GetParent(0);
        const auto* sd = section ? dynamic_cast<const VelmorSeccionData*>(section->m_pData.get()) : nullptr;
        const auto laws = FiniteElementLaws(q, d, exact.L, exact.release,
                                            sd && sd->m_nShape == SHAPE_AXIAL, m_doc.Problem().m_nType);
        for (int k = 0; k < LAW_COUNT; ++k)
            fem.laws[k] = laws[size_t(k)];
        fem.q = exact.q;
        fem.dl = exact.dl;
        fem.release = exact.release;
        fem.L = exact.L;
    }
    return &fem;
}

void VelmorView3dEjemplo::ComputeScales()
{
    const auto analysis = Tutor().CurrentAnalysis();
    const Mfx3dBox box = m_doc.Problem().StructureBox();
    m_scales = analysis && Tutor().ResultsComputed()
                   ? ComputeLawScales((box.MaxCorner() - box.MinCorner()).length(), m_functionFactor,
                                      analysis->Extrema())
                   : LawScales{};
}

void VelmorView3dEjemplo::DrawOverlay(Mfx3dDC& dc)
{
    // The values along the beam beside the sign-convention picture.
    const PixelPoint origin{20 + 112 + 12 + horizontalScrollBar()->value(),
                            viewport()->height() - 20 - 75 + verticalScrollBar()->value()};
    m_valuesAboveOrigin = true;
    DrawResults(dc, m_palette, 1.0, origin);
}

void VelmorView3dEjemplo::PrintOverlay(Mfx3dDC& dc, double pixelScale)
{
    // Paper is white whatever the screen's background.
    const Palette paper;
    m_valuesAboveOrigin = false;
    DrawResults(dc, paper, pixelScale,
                PixelPoint{int(20 * pixelScale), int(20 * pixelScale)});
}

void VelmorView3dEjemplo::DrawResults(Mfx3dDC& dc, const Palette& palette, double textScale,
                                      PixelPoint textOrigin)
{
    ComputeScales();
    DrawNodeNumbers(dc, textScale);
    if (m_drawing) {
        DrawLawDrawing(dc, palette, textScale, textOrigin);
        return;
    }
    const bool exercise = Tutor().IsExercise();
    // The exercises show the laws the student has drawn.
    const int mask = exercise ? (m_lawMask & (LAW_INFLEXION | LAW_DEFORMED)) | LAW_BITS_ALL : m_lawMask;
    if (mask == 0)
        return;
    for (const auto& beam : m_doc.Problem().List(KIND_BEAM))
        if (IsShown(*beam))
            DrawBeamLaws(dc, palette, *beam, mask, 0.0, 1.0, textScale, exercise);
}

void VelmorView3dEjemplo::DrawNodeNumbers(Mfx3dDC& dc, double textScale)
{
    const VelmorTutor& tutor = Tutor();
    if ((tutor.Target() == TutorStage::None && tutor.Done() == TutorStage::None) ||
        !m_options.IsOn(OPT_SHOW_NODES))
        return;
    Mfx3dPoint p;
    for (const auto& node : m_doc.Problem().List(KIND_NODE)) {
        const int number = node->GetNumber(0);
        if (number > 0 && IsShown(*node))
            dc.DrawText3d(std::to_string(number), node->GetPosition(p, 0, 0), MfxColor(0, 0, 255),
                          scaled(15, textScale), -scaled(15, textScale), Mfx3dDC::kTransparent,
                          scaled(12, textScale));
    }
}

void VelmorView3dEjemplo::DrawBeamLaws(Mfx3dDC& dc, const Palette& palette, const VelmorObject& beam,
                                       int mask, double from, double to, double textScale,
                                       bool onlyDone)
{
    const BeamAnalysis* r = Record(beam);
    if (!r || !(r->L > 0.0))
        return;
    const auto analysis = Tutor().CurrentAnalysis();
    const int type = m_doc.Problem().m_nType;
    Mfx3dPoint p1, p2;
    beam.GetPosition(p1, 1, 0);
    beam.GetPosition(p2, 2, 0);
    const MfxTMatrix local = Analysis::LocalFrame(beam);
    const int divisions = m_fem ? 10 : 20;
    const int mode = m_fem ? Mfx3dDC::kUnitScale | Mfx3dDC::kHatch : Mfx3dDC::kHatch;
    for (int code : kLawCodes) {
        if (!(mask & code) || (onlyDone && !analysis->LawDoneFlag(beam, code)))
            continue;
        const Polynomial& law = r->laws[LawIndexOfCode(code)];
        const double scale = ScaleOfLaw(m_scales, code);
        if (law.IsZero() || scale == 0.0)
            continue;
        const Mfx3dPoint axis = plotAxis(local, code, type);
        const int entry = lawColourEntry(code);
        const MfxColor colour = palette.Color(entry);
        if (m_fem) {
            const Polynomial ordinate = law.Scale(scale);
            dc.DrawLaw(std::span<const Polynomial>(&ordinate, 1), p1, p2, axis, 1.0, divisions, from, to,
                       mode, colour);
        } else {
            dc.DrawLaw(std::span<const Polynomial>(&law, 1), p1, p2, axis, scale, divisions, from, to,
                       mode, colour);
        }
        // The largest and the smallest value of the diagram, where they are.
        double tMax = 0.0, tMin = 0.0, vMax = law.Evaluate(0.0), vMin = vMax;
        for (int i = 1; i <= 20; ++i) {
            const double t = i / 20.0, v = law.Evaluate(t * r->L);
            if (v > vMax)
                vMax = v, tMax = t;
            if (v < vMin)
                vMin = v, tMin = t;
        }
        // Between the samples, where the law is stationary: the true extreme (9qL²/128 at
        // 3L/8 of a propped span, not the value at the nearest twentieth).
        for (const LawValue& stationary : ValuesAlong(law, r->L)) {
            const double t = stationary.x / r->L;
            if (stationary.value > vMax)
                vMax = stationary.value, tMax = t;
            if (stationary.value < vMin)
                vMin = stationary.value, tMin = t;
        }
        const double largest = std::max(std::fabs(vMax), std::fabs(vMin));
        const auto label = [&](double t, double v) {
            if (t < from - 1e-9 || t > to + 1e-9 || std::fabs(v) < 1e-3 * largest || std::fabs(v) < 1e-12)
                return;
            const Mfx3dPoint at = p1 + (p2 - p1) * t + axis * (v * scale);
            // Beyond the curve, away from the beam's axis; at an end, moved in along the beam so
            // that it stays clear of the node's number.
            const PixelPoint a = dc.ProjectPoint(at), b = dc.ProjectPoint(p1 + (p2 - p1) * t);
            const std::string text = extremeText(v);
            const int height = scaled(11, textScale), width = int(text.size()) * height * 6 / 10;
            double ux = a.x - b.x, uy = a.y - b.y;
            const double n = std::hypot(ux, uy);
            if (n > 0.5)
                ux /= n, uy /= n;
            else
                ux = 0.0, uy = -1.0;
            int dx = int(ux * scaled(4, textScale)) - (ux < -0.3 ? width : ux > 0.3 ? 0 : width / 2);
            int dy = int(uy * scaled(4, textScale)) - (uy < -0.3 ? height : uy > 0.3 ? 0 : height / 2);
            if (t < 1e-9 || t > 1.0 - 1e-9) {
                const PixelPoint e1 = dc.ProjectPoint(p1), e2 = dc.ProjectPoint(p2);
                const double ex = e2.x - e1.x, ey = e2.y - e1.y, en = std::hypot(ex, ey);
                if (en > 0.5) {
                    // By half the label's extent along the beam and a little more, so that the
                    // end labels of two beams meeting at a node sit side by side, not on top
                    // of each other.
                    const double bx = ex / en, by = ey / en;
                    const double half = std::fabs(bx) * width / 2.0 + std::fabs(by) * height / 2.0;
                    const double inward = (t < 0.5 ? 1.0 : -1.0) * (half + scaled(4, textScale));
                    dx += int(bx * inward);
                    dy += int(by * inward);
                }
            }
            dc.DrawText3d(text, at, labelColour(palette, entry), dx, dy, Mfx3dDC::kTransparent, height);
        };
        label(tMax, vMax);
        if (std::fabs(tMin - tMax) > 1e-9)
            label(tMin, vMin);
    }
    if (mask & LAW_DEFORMED) {
        const double scale = m_scales.displacement;
        if (scale != 0.0 && !(r->laws[LAW_U].IsZero() && r->laws[LAW_V].IsZero() && r->laws[LAW_W].IsZero())) {
            // The displacement vector in global axes.
            Polynomial global[3];
            for (int i = 0; i < 3; ++i)
                global[i] = r->laws[LAW_U].Scale(local(i + 1, 1))
                                .Add(r->laws[LAW_V].Scale(local(i + 1, 2)))
                                .Add(r->laws[LAW_W].Scale(local(i + 1, 3)));
            dc.DrawLaw(std::span<const Polynomial>(global, 3), p1, p2, Mfx3dPoint(0, 0, 0, 0), scale, 40,
                       from, to, 0, palette.Color(PAL_DEFORMED));
        }
    }
    if (mask & LAW_INFLEXION) {
        const MfxColor colour = palette.Color(PAL_MOMENT_LAW);
        const auto discs = [&](const double* xs, int n) {
            for (int i = 0; i < n; ++i)
                dc.DrawDisc(p1 + (p2 - p1) * (xs[i] / r->L), m_sizes.nodeRadius * 0.8, Mfx3dDC::kFilled,
                            colour);
        };
        dc.SetPen(colour);
        discs(r->inflexMz, r->nInflexMz);
        discs(r->inflexMy, r->nInflexMy);
    }
}

void VelmorView3dEjemplo::DrawLawDrawing(Mfx3dDC& dc, const Palette& palette, double textScale,
                                         PixelPoint textOrigin)
{
    m_valueLines.clear();
    VelmorObject* beam = CurrentBeam();
    const BeamAnalysis* r = beam ? Record(*beam) : nullptr;
    if (!r || !(r->L > 0.0))
        return;
    const auto analysis = Tutor().CurrentAnalysis();
    const bool exercise = Tutor().IsExercise();
    const int law = DrawingLaw();
    Mfx3dPoint p1, p2;
    beam->GetPosition(p1, 1, 0);
    beam->GetPosition(p2, 2, 0);
    const MfxColor pen = palette.Color(PAL_PEN);
    if (law) {
        // The side on which positive values are plotted.
        const Mfx3dPoint tip = p1 + plotAxis(Analysis::LocalFrame(*beam), law, m_doc.Problem().m_nType) * (r->L / 3.0);
        dc.DrawArrow(p1, tip, 0.2, 0, pen);
        dc.DrawText3d(" + ", tip, pen, scaled(5, textScale), scaled(5, textScale), Mfx3dDC::kTransparent,
                      scaled(14, textScale));
    }
    // The companion law the student may look at.
    int companions = 0;
    const auto done = [&](int code) { return !exercise || analysis->LawDoneFlag(*beam, code); };
    if (m_showShear && law == CODE_MY && done(CODE_VZ))
        companions |= CODE_VZ;
    if (m_showShear && law == CODE_MZ && done(CODE_VY))
        companions |= CODE_VY;
    if (m_showMoment && law == CODE_VY && done(CODE_MZ))
        companions |= CODE_MZ;
    if (m_showMoment && law == CODE_VZ && done(CODE_MY))
        companions |= CODE_MY;
    if (companions)
        DrawBeamLaws(dc, palette, *beam, companions, 0.0, 1.0, textScale, false);
    if (m_progress < 0.0)
        return;
    const int drawn = exercise ? law : m_lawMask;
    DrawBeamLaws(dc, palette, *beam, drawn, 0.0, std::min(m_progress, 1.0), textScale, false);
    if (m_progress <= 1.0)
        return;
    for (int code : kLawCodes)
        if ((drawn & code) && !r->laws[LawIndexOfCode(code)].IsZero())
            for (const LawValue& v : ValuesAlong(r->laws[LawIndexOfCode(code)], r->L))
                m_valueLines.push_back(FormatLawValue(v.x, LawLabel(code), v.value));
    if (drawn & LAW_DEFORMED)
        for (const LawValue& v : DisplacementValuesAlong(r->laws[LAW_U], r->laws[LAW_V], r->laws[LAW_W], r->L))
            m_valueLines.push_back(FormatLawValue(v.x, LawLabel(0), v.value));
    if (m_valueLabels) {
        const int height = scaled(12, textScale), step = scaled(15, textScale);
        // On screen five lines fit beside the picture; more rise above it.
        const int top = textOrigin.y - (m_valuesAboveOrigin ? std::max(0, int(m_valueLines.size()) - 5) * step : 0);
        for (size_t i = 0; i < m_valueLines.size(); ++i)
            dc.DrawText2d(m_valueLines[i], PixelPoint{textOrigin.x, top + int(i) * step},
                          palette.Color(PAL_TEXT), Mfx3dDC::kTransparent, height);
    }
}

void VelmorView3dEjemplo::DrawWindowOverlay(QPainter& painter)
{
    const int law = DrawingLaw();
    if (!m_drawing || !law)
        return;
    static const QImage pictures[4] = {signPicture(CODE_VY), signPicture(CODE_MZ), signPicture(CODE_N),
                                       signPicture(CODE_T)};
    const int which = (law == CODE_VY || law == CODE_VZ) ? 0 : (law == CODE_MY || law == CODE_MZ) ? 1
                      : law == CODE_N                    ? 2
                                                         : 3;
    // In the bottom-left corner: the drawing of a single beam is laid from the window's top.
    painter.drawImage(QPoint(20, viewport()->height() - 20 - 75), pictures[which]);
}

} // namespace velmor
