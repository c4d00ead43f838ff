// Reading and writing the text form of a structure file of about 100,000 elements (a plane
// frame with scrambled node order), and the binary form for comparison.
#include "FrameGenerator.h"
#include "model/DocumentFile.h"

#include <benchmark/benchmark.h>

namespace {

// A 250 x 100 plane frame: 25,000 nodes, 2 sections, 49,401 beams, 24,651 girder loads, 250
// supports and 250 nodal loads: 99,554 elements.
const std::string& sampleFile(bool text)
{
    static std::string files[2];
    std::string& f = files[text ? 1 : 0];
    if (f.empty()) {
        velmor::VelmorProblem p;
        velmor::bench::PlaneFrame(p, 250, 100, true);
        f = velmor::StoreProblem(p, text);
    }
    return f;
}

size_t elementCount()
{
    velmor::VelmorProblem p;
    velmor::LoadProblemBytes(p, sampleFile(true), velmor::FileForm::Text);
    size_t n = 0;
    for (int k = 0; k < velmor::kKindCount; ++k)
        n += p.Count(k);
    return n;
}

void BM_ReadText(benchmark::State& state)
{
    const std::string& bytes = sampleFile(true);
    for (auto _ : state) {
        velmor::VelmorProblem p;
        if (velmor::LoadProblemBytes(p, bytes, velmor::FileForm::Text).status != velmor::LoadStatus::Ok)
            state.SkipWithError("read failed");
    }
    state.counters["elements"] = double(elementCount());
    state.counters["MiB"] = double(bytes.size()) / (1024.0 * 1024.0);
}

void BM_WriteText(benchmark::State& state)
{
    velmor::VelmorProblem p;
    velmor::LoadProblemBytes(p, sampleFile(true), velmor::FileForm::Text);
    for (auto _ : state)
        benchmark::DoNotOptimize(velmor::StoreProblem(p, true).size());
}

void BM_ReadBinary(benchmark::State& state)
{
    const std::string& bytes = sampleFile(false);
    for (auto _ : state) {
        velmor::VelmorProblem p;
        velmor::LoadProblemBytes(p, bytes, velmor::FileForm::Binary);
    }
}

} // namespace

BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBinary)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
