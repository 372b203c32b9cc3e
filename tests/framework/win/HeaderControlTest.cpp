#include "framework/win/HeaderControl.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class HeaderControlTest : public FormTest {};

int WindowWidth(HWND header, int index) {
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.cxy;
}

TEST_F(HeaderControlTest, SectionsAreClickedAndSizedWithinTheirLimits) {
  auto *header = Add<THeaderControl>(10, 10, 400, 20);
  THeaderSection *name = header->Sections().Add();
  name->SetText("Name");
  name->SetWidth(100);
  name->SetMaxWidth(150);
  THeaderSection *size = header->Sections().Add();
  size->SetText("Size");
  size->SetAllowClick(false);
  std::vector<std::string> clicked;
  int resized = 0;
  header->OnSectionClick = [&](THeaderControl *, THeaderSection *section) { clicked.push_back(section->Text()); };
  header->OnSectionResize = [&](THeaderControl *, THeaderSection *) { ++resized; };
  form->Show();
  ASSERT_EQ(SendMessageW(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(WindowWidth(header->Handle(), 0), 100);
  EXPECT_EQ(size->Left(), 100);

  Click(*header, 50, 10);
  Click(*header, 120, 10); // takes no clicks
  EXPECT_EQ(clicked, std::vector<std::string>{"Name"});

  Drag(*header, POINT{100, 10}, POINT{300, 10}); // the border past the limit
  EXPECT_EQ(name->Width(), 150);
  EXPECT_EQ(WindowWidth(header->Handle(), 0), 150);
  EXPECT_EQ(resized, 1);
  size->SetWidth(70);
  EXPECT_EQ(WindowWidth(header->Handle(), 1), 70);
}

} // namespace
