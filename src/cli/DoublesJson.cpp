#include "DoublesJson.h"

#include "scan/ScanState.h"

#include <nlohmann/json.hpp>

namespace zorvex {

namespace {

using Json = nlohmann::ordered_json;

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at text[i], or 0.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto at = [&](size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
  const unsigned char lead = at(0);
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return Continuation(at(1)) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    return at(1) >= low && at(1) <= high && Continuation(at(2)) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    return at(1) >= low && at(1) <= high && Continuation(at(2)) && Continuation(at(3)) ? 4 : 0;
  }
  return 0;
}

bool ValidUtf8(std::string_view text) {
  for (size_t i = 0, n; i < text.size(); i += n)
    if ((n = Utf8SequenceLength(text, i)) == 0)
      return false;
  return true;
}

void AppendEscape(std::string &out, unsigned codeUnit) {
  static const char digits[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += digits[(codeUnit >> shift) & 0xF];
}

// A place-holder for a name the library cannot write: no file name holds a
// NUL, so its JSON form, "\u0000" and a number, stands for nothing else.
std::string Placeholder(size_t index) { return std::string(1, '\0') + std::to_string(index); }
constexpr std::string_view kPlaceholderStart = "\"\\u0000";

} // namespace

std::string JsonNameText(std::string_view name) {
  if (ValidUtf8(name))
    return Json(std::string(name)).dump();
  std::string out = "\"";
  for (size_t i = 0; i < name.size();) {
    size_t run = i;
    for (size_t n; run < name.size() && (n = Utf8SequenceLength(name, run)) != 0;)
      run += n;
    if (run > i) {
      const std::string escaped = Json(std::string(name.substr(i, run - i))).dump();
      out.append(escaped, 1, escaped.size() - 2);
      i = run;
      continue;
    }
    const auto byte = static_cast<unsigned char>(name[i]);
#ifdef _WIN32
    // A lone surrogate of a Windows name, carried in its three-byte form.
    if (byte == 0xED && i + 2 < name.size() && Continuation(static_cast<unsigned char>(name[i + 1])) &&
        Continuation(static_cast<unsigned char>(name[i + 2]))) {
      AppendEscape(out, 0xD000u | ((static_cast<unsigned>(name[i + 1]) & 0x3Fu) << 6) |
                            (static_cast<unsigned>(name[i + 2]) & 0x3Fu));
      i += 3;
      continue;
    }
#endif
    AppendEscape(out, 0xDC00u + byte);
    ++i;
  }
  return out + "\"";
}

std::string DoublesJson(const ScanState &state) {
  std::vector<std::string> escapedNames;
  const auto pathValue = [&](int row) {
    std::string path = state.FilePath(row);
    if (ValidUtf8(path))
      return path;
    escapedNames.push_back(JsonNameText(path));
    return Placeholder(escapedNames.size() - 1);
  };

  Json groups = Json::array();
  std::vector<bool> grouped(state.Files.size() + 1, false);
  const int fileCount = static_cast<int>(state.Files.size());
  for (int first = 1; first <= fileCount && static_cast<size_t>(first) < state.NextCopy.size(); ++first) {
    if (grouped[static_cast<size_t>(first)] || state.NextCopy[static_cast<size_t>(first)] == 0)
      continue;
    Json paths = Json::array();
    for (int row = first; row != 0; row = state.NextCopy[static_cast<size_t>(row)]) {
      grouped[static_cast<size_t>(row)] = true;
      paths.push_back(pathValue(row));
    }
    const ScannedFile &file = state.Files[static_cast<size_t>(first - 1)];
    groups.push_back(Json{{"size", file.size}, {"crc32", file.content.crc}, {"paths", std::move(paths)}});
  }
  std::string text = Json{{"groups", std::move(groups)}}.dump(2);

  // Each place-holder's text is replaced by its name's own.
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at; (at = text.find(kPlaceholderStart, from)) != std::string::npos;) {
    const size_t numberStart = at + kPlaceholderStart.size();
    const size_t end = text.find('"', numberStart);
    out.append(text, from, at - from);
    out += escapedNames[std::stoul(text.substr(numberStart, end - numberStart))];
    from = end + 1;
  }
  out.append(text, from, std::string::npos);
  return out + "\n";
}

} // namespace zorvex
