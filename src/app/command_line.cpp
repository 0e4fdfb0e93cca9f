#include "app/command_line.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::u16string> CommandLineArguments(std::u16string_view line) {
  size_t i = 0;
  // The program path ends at the closing quote when it starts with one,
  // otherwise at the first blank; backslashes are plain characters there.
  if (i < line.size() && line[i] == u'"') {
    ++i;
    while (i < line.size() && line[i] != u'"') ++i;
    if (i < line.size()) ++i;
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }

  std::vector<std::u16string> arguments;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::u16string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == u'\\') {
        size_t slashes = 0;
        while (i < line.size() && line[i] == u'\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == u'"') {
          // 2n backslashes and a quote: n backslashes and the quote groups;
          // 2n+1: n backslashes and a literal quote.
          argument.append(slashes / 2, u'\\');
          if (slashes % 2 == 1) {
            argument += u'"';
            ++i;
          }
        } else {
          argument.append(slashes, u'\\');
        }
        continue;
      }
      if (line[i] == u'"') {
        // "" inside quotes is a literal quote.
        if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          argument += u'"';
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument += line[i++];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

bool HasHiddenStartSwitch(std::u16string_view commandLine) {
  for (const std::u16string& argument : CommandLineArguments(commandLine)) {
    if (argument == u"-m") return true;
  }
  return false;
}
