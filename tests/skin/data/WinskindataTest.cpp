#include "skin/data/Winskindata.h"

#include "SkinPackages.h"
#include "framework/core/Filer.h"
#include "framework/core/Notices.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/Winconvert.h"
#include "skin/data/Winskinstore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace zorvex;
using zorvex::test::BmpFile;
using zorvex::test::BmpHeadersOnly;
using zorvex::test::SkinPackage;

namespace {

TMemoryStream FullSkin() { return SkinPackage(test::FullSkinIni(), test::FullSkinPictures()); }

// A skin with only a title and one slot, to load over the full one.
TMemoryStream SmallSkin() {
  return SkinPackage("[TitlebarSkin]\nSkinName=Small\n[Colours]\nButtonFace=1 2 3\n[MenuItem]\nImage=item.bmp\n",
                     {{"item.bmp", BmpFile(50, 10)}});
}

// The data objects of a skin as plain facts, to compare two loads.
std::vector<const void *> Objects(const TSkinData &data) {
  std::vector<const void *> all;
  for (int i = 0; i < SkinSlotCount; ++i)
    all.push_back(data.Slot(static_cast<TSkinSlot>(i)));
  for (const auto &button : data.SysButtons())
    all.push_back(button.get());
  return all;
}

} // namespace

TEST(SkinData, ColourTextIsReadAsUpToThreeNumbers) {
  EXPECT_EQ(strcolor("255, 0, 0"), clRed);
  EXPECT_EQ(strcolor(" 255 0 0 "), clRed);
  EXPECT_EQ(strcolor("300,0,0"), MakeColor(44, 0, 0));
  EXPECT_EQ(strcolor("12"), clBlack);
  EXPECT_EQ(strcolor("1a2b3"), MakeColor(1, 2, 3)); // letters separate
  EXPECT_EQ(strcolor("1 2"), MakeColor(1, 0, 0));   // a second number ending the text is dropped
  EXPECT_EQ(strcolor("99999999999 5 6 7"), MakeColor(5, 6, 7));
  EXPECT_EQ(strcolor("1 2 3 4"), MakeColor(1, 2, 3));
}

TEST(SkinData, NewComponentHasTheDefaultSetsAndList) {
  TSkinData data;
  EXPECT_EQ(data.SkinControls().Count(), 20);
  EXPECT_FALSE(data.SkinControls().Contains(TSkinControlType::xcMenuItem));
  EXPECT_FALSE(data.SkinControls().Contains(TSkinControlType::xcFastReport));
  EXPECT_EQ(data.SkinControls().Bits(), 0x1FFFFBu);
  EXPECT_EQ(data.Options(), TSkinOptions{TSkinOption::xoPreview});
  EXPECT_EQ(data.Containers().Bits(), 0x3FFu);
  ASSERT_EQ(data.Skin3rd()->Count(), 117);
  EXPECT_GE(data.Skin3rd()->IndexOf("TAdvPageControl=nil"), 0);
  EXPECT_EQ(data.Skin3rd()->Get(47), data.Skin3rd()->Get(46)); // a line that is there twice
  EXPECT_TRUE(data.SkinLoading());
  TStringList empty;
  data.SetControlList(&empty);
  EXPECT_EQ(data.Skin3rd()->Count(), 0);
}

TEST(SkinData, LoadsEverySectionOfASkin) {
  TSkinData data;
  TMemoryStream package = FullSkin();
  data.LoadFromStream(&package);
  EXPECT_FALSE(data.SkinLoading());
  EXPECT_EQ(data.SkinName(), "Test Grey");

  // Colours: given ones, the platform's for the rest, menu bar after the face.
  EXPECT_EQ(data.Colors(csButtonFace), MakeColor(211, 211, 211));
  EXPECT_EQ(data.Colors(csMenuBar), MakeColor(211, 211, 211));
  EXPECT_EQ(data.Colors(csHilight), SkinPlatform().SystemColor(13));
  EXPECT_EQ(data.ExtraColors(), (std::vector<TColor>{MakeColor(10, 20, 30), SkinPlatform().SystemColor(8)}));
  EXPECT_EQ(data.CustomColors()[3], MakeColor(1, 1, 1));
  EXPECT_EQ(data.CustomColors()[4], clWhite);
  TColor extra = 0;
  EXPECT_TRUE(data.GetPrecolor(extra, 0));
  EXPECT_EQ(extra, MakeColor(10, 20, 30));
  EXPECT_FALSE(data.GetPrecolor(extra, 2));

  // Borders: margins by side, frames and stretch from the keys.
  EXPECT_EQ(data.Left().TopHeight, 30);
  EXPECT_EQ(data.Left().BottomHeight, 4);
  EXPECT_EQ(data.Top().LeftWidth, 8);
  EXPECT_EQ(data.Top().RightWidth, 9);
  EXPECT_EQ(data.Top().Tile, 0);
  EXPECT_EQ(data.Right().Tile, 1);
  EXPECT_EQ(data.Bottom().Trans, 1);
  // The caption colour is the top border's pixel two thirds down its first frame.
  EXPECT_EQ(data.GetCaptionColor(), clNavy);

  EXPECT_EQ(data.Title().Frame, 2);
  EXPECT_EQ(data.Title().RightWidth, 80);
  EXPECT_EQ(data.Title().FontHeight, 13);
  EXPECT_EQ(data.Title().ActiveTextColour, clWhite);
  EXPECT_EQ(data.Title().InactiveTextColour, CaptionColorNotGiven);

  // Caption buttons: Button3 (Action -1, Visibility 0) stays, Button5 and
  // the Button* sections of controls do not; three child-window buttons last.
  const auto &buttons = data.SysButtons();
  ASSERT_EQ(buttons.size(), 8u);
  EXPECT_EQ(buttons[0]->Name, "BUTTON0");
  EXPECT_EQ(buttons[0]->Frame, 3); // 60 x 20
  EXPECT_EQ(buttons[1]->Frame, 6); // 140 x 20
  EXPECT_EQ(buttons[2]->Frame, 4); // given
  EXPECT_EQ(buttons[3]->Action, -1);
  EXPECT_EQ(buttons[3]->Frame, 6); // negative action
  EXPECT_EQ(buttons[3]->Visibility1, -1);
  EXPECT_EQ(buttons[4]->Action, 3);
  EXPECT_TRUE(buttons[4]->Image.Empty()); // the icon button draws the icon
  EXPECT_EQ(buttons[0]->CombineOp, -1);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton &mdi = *buttons[static_cast<size_t>(5 + i)];
    EXPECT_EQ(mdi.Action, 7 + i);
    EXPECT_EQ(mdi.Align, 100);
    EXPECT_EQ(mdi.Frame, 4);
    EXPECT_EQ(mdi.Image.Width(), 40); // four frames of a 120-pixel strip cut in 12
    EXPECT_EQ(mdi.Image.GetPixel(0, 0), clRed);
    EXPECT_EQ(mdi.Xcoord, 14 * (3 - i));
  }

  const TDataSkinButton &b = data.Buttons();
  EXPECT_EQ(b.Frame, 5);
  EXPECT_EQ(b.Tile, 0);
  EXPECT_EQ(b.CheckFrame, 12); // 156 wide, under 16 high: frames of 13
  EXPECT_EQ(b.RadioFrame, 8);  // 128 wide, 16 high: frames of 16
  EXPECT_TRUE(b.NormalColour2Given);
  EXPECT_FALSE(b.PressedColour2Given);
  EXPECT_EQ(b.NormalColour2, clBlue);
  EXPECT_EQ(b.PressedColour2, clBlack);

  // Every slot has its object with its frame count.
  for (int i = 0; i < SkinSlotCount; ++i)
    ASSERT_NE(data.Slot(static_cast<TSkinSlot>(i)), nullptr) << i;
  EXPECT_EQ(data.Slot(TSkinSlot::Scrollbar)->Frame, 23);
  EXPECT_EQ(data.Slot(TSkinSlot::HorzScrollThumb)->Frame, 4);
  EXPECT_EQ(data.Slot(TSkinSlot::VertScrollThumb)->Frame, 3);
  EXPECT_EQ(data.Slot(TSkinSlot::UpDownHorz)->Frame, 8);
  EXPECT_FALSE(data.BorderSlot(TSkinSlot::UpDownHorz)->Image2.Empty());
  EXPECT_TRUE(data.BorderSlot(TSkinSlot::UpDownVert)->Image2.Empty());
  EXPECT_EQ(data.Slot(TSkinSlot::Progress)->Tile, 1);
  EXPECT_EQ(data.Slot(TSkinSlot::MenuBar)->Tile, 1);
  EXPECT_EQ(data.Slot(TSkinSlot::MenuBar)->LeftWidth, 1);
  EXPECT_EQ(data.GroupBoxLabel()->BackgroundLeftShift, 3);
  EXPECT_EQ(data.Slot(TSkinSlot::ToolBars)->Frame, 1);
  EXPECT_EQ(data.Slot(TSkinSlot::ToolBars)->Image.Height(), 40);
}

TEST(SkinData, ComboBoxStripIsBuiltFromTheSunkenEdge) {
  TSkinData data;
  TMemoryStream package = FullSkin();
  data.LoadFromStream(&package);
  const int arrow = SkinPlatform().HorzScrollArrowWidth() + 2;
  const TDataSkinObject &combo = *data.Slot(TSkinSlot::ComboButton);
  const TDataSkinObject &sunk = *data.Slot(TSkinSlot::SunkEdge);
  ASSERT_EQ(combo.Image.Width(), 4 * 50);
  EXPECT_EQ(combo.Image.Height(), 21);
  EXPECT_EQ(combo.Style, 2);
  EXPECT_EQ(combo.LeftWidth, 2);
  EXPECT_EQ(combo.RightWidth, arrow + 2);
  EXPECT_EQ(combo.TopHeight, 2);
  // Each cell: the sunken edge around a transparent inside, the button on
  // the right (the extra images are all transparent key and leave it alone).
  EXPECT_EQ(combo.Image.GetPixel(50 + 1, 10), clGreen);
  EXPECT_EQ(combo.Image.GetPixel(50 + 10, 10), clFuchsia);
  EXPECT_EQ(combo.Image.GetPixel(100 - arrow + 3, 10), clBlue);
  // The sunken edge holds the strip mirrored.
  EXPECT_EQ(sunk.Image.GetPixel(200 - 1 - (50 + 10), 10), clFuchsia);
  EXPECT_EQ(sunk.Image.GetPixel(200 - 1 - (100 - arrow + 3), 10), clBlue);
  EXPECT_EQ(sunk.LeftWidth, arrow + 2);
  EXPECT_EQ(sunk.RightWidth, 2);

  // Without a sunken edge the combo button keeps its picture and a mirror.
  TMemoryStream alone = SkinPackage("[ComboButton]\nImage=combo.bmp\n", {{"combo.bmp", BmpFile(64, 21, clBlue)}});
  data.LoadFromStream(&alone);
  const TDataSkinBorder &kept = *data.BorderSlot(TSkinSlot::ComboButton);
  EXPECT_EQ(kept.Image.Width(), 64);
  EXPECT_EQ(kept.Image2.Width(), 64);
}

TEST(SkinData, ASecondLoadReplacesEveryObject) {
  TSkinData data;
  TMemoryStream full = FullSkin(), small = SmallSkin();
  data.LoadFromStream(&full);
  auto objects = [&] {
    std::vector<TDataSkinObject *> all;
    for (int i = 0; i < SkinSlotCount; ++i)
      all.push_back(data.Slot(static_cast<TSkinSlot>(i)));
    for (const auto &button : data.SysButtons())
      all.push_back(button.get());
    return all;
  };
  for (TDataSkinObject *object : objects())
    if (object)
      object->Name = "from the first skin";
  data.LoadFromStream(&small);
  EXPECT_EQ(data.SkinName(), "Small");
  EXPECT_EQ(data.Slot(TSkinSlot::Scrollbar), nullptr);
  EXPECT_EQ(data.SysButtons().size(), 3u);
  EXPECT_TRUE(data.Left().Image.Empty());
  ASSERT_NE(data.Slot(TSkinSlot::MenuItem), nullptr);
  for (TDataSkinObject *object : objects())
    EXPECT_TRUE(!object || object->Name != "from the first skin");
  // The tool bar gradient is there with or without a picture of its own.
  EXPECT_NE(data.Slot(TSkinSlot::ToolBars), nullptr);
}

TEST(SkinData, RefusedPackagesKeepThePreviousSkin) {
  test::TempDir dir;
  TSkinData data;
  TMemoryStream full = FullSkin();
  data.LoadFromStream(&full);
  const std::vector<const void *> before = Objects(data);
  auto refused = [&](TMemoryStream package) {
    data.LoadFromStream(&package);
    EXPECT_TRUE(data.SkinLoading());
    EXPECT_EQ(Objects(data), before);
    EXPECT_EQ(data.SkinName(), "Test Grey");
  };
  // A picture wider than allowed, and pictures adding up past the limit,
  // counted from their headers alone.
  refused(SkinPackage("[MenuItem]\nImage=a.bmp\n", {{"a.bmp", BmpHeadersOnly(MaxSkinImageSide + 1, 1)}}));
  std::vector<SkinEntry> many;
  for (int64_t pixels = 0; pixels <= MaxSkinPackagePixels; pixels += int64_t{MaxSkinImageSide} * MaxSkinImageSide)
    many.push_back({"p" + std::to_string(many.size()) + ".bmp", BmpHeadersOnly(MaxSkinImageSide, MaxSkinImageSide)});
  refused(SkinPackage("[MenuItem]\nImage=p0.bmp\n", many));
  // A whole skin cut in half.
  TMemoryStream whole = FullSkin();
  TMemoryStream half;
  half.WriteBuffer(whole.Memory(), whole.Size() / 2);
  refused(std::move(half));
  // A package of an older kind says so, once.
  int notices = 0;
  const NoticeHandler previous = SetNoticeHandler([&](const std::string &) { ++notices; });
  std::string archive = BuildSkinArchive({{"skin.ini", "[TitlebarSkin]\nSkinName=Old\n"}});
  archive[0] ^= 1; // another magic number
  TMemoryStream unpacked, older;
  unpacked.WriteBuffer(archive.data(), static_cast<int64_t>(archive.size()));
  LZHCompress(unpacked, older);
  refused(std::move(older));
  SetNoticeHandler(previous);
  EXPECT_EQ(notices, 1);

  // A missing file loads nothing; an index past the store's items neither.
  data.LoadFromFile(dir / "missing.skn");
  EXPECT_EQ(Objects(data), before);
  TSkinStore store;
  store.Store()->Add();
  data.LoadFromCollection(&store, 1);
  EXPECT_EQ(Objects(data), before);
}

TEST(SkinData, FrameCountsAlwaysDivideTheirPictures) {
  TSkinData data;
  TMemoryStream package =
      SkinPackage("[Personality]\nLeft=l.bmp\nLeftFrame=0\nTop=t.bmp\nTopFrame=-2\nBottom=b.bmp\nBottomFrame=20\n"
                  "[Scrollbar]\nImage=s.bmp\n[MDICONTROLS]\nImage=m.bmp\n[Button1]\nAction=1\nframe=-4\n"
                  "ButtonImage=x.bmp\n",
                  {{"l.bmp", BmpFile(6, 30)},
                   {"t.bmp", BmpFile(30, 6, clNavy)},
                   {"b.bmp", BmpFile(30, 6)},
                   {"s.bmp", BmpFile(22, 16)},
                   {"m.bmp", BmpFile(11, 9)},
                   {"x.bmp", BmpFile(20, 20)}});
  data.LoadFromStream(&package);
  EXPECT_EQ(data.Left().Frame, 1);
  EXPECT_EQ(data.Top().Frame, 1);
  EXPECT_EQ(data.GetCaptionColor(), clNavy);
  EXPECT_TRUE(data.Bottom().Image.Empty());                    // 20 frames in 6 rows
  EXPECT_TRUE(data.Slot(TSkinSlot::Scrollbar)->Image.Empty()); // 23 frames in 22 columns
  EXPECT_EQ(data.SysButtons()[0]->Frame, 1);
  EXPECT_FALSE(data.SysButtons()[0]->Image.Empty());
  for (size_t i = 1; i < data.SysButtons().size(); ++i)
    EXPECT_TRUE(data.SysButtons()[i]->Image.Empty()); // a child-window strip under 12 pixels
}

TEST(SkinData, FormSkinDecisionAndEnumerationsByName) {
  TSkinData data;
  bool doSkin = true;
  data.DoFormSkin("TfrDesigner", doSkin);
  EXPECT_TRUE(doSkin);
  data.SetSkinControls(TSkinControlTypes{TSkinControlType::xcFastReport});
  data.DoFormSkin("TfrDesigner", doSkin);
  EXPECT_FALSE(doSkin);
  doSkin = true;
  data.DoFormSkin("SysMonthCal32", doSkin);
  EXPECT_FALSE(doSkin);
  data.OnFormSkin = [](TObject *, const std::string &, bool &skin) { skin = true; };
  data.DoFormSkin("SysMonthCal32", doSkin);
  EXPECT_TRUE(doSkin);

  TSkinData::ChangeProperty(&data, "skinformtype", "sfDialog");
  EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfDialog);
  TSkinData::ChangeProperty(&data, "SkinFormtype", "sfNothing");
  TSkinData::ChangeProperty(&data, "DisableTag", "sfMainform");
  EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfDialog);
  EXPECT_EQ(data.DisableTag(), 99);
}

// ---- Activation --------------------------------------------------------------

namespace {

// Records what the skin data asks of the manager.
class RecordingManager : public TSkinManagerLink {
public:
  explicit RecordingManager(std::vector<std::string> &log) : log_(log) {}
  void AddSkinData(TSkinData *) override { log_.push_back("AddSkinData"); }
  void RemoveSkinData(TSkinData *) override { log_.push_back("RemoveSkinData"); }
  void SetPendingSkinData(TSkinData *data) override { log_.push_back(data ? "Pending" : "Pending none"); }
  void SetAction(int action, int delay) override {
    log_.push_back("Action " + std::to_string(action) + " " + std::to_string(delay));
  }
  int RunState() const override { return runState; }
  void SetRunState(int state) override {
    runState = state;
    log_.push_back("RunState " + std::to_string(state));
  }
  bool Active() const override { return active; }
  void SetActive(bool on) override {
    active = on;
    log_.push_back(on ? "Active on" : "Active off");
  }
  void SetForced(bool on) override { log_.push_back(on ? "Forced on" : "Forced off"); }
  void InstallHook() override { log_.push_back("InstallHook"); }
  void InstallThread(int id) override { log_.push_back("InstallThread " + std::to_string(id)); }
  void UnInstallThread(int id) override { log_.push_back("UnInstallThread " + std::to_string(id)); }
  bool AddForm(TSkinWindow window) override {
    log_.push_back(window ? "AddForm" : "AddForm none");
    return true;
  }
  TSkinWindow FormWindow(TComponent *owner) override { return owner ? owner : nullptr; }
  void DeleteSysbtn() override { log_.push_back("DeleteSysbtn"); }
  void UpdateSkinControl(TComponent *, TComponent *) override { log_.push_back("UpdateSkinControl"); }
  void UpdateMenu(TComponent *) override { log_.push_back("UpdateMenu"); }
  void AddNestForm(TComponent *, TComponent *) override { log_.push_back("AddNestForm"); }
  void DeleteGraphicControl(TComponent *, TComponent *) override { log_.push_back("DeleteGraphicControl"); }
  void RefreshMenuBars() override { log_.push_back("RefreshMenuBars"); }
  void AssignData(TSkinManagerLink *) override { log_.push_back("AssignData"); }

  int runState = 0;
  bool active = false;

private:
  std::vector<std::string> &log_;
};

class SkinActivation : public ::testing::Test {
protected:
  SkinActivation() {
    RegisterSkinManagerFactory([this](TSkinManagerKind) { return std::make_unique<RecordingManager>(log); });
  }
  ~SkinActivation() override {
    DestroySkinManager();
    RegisterSkinManagerFactory({});
  }
  RecordingManager &Manager() { return *static_cast<RecordingManager *>(CreateSkinManager()); }
  // What was asked since the last call.
  std::vector<std::string> Take() { return std::exchange(log, {}); }
  void Load(TSkinData &data) {
    TMemoryStream package = FullSkin();
    data.LoadFromStream(&package);
  }

  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(SkinActivation, MainSkinSwitchesThroughDelayedActions) {
  TSkinData data;
  data.SetActive(true); // still loading: no skin to show yet
  EXPECT_EQ(Take(), Log{});
  data.SetActive(false);
  EXPECT_EQ(Take(), (Log{"Pending", "Action 2 250"}));

  Load(data); // before any window ran: nothing to change
  EXPECT_EQ(Take(), (Log{"Pending", "DeleteSysbtn"}));
  data.SetActive(true);
  EXPECT_EQ(Take(), (Log{"Pending", "Action 1 250", "RunState 1"}));
  Load(data); // while running, a new skin is a change
  EXPECT_EQ(Take(), (Log{"Pending", "DeleteSysbtn", "Action 3 250"}));
  Manager().runState = 2;
  Load(data);
  EXPECT_EQ(Take(), (Log{"Pending", "DeleteSysbtn"}));

  data.SkinForm(&data);
  data.UpdateMainMenu(false);
  EXPECT_FALSE(data.MenuFramePainting());
  data.UpdateMainMenu(true);
  data.InstallThread(7);
  EXPECT_EQ(Take(), (Log{"Forced on", "AddForm", "Forced off", "RefreshMenuBars", "InstallThread 7"}));
}

TEST_F(SkinActivation, OtherFormTypesAskForLess) {
  TComponent form;
  auto *own = new TSkinData(&form);
  own->SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
  own->SetActive(true); // loading: pending, but no action yet
  EXPECT_EQ(Take(), (Log{"Pending"}));
  Load(*own);
  EXPECT_EQ(Take(), Log{}); // only the main skin tells the manager of a new skin
  own->SetActive(false);
  EXPECT_EQ(Take(), (Log{"Pending", "Action 2 250"}));
  own->Loaded();
  EXPECT_EQ(Take(), (Log{"AddSkinData", "Active on", "RunState 1", "AddForm"}));

  TSkinData dialog;
  dialog.SetSkinFormtype(TSkinFormType::sfDialog);
  Load(dialog);
  dialog.SetActive(true);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(SkinActivation, LoadedInstallsTheHookAndSettlesTheMenuKinds) {
  TSkinData loaded;
  Load(loaded);
  loaded.SetLoading(true); // as while the form is read
  loaded.SetActive(true);
  Take();
  loaded.Loaded();
  EXPECT_EQ(Take(), (Log{"AddSkinData", "InstallHook", "Action 1 250"}));
  EXPECT_TRUE(loaded.Active());
  EXPECT_FALSE(loaded.SkinControls().Contains(TSkinControlType::xcMenuItem));
  EXPECT_TRUE(loaded.SkinControls().Contains(TSkinControlType::xcSystemMenu));

  // Without a skin, Active read as true does not stand; without the menu
  // bar, the system menu goes instead of menu items.
  TSkinData empty;
  empty.SetLoading(true);
  empty.SetActive(true);
  TSkinControlTypes controls = DefaultSkinControls();
  controls.Exclude(TSkinControlType::xcMainMenu);
  controls.Include(TSkinControlType::xcMenuItem);
  empty.SetSkinControls(controls);
  empty.Loaded();
  EXPECT_EQ(Take(), (Log{"AddSkinData", "InstallHook"}));
  EXPECT_FALSE(empty.Active());
  EXPECT_TRUE(empty.SkinControls().Contains(TSkinControlType::xcMenuItem));
  EXPECT_FALSE(empty.SkinControls().Contains(TSkinControlType::xcSystemMenu));
}

// ---- The component as streamed in a form -------------------------------------------

TEST(SkinData, StreamsAsDesignedAndReadsBackByteForByte) {
  TComponent designed;
  designed.SetDesigning(true);
  auto *data = new TSkinData(&designed);
  data->SetDesigning(true);
  data->SetName("SkinData1");
  auto *store = new TSkinStore(&designed);
  store->SetName("SkinStore1");
  TMemoryStream full = FullSkin();
  store->Store()->Add()->Data().CopyFrom(full, 0);
  full.SetPosition(0);
  data->Package().CopyFrom(full, 0);
  data->Skin3rd()->Delete(0);
  TMemoryStream design;
  TWriter(design).WriteDesign({data, store});

  TComponent form;
  auto *readData = new TSkinData(&form);
  readData->SetName("SkinData1");
  auto *readStore = new TSkinStore(&form);
  readStore->SetName("SkinStore1");
  design.SetPosition(0);
  TReader(design).ReadDesign(form);
  // The stored lines replace the defaults; the skin was loaded and the empty
  // file name read before it left nothing pending.
  EXPECT_EQ(readData->Skin3rd()->Count(), 116);
  EXPECT_FALSE(readData->SkinLoading());
  EXPECT_EQ(readData->SkinName(), "Test Grey");
  EXPECT_EQ(readStore->Store()->Items(0)->Data().Bytes(), full.Bytes());

  readData->SetDesigning(true);
  readStore->SetDesigning(true);
  TMemoryStream again;
  TWriter(again).WriteDesign({readData, readStore});
  EXPECT_EQ(again.Bytes(), design.Bytes());
}
