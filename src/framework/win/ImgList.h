#pragma once
// TImageList: images of one size, kept with their transparency, drawn by
// index (menus, the caption buttons' system menu). Images come from a strip
// of bitmaps side by side, in which one colour stands for transparent.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "Controls.h"
#include "Graphics.h"

namespace zorvex {

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent *owner = nullptr) : TComponent(owner) {}
  std::string ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size drops every image.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Cuts a strip into images of the list's width (a missing last piece is
  // left out); pixels of `transparent` colour become transparent. Returns
  // the index of the first image added, or -1 when none fits.
  int AddMasked(const TBitmap &strip, TColor transparent);
  // One image with its own alpha channel, resized to the list's size.
  int Add(const TDibBitmap &image);
  // Replaces the images with those of a bitmap resource cut into pieces
  // `width` pixels wide (as high as the bitmap); false when it is missing.
  bool GetResource(HINSTANCE module, const wchar_t *name, int width, TColor transparent);
  void Delete(int index);
  void Clear();

  // The image as drawn (transparent pixels have alpha 0); empty outside.
  const TDibBitmap &Image(int index) const;
  // A disabled image is drawn grey and faint.
  void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;
  void Draw(TCanvas &canvas, int x, int y, int index, bool enabled = true) const {
    Draw(canvas.Handle(), x, y, index, enabled);
  }

  // Told after every change.
  TNotifyEvent OnChange;
  // Controls that show the images are told of every change as well, each
  // under a key of its own until it unregisters.
  void RegisterChanges(const void *key, std::function<void()> changed);
  void UnregisterChanges(const void *key);

private:
  void Changed();
  int width_ = 16, height_ = 16;
  std::vector<TDibBitmap> images_;
  std::vector<std::pair<const void *, std::function<void()>>> listeners_;
};

// The framework's 16 x 16 menu glyphs, one resource strip on white, in the
// order of the system menu's commands (the image index of each item).
inline constexpr const wchar_t *MenuGlyphsResource = L"MENUGLYPHS";
namespace menuglyph {
constexpr int Restore = 0, Maximize = 1, Minimize = 2, Close = 3, Count = 4;
}
// Fills the list with them from the module's resources; false when the
// module has none.
bool LoadMenuGlyphs(TImageList &list, HINSTANCE module = ModuleInstance());

} // namespace zorvex
