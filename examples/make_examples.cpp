// velmor-make-examples FOLDER: writes every example structure and the README into FOLDER.
#include "ExampleModels.h"

#include "model/DocumentFile.h"
#include "platform/core/FileIO.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: velmor-make-examples FOLDER\n", stderr);
        return 64;
    }
    const std::string folder = argv[1];
    std::string error;
    for (const velmor::ExampleModel& m : velmor::ExampleModels()) {
        velmor::VelmorProblem p;
        m.build(p);
        if (!velmor::SaveProblemFile(p, folder + "/" + m.file, true, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    if (!velmor::WriteFileAtomically(folder + "/README.md", velmor::ExamplesReadme(), error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    return 0;
}
