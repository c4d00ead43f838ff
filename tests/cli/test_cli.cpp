// velmor-cli run as a user runs it: exit status, standard output and error, files written.
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs velmor-cli with the arguments (each quoted), capturing both streams.
CliRun cli(const std::string& args)
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

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

} // namespace

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
