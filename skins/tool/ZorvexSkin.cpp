// The zorvex-skin command-line tool.
#include "SkinTool.h"

#include "framework/core/Texts.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

int main(int argc, char **argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  // The wide command line, so that any file name arrives as UTF-8.
  int count = 0;
  wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i)
    args.push_back(zorvex::Narrow(wide[i]));
  LocalFree(wide);
  (void)argc;
  (void)argv;
#else
  args.assign(argv + 1, argv + argc);
#endif
  return zorvex::RunSkinTool(args, std::cout, std::cerr);
}
