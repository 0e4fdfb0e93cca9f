#pragma once

// The narrow interfaces through which the portable core reaches the platform.
// Each has a Win32 implementation for the program and a simple one for tests.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "env/packed_date.h"

// "Today" and "now" of the machine.
class IClock {
 public:
  virtual ~IClock() = default;
  // The local calendar date.
  [[nodiscard]] virtual PackedDate Today() const = 0;
  // Seconds since 1970-01-01 UTC.
  [[nodiscard]] virtual int64_t Now() const = 0;
};

// A clock that says what it is told (tests, the command-line tool's --today).
class FixedClock final : public IClock {
 public:
  explicit FixedClock(PackedDate today, int64_t now = 0) : today_(today), now_(now) {}
  PackedDate Today() const override { return today_; }
  int64_t Now() const override { return now_; }
  void Set(PackedDate today) { today_ = today; }
  void SetNow(int64_t now) { now_ = now; }

 private:
  PackedDate today_;
  int64_t now_;
};

// Conversion between UTF-16 and the Windows ANSI code page (files that are not UTF-16).
class IAnsiCodec {
 public:
  virtual ~IAnsiCodec() = default;
  [[nodiscard]] virtual std::string ToAnsi(std::u16string_view text) const = 0;
  [[nodiscard]] virtual std::u16string FromAnsi(std::string_view bytes) const = 0;
};

// Latin-1 stand-in for the ANSI code page where there is no Windows (tests, native tools).
class Latin1Codec final : public IAnsiCodec {
 public:
  std::string ToAnsi(std::u16string_view text) const override;
  std::u16string FromAnsi(std::string_view bytes) const override;
};

// UTF-8 <-> UTF-16 helpers for the boundary (command line, console output, POSIX paths).
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
