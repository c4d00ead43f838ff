// velmor-cli run as a user runs it, for the command-line tests: exit status, standard output
// and error captured, and the numbers of one part of its JSON output.
#pragma once

#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace velmor::test {

namespace fs = std::filesystem;

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs velmor-cli with the arguments (each quoted), capturing both streams.
inline CliRun cli(const std::string& args)
{
    const fs::path errFile =
        fs::path(testing::TempDir()) / ("velmor_cli_stderr_" + std::to_string(getpid()) + ".txt");
    const std::string command =
        std::string("'") + VELMOR_CLI + "' " + args + " 2>'" + errFile.string() + "'";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::string error;
    velmor::ReadWholeFile(errFile.string(), run.err, error);
    return run;
}

inline std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

// The numbers of one part of a JSON output (from `key` to the next top-level key `until`).
inline std::vector<double> jsonNumbers(const std::string& json, const std::string& key,
                                       const std::string& until)
{
    const size_t from = json.find("\"" + key + "\":"), to = json.find("\"" + until + "\":");
    std::vector<double> numbers;
    if (from == std::string::npos || to == std::string::npos)
        return numbers;
    const char* p = json.c_str() + from + key.size() + 3;
    const char* end = json.c_str() + to;
    while (p < end) {
        if ((*p >= '0' && *p <= '9') || *p == '-') {
            char* next = nullptr;
            numbers.push_back(std::strtod(p, &next));
            p = next;
        } else {
            ++p;
        }
    }
    return numbers;
}

// A structure file of one plane beam without any support: singular.
inline constexpr const char* kFreeBeamFile =
    "Type of problem: two-dimensional\n(0.0, 0.0, 0.0) \n(5.0, 5.0, 2.5) \n(0.05, 0.05, 0.025) \n \n"
    "Elements in the list Node: 2 \n\nNode 1 \n(0.0, 0.0, 0.0) \nJoint: 0 \nConnections: 0 \n\n"
    "Node 2 \n(2.0, 0.0, 0.0) \nJoint: 0 \nConnections: 0 \n\n"
    "Elements in the list Section: 1 \n\nSection 1 \nShape of cross section: Arbitrary \n"
    "b=0, h=0, \nE=2e+11, G=8e+10, nu=0.3, rho=0,\nA=0.01, Iy=1e-05, Iz=1e-05, J=2e-05 \n"
    "Connections: 0 \n\nElements in the list Beam: 1 \n\nBeam 1 \n(0.0, 0.0, 1.0) \n"
    "Connections: 3 \nSection 1 \nNode 1 \nNode 2 \n\nElements in the list Support: 0 \n\n"
    "Elements in the list nodal_load: 0 \n\nElements in the list distributed_load: 0 \n\nEND OF FILE\n";

} // namespace velmor::test
