#include "NumericGlobals.h"

#include <utility>

namespace velmor {

double g_dTolerance = 1e-15;

namespace {
MfxErrorHook& hookSlot()
{
    static MfxErrorHook hook;
    return hook;
}
} // namespace

void MfxReportError(std::string_view message)
{
    if (const MfxErrorHook& hook = hookSlot())
        hook(message);
}

MfxErrorHook SetMfxErrorHook(MfxErrorHook hook)
{
    return std::exchange(hookSlot(), std::move(hook));
}

} // namespace velmor
