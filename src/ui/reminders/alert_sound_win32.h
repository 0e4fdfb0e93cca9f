#pragma once

#include <windows.h>

#include <span>

// The reminder's chime: the "WAVE" resource "IDR_DING" of a module, a RIFF
// WAVE file played straight from the module's memory.

// The bytes of the sound in module (null: the program), empty when missing.
[[nodiscard]] std::span<const BYTE> AlertSoundData(HMODULE module);
// Plays the sound and returns when it has finished. A missing resource or a
// machine without sound is silent and not reported.
void PlayAlertSound(HMODULE module);
