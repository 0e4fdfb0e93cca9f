#pragma once

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <mutex>
#include <string>

#include "update/update_check.h"

class LocaleManager;
class IAnsiCodec;

// The bytes of a fetch, or why there are none.
struct FetchedBytes {
  std::string body;  // at most update::kMaxFetchedBytes
  update::CheckFailure failure = update::CheckFailure::kNone;
};

// Fetches the version file over HTTP with WinINet. One session per fetcher;
// Cancel, from any thread, closes it, which ends a fetch waiting on the
// network and makes every later fetch fail at once. The fetcher holds no
// reference to anything else, so a thread left in a fetch owns all it uses.
class UpdateFetcher {
 public:
  static constexpr int kAttempts = 3;
  // WinINet's connect time-out; some systems ignore it, so the caller also
  // bounds a fetch from outside (Cancel).
  static constexpr DWORD kConnectTimeoutMs = 10000;
  // Also bounds a server that accepts and then says nothing.
  static constexpr DWORD kReceiveTimeoutMs = 10000;
  // No further attempt is begun with less time than this left.
  static constexpr DWORD kLeastAttemptMs = 1000;

  UpdateFetcher();
  ~UpdateFetcher();
  UpdateFetcher(const UpdateFetcher &) = delete;
  UpdateFetcher &operator=(const UpdateFetcher &) = delete;

  // The body of a GET of address: up to three attempts within budgetMs,
  // each waiting for the server at most the time left; an HTTP error
  // status counts as a failure. The failure of the last attempt otherwise.
  [[nodiscard]] FetchedBytes FetchBytes(const std::wstring &address, DWORD budgetMs = update::kCheckLimitMs);
  // The body as the version-file text (trimmed); empty after a failure.
  [[nodiscard]] std::u16string FetchText(const std::wstring &address, const IAnsiCodec &codec);
  // The version and the download address of the "APP_UPDATE_URL" file.
  [[nodiscard]] update::CheckResult FetchVersionFile(const LocaleManager &locale, const IAnsiCodec &codec);

  void Cancel();
  [[nodiscard]] bool Cancelled() const { return cancelled_; }

 private:
  // One attempt waiting at most waitMs for the server.
  update::CheckFailure TryFetch(HINTERNET session, const std::wstring &address, DWORD waitMs, std::string &body);

  std::mutex mutex_;
  HINTERNET session_ = nullptr;  // guarded by mutex_
  std::atomic<bool> cancelled_{false};
};

// The result of fetched bytes: the failure, or what the text says.
[[nodiscard]] update::CheckResult CheckResultOf(const FetchedBytes &fetched, const IAnsiCodec &codec);
