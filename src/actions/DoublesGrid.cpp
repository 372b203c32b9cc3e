#include "DoublesGrid.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/core/Texts.h"
#include "framework/core/Yield.h"
#include "scan/ResultTables.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zorvex {

DoublesClick ClassifyDoublesClick(MouseButton button, int col, int row) {
  using Kind = DoublesClick::Kind;
  if (button != MouseButton::Left || row < 0 || col < 0)
    return {};
  if (row == 0)
    return col >= doubles_col::First && col <= doubles_col::Size ? DoublesClick{Kind::Sort, col} : DoublesClick{};
  return {Kind::ShowPair, row};
}

namespace {
// Simple lower-casing of the Latin, Greek and Cyrillic letters of the BMP's
// first blocks; other characters stand for themselves.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z')
    return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130)
      return u'i';
    if (c == 0x178)
      return 0xFF;
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
      return c;
    if (oddUpper ? (c % 2 == 1) : (c % 2 == 0))
      return c + 1;
    return c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
    return c + 32;
  if (c >= 0x410 && c <= 0x42F)
    return c + 32;
  if (c >= 0x400 && c <= 0x40F)
    return c + 80;
  return c;
}

// The letter an accented Latin-1 lower-case letter is sorted with.
char16_t BaseLetter(char16_t folded) {
  if (folded < 0xE0 || folded > 0xFF)
    return folded;
  static constexpr std::u16string_view kBase = u"aaaaaaæceeeeiiiiðnooooo÷ouuuuyþy";
  return kBase[folded - 0xE0];
}

template <typename Weight> int CompareBy(std::u16string_view a, std::u16string_view b, Weight weight) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const char16_t x = weight(a[i]);
    const char16_t y = weight(b[i]);
    if (x != y)
      return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

#ifdef _WIN32
int CompareTextWindows(std::u16string_view a, std::u16string_view b) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t *>(a.data()),
                                    static_cast<int>(a.size()), reinterpret_cast<const wchar_t *>(b.data()),
                                    static_cast<int>(b.size()));
  if (result == 0) // only for invalid arguments; keep the order total anyway
    return CompareTextPortable(a, b);
  return result - CSTR_EQUAL;
}
#endif

struct SortRow {
  std::u16string key;
  std::array<std::string, 3> cells; // columns 1..3
};
} // namespace

int CompareTextPortable(std::u16string_view a, std::u16string_view b) {
  if (const int primary = CompareBy(a, b, [](char16_t c) { return BaseLetter(FoldCase(c)); }))
    return primary;
  return CompareBy(a, b, FoldCase);
}

TextCompare PlatformTextCompare() {
#ifdef _WIN32
  return CompareTextWindows;
#else
  return CompareTextPortable;
#endif
}

void SortDoubles(TGridModel &grid, int doubleCount, int column, const TextCompare &compare) {
  if (column < doubles_col::First || column > doubles_col::Size)
    return;
  // Key order: the sort column first, then the other two in column order.
  std::array<int, 3> order{column, 0, 0};
  for (int col = doubles_col::First, next = 1; col <= doubles_col::Size; ++col)
    if (col != column)
      order[next++] = col;

  std::vector<SortRow> rows;
  rows.reserve(static_cast<size_t>(std::max(doubleCount, 0)));
  for (int row = 1; row <= doubleCount; ++row) {
    SortRow entry;
    std::string key;
    for (int i = 0; i < 3; ++i) {
      entry.cells[i] = grid.Cell(doubles_col::First + i, row);
      key += grid.Cell(order[i], row);
      key += '|';
    }
    entry.key = Utf8ToUtf16(key);
    rows.push_back(std::move(entry));
  }
  // Each row carries its own cells, so nothing is split back out of the key:
  // long paths and '|' inside names come back whole.
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const SortRow &a, const SortRow &b) { return compare(a.key, b.key) < 0; });
  for (int row = 1; row <= doubleCount; ++row)
    for (int i = 0; i < 3; ++i)
      grid.SetCell(doubles_col::First + i, row, std::move(rows[row - 1].cells[i]));
}

void RunDoublesSort(TGridModel &grid, int doubleCount, int column, const TextCompare &compare, uint32_t fixedColor,
                    const std::function<void(uint32_t color)> &setFixedColor) {
  setFixedColor(kFixedColorSorting);
  YieldNow();
  try {
    SortDoubles(grid, doubleCount, column, compare);
  } catch (...) {
    setFixedColor(fixedColor);
    throw;
  }
  setFixedColor(fixedColor);
  YieldNow();
}

} // namespace zorvex
