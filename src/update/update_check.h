#pragma once

// The decisions of the check for a newer version, apart from the network and
// the windows: what the fetched version file says, whether a version is newer
// than the program's own, which download addresses may be opened, and when
// the automatic check is due.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class IAnsiCodec;

namespace update {

// The most of a fetched version file that is read; the rest is dropped.
inline constexpr std::size_t kMaxFetchedBytes = 64 * 1024;
// A line longer than this is read in pieces of this length, each ending a line.
inline constexpr std::size_t kMaxLineChars = 1279;
// Longer values between the tags count as absent.
inline constexpr std::size_t kMaxVersionChars = 19;
inline constexpr std::size_t kMaxAddressChars = 999;

// The automatic check: every five minutes it asks whether a day has passed
// since the last check that obtained a version; after a fetch it rests a
// minute, so a failed fetch is tried again about a minute later.
inline constexpr std::int64_t kCheckIntervalSeconds = 86400;
inline constexpr unsigned kWakePeriodMs = 300000;
inline constexpr unsigned kRetryDelayMs = 60000;

// The longest a check may take, whatever the server does; the window gives
// up on a check still running after this.
inline constexpr unsigned kCheckLimitMs = 15000;

struct VersionFile {
  std::u16string version;  // empty when absent
  std::u16string address;  // the download address; empty when absent
  friend bool operator==(const VersionFile&, const VersionFile&) = default;
};

// Why a check obtained no version.
enum class CheckFailure {
  kNone,            // a version was obtained
  kNoConnection,    // no network, an unknown host or a refused connection
  kNoAnswer,        // the server did not answer in time
  kServerError,     // the server answered with an error status
  kNotVersionFile,  // the answer names no version
  kCancelled,       // given up by the user or by the program's end
};

struct CheckResult {
  VersionFile file;
  CheckFailure failure = CheckFailure::kNone;
};

// A fetched version-file text as a result: kNotVersionFile when it names no
// version.
[[nodiscard]] CheckResult ResultOfText(std::u16string_view text);

// The translation key of the short reason a failed check names ("no answer
// in time"); empty for kNone and kCancelled, which show no failure.
[[nodiscard]] std::u16string_view FailureReasonKey(CheckFailure failure);

// White space at both ends removed (blank, tab, CR, LF, VT, FF).
[[nodiscard]] std::u16string_view TrimBlanks(std::u16string_view text);

// The fetched bytes as the version-file text: at most kMaxFetchedBytes of
// them, in the ANSI code page, every line (pieces of kMaxLineChars at most)
// followed by "\n", the whole trimmed.
[[nodiscard]] std::u16string FetchedText(std::string_view bytes, const IAnsiCodec& codec);

// The text between the first opening tag and the first closing tag, when
// both occur and the opening one comes first; otherwise empty. Not trimmed.
[[nodiscard]] std::u16string TagText(std::u16string_view text, std::u16string_view open, std::u16string_view close);

// The version and the download address of a version-file text; a value over
// its limit counts as absent.
[[nodiscard]] VersionFile ParseVersionFile(std::u16string_view text);

// -1, 0 or 1 as a is older than, equal to or newer than b, both dotted
// numbers (surrounding blanks ignored, missing parts are 0, leading zeros do
// not count); 0 also when either is not a dotted number.
[[nodiscard]] int CompareVersions(std::u16string_view a, std::u16string_view b);
// True for "1", "1.2", "0.0.0.4": digits in groups separated by single dots,
// surrounding blanks ignored.
[[nodiscard]] bool IsDottedVersion(std::u16string_view version);
// Offered only when both are dotted numbers and offered is the newer one.
[[nodiscard]] bool IsNewerVersion(std::u16string_view offered, std::u16string_view own);

// A web page that the browser may open: http:// or https:// (any case) with
// a host, and no blanks or control characters anywhere.
[[nodiscard]] bool IsWebAddress(std::u16string_view address);
// What OK in the update dialog opens: the download address when it is a web
// page (surrounding blanks dropped), otherwise the fallback page.
[[nodiscard]] std::u16string AddressToOpen(std::u16string_view downloadAddress, std::u16string_view fallback);

// Whether the automatic check should fetch now. A last check more than a day
// ahead of the clock is taken as a wrong clock at that time, so the check
// does not stay off for years.
[[nodiscard]] bool CheckIsDue(std::int64_t now, std::int64_t lastUpdate);

}  // namespace update
