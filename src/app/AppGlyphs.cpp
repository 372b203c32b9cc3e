#include "AppGlyphs.h"

#include "framework/core/Texts.h"
#include "framework/win/Controls.h"
#include "framework/win/Win32Error.h"

namespace zorvex {

TDibBitmap LoadGlyph(const wchar_t *name) {
  TDibBitmap bitmap;
  if (!bitmap.LoadFromResource(ModuleInstance(), name)) {
    LogOSError("LoadGlyph " + Narrow(name), ERROR_RESOURCE_NAME_NOT_FOUND);
    return TDibBitmap();
  }
  return bitmap;
}

HICON AppIcon() {
  static const HICON icon = LoadIconW(ModuleInstance(), L"MAINICON");
  return icon;
}

} // namespace zorvex
