// velmor-cli: the command-line tool on the core. Converts structure files between their text
// and binary forms and describes them.
//
//   velmor-cli convert IN OUT --text|--binary
//   velmor-cli info FILE
//   velmor-cli solve FILE [--json] [--orient-ij] [--change-local-loads]
//                    [--solver sparse|band] [--ordering auto|amd|metis|nesdis] [--timings]
//
// Exit status: 0 on success, 1 when a structure is singular or cannot be analysed, 2 when a
// file cannot be read or written (the reason on stderr), 64 on a usage error.
#include "SolveCommand.h"
#include "model/DocumentFile.h"
#include "model/VelmorProblem.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace velmor;

namespace {

constexpr int kUnreadable = 2;
constexpr int kUsage = 64;

int usage()
{
    std::fputs("usage: velmor-cli convert IN OUT --text|--binary\n"
               "       velmor-cli info FILE\n"
               "       velmor-cli solve FILE [--json] [--orient-ij] [--change-local-loads]\n"
               "                        [--solver sparse|band] [--ordering auto|amd|metis|nesdis]\n"
               "                        [--timings]\n",
               stderr);
    return kUsage;
}

// Reads a structure file in whichever form it is; prints the reason and returns false when it
// cannot be read.
bool load(VelmorProblem& problem, const char* path, LoadResult& result)
{
    result = LoadProblemFile(problem, path, FileForm::Detect);
    if (result.status != LoadStatus::Ok) {
        std::fprintf(stderr, "%s: %s\n", path, result.message.c_str());
        return false;
    }
    return true;
}

int convert(const char* in, const char* out, bool text)
{
    VelmorProblem problem;
    LoadResult result;
    if (!load(problem, in, result))
        return kUnreadable;
    if (problem.m_nType < 1 || problem.m_nType > 4) {
        std::fprintf(stderr, "%s: Le fichier ne contient aucune structure.\n", in);
        return kUnreadable;
    }
    std::string error;
    if (!SaveProblemFile(problem, out, text, error)) {
        std::fprintf(stderr, "Nom de fichier non valide. %s\n", error.c_str());
        return kUnreadable;
    }
    return 0;
}

int info(const char* path)
{
    VelmorProblem problem;
    LoadResult result;
    if (!load(problem, path, result))
        return kUnreadable;
    std::printf("form: %s\n", result.text ? "text" : "binary");
    std::printf("problem type: %d (%s)\n", problem.m_nType, ProblemTypeWord(problem.m_nType));
    static const char* const names[kKindCount] = {"nodes",    "sections",    "beams",
                                                  "supports", "nodal loads", "distributed loads"};
    for (int kind = 0; kind < kKindCount; ++kind)
        std::printf("%s: %zu\n", names[kind], problem.Count(kind));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "convert") == 0 && argc == 5) {
        const bool text = std::strcmp(argv[4], "--text") == 0;
        if (!text && std::strcmp(argv[4], "--binary") != 0)
            return usage();
        return convert(argv[2], argv[3], text);
    }
    if (argc == 3 && std::strcmp(argv[1], "info") == 0)
        return info(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "solve") == 0) {
        SolveFlags flags;
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
            } else
                return usage();
        }
        return SolveCommand(argv[2], flags);
    }
    return usage();
}
