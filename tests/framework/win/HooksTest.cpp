#include "framework/win/Hooks.h"

#include <gtest/gtest.h>

#include "framework/win/StdCtrls.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

using HooksTest = GuiTest;

// What a CBT hook saw of each window created: its class and the control
// FindControl gave for it right then.
struct Creation {
  std::string className;
  TControl *control;
};

THook::Procedure RecordCreations(std::vector<Creation> &seen) {
  return [&seen](THook &hook, int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const HWND window = reinterpret_cast<HWND>(wParam);
      seen.push_back({WindowClass(window), FindControl(window)});
    }
    return hook.CallNext(code, wParam, lParam);
  };
}

TEST_F(HooksTest, ACbtHookFindsTheControlOfAWindowBeingCreatedWhicheverHookRunsFirst) {
  std::vector<Creation> first, second;
  THook older(THookKind::Cbt, RecordCreations(first));
  THook newer(THookKind::Cbt, RecordCreations(second)); // runs before `older`
  TForm form(nullptr);
  auto *edit = new TEdit(&form);
  edit->SetParent(&form);
  form.HandleNeeded();
  for (const auto *seen : {&first, &second}) {
    ASSERT_EQ(seen->size(), 2u);
    EXPECT_EQ((*seen)[0].className, "TForm");
    EXPECT_EQ((*seen)[0].control, &form);
    EXPECT_EQ((*seen)[1].className, "TEdit");
    EXPECT_EQ((*seen)[1].control, edit);
  }
}

TEST_F(HooksTest, AFailingHookProcedureReportsAndPassesTheCallOn) {
  std::vector<std::string> errors;
  Application->OnException = [&](TObject *, const Exception &error) { errors.push_back(error.Message()); };
  std::vector<Creation> seen;
  THook below(THookKind::Cbt, RecordCreations(seen));
  THook failing(THookKind::Cbt, [](THook &, int code, WPARAM, LPARAM) -> LRESULT {
    if (code == HCBT_CREATEWND)
      throw Exception("hook failed");
    return 0;
  });
  TForm form(nullptr);
  form.HandleNeeded();
  Application->OnException = nullptr;
  EXPECT_TRUE(IsWindow(form.WindowHandle())); // the creation was not refused
  EXPECT_EQ(errors, std::vector<std::string>{"hook failed"});
  EXPECT_EQ(seen.size(), 1u); // and the next hook saw it
}

TEST_F(HooksTest, AHookMayRemoveItselfFromItsOwnCall) {
  const GuiObjectCounts before = LiveGuiObjects();
  std::unique_ptr<THook> hook;
  hook = std::make_unique<THook>(THookKind::Cbt, [&hook](THook &self, int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = self.CallNext(code, wParam, lParam);
    if (code == HCBT_CREATEWND)
      hook.reset();
    return result;
  });
  EXPECT_EQ(LiveGuiObjects().User, before.User + 1);
  TForm form(nullptr);
  form.HandleNeeded();
  EXPECT_EQ(hook, nullptr);
  EXPECT_EQ(LiveGuiObjects().User, before.User);
}

} // namespace
