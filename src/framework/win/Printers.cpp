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

std::string TPrinter::RedirectPageFile(int page) const {
  if (page <= 1)
    return redirect_;
  const size_t dot = redirect_.rfind('.');
  const size_t slash = redirect_.find_last_of("\\/");
  const size_t stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? dot : redirect_.size();
  return redirect_.substr(0, stem) + "-" + std::to_string(page) + redirect_.substr(stem);
}

void TPrinter::StartMetafilePage() {
  // An A4 page, 210 x 297 mm, at 300 dots per inch.
  RECT frame{0, 0, 21000, 29700}; // hundredths of a millimetre
  const std::string path = RedirectPageFile(page_);
  dc_ = CreateEnhMetaFileW(nullptr, Wide(path).c_str(), &frame, Wide(title_).c_str());
  if (!dc_) {
    const DWORD error = GetLastError();
    throw EPrinter("Impression impossible : " + path + " : " + SystemErrorMessage(error));
  }
  metafile_ = true;
  // The metafile maps our 300-dpi pixels onto the page.
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetWindowExtEx(dc_, pageWidth_, pageHeight_, nullptr);
  const int hmm = GetDeviceCaps(dc_, HORZSIZE), vmm = GetDeviceCaps(dc_, VERTSIZE);
  const int hres = GetDeviceCaps(dc_, HORZRES), vres = GetDeviceCaps(dc_, VERTRES);
  SetViewportExtEx(dc_, hmm > 0 ? 210 * hres / hmm : pageWidth_, vmm > 0 ? 297 * vres / vmm : pageHeight_, nullptr);
  canvas_.SetHandle(dc_);
}

bool TPrinter::CloseMetafilePage() {
  canvas_.SetHandle(nullptr);
  HENHMETAFILE file = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  if (!file)
    return false;
  DeleteEnhMetaFile(file);
  return true;
}

void TPrinter::BeginDoc() {
  if (dc_)
    throw EPrinter("Impression en cours");
  if (!redirect_.empty()) {
    dpiX_ = dpiY_ = 300;
    pageWidth_ = 2480;
    pageHeight_ = 3508;
    page_ = 1;
    StartMetafilePage();
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
    const std::wstring title = Wide(title_);
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
    canvas_.SetHandle(dc_);
  }
  canvas_.Font() = TFont();
  // Points on paper: the canvas font follows the device's resolution.
  canvas_.Font().SetHeight(-MulDiv(8, dpiY_, 72));
}

void TPrinter::NewPage() {
  if (!dc_)
    throw EPrinter("Pas d'impression en cours");
  if (metafile_) {
    // The canvas keeps its font, pen and brush for the next page's device.
    if (!CloseMetafilePage())
      RaiseLastOSError("CloseEnhMetaFile " + RedirectPageFile(page_));
    ++page_;
    StartMetafilePage();
    return;
  }
  if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) {
    const DWORD error = GetLastError();
    throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
  }
}

void TPrinter::EndDoc() {
  if (!dc_)
    throw EPrinter("Pas d'impression en cours");
  if (metafile_) {
    metafile_ = false; // the pages stay: the document is done
    if (!CloseMetafilePage())
      RaiseLastOSError("CloseEnhMetaFile " + RedirectPageFile(page_));
    return;
  }
  const bool ended = EndPage(dc_) > 0 && ::EndDoc(dc_) > 0;
  const DWORD error = GetLastError();
  Release();
  if (!ended)
    throw EPrinter("Impression impossible : " + SystemErrorMessage(error));
}

void TPrinter::Abort() {
  if (metafile_) {
    if (dc_)
      CloseMetafilePage();
    metafile_ = false;
    for (int page = 1; page <= page_; ++page)
      DeleteFileW(Wide(RedirectPageFile(page)).c_str());
    page_ = 0;
    return;
  }
  if (!dc_)
    return;
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
