// What one game window draws and plays with: where it finds its packages, its four font roles, its
// sounds and its card voice. The window owns one and hands it to the parts it builds; a second
// game in the same process (a network or tournament test) owns another, so nothing of this is
// shared between them. Only what cannot differ between games stays process-wide: the program's
// compiled-in pictures and sounds, which the platform's resource system keeps once per process.
#pragma once

#include "media/CardVoice.h"
#include "media/Sound.h"
#include "packages/Package.h"
#include "table/Fonts.h"

namespace tarvo {

struct WindowResources {
    WindowResources() = default;
    // Plays into `output` instead of the speakers (tests).
    explicit WindowResources(WaveOutput& output) : sound(output) {}
    WindowResources(const WindowResources&) = delete;
    WindowResources& operator=(const WindowResources&) = delete;

    PackageRegistry packages;
    FontSettings fonts;
    SoundPlayer sound;
    CardVoice voice{packages, sound};
};

} // namespace tarvo
