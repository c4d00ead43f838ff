// Times the matrix view's repaint of a step-by-step system at a few scroll positions: a chain
// of plane-frame beams of 200, 1,000 and 5,000 nodes (600 to 15,000 equations) with every
// beam assembled, in a window of 1024 x 768.
//   QT_QPA_PLATFORM=offscreen build/bench/matrixview_timing
#include "app/VelmorDoc.h"
#include "model/StructureBuilder.h"
#include "tutor/VelmorMatrixView.h"
#include "tutor/core/VelmorTutor.h"
#include "views/core/ProgramOptions.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>

namespace {

void measure(int nodes)
{
    using namespace velmor;
    ProgramOptions options;
    VelmorDoc doc;
    doc.SetOptions(options);
    {
        StructureBuilder b(doc.Problem(), PROBLEM_PLANE_FRAME, true);
        VelmorObject* s = b.Rectangle(0.2, 0.3, 2.1e11, 0.3);
        VelmorObject* last = b.Node(0, 0, 0);
        b.Support(last, 1, {1, 1, 0, 0, 0, 1});
        for (int i = 1; i < nodes; ++i) {
            VelmorObject* next = b.Node(i, 0.5 * (i % 2), 0);
            b.Beam(s, last, next);
            last = next;
        }
    }
    doc.Problem().SyncMode(Mode::Examples);
    VelmorTutor tutor(doc.Problem());
    if (!tutor.BeginStepByStep()) return;
    tutor.Examine();
    tutor.Advance();
    tutor.Examine();
    tutor.Advance();
    VelmorMatrixView view(doc, tutor);
    view.resize(1024, 768);
    view.show();
    view.OnUpdate({UpdateHint::ItemDone, nullptr});
    QApplication::processEvents();

    constexpr int kRepaints = 20;
    QScrollBar* h = view.horizontalScrollBar();
    QScrollBar* v = view.verticalScrollBar();
    for (double at : {0.0, 0.5, 1.0}) {
        h->setValue(int(at * h->maximum()));
        v->setValue(int(at * v->maximum()));
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRepaints; ++i)
            view.viewport()->repaint();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count() /
            kRepaints;
        std::printf("%6d equations, scrolled %3.0f%%: %8.3f ms per repaint\n",
                    int(tutor.CurrentAnalysis()->EquationCount()), at * 100, ms);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (int nodes : {200, 1000, 5000})
        measure(nodes);
    return 0;
}
