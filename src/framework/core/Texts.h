#pragma once
// Text helpers. Inside the program every text is UTF-8 in std::string;
// conversions happen at the platform boundary only.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex {

// UTF-8 <-> UTF-16. Lone surrogates (legal in Windows file names) survive a
// round trip: they are carried as their three-byte generalized UTF-8 form.
// Malformed UTF-8 bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

#ifdef _WIN32
// wchar_t is UTF-16 on Windows: the W API's own strings.
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
#endif

// The ANSI code page of 8-bit files (Windows-1252 on Western systems; the
// Windows build asks the system for its code page, the portable build uses
// 1252). Each character the page lacks becomes '?', never a look-alike of
// the page ('Ł' is not written as 'L'); `complete`, when given, tells
// whether every character kept its own form.
std::string Utf8ToAnsi(std::string_view utf8, bool *complete = nullptr);
std::string AnsiToUtf8(std::string_view ansi);

// Lower-cases the letters A to Z only; every other byte is left alone.
std::string LowerCaseAZ(std::string_view text);
std::string UpperCaseAZ(std::string_view text);
bool SameTextAZ(std::string_view a, std::string_view b);

// Removes characters up to and including the blank from both ends (control
// characters count as blanks, as in the framework's Trim).
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

std::string IntToStr(int64_t value);
// Decimal integer, optional sign, surrounding blanks allowed; throws
// EConvertError otherwise or when the value does not fit 64 bits.
int64_t StrToInt64(std::string_view text);
int64_t StrToInt64Def(std::string_view text, int64_t fallback);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

} // namespace zorvex
