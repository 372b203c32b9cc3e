#pragma once
// The interface language of the main window's setting: French when its first
// character is 'F', English otherwise. Every text of the program exists in both.

#include <string>
#include <string_view>

namespace zorvex {

inline bool IsFrench(std::string_view language) { return !language.empty() && language[0] == 'F'; }

inline const char *Tr(bool french, const char *english, const char *frenchText) {
  return french ? frenchText : english;
}

inline const std::string kEnglish = "English";
inline const std::string kFrench = "Fran\xC3\xA7"
                                   "ais";

} // namespace zorvex
