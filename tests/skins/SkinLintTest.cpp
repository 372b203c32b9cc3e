// The skins the build makes, loaded the way the program loads them and
// checked for what would show on screen: missing objects, frames that do not
// divide their pictures, pink fringes, cut corners, stray caption buttons.
#include "SkinTool.h"

#include "framework/core/BitmapDraw.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinini.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace zorvex;

namespace {

constexpr TColor Key = clFuchsia;
// A colour this close to the key (in every channel) reads as a pink fringe.
constexpr int FringeDistance = 48;
// Packages stay small enough to keep ten of them in the program.
constexpr int64_t MostPackageBytes = 64 * 1024;

std::vector<std::string> Packages() {
  std::vector<std::string> packages;
  std::stringstream list(ZORVEX_SKIN_PACKAGES);
  for (std::string path; std::getline(list, path, '|');)
    packages.push_back(path);
  return packages;
}

bool NearKey(TColor c) {
  return c != Key && 255 - ColorRed(c) <= FringeDistance && ColorGreen(c) <= FringeDistance &&
         255 - ColorBlue(c) <= FringeDistance;
}

struct Picture {
  std::string name;
  const TBitmap *image;
  bool drawnOpaque;
};

// Every picture of a loaded skin, and whether the runtime draws it without
// leaving the key out.
std::vector<Picture> Pictures(const TSkinData &skin) {
  std::vector<Picture> all = {{"Left", &skin.Left().Image, skin.Left().Trans == 0},
                              {"Right", &skin.Right().Image, skin.Right().Trans == 0},
                              {"Top", &skin.Top().Image, skin.Top().Trans == 0},
                              {"Bottom", &skin.Bottom().Image, skin.Bottom().Trans == 0},
                              {"TextBack", &skin.Title().Image, false},
                              {"Buttons", &skin.Buttons().Image, skin.Buttons().Trans == 0},
                              {"CheckButton", &skin.Buttons().CheckBoxImage, skin.Buttons().Trans == 0},
                              {"RadioButton", &skin.Buttons().RadioButtonImage, skin.Buttons().Trans == 0}};
  for (const auto &button : skin.SysButtons())
    all.push_back({button->Name, &button->Image, false});
  for (int i = 0; i < SkinSlotCount; ++i) {
    const auto slot = static_cast<TSkinSlot>(i);
    const TDataSkinObject *object = skin.Slot(slot);
    if (!object)
      continue;
    // The combo box strips are the data model's own, with the key inside.
    const bool rebuilt = slot == TSkinSlot::ComboButton || slot == TSkinSlot::SunkEdge;
    all.push_back({object->Name, &object->Image, object->Trans == 0 && !rebuilt});
    if (const auto *border = dynamic_cast<const TDataSkinBorder *>(object))
      all.push_back({object->Name + " (second)", &border->Image2, object->Trans == 0 && !rebuilt});
  }
  return all;
}

class SkinLint : public ::testing::TestWithParam<std::string> {
protected:
  void SetUp() override {
    skin_.Package().LoadFromFile(GetParam());
    ASSERT_TRUE(skin_.LoadSkin()) << GetParam();
  }
  TSkinData skin_;
};

std::string PackageName(const ::testing::TestParamInfo<std::string> &info) {
  const std::string file = ExtractFileName(info.param);
  return file.substr(0, file.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinLint, ::testing::ValuesIn(Packages()), PackageName);

} // namespace

TEST_P(SkinLint, HasEveryObjectWithFramesAndMarginsThatFitItsPictures) {
  EXPECT_FALSE(skin_.SkinName().empty());
  EXPECT_LE(skin_.Package().Size(), MostPackageBytes);
  const auto fits = [](const TDataSkinObject &object, const TBitmap &image, int frames, bool stacked) {
    SCOPED_TRACE(object.Name);
    ASSERT_FALSE(image.Empty());
    ASSERT_GE(frames, 1);
    EXPECT_EQ((stacked ? image.Height() : image.Width()) % frames, 0);
    const TRect frame = FrameRect(image, frames, 1, stacked);
    EXPECT_LE(object.LeftWidth + object.RightWidth, frame.Width());
    EXPECT_LE(object.TopHeight + object.BottomHeight, frame.Height());
  };
  for (const TDataSkinBorder *side : {&skin_.Left(), &skin_.Right()})
    fits(*side, side->Image, side->Frame, false);
  for (const TDataSkinBorder *edge : {&skin_.Top(), &skin_.Bottom()})
    fits(*edge, edge->Image, edge->Frame, true);
  EXPECT_EQ(skin_.Left().Frame, 2);
  EXPECT_EQ(skin_.Top().Frame, 2);
  // The sides' top ends are the caption's ends, so they stay unscaled.
  EXPECT_EQ(skin_.Left().TopHeight, FrameRect(skin_.Top().Image, skin_.Top().Frame, 1, true).Height());
  EXPECT_EQ(skin_.Right().TopHeight, skin_.Left().TopHeight);
  EXPECT_FALSE(skin_.Title().Image.Empty());
  EXPECT_EQ(skin_.Title().Image.Height() % skin_.Title().Frame, 0);

  const TDataSkinButton &buttons = skin_.Buttons();
  fits(buttons, buttons.Image, buttons.Frame, false);
  for (const auto &[image, frames] : {std::pair{&buttons.CheckBoxImage, buttons.CheckFrame},
                                      std::pair{&buttons.RadioButtonImage, buttons.RadioFrame}}) {
    ASSERT_FALSE(image->Empty());
    EXPECT_TRUE(frames == 4 || frames == 8 || frames == 12) << frames;
    EXPECT_EQ(image->Width() % frames, 0);
  }
  for (int i = 0; i < SkinSlotCount; ++i) {
    const auto slot = static_cast<TSkinSlot>(i);
    const TDataSkinObject *object = skin_.Slot(slot);
    ASSERT_NE(object, nullptr) << "slot " << i;
    fits(*object, object->Image, object->Frame, slot == TSkinSlot::MenuBar);
  }
  for (const TSkinSlot slot : {TSkinSlot::Tabs, TSkinSlot::UpDownHorz, TSkinSlot::UpDownVert})
    EXPECT_FALSE(skin_.BorderSlot(slot)->Image2.Empty()) << skin_.Slot(slot)->Name;
  if (skin_.Slot(TSkinSlot::Progress)->Style == 1) {
    EXPECT_FALSE(skin_.BorderSlot(TSkinSlot::Progress)->Image2.Empty());
  }
}

TEST_P(SkinLint, KeepsTheKeyExactWhereTheWindowIsCutAndNowhereItWouldShow) {
  for (const Picture &picture : Pictures(skin_)) {
    SCOPED_TRACE(picture.name);
    const TBitmap &image = *picture.image;
    EXPECT_LE(std::max(image.Width(), image.Height()), MaxSkinImageSide);
    int fringe = 0, keys = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        fringe += NearKey(image.GetPixel(x, y)) ? 1 : 0;
        keys += image.GetPixel(x, y) == Key ? 1 : 0;
      }
    EXPECT_EQ(fringe, 0);
    if (picture.drawnOpaque) {
      EXPECT_EQ(keys, 0) << "drawn without leaving the key out";
    }
  }

  // The window's corners are cut in both frames, and only the unscaled ends
  // of a border hold the key: a stretched middle would smear a cut.
  const auto keysOnlyInEnds = [](const TDataSkinBorder &border, bool stacked) {
    SCOPED_TRACE(border.Name);
    for (int frame = 1; frame <= border.Frame; ++frame) {
      const TRect r = FrameRect(border.Image, border.Frame, frame, stacked);
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
          const bool inEnds = stacked ? x - r.Left < border.LeftWidth || r.Right - x <= border.RightWidth
                                      : y - r.Top < border.TopHeight || r.Bottom - y <= border.BottomHeight;
          if (!inEnds) {
            ASSERT_NE(border.Image.GetPixel(x, y), Key) << "at " << x << "," << y;
          }
        }
    }
  };
  keysOnlyInEnds(skin_.Left(), false);
  keysOnlyInEnds(skin_.Right(), false);
  keysOnlyInEnds(skin_.Top(), true);
  keysOnlyInEnds(skin_.Bottom(), true);
  for (int frame = 1; frame <= 2; ++frame) {
    const TRect left = FrameRect(skin_.Left().Image, 2, frame), right = FrameRect(skin_.Right().Image, 2, frame);
    EXPECT_EQ(skin_.Left().Image.GetPixel(left.Left, 0), Key);
    EXPECT_EQ(skin_.Right().Image.GetPixel(right.Right - 1, 0), Key);
    EXPECT_NE(skin_.Left().Image.GetPixel(left.Right - 1, skin_.Left().TopHeight), Key);
  }
}

TEST_P(SkinLint, CaptionButtonsSitInTheCaptionWithoutOverlapping) {
  const int captionHeight = FrameRect(skin_.Top().Image, skin_.Top().Frame, 1, true).Height();
  const int borderWidth = FrameRect(skin_.Left().Image, skin_.Left().Frame, 1).Width();
  struct Span {
    std::string name;
    int from, to, visibility;
  };
  std::vector<Span> fromRight;
  bool icon = false;
  for (const auto &button : skin_.SysButtons()) {
    SCOPED_TRACE(button->Name);
    if (button->Action == 3) {
      icon = true;
      EXPECT_TRUE(button->Image.Empty()) << "the icon button shows the window's icon";
      continue;
    }
    if (button->Align == 100)
      continue; // the buttons of a maximised child window, in the menu bar
    ASSERT_FALSE(button->Image.Empty());
    EXPECT_GE(button->Frame, 4) << "normal, pressed, hot and inactive";
    EXPECT_EQ(button->Image.Width() % button->Frame, 0);
    const int width = button->Image.Width() / button->Frame;
    EXPECT_GE(button->Ycoord, 0);
    EXPECT_LE(button->Ycoord + button->Image.Height(), captionHeight);
    ASSERT_EQ(button->Align, 1);
    EXPECT_GE(button->Xcoord - width, borderWidth) << "over the right border";
    fromRight.push_back({button->Name, -button->Xcoord, -button->Xcoord + width, button->Visibility});
  }
  EXPECT_TRUE(icon);
  // Maximise and restore share a place: never shown together.
  for (size_t i = 0; i < fromRight.size(); ++i)
    for (size_t j = i + 1; j < fromRight.size(); ++j) {
      const Span &a = fromRight[i], &b = fromRight[j];
      const bool exclusive = (a.visibility == 1 && b.visibility == 2) || (a.visibility == 2 && b.visibility == 1);
      if (!exclusive) {
        EXPECT_TRUE(a.to <= b.from || b.to <= a.from) << a.name << " and " << b.name;
      }
    }
}

TEST_P(SkinLint, HoldsEveryPictureItNamesAndNoOther) {
  TSkinReader reader;
  ASSERT_TRUE(reader.loadfromfile(GetParam()));
  TMemoryStream text;
  std::string iniName;
  reader.readIni(".ini", &text, iniName);
  TQuickIni ini;
  ini.LoadFromStream(&text);
  std::set<std::string> named, held;
  for (int i = 0; i < ini.Lines().Count(); ++i) {
    const std::string line = ini.Lines().Get(i);
    const size_t equals = line.find('=');
    if (equals != std::string::npos && EndsWith(LowerCaseAZ(line), ".bmp"))
      named.insert(LowerCaseAZ(Trim(line.substr(equals + 1))));
  }
  for (int i = 0; i < reader.Count(); ++i)
    if (reader.Names().Get(i) != iniName)
      held.insert(reader.Names().Get(i));
  EXPECT_EQ(named, held);
}

TEST_P(SkinLint, ShowsItselfAndDrawsItsSheet) {
  std::ostringstream out, err;
  ASSERT_EQ(RunSkinTool({"show", GetParam()}, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("Skin: " + skin_.SkinName()), std::string::npos);
  EXPECT_NE(out.str().find("Trackbar.ThumbDown"), std::string::npos);
  EXPECT_EQ(out.str().find("(none)"), std::string::npos) << "every slot holds an object";

  // The sheets stay in the build folder for a person to look at.
  const std::string sheet = IncludeTrailingPathDelimiter(ZORVEX_SKIN_SHEETS) + PackageName({GetParam(), 0}) + ".png";
  ASSERT_EQ(RunSkinTool({"sheet", GetParam(), sheet}, out, err), 0) << err.str();
  const std::string png = test::ReadFile(sheet);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(SkinSet, OffersEveryKindOfPictureSomewhere) {
  const std::vector<std::string> packages = Packages();
  ASSERT_EQ(packages.size(), 10u);
  std::set<int> checkFrames, radioFrames, progressStyles;
  bool customAction = false;
  for (const std::string &package : packages) {
    TSkinData skin;
    skin.Package().LoadFromFile(package);
    ASSERT_TRUE(skin.LoadSkin()) << package;
    checkFrames.insert(skin.Buttons().CheckFrame);
    radioFrames.insert(skin.Buttons().RadioFrame);
    progressStyles.insert(skin.Slot(TSkinSlot::Progress)->Style);
    // Actions the frame carries out itself; any other is the window's.
    const std::set<int> builtIn = {0, 1, 2, 3, 7, 8, 9, 11, 12, 22, 23, 60, 61, 62};
    for (const auto &button : skin.SysButtons())
      customAction = customAction || (button->Action >= 0 && !builtIn.count(button->Action));
  }
  EXPECT_TRUE(checkFrames.count(12) && (checkFrames.count(4) || checkFrames.count(8)));
  EXPECT_TRUE(radioFrames.count(8));
  EXPECT_EQ(progressStyles, (std::set<int>{0, 1}));
  EXPECT_TRUE(customAction);

  // Entry 0, the classic skin: the grey face and five caption buttons, the
  // fifth the icon button, then the three of a maximised child window.
  TSkinData classic;
  classic.Package().LoadFromFile(packages.front());
  ASSERT_TRUE(classic.LoadSkin());
  EXPECT_EQ(classic.Colors(csButtonFace), MakeColor(211, 211, 211));
  ASSERT_EQ(classic.SysButtons().size(), 8u);
  EXPECT_EQ(classic.SysButtons()[4]->Action, 3);
  EXPECT_TRUE(classic.SysButtons()[4]->Image.Empty());
}
