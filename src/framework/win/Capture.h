#pragma once
// Pictures of windows as they are on screen, for tests and for people to
// look at.

#include <string>

#include <windows.h>

#include "Graphics.h"

namespace zorvex {

// The window as drawn, frame included when `withFrame` (the frame is what the
// system or the skin painted; a system without a window manager may leave
// it blank). Pending paints are done first.
TDibBitmap CaptureWindow(HWND window, bool withFrame = true);

// Saves a picture as PNG, or as BMP when the name ends in ".bmp"; throws
// EFOpenError or EWriteError when the file cannot be written.
void SaveImage(const TDibBitmap &picture, const std::string &path);
void SaveWindowImage(HWND window, const std::string &path, bool withFrame = true);

} // namespace zorvex
