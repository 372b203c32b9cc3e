#pragma once
// The few things the skin data asks of the window system: system colours, a
// solid brush, the width of a horizontal scroll arrow, the application's
// icon and the menu-glyph image list. The portable default answers with the
// classic Windows values and has no brush, icon or image list; the Windows
// build installs its own at start-up.

#include <cstdint>
#include <memory>

#include "framework/core/Bitmap.h"
#include "framework/core/Color.h"
#include "framework/core/Object.h"

namespace zorvex {

class TSkinPlatform {
public:
  virtual ~TSkinPlatform() = default;

  // The RGB value of system colour `index` (COLOR_BTNFACE and the like).
  virtual TColor SystemColor(int index) const;
  // A solid brush (an HBRUSH), 0 where there are none; freed with DeleteBrush.
  virtual uintptr_t CreateSolidBrush(TColor color) const;
  virtual void DeleteBrush(uintptr_t brush) const;
  // SM_CXHSCROLL.
  virtual int HorzScrollArrowWidth() const;
  // The application window's small icon (else its large one) at the small
  // icon size, drawn on magenta; false when there is none.
  virtual bool ApplicationIcon(TBitmap &icon) const;
  // The 16 x 16 menu glyphs (restore, maximise, minimise, close) as an image
  // list with white transparent; null where there is none.
  virtual std::unique_ptr<TObject> LoadMenuGlyphs() const;
};

// The platform in use: the one installed, else the classic default.
const TSkinPlatform &SkinPlatform();
// Installs a platform (not owned; it must outlive every skin data); null
// brings back the classic default.
void SetSkinPlatform(const TSkinPlatform *platform);

#ifdef _WIN32
// The window system's own answers.
const TSkinPlatform &WindowsSkinPlatform();
#endif

} // namespace zorvex
