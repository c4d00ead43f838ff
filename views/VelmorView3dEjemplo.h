// The structure view of the examples and exercises: the solution commands that drive the
// document's step-by-step solution, the clicks of the exercises' steps, the node numbers, the
// deformed shape and the internal-force laws of every beam, the law drawing of a single beam and
// the selection of the values a result bar shows.
#pragma once

#include "VelmorBaseView.h"
#include "tutor/core/TutorTypes.h"
#include "views/core/DiagramChecker.h"
#include "views/core/ExampleRules.h"

#include <functional>
#include <string>
#include <vector>

namespace velmor {

class VelmorTutor;

// The dialogs of the solution, each returning QDialog::Accepted, Rejected or kSkipStep.
struct SolutionDialogs
{
    static constexpr int kSkipStep = 250;
    // The step dialog of a step ("Résolution pas à pas").
    std::function<int(TutorStage step, bool exercise, int problemType)> step;
    // The flow chart "Diagramme de calcul" with the new target step.
    std::function<int(TutorStage target)> flow;
};

class VelmorView3dEjemplo : public VelmorBaseView
{
    Q_OBJECT
public:
    explicit VelmorView3dEjemplo(VelmorDoc& doc, QWidget* parent = nullptr);
    ~VelmorView3dEjemplo() override;

    SolutionDialogs& Dialogs() { return m_dialogs; }
    // The checking of the student's diagrams in the exercises' step 6.
    const DiagramChecker& Checker() const { return m_checker; }
    VelmorTutor& Tutor() const;

    // The message shown instead of starting a step-by-step solution whose band matrix would not
    // fit a sensible amount of memory.
    static QString TooLargeMessage(double megabytes);

    void OnUpdate(const ChangeEvent& change) override;

    // ---- what the result commands set
    // Bits 1 ... 32 the laws, 64 the inflexion points, 128 the deformed shape; in an exercise's
    // law drawing the bits 1 ... 32 hold the one law drawn.
    int LawMask() const { return m_lawMask; }
    void SetLawMask(int mask) { m_lawMask = mask; }
    int Selection() const { return m_selection; }
    bool FemView() const { return m_fem; }
    double FunctionFactor() const { return m_functionFactor; }
    // The scales of the last paint.
    const LawScales& Scales() const { return m_scales; }
    // The state the command rules read.
    ExampleState CommandState() const;

    // ---- the law drawing of a single beam
    // Starts it on the beam when none runs: the camera turned to the beam's plane of the law,
    // the beam alone in the picture, its values in the internal-forces bar, progress 1.5 in the
    // examples (the whole law at once) and -1 in the exercises.
    void StartLawDrawing(VelmorObject* beam);
    // Ends it: the whole structure again under the camera the user had before.
    void EndLawDrawing();
    bool LawDrawingRuns() const { return m_drawing; }
    VelmorObject* CurrentBeam() const;
    // The law a drawing shows (its arrow and sign picture): in the exercises the mask's law, in
    // the examples the first of Mz, My, Qy, Qz, N, T in the mask; 0 for none.
    int DrawingLaw() const;
    // How far the law is drawn, as a fraction of the beam (above 1: all of it, with its values).
    double Progress() const { return m_progress; }
    void SetProgress(double progress) { m_progress = progress; }
    bool ShowLoad() const { return m_showLoad; }
    bool ShowShear() const { return m_showShear; }
    bool ShowMoment() const { return m_showMoment; }
    void SetShowLoad(bool on) { m_showLoad = on; }
    void SetShowShear(bool on) { m_showShear = on; }
    void SetShowMoment(bool on) { m_showMoment = on; }
    // The values written along the beam at the last paint of a law drawing.
    const std::vector<std::string>& ValueLines() const { return m_valueLines; }

signals:
    // A law drawing started or ended (the frame shows the drawing toolbar while one runs).
    void LawDrawingChanged();
    // A click chose what a result bar shows: the bar (428 displacements, 430 reactions, 429
    // internal forces) and the node or beam.
    void ResultsSelected(int barKind, const VelmorObject* element);

protected:
    void DrawOverlay(Mfx3dDC& dc) override;
    void DrawWindowOverlay(QPainter& painter) override;
    void PrintOverlay(Mfx3dDC& dc, double pixelScale) override;
    bool IsShown(const VelmorObject& element) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void AddSolutionCommands();
    void AddResultCommands();
    // The "&Diagramme" menu and the drawing toolbar of the exercises.
    void AddDiagramCommands();
    // Starts drawing the chosen law on the current beam, unless it is done for that beam.
    void StartDiagram();
    // After a checker's answer: the view's progress and help drawings follow the checker; a law
    // just finished is marked done for the beam and "Algorithme terminé." is shown once.
    void FollowChecker();
    // The laws done for the current beam, or'ed.
    int DoneLawsOfCurrentBeam() const;
    // A step command: the step becomes the target and its dialog is shown (not when the flow
    // chart said to skip it); a skipped step is completed at once.
    void OpenStep(int command);
    void OnStepDone();

    // The exercises' clicks of steps 1 to 4 and 6; true when the click was used.
    bool ExerciseClick(QPoint point);
    // Picks an item of the step being worked on and examines it.
    bool PickAndExamine(VelmorObject* element);
    // Once solved: the values of the element clicked, by selection mode.
    void SelectResults(QPoint point);

    // Everything drawn over the structure, on screen or on paper (text heights times `textScale`).
    void DrawResults(Mfx3dDC& dc, const Palette& palette, double textScale, PixelPoint textOrigin);
    void DrawNodeNumbers(Mfx3dDC& dc, double textScale);
    // The laws of the mask on one beam from `from` to `to` (fractions of the beam), with their
    // extreme values labelled.
    void DrawBeamLaws(Mfx3dDC& dc, const Palette& palette, const VelmorObject& beam, int mask,
                      double from, double to, double textScale, bool onlyDone);
    void DrawLawDrawing(Mfx3dDC& dc, const Palette& palette, double textScale, PixelPoint textOrigin);
    // The analysis record the view shows of a beam: the engine's or, in the FEM view, the
    // finite-element one (made when first needed).
    const BeamAnalysis* Record(const VelmorObject& beam) const;
    void ComputeScales();

    SolutionDialogs m_dialogs;
    DiagramChecker m_checker;
    bool m_skip = false;

    int m_lawMask = 0;
    bool m_fem = false;
    double m_functionFactor = 1.0;
    LawScales m_scales;
    int m_selection = SELECT_NONE;
    bool m_beamZoom = false;
    bool m_valueLabels = true;
    bool m_showLoad = false, m_showShear = false, m_showMoment = false;
    double m_progress = -1.0;
    bool m_drawing = false;
    Mfx3dPoint m_savedDirection;
    int m_savedViewCode = 0;
    std::vector<std::string> m_valueLines;
    // The values are written from the bottom of the window up (on screen) or down from the
    // page's corner (on paper).
    bool m_valuesAboveOrigin = true;
};

} // namespace velmor
