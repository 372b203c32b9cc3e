// The window system's answers to the skin data's questions.
#include "SkinPlatform.h"

#include "framework/win/Forms.h"
#include "framework/win/Handles.h"

#include <cstring>

namespace zorvex {

namespace {

class WindowsPlatform : public TSkinPlatform {
public:
  TColor SystemColor(int index) const override { return static_cast<TColor>(GetSysColor(index)); }

  uintptr_t CreateSolidBrush(TColor color) const override {
    return reinterpret_cast<uintptr_t>(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
  }

  void DeleteBrush(uintptr_t brush) const override {
    if (brush)
      DeleteObject(reinterpret_cast<HBRUSH>(brush));
  }

  int HorzScrollArrowWidth() const override { return GetSystemMetrics(SM_CXHSCROLL); }

  bool ApplicationIcon(TBitmap &icon) const override {
    if (!Application)
      return false;
    HWND window = Application->Handle(); // not owned
    HICON handle = nullptr;              // not owned: the window's or the application's
    if (window) {
      handle = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
      if (!handle)
        handle = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    }
    if (!handle)
      handle = Application->Icon();
    if (!handle)
      return false;
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, like TBitmap
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    MemoryDC dc;
    OwnedBitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
      return false;
    {
      ScopedSelect select(dc.get(), dib.get());
      OwnedBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
      RECT all{0, 0, width, height};
      FillRect(dc.get(), &all, magenta.get());
      if (!DrawIconEx(dc.get(), 0, 0, handle, width, height, 0, nullptr, DI_NORMAL))
        return false;
      GdiFlush();
    }
    TBitmap drawn(width, height, TPixelFormat::pf24bit);
    const auto *row = static_cast<const uint8_t *>(bits);
    for (int y = 0; y < height; ++y, row += 4 * width) {
      uint8_t *out = drawn.ScanLine(y);
      for (int x = 0; x < width; ++x)
        std::memcpy(out + 3 * x, row + 4 * x, 3);
    }
    icon = std::move(drawn);
    return true;
  }

  // The image list of menu glyphs comes with the framework's TImageList.
};

} // namespace

const TSkinPlatform &WindowsSkinPlatform() {
  static const WindowsPlatform platform;
  return platform;
}

} // namespace zorvex
