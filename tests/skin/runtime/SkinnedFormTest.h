#pragma once
// A framework form whose controls the skin runtime skins at once, on one of
// the skins the build paints: the fixture of the control skinners' tests.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BuiltSkins.h"
#include "framework/win/Capture.h"
#include "framework/win/Forms.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "support/GuiTest.h"

namespace zorvex::test {

class SkinnedFormTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    InstallSkinRuntime();
    skin_ = std::make_unique<TSkinData>(nullptr);
    LoadSkin(2);
    manager_ = RuntimeSkinManager();
    ASSERT_NE(manager_, nullptr);
  }
  void TearDown() override {
    delete form;
    form = nullptr;
    skin_.reset();
    DestroySkinManager();
    FormTest::TearDown();
  }
  static std::vector<std::string> Packages() { return SkinPackages(); }
  void LoadSkin(size_t index) {
    skin_->LoadFromFile(Packages().at(index));
    ASSERT_FALSE(skin_->SkinLoading());
    skin_->Loaded();
  }
  // Shows the form and skins it and its controls now, as the timer would.
  void SkinNow() {
    form->Show();
    ProcessMessages();
    skin_->SetActive(true);
    manager_->OnTimer();
    ASSERT_TRUE(WaitFor([&] {
      TWinSkinForm *skinner = manager_->FindSkinForm(form->WindowHandle());
      return skinner && skinner->State() == SkinState::Active;
    }));
    ProcessMessages();
  }
  // The control's skinner of that kind, or null.
  template <typename Skinner> static Skinner *SkinnerOf(TControl &control) {
    for (int i = 0; i < control.ComponentCount(); ++i)
      if (auto *skinner = dynamic_cast<Skinner *>(control.Components(i)))
        return skinner;
    return nullptr;
  }
  // Counts what reaches the application's exception handler meanwhile.
  struct ExceptionCounter {
    ExceptionCounter() {
      previous = TestApplication().OnException;
      TestApplication().OnException = [this](TObject *, const Exception &) { ++count; };
    }
    ~ExceptionCounter() { TestApplication().OnException = previous; }
    TExceptionEvent previous;
    int count = 0;
  };

  std::unique_ptr<TSkinData> skin_;
  TSkinManage *manager_ = nullptr;
};

} // namespace zorvex::test
