#include "accounts/logon_manager.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

#include "accounts/md5.h"
#include "env/whole_file.h"

namespace fs = std::filesystem;

namespace {

using Salt = std::array<uint8_t, 12>;

// The salts are put together when needed rather than stored as text, so that
// they do not stand out in the executable. Changing them makes every stored
// password fail.
Salt MakeSalt(uint32_t a, uint32_t b, uint32_t c) {
  Salt salt{};
  const uint32_t pieces[3] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) salt[i * 4 + j] = static_cast<uint8_t>(pieces[i] >> (8 * j));
  }
  return salt;
}

Md5Digest SaltedDigest(const std::array<char, 16>& block, const Salt& salt) {
  Md5Context context;
  context.Update(block.data(), block.size());
  context.Update(salt.data(), salt.size());
  return context.Final();
}

bool IsSeparator(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

size_t SkipSeparators(std::string_view text, size_t pos) {
  while (pos < text.size() && IsSeparator(text[pos])) ++pos;
  return pos;
}

// A user id: decimal digits only, 1 to kMaxUserId. Anything else (a sign,
// spaces, a number too large for a day record's owner) makes the line malformed.
std::optional<int> ParseId(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > LogonManager::kMaxUserId) return std::nullopt;
  }
  if (value < 1) return std::nullopt;
  return value;
}

// A name that a line of the file can carry and give back unchanged.
bool IsStorableName(std::string_view name) {
  return name.find_first_of(std::string_view("\t\r\n\0", 4)) == std::string_view::npos;
}

IFileReplacer& DefaultFiles() {
  static PortableFileReplacer files;
  return files;
}

fs::path NewFilePath(const fs::path& userFile) {
  fs::path written = userFile;
  written += ".new";
  return written;
}

}  // namespace

LogonManager::LogonManager(fs::path userFile, std::function<int()> highestOwnerInUse, IFileReplacer* files)
    : userFile_(std::move(userFile)),
      highestOwnerInUse_(std::move(highestOwnerInUse)),
      files_(files ? files : &DefaultFiles()) {
  (void)LoadUsers();  // no file yet is the normal state of a new installation
}

std::string LogonManager::HashPassword(std::string_view password) {
  std::array<char, 16> block;
  block.fill('^');
  std::copy_n(password.begin(), std::min<size_t>(password.size(), block.size()), block.begin());

  const Md5Digest d1 = SaltedDigest(block, MakeSalt(0x3b9d27c4u, 0x8e1f6a52u, 0x5a8c3f17u));
  const Md5Digest d2 = SaltedDigest(block, MakeSalt(0x735a696eu, 0x0b1d9e42u, 0x7c33a5e1u));
  std::array<uint8_t, 24> bytes{};
  for (int i = 0; i < 4; ++i) {
    bytes[i] = d1[i] ^ d1[4 + i];
    bytes[4 + i] = d1[12 + i] ^ d1[8 + i];
  }
  std::copy(d2.begin(), d2.end(), bytes.begin() + 8);

  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const uint8_t b : bytes) {
    text.push_back(kHex[b >> 4]);
    text.push_back(kHex[b & 0x0f]);
  }
  return text;
}

LogonManager::ParsedUsers LogonManager::ParseUsers(std::string_view text) {
  // The file was read as a C string: a NUL byte ends it.
  const size_t nul = text.find('\0');
  text = text.substr(0, nul);
  ParsedUsers parsed;
  size_t pos = SkipSeparators(text, 0);
  while (pos < text.size()) {
    const size_t idEnd = text.find('\t', pos);
    if (idEnd == std::string_view::npos) break;
    const std::optional<int> id = ParseId(text.substr(pos, idEnd - pos));
    if (!id) break;
    const size_t nameEnd = text.find('\t', idEnd + 1);
    if (nameEnd == std::string_view::npos) break;
    const std::string_view name = text.substr(idEnd + 1, nameEnd - idEnd - 1);
    // A line break inside the name means the line lacked its second TAB.
    if (name.find_first_of("\r\n") != std::string_view::npos) break;
    // The hash runs to the line's end; a line not ended by CR is incomplete.
    const size_t cr = text.find('\r', nameEnd + 1);
    if (cr == std::string_view::npos) break;
    const size_t hashEnd = std::min(cr, text.find('\n', nameEnd + 1));
    const std::string_view hash = text.substr(nameEnd + 1, hashEnd - nameEnd - 1);
    parsed.largestId = std::max(parsed.largestId, *id);
    parsed.users[*id] = UserRecord{std::string(name), *id, std::string(hash)};
    pos = SkipSeparators(text, hashEnd);
  }
  parsed.complete = pos >= text.size() && nul == std::string_view::npos && !text.empty() && text.back() == '\n';
  return parsed;
}

std::string LogonManager::FormatUsers(const std::map<int, UserRecord>& users) {
  std::string text;
  for (const auto& [id, user] : users) {
    text += std::to_string(id);
    text += '\t';
    text += user.name;
    text += '\t';
    text += user.passwordHash;
    text += "\r\n";
  }
  return text;
}

int LogonManager::LoadUsers() {
  std::optional<std::string> bytes = ReadWholeFile(userFile_);
  if (!bytes) {
    std::error_code ec;
    if (fs::exists(userFile_, ec) || ec) return -1;
    // Only a new list that was written whole is taken; it then becomes user.dat.
    const fs::path written = NewFilePath(userFile_);
    bytes = ReadWholeFile(written);
    if (!bytes || !ParseUsers(*bytes).complete) return -1;
    (void)files_->Replace(written, userFile_);  // read from .new again next time if this fails
  }
  ParsedUsers parsed = ParseUsers(*bytes);
  users_ = std::move(parsed.users);
  largestId_ = parsed.largestId;
  return 0;
}

int LogonManager::SaveUsers() {
  // Written beside the old file, on the disk, and then put in its place in
  // one step: at every moment either the old list or the new one is whole.
  const fs::path written = NewFilePath(userFile_);
  if (!files_->WriteDurably(written, FormatUsers(users_)) || !files_->Replace(written, userFile_)) {
    std::error_code ec;
    fs::remove(written, ec);
    return -1;
  }
  return 0;
}

bool LogonManager::UserExists(const std::string& name) const {
  return std::any_of(users_.begin(), users_.end(), [&](const auto& entry) { return entry.second.name == name; });
}

bool LogonManager::Authenticate(const std::string& name, const std::string& password, bool makeCurrent) {
  const std::string hash = HashPassword(password);
  for (const auto& [id, user] : users_) {
    if (user.name == name && user.passwordHash == hash) {
      if (makeCurrent) current_ = user;
      return true;
    }
  }
  return false;
}

int LogonManager::AddUser(const std::string& name, const std::string& password) {
  if (!IsStorableName(name)) return -1;
  // Above every id in the file and every owner of day records, so that a new
  // user never sees the days of a user deleted before.
  int base = largestId_;
  if (highestOwnerInUse_) base = std::max(base, highestOwnerInUse_());
  if (base >= kMaxUserId) return -1;
  const int id = base + 1;
  largestId_ = id;
  users_[id] = UserRecord{name, id, HashPassword(password)};
  return SaveUsers();
}

int LogonManager::DeleteUser(const std::string& name) {
  const auto found =
      std::find_if(users_.begin(), users_.end(), [&](const auto& entry) { return entry.second.name == name; });
  if (found != users_.end()) users_.erase(found);
  return SaveUsers();
}

int LogonManager::DeleteUser(const std::string& name, const std::string& password) {
  const std::string hash = HashPassword(password);
  const auto found = std::find_if(users_.begin(), users_.end(), [&](const auto& entry) {
    return entry.second.name == name && entry.second.passwordHash == hash;
  });
  if (found != users_.end()) users_.erase(found);
  return SaveUsers();
}

std::vector<std::string> LogonManager::UserNames() const {
  std::vector<std::string> names;
  names.reserve(users_.size());
  for (const auto& [id, user] : users_) names.push_back(user.name);
  return names;
}
