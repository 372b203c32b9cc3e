#include "SkinTool.h"

#include "SkinDesign.h"

#include "framework/core/Bitmap.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"
#include "skin/data/Skinread.h"
#include "skin/data/Skinwrite.h"

#include <algorithm>
#include <filesystem>

namespace zorvex {

namespace {

// A failure with the message the user sees.
struct ToolError {
  std::string message;
};

std::string Join(const std::string &dir, const std::string &name) { return IncludeTrailingPathDelimiter(dir) + name; }

std::string ReadAll(const std::string &path) {
  TMemoryStream stream;
  stream.LoadFromFile(path);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// Entry names are 8-bit text in the ANSI code page, lower case.
std::string EntryName(const std::string &fileName) {
  const std::string ansi = Utf8ToAnsi(fileName);
  if (AnsiToUtf8(ansi) != fileName)
    throw ToolError{"the file name '" + fileName + "' has characters a skin package cannot hold"};
  return LowerCaseAZ(ansi);
}

std::vector<SkinEntry> CollectEntries(const std::string &dir, std::ostream &err) {
  if (!DirectoryExists(dir))
    throw ToolError{"no such folder: " + dir};
  std::vector<std::string> files;
  TSearchRec rec;
  for (int found = FindFirst(Join(dir, "*"), fa::ReadOnly | fa::Hidden | fa::Archive, rec); found == 0;
       found = FindNext(rec))
    if (!(rec.Attr & (fa::Directory | fa::ReparsePoint | fa::Device)))
      files.push_back(rec.Name);
  FindClose(rec);

  std::vector<SkinEntry> ini, bitmaps;
  for (const std::string &file : files) {
    const std::string name = EntryName(file);
    if (EndsWith(name, ".ini")) {
      ini.push_back({name, ReadAll(Join(dir, file))});
    } else if (EndsWith(name, ".bmp")) {
      SkinEntry entry{name, ReadAll(Join(dir, file))};
      // A bitmap the skin could not load is a designer's mistake: say so now.
      TMemoryStream check;
      check.WriteBuffer(entry.bytes.data(), static_cast<int64_t>(entry.bytes.size()));
      check.SetPosition(0);
      TBitmap bitmap;
      try {
        bitmap.LoadFromStream(check);
      } catch (const EInvalidGraphic &) {
        throw ToolError{file + " is not a valid BMP file"};
      }
      bitmaps.push_back(std::move(entry));
    } else {
      err << "zorvex-skin: skipping " << file << " (neither .ini nor .bmp)\n";
    }
  }
  if (ini.size() != 1)
    throw ToolError{"the folder must hold exactly one .ini file, it holds " + std::to_string(ini.size())};
  std::sort(bitmaps.begin(), bitmaps.end(), [](const SkinEntry &a, const SkinEntry &b) { return a.name < b.name; });
  for (size_t i = 1; i < bitmaps.size(); ++i)
    if (bitmaps[i].name == bitmaps[i - 1].name)
      throw ToolError{"two files are both named " + bitmaps[i].name + " once lower-cased"};
  // The INI goes first, so that looking it up never meets a bitmap whose
  // name happens to contain ".ini".
  ini.insert(ini.end(), bitmaps.begin(), bitmaps.end());
  return ini;
}

void LoadPackage(TSkinReader &reader, const std::string &path) {
  if (!FileExists(path))
    throw ToolError{"no such file: " + path};
  if (!reader.loadfromfile(path))
    throw ToolError{path + " is not a skin package of the current kind, or it is damaged"};
}

std::string EntryText(TSkinReader &reader, int index) {
  TMemoryStream entry;
  reader.ReadEntry(index, &entry);
  return std::string(entry.Bytes().begin(), entry.Bytes().end());
}

void Pack(const std::string &dir, const std::string &out, std::ostream &err) {
  const std::vector<SkinEntry> entries = CollectEntries(dir, err);
  TMemoryStream package;
  WriteSkinPackage(entries, package);
  package.SaveToFile(out);
  // Read it back: what we wrote must be what a skin loads.
  TSkinReader reader;
  LoadPackage(reader, out);
  for (int i = 0; i < reader.Count(); ++i)
    if (EntryText(reader, i) != entries[static_cast<size_t>(i)].bytes)
      throw ToolError{"the package written to " + out + " does not read back"};
}

void Unpack(const std::string &path, const std::string &dir, std::ostream &err) {
  TSkinReader reader;
  LoadPackage(reader, path);
  std::filesystem::create_directories(std::filesystem::path(reinterpret_cast<const char8_t *>(dir.c_str())));
  std::vector<std::string> written;
  for (int i = 0; i < reader.Count(); ++i) {
    const std::string name = AnsiToUtf8(reader.Names().Get(i));
    // Names come from the package: never let one leave the folder.
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != std::string::npos)
      throw ToolError{"the package holds an entry named '" + name + "', which is not a plain file name"};
    if (std::find(written.begin(), written.end(), name) != written.end()) {
      err << "zorvex-skin: " << name << " is repeated; only its first entry is written (the one skins use)\n";
      continue;
    }
    TMemoryStream entry;
    reader.ReadEntry(i, &entry);
    entry.SaveToFile(Join(dir, name));
    written.push_back(name);
  }
}

} // namespace

int RunSkinTool(const std::vector<std::string> &args, std::ostream &out, std::ostream &err) {
  const std::string usage = "usage: zorvex-skin pack DIR OUT | unpack PACKAGE DIR | list PACKAGE | ini PACKAGE | "
                            "design OUT NAME=PACKAGE...\n";
  const std::string command = args.empty() ? "" : args[0];
  if (command == "design")
    return RunDesignCommand(args, err);
  const size_t wanted = command == "pack" || command == "unpack" ? 3 : command == "list" || command == "ini" ? 2 : 0;
  if (wanted == 0 || args.size() != wanted) {
    err << usage;
    return 2;
  }
  try {
    if (command == "pack") {
      Pack(args[1], args[2], err);
    } else if (command == "unpack") {
      Unpack(args[1], args[2], err);
    } else {
      TSkinReader reader;
      LoadPackage(reader, args[1]);
      if (command == "list") {
        for (int i = 0; i < reader.Count(); ++i)
          out << reader.EntrySize(i) << '\t' << AnsiToUtf8(reader.Names().Get(i)) << '\n';
      } else {
        TMemoryStream ini;
        std::string name;
        reader.readIni(".ini", &ini, name);
        if (name.empty())
          throw ToolError{args[1] + " holds no INI entry"};
        out << std::string(ini.Bytes().begin(), ini.Bytes().end());
      }
    }
    return 0;
  } catch (const ToolError &e) {
    err << "zorvex-skin: " << e.message << '\n';
  } catch (const std::exception &e) {
    err << "zorvex-skin: " << e.what() << '\n';
  }
  return 1;
}

} // namespace zorvex
