#pragma once

#include <functional>
#include <unordered_map>
#include <utility>

// The main window's commands by id: each id runs the one handler that serves
// it. No window code.
class CommandTable {
 public:
  using Handler = std::function<void()>;

  void Add(unsigned id, Handler handler) { handlers_[id] = std::move(handler); }
  // Runs the command's handler; false when no handler serves the id.
  [[nodiscard]] bool Run(unsigned id) const {
    const auto it = handlers_.find(id);
    if (it == handlers_.end() || !it->second) return false;
    it->second();
    return true;
  }

 private:
  std::unordered_map<unsigned, Handler> handlers_;
};
