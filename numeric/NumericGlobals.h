// Library-wide settings of the numeric library and its silent error hook.
#pragma once

#include <functional>
#include <string_view>

namespace velmor {

// Absolute tolerance of the symmetry test, of the Cholesky pivot test and of the clean-up of
// tiny values: 1e-15, about five ulps of 1.0, so only round-off noise counts as zero.
extern double g_dTolerance;

// Every fault of the numeric library (range, shape, division by zero) is reported here and the
// operation goes on with its fallback result. By default the hook does nothing.
using MfxErrorHook = std::function<void(std::string_view)>;
void MfxReportError(std::string_view message);
// Installs a hook and returns the previous one; an empty hook is silent.
MfxErrorHook SetMfxErrorHook(MfxErrorHook hook);

} // namespace velmor
