// The skin runtime makes GDI objects, device contexts and USER objects only
// through the framework's owner types (framework/win/Handles.h), so that
// none leaks and the live counts of the leak tests see every one. This scan
// of the sources fails on a call that bypasses them.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fsys = std::filesystem;

// Calls whose result is a handle that must go straight into an owner.
const std::set<std::string> kMakers = {"CreateSolidBrush",
                                       "CreateBrushIndirect",
                                       "CreatePatternBrush",
                                       "CreateHatchBrush",
                                       "CreatePen",
                                       "CreatePenIndirect",
                                       "ExtCreatePen",
                                       "CreateFontW",
                                       "CreateFontIndirectW",
                                       "CreateCompatibleBitmap",
                                       "CreateBitmap",
                                       "CreateBitmapIndirect",
                                       "CreateDIBSection",
                                       "CreateDIBitmap",
                                       "CreateRectRgn",
                                       "CreateRectRgnIndirect",
                                       "CreateRoundRectRgn",
                                       "CreateEllipticRgn",
                                       "CreateEllipticRgnIndirect",
                                       "CreatePolygonRgn",
                                       "CreatePolyPolygonRgn",
                                       "ExtCreateRegion",
                                       "CreateHalftonePalette",
                                       "CreatePalette",
                                       "CreateIcon",
                                       "CreateIconIndirect",
                                       "CopyIcon",
                                       "CopyImage",
                                       "CreateIconFromResourceEx",
                                       "LoadImageW",
                                       "CreateMenu",
                                       "CreatePopupMenu"};

// Calls that acquire or give back by hand what the owner types do: device
// contexts, window shapes, hooks and timers, and every release.
const std::set<std::string> kOwnedOnly = {
    "GetDC",        "GetDCEx",           "GetWindowDC",       "BeginPaint",  "CreateCompatibleDC",  "CreateDCW",
    "SetWindowRgn", "SetWindowsHookExW", "SetWindowsHookExA", "SetTimer",    "DeleteObject",        "DeleteDC",
    "ReleaseDC",    "EndPaint",          "DestroyIcon",       "DestroyMenu", "UnhookWindowsHookEx", "KillTimer"};

// The wrapper headers themselves do what nothing else may.
const std::set<std::string> kAllowed = {"Handles.h"};

// The text with comments and string or character literals blanked, line
// breaks kept.
std::string CodeOnly(const std::string &text) {
  std::string out = text;
  enum { Code, Line, Block, String, Char } state = Code;
  for (size_t i = 0; i < out.size(); ++i) {
    const char c = out[i], next = i + 1 < out.size() ? out[i + 1] : '\0';
    switch (state) {
    case Code:
      if (c == '/' && next == '/')
        state = Line;
      else if (c == '/' && next == '*')
        state = Block;
      else if (c == '"')
        state = String;
      else if (c == '\'')
        state = Char;
      else
        continue;
      out[i] = ' ';
      break;
    case Line:
      if (c == '\n')
        state = Code;
      else
        out[i] = ' ';
      break;
    case Block:
      if (c == '*' && next == '/') {
        out[i] = out[i + 1] = ' ';
        ++i;
        state = Code;
      } else if (c != '\n') {
        out[i] = ' ';
      }
      break;
    case String:
    case Char:
      if (c == '\\') {
        out[i] = ' ';
        if (i + 1 < out.size() && out[i + 1] != '\n')
          out[++i] = ' ';
      } else {
        if ((state == String && c == '"') || (state == Char && c == '\''))
          state = Code;
        if (c != '\n')
          out[i] = ' ';
      }
      break;
    }
  }
  return out;
}

// Each offending call as "line: name".
std::vector<std::string> UnownedHandles(const std::string &source) {
  static const std::regex call(R"(\b([A-Za-z_]\w*)\s*\()");
  // What may stand right before a maker: an owner being made or reset.
  static const std::regex owner(R"((\b(Owned\w*|UniqueHandle\s*<[^;]*>)(\s+\w+)?\s*[({=]|\.reset\s*\()\s*(::\s*)?$)");
  const std::string code = CodeOnly(source);
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(code.begin(), code.end(), call); it != std::sregex_iterator(); ++it) {
    const std::string name = (*it)[1];
    const auto at = static_cast<size_t>(it->position(0));
    if (at > 0 && (code[at - 1] == '.' || code[at - 1] == '>'))
      continue; // a method of ours that happens to share the name
    bool bad = kOwnedOnly.count(name) > 0;
    if (!bad && kMakers.count(name)) {
      const size_t from = at > 120 ? at - 120 : 0;
      bad = !std::regex_search(code.substr(from, at - from), owner);
    }
    if (bad)
      found.push_back(std::to_string(std::count(code.begin(), code.begin() + static_cast<long>(at), '\n') + 1) + ": " +
                      name);
  }
  return found;
}

TEST(HandleDiscipline, CallsThatBypassTheOwnerTypesAreFound) {
  EXPECT_EQ(UnownedHandles("HBRUSH b = CreateSolidBrush(c);\nFillRect(dc, &r, b);\nDeleteObject(b);"),
            (std::vector<std::string>{"1: CreateSolidBrush", "3: DeleteObject"}));
  EXPECT_EQ(UnownedHandles("HDC dc = ::GetWindowDC(window);"), (std::vector<std::string>{"1: GetWindowDC"}));
  EXPECT_EQ(UnownedHandles("SetWindowRgn(w, region.release(), TRUE);\nHMENU m = CreatePopupMenu();"),
            (std::vector<std::string>{"1: SetWindowRgn", "2: CreatePopupMenu"}));
  // Straight into an owner, in its constructor or reset, is how it is done.
  EXPECT_TRUE(UnownedHandles("OwnedBrush brush(CreateSolidBrush(c));\n"
                             "region_.reset(::CreateRectRgn(0, 0, w, h));\n"
                             "const OwnedMenu menu{CreatePopupMenu()};\n"
                             "return OwnedRegion(ExtCreateRegion(nullptr, size, data));\n"
                             "WindowDC dc(window, true);\n"
                             "canvas.DeleteObject(x); // CreatePen( in a comment\n"
                             "Log(\"GetDC(\");")
                  .empty());
}

TEST(HandleDiscipline, TheSkinRuntimeUsesTheOwnerTypes) {
  const fsys::path runtime = fsys::path(ZORVEX_SOURCE_DIR) / "skin" / "runtime";
  ASSERT_TRUE(fsys::is_directory(runtime)) << runtime;
  int scanned = 0;
  for (const auto &entry : fsys::recursive_directory_iterator(runtime)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
      continue;
    if (kAllowed.count(entry.path().filename().string()))
      continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    ++scanned;
    for (const std::string &finding : UnownedHandles(text.str()))
      ADD_FAILURE() << entry.path().string() << ":" << finding;
  }
  EXPECT_GT(scanned, 0);
}

} // namespace
