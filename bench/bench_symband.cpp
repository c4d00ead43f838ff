// Factor + solve of a symmetric band system: a banded, diagonally dominant matrix of n
// equations and b stored diagonals, like the stiffness matrix of a long frame.
#include "numeric/SymBandMat.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

velmor::SymBandMat makeSystem(unsigned n, unsigned b)
{
    velmor::SymBandMat a(n, b);
    for (long i = 1; i <= long(n); ++i) {
        a.At(i, i) = 4.0 * b;
        for (long d = 1; d < long(b) && i + d <= long(n); ++d)
            a.At(i, i + d) = -1.0 / double(d) + 0.001 * double((i * 7 + d * 13) % 11);
    }
    return a;
}

void BM_FactorSolve(benchmark::State& state)
{
    const auto n = static_cast<unsigned>(state.range(0));
    const auto b = static_cast<unsigned>(state.range(1));
    velmor::SymBandMat a = makeSystem(n, b);
    velmor::Vector rhs(n);
    for (long i = 1; i <= long(n); ++i)
        rhs.At(i) = double(i % 17) - 8.0;
    for (auto _ : state) {
        velmor::Vector x = a.Solve(rhs);
        benchmark::DoNotOptimize(x.Data());
        if (!a.m_bFactorOk)
            state.SkipWithError("singular");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

} // namespace

BENCHMARK(BM_FactorSolve)->Args({6000, 60})->Args({60000, 600})->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
