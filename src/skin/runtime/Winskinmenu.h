#pragma once
// Menus drawn by the skin: the popup menu windows the system opens (their
// frame and background), the owner-drawn items of the framework's menus
// (the skin's menu item picture behind each item, glyphs, check marks,
// separators), and the menu bar of a skinned window, drawn in the strip
// under its title bar, with a keyboard-aware menu loop.

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "Winskinform.h"
#include "framework/core/Bitmap.h"
#include "framework/win/Subclass.h"

namespace zorvex {

class TCanvas;
class TForm;
class TMenuItem;
class TMainMenu;
class TSkinData;

// ---- Popup menu windows

class TWinSkinPopMenu {
public:
  TWinSkinPopMenu() = default;
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu &) = delete;
  TWinSkinPopMenu &operator=(const TWinSkinPopMenu &) = delete;

  // Subclasses the menu window.
  void InitSkin(HWND menuWindow, TSkinData *skinData, int mode);
  void UnSubClass();

  HWND MenuWindow() const { return menuWindow_; }
  HMENU Menu = nullptr;        // given by the manager (SetHMenu); not owned
  bool OwnerDrawItems = false; // the menu shows owner-drawn framework items
  // The frame as last painted (window size); empty before the first paint.
  const TBitmap &FrameBitmap() const { return frame_; }

private:
  LRESULT WinWndProc(TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam);
  bool MakeFrame();
  void NcPaint();
  LRESULT WMPrint(WPARAM wParam, LPARAM lParam);
  LRESULT WMPrintClient(WPARAM wParam, LPARAM lParam);
  LRESULT WMERASEBKGND(WPARAM wParam, LPARAM lParam);

  TWindowSubclass subclass_;
  HWND menuWindow_ = nullptr;     // not owned
  TSkinData *skinData_ = nullptr; // not owned
  int mode_ = 0;
  TBitmap frame_;
};

// ---- Owner-drawn items

// The framework's size of an item, widened for the skin's picture and the
// glyph column.
void MeasureItem(TMenuItem &item, TCanvas &canvas, int &width, int &height);
// The same for the skin's own system menu.
void MeasureItemPop(TMenuItem &item, TCanvas &canvas, int &width, int &height);
// An item over the skin's menu item picture (frame 1, 4 when selected) or a
// separator line (frame 2); the framework's own drawing without a picture.
void DrawMenuItem(TMenuItem &item, TCanvas &canvas, const RECT &rect, bool selected);
// The glyph column (image, check mark), the caption and the shortcut.
void DrawItemText(TMenuItem &item, HDC dc, const TRect &rect, bool selected, TSkinData *skinData);

// Makes the form's popup menus (and, with menu items in the skin's control
// set, its main menu's items) owner-drawn by the skin, or normal again.
void InitFormMenus(TForm &form, TSkinData &skinData, bool on);
void InitPopMenu(TForm &form, TSkinData &skinData, bool on);
void InitMainMenu(TForm &form, TSkinData &skinData, bool on);
void InitToolbarMenu(TMenuItem &item, TSkinData &skinData, bool on);

// WM_MEASUREITEM and WM_DRAWITEM of a foreign window's owner-drawn menu
// items: false (not handled) unless they are framework items.
bool HandleForeignMenuItem(TWinSkinForm &form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

// ---- The menu bar

class TWinSkinMenu;

class TMenuBtn : public TNCObject {
public:
  TMenuBtn(TWinSkinForm &form, TWinSkinMenu &bar) : TNCObject(form), bar_(bar) {}
  void Draw() override;

  int Index = 0;
  std::wstring Caption;
  HMENU SubMenu = nullptr; // not owned; null without children
  UINT Command = 0;
  TMenuItem *Item = nullptr; // the framework's item, when there is one

private:
  TWinSkinMenu &bar_;
};

class TWinSkinMenu : public TComponent {
public:
  TWinSkinMenu(TComponent *owner, TWinSkinForm &form);
  ~TWinSkinMenu() override;
  std::string ClassName() const override { return "TWinSkinMenu"; }

  // Rebuilds the buttons from the window's menu and takes the menu bar off
  // the window (the skin draws it).
  void UpdataBtn();
  // The same from a new MDI frame menu.
  void UpdataBtn2(HMENU menu);
  // Puts the real menu bar back.
  void RestoreMenu();
  // Paints the strip (window coordinates) on the window's device context.
  void DrawMenu(HDC dc, const TRect &strip);
  TMenuBtn *FindBtn(POINT windowPoint);
  // Opens a button's menu and runs the menu loop until it closes; the arrow
  // keys and the mouse go on to the other buttons' menus.
  void CheckMenu(TMenuBtn &button);
  // Alt+character: clicks the enabled button with that accelerator.
  bool CMDialogChar(wchar_t character);
  // The system's keyboard menu (Alt alone, or Alt+letter).
  void KeyMenu(wchar_t character);
  // The bar's background under `rect` (window coordinates) into piece.
  void CopyBackground(TBitmap &piece, const TRect &rect) const;
  // Clicks a button through the normal mouse path (posted).
  void ClickButton(TMenuBtn &button);
  // The screen point of a point in window coordinates (those of the
  // buttons' rectangles).
  POINT ScreenPoint(POINT windowPoint) const;
  // WM_MENUSELECT of the form while a menu of the bar is open.
  void MenuSelect(WPARAM wParam, LPARAM lParam);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TMenuBtn &Button(int index) { return *buttons_.at(static_cast<size_t>(index)); }
  HMENU Menu() const { return menu_; }
  int OpenIndex() const;

private:
  friend class TMenuBtn;
  void Rebuild(HMENU menu);
  void Layout(const TRect &strip, HDC dc);
  // Shows one button's menu until it closes; the button whose menu comes
  // next, or -1.
  int TrackButton(TMenuBtn &button);
  void DrawButton(HDC dc, TMenuBtn &button);

  TWinSkinForm &form_;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  HMENU menu_ = nullptr; // not owned: the window's (or the framework's)
  TBitmap background_;   // the strip without buttons, window coordinates at origin
  TRect strip_;
  OwnedFont font_;
};

} // namespace zorvex
