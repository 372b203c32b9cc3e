#include "ZorvexCli.h"

#include "DoublesJson.h"
#include "ParallelFileReader.h"
#include "actions/SaveList.h"
#include "framework/core/FileFind.h"
#include "framework/core/GridModel.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"
#include "scan/ScanHost.h"
#include "scan/ScanPipeline.h"

#include <cerrno>
#include <cstring>

namespace zorvex {

namespace {

// Letters A-Z lower-cased, blanks dropped: "1 Kb", "1kb" and "1 KB" are one name.
std::string FoldName(const std::string &text) {
  std::string folded;
  for (const char c : LowerCaseAZ(text))
    if (c != ' ')
      folded += c;
  return folded;
}

bool IsDecimal(const std::string &text) {
  if (text.empty() || text.size() > 18)
    return false;
  for (const char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

// The console as the scan's user interface: the doubles grid is the list it
// writes; it has no files or directories grid.
class ConsoleScanHost : public ScanHost {
public:
  ConsoleScanHost(const CliOptions &options, std::ostream &err, bool interactive)
      : options_(options), err_(err), interactive_(interactive), doubles_(MakeResultGrid(ResultGrid::Doubles)) {
    SetHeaderRow(doubles_, ResultGrid::Doubles, options.french);
  }

  const ScanOptions &Options() override { return options_.scan; }
  bool French() override { return options_.french; }
  bool HasFileGrids() override { return false; }
  TGridModel &Grid(ResultGrid) override { return doubles_; }
  void ShowFileGrids() override {}
  void SetPhaseText(const std::string &text) override {
    phase_ = text;
    Draw();
  }
  void SetPhaseVisible(bool visible) override {
    if (!visible)
      EndLine();
  }
  void SetProgressVisible(bool visible) override {
    progressVisible_ = visible;
    Draw();
  }
  void SetProgressPosition(int position) override {
    bar_.SetPosition(position);
    Draw();
  }
  void ProgressStepIt() override {
    bar_.StepIt();
    Draw();
  }
  void SetButtonEnabled(ScanButton, bool) override {}
  void Yield() override {}
  void ShowMessage(MessageKind kind, const std::string &text) override {
    if (kind == MessageKind::Error || kind == MessageKind::Warning) {
      EndLine();
      err_ << "zorvex-cli: " << text << '\n';
    } else if (interactive_) {
      EndLine();
      err_ << text << '\n';
    }
  }

private:
  void Draw() {
    if (!interactive_ || phase_.empty())
      return;
    std::string line = "\r" + phase_;
    if (progressVisible_) {
      constexpr int width = 40;
      const int filled = bar_.Max > bar_.Min ? (bar_.Position - bar_.Min) * width / (bar_.Max - bar_.Min) : 0;
      line += "  [" + std::string(static_cast<size_t>(filled), '#') +
              std::string(static_cast<size_t>(width - filled), '.') + "]";
    }
    // Blank out the rest of a longer previous line.
    const size_t length = line.size();
    if (length < lineLength_)
      line += std::string(lineLength_ - length, ' ');
    lineLength_ = length;
    err_ << line << std::flush;
  }
  void EndLine() {
    if (lineLength_ > 0)
      err_ << '\n';
    lineLength_ = 0;
    phase_.clear();
  }

  const CliOptions &options_;
  std::ostream &err_;
  bool interactive_;
  TGridModel doubles_;
  std::string phase_;
  bool progressVisible_ = false;
  ProgressBarState bar_;
  size_t lineLength_ = 0;
};

// The starting folder can be scanned; otherwise says why on err.
bool CheckStartFolder(const std::string &given, std::ostream &err) {
  std::string bare = given;
  while (bare.size() > 1 && (bare.back() == PathDelim || bare.back() == '/'))
    bare.pop_back();
  if (!given.empty() && FileExists(bare)) {
    err << "zorvex-cli: not a folder: " << given << '\n';
    return false;
  }
  std::vector<TFolderEntry> entries;
  int error = 0;
  switch (given.empty() ? FolderListing::Missing : ListFolder(StartFolderPath(given), entries, error)) {
  case FolderListing::Listed: return true;
  case FolderListing::Missing: err << "zorvex-cli: no such folder: " << given << '\n'; break;
  case FolderListing::CannotList:
    err << "zorvex-cli: cannot list the folder " << given << ": " << SystemErrorText(error) << '\n';
    break;
  case FolderListing::CannotEnter:
    err << "zorvex-cli: cannot enter the folder " << given << ": " << SystemErrorText(error) << '\n';
    break;
  }
  return false;
}

// Writes the bytes to standard output; a failure (a full disk) is said on err.
int WriteOutput(const std::string &bytes, std::ostream &out, std::ostream &err) {
  errno = 0;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (out)
    return cli_exit::Done;
  const int error = errno;
  err << "zorvex-cli: cannot write to standard output";
  if (error != 0)
    err << ": " << std::strerror(error);
  err << '\n';
  return cli_exit::Failed;
}

} // namespace

std::optional<SizeBound> ParseSizeBound(const std::string &text, bool upper) {
  const auto &items = upper ? kUpperBoundItems : kLowerBoundItems;
  const std::string name = FoldName(text);
  for (int index = 0; index < kSizeClassCount; ++index)
    if (name == FoldName(items[static_cast<size_t>(index)]))
      return SizeBound::Class(index);
  if (IsDecimal(text))
    return SizeBound::Bytes(StrToInt64(text));
  return std::nullopt;
}

std::string UsageText() {
  return "Usage: zorvex-cli [options] DIR\n"
         "Lists the duplicate files below DIR: for each file, the next one with the same\n"
         "content, as tab-separated lines with a caption line (CR LF line ends), the\n"
         "names exactly as they are (UTF-8; on POSIX the bytes of each name as stored).\n"
         "\n"
         "  --min BOUND       keep files larger than BOUND: 1 Byte (default, every file),\n"
         "                    1 Kb, 10 Kb, 100 Kb, 1 Mb, 10 Mb, 100 Mb, 1 Gb, or a byte count\n"
         "  --max BOUND       keep files smaller than BOUND: No maxi (default), 1 Kb, 10 Kb,\n"
         "                    100 Kb, 1 Mb, 10 Mb, 100 Mb, 1 Gb, or a byte count\n"
         "  --include MASK    keep only files with this extension (*.jpg); *.* keeps all\n"
         "  --exclude MASK    leave out files with this extension (*.tmp)\n"
         "  --no-recurse      scan DIR only, not its sub-directories\n"
         "  --lang en|fr      language of the captions and messages (default en)\n"
         "  --lf              LF line ends instead of CR LF\n"
         "  --ansi            names in the ANSI code page, as the Save button writes them\n"
         "  --json            the groups of doubles as one JSON document instead:\n"
         "                      {\"groups\": [{\"size\": BYTES, \"crc32\": CRC,\n"
         "                                   \"paths\": [PATH, ...]}, ...]}\n"
         "                    with the paths of each group in scan order and the CRC-32\n"
         "                    as zlib computes it. A name that is not valid UTF-8 keeps\n"
         "                    its bytes: each byte outside valid UTF-8 is written as the\n"
         "                    code point U+DC00 + byte (\\udc80 to \\udcff), as Python's\n"
         "                    'surrogateescape' error handler reads and writes it\n"
         "  --threads N       read up to N files at once (1 to 64, default 4)\n"
         "  -h, --help        show this help\n"
         "  --version         show the version\n"
         "\n"
         "Folders below DIR that cannot be read are skipped; their count is given on\n"
         "standard error.\n"
         "\n"
         "Exit status: 0 done, 1 the size window is contradictory, DIR is missing or\n"
         "cannot be read, or the list could not be written; 2 wrong usage.\n";
}

std::optional<CliOptions> ParseArguments(const std::vector<std::string> &args, std::string &error) {
  CliOptions options;
  std::vector<std::string> folders;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      folders.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // --name=value or --name value for the options that take one.
    std::optional<std::string> inlineValue;
    if (const size_t equals = arg.find('='); equals != std::string::npos && StartsWith(arg, "--")) {
      inlineValue = arg.substr(equals + 1);
      arg.resize(equals);
    }
    const auto value = [&]() -> std::optional<std::string> {
      if (inlineValue)
        return inlineValue;
      if (i + 1 < args.size())
        return args[++i];
      error = arg + " needs a value";
      return std::nullopt;
    };
    const auto flag = [&]() {
      if (inlineValue)
        error = arg + " takes no value";
      return !inlineValue;
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    } else if (arg == "--version") {
      options.version = true;
      return options;
    } else if (arg == "--min" || arg == "--max") {
      const bool upper = arg == "--max";
      const auto text = value();
      if (!text)
        return std::nullopt;
      const auto bound = ParseSizeBound(*text, upper);
      if (!bound) {
        error = "not a size class or byte count for " + arg + ": " + *text;
        return std::nullopt;
      }
      (upper ? options.scan.upper : options.scan.lower) = *bound;
    } else if (arg == "--include" || arg == "--exclude") {
      const auto text = value();
      if (!text)
        return std::nullopt;
      (arg == "--include" ? options.scan.includeFilter : options.scan.excludeFilter) = *text;
    } else if (arg == "--lang") {
      const auto text = value();
      if (!text)
        return std::nullopt;
      if (*text != "en" && *text != "fr") {
        error = "--lang takes en or fr";
        return std::nullopt;
      }
      options.french = *text == "fr";
    } else if (arg == "--no-recurse") {
      if (!flag())
        return std::nullopt;
      options.scan.recurse = false;
    } else if (arg == "--lf") {
      if (!flag())
        return std::nullopt;
      options.lfLineEnds = true;
    } else if (arg == "--ansi" || arg == "--json") {
      if (!flag())
        return std::nullopt;
      (arg == "--ansi" ? options.ansi : options.json) = true;
    } else if (arg == "--threads") {
      const auto text = value();
      if (!text)
        return std::nullopt;
      if (!IsDecimal(*text) || StrToInt64(*text) < 1 || StrToInt64(*text) > 64) {
        error = "--threads takes a count from 1 to 64";
        return std::nullopt;
      }
      options.threads = static_cast<int>(StrToInt64(*text));
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  if (folders.size() != 1) {
    error = folders.empty() ? "no folder given" : "only one folder can be scanned";
    return std::nullopt;
  }
  if (options.ansi && options.json) {
    error = "--ansi and --json cannot be used together: JSON is UTF-8";
    return std::nullopt;
  }
  options.scan.startDirectory = folders[0];
  return options;
}

int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, bool interactive) {
  std::string error;
  const std::optional<CliOptions> options = ParseArguments(args, error);
  if (!options) {
    err << "zorvex-cli: " << error << "\nTry 'zorvex-cli --help'.\n";
    return cli_exit::Usage;
  }
  if (options->help)
    return WriteOutput(UsageText(), out, err);
  if (options->version)
    return WriteOutput("zorvex-cli " ZORVEX_VERSION "\n", out, err);
  if (!CheckStartFolder(options->scan.startDirectory, err))
    return cli_exit::Failed;

  ConsoleScanHost host(*options, err, interactive);
  ScanState state;
  ScanPipeline pipeline(host, state);
  ParallelFileReader reader(options->threads);
  pipeline.SetFileReader(&reader);
  if (pipeline.RunScan() != ScanOutcome::Completed)
    return cli_exit::Failed;
  if (state.UnreadableDirCount == 1)
    err << "zorvex-cli: 1 folder could not be read and was skipped\n";
  else if (state.UnreadableDirCount > 1)
    err << "zorvex-cli: " << state.UnreadableDirCount << " folders could not be read and were skipped\n";
  if (options->json)
    return WriteOutput(DoublesJson(state), out, err);
  return WriteOutput(DoublesListBytes(host.Grid(ResultGrid::Doubles), state.DoubleCount,
                                      ListFormat{options->lfLineEnds, !options->ansi}),
                     out, err);
}

} // namespace zorvex
