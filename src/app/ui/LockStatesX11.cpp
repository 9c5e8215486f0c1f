// The lock states as the X server's keyboard indicators have them. Kept apart: the X11
// headers define names (KeyPress, None, Bool) that clash with Qt's.
#include <QGuiApplication>

#include "app/ui/KeyIndicators.h"

#if defined(KIVRUN_HAVE_XKB)
#include <X11/XKBlib.h>
#endif

namespace kivrun {

LockStates ReadLockStates() {
#if defined(KIVRUN_HAVE_XKB)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return {};
    // By name, as the keymap calls them, rather than by an indicator number.
    auto lit = [display](const char* name) -> std::optional<bool> {
        const Atom atom = XInternAtom(display, name, True);
        int on = 0;
        if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            return std::nullopt;
        return on != 0;
    };
    return {lit("Caps Lock"), lit("Num Lock"), lit("Scroll Lock")};
#else
    return {};
#endif
}

}  // namespace kivrun
