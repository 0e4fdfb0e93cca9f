#pragma once

// Temporary files and folders of the tests are named uniquely per process
// and per call: the native and the Wine runs, several checkouts and CI jobs
// share one temp folder, and a fixed name lets one run delete or overwrite
// another's files.

#include <atomic>
#include <chrono>
#include <random>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace testsupport {

// "-<process id>-<random>-<counter>", to append to a name.
inline std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed =
      std::random_device{}() ^ static_cast<unsigned long long>(
                                   std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
  const long pid = _getpid();
#else
  const long pid = static_cast<long>(getpid());
#endif
  // Appended piece by piece: GCC 12 warns falsely about "-" + std::string.
  std::string suffix(1, '-');
  suffix += std::to_string(pid);
  suffix += '-';
  suffix += std::to_string(seed % 1000000007ULL);
  suffix += '-';
  suffix += std::to_string(counter++);
  return suffix;
}

}  // namespace testsupport
