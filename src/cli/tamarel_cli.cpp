#include "cli/tamarel_cli.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "accounts/logon_manager.h"
#include "accounts/vault.h"
#include "backup/backup_files.h"
#include "backup/day_export.h"
#include "cli/cli_temperature.h"
#include "env/file_replace.h"
#include "settings/memory_settings_store.h"
#include "settings/options_manager.h"
#include "env/locale_manager.h"
#include "env/platform.h"
#include "env/text_format.h"
#include "model/memory_block_file.h"
#include "model/menstual_manager.h"
#include "model/save_result.h"
#include "ui/panes/pane_texts.h"
#include "ui/reports/cycle_report.h"

namespace {

constexpr const char *kUsage =
    "usage: tamarel-cli [options] command [arguments]\n"
    "options:\n"
    "  --db PATH            the calendar file (db.dat)\n"
    "  --users PATH         the user list (user.dat; default: beside the "
    "program on Windows, else beside --db)\n"
    "  --owner N            the user id whose days are used (default 0)\n"
    "  --today DD.MM.YYYY   the date taken as today (default: the local date)\n"
    "  --manual P L         manual cycle length P (10-40) and luteal length L "
    "(10-21)\n"
    "  --goal G             0 avoid pregnancy, 1 conceive, 2 a boy, 3 a girl "
    "(default 1)\n"
    "  --unit C|F           the temperature unit of export-csv (default C)\n"
    "  --password P         her password (- reads it from standard input); needed for an encrypted calendar\n"
    "  --keep-days          delete-user leaves her days in the calendar file\n"
    "  --cautious           the wider fertile window for irregular cycles "
    "(with --goal 0)\n"
    "commands:\n"
    "  days | classify FROM TO | stats | tip DATE | today | cycles | shift FROM TO\n"
    "  set-start DATE | set-end DATE | unset-start DATE | unset-end DATE\n"
    "  sex DATE | pill DATE | mood DATE good|bad | temperature DATE VALUE | "
    "disturbed DATE | note DATE TEXT\n"
    "  backup FILE | restore FILE | export-csv FILE | export-ics FILE\n"
    "  users | add-user NAME | delete-user NAME | encrypt | decrypt (all but users need --password)\n"
    "dates are written DD.MM.YYYY\n";

struct UsageError {
  std::string message;
};

bool ParseInt(const std::string &text, long long min, long long max, int *out) {
  long long v = 0;
  const char *end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || text.empty() || v < min || v > max)
    return false;
  *out = static_cast<int>(v);
  return true;
}

PackedDate NeedDate(const std::string &text) {
  PackedDate d;
  if (!ParseDate(text, &d))
    throw UsageError{"not a date (DD.MM.YYYY): " + text};
  return d;
}

std::string EscapeNote(const std::u16string &note) {
  std::string out;
  for (char c : ToUtf8(note)) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string FormatTemperature(double t) {
  if (t == 0)
    return "-";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", t);
  return buf;
}

class Cli {
public:
  Cli(std::ostream &out, std::ostream &err, const CliEnvironment &env)
      : out_(out), err_(err), env_(env) {}

  int Run(const std::vector<std::string> &args) {
    size_t i = 0;
    std::optional<std::filesystem::path> db = env_.defaultDb;
    std::optional<std::filesystem::path> users = env_.defaultUsers;
    int owner = 0, goal = 1, periodLen = 0, lutealLen = 0;
    bool manual = false, cautious = false;
    PackedDate today = env_.today;
    auto value = [&](const std::string &option) -> const std::string & {
      if (i + 1 >= args.size())
        throw UsageError{option + " needs a value"};
      return args[++i];
    };
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
      const std::string &a = args[i];
      if (a == "--db") {
        db = std::filesystem::path(FromUtf8(value(a)));
      } else if (a == "--users") {
        users = std::filesystem::path(FromUtf8(value(a)));
      } else if (a == "--owner") {
        if (!ParseInt(value(a), 0, 65535, &owner))
          throw UsageError{"--owner needs a number from 0 to 65535"};
      } else if (a == "--today") {
        today = NeedDate(value(a));
      } else if (a == "--manual") {
        if (!ParseInt(value(a), OptionsManager::minPeriodLen,
                      OptionsManager::maxPeriodLen, &periodLen))
          throw UsageError{"--manual needs a cycle length from 10 to 40"};
        if (!ParseInt(value(a), OptionsManager::minLuteralLen,
                      OptionsManager::maxLuteralLen, &lutealLen))
          throw UsageError{"--manual needs a luteal length from 10 to 21"};
        manual = true;
      } else if (a == "--unit") {
        const std::string &unit = value(a);
        if (unit != "C" && unit != "F")
          throw UsageError{"--unit is C or F"};
        fahrenheit_ = unit == "F";
      } else if (a == "--cautious") {
        cautious = true;
      } else if (a == "--password") {
        password_ = value(a);
        if (*password_ == "-") {
          std::string line;
          if (!std::getline(std::cin, line)) throw UsageError{"--password -: no password on standard input"};
          if (!line.empty() && line.back() == '\r') line.pop_back();
          password_ = line;
        }
      } else if (a == "--keep-days") {
        keepDays_ = true;
      } else if (a == "--goal") {
        if (!ParseInt(value(a), -2147483647LL, 2147483647LL, &goal))
          throw UsageError{"--goal needs a number"};
      } else {
        throw UsageError{"unknown option " + a};
      }
    }
    if (i >= args.size())
      throw UsageError{"no command"};
    if (!db)
      throw UsageError{"--db PATH is required"};
    command_.assign(args.begin() + static_cast<long>(i), args.end());

    options_ = std::make_unique<OptionsManager>(store_, SystemLocaleInfo{},
                                                nullptr, u"");
    options_->autoPeriodCalculation = !manual;
    if (manual) {
      options_->periodLen = periodLen;
      options_->luteralLen = lutealLen;
    }
    options_->goal = goal;
    options_->cautiousWindow = cautious;
    locale_ = std::make_unique<LocaleManager>(env_.programFolder, codec_);
    clock_ = std::make_unique<FixedClock>(today);
    const auto ownerId = static_cast<uint16_t>(owner);
    const std::filesystem::path dbPath = *db;
    files_.db = dbPath;
    files_.users = users ? *users : dbPath.parent_path() / "user.dat";
    if (!IsReadCommand()) {
      // A restore cut off by a crash is finished before either file is opened.
      (void)FinishPendingRestore(files_, replacer_);
    }
    if (command_[0] == "backup" || command_[0] == "restore") return BackupOrRestore();
    if (command_[0] == "users" || command_[0] == "add-user" || command_[0] == "delete-user" ||
        command_[0] == "encrypt" || command_[0] == "decrypt")
      return Accounts(ownerId);
    std::unique_ptr<DatabaseManager> database;
    if (VaultExists(dbPath, ownerId)) {
      // Her calendar is read and written only with her password.
      if (!password_) {
        err_ << "The calendar of user " << ownerId << " is encrypted: give her password with --password.\n";
        return kEncryptedStatus;
      }
      const VaultResult opened = OpenVaultDatabase(VaultContext{}, dbPath, ownerId, Ansi(*password_), &database);
      if (opened != VaultResult::kDone) return ReportVault(opened);
    } else {
      database = OpenDatabase(dbPath, [ownerId] { return ownerId; });
    }
    if (!database || !database->IsOpen()) {
      err_ << "The calendar file " << ToUtf8(dbPath.u16string())
           << " cannot be opened"
           << (IsReadCommand() ? ""
                               : " for writing (is the program storing a day?)")
           << ".\n";
      return 1;
    }
    manager_ = std::make_unique<MenstualManager>(std::move(database), *options_,
                                                 *locale_, *clock_);
    return Dispatch();
  }

private:
  void Arity(size_t n) {
    if (command_.size() != n + 1)
      throw UsageError{command_[0] + " takes " + std::to_string(n) +
                       " argument(s)"};
  }

  // Reading needs no lock: the program may hold the file open meanwhile.
  [[nodiscard]] bool IsReadCommand() const {
    const std::string& c = command_[0];
    return c == "days" || c == "classify" || c == "stats" || c == "tip" ||
           c == "today" || c == "cycles" || c == "shift" || c == "export-csv" ||
           c == "export-ics";
  }

  std::unique_ptr<DatabaseManager>
  OpenDatabase(const std::filesystem::path &path,
               DatabaseManager::OwnerFn owner) {
    if (!IsReadCommand())
      return std::make_unique<DatabaseManager>(path, std::move(owner));
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) {
      // Nothing stored yet: an empty calendar, and no file made for a mere
      // look.
      std::vector<uint8_t> empty(DatabaseManager::kIndexSize + 1, 0);
      return std::make_unique<DatabaseManager>(
          std::make_unique<MemoryBlockFile>(std::move(empty)),
          std::move(owner));
    }
    return DatabaseManager::OpenForReading(path, std::move(owner));
  }

  int Dispatch() {
    const std::string &c = command_[0];
    if (c == "days")
      return Days();
    if (c == "classify")
      return Classify();
    if (c == "stats")
      return Stats();
    if (c == "today")
      return Today();
    if (c == "cycles")
      return Cycles();
    if (c == "tip") {
      Arity(1);
      out_ << ToUtf8(manager_->GetTip(NeedDate(command_[1]))) << '\n';
      return 0;
    }
    if (c == "set-start" || c == "set-end") return SetMark(c == "set-start");
    if (c == "unset-start" || c == "unset-end") return UnsetMark(c == "unset-start");
    if (c == "sex" || c == "pill") return Toggle(c == "sex");
    if (c == "mood") return Mood();
    if (c == "temperature") return Temperature();
    if (c == "disturbed")
      return ToggleDisturbed();
    if (c == "shift")
      return Shift();
    if (c == "note") return Note();
    if (c == "export-csv" || c == "export-ics") return Export(c == "export-ics");
    throw UsageError{"unknown command " + c};
  }

  int Days() {
    Arity(0);
    std::vector<Day> days;
    for (auto d = manager_->GetFirstDay(); d; d = manager_->GetNextDay()) days.push_back(*d);
    std::stable_sort(days.begin(), days.end(), [](const Day& a, const Day& b) { return a.date < b.date; });
    for (const Day& d : days) {
      std::string flags = "-------";
      if (d.menstruationStart) flags[0] = 'S';
      if (d.menstruationEnd) flags[1] = 'E';
      if (d.sex) flags[2] = 'X';
      if (d.pill) flags[3] = 'P';
      if (d.goodMood) flags[4] = 'G';
      if (d.badMood) flags[5] = 'B';
      if (d.disturbed)
        flags[6] = 'D';
      out_ << FormatDate(d.date) << '\t' << flags << '\t' << FormatTemperature(d.temperature) << '\t'
           << (d.note ? EscapeNote(*d.note) : std::string()) << '\n';
    }
    return 0;
  }

  int Classify() {
    Arity(2);
    const PackedDate from = NeedDate(command_[1]);
    const PackedDate to = NeedDate(command_[2]);
    if (to < from)
      throw UsageError{"classify: FROM is after TO"};
    for (int64_t n = DayNumber(from); n <= DayNumber(to); ++n) {
      const PackedDate d = CivilFromDays(n);
      out_ << FormatDate(d) << '\t' << manager_->GetDayClass(d) << '\n';
    }
    return 0;
  }

  // What the Day pane says of today, one line each; a line with nothing to
  // say is left out.
  int Today() {
    Arity(0);
    const TodayWords words = TodayWordsFrom(*manager_, clock_->Today());
    for (const std::u16string *line : {&words.today, &words.label, &words.basis,
                                       &words.range, &words.tip, &words.test})
      if (!line->empty())
        out_ << ToUtf8(*line) << '\n';
    return 0;
  }

  // My cycles' rows, start TAB length TAB ovulation TAB the ovulation her
  // temperatures confirmed TAB its cover line, then a blank line and the
  // figures. Tools may add fields after the last one.
  int Cycles() {
    Arity(0);
    const std::vector<PackedDate> starts = manager_->GetStartList();
    const std::vector<CycleShift> shifts =
        CycleShifts(StoredDays(*manager_), starts, clock_->Today());
    const std::vector<CycleRow> rows = CycleRows(*manager_);
    for (size_t i = 0; i < rows.size(); ++i)
      out_ << ToUtf8(rows[i].begin) << '\t' << ToUtf8(rows[i].length) << '\t'
           << ToUtf8(rows[i].ovulation)
           << CycleShiftColumns(shifts, starts[i]) << '\n';
    out_ << '\n';
    return Stats();
  }

  int Stats() {
    Arity(0);
    out_ << "average " << manager_->GetAveragePeriod() << '\n'
         << "shortest " << manager_->GetMinPeriod() << '\n'
         << "longest " << manager_->GetMaxPeriod() << '\n'
         << "cycles " << manager_->GetPeriodCount() << '\n';
    return 0;
  }

  // Names and passwords reach user.dat and the hash in the ANSI code page, as the dialogs give them.
  std::string Ansi(const std::string& utf8) const { return codec_.ToAnsi(FromUtf8(utf8)); }

  int ReportVault(VaultResult result) {
    switch (result) {
      case VaultResult::kDone:
        return 0;
      case VaultResult::kMissing:
        err_ << "Her calendar is not encrypted.\n";
        return 1;
      case VaultResult::kRefused:
        err_ << "The password does not open her calendar, or the file was changed; it is left as it is.\n";
        return 1;
      case VaultResult::kDamaged:
        err_ << "Her encrypted calendar is damaged or not Tamarel's; it is left as it is.\n";
        return 1;
      case VaultResult::kUnreadable:
        err_ << "Her encrypted calendar cannot be read.\n";
        return 1;
      case VaultResult::kExists:
        err_ << "Her calendar is encrypted already.\n";
        return 1;
      case VaultResult::kNotSaved:
        err_ << "Her encrypted calendar could not be written; it is as it was.\n";
        return 1;
      case VaultResult::kCalendarNotSaved:
        err_ << "The calendar file could not be written; nothing changed.\n";
        return 1;
      case VaultResult::kCryptoFailed:
        err_ << "The system's cryptography did not answer.\n";
        return 1;
    }
    return 1;
  }

  int ReportUsers(UsersResult result) {
    if (result == UsersResult::kDone) return 0;
    const char* text = "The list of users could not be saved.";
    switch (result) {
      case UsersResult::kNameTaken:
        text = "A user with this name exists already.";
        break;
      case UsersResult::kNameNotStorable:
        text = "This name cannot be stored (empty, or TAB or line break in it).";
        break;
      case UsersResult::kNoIdLeft:
        text = "No more users can be created.";
        break;
      case UsersResult::kWrongPassword:
        text = "No user of this name has this password.";
        break;
      case UsersResult::kHashFailed:
        text = "The system's cryptography did not answer.";
        break;
      case UsersResult::kMissing:
      case UsersResult::kUnreadable:
        text = "The list of users could not be read.";
        break;
      default:
        break;
    }
    err_ << text << '\n';
    return 1;
  }

  // users, add-user, delete-user, encrypt, decrypt: the list and the vaults
  // as the dialogs manage them.
  int Accounts(uint16_t owner) {
    const std::string& c = command_[0];
    const auto highestOwner = [this] {
      DatabaseManager db(files_.db, [] { return uint16_t{0}; });
      return static_cast<int>(db.MaxOwnerId());
    };
    LogonManager logon(files_.users, highestOwner);
    if (c == "users") {
      Arity(0);
      for (const auto& [id, user] : logon.Users()) out_ << id << '\t' << ToUtf8(codec_.FromAnsi(user.name)) << '\n';
      return 0;
    }
    if (!password_) throw UsageError{c + " needs --password"};
    const std::string password = Ansi(*password_);
    if (c == "add-user") {
      Arity(1);
      return ReportUsers(logon.AddUser(Ansi(command_[1]), password));
    }
    DatabaseManager db(files_.db, [owner] { return owner; });
    if (!db.IsOpen() || db.IsReadOnly()) {
      err_ << "The calendar file " << ToUtf8(files_.db.u16string())
           << " cannot be opened for writing (is the program storing a day?).\n";
      return 1;
    }
    if (c == "delete-user") {
      Arity(1);
      int id = 0;
      const int listed = ReportUsers(logon.DeleteUser(Ansi(command_[1]), password, &id));
      if (listed != 0 || keepDays_) return listed;
      // Once the list no longer names her, her days and her vault go.
      if (db.ReplaceDays(static_cast<uint16_t>(id), {}) != SaveResult::kDone) {
        err_ << "Her days could not be deleted from the calendar file.\n";
        return 1;
      }
      std::error_code ec;
      std::filesystem::remove(VaultPath(files_.db, id), ec);
      if (ec) {
        err_ << "Her encrypted calendar could not be deleted.\n";
        return 1;
      }
      return 0;
    }
    Arity(0);
    // Only her password encrypts or decrypts her calendar.
    const auto user = logon.Users().find(owner);
    if (user == logon.Users().end() || !logon.Authenticate(user->second.name, password, false)) {
      err_ << "No user with id " << owner << " has this password.\n";
      return 1;
    }
    return ReportVault(c == "encrypt" ? EncryptDays(VaultContext{}, files_.db, db, owner, password)
                                      : DecryptDays(VaultContext{}, files_.db, db, owner, password));
  }

  int NotOffered(const PackedDate& d) {
    err_ << command_[0] << " is not offered for " << FormatDate(d) << ".\n";
    return 1;
  }

  // Done, or why not, in the program's own words (one line each).
  int Report(SaveResult result) {
    if (result == SaveResult::kDone)
      return 0;
    const std::string text = ToUtf8(SaveResultMessage(result, *locale_));
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
        err_ << text[i];
    err_ << '\n';
    return 1;
  }

  int Store(const Day &day) { return Report(manager_->StoreDay(day)); }

  Day RecordOrNew(const PackedDate &d) {
    auto day = manager_->GetDay(d);
    return day ? *day : Day(d, false, false, false, false, false, false, 0.0);
  }

  int SetMark(bool start) {
    Arity(1);
    const PackedDate d = NeedDate(command_[1]);
    return Report(start ? manager_->SetStart(d) : manager_->SetEnd(d));
  }

  int UnsetMark(bool start) {
    Arity(1);
    const PackedDate d = NeedDate(command_[1]);
    auto day = manager_->GetDay(d);
    if (!day || !(start ? day->menstruationStart : day->menstruationEnd))
      return NotOffered(d);
    (start ? day->menstruationStart : day->menstruationEnd) = false;
    return Store(*day);
  }

  int Toggle(bool sex) {
    Arity(1);
    const PackedDate d = NeedDate(command_[1]);
    if (!sex && options_->goal != 0)
      return NotOffered(d); // the pill mark belongs to "avoid pregnancy"
    Day day = RecordOrNew(d);
    bool &flag = sex ? day.sex : day.pill;
    flag = !flag;
    return Store(day);
  }

  int Mood() {
    Arity(2);
    const PackedDate d = NeedDate(command_[1]);
    const std::string &which = command_[2];
    if (which != "good" && which != "bad")
      throw UsageError{"mood is good or bad"};
    const bool good = which == "good";
    Day day = RecordOrNew(d);
    if (good ? day.goodMood : day.badMood)
      return NotOffered(d);
    day.goodMood = good;
    day.badMood = !good;
    return Store(day);
  }

  int Temperature() {
    Arity(2);
    const PackedDate d = NeedDate(command_[1]);
    const std::string &text = command_[2];
    double value = 0;
    auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty() ||
        !std::isfinite(value)) {
      err_ << "Enter a number.\n";
      return 1;
    }
    const float single = static_cast<float>(value);
    if (single < 30.0f || single > 150.0f) {
      err_ << "Enter a number between 30 and 150.\n";
      return 1;
    }
    Day day = RecordOrNew(d);
    day.temperature = value;
    return Store(day);
  }

  // The reading stays; the temperature shift leaves it out while marked.
  int ToggleDisturbed() {
    Arity(1);
    Day day = RecordOrNew(NeedDate(command_[1]));
    day.disturbed = !day.disturbed;
    return Store(day);
  }

  // Each day of the range with a reading: its date, the reading in Celsius
  // and what it was to the temperature shift of its cycle.
  int Shift() {
    Arity(2);
    const PackedDate from = NeedDate(command_[1]);
    const PackedDate to = NeedDate(command_[2]);
    if (to < from)
      throw UsageError{"shift: FROM is after TO"};
    const std::vector<Day> days = StoredDays(*manager_);
    const std::vector<PackedDate> starts = manager_->GetStartList();
    out_ << FormatShiftLines(CycleShifts(days, starts, clock_->Today()), days,
                             from, to);
    return 0;
  }

  int Note() {
    Arity(2);
    const PackedDate d = NeedDate(command_[1]);
    Day day = RecordOrNew(d);
    day.note = FromUtf8(command_[2]);
    return Store(day);
  }

  // Both work on the files, not through the day model. A restore first opens
  // db.dat as its only writer: that rolls back a save a crash cut off and
  // refuses while the program holds the file.
  int BackupOrRestore() {
    Arity(1);
    const std::filesystem::path file(FromUtf8(command_[1]));
    BackupStatus status;
    if (command_[0] == "backup") {
      status = WriteBackup(files_, file, env_.today, replacer_);
    } else {
      {
        DatabaseManager writer(files_.db, [] { return uint16_t{0}; });
        if (!writer.IsOpen() || writer.IsReadOnly()) {
          err_ << "The calendar file " << ToUtf8(files_.db.u16string())
               << " cannot be opened for writing (is the program storing a "
                  "day?).\n";
          return 1;
        }
      }
      status = RestoreBackup(files_, file, replacer_);
    }
    if (status == BackupStatus::kDone)
      return 0;
    err_ << ToUtf8(BackupStatusMessage(status, *locale_, file.u16string()))
         << '\n';
    return 1;
  }

  int Export(bool calendar) {
    Arity(1);
    const std::filesystem::path file(FromUtf8(command_[1]));
    const std::string bytes = calendar ? FormatCalendar(CalendarEvents(*manager_, *locale_, clock_->Today()),
                                                        manager_->Database().CurrentOwner(), env_.now)
                                       : FormatCsv(StoredDays(*manager_), fahrenheit_);
    if (!replacer_.WriteDurably(file, bytes)) {
      err_ << ToUtf8(FormatText(locale_->Translate(u"EXPORT_FAILED"),
                                {file.u16string()}))
           << '\n';
      return 1;
    }
    return 0;
  }

  std::ostream &out_;
  std::ostream &err_;
  const CliEnvironment &env_;
  std::vector<std::string> command_;
  MemorySettingsStore store_;
  Latin1Codec codec_;
  std::unique_ptr<OptionsManager> options_;
  std::unique_ptr<LocaleManager> locale_;
  std::unique_ptr<FixedClock> clock_;
  std::unique_ptr<MenstualManager> manager_;
  DataFiles files_;
  PortableFileReplacer replacer_;
  bool fahrenheit_ = false;
  bool keepDays_ = false;
  std::optional<std::string> password_;
  // Her calendar is encrypted and no password was given.
  static constexpr int kEncryptedStatus = 3;
};

} // namespace

int RunCli(const std::vector<std::string> &args, std::ostream &out,
           std::ostream &err, const CliEnvironment &env) {
  try {
    Cli cli(out, err, env);
    return cli.Run(args);
  } catch (const UsageError &e) {
    err << "tamarel-cli: " << e.message << '\n' << kUsage;
    return 2;
  } catch (const std::exception &e) {
    err << "tamarel-cli: " << e.what() << '\n';
    return 1;
  }
}
