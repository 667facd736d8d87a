#include "app/lockkeys.h"

#include <QGuiApplication>

#ifdef MARLOCK_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <array>
#endif

#ifdef MARLOCK_HAVE_X11
namespace {

// The bit of each lock's indicator, found by name once per display: layouts may number the
// indicators differently.
struct IndicatorBits {
    Display* display = nullptr;
    std::array<unsigned int, 3> masks{};
};

unsigned int IndicatorMask(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return 0;
    int index = -1;
    if (!XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr)) return 0;
    return index >= 0 && index < 32 ? 1u << index : 0;
}

const IndicatorBits& BitsFor(Display* display) {
    static IndicatorBits bits;
    if (bits.display != display) {
        bits.display = display;
        bits.masks = {IndicatorMask(display, "Caps Lock"), IndicatorMask(display, "Num Lock"),
                      IndicatorMask(display, "Scroll Lock")};
    }
    return bits;
}

}  // namespace
#endif

std::optional<LockKeyState> ReadLockKeyState() {
#ifdef MARLOCK_HAVE_X11
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) return std::nullopt;
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
    const IndicatorBits& bits = BitsFor(display);
    return LockKeyState{(state & bits.masks[0]) != 0, (state & bits.masks[1]) != 0,
                        (state & bits.masks[2]) != 0};
#else
    return std::nullopt;
#endif
}
