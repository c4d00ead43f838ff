// velmor-make-frame: writes a regular frame for the solver benchmarks.
//   velmor-make-frame plane NX NY OUT [--scrambled]
//   velmor-make-frame space NX NY NZ OUT [--scrambled]
#include "FrameGenerator.h"
#include "model/DocumentFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    const bool plane = argc >= 5 && std::strcmp(argv[1], "plane") == 0;
    const bool space = argc >= 6 && std::strcmp(argv[1], "space") == 0;
    if (!plane && !space) {
        std::fputs("usage: velmor-make-frame plane NX NY OUT [--scrambled]\n"
                   "       velmor-make-frame space NX NY NZ OUT [--scrambled]\n",
                   stderr);
        return 64;
    }
    const int out = plane ? 4 : 5;
    const bool scrambled = argc > out + 1 && std::strcmp(argv[out + 1], "--scrambled") == 0;
    velmor::VelmorProblem p;
    if (plane)
        velmor::bench::PlaneFrame(p, std::atoi(argv[2]), std::atoi(argv[3]), scrambled);
    else
        velmor::bench::SpaceFrame(p, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), scrambled);
    std::string error;
    if (!velmor::SaveProblemFile(p, argv[out], true, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    return 0;
}
