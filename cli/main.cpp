// velmor-cli: the command-line tool on the core. Converts structure files between their text
// and binary forms, describes them, solves them at once or step by step.
//
//   velmor-cli convert IN OUT --text|--binary [--lenient]
//   velmor-cli info FILE [--lenient]
//   velmor-cli solve FILE [--json] [--orient-ij] [--change-local-loads] [--lenient]
//                    [--solver sparse|band] [--ordering auto|amd|metis|nesdis] [--timings]
//                    [--threads N]
//   velmor-cli steps FILE [--json] [--lenient]
//
// Exit status: 0 on success, 1 when a structure is singular or cannot be analysed, 2 when a
// file cannot be read or written, or loses elements on reading without --lenient (the reason
// on stderr), 64 on a usage error.
#include "SolveCommand.h"
#include "StepsCommand.h"
#include "model/DocumentFile.h"
#include "model/VelmorProblem.h"
#include "platform/core/LargePages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

using namespace velmor;

namespace {

constexpr int kUnreadable = 2;
constexpr int kUsage = 64;

int usage()
{
    std::fputs("usage: velmor-cli convert IN OUT --text|--binary [--lenient]\n"
               "       velmor-cli info FILE [--lenient]\n"
               "       velmor-cli solve FILE [--json] [--orient-ij] [--change-local-loads]\n"
               "                        [--solver sparse|band] [--ordering auto|amd|metis|nesdis]\n"
               "                        [--timings] [--threads N] [--lenient]\n"
               "       velmor-cli steps FILE [--json] [--lenient]\n",
               stderr);
    return kUsage;
}

int convert(const char* in, const char* out, bool text, bool lenient)
{
    VelmorProblem problem;
    LoadResult result;
    if (!LoadStructure(problem, in, lenient, result))
        return kUnreadable;
    if (problem.m_nType < 1 || problem.m_nType > 4) {
        std::fprintf(stderr, "%s: Le fichier ne contient aucune structure.\n", in);
        return kUnreadable;
    }
    std::string error;
    if (!SaveProblemFile(problem, out, text, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kUnreadable;
    }
    return 0;
}

int info(const char* path, bool lenient)
{
    VelmorProblem problem;
    LoadResult result;
    if (!LoadStructure(problem, path, lenient, result))
        return kUnreadable;
    std::printf("form: %s\n", result.text ? "text" : "binary");
    std::printf("problem type: %d (%s)\n", problem.m_nType, ProblemTypeWord(problem.m_nType));
    static const char* const names[kKindCount] = {"nodes",    "sections",    "beams",
                                                  "supports", "nodal loads", "distributed loads"};
    for (int kind = 0; kind < kKindCount; ++kind)
        std::printf("%s: %zu\n", names[kind], problem.Count(kind));
    return 0;
}

// A large structure is millions of small blocks: on huge pages it is read, assembled and solved
// in two thirds of the time, and a tenth less again when the memory freed on the way is used
// again. A small file is not worth starting the program again for.
void largePagesFor(const char* path, char** argv)
{
    constexpr off_t kLargeFile = off_t(256) << 10;
    struct stat info;
    if (::stat(path, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= kLargeFile) {
        RestartWithLargePages(argv);
        KeepFreedHeapMemory();
    }
}

} // namespace

int main(int argc, char** argv)
{
    // --lenient may stand anywhere after the command.
    bool lenient = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (i >= 2 && std::strcmp(argv[i], "--lenient") == 0)
            lenient = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    const bool heavy =
        argc >= 3 && (std::strcmp(argv[1], "solve") == 0 || std::strcmp(argv[1], "steps") == 0 ||
                      std::strcmp(argv[1], "convert") == 0);
    if (heavy) {
        // --lenient is put back for the restarted program.
        char lenientWord[] = "--lenient";
        std::vector<char*> again(argv, argv + argc);
        if (lenient)
            again.push_back(lenientWord);
        again.push_back(nullptr);
        largePagesFor(argv[2], again.data());
    }
    if (argc >= 2 && std::strcmp(argv[1], "convert") == 0 && argc == 5) {
        const bool text = std::strcmp(argv[4], "--text") == 0;
        if (!text && std::strcmp(argv[4], "--binary") != 0)
            return usage();
        return convert(argv[2], argv[3], text, lenient);
    }
    if (argc == 3 && std::strcmp(argv[1], "info") == 0)
        return info(argv[2], lenient);
    if (argc >= 3 && std::strcmp(argv[1], "steps") == 0) {
        StepsFlags flags;
        flags.lenient = lenient;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--json") == 0)
                flags.json = true;
            else
                return usage();
        }
        return StepsCommand(argv[2], flags);
    }
    if (argc >= 3 && std::strcmp(argv[1], "solve") == 0) {
        SolveFlags flags;
        flags.lenient = lenient;
        flags.exitWhenDone = true;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--json") == 0)
                flags.json = true;
            else if (std::strcmp(argv[i], "--timings") == 0)
                flags.timings = true;
            else if (std::strcmp(argv[i], "--orient-ij") == 0)
                flags.options.orientIJ = true;
            else if (std::strcmp(argv[i], "--change-local-loads") == 0)
                flags.options.changeLocalLoads = true;
            else if (std::strcmp(argv[i], "--solver") == 0 && i + 1 < argc) {
                const std::string solver = argv[++i];
                if (solver == "sparse")
                    flags.options.solver = SystemSolver::Sparse;
                else if (solver == "band")
                    flags.options.solver = SystemSolver::Band;
                else
                    return usage();
            } else if (std::strcmp(argv[i], "--ordering") == 0 && i + 1 < argc) {
                const std::string ordering = argv[++i];
                if (ordering == "auto")
                    flags.options.ordering = SparseOrdering::Automatic;
                else if (ordering == "amd")
                    flags.options.ordering = SparseOrdering::MinimumDegree;
                else if (ordering == "metis")
                    flags.options.ordering = SparseOrdering::GraphPartition;
                else if (ordering == "nesdis")
                    flags.options.ordering = SparseOrdering::NestedDissection;
                else
                    return usage();
            } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
                char* end = nullptr;
                const long threads = std::strtol(argv[++i], &end, 10);
                if (!end || *end != '\0' || threads < 1 || threads > 64)
                    return usage();
                flags.options.threads = size_t(threads);
            } else
                return usage();
        }
        return SolveCommand(argv[2], flags);
    }
    return usage();
}
