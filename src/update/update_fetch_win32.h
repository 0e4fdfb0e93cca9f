#pragma once

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <mutex>
#include <string>

#include "update/update_check.h"

class LocaleManager;
class IAnsiCodec;

// Fetches the version file over HTTP with WinINet. One session per fetcher;
// Cancel, from any thread, closes it, which ends a fetch waiting on the
// network and makes every later fetch fail at once.
class UpdateFetcher {
 public:
  static constexpr int kAttempts = 3;
  static constexpr DWORD kConnectTimeoutMs = 10000;
  // Also bounds a server that accepts and then says nothing.
  static constexpr DWORD kReceiveTimeoutMs = 10000;

  UpdateFetcher(const LocaleManager& locale, const IAnsiCodec& codec);
  ~UpdateFetcher();
  UpdateFetcher(const UpdateFetcher&) = delete;
  UpdateFetcher& operator=(const UpdateFetcher&) = delete;

  // The body of a GET of address as the version-file text (trimmed, at most
  // 64 KB read); empty after three failed attempts, an HTTP error status
  // counting as a failure.
  [[nodiscard]] std::u16string FetchText(const std::wstring& address);
  // The version and the download address of the "APP_UPDATE_URL" file.
  [[nodiscard]] update::VersionFile FetchVersionFile();

  void Cancel();
  [[nodiscard]] bool Cancelled() const { return cancelled_; }

 private:
  // One attempt; false when it failed and another may be made.
  bool TryFetch(HINTERNET session, const std::wstring& address, std::string& body);

  const LocaleManager& locale_;
  const IAnsiCodec& codec_;
  std::mutex mutex_;
  HINTERNET session_ = nullptr;  // guarded by mutex_
  std::atomic<bool> cancelled_{false};
};
