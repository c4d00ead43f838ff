#include "SolveCommand.h"
#include "JsonWriter.h"

#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "model/DocumentFile.h"
#include "model/VelmorNudo.h"
#include "model/VelmorProblem.h"
#include "platform/core/Archive.h"
#include "platform/core/ShareOut.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace velmor {
namespace {

// One beam's entry: its numbers, end forces, laws, inflexion points and extreme values.
void beamEntry(Json& j, const VelmorObject& beam, const BeamAnalysis& r, long c)
{
    static const std::pair<const char*, int> laws[9] = {
        {"N", LAW_N}, {"Vy", LAW_VY}, {"Vz", LAW_VZ}, {"T", LAW_T}, {"My", LAW_MY},
        {"Mz", LAW_MZ}, {"u", LAW_U}, {"v", LAW_V}, {"w", LAW_W}};
    j.Open('{');
    j.Key("number");
    j.Integer(beam.Number());
    j.Key("node1");
    j.Integer(beam.GetNumber(1));
    j.Key("node2");
    j.Integer(beam.GetNumber(2));
    j.Key("length");
    j.Number(r.L);
    j.Key("end_forces");
    if (r.q.Rows() == unsigned(2 * c))
        j.Numbers(r.q, 1, 2 * c);
    else
        j.Numbers(Vector(unsigned(2 * c)), 1, 2 * c);
    j.Key("laws");
    j.Open('{');
    for (const auto& [name, index] : laws) {
        j.Key(name);
        j.Open('[');
        for (int i = 0; i <= r.laws[index].Degree(); ++i)
            j.Number(r.laws[index].Coef(i));
        j.Close(']');
    }
    j.Close('}');
    j.Key("inflexions_Mz");
    j.Open('[');
    for (int i = 0; i < r.nInflexMz; ++i)
        j.Number(r.inflexMz[i]);
    j.Close(']');
    j.Key("inflexions_My");
    j.Open('[');
    for (int i = 0; i < r.nInflexMy; ++i)
        j.Number(r.inflexMy[i]);
    j.Close(']');
    j.Key("extrema");
    j.Open('[');
    for (double v : r.extrema)
        j.Number(v);
    j.Close(']');
    j.Close('}');
}

// Every result of the analysis as one JSON object, written to `out`.
void json(const Analysis& a, const AnalysisStatus& status, size_t threads, std::FILE* out)
{
    const VelmorProblem& p = a.Problem();
    const Vector& D = a.Displacements();
    const Vector& R = a.Reactions();
    const long c = a.DofPerNode();
    const long nodes = c ? long(D.Rows()) / c : 0;
    Json j(out);
    j.Open('{');
    j.Key("problem_type");
    j.Integer(p.m_nType);
    j.Key("dof_per_node");
    j.Integer(c);
    j.Key("equations");
    j.Integer(long(D.Rows()));
    j.Key("solved");
    j.Bool(status.Ok());
    j.Key("messages");
    j.Open('[');
    for (const EngineMessage& m : status.Messages())
        j.String(m.text);
    j.Close(']');

    j.Key("nodes");
    j.Open('[');
    for (const auto& object : p.List(KIND_NODE)) {
        const VelmorNudoData& d = static_cast<const VelmorNudo&>(*object).Data();
        j.Open('{');
        j.Key("number");
        j.Integer(d.m_nAnalysisNumber);
        j.Key("x");
        j.Number(d.m_coord.x);
        j.Key("y");
        j.Number(d.m_coord.y);
        j.Key("z");
        j.Number(d.m_coord.z);
        j.Key("displacements");
        const long k = d.m_nAnalysisNumber;
        if (k >= 1 && k <= nodes)
            j.Numbers(D, (k - 1) * c + 1, c);
        else
            j.Numbers(Vector(unsigned(c)), 1, c);
        j.Close('}');
    }
    j.Close(']');

    j.Key("reactions");
    j.Open('[');
    for (const auto& support : p.List(KIND_SUPPORT)) {
        const long k = support->GetNumber(0);
        j.Open('{');
        j.Key("node");
        j.Integer(k);
        j.Key("values");
        if (k >= 1 && k <= nodes && R.Rows() == D.Rows())
            j.Numbers(R, (k - 1) * c + 1, c);
        else
            j.Numbers(Vector(unsigned(c)), 1, c);
        j.Close('}');
    }
    j.Close(']');

    j.Key("beams");
    j.Open('[');
    // The beams' entries are most of the text: they are made in pieces of a thousand beams,
    // as many pieces at a time as there are cores, and written in the list's order.
    const VelmorObjectList& beams = p.List(KIND_BEAM);
    constexpr size_t kBeamsPerPiece = 1024;
    const size_t parts = threads ? threads : ShareOutParts(beams.size(), kBeamsPerPiece);
    std::vector<Json> pieces(parts);
    for (size_t first = 0; first < beams.size(); first += parts * kBeamsPerPiece) {
        const size_t count = std::min(parts * kBeamsPerPiece, beams.size() - first);
        for (Json& piece : pieces)
            piece.StartPiece();
        ShareOut(count, parts, [&](size_t part, size_t from, size_t to) {
            Json& piece = pieces[part];
            for (size_t place = first + from; place < first + to; ++place)
                beamEntry(piece, *beams.at(place), a.BeamResultAt(place), c);
        });
        for (const Json& piece : pieces)
            j.Append(piece);
    }
    j.Close(']');
    j.Key("extrema");
    j.Open('[');
    for (double v : a.Extrema())
        j.Number(v);
    j.Close(']');
    j.Close('}');
}

} // namespace

bool LoadStructure(VelmorProblem& problem, const char* path, bool lenient, LoadResult& result)
{
    result = LoadProblemFile(problem, path, FileForm::Detect);
    if (result.status != LoadStatus::Ok) {
        std::fprintf(stderr, "%s: %s\n", path, result.message.c_str());
        return false;
    }
    if (!result.report.empty())
        std::fprintf(stderr, "%s: %s\n", path, LoadReportMessage(result.report).c_str());
    return result.report.empty() || lenient;
}

int SolveCommand(const char* path, const SolveFlags& flags)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto since = [](Clock::time_point t) {
        return std::chrono::duration<double>(Clock::now() - t).count();
    };
    // Kept on the heap so that a process that ends here need not free a large structure.
    auto owned = std::make_unique<VelmorProblem>();
    VelmorProblem& problem = *owned;
    LoadResult loaded;
    if (!LoadStructure(problem, path, flags.lenient, loaded))
        return 2;
    problem.SyncMode(Mode::Examples);
    const double read = since(start);
    const double readPeak = PeakMemoryMiB();
    const Clock::time_point solving = Clock::now();
    const AnalysisStatus status = SolveAtOnce(problem, flags.options);
    const double solve = since(solving);
    const Clock::time_point output = Clock::now();
    const std::shared_ptr<Analysis> analysis = problem.CurrentAnalysis();
    if (flags.json) {
        json(*analysis, status, flags.options.threads, stdout);
        std::fputc('\n', stdout);
    }
    // The messages the program would show, in order; in JSON they are in the output too, so
    // stderr then has only the warnings and the messages of a failure.
    for (const EngineMessage& m : status.Messages())
        if (!flags.json || !status || m.severity == MessageSeverity::Warning)
            std::fprintf(stderr, "%s\n", m.text.c_str());
    if (!flags.json && status)
        for (const std::string& line : ResultReportLines(*analysis))
            std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (flags.timings) {
        const AnalysisTimings& t = analysis->Timings();
        const double engine = t.init + t.numbering + t.stiffness + t.loads + t.supports +
                              t.solution + t.reactions + t.results;
        struct Phase
        {
            const char* name;
            double seconds;
            double peak; // MiB; negative: not measured apart
        };
        const Phase phases[] = {
            {"read", read, readPeak},
            {"orientation", solve - engine, -1},
            {"arrays", t.init, t.initPeak},
            {"numbering", t.numbering, t.numberingPeak},
            {"assembly", t.stiffness, t.stiffnessPeak},
            {"loads", t.loads, t.loadsPeak},
            {"supports", t.supports, t.supportsPeak},
            {"solution", t.solution, t.solutionPeak},
            {"  of which factorisation", t.factorisation, -1},
            {"    of which ordering", t.ordering, -1},
            {"reactions", t.reactions, -1},
            {"results", t.results, t.resultsPeak},
            {"output", since(output), PeakMemoryMiB()},
            {"total", since(start), -1},
        };
        std::fprintf(stderr, "%-26s %9s   %s\n", "phase", "time", "peak memory after it");
        for (const Phase& phase : phases) {
            if (phase.peak >= 0)
                std::fprintf(stderr, "%-26s %9.3f s %7.0f MiB\n", phase.name, phase.seconds,
                             phase.peak);
            else
                std::fprintf(stderr, "%-26s %9.3f s\n", phase.name, phase.seconds);
        }
        if (t.factorEntries > 0)
            std::fprintf(stderr, "sparse factor: %.3g entries, %.3g floating-point operations\n",
                         t.factorEntries, t.factorFlops);
    }
    const int code = status ? 0 : 1;
    if (flags.exitWhenDone) {
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(code);
    }
    return code;
}

} // namespace velmor
