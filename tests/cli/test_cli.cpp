// velmor-cli run as a user runs it: exit status, standard output and error, files written.
#include "CliRun.h"
#include "analysis/Analysis.h"
#include "model/DocumentFile.h"
#include "model/StructureBuilder.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using velmor::test::cli;
using velmor::test::CliRun;
using velmor::test::jsonNumbers;
using velmor::test::kFreeBeamFile;
using velmor::test::quoted;

TEST(Cli, InfoDescribesAFile)
{
    const fs::path file = fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm";
    CliRun r = cli("info " + quoted(file));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "form: text\nproblem type: 2 (two-dimensional)\nnodes: 4\nsections: 2\n"
                     "beams: 3\nsupports: 2\nnodal loads: 1\ndistributed loads: 1\n");
}

TEST(Cli, ConvertsEveryExampleBothWaysWithoutLoss)
{
    const fs::path dir = fs::path(testing::TempDir()) / "velmor_cli_convert";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& entry : fs::directory_iterator(VELMOR_EXAMPLES)) {
        if (entry.path().extension() != ".vlm")
            continue;
        const fs::path binary = dir / "b.vlm", text = dir / "t.vlm";
        ASSERT_EQ(cli("convert " + quoted(entry.path()) + " " + quoted(binary) + " --binary").status, 0);
        CliRun info = cli("info " + quoted(binary));
        EXPECT_EQ(info.out.rfind("form: binary\n", 0), 0u) << info.out;
        ASSERT_EQ(cli("convert " + quoted(binary) + " " + quoted(text) + " --text").status, 0);
        std::string original, back, error;
        velmor::ReadWholeFile(entry.path().string(), original, error);
        velmor::ReadWholeFile(text.string(), back, error);
        EXPECT_EQ(back, original) << entry.path();
    }
    fs::remove_all(dir);
}

TEST(Cli, UnreadableFilesExitWithTwoAndTheProgramsMessage)
{
    const fs::path dir = fs::path(testing::TempDir()) / "velmor_cli_bad";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string error;
    velmor::WriteFileAtomically((dir / "wrong.vlm").string(), "Type of problem: cubic\n", error);
    velmor::WriteFileAtomically((dir / "cut.vlm").string(),
                                "Type of problem: two-dimensional\n(0.0, 0.0, 0.0) \n", error);
    struct Case
    {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"info " + quoted(dir / "wrong.vlm"), "Mauvais format pour ouvrir ce fichier!"},
        {"info " + quoted(dir / "missing.vlm"), "L'ouverture du document a échoué."},
        {"info " + quoted(dir / "cut.vlm"), "Le fichier est endommagé"},
        {"convert " + quoted(dir / "wrong.vlm") + " " + quoted(dir / "out.vlm") + " --text",
         "Mauvais format pour ouvrir ce fichier!"},
        {"convert " + quoted(fs::path(VELMOR_EXAMPLES) / "grillage.vlm") + " " +
             quoted(dir / "no" / "such" / "out.vlm") + " --text",
         "Nom de fichier non valide."},
    };
    for (const Case& c : cases) {
        CliRun r = cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "out.vlm"));
    EXPECT_EQ(cli("convert a b --sideways").status, 64);
    EXPECT_EQ(cli("").status, 64);
    fs::remove_all(dir);
}

TEST(Cli, SolvesEveryExample)
{
    for (const auto& entry : fs::directory_iterator(VELMOR_EXAMPLES)) {
        if (entry.path().extension() != ".vlm")
            continue;
        CliRun report = cli("solve " + quoted(entry.path()));
        EXPECT_EQ(report.status, 0) << entry.path() << report.err;
        EXPECT_EQ(report.out.rfind("Coordonnées:\n", 0), 0u);
        EXPECT_NE(report.out.find("\nEfforts internes:\n"), std::string::npos);
        EXPECT_EQ(report.err, "Système d'équations résolu\n");

        CliRun json = cli("solve " + quoted(entry.path()) + " --json");
        EXPECT_EQ(json.status, 0);
        EXPECT_EQ(json.out.front(), '{');
        EXPECT_NE(json.out.find("\"solved\":true"), std::string::npos);
        EXPECT_NE(json.out.find("\"messages\":[\"Système d'équations résolu\"]"), std::string::npos);
        EXPECT_EQ(json.out.find("null"), std::string::npos) << "every number is finite";

        // The numbers read back as the engine's own doubles, bit for bit.
        velmor::VelmorProblem problem;
        ASSERT_EQ(velmor::LoadProblemFile(problem, entry.path().string(), velmor::FileForm::Detect)
                      .status,
                  velmor::LoadStatus::Ok);
        problem.SyncMode(velmor::Mode::Examples);
        ASSERT_TRUE(velmor::SolveAtOnce(problem, {}));
        const velmor::Analysis& analysis = *problem.CurrentAnalysis();
        std::vector<double> expected;
        for (const auto& node : problem.List(velmor::KIND_NODE)) {
            const velmor::VelmorNudoData& d = static_cast<const velmor::VelmorNudo&>(*node).Data();
            expected.insert(expected.end(), {d.m_coord.x, d.m_coord.y, d.m_coord.z});
            const long k = d.m_nAnalysisNumber;
            for (long i = 1; i <= analysis.DofPerNode(); ++i)
                expected.push_back(
                    analysis.Displacements().At((k - 1) * analysis.DofPerNode() + i));
        }
        // Each node's list starts with its number.
        const std::vector<double> written = jsonNumbers(json.out, "nodes", "reactions");
        std::vector<double> values;
        const size_t perNode = size_t(4 + analysis.DofPerNode());
        ASSERT_EQ(written.size() % perNode, 0u);
        for (size_t i = 0; i < written.size(); ++i)
            if (i % perNode != 0)
                values.push_back(written[i]);
        EXPECT_EQ(values, expected) << entry.path();
    }
}

TEST(Cli, SolveReportsThePortalAndRefusals)
{
    CliRun portal = cli("solve " + quoted(fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm"));
    ASSERT_EQ(portal.status, 0);
    // The report's text as the program prints it: a regression snapshot of the format (the
    // engine's tests check that these printed reactions balance the loads).
    EXPECT_NE(portal.out.find("     1                 145     7.02e+04            -            -            -     5.29e+03 \n"
                              "     4           -1.51e+04     7.98e+04            -            -            -     2.56e+04 \n"),
              std::string::npos);
    CliRun json = cli("solve " + quoted(fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm") + " --json");
    EXPECT_NE(json.out.find("{\"problem_type\":2,\"dof_per_node\":3,\"equations\":12,\"solved\":true"),
              std::string::npos);

    const fs::path dir = fs::path(testing::TempDir()) / ("velmor_cli_solve_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string error;
    // A beam without any support: singular.
    velmor::WriteFileAtomically(
        (dir / "free.vlm").string(),
        kFreeBeamFile,
        error);
    CliRun singular = cli("solve " + quoted(dir / "free.vlm"));
    EXPECT_EQ(singular.status, 1);
    EXPECT_NE(singular.err.find("Système d'équations singulier."), std::string::npos);
    EXPECT_TRUE(singular.out.empty());
    CliRun singularJson = cli("solve " + quoted(dir / "free.vlm") + " --json");
    EXPECT_EQ(singularJson.status, 1);
    EXPECT_NE(singularJson.out.find("\"solved\":false"), std::string::npos);
    CliRun singularBand = cli("solve " + quoted(dir / "free.vlm") + " --solver band");
    EXPECT_EQ(singularBand.status, 1);
    EXPECT_EQ(singularBand.err, singular.err);
    EXPECT_EQ(cli("solve " + quoted(dir / "missing.vlm")).status, 2);

    // A node without beams: refused with its one message, not also called singular.
    {
        using namespace velmor;
        VelmorProblem p;
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        b.Beam(b.Rectangle(0.2, 0.4, 2.1e11, 0.3), b.Node(0, 0, 0), b.Node(2, 0, 0));
        b.Node(4, 4, 0);
        ASSERT_TRUE(SaveProblemFile(p, (dir / "lonely.vlm").string(), true, error)) << error;
    }
    CliRun lonely = cli("solve " + quoted(dir / "lonely.vlm"));
    EXPECT_EQ(lonely.status, 1);
    EXPECT_EQ(lonely.err.rfind("Le noeud 3 n'est relié à aucune poutre.", 0), 0u) << lonely.err;
    EXPECT_EQ(lonely.err.find("singulier"), std::string::npos) << lonely.err;
    fs::remove_all(dir);
}

TEST(Cli, SolveTakesTheOrientationOptions)
{
    // One span drawn from right to left with a local load: turned with its beam, the load
    // keeps its direction; with --change-local-loads it keeps its local values and reverses.
    const fs::path dir = fs::path(testing::TempDir()) / ("velmor_cli_orient_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string error;
    {
        using namespace velmor;
        VelmorProblem p;
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        VelmorObject* left = b.Node(0, 0, 0);
        VelmorObject* right = b.Node(6, 0, 0);
        VelmorObject* beam = b.Beam(b.Rectangle(0.2, 0.4, 2.1e11, 0.3), right, left);
        b.BeamLoad(beam, LOAD_CONSTANT_LOCAL, {0, -1000, 0});
        b.Support(left, 1);
        b.Support(right, 2);
        ASSERT_TRUE(SaveProblemFile(p, (dir / "span.vlm").string(), true, error)) << error;
    }
    const std::string file = quoted(dir / "span.vlm");
    auto reactionsOf = [](const std::string& json) {
        const size_t at = json.find("\"reactions\":");
        return at == std::string::npos ? std::string() : json.substr(at, json.find("\"beams\"") - at);
    };
    const CliRun plain = cli("solve " + file + " --json");
    const CliRun oriented = cli("solve " + file + " --json --orient-ij");
    const CliRun changed = cli("solve " + file + " --orient-ij --json --change-local-loads");
    ASSERT_EQ(plain.status, 0) << plain.err << plain.out;
    ASSERT_EQ(oriented.status, 0) << oriented.err;
    ASSERT_EQ(changed.status, 0) << changed.err;
    // Beam 1 runs from node 2 to node 1 unless turned.
    EXPECT_NE(plain.out.find("\"number\":1,\"node1\":2,\"node2\":1"), std::string::npos);
    EXPECT_NE(oriented.out.find("\"number\":1,\"node1\":1,\"node2\":2"), std::string::npos);
    EXPECT_EQ(reactionsOf(oriented.out), reactionsOf(plain.out));
    EXPECT_NE(reactionsOf(changed.out), reactionsOf(plain.out));
    // A propped cantilever under q = 1 kN/m over L = 6 m: 5qL/8 and qL^2/8 at the fixed end,
    // 3qL/8 at the pin; upwards along the reversed beam's local y, downwards once the load
    // keeps its local values on the turned beam.
    EXPECT_NE(reactionsOf(plain.out).find("{\"node\":1,\"values\":[0,-3750,-4500]}"), std::string::npos)
        << reactionsOf(plain.out);
    EXPECT_NE(reactionsOf(plain.out).find("{\"node\":2,\"values\":[0,-2250,"), std::string::npos);
    EXPECT_NE(reactionsOf(changed.out).find("{\"node\":1,\"values\":[0,3750,4500]}"), std::string::npos)
        << reactionsOf(changed.out);
    EXPECT_NE(reactionsOf(changed.out).find("{\"node\":2,\"values\":[0,2250,"), std::string::npos);
    EXPECT_EQ(cli("solve " + file + " --sideways").status, 64);
    fs::remove_all(dir);
}

TEST(Cli, FilesThatLoseElementsAreRefusedUnlessLenient)
{
    // The portal with its second support moved onto a node that does not exist.
    const fs::path dir = fs::path(testing::TempDir()) / ("velmor_cli_lossy_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string text, error;
    ASSERT_TRUE(velmor::ReadWholeFile((fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm").string(), text, error));
    const size_t support = text.find("Support 2 \n");
    ASSERT_NE(support, std::string::npos);
    const size_t node = text.find("Node 4", support);
    text.replace(node, 6, "Node 9");
    ASSERT_TRUE(velmor::WriteFileAtomically((dir / "lossy.vlm").string(), text, error)) << error;
    const std::string file = quoted(dir / "lossy.vlm");
    const std::string lost = "repose sur Node 9, qui n'existe pas";
    for (const std::string& command : {"info " + file, "solve " + file,
                                       "convert " + file + " " + quoted(dir / "out.vlm") + " --text"}) {
        CliRun strict = cli(command);
        EXPECT_EQ(strict.status, 2) << command;
        EXPECT_NE(strict.err.find("Le fichier n'a pas pu être lu en entier"), std::string::npos) << strict.err;
        EXPECT_NE(strict.err.find(lost), std::string::npos) << strict.err;
        EXPECT_TRUE(strict.out.empty()) << command;
        CliRun lenient = cli(command + " --lenient");
        EXPECT_NE(lenient.err.find(lost), std::string::npos) << "the losses are still told";
        // The portal without its second support sways freely: solve answers for what was read.
        if (command.rfind("solve", 0) != 0) {
            EXPECT_EQ(lenient.status, 0) << command << lenient.err;
        }
    }
    EXPECT_TRUE(fs::exists(dir / "out.vlm")) << "written by the lenient convert only";

    // A device is no structure file, and its message says so.
    CliRun device = cli("info /dev/zero");
    EXPECT_EQ(device.status, 2);
    EXPECT_EQ(device.err, "/dev/zero: L'ouverture du document a échoué. /dev/zero: ce n'est pas un fichier ordinaire\n");
    fs::remove_all(dir);
}

TEST(Cli, ALargeFileGivesTheSameResultsWhetherTheProgramRestartsOnHugePagesOrNot)
{
    // A plane frame whose file is large enough for the program to start itself again on huge
    // pages (where the kernel asks for it), then the same solved with the setting turned off.
    velmor::VelmorProblem problem;
    {
        velmor::StructureBuilder b(problem, velmor::PROBLEM_PLANE_FRAME);
        velmor::VelmorObject* s = b.Rectangle(0.3, 0.5, 3e10, 0.2);
        const int n = 40;
        std::vector<velmor::VelmorObject*> nodes;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                nodes.push_back(b.Node(2.0 * i, 3.0 * j, 0));
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                if (i + 1 < n)
                    b.BeamLoad(b.Beam(s, nodes[size_t(j * n + i)], nodes[size_t(j * n + i + 1)]),
                               velmor::LOAD_CONSTANT_GLOBAL, {0, -1e4, 0});
                if (j + 1 < n)
                    b.Beam(s, nodes[size_t(j * n + i)], nodes[size_t((j + 1) * n + i)]);
            }
        for (int i = 0; i < n; ++i)
            b.Support(nodes[size_t(i)], 1);
        b.NodalLoad(nodes.back(), {5e3, 0, 0});
    }
    const fs::path dir = fs::path(testing::TempDir()) / ("velmor_cli_large_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "large.vlm";
    std::string error;
    ASSERT_TRUE(velmor::SaveProblemFile(problem, file.string(), true, error)) << error;
    ASSERT_GE(fs::file_size(file), 256u * 1024u);

    const CliRun restarted = cli("solve " + quoted(file) + " --json");
    // The same file with its first beam's first node unknown: it loses that beam on reading,
    // which only --lenient (before the file name, put back for the restarted program) accepts.
    std::string text;
    velmor::ReadWholeFile(file.string(), text, error);
    const size_t beam = text.find("\nBeam 1 \n");
    ASSERT_NE(beam, std::string::npos);
    const size_t node = text.find("\nNode ", text.find("\nSection ", beam));
    ASSERT_NE(node, std::string::npos);
    text.replace(node, text.find('\n', node + 1) - node, "\nNode 99999 ");
    const fs::path damaged = dir / "damaged.vlm";
    ASSERT_TRUE(velmor::WriteFileAtomically(damaged.string(), text, error)) << error;
    const CliRun strict = cli("solve " + quoted(damaged) + " --json");
    const CliRun lenient = cli("solve --lenient " + quoted(damaged) + " --json");
    const fs::path binary = dir / "large-binary.vlm";
    const CliRun converted = cli("convert " + quoted(file) + " " + quoted(binary) + " --binary");
    const char* before = std::getenv("GLIBC_TUNABLES");
    const std::string saved = before ? before : "";
    setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0", 1);
    const CliRun plain = cli("solve " + quoted(file) + " --json");
    if (before)
        setenv("GLIBC_TUNABLES", saved.c_str(), 1);
    else
        unsetenv("GLIBC_TUNABLES");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("\"solved\":true"), std::string::npos);
    EXPECT_EQ(restarted.status, 0) << restarted.err;
    EXPECT_EQ(restarted.out, plain.out);
    // The beams' entries made by several threads, in pieces, are put back in the list's order.
    for (const char* threads : {"1", "2", "3"})
        EXPECT_EQ(cli("solve " + quoted(file) + " --json --threads " + threads).out, plain.out)
            << threads << " threads";
    EXPECT_EQ(strict.status, 2) << strict.err;
    EXPECT_EQ(lenient.status, 0) << "--lenient before the file is kept across the restart: " << lenient.err;
    EXPECT_NE(lenient.out.find("\"solved\":true"), std::string::npos);
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(cli("info " + quoted(binary)).out.rfind("form: binary\n", 0), 0u);
    fs::remove_all(dir);
}

TEST(Cli, TimingsGoToTheErrorStreamPhaseByPhase)
{
    const std::string portal = quoted(fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm");
    const CliRun plain = cli("solve " + portal + " --json");
    const CliRun timed = cli("solve " + portal + " --json --timings");
    ASSERT_EQ(timed.status, 0);
    EXPECT_EQ(timed.out, plain.out) << "the results are untouched";
    for (const char* phase : {"\nread ", "\nassembly ", "\nsolution ",
                              "\n  of which factorisation ", "\nresults ", "\noutput ", "\ntotal "})
        EXPECT_NE(timed.err.find(phase), std::string::npos) << phase << timed.err;
    EXPECT_NE(timed.err.find(" MiB\n"), std::string::npos) << "peak memory after the phases";
}

TEST(Cli, SolveChoosesTheSolver)
{
    // The band solver and each ordering of the sparse one give the same JSON, number for number
    // to round-off of each part's largest value.
    const std::string options[] = {"--solver band", "--solver sparse --ordering amd",
                                   "--ordering metis", "--ordering nesdis", "--ordering auto"};
    const std::pair<const char*, const char*> parts[] = {
        {"nodes", "reactions"}, {"reactions", "beams"}, {"beams", "extrema"}};
    for (const auto& entry : fs::directory_iterator(VELMOR_EXAMPLES)) {
        if (entry.path().extension() != ".vlm")
            continue;
        const CliRun sparse = cli("solve " + quoted(entry.path()) + " --json");
        ASSERT_EQ(sparse.status, 0) << entry.path();
        for (const std::string& option : options) {
            const CliRun other = cli("solve " + quoted(entry.path()) + " --json " + option);
            ASSERT_EQ(other.status, 0) << entry.path() << " " << option;
            for (const auto& [from, to] : parts) {
                const std::vector<double> a = jsonNumbers(sparse.out, from, to);
                const std::vector<double> b = jsonNumbers(other.out, from, to);
                ASSERT_EQ(a.size(), b.size()) << entry.path() << " " << from;
                ASSERT_FALSE(a.empty()) << entry.path() << " " << from;
                double scale = 0.0;
                for (double v : b)
                    scale = std::max(scale, std::fabs(v));
                for (size_t i = 0; i < a.size(); ++i)
                    EXPECT_NEAR(a[i], b[i], 1e-9 * scale) << entry.path() << " " << option << " " << from << " " << i;
            }
        }
    }
    const std::string portal = quoted(fs::path(VELMOR_EXAMPLES) / "portique-simple.vlm");
    for (const char* wrong : {"--solver", "--solver dense", "--ordering", "--ordering best"})
        EXPECT_EQ(cli("solve " + portal + " " + wrong).status, 64) << wrong;
}
