// Diagnostic traces: internal messages with no visible effect ("DeleteObject not found",
// connection refusals). They go to one replaceable hook; by default they are dropped.
#pragma once

#include <functional>
#include <string_view>

namespace velmor {

using TraceHook = std::function<void(std::string_view)>;

// Sends one trace line to the installed hook (nothing happens without one).
void Trace(std::string_view text);

// Installs a hook and returns the previous one; an empty hook drops traces.
TraceHook SetTraceHook(TraceHook hook);

} // namespace velmor
