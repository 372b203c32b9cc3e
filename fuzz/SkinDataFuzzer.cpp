// Loads a package of the fuzzer's choosing as a skin: the reader, the INI
// text and every data object built from it, then a second skin over it.
#include "framework/core/Notices.h"
#include "framework/core/Streams.h"
#include "skin/data/Winskindata.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const NoticeHandler quiet = SetNoticeHandler([](const std::string &) {});
  TMemoryStream package;
  package.WriteBuffer(data, static_cast<int64_t>(size));
  TSkinData skin;
  skin.LoadFromStream(&package);
  skin.GetCaptionColor();
  // Loading over a skin frees and rebuilds every object.
  skin.LoadFromStream(&package);
  return 0;
}
