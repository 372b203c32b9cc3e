// zorvex-cli entry: arguments as UTF-8, the list on standard output byte for
// byte (no text-mode line-end translation on Windows).
#include "ZorvexCli.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include "framework/core/Texts.h"
#include <fcntl.h>
#include <io.h>
#include <windows.h>

int wmain(int argc, wchar_t **argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.push_back(zorvex::Narrow(argv[i]));
  _setmode(_fileno(stdout), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  return zorvex::RunCli(args, std::cout, std::cerr, _isatty(_fileno(stderr)) != 0);
}
#else
#include <unistd.h>

int main(int argc, char **argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zorvex::RunCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
#endif
