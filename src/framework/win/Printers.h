#pragma once
// TPrinter: the default printer, one document at a time, drawn on a canvas.

#include <string>

#include <windows.h>

#include "Graphics.h"
#include "framework/core/Exceptions.h"

namespace zorvex {

class EPrinter : public Exception {
  using Exception::Exception;
};

class TPrinter {
public:
  TPrinter() = default;
  ~TPrinter();
  TPrinter(const TPrinter &) = delete;
  TPrinter &operator=(const TPrinter &) = delete;

  // The default printer's name; empty when there is none.
  static std::string DefaultPrinterName();

  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &title) { title_ = title; }
  // Starts a document on the default printer (or into the redirect file);
  // throws EPrinter when there is no printer or it refuses the job.
  void BeginDoc();
  void NewPage();
  void EndDoc();
  // Drops the document being printed.
  void Abort();
  bool Printing() const { return Handle() != nullptr; }
  // Starts each document with an 8-point font for the device; give font
  // sizes on paper as heights: -MulDiv(points, PixelsPerInchY(), 72).
  TCanvas &Canvas() { return canvas_; }
  // Printable area in device pixels, and the device's resolution.
  int PageWidth() const { return pageWidth_; }
  int PageHeight() const { return pageHeight_; }
  int PixelsPerInchX() const { return dpiX_; }
  int PixelsPerInchY() const { return dpiY_; }

  // Documents go into this enhanced metafile instead of a printer (an A4
  // page at 300 dots per inch), for tests and previews; empty for the printer.
  void SetRedirectFile(const std::string &path) { redirect_ = path; }
  const std::string &RedirectFile() const { return redirect_; }

private:
  HDC Handle() const { return printerDC_ ? printerDC_.get() : metafileDC_.get(); }
  void Release();
  std::string title_;
  std::string redirect_;
  OwnedDC printerDC_;
  OwnedMetafileDC metafileDC_;
  TCanvas canvas_;
  int pageWidth_ = 0, pageHeight_ = 0, dpiX_ = 0, dpiY_ = 0;
};

// The program's printer object.
TPrinter &Printer();

} // namespace zorvex
