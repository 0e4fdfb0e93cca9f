#include "accounts/logon_manager.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

#include "env/whole_file.h"

namespace fs = std::filesystem;

namespace {

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
  return !name.empty() && name.find_first_of(std::string_view("\t\r\n\0", 4)) == std::string_view::npos;
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

LogonManager::LogonManager(fs::path userFile, std::function<int()> highestOwnerInUse, IFileReplacer* files,
                           PasswordHashing hashing)
    : userFile_(std::move(userFile)),
      highestOwnerInUse_(std::move(highestOwnerInUse)),
      files_(files ? files : &DefaultFiles()),
      hashing_(hashing) {
  (void)LoadUsers();  // no file is a new installation; an unreadable one leaves the list empty
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

UsersResult LogonManager::LoadUsers() {
  std::optional<std::string> bytes = ReadWholeFile(userFile_);
  if (!bytes) {
    std::error_code ec;
    if (fs::exists(userFile_, ec) || ec) return UsersResult::kUnreadable;
    // Only a new list that was written whole is taken; it then becomes user.dat.
    const fs::path written = NewFilePath(userFile_);
    bytes = ReadWholeFile(written);
    if (!bytes || !ParseUsers(*bytes).complete) {
      users_.clear();
      largestId_ = 0;
      return UsersResult::kMissing;
    }
    (void)files_->Replace(written, userFile_);  // read from .new again next time if this fails
  }
  ParsedUsers parsed = ParseUsers(*bytes);
  users_ = std::move(parsed.users);
  largestId_ = parsed.largestId;
  return UsersResult::kDone;
}

UsersResult LogonManager::SaveUsers() {
  // Written beside the old file, on the disk, and then put in its place in
  // one step: at every moment either the old list or the new one is whole.
  const fs::path written = NewFilePath(userFile_);
  if (!files_->WriteDurably(written, FormatUsers(users_)) || !files_->Replace(written, userFile_)) {
    std::error_code ec;
    fs::remove(written, ec);
    return UsersResult::kNotSaved;
  }
  return UsersResult::kDone;
}

bool LogonManager::UserExists(const std::string& name) const {
  return std::any_of(users_.begin(), users_.end(), [&](const auto& entry) { return entry.second.name == name; });
}

std::map<int, UserRecord>::iterator LogonManager::FindProven(const std::string& name, const std::string& password,
                                                             PasswordCheck* check) {
  for (auto it = users_.begin(); it != users_.end(); ++it) {
    if (it->second.name != name) continue;
    const PasswordCheck result = CheckPassword(hashing_, it->second.passwordHash, password);
    if (result != PasswordCheck::kNoMatch) {
      if (check) *check = result;
      return it;
    }
  }
  if (check) *check = PasswordCheck::kNoMatch;
  return users_.end();
}

bool LogonManager::Authenticate(const std::string& name, const std::string& password, bool makeCurrent) {
  PasswordCheck check = PasswordCheck::kNoMatch;
  const auto found = FindProven(name, password, &check);
  if (found == users_.end()) return false;
  if (makeCurrent) {
    // An old MD5-based hash is replaced now that she has shown the password.
    // When the list cannot be written the old hash stays, in memory as on the
    // disk, and the next login tries again; the login itself succeeds.
    if (check == PasswordCheck::kMatchOldForm) {
      if (std::optional<std::string> hash = MakePasswordHash(hashing_, password)) {
        std::string old = std::exchange(found->second.passwordHash, std::move(*hash));
        if (SaveUsers() != UsersResult::kDone) found->second.passwordHash = std::move(old);
      }
    }
    current_ = found->second;
  }
  return true;
}

UsersResult LogonManager::AddUser(const std::string& name, const std::string& password) {
  if (!IsStorableName(name)) return UsersResult::kNameNotStorable;
  if (UserExists(name)) return UsersResult::kNameTaken;
  // Above every id in the file and every owner of day records, so that a new
  // user never sees the days of a user deleted before.
  int base = largestId_;
  if (highestOwnerInUse_) base = std::max(base, highestOwnerInUse_());
  if (base >= kMaxUserId) return UsersResult::kNoIdLeft;
  std::optional<std::string> hash = MakePasswordHash(hashing_, password);
  if (!hash) return UsersResult::kHashFailed;
  const int id = base + 1;
  largestId_ = id;
  users_[id] = UserRecord{name, id, std::move(*hash)};
  return SaveUsers();
}

UsersResult LogonManager::DeleteUser(const std::string& name, const std::string& password, int* removedId) {
  const auto found = FindProven(name, password, nullptr);
  if (found == users_.end()) return UsersResult::kWrongPassword;
  if (removedId) *removedId = found->first;
  users_.erase(found);
  return SaveUsers();
}

UsersResult LogonManager::ChangePassword(const std::string& name, const std::string& oldPassword,
                                         const std::string& newPassword) {
  const auto found = FindProven(name, oldPassword, nullptr);
  if (found == users_.end()) return UsersResult::kWrongPassword;
  std::optional<std::string> hash = MakePasswordHash(hashing_, newPassword);
  if (!hash) return UsersResult::kHashFailed;
  found->second.passwordHash = std::move(*hash);
  if (current_.id == found->first) current_ = found->second;
  return SaveUsers();
}

std::vector<std::string> LogonManager::UserNames() const {
  std::vector<std::string> names;
  names.reserve(users_.size());
  for (const auto& [id, user] : users_) names.push_back(user.name);
  return names;
}
