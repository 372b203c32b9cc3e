#include "framework/win/UpDown.h"

#include <gtest/gtest.h>

#include "framework/win/StdCtrls.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class UpDownTest : public FormTest {};

TEST_F(UpDownTest, TheButtonsTakePartOfTheirEditOnceAndStepItsNumber) {
  auto *edit = Add<TEdit>(10, 10, 80, 21);
  auto *updown = Add<TUpDown>(0, 0, 17, 21);
  updown->SetMax(10);
  updown->SetIncrement(2);
  updown->SetPosition(4);
  updown->SetAssociate(edit);
  std::vector<TUDBtnType> clicks;
  bool allow = true;
  updown->OnChanging = [&](TObject *, bool &allowChange) { allowChange = allow; };
  updown->OnClick = [&](TObject *, TUDBtnType button) { clicks.push_back(button); };
  form->Show();
  const int taken = updown->Width();
  EXPECT_EQ(edit->Width(), 80 - taken);
  EXPECT_EQ(updown->Left(), 10 + edit->Width());
  EXPECT_EQ(edit->Text(), "4");

  edit->SetText("7"); // as typed
  EXPECT_EQ(updown->Position(), 7);
  edit->SetText("seven");
  EXPECT_EQ(updown->Position(), 7);

  updown->SetPosition(4);
  Click(*updown, updown->Width() / 2, updown->Height() / 4); // the upper arrow
  EXPECT_EQ(updown->Position(), 6);
  EXPECT_EQ(edit->Text(), "6");
  allow = false;
  Click(*updown, updown->Width() / 2, updown->Height() * 3 / 4);
  EXPECT_EQ(updown->Position(), 6);
  EXPECT_EQ(clicks, std::vector<TUDBtnType>{TUDBtnType::btNext});

  // Made again on the other side, the buttons take their part only once.
  updown->SetAlignButton(TUDAlignButton::udLeft);
  EXPECT_EQ(edit->Width(), 80 - taken);
  EXPECT_EQ(updown->Left(), 10);
  EXPECT_EQ(edit->Left(), 10 + taken);

  delete edit;
  EXPECT_EQ(updown->Associate(), nullptr);
  allow = true;
  Click(*updown, updown->Width() / 2, updown->Height() / 4);
  EXPECT_EQ(updown->Position(), 8);
}

} // namespace
