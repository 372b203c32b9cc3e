#pragma once
// TQuickIni: a small in-memory INI store over 8-bit text. The lines are kept
// trimmed, without blank and comment lines; a section index maps each header
// to its line so that a lookup scans only that section.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Strings.h"

namespace zorvex {

class TStream;

class TQuickIni : public TObject {
public:
  TQuickIni();
  ~TQuickIni() override;
  TQuickIni(const TQuickIni &) = delete;
  TQuickIni &operator=(const TQuickIni &) = delete;

  const std::string &FileName() const { return fileName_; }
  void SetFileName(const std::string &fileName);

  // Reading. A null stream does nothing.
  void LoadFromStream(TStream *stream);
  void LoadFromFile(const std::string &fileName);
  // The file is the LZH stored form: 32-bit size, then the packed text.
  void LoadFromZip(const std::string &fileName);

  std::string ReadString(const std::string &section, const std::string &ident, const std::string &fallback);
  // Decimal, or hexadecimal after "$" or "0x"; anything else gives the fallback.
  int ReadInteger(const std::string &section, const std::string &ident, int fallback);
  bool ReadBool(const std::string &section, const std::string &ident, bool fallback);
  // Section names in line order, without brackets, duplicates included.
  void ReadSections(TStrings *strings);
  // The key names of one section, lower-cased.
  void ReadSection(const std::string &section, TStrings *strings);
  // The non-empty lines of one section as stored.
  void ReadSectionValues(const std::string &section, TStrings *strings);

  // Writing.
  void WriteString(const std::string &section, const std::string &ident, const std::string &value);
  void WriteInteger(const std::string &section, const std::string &ident, int value);
  void WriteBool(const std::string &section, const std::string &ident, bool value);
  void DeleteKey(const std::string &section, const std::string &ident);
  void EraseSection(const std::string &section);
  void Clear();
  void SetIniFile(TStrings *strings);
  void RebuildSections();

  // Each line followed by CR LF. A null stream does nothing.
  void SaveToStream(TStream *stream);
  void SaveToFile(const std::string &fileName);
  void SavetoZip(const std::string &fileName);

  // The LZH stored form; both set the positions of both streams to 0.
  void Compress(TStream *source, TStream *dest);
  void Decompress(TStream *source, TStream *dest);

  const TStringList &Lines() const { return lines_; }

private:
  struct SectionEntry {
    std::string header; // trimmed, brackets included
    int line;
  };

  int GetSectionIndex(const std::string &section) const;
  static bool IsSection(const std::string &line);
  static std::string GetName(const std::string &line);
  static std::string GetValue(const std::string &line, const std::string &name);
  // First line after `header` that ends the section (next header or the end).
  int SectionEnd(int header) const;
  // The key line of lowerIdent in the section at `header`, or -1; `stop`
  // receives where the scan ended.
  int FindKey(int header, const std::string &lowerIdent, int &stop) const;
  // Keeps the index in step when `count` lines appear (or go, when negative)
  // at line `at`.
  void ShiftSections(int at, int count);
  void InsertLine(int at, const std::string &line);
  void DeleteLines(int at, int count);

  std::string fileName_;
  TStringList lines_;
  std::vector<SectionEntry> sections_;
};

} // namespace zorvex
