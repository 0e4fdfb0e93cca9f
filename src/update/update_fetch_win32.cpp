#include "update/update_fetch_win32.h"

#include <wininet.h>

#include <algorithm>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"

using update::CheckFailure;

namespace {

struct InternetHandle {
  HINTERNET h = nullptr;
  explicit InternetHandle(HINTERNET handle) : h(handle) {}
  ~InternetHandle() {
    if (h) InternetCloseHandle(h);
  }
  InternetHandle(const InternetHandle &) = delete;
  InternetHandle &operator=(const InternetHandle &) = delete;
};

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
  if (!InternetSetOptionW(handle, option, &ms, sizeof ms)) LogLastError(L"InternetSetOption(time-out)");
}

// Why the last WinINet call failed.
CheckFailure LastFailure() {
  switch (GetLastError()) {
    case ERROR_INTERNET_TIMEOUT: return CheckFailure::kNoAnswer;
    case ERROR_INTERNET_OPERATION_CANCELLED:
    case ERROR_INVALID_HANDLE:
    case ERROR_INTERNET_INCORRECT_HANDLE_TYPE: return CheckFailure::kCancelled;
    default: return CheckFailure::kNoConnection;
  }
}

}  // namespace

UpdateFetcher::UpdateFetcher() {
  // The system's connection settings, proxy included; the program's name as
  // agent.
  const HINTERNET session = InternetOpenW(L"Tamarel", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) {
    LogLastError(L"InternetOpen");
    return;
  }
  SetTimeout(session, INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
  SetTimeout(session, INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
  SetTimeout(session, INTERNET_OPTION_SEND_TIMEOUT, kReceiveTimeoutMs);
  std::lock_guard lock(mutex_);
  session_ = session;
}

UpdateFetcher::~UpdateFetcher() {
  Cancel();
}

void UpdateFetcher::Cancel() {
  cancelled_ = true;
  HINTERNET session = nullptr;
  {
    std::lock_guard lock(mutex_);
    session = std::exchange(session_, nullptr);
  }
  // Closing the session ends the requests made in it, also one that waits.
  if (session) InternetCloseHandle(session);
}

CheckFailure UpdateFetcher::TryFetch(HINTERNET session, const std::wstring &address, DWORD waitMs, std::string &body) {
  // The request made by the next open takes the session's time-outs.
  SetTimeout(session, INTERNET_OPTION_RECEIVE_TIMEOUT, waitMs);
  SetTimeout(session, INTERNET_OPTION_SEND_TIMEOUT, waitMs);
  InternetHandle file(InternetOpenUrlW(session, address.c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 0));
  if (!file.h) return cancelled_ ? CheckFailure::kCancelled : LastFailure();
  SetTimeout(file.h, INTERNET_OPTION_RECEIVE_TIMEOUT, waitMs);
  // An error page is not a version file.
  DWORD status = 0;
  DWORD size = sizeof status;
  if (HttpQueryInfoW(file.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
      (status < 200 || status > 299)) {
    return CheckFailure::kServerError;
  }
  body.clear();
  char chunk[4096];
  while (body.size() < update::kMaxFetchedBytes) {
    DWORD read = 0;
    if (!InternetReadFile(file.h, chunk, sizeof chunk, &read))
      return cancelled_ ? CheckFailure::kCancelled : LastFailure();
    if (read == 0) break;
    body.append(chunk, read);
  }
  return CheckFailure::kNone;
}

FetchedBytes UpdateFetcher::FetchBytes(const std::wstring &address, DWORD budgetMs) {
  const ULONGLONG deadline = GetTickCount64() + budgetMs;
  FetchedBytes fetched{{}, CheckFailure::kNoConnection};
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline || deadline - now < kLeastAttemptMs) {
      if (attempt == 0) fetched.failure = CheckFailure::kNoAnswer;
      break;
    }
    HINTERNET session = nullptr;
    {
      std::lock_guard lock(mutex_);
      session = session_;
    }
    if (cancelled_) return {{}, CheckFailure::kCancelled};
    if (!session) return fetched;
    const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(kReceiveTimeoutMs, deadline - now));
    fetched.failure = TryFetch(session, address, wait, fetched.body);
    if (fetched.failure == CheckFailure::kNone || fetched.failure == CheckFailure::kCancelled) break;
    fetched.body.clear();
  }
  if (cancelled_) return {{}, CheckFailure::kCancelled};
  return fetched;
}

std::u16string UpdateFetcher::FetchText(const std::wstring &address, const IAnsiCodec &codec) {
  const FetchedBytes fetched = FetchBytes(address);
  if (fetched.failure != CheckFailure::kNone) return {};
  return update::FetchedText(fetched.body, codec);
}

update::CheckResult UpdateFetcher::FetchVersionFile(const LocaleManager &locale, const IAnsiCodec &codec) {
  const std::wstring address = ToWide(locale.Translate(u"APP_UPDATE_URL"));
  return CheckResultOf(FetchBytes(address), codec);
}

update::CheckResult CheckResultOf(const FetchedBytes &fetched, const IAnsiCodec &codec) {
  if (fetched.failure != CheckFailure::kNone) return {{}, fetched.failure};
  return update::ResultOfText(update::FetchedText(fetched.body, codec));
}
