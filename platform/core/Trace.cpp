#include "Trace.h"

#include <utility>

namespace velmor {
namespace {
TraceHook& hookSlot()
{
    static TraceHook hook;
    return hook;
}
} // namespace

void Trace(std::string_view text)
{
    if (const TraceHook& hook = hookSlot())
        hook(text);
}

TraceHook SetTraceHook(TraceHook hook)
{
    return std::exchange(hookSlot(), std::move(hook));
}

} // namespace velmor
