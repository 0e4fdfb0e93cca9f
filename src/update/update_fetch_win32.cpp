#include "update/update_fetch_win32.h"

#include <wininet.h>

#include "env/debug_log_win32.h"
#include "env/locale_manager.h"
#include "env/wide_win32.h"

namespace {

struct InternetHandle {
  HINTERNET h = nullptr;
  explicit InternetHandle(HINTERNET handle) : h(handle) {}
  ~InternetHandle() {
    if (h) InternetCloseHandle(h);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
};

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
  if (!InternetSetOptionW(handle, option, &ms, sizeof ms)) LogLastError(L"InternetSetOption(time-out)");
}

}  // namespace

UpdateFetcher::UpdateFetcher(const LocaleManager& locale, const IAnsiCodec& codec) : locale_(locale), codec_(codec) {
  // The system's connection settings, proxy included; the program's name as agent.
  const HINTERNET session = InternetOpenW(L"Tamarel", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) {
    LogLastError(L"InternetOpen");
    return;
  }
  SetTimeout(session, INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
  SetTimeout(session, INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
  std::lock_guard lock(mutex_);
  session_ = session;
}

UpdateFetcher::~UpdateFetcher() { Cancel(); }

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

bool UpdateFetcher::TryFetch(HINTERNET session, const std::wstring& address, std::string& body) {
  InternetHandle file(InternetOpenUrlW(session, address.c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 0));
  if (!file.h) return false;
  SetTimeout(file.h, INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
  // An error page is not a version file.
  DWORD status = 0;
  DWORD size = sizeof status;
  if (HttpQueryInfoW(file.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
      (status < 200 || status > 299)) {
    return false;
  }
  body.clear();
  char chunk[4096];
  while (body.size() < update::kMaxFetchedBytes) {
    DWORD read = 0;
    if (!InternetReadFile(file.h, chunk, sizeof chunk, &read)) return false;
    if (read == 0) break;
    body.append(chunk, read);
  }
  return true;
}

std::u16string UpdateFetcher::FetchText(const std::wstring& address) {
  for (int attempt = 0; attempt < kAttempts && !cancelled_; ++attempt) {
    HINTERNET session = nullptr;
    {
      std::lock_guard lock(mutex_);
      session = session_;
    }
    if (!session) return {};
    std::string body;
    if (TryFetch(session, address, body)) return update::FetchedText(body, codec_);
  }
  return {};
}

update::VersionFile UpdateFetcher::FetchVersionFile() {
  const std::wstring address = ToWide(locale_.Translate(u"APP_UPDATE_URL"));
  return update::ParseVersionFile(FetchText(address));
}
