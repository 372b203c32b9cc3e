#include "ZorvexCli.h"

#include "actions/SaveList.h"
#include "framework/core/FileFind.h"
#include "framework/core/GridModel.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"
#include "scan/ScanHost.h"
#include "scan/ScanPipeline.h"

#include <map>

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

// The console as the scan's user interface.
class ConsoleScanHost : public ScanHost {
public:
  ConsoleScanHost(const CliOptions &options, std::ostream &err, bool interactive)
      : options_(options), err_(err), interactive_(interactive) {
    for (ResultGrid grid : {ResultGrid::Files, ResultGrid::Dirs, ResultGrid::Doubles}) {
      grids_.emplace(grid, MakeResultGrid(grid));
      SetHeaderRow(grids_.at(grid), grid, options.french);
    }
  }

  const ScanOptions &Options() override { return options_.scan; }
  bool French() override { return options_.french; }
  TGridModel &Grid(ResultGrid grid) override { return grids_.at(grid); }
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
  std::map<ResultGrid, TGridModel> grids_;
  std::string phase_;
  bool progressVisible_ = false;
  ProgressBarState bar_;
  size_t lineLength_ = 0;
};

bool CanListFolder(const std::string &folder) {
  if (folder.empty() || !DirectoryExists(folder))
    return false;
  TSearchRec entry;
  const int result = FindFirst(folder + "*.*", fa::AnyFile, entry);
  // Found something, or an empty drive root: "nothing matches" on either platform.
  return result == 0 || result == 2 || result == 18;
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
         "content, as tab-separated lines with a caption line (CR LF line ends).\n"
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
         "  --utf8            file names in UTF-8 instead of the ANSI code page\n"
         "  -h, --help        show this help\n"
         "  --version         show the version\n"
         "\n"
         "Exit status: 0 done, 1 the size window is contradictory or DIR cannot be read,\n"
         "2 wrong usage.\n";
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
    } else if (arg == "--utf8") {
      if (!flag())
        return std::nullopt;
      options.utf8 = true;
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  if (folders.size() != 1) {
    error = folders.empty() ? "no folder given" : "only one folder can be scanned";
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
  if (options->help) {
    out << UsageText();
    return cli_exit::Done;
  }
  if (options->version) {
    out << "zorvex-cli " ZORVEX_VERSION "\n";
    return cli_exit::Done;
  }
  const std::string folder = StartFolderPath(options->scan.startDirectory);
  if (!CanListFolder(folder)) {
    err << "zorvex-cli: cannot read the folder " << options->scan.startDirectory << '\n';
    return cli_exit::Failed;
  }

  ConsoleScanHost host(*options, err, interactive);
  ScanState state;
  ScanPipeline pipeline(host, state);
  const ScanOutcome outcome = pipeline.RunScan();
  if (outcome != ScanOutcome::Completed)
    return cli_exit::Failed;
  out << DoublesListBytes(host.Grid(ResultGrid::Doubles), state.DoubleCount,
                          ListFormat{options->lfLineEnds, options->utf8});
  out.flush();
  return out ? cli_exit::Done : cli_exit::Failed;
}

} // namespace zorvex
