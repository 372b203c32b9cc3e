#pragma once
// The skin runtime's private window messages. Their numbers are fixed:
// programs opt out of skinning and react to caption buttons through them.

#include <windows.h>

namespace zorvex {

// Re-applies the skin (through a framework form's own window procedure).
constexpr UINT CN_SkinChange = 0x3401; // 13313
// Repaints the non-client area.
constexpr UINT CN_SkinUpdateNc = 0x3502; // 13570
// Posted once a skinner is attached (wParam 0, lParam 1000): the skinner
// skins the controls and lays the window out.
constexpr UINT CN_SkinActive = 0x3503; // 13571
// wParam > 0 turns a control skinner's drawing on, 0 off.
constexpr UINT CN_SkinEnable = 0x3506; // 13574
// Posted with wParam = the Action of a caption button that has no built-in
// meaning.
constexpr UINT CN_SkinButtonAction = 0x3514; // 13588
// Sent with wParam = a caption button's index: a positive answer shows a
// button whose visibility code lies between 1000 and 2000.
constexpr UINT CN_SkinButtonVisible = 0x3515; // 13589
// Posted to an MDI client: redraws the MDI main form.
constexpr UINT CN_SkinRedrawMDI = 0x3516; // 13590
// Sent before a window is skinned: every skinner answers 1, and so does a
// window that wants to keep its own look.
constexpr UINT CN_IsSkinned = 0x3523; // 13603

// A framework form whose Tag is this value is never skinned.
constexpr int NoSkinTag = 99;

} // namespace zorvex
