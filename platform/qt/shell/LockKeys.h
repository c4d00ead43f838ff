// The state of the keyboard's lock keys (Caps Lock, Num Lock, Scroll Lock), for the status
// bar's indicators. Read from the X server when the program runs on one; unknown elsewhere.
#pragma once

#include <optional>

namespace velmor {

struct LockKeys
{
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state, or nothing when it cannot be known (no X server, as offscreen).
std::optional<LockKeys> QueryLockKeys();

} // namespace velmor
