// Times a full repaint of the 3D view into an offscreen image ("image"), the view window's own
// paint ("window": the same drawing plus the copy to the window), and a hit test at random
// points, for a plane frame of about 5,000 beams and a space frame of about 10,000 beams, with
// the beams' local axes shown and hidden.
//   QT_QPA_PLATFORM=offscreen build/bench/repaint_timing
// With --repaints N, each repaint figure is the mean of N repaints (10 by default; more to
// profile the drawing with perf).
#include "FrameGenerator.h"
#include "app/VelmorDoc.h"
#include "views/VelmorBaseView.h"
#include "views/core/ProgramOptions.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>

namespace {

double milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

int g_repaints = 10;

void measure(const char* name, velmor::VelmorDoc& doc)
{
    for (bool axes : {true, false}) {
    velmor::ProgramOptions options;
    options.Set(velmor::OPT_SHOW_ORIENTATION, axes);
    doc.SetOptions(options);
    velmor::VelmorBaseView view(doc);
    view.resize(1024, 768);
    view.show();
    view.Setup();
    QImage image(1024, 768, QImage::Format_RGB32);
    const int kRepaints = g_repaints;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepaints; ++i) {
        QPainter painter(&image);
        view.Render(painter, true);
    }
    const double repaint = milliseconds(std::chrono::steady_clock::now() - start) / kRepaints;
    // The window's own paint: the picture drawn on the view's image, then copied to the window.
    QPixmap shown(view.viewport()->size());
    const auto windowStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepaints; ++i)
        view.viewport()->render(&shown);
    const double window = milliseconds(std::chrono::steady_clock::now() - windowStart) / kRepaints;
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> x(0, 1023), y(0, 767);
    constexpr int kHits = 1000;
    int found = 0;
    const auto hitStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kHits; ++i)
        found += view.HitTest(-1, x(rng), y(rng)) != nullptr;
    const double hit = milliseconds(std::chrono::steady_clock::now() - hitStart) / kHits;
    std::printf("%-26s beams %5zu  local axes %-3s  image %6.2f ms  window %6.2f ms  hit test %6.4f ms  (%d of %d points on an element)\n",
                name, doc.Problem().Count(velmor::KIND_BEAM), axes ? "on" : "off", repaint, window, hit, found, kHits);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "--repaints")
            g_repaints = std::max(1, std::atoi(argv[i + 1]));
    {
        velmor::VelmorDoc plane;
        velmor::bench::PlaneFrame(plane.Problem(), 60, 43, false);
        plane.Problem().SyncMode(velmor::Mode::Examples);
        measure("plane frame 60 x 43", plane);
    }
    {
        velmor::VelmorDoc space;
        velmor::bench::SpaceFrame(space.Problem(), 16, 16, 14, false);
        space.Problem().SyncMode(velmor::Mode::Examples);
        measure("space frame 16 x 16 x 14", space);
    }
    return 0;
}
