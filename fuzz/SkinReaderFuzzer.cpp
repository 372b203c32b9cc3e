// Loads a package of the fuzzer's choosing and reads every entry of it.
#include "framework/core/Notices.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinread.h"

#include <cstdlib>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const NoticeHandler quiet = SetNoticeHandler([](const std::string &) {});
  TMemoryStream package;
  package.WriteBuffer(data, static_cast<int64_t>(size));
  TSkinReader reader;
  if (!reader.Loadfromstream(&package))
    return 0;
  TMemoryStream entry;
  std::string found;
  reader.readIni(".ini", &entry, found);
  for (int i = 0; i < reader.Count(); ++i) {
    reader.readfile(reader.Names().Get(i), &entry);
    reader.ReadEntry(i, &entry);
    if (entry.Size() != reader.EntrySize(i))
      std::abort();
  }
  return 0;
}
