#include "LockKeys.h"

#include <QGuiApplication>

#include <dlfcn.h>

namespace velmor {
namespace {

// The few X library calls needed, found at run time: the program does not depend on the X
// library when it runs elsewhere.
struct XLibrary
{
    using OpenDisplay = void* (*)(const char*);
    using IndicatorState = int (*)(void*, unsigned int, unsigned int*);
    static constexpr unsigned int kCoreKeyboard = 0x0100; // XkbUseCoreKbd

    XLibrary()
    {
        handle = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!handle)
            return;
        auto open = reinterpret_cast<OpenDisplay>(dlsym(handle, "XOpenDisplay"));
        state = reinterpret_cast<IndicatorState>(dlsym(handle, "XkbGetIndicatorState"));
        if (open && state)
            display = open(nullptr);
    }
    void* handle = nullptr;
    void* display = nullptr;
    IndicatorState state = nullptr;
};

} // namespace

std::optional<LockKeys> QueryLockKeys()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return std::nullopt;
    // One connection for the whole run, opened at the first question.
    static XLibrary x;
    unsigned int bits = 0;
    if (!x.display || x.state(x.display, XLibrary::kCoreKeyboard, &bits) != 0)
        return std::nullopt;
    // The core keyboard's indicators: Caps Lock, Num Lock, Scroll Lock.
    return LockKeys{(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0};
}

} // namespace velmor
