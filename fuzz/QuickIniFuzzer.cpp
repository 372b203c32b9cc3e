// Loads INI text of the fuzzer's choosing, reads and edits it, and checks
// that saving and loading again changes nothing.
#include "framework/core/Streams.h"
#include "skin/data/Winskinini.h"

#include <cstdlib>

using namespace zorvex;

namespace {
std::string Saved(TQuickIni &ini) {
  TMemoryStream s;
  ini.SaveToStream(&s);
  return std::string(s.Bytes().begin(), s.Bytes().end());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream text;
  text.WriteBuffer(data, static_cast<int64_t>(size));
  text.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(&text);

  const std::string first = Saved(ini);
  TMemoryStream again;
  again.WriteBuffer(first.data(), static_cast<int64_t>(first.size()));
  again.SetPosition(0);
  TQuickIni reloaded;
  reloaded.LoadFromStream(&again);
  if (Saved(reloaded) != first)
    std::abort();

  TStringList sections, keys;
  ini.ReadSections(&sections);
  for (int i = 0; i < sections.Count() && i < 8; ++i) {
    const std::string section = sections.Get(i);
    ini.ReadSection(section, &keys);
    for (int k = 0; k < keys.Count() && k < 8; ++k)
      ini.ReadInteger(section, keys.Get(k), 0);
    ini.WriteString(section, "fuzz", "1");
    if (ini.ReadString(section, "FUZZ", "") != "1")
      std::abort();
    ini.DeleteKey(section, keys.Count() ? keys.Get(0) : "x");
  }
  if (sections.Count() > 0)
    ini.EraseSection(sections.Get(sections.Count() / 2));
  Saved(ini);
  return 0;
}
