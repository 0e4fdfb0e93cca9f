#pragma once

// The users of one installation: names, ids and password hashes kept in the
// text file user.dat beside the executable, and the user logged in now.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "env/file_replace.h"

// One user. Names and hashes are bytes in the Windows ANSI code page.
struct UserRecord {
  std::string name;
  int id = 0;  // 1 and up; 0 means no user
  std::string passwordHash;

  friend bool operator==(const UserRecord&, const UserRecord&) = default;
};

class LogonManager {
 public:
  // The largest id a user can have: ids are the owners of day records, which
  // db.dat stores in 16 bits.
  static constexpr int kMaxUserId = 65535;

  // userFile: the path of user.dat. highestOwnerInUse: the largest owner id
  // that has day records (may be empty); new users get ids above it, so that
  // nobody inherits the days of a deleted user. Reads the users at once.
  // files: how the list is written and put in place (the C runtime's when none).
  explicit LogonManager(std::filesystem::path userFile, std::function<int()> highestOwnerInUse = {},
                        IFileReplacer* files = nullptr);
  virtual ~LogonManager() = default;
  LogonManager(const LogonManager&) = delete;
  LogonManager& operator=(const LogonManager&) = delete;


  // 0, or -1 when the file cannot be opened or read (the users stay as they
  // were). When user.dat is missing but a complete user.dat.new is there (a
  // save was cut off just before the new list took the old one's place), the
  // new list is taken.
  int LoadUsers();
  // Writes user.dat.new, pushes it to the disk and puts it in place of
  // user.dat in one step; 0, or -1 when any step failed (the previous file is
  // then left as it was).
  int SaveUsers();

  [[nodiscard]] bool UserExists(const std::string& name) const;
  // True when a user of this name has the hash of this password; the first
  // such user in id order becomes the current user when makeCurrent is set.
  bool Authenticate(const std::string& name, const std::string& password, bool makeCurrent);
  // Adds the user under a new id and saves: the result of SaveUsers. -1 with
  // nothing added when no id is left or the name cannot be stored (TAB, CR,
  // LF or NUL in it).
  int AddUser(const std::string& name, const std::string& password);
  // Removes the first user in id order with this name, if any, and saves:
  // the result of SaveUsers. The current user stays as it is.
  int DeleteUser(const std::string& name);
  // Removes the first user in id order whose name and password both match
  // (the user the password proves, also when a hand-made file holds two users
  // of one name), if any, and saves: the result of SaveUsers.
  int DeleteUser(const std::string& name, const std::string& password);

  // 48 lowercase hexadecimal digits; only the first 16 bytes of the password count.
  [[nodiscard]] static std::string HashPassword(std::string_view password);

  [[nodiscard]] const UserRecord& CurrentUser() const { return current_; }
  // Nobody is logged in any more (File > Logout, then Cancel).
  void Logout() { current_ = UserRecord{}; }
  // The names in ascending id order.
  [[nodiscard]] std::vector<std::string> UserNames() const;
  [[nodiscard]] const std::map<int, UserRecord>& Users() const { return users_; }
  [[nodiscard]] const std::filesystem::path& UserFile() const { return userFile_; }

  // What a users file holds: the users by id and the largest id read.
  struct ParsedUsers {
    std::map<int, UserRecord> users;
    int largestId = 0;
    bool complete = false;  // every byte read as whole lines: nothing cut off or malformed
  };
  // Reads the lines "<id> TAB <name> TAB <hash> CR LF" up to the first that
  // does not fit; a NUL byte ends the text.
  [[nodiscard]] static ParsedUsers ParseUsers(std::string_view text);
  // The file's bytes for these users, in ascending id order.
  [[nodiscard]] static std::string FormatUsers(const std::map<int, UserRecord>& users);

 private:
  std::filesystem::path userFile_;
  std::function<int()> highestOwnerInUse_;
  IFileReplacer* files_;
  int largestId_ = 0;
  UserRecord current_;
  std::map<int, UserRecord> users_;
};
