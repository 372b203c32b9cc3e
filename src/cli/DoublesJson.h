#pragma once
// The groups of doubles as one JSON document, for scripts and other tools:
//   {"groups": [{"size": 512, "crc32": 891568578, "paths": ["/a", "/b"]}]}
// Each group's paths come in scan order. A POSIX name that is not valid UTF-8
// keeps its bytes: each byte that is not part of valid UTF-8 is written as
// the code point U+DC00 + byte (\udc80 to \udcff), as surrogate escaping
// decodes it; a Windows name with a lone surrogate gets that surrogate.

#include <string>
#include <string_view>

namespace zorvex {

struct ScanState;

// The document, indented, with a final line end.
std::string DoublesJson(const ScanState &state);

// A name as a JSON string, quotes included, whatever its bytes.
std::string JsonNameText(std::string_view name);

} // namespace zorvex
