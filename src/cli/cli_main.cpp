// Entry of tamarel-cli. The Windows build takes UTF-16 arguments and writes
// UTF-8 bytes unchanged; elsewhere arguments are UTF-8 already.
#include <ctime>
#include <iostream>
#include <sstream>

#include "cli/tamarel_cli.h"
#include "env/platform.h"
#include "model/menstual_manager.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

PackedDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return PackedDate(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

int Run(const std::vector<std::string>& args, CliEnvironment env) {
  env.today = LocalToday();
  env.now = static_cast<int64_t>(std::time(nullptr));
  std::ostringstream out, err;
  const int code = RunCli(args, out, err, env);
  std::cout << out.str() << std::flush;
  std::cerr << err.str() << std::flush;
  return code;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  CliEnvironment env;
  wchar_t module[32768];
  const DWORD n = GetModuleFileNameW(nullptr, module, 32768);
  if (n > 0 && n < 32768) {
    env.programFolder = std::filesystem::path(module).parent_path();
    // The users live beside the program, and tamarel-cli is installed beside it.
    env.defaultUsers = env.programFolder / "user.dat";
  }
  wchar_t appData[MAX_PATH];
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
    env.defaultDb = MenstualManager::PrepareDataPath(appData);
  return Run(args, env);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CliEnvironment env;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) env.programFolder = exe.parent_path();
  return Run(args, env);
}
#endif
