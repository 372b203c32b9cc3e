#include "Winskinini.h"

#include "Winconvert.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zorvex {

namespace {

// Optional sign, then decimal digits or "$" and hexadecimal digits; hex
// values use all 32 bits, so "$FFFFFFFF" reads as -1.
int StrToIntDef(const std::string &text, int fallback) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  const bool hex = i < text.size() && text[i] == '$';
  if (hex)
    ++i;
  if (i == text.size())
    return fallback;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return fallback;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull))
      return fallback;
  }
  if (hex) {
    const int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(value));
    return negative ? static_cast<int>(0u - static_cast<uint32_t>(bits)) : bits;
  }
  if (!negative && value > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
    return fallback;
  return negative ? static_cast<int>(-static_cast<int64_t>(value)) : static_cast<int>(value);
}

} // namespace

TQuickIni::TQuickIni() = default;
TQuickIni::~TQuickIni() = default;

void TQuickIni::SetFileName(const std::string &fileName) {
  if (fileName != fileName_)
    fileName_ = fileName;
}

// ---- line helpers --------------------------------------------------------------

bool TQuickIni::IsSection(const std::string &line) {
  const std::string t = Trim(line);
  return !t.empty() && t.front() == '[' && t.back() == ']';
}

std::string TQuickIni::GetName(const std::string &line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos)
    return {};
  return LowerCaseAZ(Trim(std::string_view(line).substr(0, eq)));
}

std::string TQuickIni::GetValue(const std::string &line, const std::string &name) {
  if (line.empty() || name.empty() || GetName(line) != name)
    return {};
  return Trim(std::string_view(line).substr(line.find('=') + 1));
}

int TQuickIni::GetSectionIndex(const std::string &section) const {
  const std::string header = "[" + section + "]";
  for (const SectionEntry &entry : sections_)
    if (SameTextAZ(entry.header, header))
      return entry.line;
  return -1;
}

int TQuickIni::SectionEnd(int header) const {
  int line = header + 1;
  while (line < lines_.Count() && !IsSection(lines_.Get(line)))
    ++line;
  return line;
}

int TQuickIni::FindKey(int header, const std::string &lowerIdent, int &stop) const {
  int line = header + 1;
  for (; line < lines_.Count(); ++line) {
    const std::string text = lines_.Get(line);
    if (IsSection(text))
      break;
    if (GetName(text) == lowerIdent) {
      stop = line;
      return line;
    }
  }
  stop = line;
  return -1;
}

void TQuickIni::ShiftSections(int at, int count) {
  for (SectionEntry &entry : sections_)
    if (entry.line >= at)
      entry.line += count;
}

void TQuickIni::InsertLine(int at, const std::string &line) {
  lines_.Insert(at, line);
  ShiftSections(at, 1);
}

void TQuickIni::DeleteLines(int at, int count) {
  for (int i = 0; i < count; ++i)
    lines_.Delete(at);
  ShiftSections(at + count, -count);
}

// ---- reading -------------------------------------------------------------------

void TQuickIni::LoadFromStream(TStream *stream) {
  if (!stream)
    return;
  std::string text(static_cast<size_t>(std::max<int64_t>(0, stream->Size() - stream->Position())), '\0');
  if (!text.empty())
    stream->ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  lines_.Clear();
  sections_.clear();
  // A zero byte ends the text; CR LF, a lone LF and a lone CR end a line.
  size_t i = 0;
  const size_t end = std::min(text.size(), text.find('\0'));
  while (i < end) {
    const size_t start = i;
    while (i < end && text[i] != '\r' && text[i] != '\n')
      ++i;
    const std::string line = Trim(std::string_view(text).substr(start, i - start));
    if (i < end && text[i] == '\r')
      ++i;
    if (i < end && text[i] == '\n')
      ++i;
    if (line.empty() || line.front() == ';')
      continue;
    if (line.front() == '[' && line.back() == ']')
      sections_.push_back({line, lines_.Count()});
    lines_.Add(line);
  }
}

void TQuickIni::LoadFromFile(const std::string &fileName) {
  TFileStream file(fileName, fm::OpenRead | fm::ShareDenyWrite);
  LoadFromStream(&file);
}

void TQuickIni::LoadFromZip(const std::string &fileName) {
  TMemoryStream packed;
  packed.LoadFromFile(fileName);
  TMemoryStream text;
  Decompress(&packed, &text);
  text.SetPosition(0);
  LoadFromStream(&text);
}

std::string TQuickIni::ReadString(const std::string &section, const std::string &ident, const std::string &fallback) {
  if (lines_.Count() == 0)
    return fallback;
  const int header = GetSectionIndex(section);
  if (header < 0)
    return fallback;
  const std::string name = LowerCaseAZ(ident);
  int stop;
  const int line = FindKey(header, name, stop);
  if (line < 0)
    return fallback;
  const std::string value = GetValue(lines_.Get(line), name);
  return value.empty() ? fallback : value;
}

int TQuickIni::ReadInteger(const std::string &section, const std::string &ident, int fallback) {
  std::string text = ReadString(section, ident, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  return StrToIntDef(text, fallback);
}

bool TQuickIni::ReadBool(const std::string &section, const std::string &ident, bool fallback) {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TQuickIni::ReadSections(TStrings *strings) {
  strings->Clear();
  for (const SectionEntry &entry : sections_) {
    const std::string header = Trim(entry.header);
    strings->Add(Trim(std::string_view(header).substr(1, header.size() - 2)));
  }
}

void TQuickIni::ReadSection(const std::string &section, TStrings *strings) {
  strings->Clear();
  const int header = GetSectionIndex(section);
  if (header < 0)
    return;
  for (int line = header + 1, end = SectionEnd(header); line < end; ++line) {
    const std::string name = GetName(lines_.Get(line));
    if (!name.empty())
      strings->Add(name);
  }
}

void TQuickIni::ReadSectionValues(const std::string &section, TStrings *strings) {
  strings->Clear();
  const int header = GetSectionIndex(section);
  if (header < 0)
    return;
  for (int line = header + 1, end = SectionEnd(header); line < end; ++line) {
    const std::string text = lines_.Get(line);
    if (!text.empty())
      strings->Add(text);
  }
}

// ---- writing -------------------------------------------------------------------

void TQuickIni::WriteString(const std::string &section, const std::string &ident, const std::string &value) {
  const std::string line = ident + "=" + value;
  const int header = GetSectionIndex(section);
  if (header < 0) {
    const std::string text = "[" + section + "]";
    sections_.push_back({Trim(text), lines_.Count()});
    lines_.Add(text);
    if (!ident.empty())
      lines_.Add(line);
    return;
  }
  if (ident.empty())
    return;
  int stop;
  const int key = FindKey(header, LowerCaseAZ(ident), stop);
  if (key >= 0)
    lines_.Put(key, line);
  else if (stop >= lines_.Count())
    lines_.Add(line);
  else
    InsertLine(stop, line); // in front of the next header
}

void TQuickIni::WriteInteger(const std::string &section, const std::string &ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

void TQuickIni::WriteBool(const std::string &section, const std::string &ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TQuickIni::DeleteKey(const std::string &section, const std::string &ident) {
  // An empty ident would match the first line without "=": not a key.
  const int header = GetSectionIndex(section);
  if (header < 0 || ident.empty())
    return;
  int stop;
  const int key = FindKey(header, LowerCaseAZ(ident), stop);
  if (key >= 0)
    DeleteLines(key, 1);
}

void TQuickIni::EraseSection(const std::string &section) {
  const int header = GetSectionIndex(section);
  if (header < 0)
    return;
  const int end = SectionEnd(header);
  sections_.erase(std::find_if(sections_.begin(), sections_.end(),
                               [header](const SectionEntry &entry) { return entry.line == header; }));
  DeleteLines(header, end - header);
  if (header != 0)
    InsertLine(header, "");
}

void TQuickIni::Clear() {
  lines_.Clear();
  sections_.clear();
}

void TQuickIni::SetIniFile(TStrings *strings) {
  lines_.Assign(*strings);
  RebuildSections();
}

void TQuickIni::RebuildSections() {
  sections_.clear();
  for (int line = 0; line < lines_.Count(); ++line) {
    const std::string text = lines_.Get(line);
    if (IsSection(text))
      sections_.push_back({Trim(text), line});
  }
}

void TQuickIni::SaveToStream(TStream *stream) {
  if (!stream)
    return;
  std::string text;
  for (int line = 0; line < lines_.Count(); ++line)
    text += lines_.Get(line) + "\r\n";
  stream->WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TQuickIni::SaveToFile(const std::string &fileName) {
  TFileStream file(fileName, fm::Create);
  SaveToStream(&file);
  file.Close();
}

void TQuickIni::SavetoZip(const std::string &fileName) {
  TMemoryStream text;
  SaveToStream(&text);
  TMemoryStream packed;
  Compress(&text, &packed);
  packed.SaveToFile(fileName);
}

void TQuickIni::Compress(TStream *source, TStream *dest) { LZHCompress(*source, *dest); }

void TQuickIni::Decompress(TStream *source, TStream *dest) { LZHDecompress(*source, *dest); }

} // namespace zorvex
