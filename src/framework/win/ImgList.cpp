#include "ImgList.h"

#include <algorithm>

namespace zorvex {

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_)
    return;
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  images_.clear();
  Changed();
}

int TImageList::AddMasked(const TBitmap &strip, TColor transparent) {
  const int count = strip.Height() > 0 ? strip.Width() / width_ : 0;
  if (count == 0)
    return -1;
  const int first = Count();
  const TColor key = ColorToRGB(transparent);
  for (int i = 0; i < count; ++i) {
    TDibBitmap image(width_, height_, 0);
    for (int y = 0; y < std::min(height_, strip.Height()); ++y)
      for (int x = 0; x < width_; ++x) {
        const TColor pixel = strip.GetPixel(i * width_ + x, y);
        if (pixel != key)
          image.SetPixel(x, y, 0xFF000000u | (ColorRed(pixel) << 16) | (ColorGreen(pixel) << 8) | ColorBlue(pixel));
      }
    images_.push_back(std::move(image));
  }
  Changed();
  return first;
}

int TImageList::Add(const TDibBitmap &image) {
  if (image.Empty())
    return -1;
  TDibBitmap sized(width_, height_, 0);
  if (image.Width() == width_ && image.Height() == height_) {
    sized = image.Clone();
  } else {
    // Nearest pixel: glyphs keep their hard edges.
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        sized.SetPixel(x, y, image.Pixel(x * image.Width() / width_, y * image.Height() / height_));
  }
  images_.push_back(std::move(sized));
  Changed();
  return Count() - 1;
}

bool TImageList::GetResource(HINSTANCE module, const wchar_t *name, int width, TColor transparent) {
  TDibBitmap loaded;
  if (!loaded.LoadFromResource(module, name))
    return false;
  images_.clear();
  width_ = std::max(width, 1);
  height_ = loaded.Height();
  if (AddMasked(loaded.ToBitmap(), transparent) < 0)
    Changed();
  return true;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count())
    return;
  images_.erase(images_.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (images_.empty())
    return;
  images_.clear();
  Changed();
}

const TDibBitmap &TImageList::Image(int index) const {
  static const TDibBitmap none;
  return index >= 0 && index < Count() ? images_[static_cast<size_t>(index)] : none;
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
  const TDibBitmap &image = Image(index);
  if (image.Empty())
    return;
  if (enabled)
    image.Draw(dc, x, y);
  else
    image.Disabled().Draw(dc, x, y);
}

void TImageList::Changed() {
  if (OnChange)
    OnChange(this);
  // A listener may unregister while it is told.
  for (const auto &listener : std::vector(listeners_))
    listener.second();
}

void TImageList::RegisterChanges(const void *key, std::function<void()> changed) {
  UnregisterChanges(key);
  listeners_.emplace_back(key, std::move(changed));
}

void TImageList::UnregisterChanges(const void *key) {
  std::erase_if(listeners_, [key](const auto &listener) { return listener.first == key; });
}

bool LoadMenuGlyphs(TImageList &list, HINSTANCE module) {
  return list.GetResource(module, MenuGlyphsResource, 16, clWhite);
}

} // namespace zorvex
