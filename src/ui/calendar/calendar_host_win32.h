#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// What the calendar control needs of the window that hosts it (the main frame).
class ICalendarHost {
 public:
  virtual ~ICalendarHost() = default;
  // The calendar area in the host's client coordinates: the client rectangle
  // without the panes on the right (left 0, top 0, right = width - 311).
  [[nodiscard]] virtual RECT CalendarArea() const = 0;
  // Opens the day menu for the selected date under the given cell (control coordinates).
  virtual void ShowDayMenu(HWND calendar, const RECT& cell) = 0;
  // Clicks only act while the host is the active window.
  [[nodiscard]] virtual bool IsHostActive() const = 0;
  // The keyboard moved the selected day (the panes describe the selected day).
  virtual void SelectionChanged() {}
};

// A host made of the host window's answers, so that the window that owns the
// calendar is not also called back by it. An answer not given is empty.
class CalendarHostHooks final : public ICalendarHost {
 public:
  struct Answers {
    std::function<RECT()> area;
    std::function<void(HWND calendar, const RECT& cell)> dayMenu;
    std::function<bool()> active;
    std::function<void()> selectionChanged;
  };

  explicit CalendarHostHooks(Answers answers) : answers_(std::move(answers)) {}

  [[nodiscard]] RECT CalendarArea() const override { return answers_.area ? answers_.area() : RECT{}; }
  void ShowDayMenu(HWND calendar, const RECT& cell) override {
    if (answers_.dayMenu) answers_.dayMenu(calendar, cell);
  }
  [[nodiscard]] bool IsHostActive() const override { return answers_.active && answers_.active(); }
  void SelectionChanged() override {
    if (answers_.selectionChanged) answers_.selectionChanged();
  }

 private:
  Answers answers_;
};
