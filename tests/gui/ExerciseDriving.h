// What the exercise tests do as a student: open a structure in "Exercices", click through the
// assembly, the supports and the solution, and draw a law by its expected choices and clicks
// along the beam. Each step checks what the student would see.
#pragma once

#include "TestHooks.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"
#include "views/core/DiagramChecker.h"

#include <QDialog>
#include <QDockWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <functional>

namespace velmor::test {

inline QPoint OnScreen(const VelmorBaseView& view, const Mfx3dPoint& p)
{
    const MfxPoint d = view.Camera().Project(p);
    return QPoint(int(std::lround(d.x)), int(std::lround(d.y)));
}

// The viewport point at the fraction t along a beam.
inline QPoint AlongBeam(const VelmorBaseView& view, const VelmorObject& beam, double t)
{
    Mfx3dPoint a, b;
    beam.GetPosition(a, 1, 0);
    beam.GetPosition(b, 2, 0);
    return OnScreen(view, a + (b - a) * t);
}

// A choice that draws a piece of the law (not the side it starts or ends on).
inline bool IsShape(DiagramStep step)
{
    return step != DiagramStep::Up && step != DiagramStep::Down && step != DiagramStep::None;
}

// The file opened in "Exercices" in a large main window; the student reads each step dialog and
// the flow chart and presses OK. Null when it cannot be opened.
inline VelmorSplitterFrame* OpenExercise(VelmorApp& app, const QString& path)
{
    app.SetMode(Mode::Exercises);
    app.Main()->resize(1280, 860);
    if (!app.OpenDocument(path))
        return nullptr;
    auto* frame = qobject_cast<VelmorSplitterFrame*>(app.ActiveFrame());
    if (!frame)
        return nullptr;
    SolutionDialogs& d = static_cast<VelmorView3dEjemplo*>(frame->View())->Dialogs();
    d.step = [](TutorStage, bool, int) { return int(QDialog::Accepted); };
    d.flow = [](TutorStage) { return int(QDialog::Accepted); };
    return frame;
}

// A button of the tutor bar, pressed with the mouse; it must be enabled.
inline void PressBarButton(VelmorSplitterFrame* frame, int id)
{
    auto* button = frame->TutorBar()->findChild<QPushButton*>(QString::number(id));
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

// After the numbering: the beams and supports clicked on the structure, "Examiner" for what a
// click half did, for the loads, the solution and the results (after the solution the flow
// chart leads to the results, whose "Examiner" computes them). The tutor then stands at the laws.
inline void AssembleAndSolveByClicks(VelmorSplitterFrame* frame, VelmorView3dEjemplo* view)
{
    VelmorTutor& tutor = frame->Tutor();
    VelmorProblem& problem = frame->Document().Problem();
    Mfx3dPoint p;
    for (int guard = 0;
         guard < 60 && !(tutor.Target() == TutorStage::Laws && tutor.ResultsComputed()); ++guard) {
        const TutorStage target = tutor.Target();
        if (tutor.IsHalf() || target == TutorStage::Loads || target >= TutorStage::Solution ||
            tutor.Done() == target) {
            PressBarButton(frame, 32883); // "Examiner"
            if (QTest::currentTestFailed())
                return;
            continue;
        }
        const int kind = target == TutorStage::Stiffness ? KIND_BEAM : KIND_SUPPORT;
        QCOMPARE(kind == KIND_BEAM ? target : TutorStage::Supports, target);
        VelmorObject* item = nullptr;
        const auto& done = kind == KIND_BEAM ? tutor.BeamDone() : tutor.SupportDone();
        for (size_t i = 0; i < done.size() && !item; ++i)
            if (done[i] != 1)
                item = problem.List(kind).at(i);
        QVERIFY(item);
        QPoint at = kind == KIND_BEAM ? AlongBeam(*view, *item, 0.5)
                                      : OnScreen(*view, item->GetParent(0)->GetPosition(p, 0, 0));
        // A support's symbol hangs below its node.
        for (int dy = 0; dy < 40 && view->HitTest(kind, at.x(), at.y()) != item; dy += 2)
            at.ry() += 2;
        QCOMPARE(view->HitTest(kind, at.x(), at.y()), item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QVERIFY2(tutor.IsHalf() || tutor.Target() != target || done[0] == 1,
                 "the click picked the item");
    }
    QCOMPARE(tutor.Target(), TutorStage::Laws);
    QCOMPARE(tutor.Done(), TutorStage::Solution);
    QVERIFY(tutor.IsSolved());
}

struct LawDrawing
{
    // The choices on the drawing toolbar's buttons rather than through the commands.
    bool onToolbar = false;
    // Set once a "Constant" was refused; while it is clear, the first shape that is not a
    // constant is answered "Constant" first, which must be refused and change nothing.
    bool* wrongChoiceSeen = nullptr;
    // Called when a shape is drawn half-way.
    std::function<void()> halfDrawn;
};

// The law whose drawing runs on `beam`, drawn to its end by the choices the checker expects, each
// shape by clicks along the beam (half-way, then just past its end). Every choice must be
// accepted without a message but "Algorithme terminé.".
inline void DrawRunningLaw(VelmorSplitterFrame* frame, VelmorView3dEjemplo* view,
                           const VelmorObject& beam, RecordMessages& messages,
                           const LawDrawing& how)
{
    const DiagramChecker& checker = view->Checker();
    for (int guard = 0; guard < 12 && !checker.Finished(); ++guard) {
        const DiagramStep expected = checker.Expected();
        QVERIFY(expected != DiagramStep::None);
        if (how.wrongChoiceSeen && !*how.wrongChoiceSeen && IsShape(expected) &&
            expected != DiagramStep::Constant) {
            const int index = checker.StepIndex();
            const double progress = checker.Progress();
            QVERIFY(view->IsEnabled(CMD_STEP_CONSTANT));
            QVERIFY(view->OnCommand(CMD_STEP_CONSTANT));
            QCOMPARE(messages.messages.size(), size_t(1));
            QCOMPARE(QString::fromStdString(messages.messages.back()),
                     QString::fromUtf8("NON! Le diagramme ici n'est pas constant."));
            QCOMPARE(checker.StepIndex(), index);
            QCOMPARE(checker.Progress(), progress);
            QVERIFY(!view->IsChecked(CMD_STEP_CONSTANT));
            messages.messages.clear();
            *how.wrongChoiceSeen = true;
        }
        const int stepCommand = DiagramCommandOfStep(expected);
        QVERIFY(view->IsEnabled(stepCommand));
        if (how.onToolbar) {
            auto* bar = frame->Inner()->findChild<QToolBar*>("toolbar1018");
            QVERIFY(bar);
            QAction* button = bar->findChild<QAction*>(QString::number(stepCommand));
            QVERIFY(button);
            QVERIFY(!button->icon().isNull());
            button->trigger();
        } else {
            QVERIFY(view->OnCommand(stepCommand));
        }
        QVERIFY2(messages.messages.empty() || messages.messages.back() == "Algorithme terminé.",
                 messages.messages.empty() ? "" : messages.messages.back().c_str());
        QVERIFY(view->IsChecked(stepCommand));
        if (!IsShape(expected))
            continue;
        const double limit = checker.Limit();
        QVERIFY(limit > 0.0);
        const double from = std::max(0.0, checker.Progress());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          AlongBeam(*view, beam, (from + limit) / 2));
        QVERIFY(checker.Progress() > from);
        QVERIFY(checker.Progress() < limit);
        if (how.halfDrawn)
            how.halfDrawn();
        // Just past the end of the shape: the drawing stops there.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, AlongBeam(*view, beam, limit + 0.05));
        QVERIFY(checker.Progress() >= limit - 1e-9);
    }
}

} // namespace velmor::test
