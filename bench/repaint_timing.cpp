// Times a full repaint of the 3D view into an offscreen image, and a hit test at random points,
// for a plane frame of about 5,000 beams and a space frame of about 10,000 beams.
//   QT_QPA_PLATFORM=offscreen build/bench/repaint_timing
#include "FrameGenerator.h"
#include "app/VelmorDoc.h"
#include "views/VelmorBaseView.h"
#include "views/core/ProgramOptions.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <random>

namespace {

double milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void measure(const char* name, velmor::VelmorDoc& doc)
{
    for (bool axes : {true, false}) {
    velmor::Options().Set(velmor::OPT_SHOW_ORIENTATION, axes);
    velmor::VelmorBaseView view(doc);
    view.resize(1024, 768);
    view.show();
    view.Setup();
    QImage image(1024, 768, QImage::Format_RGB32);
    constexpr int kRepaints = 10;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepaints; ++i) {
        QPainter painter(&image);
        view.Render(painter, true);
    }
    const double repaint = milliseconds(std::chrono::steady_clock::now() - start) / kRepaints;
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> x(0, 1023), y(0, 767);
    constexpr int kHits = 1000;
    int found = 0;
    const auto hitStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kHits; ++i)
        found += view.HitTest(-1, x(rng), y(rng)) != nullptr;
    const double hit = milliseconds(std::chrono::steady_clock::now() - hitStart) / kHits;
    std::printf("%-28s beams %6zu  local axes %-3s repaint %8.2f ms  hit test %8.4f ms  (%d of %d points on an element)\n",
                name, doc.Problem().Count(velmor::KIND_BEAM), axes ? "on" : "off", repaint, hit, found, kHits);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    {
        velmor::VelmorDoc plane;
        velmor::bench::PlaneFrame(plane.Problem(), 60, 43, false);
        plane.Problem().SyncMode(3);
        measure("plane frame 60 x 43", plane);
    }
    {
        velmor::VelmorDoc space;
        velmor::bench::SpaceFrame(space.Problem(), 16, 16, 14, false);
        space.Problem().SyncMode(3);
        measure("space frame 16 x 16 x 14", space);
    }
    return 0;
}
