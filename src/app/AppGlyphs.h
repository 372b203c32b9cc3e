#pragma once
// The program's pictures, kept as resources of the executable.

#include <windows.h>

#include "framework/win/Graphics.h"

namespace zorvex {

namespace glyph {
inline constexpr const wchar_t *Folder = L"GLYPH_FOLDER";
inline constexpr const wchar_t *FlagEnglish = L"GLYPH_FLAG_EN";
inline constexpr const wchar_t *FlagFrench = L"GLYPH_FLAG_FR";
inline constexpr const wchar_t *Help = L"GLYPH_HELP";
inline constexpr const wchar_t *Skin = L"GLYPH_SKIN";
inline constexpr const wchar_t *Recycle = L"GLYPH_RECYCLE";
inline constexpr const wchar_t *RecycleAll = L"GLYPH_RECYCLE_ALL";
inline constexpr const wchar_t *Print = L"GLYPH_PRINT";
inline constexpr const wchar_t *Save = L"GLYPH_SAVE";
inline constexpr const wchar_t *Start = L"GLYPH_START";
inline constexpr const wchar_t *Abort = L"GLYPH_ABORT";
inline constexpr const wchar_t *Open = L"GLYPH_OPEN";
inline constexpr const wchar_t *Close = L"GLYPH_CLOSE";
inline constexpr const wchar_t *Ok = L"GLYPH_OK";
inline constexpr const wchar_t *Logo = L"GLYPH_LOGO";
} // namespace glyph

// A glyph of the executable; empty (no picture) when it is missing, so that
// a button without its picture still works.
TDibBitmap LoadGlyph(const wchar_t *name);

// The program's icon ("MAINICON"), shared, not to be destroyed.
HICON AppIcon();

} // namespace zorvex
