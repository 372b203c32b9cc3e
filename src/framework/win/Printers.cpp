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
  if (Printing())
    throw EPrinter("Impression en cours");
  const std::wstring title = Wide(title_);
  if (!redirect_.empty()) {
    // An A4 page, 210 x 297 mm, at 300 dots per inch.
    dpiX_ = dpiY_ = 300;
    pageWidth_ = 2480;
    pageHeight_ = 3508;
    RECT frame{0, 0, 21000, 29700}; // hundredths of a millimetre
    metafileDC_.reset(CreateEnhMetaFileW(nullptr, Wide(redirect_).c_str(), &frame, title.c_str()));
    if (!metafileDC_)
      RaiseLastOSError("CreateEnhMetaFile " + redirect_);
    const HDC dc = metafileDC_.get();
    // The metafile maps our 300-dpi pixels onto the page.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, pageWidth_, pageHeight_, nullptr);
    const int hmm = GetDeviceCaps(dc, HORZSIZE), vmm = GetDeviceCaps(dc, VERTSIZE);
    const int hres = GetDeviceCaps(dc, HORZRES), vres = GetDeviceCaps(dc, VERTRES);
    SetViewportExtEx(dc, hmm > 0 ? 210 * hres / hmm : pageWidth_, vmm > 0 ? 297 * vres / vmm : pageHeight_, nullptr);
  } else {
    const std::string name = DefaultPrinterName();
    if (name.empty())
      throw EPrinter("Il n'y a pas d'imprimante par d\xC3\xA9"
                     "faut actuellement s\xC3\xA9lectionn\xC3\xA9"
                     "e");
    printerDC_.reset(CreateDCW(L"WINSPOOL", Wide(name).c_str(), nullptr, nullptr));
    if (!printerDC_)
      throw EPrinter("Imprimante s\xC3\xA9lectionn\xC3\xA9"
                     "e non valide : " +
                     name);
    const HDC dc = printerDC_.get();
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title.c_str();
    if (StartDocW(dc, &info) <= 0) {
      const DWORD error = GetLastError();
      Release();
      throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
    }
    if (StartPage(dc) <= 0) {
      const DWORD error = GetLastError();
      AbortDoc(dc);
      Release();
      throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
    }
    pageWidth_ = GetDeviceCaps(dc, HORZRES);
    pageHeight_ = GetDeviceCaps(dc, VERTRES);
    dpiX_ = GetDeviceCaps(dc, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(dc, LOGPIXELSY);
  }
  canvas_.SetHandle(Handle());
  canvas_.Font() = TFont();
  // Points on paper: the canvas font follows the device's resolution.
  canvas_.Font().SetHeight(-MulDiv(8, dpiY_, 72));
}

void TPrinter::NewPage() {
  if (!Printing())
    throw EPrinter("Pas d'impression en cours");
  if (metafileDC_)
    return;
  EndPage(printerDC_.get());
  StartPage(printerDC_.get());
}

void TPrinter::EndDoc() {
  if (!Printing())
    throw EPrinter("Pas d'impression en cours");
  if (metafileDC_) {
    canvas_.SetHandle(nullptr);
    HENHMETAFILE file = CloseEnhMetaFile(metafileDC_.release());
    if (!file)
      RaiseLastOSError("CloseEnhMetaFile " + redirect_);
    DeleteEnhMetaFile(file);
    return;
  }
  const HDC dc = printerDC_.get();
  const bool ended = EndPage(dc) > 0 && ::EndDoc(dc) > 0;
  const DWORD error = GetLastError();
  Release();
  if (!ended)
    throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
}

void TPrinter::Abort() {
  if (!Printing())
    return;
  if (metafileDC_) {
    canvas_.SetHandle(nullptr);
    metafileDC_.reset();
    DeleteFileW(Wide(redirect_).c_str());
    return;
  }
  AbortDoc(printerDC_.get());
  Release();
}

void TPrinter::Release() {
  canvas_.SetHandle(nullptr);
  printerDC_.reset();
}

} // namespace zorvex
