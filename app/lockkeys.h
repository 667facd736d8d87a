#pragma once

#include <optional>

// Whether Caps Lock, Num Lock and Scroll Lock are on.
struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state as the window system reports it; empty where it gives none (another
// platform than X11, or a display without the keyboard extension).
std::optional<LockKeyState> ReadLockKeyState();
