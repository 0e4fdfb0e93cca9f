#pragma once

// The users of one installation: names, ids and password hashes kept in the
// text file user.dat beside the executable, and the user logged in now.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/password_hash.h"
#include "env/file_replace.h"

// One user. Names and hashes are bytes in the Windows ANSI code page.
struct UserRecord {
  std::string name;
  int id = 0;  // 1 and up; 0 means no user
  std::string passwordHash;

  friend bool operator==(const UserRecord&, const UserRecord&) = default;
};

// What became of an operation on the users. Every caller looks at it.
enum class [[nodiscard]] UsersResult {
  kDone,
  kMissing,          // there is no user.dat yet (a new installation): no users
  kUnreadable,       // user.dat is there but could not be read; the users stay as they were
  kNameTaken,        // a user of this name exists already
  kNameNotStorable,  // empty, or TAB, CR, LF or NUL in it: a line of user.dat cannot carry it
  kNoIdLeft,         // every id a day record can carry is taken
  kWrongPassword,    // no user of this name has this password
  kHashFailed,       // the system gave no random bytes or could not hash
  kNotSaved,         // changed for this run, but user.dat could not be written
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
  // hashing: how new password hashes are made.
  explicit LogonManager(std::filesystem::path userFile, std::function<int()> highestOwnerInUse = {},
                        IFileReplacer* files = nullptr, PasswordHashing hashing = {});
  virtual ~LogonManager() = default;
  LogonManager(const LogonManager&) = delete;
  LogonManager& operator=(const LogonManager&) = delete;


  // kDone, kMissing (no list yet) or kUnreadable (the users stay as they
  // were). When user.dat is missing but a complete user.dat.new is there (a
  // save was cut off just before the new list took the old one's place), the
  // new list is taken.
  UsersResult LoadUsers();
  // Writes user.dat.new, pushes it to the disk and puts it in place of
  // user.dat in one step: kDone, or kNotSaved when any step failed (the
  // previous file is then left as it was).
  UsersResult SaveUsers();

  [[nodiscard]] bool UserExists(const std::string& name) const;
  // True when a user of this name has this password; the first such user in
  // id order becomes the current user when makeCurrent is set. A login with
  // an old MD5-based hash replaces it by the current form in user.dat.
  [[nodiscard]] bool Authenticate(const std::string& name, const std::string& password, bool makeCurrent);
  // Adds the user under a new id and saves. Refused (nothing added) when the
  // name is taken or cannot be stored, no id is left or no hash can be made;
  // kNotSaved when she is there for this run only.
  UsersResult AddUser(const std::string& name, const std::string& password);
  // Removes the first user in id order whose name and password both match
  // (the user the password proves, also when a hand-made file holds two users
  // of one name) and saves. kWrongPassword when none matches. The current
  // user stays as she is. *removedId (when given) is the id she had.
  UsersResult DeleteUser(const std::string& name, const std::string& password, int* removedId = nullptr);
  // Gives the user a new password (the old one must match) and saves.
  UsersResult ChangePassword(const std::string& name, const std::string& oldPassword,
                             const std::string& newPassword);

  [[nodiscard]] const UserRecord& CurrentUser() const { return current_; }
  // Nobody is logged in any more (File > Logout, then Cancel).
  void Logout() { current_ = UserRecord{}; }
  // The names in ascending id order.
  [[nodiscard]] std::vector<std::string> UserNames() const;
  [[nodiscard]] const std::map<int, UserRecord>& Users() const { return users_; }
  [[nodiscard]] const std::filesystem::path& UserFile() const { return userFile_; }
  [[nodiscard]] const PasswordHashing& Hashing() const { return hashing_; }

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
  // The first user in id order with this name and password, or end.
  std::map<int, UserRecord>::iterator FindProven(const std::string& name, const std::string& password,
                                                 PasswordCheck* check);

  std::filesystem::path userFile_;
  std::function<int()> highestOwnerInUse_;
  IFileReplacer* files_;
  PasswordHashing hashing_;
  int largestId_ = 0;
  UserRecord current_;
  std::map<int, UserRecord> users_;
};
