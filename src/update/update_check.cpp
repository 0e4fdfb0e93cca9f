#include "update/update_check.h"

#include <algorithm>

#include "env/platform.h"

namespace update {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

// The next dot-separated group, leading zeros dropped ("" for zero).
std::u16string_view NextGroup(std::u16string_view& rest) {
  const std::size_t dot = rest.find(u'.');
  std::u16string_view group = rest.substr(0, dot);
  rest = dot == std::u16string_view::npos ? std::u16string_view() : rest.substr(dot + 1);
  while (!group.empty() && group.front() == u'0') group.remove_prefix(1);
  return group;
}

// Groups of equal length without leading zeros compare as text.
int CompareGroups(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string FetchedText(std::string_view bytes, const IAnsiCodec& codec) {
  if (bytes.size() > kMaxFetchedBytes) bytes = bytes.substr(0, kMaxFetchedBytes);
  const std::u16string decoded = codec.FromAnsi(bytes);
  std::u16string text;
  text.reserve(decoded.size() + decoded.size() / kMaxLineChars + 1);
  std::u16string_view rest(decoded);
  while (!rest.empty()) {
    const std::size_t end = rest.find(u'\n');
    std::u16string_view line = rest.substr(0, end);
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    do {
      text.append(line.substr(0, kMaxLineChars));
      text.push_back(u'\n');
      line.remove_prefix(std::min(line.size(), kMaxLineChars));
    } while (!line.empty());
  }
  return std::u16string(TrimBlanks(text));
}

std::u16string TagText(std::u16string_view text, std::u16string_view open, std::u16string_view close) {
  const std::size_t start = text.find(open);
  const std::size_t end = text.find(close);
  if (start == std::u16string_view::npos || end == std::u16string_view::npos) return {};
  const std::size_t from = start + open.size();
  if (end < from) return {};
  return std::u16string(text.substr(from, end - from));
}

VersionFile ParseVersionFile(std::u16string_view text) {
  text = TrimBlanks(text);
  VersionFile file{TagText(text, u"<version>", u"</version>"), TagText(text, u"<distr_path>", u"</distr_path>")};
  if (file.version.size() > kMaxVersionChars) file.version.clear();
  if (file.address.size() > kMaxAddressChars) file.address.clear();
  return file;
}

CheckResult ResultOfText(std::u16string_view text) {
  CheckResult result{ParseVersionFile(text), CheckFailure::kNone};
  if (result.file.version.empty()) result.failure = CheckFailure::kNotVersionFile;
  return result;
}

std::u16string_view FailureReasonKey(CheckFailure failure) {
  switch (failure) {
    case CheckFailure::kNoConnection: return u"UPDATE_NO_CONNECTION";
    case CheckFailure::kNoAnswer: return u"UPDATE_NO_ANSWER";
    case CheckFailure::kServerError: return u"UPDATE_SERVER_ERROR";
    case CheckFailure::kNotVersionFile: return u"UPDATE_NOT_VERSION_FILE";
    case CheckFailure::kNone:
    case CheckFailure::kCancelled: break;
  }
  return {};
}

bool IsDottedVersion(std::u16string_view version) {
  version = TrimBlanks(version);
  if (version.empty()) return false;
  bool groupHasDigit = false;
  for (const char16_t c : version) {
    if (IsDigit(c)) {
      groupHasDigit = true;
    } else if (c == u'.' && groupHasDigit) {
      groupHasDigit = false;
    } else {
      return false;
    }
  }
  return groupHasDigit;
}

int CompareVersions(std::u16string_view a, std::u16string_view b) {
  if (!IsDottedVersion(a) || !IsDottedVersion(b)) return 0;
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  while (!a.empty() || !b.empty()) {
    const int c = CompareGroups(NextGroup(a), NextGroup(b));
    if (c != 0) return c;
  }
  return 0;
}

bool IsNewerVersion(std::u16string_view offered, std::u16string_view own) {
  return IsDottedVersion(offered) && IsDottedVersion(own) && CompareVersions(offered, own) > 0;
}

bool IsWebAddress(std::u16string_view address) {
  std::u16string_view rest;
  if (StartsWithNoCase(address, u"https://")) {
    rest = address.substr(8);
  } else if (StartsWithNoCase(address, u"http://")) {
    rest = address.substr(7);
  } else {
    return false;
  }
  // A host must follow: "http:///x" or "http://" alone names no page.
  if (rest.empty() || rest.front() == u'/' || rest.front() == u'\\') return false;
  for (const char16_t c : address) {
    if (c <= u' ' || c == 0x7F) return false;
  }
  return true;
}

std::u16string AddressToOpen(std::u16string_view downloadAddress, std::u16string_view fallback) {
  const std::u16string_view address = TrimBlanks(downloadAddress);
  return std::u16string(IsWebAddress(address) ? address : fallback);
}

bool CheckIsDue(std::int64_t now, std::int64_t lastUpdate) {
  // Distances taken in unsigned arithmetic: exact for any two 64-bit times,
  // where a signed sum or difference of stored values could overflow.
  const auto distance = [](std::int64_t later, std::int64_t earlier) {
    return static_cast<std::uint64_t>(later) - static_cast<std::uint64_t>(earlier);
  };
  const auto day = static_cast<std::uint64_t>(kCheckIntervalSeconds);
  if (lastUpdate > now) return distance(lastUpdate, now) > day;
  return distance(now, lastUpdate) >= day;
}

}  // namespace update
