// The example structures shipped in examples/: each is built through the problem container
// and written by the program itself in the text form (velmor-make-examples regenerates them;
// a test checks that the shipped files are what the program writes).
#pragma once

#include "model/VelmorProblem.h"

#include <functional>
#include <string>
#include <vector>

namespace velmor {

struct ExampleModel
{
    std::string file;          // file name in examples/
    std::string description;   // one line, French, for examples/README.md
    std::function<void(VelmorProblem&)> build;
};

const std::vector<ExampleModel>& ExampleModels();

// The text of examples/README.md.
std::string ExamplesReadme();

} // namespace velmor
