#include "skin/runtime/SkinEdits.h"

#include "SkinnedFormTest.h"
#include "framework/core/BitmapDraw.h"
#include "framework/win/ComboBox.h"
#include "framework/win/StdCtrls.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class SkinEditsTest : public SkinnedFormTest {
protected:
  HWND Foreign(const wchar_t *className, DWORD style, DWORD exStyle, int top) {
    HWND window = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 220, top, 150, 120,
                                  form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    return window;
  }
  TWinSkinForm &FormSkinner() { return *manager_->FindSkinForm(form->WindowHandle()); }
  // The skin's combo box picture of that frame over the whole window,
  // magenta where the control's own field shows.
  TBitmap ComboPicture(HWND window, int frame) {
    RECT r{};
    GetWindowRect(window, &r);
    const TDataSkinObject &combo = *skin_->Slot(TSkinSlot::ComboButton);
    TBitmap picture(r.right - r.left, r.bottom - r.top);
    picture.Fill(clFuchsia);
    DrawNineSlice(picture, {0, 0, picture.Width(), picture.Height()}, combo.Image, combo.FrameOf(frame),
                  combo.Margins(), combo.Tile != 0, clFuchsia);
    return picture;
  }
  // How many of the picture's own pixels the screen does not show.
  int Mismatches(HWND window, const TBitmap &expected) {
    const TDibBitmap shot = CaptureWindow(window, true);
    int wrong = 0;
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < expected.Width(); ++x)
        if (expected.GetPixel(x, y) != clFuchsia && Shot(shot, x, y) != expected.GetPixel(x, y))
          ++wrong;
    return wrong;
  }
  void ExpectFlatFrame(HWND window) {
    const TDibBitmap shot = CaptureWindow(window, true);
    const int w = shot.Width(), h = shot.Height();
    const TColor frame = ColorToRGB(skin_->Colors(csButtonShadow));
    for (POINT p : {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, 0}, POINT{w / 2, h - 1}})
      EXPECT_EQ(Shot(shot, p.x, p.y), frame) << p.x << "," << p.y;
    EXPECT_EQ(Shot(shot, 1, h / 2), clWhite);
    EXPECT_EQ(Shot(shot, w / 2, h - 2), clWhite);
  }
};

} // namespace

TEST_F(SkinEditsTest, FrameworkAndForeignEditsGetAFlatFrameOverTheirBorder) {
  auto *edit = Add<TEdit>(20, 20, 150, 23);
  edit->SetText("framed");
  HWND foreign = Foreign(L"EDIT", 0, WS_EX_CLIENTEDGE, 20);
  SetWindowPos(foreign, nullptr, 0, 0, 150, 23, SWP_NOMOVE | SWP_NOZORDER);
  SkinNow();
  ASSERT_NE(SkinnerOf<TSkinEdit>(*edit), nullptr);
  TSkinControl *foreignSkinner = AddForeignControl(FormSkinner(), foreign);
  ASSERT_NE(foreignSkinner, nullptr);
  EXPECT_EQ(foreignSkinner->ClassName(), "TSkinEdit");
  ProcessMessages();
  ExpectFlatFrame(edit->WindowHandle());
  ExpectFlatFrame(foreign);

  // The frame stays on through focus changes, which repaint the edit.
  edit->SetFocus();
  ProcessMessages();
  ExpectFlatFrame(edit->WindowHandle());
}

TEST_F(SkinEditsTest, ComboBoxesShowTheSkinsFieldAndButtonByState) {
  auto *combo = Add<TComboBox>(20, 60, 160, 24);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->Items().Add("one");
  combo->Items().Add("two");
  combo->SetItemIndex(0);
  auto *disabled = Add<TComboBox>(20, 110, 160, 24);
  disabled->SetEnabled(false);
  HWND foreign = Foreign(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 160);
  SkinNow();
  ASSERT_NE(SkinnerOf<TSkinComBox>(*combo), nullptr);
  TSkinControl *foreignSkinner = AddForeignControl(FormSkinner(), foreign);
  ASSERT_NE(foreignSkinner, nullptr);
  EXPECT_EQ(foreignSkinner->ClassName(), "TSkinComBox");
  ProcessMessages();

  // The frames differ where the test looks, or it could not tell them apart.
  const HWND window = combo->WindowHandle();
  ASSERT_GT(Mismatches(window, ComboPicture(window, 4)), 0);
  EXPECT_EQ(Mismatches(window, ComboPicture(window, 1)), 0);
  EXPECT_EQ(Mismatches(disabled->WindowHandle(), ComboPicture(disabled->WindowHandle(), 4)), 0);
  EXPECT_EQ(Mismatches(foreign, ComboPicture(foreign, 1)), 0);

  // The list open shows the pressed frame; closed, the normal one again.
  combo->SetDroppedDown(true);
  ProcessMessages();
  EXPECT_EQ(Mismatches(window, ComboPicture(window, 3)), 0);
  combo->SetDroppedDown(false);
  ProcessMessages();
  EXPECT_EQ(Mismatches(window, ComboPicture(window, 1)), 0);

  // The item's text is the control's own, drawn inside the skin's field.
  const TDibBitmap shot = CaptureWindow(window, true);
  const TBitmap picture = ComboPicture(window, 1);
  int own = 0;
  for (int x = 0; x < picture.Width(); ++x)
    if (picture.GetPixel(x, picture.Height() / 2) == clFuchsia && Shot(shot, x, picture.Height() / 2) != clWhite)
      ++own;
  EXPECT_GT(own, 0);
}
