#include "ui/reminders/alert_sound_win32.h"

#include <mmsystem.h>

std::span<const BYTE> AlertSoundData(HMODULE module) {
  if (!module) module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, L"IDR_DING", L"WAVE");
  if (!found) return {};
  const HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(loaded));
  if (!data) return {};
  // Resource memory lives as long as the module; nothing to release.
  return {data, SizeofResource(module, found)};
}

void PlayAlertSound(HMODULE module) {
  const std::span<const BYTE> sound = AlertSoundData(module);
  if (sound.empty()) return;
  PlaySoundW(reinterpret_cast<LPCWSTR>(sound.data()), nullptr, SND_MEMORY | SND_SYNC | SND_NODEFAULT);
}
