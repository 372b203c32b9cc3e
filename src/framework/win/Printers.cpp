#include "Printers.h"

#include <vector>

#include <winspool.h>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

TPrinter &Printer() {
  static TPrinter printer;
  return printer;
}

TPrinter::~TPrinter() { Abort(); }

std::string TPrinter::DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0)
    return std::string();
  std::vector<wchar_t> name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size))
    return std::string();
  return Narrow(name.data());
}

void TPrinter::BeginDoc() {
  if (dc_)
    throw EPrinter("Impression en cours");
  const std::wstring title = Wide(title_);
  if (!redirect_.empty()) {
    // An A4 page, 210 x 297 mm, at 300 dots per inch.
    dpiX_ = dpiY_ = 300;
    pageWidth_ = 2480;
    pageHeight_ = 3508;
    RECT frame{0, 0, 21000, 29700}; // hundredths of a millimetre
    dc_ = CreateEnhMetaFileW(nullptr, Wide(redirect_).c_str(), &frame, title.c_str());
    if (!dc_)
      RaiseLastOSError("CreateEnhMetaFile " + redirect_);
    metafile_ = true;
    // The metafile maps our 300-dpi pixels onto the page.
    SetMapMode(dc_, MM_ANISOTROPIC);
    SetWindowExtEx(dc_, pageWidth_, pageHeight_, nullptr);
    const int hmm = GetDeviceCaps(dc_, HORZSIZE), vmm = GetDeviceCaps(dc_, VERTSIZE);
    const int hres = GetDeviceCaps(dc_, HORZRES), vres = GetDeviceCaps(dc_, VERTRES);
    SetViewportExtEx(dc_, hmm > 0 ? 210 * hres / hmm : pageWidth_, vmm > 0 ? 297 * vres / vmm : pageHeight_, nullptr);
  } else {
    const std::string name = DefaultPrinterName();
    if (name.empty())
      throw EPrinter("Il n'y a pas d'imprimante par d\xC3\xA9"
                     "faut actuellement s\xC3\xA9lectionn\xC3\xA9"
                     "e");
    dc_ = CreateDCW(L"WINSPOOL", Wide(name).c_str(), nullptr, nullptr);
    if (!dc_)
      throw EPrinter("Imprimante s\xC3\xA9lectionn\xC3\xA9"
                     "e non valide : " +
                     name);
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title.c_str();
    if (StartDocW(dc_, &info) <= 0) {
      const DWORD error = GetLastError();
      Release();
      throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
    }
    if (StartPage(dc_) <= 0) {
      const DWORD error = GetLastError();
      AbortDoc(dc_);
      Release();
      throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
    }
    pageWidth_ = GetDeviceCaps(dc_, HORZRES);
    pageHeight_ = GetDeviceCaps(dc_, VERTRES);
    dpiX_ = GetDeviceCaps(dc_, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(dc_, LOGPIXELSY);
    metafile_ = false;
  }
  canvas_.SetHandle(dc_);
  canvas_.Font() = TFont();
  // Points on paper: the canvas font follows the device's resolution.
  canvas_.Font().SetHeight(-MulDiv(8, dpiY_, 72));
}

void TPrinter::NewPage() {
  if (!dc_)
    throw EPrinter("Pas d'impression en cours");
  if (metafile_)
    return;
  EndPage(dc_);
  StartPage(dc_);
}

void TPrinter::EndDoc() {
  if (!dc_)
    throw EPrinter("Pas d'impression en cours");
  if (metafile_) {
    canvas_.SetHandle(nullptr);
    HENHMETAFILE file = CloseEnhMetaFile(dc_);
    dc_ = nullptr;
    if (!file)
      RaiseLastOSError("CloseEnhMetaFile " + redirect_);
    DeleteEnhMetaFile(file);
    return;
  }
  const bool ended = EndPage(dc_) > 0 && ::EndDoc(dc_) > 0;
  const DWORD error = GetLastError();
  Release();
  if (!ended)
    throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
}

void TPrinter::Abort() {
  if (!dc_)
    return;
  if (metafile_) {
    canvas_.SetHandle(nullptr);
    if (HENHMETAFILE file = CloseEnhMetaFile(dc_))
      DeleteEnhMetaFile(file);
    dc_ = nullptr;
    DeleteFileW(Wide(redirect_).c_str());
    return;
  }
  AbortDoc(dc_);
  Release();
}

void TPrinter::Release() {
  canvas_.SetHandle(nullptr);
  if (dc_)
    DeleteDC(dc_);
  dc_ = nullptr;
}

} // namespace zorvex
