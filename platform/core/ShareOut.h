// Work on the items of a long list shared out among the machine's cores: each thread takes one
// run of consecutive items, the calling thread the first. For work whose items are independent
// (each writes only its own record), so that the result is the same with any number of threads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace velmor {

// How many runs ShareOut makes of `count` items, each of at least `smallest` of them: one per
// core, at most `most`, and 1 when the list is too short to be worth a thread.
inline size_t ShareOutParts(size_t count, size_t smallest, size_t most = 4)
{
    const size_t cores = std::max<size_t>(1, std::thread::hardware_concurrency());
    const size_t byLength = smallest > 0 ? count / smallest : count;
    return std::max<size_t>(1, std::min({cores, most, byLength}));
}

// Calls work(part, from, to) for `parts` runs [from, to) that cover [0, count) in order, run 0
// on the calling thread and each other on its own; returns when all are done. An exception of
// any run is thrown again here (the first, by run), once every run has ended.
template <typename Work>
void ShareOut(size_t count, size_t parts, Work&& work)
{
    parts = std::max<size_t>(1, std::min(parts, std::max<size_t>(1, count)));
    auto from = [&](size_t part) { return count * part / parts; };
    if (parts == 1) {
        work(size_t(0), size_t(0), count);
        return;
    }
    std::vector<std::exception_ptr> failures(parts);
    std::vector<std::thread> threads;
    threads.reserve(parts - 1);
    for (size_t part = 1; part < parts; ++part) {
        try {
            threads.emplace_back([&, part] {
                try {
                    work(part, from(part), from(part + 1));
                } catch (...) {
                    failures[part] = std::current_exception();
                }
            });
        } catch (...) {
            // No thread to be had: this run is done here, after the first.
            threads.emplace_back();
        }
    }
    try {
        work(size_t(0), size_t(0), from(1));
    } catch (...) {
        failures[0] = std::current_exception();
    }
    for (size_t part = 1; part < parts; ++part) {
        std::thread& t = threads[part - 1];
        if (t.joinable()) {
            t.join();
        } else {
            try {
                work(part, from(part), from(part + 1));
            } catch (...) {
                failures[part] = std::current_exception();
            }
        }
    }
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace velmor
