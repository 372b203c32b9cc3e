#pragma once
// zorvex-cli: the scan engine on the command line. The list of doubles goes
// to standard output, in the saved list's layout or as JSON; phases,
// progress and messages go to standard error.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scan/ScanOptions.h"

namespace zorvex {

namespace cli_exit {
constexpr int Done = 0;
constexpr int Failed = 1; // contradictory size window, an unreadable folder, or the list not written
constexpr int Usage = 2;
} // namespace cli_exit

// Files read at once unless --threads says otherwise.
constexpr int kDefaultReadThreads = 4;

struct CliOptions {
  ScanOptions scan;
  bool french = false;
  bool lfLineEnds = false;
  bool ansi = false; // the names in the saved list's 8-bit code page, not as they are
  bool json = false;
  int threads = kDefaultReadThreads;
  bool help = false;
  bool version = false;
};

// A size bound as given to --min or --max: a class name of the radio group
// ("1 Kb", "1kb", "No maxi"; letter case and blanks do not matter) or a byte
// count. Nothing when the text is neither.
std::optional<SizeBound> ParseSizeBound(const std::string &text, bool upper);

// Parses the arguments after the program name; on a usage error returns
// nothing and sets error.
std::optional<CliOptions> ParseArguments(const std::vector<std::string> &args, std::string &error);

std::string UsageText();

// Runs the whole command; returns the exit code. `interactive`: standard
// error is a terminal, so phases, progress and the closing message are shown.
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, bool interactive);

} // namespace zorvex
