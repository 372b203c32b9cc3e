#include "Capture.h"

#include "Win32Error.h"
#include "framework/core/PngWriter.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

namespace zorvex {

TDibBitmap CaptureWindow(HWND window, bool withFrame) {
  if (!IsWindow(window))
    throw Exception("CaptureWindow: not a window");
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
  GdiFlush();
  RECT rect{};
  if (withFrame) {
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
  } else {
    GetClientRect(window, &rect);
  }
  TDibBitmap picture;
  WindowDC dc(window, withFrame);
  if (!dc.get())
    RaiseLastOSError("GetDC capture");
  picture.CopyFrom(dc.get(), 0, 0, rect.right, rect.bottom);
  return picture;
}

void SaveImage(const TDibBitmap &picture, const std::string &path) {
  std::vector<uint8_t> bytes;
  if (EndsWith(LowerCaseAZ(path), ".bmp")) {
    bytes = picture.ToBmp();
  } else {
    bytes = EncodePng(picture.Width(), picture.Height(), picture.ScanLine(0));
  }
  TFileStream file(path, fm::Create);
  file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  file.Close();
}

void SaveWindowImage(HWND window, const std::string &path, bool withFrame) {
  SaveImage(CaptureWindow(window, withFrame), path);
}

} // namespace zorvex
