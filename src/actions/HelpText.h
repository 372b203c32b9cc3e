#pragma once
// The instructions for use shown by the help window: 34 lines per language,
// each with the paragraph and character format it is added with.

#include <cstdint>
#include <string>
#include <vector>

namespace zorvex {

struct HelpLine {
  std::string text;
  bool bold = false;
  uint32_t color = 0; // red + 256 * green + 65536 * blue
  bool bullet = false;
  int firstIndent = 2; // in the rich text box's own units
};

constexpr uint32_t kHelpBlack = 0x000000;
constexpr uint32_t kHelpRed = 0x0000FF;
constexpr uint32_t kHelpBlue = 0xFF0000;

// Where the last lines of the help send the user.
inline constexpr const char *kDownloadAddress = "https://zorvex.example.com/download";
inline constexpr const char *kForumAddress = "https://zorvex.example.com/forum";

std::vector<HelpLine> HelpLines(bool french);
// The help window's caption (it begins with a blank).
std::string HelpCaption(bool french);

} // namespace zorvex
