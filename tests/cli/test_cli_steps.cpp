// velmor-cli steps run as a user runs it: the step-by-step solution agrees with the solution at
// once, its system matrix is the symmetric stiffness of the structure, every item is listed.
#include "CliRun.h"
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;
using namespace velmor::test;

namespace {

// The rows of the system matrix of a steps JSON output.
std::vector<std::vector<double>> systemMatrix(const std::string& json)
{
    std::vector<std::vector<double>> rows;
    const size_t from = json.find("\"system_matrix\":[");
    const size_t to = json.find("\"load_vector\":");
    if (from == std::string::npos || to == std::string::npos)
        return rows;
    size_t at = from + 17;
    while (true) {
        const size_t open = json.find('[', at), close = json.find(']', at);
        if (open == std::string::npos || open > to || close > to)
            break;
        std::vector<double> row;
        const char* p = json.c_str() + open + 1;
        const char* end = json.c_str() + close;
        while (p < end) {
            char* next = nullptr;
            row.push_back(std::strtod(p, &next));
            p = next;
            if (*p == ',')
                ++p;
        }
        rows.push_back(row);
        at = close + 1;
    }
    return rows;
}

} // namespace

TEST(CliSteps, EveryExampleSolvesAsAtOnceWithASymmetricSystem)
{
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(VELMOR_EXAMPLES)) {
        if (entry.path().extension() != ".vlm")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++examples;
        const CliRun steps = cli("steps " + quoted(entry.path()) + " --json");
        const CliRun once = cli("solve " + quoted(entry.path()) + " --json");
        ASSERT_EQ(steps.status, 0) << steps.err;
        ASSERT_EQ(once.status, 0) << once.err;
        EXPECT_NE(steps.out.find("\"messages\":[\"Système d'équations résolu\"]"), std::string::npos);
        EXPECT_EQ(steps.out.find("null"), std::string::npos) << "every number is finite";

        // The nodes are numbered in list order, as the solution at once lists them.
        const std::vector<double> numbering = jsonNumbers(steps.out, "numbering", "system_matrix");
        for (size_t i = 0; i < numbering.size(); ++i)
            EXPECT_EQ(numbering[i], double(i + 1));
        const std::vector<double> D = jsonNumbers(steps.out, "displacements", "reactions");
        std::vector<double> expected;
        for (size_t at = once.out.find("\"displacements\":"); at != std::string::npos;
             at = once.out.find("\"displacements\":", at + 1)) {
            const size_t open = once.out.find('[', at), close = once.out.find(']', at);
            const char* p = once.out.c_str() + open + 1;
            while (p < once.out.c_str() + close) {
                char* next = nullptr;
                expected.push_back(std::strtod(p, &next));
                p = *next == ',' ? next + 1 : next;
            }
        }
        ASSERT_EQ(D.size(), expected.size());
        double scale = 0.0;
        for (double v : expected)
            scale = std::max(scale, std::fabs(v));
        for (size_t i = 0; i < D.size(); ++i)
            EXPECT_NEAR(D[i], expected[i], 1e-10 * scale) << "DOF " << i + 1;

        const std::vector<std::vector<double>> K = systemMatrix(steps.out);
        ASSERT_EQ(K.size(), D.size());
        for (size_t i = 0; i < K.size(); ++i) {
            ASSERT_EQ(K[i].size(), K.size());
            EXPECT_GE(K[i][i], 0.0) << "no negative stiffness on the diagonal";
            for (size_t j = 0; j < i; ++j)
                EXPECT_EQ(K[i][j], K[j][i]) << i + 1 << ", " << j + 1;
        }
        EXPECT_EQ(jsonNumbers(steps.out, "load_vector", "displacements").size(), D.size());
    }
    EXPECT_GT(examples, 5);
}

TEST(CliSteps, ListsEveryItemOfThePortal)
{
    const fs::path file = fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm";
    const CliRun json = cli("steps " + quoted(file) + " --json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"problem_type\":2,\"dof_per_node\":3,\"equations\":12,"
                             "\"numbering\":[1,2,3,4],\"system_matrix\":[[",
                             0),
              0u);
    // Beam 3 runs from node 4 to node 3: its matrix goes to those nodes' DOFs in that order.
    EXPECT_NE(json.out.find("{\"stage\":2,\"kind\":\"beam\",\"element\":3,\"nodes\":[4,3],"
                            "\"dofs\":[10,11,12,7,8,9],\"band\":"),
              std::string::npos);
    EXPECT_NE(json.out.find("{\"stage\":3,\"kind\":\"nodal_load\",\"element\":1,\"node\":2,"
                            "\"dofs\":[4,5,6],\"vector\":[15000,0,0]}"),
              std::string::npos);
    EXPECT_NE(json.out.find("{\"stage\":4,\"kind\":\"support\",\"element\":2,\"node\":4,"
                            "\"dofs\":[10,11,12],\"type\":1,\"states\":[1,1,1]}"),
              std::string::npos);
    EXPECT_NE(json.out.find("{\"stage\":5,\"kind\":\"solution\",\"element\":0,\"solved\":true}"),
              std::string::npos);
    const std::string kinds[] = {"\"kind\":\"node\"", "\"kind\":\"beam\"", "\"kind\":\"beam_load\"",
                                 "\"kind\":\"support\"", "\"kind\":\"beam_results\""};
    const size_t counts[] = {4, 3, 1, 2, 3};
    for (size_t k = 0; k < 5; ++k) {
        size_t n = 0;
        for (size_t at = json.out.find(kinds[k]); at != std::string::npos;
             at = json.out.find(kinds[k], at + 1))
            ++n;
        EXPECT_EQ(n, counts[k]) << kinds[k];
    }

    const CliRun text = cli("steps " + quoted(file));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("1- Numérotation des noeuds et des degrés de liberté\n"
                             "  noeud 1: numéro 1, DDL 1 2 3\n",
                             0),
              0u);
    EXPECT_NE(text.out.find("  poutre 3 (noeuds 4 - 3), DDL 10 11 12 7 8 9\n"), std::string::npos);
    EXPECT_NE(text.out.find("5- Résolution du système linéaire\n  Système d'équations résolu\n"),
              std::string::npos);
    EXPECT_EQ(text.err, "Système d'équations résolu\n") << "the messages, as solve prints them";
}

TEST(CliSteps, SingularStructuresAndUsage)
{
    const fs::path dir = fs::path(testing::TempDir()) / ("velmor_cli_steps_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string error;
    // A beam without any support.
    velmor::WriteFileAtomically(
        (dir / "free.vlm").string(),
        kFreeBeamFile,
        error);
    const CliRun singular = cli("steps " + quoted(dir / "free.vlm") + " --json");
    EXPECT_EQ(singular.status, 1);
    EXPECT_NE(singular.out.find("\"displacements\":null,\"reactions\":null"), std::string::npos);
    EXPECT_NE(singular.out.find("{\"stage\":5,\"kind\":\"solution\",\"element\":0,\"solved\":false}"),
              std::string::npos);
    EXPECT_NE(singular.err.find("Système d'équations singulier."), std::string::npos);
    EXPECT_EQ(cli("steps " + quoted(dir / "missing.vlm")).status, 2);
    EXPECT_EQ(cli("steps " + quoted(dir / "free.vlm") + " --bogus").status, 64);
    fs::remove_all(dir);
}
