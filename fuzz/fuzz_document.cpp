// Fuzz target for the document readers: any bytes, read in the form chosen at build time,
// must end in a clean failure (nothing loaded) or a model that the program writes and reads
// back to the same bytes. The text target also solves what it loaded: a solution is either
// refused with its message or made of finite numbers.
#include "analysis/Analysis.h"
#include "model/DocumentFile.h"
#include "model/VelmorProblem.h"
#include "platform/core/MessageService.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef VELMOR_FUZZ_TEXT
#error "VELMOR_FUZZ_TEXT must be 0 (binary form) or 1 (text form)"
#endif

namespace {

class SilentMessages final : public velmor::MessageService
{
public:
    velmor::MessageAnswer Show(std::string_view, velmor::MessageButtons, velmor::MessageIcon) override
    {
        return velmor::MessageAnswer::Ok;
    }
    void Beep() override {}
};

bool empty(const velmor::VelmorProblem& p)
{
    for (int k = 0; k < velmor::kKindCount; ++k)
        if (p.Count(k))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentMessages silent;
    velmor::SetMessageService(&silent);
    using velmor::FileForm;
    const FileForm form = VELMOR_FUZZ_TEXT ? FileForm::Text : FileForm::Binary;
    velmor::VelmorProblem p;
    velmor::LoadResult r =
        velmor::LoadProblemBytes(p, std::string(reinterpret_cast<const char*>(data), size), form);
    if (r.status != velmor::LoadStatus::Ok) {
        if (!empty(p)) {
            std::fputs("a failed read left elements behind\n", stderr);
            std::abort();
        }
        return 0;
    }
    if (p.m_nType == 0)
        return 0; // the empty file
    // The text form keeps six decimals where they hold a value to 2e-6, so a first write may
    // round a value by that much. From then on, writing and reading must change nothing.
    const bool text = VELMOR_FUZZ_TEXT;
    velmor::VelmorProblem q, again;
    const std::string once = velmor::StoreProblem(p, text);
    if (velmor::LoadProblemBytes(q, once, form).status != velmor::LoadStatus::Ok) {
        std::fputs("a file written by the program does not read back\n", stderr);
        std::abort();
    }
    const std::string twice = velmor::StoreProblem(q, text);
    if (velmor::LoadProblemBytes(again, twice, form).status != velmor::LoadStatus::Ok ||
        velmor::StoreProblem(again, text) != twice) {
        std::fputs("a model does not write and read back the same\n", stderr);
        std::abort();
    }
    // Small models only: the fuzzer's inputs are a few kilobytes, the solution is cubic.
    if (VELMOR_FUZZ_TEXT && p.Count(velmor::KIND_NODE) <= 64) {
        const velmor::AnalysisStatus status = velmor::SolveAtOnce(p);
        const velmor::Analysis& a = *p.CurrentAnalysis();
        if (status.Ok() && !a.Quality().finite) {
            std::fputs("a solution with numbers that are not finite was called solved\n", stderr);
            std::abort();
        }
        if (!status.Ok() && status.Messages().empty()) {
            std::fputs("a refused solution says nothing\n", stderr);
            std::abort();
        }
    }
    return 0;
}
