#include "Winskindata.h"

#include "SkinPlatform.h"
#include "Skinread.h"
#include "Winskinini.h"
#include "Winskinstore.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Filer.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "skin/runtime/Imgutil.h"

#include <algorithm>
#include <cstdlib>

namespace zorvex {

namespace {

// System colour indexes (COLOR_*) of the colours a skin may leave out.
enum SystemColorIndex {
  ColorScrollbar = 0,
  ColorMenu = 4,
  ColorMenuText = 7,
  ColorWindowText = 8,
  ColorCaptionText = 9,
  ColorHighlight = 13,
  ColorHighlightText = 14,
  ColorButtonFace = 15,
  ColorButtonShadow = 16,
  ColorButtonText = 18,
  ColorInactiveCaptionText = 19,
  ColorButtonHighlight = 20,
  Color3dDarkShadow = 21,
};

TColor System(int index) { return SkinPlatform().SystemColor(index); }

// Images the skin is drawn from: one size limit for every one of them.
constexpr TBitmapLimits SkinImageLimits = {MaxSkinImageSide, MaxSkinImageSide, MaxSkinPackagePixels};

// The file part of a path: after the last "\", "/" or ":".
std::string FilePart(const std::string &path) {
  const size_t at = path.find_last_of("\\/:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

// A frame count of less than one frame counts as one.
int Frames(int frame) { return std::max(frame, 1); }

} // namespace

// ---- Unit functions --------------------------------------------------------------

TColor strcolor(const std::string &text) {
  const std::string trimmed = Trim(text);
  int64_t numbers[3] = {0, 0, 0};
  int count = 0;
  size_t i = 0;
  while (i < trimmed.size()) {
    if (trimmed[i] < '0' || trimmed[i] > '9') {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9')
      ++i;
    const std::string run = trimmed.substr(start, i - start);
    const bool fits = run.size() <= 10 && std::strtoll(run.c_str(), nullptr, 10) <= INT32_MAX;
    // A number that ends the text is only taken as the third one.
    const bool atEnd = i == trimmed.size();
    if (fits && count < 3 && (!atEnd || count == 2))
      numbers[count++] = std::strtoll(run.c_str(), nullptr, 10);
  }
  return RGBToColor(static_cast<int>(numbers[0] & 0xFF), static_cast<int>(numbers[1] & 0xFF),
                    static_cast<int>(numbers[2] & 0xFF));
}

std::string GetFileName(const std::string &s) {
  const size_t dot = s.find('.');
  return dot == std::string::npos ? std::string() : s.substr(0, dot);
}

std::u16string StrToWideStr(const std::string &s) { return Utf8ToUtf16(AnsiToUtf8(s)); }

std::string WideStringToStringEx(const std::u16string &s) { return Utf8ToAnsi(Utf16ToUtf8(s)); }

// ---- Construction ----------------------------------------------------------------

TSkinData::TSkinData(TComponent *owner)
    : TComponent(owner), skinControls_(DefaultSkinControls()), options_(DefaultSkinOptions()),
      skin3rd_(std::make_unique<TStringList>()), containers_(AllWinContainers()),
      title_(std::make_unique<TDataSkinTitle>("Title")), buttons_(std::make_unique<TDataSkinButton>("Buttons")),
      menuGlyphs_(SkinPlatform().LoadMenuGlyphs()) {
  const char *sides[] = {"Left", "Right", "Top", "Bottom"};
  for (size_t i = 0; i < borders_.size(); ++i)
    borders_[i] = std::make_unique<TDataSkinBorder>(sides[i]);
  InitControlList();
}

TSkinData::~TSkinData() {
  if (TSkinManagerLink *manager = SkinManager())
    manager->RemoveSkinData(this);
  if (brush_)
    SkinPlatform().DeleteBrush(brush_);
}

void TSkinData::InitControlList() {
  for (const std::string &line : DefaultSkin3rd())
    skin3rd_->Add(line);
}

const TPropertyTable &TSkinData::ClassProperties() {
  static const auto table =
      TPublished<TSkinData>(&TComponent::ClassProperties())
          .Boolean("Active", &TSkinData::Active, &TSkinData::SetActive)
          .Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
          .Set("SkinControls", SkinControlTypeNames(), &TSkinData::SkinControls, &TSkinData::SetSkinControls)
          .Set("Options", SkinOptionNames(), &TSkinData::Options, &TSkinData::SetOptions)
          .Object("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetControlList)
          .String("SkinFile", &TSkinData::SkinFile, &TSkinData::LoadFromFile)
          .String("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
          .Enumeration("SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}, &TSkinData::SkinFormtype,
                       &TSkinData::SetSkinFormtype)
          .String("Version", &TSkinData::Version, &TSkinData::SetVersion)
          .Boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
          .Boolean("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge);
  return table;
}

void TSkinData::SetControlList(TStrings *value) {
  if (value)
    skin3rd_->Assign(*value);
  else
    skin3rd_->Clear();
}

std::string TSkinData::SkinStore() const { return Designing() && !package_.Bytes().empty() ? "(Good)" : "(none)"; }

// ---- Loading ---------------------------------------------------------------------

void TSkinData::ReplacePackage(TStream &source) {
  package_.Clear();
  package_.CopyFrom(source, 0);
  package_.SetPosition(0);
}

void TSkinData::LoadPackage() {
  LoadSkin();
  if (skinFormtype_ == TSkinFormType::sfMainform)
    UpdateSkin();
}

void TSkinData::LoadFromFile(const std::string &fileName) {
  skinLoading_ = true;
  skinFile_ = fileName;
  if (Designing()) {
    if (!fileName.empty())
      package_.Clear();
    return;
  }
  if (fileName.empty() || !FileExists(fileName))
    return;
  TMemoryStream file;
  file.LoadFromFile(fileName);
  ReplacePackage(file);
  LoadPackage();
}

void TSkinData::LoadFromStream(TStream *stream) {
  if (!stream)
    return;
  skinLoading_ = true;
  ReplacePackage(*stream);
  LoadPackage();
}

void TSkinData::LoadFromCollection(TSkinStore *store, int index) {
  if (!store || index < 0 || index >= store->Store()->Count())
    return;
  skinLoading_ = true;
  TMemoryStream &data = store->Store()->Items(index)->Data();
  data.SetPosition(0);
  ReplacePackage(data);
  LoadPackage();
}

bool TSkinData::PackagePicturesFit() {
  int64_t pixels = 0;
  TMemoryStream entry;
  for (int i = 0; i < reader_->Count(); ++i) {
    reader_->ReadEntry(i, &entry);
    int width = 0, height = 0;
    if (!TBitmap::ReadBitmapSize(entry.Memory(), entry.Size(), width, height))
      continue;
    if (width > MaxSkinImageSide || height > MaxSkinImageSide)
      return false;
    pixels += static_cast<int64_t>(width) * height;
    if (pixels > MaxSkinPackagePixels)
      return false;
  }
  return true;
}

bool TSkinData::LoadSkin() {
  if (Designing())
    return false;
  TSkinReader reader;
  TMemoryStream scratch;
  bool accepted = false;
  try {
    package_.SetPosition(0);
    accepted = reader.Loadfromstream(&package_);
  } catch (const Exception &) {
    accepted = false; // a damaged package is refused like any other
  }
  if (!accepted)
    return false;
  reader_ = &reader;
  scratch_ = &scratch;
  struct Done {
    TSkinData &data;
    ~Done() {
      data.reader_ = nullptr;
      data.scratch_ = nullptr;
      data.ini_ = nullptr;
    }
  } done{*this};
  // Pictures are checked before anything is rebuilt, so a refused package
  // leaves the previous skin whole.
  if (!PackagePicturesFit())
    return false;
  TQuickIni ini;
  ini_ = &ini;
  std::string iniName;
  reader.readIni(".ini", &scratch, iniName);
  ini.LoadFromStream(&scratch);
  LoadFromIni(iniName);
  return true;
}

void TSkinData::ReadData(TStream &stream) {
  uint8_t bytes[4] = {};
  if (stream.Read(bytes, 4) != 4)
    return;
  const int32_t count =
      static_cast<int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24));
  // A count beyond the stored bytes means damaged data: nothing is loaded.
  if (count <= 0 || count > stream.Size() - stream.Position())
    return;
  package_.Clear();
  package_.CopyFrom(stream, count);
  package_.SetPosition(0);
  if (!Designing())
    LoadSkin();
}

void TSkinData::WriteData(TStream &stream) {
  const int64_t size = package_.Size();
  if (size > INT32_MAX)
    throw EWriteError("Skin package too large");
  const uint8_t count[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                            static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  stream.WriteBuffer(count, 4);
  if (size > 0)
    stream.CopyFrom(package_, 0);
}

void TSkinData::DefineProperties(TFiler &filer) {
  filer.DefineBinaryProperty(
      "SkinStream", [this](TStream &s) { ReadData(s); }, [this](TStream &s) { WriteData(s); }, true);
}

// ---- Reading the INI -------------------------------------------------------------

std::string TSkinData::ReadString(const std::string &section, const std::string &key, const std::string &fallback) {
  return ini_->ReadString(section, key, fallback);
}

int TSkinData::ReadInteger(const std::string &section, const std::string &key, int fallback) {
  return ini_->ReadInteger(section, key, fallback);
}

TColor TSkinData::ReadColorText(const std::string &section, const std::string &key, TColor fallback) {
  const std::string text = ReadString(section, key);
  return text.empty() ? fallback : strcolor(text);
}

void TSkinData::ReadRGB(const std::string &section, const std::string &name, TColor &color) {
  const int r = ReadInteger(section, name + "R", -1);
  const int g = ReadInteger(section, name + "G", -1);
  const int b = ReadInteger(section, name + "B", -1);
  if (r >= 0 && g >= 0 && b >= 0)
    color = RGBToColor(r & 0xFF, g & 0xFF, b & 0xFF);
}

void TSkinData::Readbmp(TBitmap &bitmap, const std::string &entryName) {
  const std::string file = FilePart(entryName);
  const size_t dot = file.rfind('.');
  if (!reader_ || file.empty() || dot == std::string::npos || file.substr(dot) != ".bmp") {
    bitmap.Clear();
    return;
  }
  reader_->readfile(file, scratch_);
  if (scratch_->Size() == 0) {
    bitmap.Clear();
    return;
  }
  try {
    bitmap.LoadFromStream(*scratch_, SkinImageLimits);
  } catch (const Exception &) {
    bitmap.Clear();
  }
}

void TSkinData::LoadFromIni(const std::string &) {
  if (!ini_)
    return;
  sections_ = std::make_unique<TStringList>();
  ini_->ReadSections(sections_.get());
  skinName_ = ReadString("TitlebarSkin", "SkinName");

  for (auto &border : borders_)
    ReadBord(*border, border->Name);
  ReadColor();
  ReadSysButton();
  ReadButton();
  ReadTitle("Personality");

  ReadProgress(TSkinSlot::Progress, "Progress");
  ReadMenuBar(TSkinSlot::MenuBar, "Personality");
  ReadObject(TSkinSlot::GroupBoxEdge, "GroupBoxEdge");
  ReadBoxLabel(TSkinSlot::GroupBox, "GroupBox");
  ReadObject2(TSkinSlot::Tabs, "Tabs", "Border");
  ReadObject(TSkinSlot::StatusBarEdges, "StatusBarEdges");
  ReadObject(TSkinSlot::ToolBars, "ToolBars");
  ReadObject2(TSkinSlot::ComboButton, "ComboButton", "****");
  // The combo button keeps a mirrored copy for right-to-left controls.
  if (TDataSkinBorder *combo = BorderSlot(TSkinSlot::ComboButton); combo && !combo->Image.Empty()) {
    combo->Image2 = combo->Image;
    combo->Image2.SetPixelFormat(TPixelFormat::pf24bit);
    SpiegelnHorizontal(combo->Image2);
  }
  ReadObject(TSkinSlot::SunkEdge, "SunkEdge");
  ReadObject(TSkinSlot::ExtraImages, "ExtraImages");
  ReadObject(TSkinSlot::Headerbar, "Headerbar");
  ReadObject(TSkinSlot::MenuItem, "MenuItem");
  ReadObject(TSkinSlot::MenuBackground, "MenuBackground");
  ReadObject(TSkinSlot::Scrollbar, "Scrollbar");
  ReadObject(TSkinSlot::HorzScroll, "HorzScroll");
  ReadObject(TSkinSlot::VertScroll, "VertScroll");
  ReadObject(TSkinSlot::HorzScrollThumb, "HorzScrollThumb");
  ReadObject(TSkinSlot::VertScrollThumb, "VertScrollThumb");
  ReadObject(TSkinSlot::TrackbarThumbHorz, "Trackbar.ThumbHorz");
  ReadObject(TSkinSlot::TrackbarThumbVert, "Trackbar.ThumbVert");
  ReadObject(TSkinSlot::TrackbarThumbLeft, "Trackbar.ThumbLeft");
  ReadObject(TSkinSlot::TrackbarThumbRight, "Trackbar.ThumbRight");
  ReadObject(TSkinSlot::TrackbarThumbUp, "Trackbar.ThumbUp");
  ReadObject(TSkinSlot::TrackbarThumbDown, "Trackbar.ThumbDown");
  ReadObject2(TSkinSlot::UpDownHorz, "UpDown.Horz", "GlyphImage");
  ReadObject2(TSkinSlot::UpDownVert, "UpDown.Vert", "GlyphImage");

  SetFrame();
  CheckFrames();
  ReBuildCombobox();
  RebuildToolbar();
  ReplaceBrush();
  sections_.reset();
  skinLoading_ = false;
}

void TSkinData::ReadBord(TDataSkinBorder &border, const std::string &side) {
  const std::string section = "Personality";
  const int first = ReadInteger(section, side + "TopHeight", 0);
  const int last = ReadInteger(section, side + "BotHeight", 0);
  const bool vertical = side == "Left" || side == "Right";
  border.LeftWidth = vertical ? 0 : first;
  border.RightWidth = vertical ? 0 : last;
  border.TopHeight = vertical ? first : 0;
  border.BottomHeight = vertical ? last : 0;
  border.Frame = ReadInteger(section, side + "Frame", 1);
  border.Tile = std::min(ReadInteger(section, side + "Stretch", 1), 1);
  border.Trans = ReadInteger(section, side + "Trans", 1);
  Readbmp(border.Image, ReadString(section, side));
}

void TSkinData::ReadColor() {
  const std::string s = "Colours";
  colors_[csText] = ReadColorText(s, "WindowText", System(ColorWindowText));
  colors_[csTitleTextActive] = ReadColorText(s, "TitleTextActive", System(ColorCaptionText));
  colors_[csTitleTextNoActive] = ReadColorText(s, "TitleTextNoActive", System(ColorInactiveCaptionText));
  colors_[csButtonFace] = ReadColorText(s, "ButtonFace", System(ColorButtonFace));
  colors_[csButtonText] = ReadColorText(s, "ButtonText", System(ColorButtonText));
  colors_[csButtonHilight] = ReadColorText(s, "ButtonHilight", System(ColorButtonHighlight));
  colors_[csButtonlight] = ReadColorText(s, "Buttonlight", System(ColorButtonHighlight));
  colors_[csButtonShadow] = ReadColorText(s, "ButtonShadow", System(ColorButtonShadow));
  colors_[csButtonDkshadow] = ReadColorText(s, "ButtonDkShadow", System(Color3dDarkShadow));
  colors_[csSelectText] = 0;
  colors_[csSelectBg] = 0;
  colors_[csHilightText] = ReadColorText(s, "HilightText", System(ColorHighlightText));
  colors_[csHilight] = ReadColorText(s, "Hilight", System(ColorHighlight));
  colors_[csMenuBar] = ReadColorText(s, "Menubar", colors_[csButtonFace]);
  colors_[csMenuBarText] = ReadColorText(s, "MenuBarText", System(ColorMenuText));
  colors_[csMenuText] = ReadColorText(s, "MenuText", System(ColorMenuText));
  colors_[csMenubg] = ReadColorText(s, "Menu", System(ColorMenu));
  colors_[csScrollbar] = ReadColorText(s, "Scrollbar", System(ColorScrollbar));
  colors_[csTextDisable] = 0;

  extraColors_.clear();
  for (int i = 0; i < sections_->Count(); ++i) {
    const std::string name = UpperCaseAZ(sections_->Get(i));
    if (StartsWith(name, "COLOUR") && name != "COLOURS")
      extraColors_.push_back(ReadColorText(sections_->Get(i), "color", System(ColorWindowText)));
  }
  for (int i = 0; i < 10; ++i)
    customColors_[static_cast<size_t>(i)] = ReadColorText("Customcolors", "Color" + std::to_string(i), clWhite);
}

void TSkinData::ReadSysButton() {
  sysButtons_.clear();
  std::vector<std::string> kept;
  for (int i = sections_->Count() - 1; i >= 0; --i) {
    const std::string section = sections_->Get(i);
    const std::string name = UpperCaseAZ(section);
    if (!StartsWith(name, "BUTTON") || name == "BUTTONS" || name == "BUTTON.RADIO" || name == "BUTTON.CHECKBOX" ||
        name == "BUTTON")
      continue;
    if (ReadInteger(section, "Action", 0) == -1 && ReadInteger(section, "Visibility", -1) != 0)
      continue;
    kept.insert(kept.begin(), section);
  }
  for (const std::string &section : kept) {
    auto button = std::make_unique<TDataSkinSysButton>(UpperCaseAZ(section));
    button->Action = ReadInteger(section, "Action", 0);
    button->Align = ReadInteger(section, "Align", 0);
    button->Xcoord = ReadInteger(section, "Xcoord", 0);
    button->Ycoord = ReadInteger(section, "Ycoord", 0);
    button->Visibility = ReadInteger(section, "Visibility", 0);
    button->Visibility1 = ReadInteger(section, "Visibility1", button->Action == -1 ? -1 : 0);
    button->CombineOp = ReadInteger(section, "CombineOp", -1);
    button->Frame = ReadInteger(section, "frame", 0);
    Readbmp(button->Image, ReadString(section, "ButtonImage"));
    if (button->Frame == 0) {
      button->Frame = 6;
      const TBitmap &image = button->Image;
      if (!image.Empty())
        button->Frame = static_cast<double>(image.Width()) / image.Height() <= 3.8 ? 3 : 6;
      if (button->Action < 0)
        button->Frame = 6;
      // The icon button and the like draw the window's icon, not a picture.
      if (button->Action == 3 || button->Action == 11)
        button->Image.Clear();
    }
    sysButtons_.push_back(std::move(button));
  }
  CreateMdibtn();
}

void TSkinData::CreateMdibtn() {
  TBitmap strip;
  Readbmp(strip, ReadString("MDICONTROLS", "Image"));
  const int w = strip.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    button->Action = 7 + i;
    button->Align = button->Visibility = button->Visibility1 = 100;
    button->Frame = 4;
    // A frame narrower than a pixel leaves the button without a picture.
    if (w >= 1) {
      button->Image = TBitmap(4 * w, strip.Height());
      StretchCopy(button->Image, {0, 0, 4 * w, strip.Height()}, strip, {4 * w * i, 0, 4 * w * (i + 1), strip.Height()});
      button->Xcoord = (w + 4) * (3 - i);
    }
    sysButtons_.push_back(std::move(button));
  }
}

void TSkinData::ReadButton() {
  const std::string s = "Buttons";
  TDataSkinButton &b = *buttons_;
  b.LeftWidth = ReadInteger(s, "LeftWidth", 0);
  b.RightWidth = ReadInteger(s, "RightWidth", 0);
  b.TopHeight = ReadInteger(s, "TopHeight", 0);
  b.BottomHeight = ReadInteger(s, "BottomHeight", 0);
  b.Trans = ReadInteger(s, "Trans", 0);
  b.Tile = ReadInteger(s, "Tile", 0);
  if (b.Tile > 1)
    b.Tile = 0;
  Readbmp(b.Image, ReadString(s, "Bitmap"));
  Readbmp(b.CheckBoxImage, ReadString(s, "CheckButton"));
  Readbmp(b.RadioButtonImage, ReadString(s, "RadioButton"));
  b.RadioFrame = ReadInteger(s, "RadioButtonFrame", 0);
  b.CheckFrame = ReadInteger(s, "CheckButtonFrame", 0);
  b.NormalColour2Given = !ReadString(s, "NormalColour2").empty();
  b.MouseOverColour2Given = !ReadString(s, "MouseOverColour2").empty();
  b.PressedColour2Given = !ReadString(s, "PressedColour2").empty();
  ReadColours(b, s);
}

void TSkinData::ReadTitle(const std::string &section) {
  TDataSkinTitle &t = *title_;
  Readbmp(t.Image, ReadString(section, "TextBack"));
  t.LeftWidth = ReadInteger(section, "TextShift", 0);
  t.TopHeight = ReadInteger(section, "TextShiftVert", 0);
  t.RightWidth = ReadInteger(section, "TextRightClip", 0);
  t.BottomHeight = 0;
  t.TextAlignment = ReadInteger(section, "TextAlignment", 0);
  t.Textbackground = ReadInteger(section, "Textbackground", 0);
  t.TXTBackleft = ReadInteger(section, "TXTBackleft", 0);
  t.TXTBackRight = ReadInteger(section, "TXTBackRight", 0);
  t.FontHeight = ReadInteger("Fonts", "FontHeight", 14);
  t.ActiveTextColour = CaptionColorNotGiven;
  t.InactiveTextColour = CaptionColorNotGiven;
  ReadRGB(section, "ActiveText", t.ActiveTextColour);
  ReadRGB(section, "InActiveText", t.InactiveTextColour);
}

void TSkinData::ReadColours(TDataSkinObject &object, const std::string &section) {
  object.NormalColour = ReadInteger(section, "NormalColour", -1);
  object.MouseOverColour = ReadInteger(section, "MouseOverColour", -1);
  object.PressedColour = ReadInteger(section, "PressedColour", -1);
  object.NormalColour2 = ReadColorText(section, "NormalColour2", colors_[csButtonText]);
  object.MouseOverColour2 = ReadColorText(section, "MouseOverColour2", colors_[csButtonText]);
  object.PressedColour2 = ReadColorText(section, "PressedColour2", colors_[csButtonText]);
}

void TSkinData::ReadMarginsAndFlags(TDataSkinObject &object, const std::string &section, int tileAbove1) {
  object.LeftWidth = ReadInteger(section, "LeftWidth", 0);
  object.RightWidth = ReadInteger(section, "RightWidth", 0);
  object.TopHeight = ReadInteger(section, "TopHeight", 0);
  object.BottomHeight = ReadInteger(section, "BottomHeight", 0);
  object.Trans = ReadInteger(section, "Trans", 0);
  object.Tile = ReadInteger(section, "Tile", 0);
  if (object.Tile > 1)
    object.Tile = tileAbove1;
}

template <typename Object>
Object *TSkinData::Refill(TSkinSlot slot, const std::string &section, const std::string &imageKey) {
  auto &held = slots_[static_cast<size_t>(slot)];
  held.reset();
  const std::string image = ReadString(section, imageKey);
  if (image.empty())
    return nullptr;
  auto object = std::make_unique<Object>(section);
  Object *made = object.get();
  held = std::move(object);
  Readbmp(made->Image, image);
  return made;
}

void TSkinData::ReadObject(TSkinSlot slot, const std::string &section) {
  if (auto *object = Refill<TDataSkinObject>(slot, section, "Image")) {
    object->Style = ReadInteger(section, "Style", 0);
    ReadMarginsAndFlags(*object, section, 0);
    ReadColours(*object, section);
  }
}

void TSkinData::ReadObject2(TSkinSlot slot, const std::string &section, const std::string &secondKey) {
  if (auto *object = Refill<TDataSkinBorder>(slot, section, "Image")) {
    if (const std::string second = ReadString(section, secondKey); !second.empty())
      Readbmp(object->Image2, second);
    ReadMarginsAndFlags(*object, section, 0);
    ReadColours(*object, section);
  }
}

void TSkinData::ReadProgress(TSkinSlot slot, const std::string &section) {
  if (auto *object = Refill<TDataSkinBorder>(slot, section, "Bitmap")) {
    Readbmp(object->Image2, ReadString(section, "Chunk"));
    object->Style = ReadInteger(section, "Style", 0);
    ReadMarginsAndFlags(*object, section, 1);
  }
}

void TSkinData::ReadMenuBar(TSkinSlot slot, const std::string &section) {
  if (auto *object = Refill<TDataSkinObject>(slot, section, "menuBar")) {
    object->Tile = std::min(ReadInteger(section, "TileMenu", 1), 1);
    // Flags for the end pieces rather than widths.
    object->LeftWidth = ReadInteger(section, "TileLeftMenu", 1);
    object->RightWidth = ReadInteger(section, "TileRightMenu", 1);
  }
}

void TSkinData::ReadBoxLabel(TSkinSlot slot, const std::string &section) {
  if (auto *object = Refill<TDataSkinBoxLabel>(slot, section, "Image")) {
    object->Style = ReadInteger(section, "Style", 0);
    ReadMarginsAndFlags(*object, section, 0);
    ReadColours(*object, section);
    object->BackgroundAlignment = ReadInteger(section, "BackgroundAlignment", 0);
    object->BackgroundLeftShift = ReadInteger(section, "BackgroundLeftShift", 0);
    object->BackgroundRightShift = ReadInteger(section, "BackgroundRightShift", 0);
  }
}

void TSkinData::SetFrame() {
  static constexpr std::pair<TSkinSlot, int> fixed[] = {{TSkinSlot::Progress, 2},
                                                        {TSkinSlot::MenuBar, 2},
                                                        {TSkinSlot::GroupBoxEdge, 2},
                                                        {TSkinSlot::GroupBox, 1},
                                                        {TSkinSlot::Tabs, 5},
                                                        {TSkinSlot::StatusBarEdges, 3},
                                                        {TSkinSlot::ToolBars, 5},
                                                        {TSkinSlot::ComboButton, 4},
                                                        {TSkinSlot::SunkEdge, 4},
                                                        {TSkinSlot::ExtraImages, 5},
                                                        {TSkinSlot::Headerbar, 5},
                                                        {TSkinSlot::MenuItem, 5},
                                                        {TSkinSlot::MenuBackground, 1},
                                                        {TSkinSlot::Scrollbar, 23},
                                                        {TSkinSlot::HorzScroll, 4},
                                                        {TSkinSlot::VertScroll, 4},
                                                        {TSkinSlot::TrackbarThumbHorz, 5},
                                                        {TSkinSlot::TrackbarThumbVert, 5},
                                                        {TSkinSlot::TrackbarThumbLeft, 5},
                                                        {TSkinSlot::TrackbarThumbRight, 5},
                                                        {TSkinSlot::TrackbarThumbUp, 5},
                                                        {TSkinSlot::TrackbarThumbDown, 5},
                                                        {TSkinSlot::UpDownHorz, 8},
                                                        {TSkinSlot::UpDownVert, 8}};
  for (const auto &[slot, frames] : fixed)
    if (TDataSkinObject *object = Slot(slot))
      object->Frame = frames;
  for (TSkinSlot thumb : {TSkinSlot::HorzScrollThumb, TSkinSlot::VertScrollThumb})
    if (TDataSkinObject *object = Slot(thumb))
      object->Frame = ReadInteger(object->Name, "FrameCount", 3);
  title_->Frame = 2;

  TDataSkinButton &b = *buttons_;
  b.Frame = 5;
  auto count = [](const TBitmap &image) { return std::max(4, image.Width() / (image.Height() < 16 ? 13 : 16)); };
  if (b.RadioFrame == 0)
    b.RadioFrame = count(b.RadioButtonImage);
  if (b.CheckFrame == 0)
    b.CheckFrame = count(b.CheckBoxImage);
}

void TSkinData::CheckFrames() {
  // Whatever the INI said, every count divides: less than one frame counts
  // as one, and an image whose frames would be narrower than a pixel is
  // dropped rather than drawn from outside itself.
  auto check = [](TBitmap &image, int &frames, bool stacked) {
    frames = Frames(frames);
    if (!image.Empty() && (stacked ? image.Height() : image.Width()) / frames < 1)
      image.Clear();
  };
  for (size_t i = 0; i < borders_.size(); ++i)
    check(borders_[i]->Image, borders_[i]->Frame, i >= 2);
  check(title_->Image, title_->Frame, true);
  check(buttons_->Image, buttons_->Frame, false);
  check(buttons_->CheckBoxImage, buttons_->CheckFrame, false);
  check(buttons_->RadioButtonImage, buttons_->RadioFrame, false);
  for (auto &button : sysButtons_)
    check(button->Image, button->Frame, false);
  for (auto &object : slots_)
    if (object)
      check(object->Image, object->Frame, object.get() == Slot(TSkinSlot::MenuBar));
}

void TSkinData::ReBuildCombobox() {
  TDataSkinObject *combo = Slot(TSkinSlot::ComboButton);
  TDataSkinObject *sunk = Slot(TSkinSlot::SunkEdge);
  if (!combo || !sunk || sunk->Image.Empty())
    return;
  constexpr int cellWidth = 50, cellHeight = 21;
  const int b = SkinPlatform().HorzScrollArrowWidth() + 2;
  const int frames = Frames(sunk->Frame);
  TBitmap strip(cellWidth * frames, cellHeight);
  strip.Fill(clFuchsia);
  TDataSkinObject *extra = Slot(TSkinSlot::ExtraImages);
  for (int i = 1; i <= frames; ++i) {
    const TRect cell = Bounds(cellWidth * (i - 1), 0, cellWidth, cellHeight);
    const TRect button{cell.Left + cellWidth - b, 0, cell.Right, cellHeight};
    DrawNineSlice(strip, cell, sunk->Image, sunk->FrameOf(i), sunk->Margins(), sunk->Tile != 0);
    DrawNineSlice(strip, button, combo->Image, combo->FrameOf(i), combo->Margins(), combo->Tile != 0);
    if (extra && !extra->Image.Empty())
      DrawNineSlice(strip, button, extra->Image, extra->FrameOf(i), extra->Margins(), extra->Tile != 0, clFuchsia);
    FillRect(strip, {cell.Left + 2, 2, cell.Left + cellWidth - 1 - b, 18}, clFuchsia);
  }
  const TMargins margins = sunk->Margins();
  combo->Image = strip;
  combo->Style = 2;
  combo->LeftWidth = 2;
  combo->TopHeight = margins.Top;
  combo->RightWidth = b + 2;
  combo->BottomHeight = margins.Bottom;
  SpiegelnHorizontal(strip);
  sunk->Image = std::move(strip);
  sunk->LeftWidth = b + 2;
  sunk->RightWidth = 2;
}

void TSkinData::RebuildToolbar() {
  TBitmap gradient(10, 40);
  GradFill(gradient, 0, 0, 10, 40, Blend(colors_[csButtonFace], clWhite, 150), true,
           Blend(clGray, GetCaptionColor(), 150));
  auto &slot = slots_[static_cast<size_t>(TSkinSlot::ToolBars)];
  if (!slot)
    slot = std::make_unique<TDataSkinObject>("Toolbar");
  slot->Image = std::move(gradient);
  slot->Frame = 1;
}

void TSkinData::ReplaceBrush() {
  const TSkinPlatform &platform = SkinPlatform();
  if (brush_)
    platform.DeleteBrush(brush_);
  brush_ = platform.CreateSolidBrush(colors_[csButtonFace]);
}

// ---- What the runtime reads ------------------------------------------------------

bool TSkinData::GetPrecolor(TColor &color, int index) const {
  if (index < 0 || index >= static_cast<int>(extraColors_.size()))
    return false;
  color = extraColors_[static_cast<size_t>(index)];
  return true;
}

TColor TSkinData::GetCaptionColor() const {
  const TDataSkinBorder &top = Top();
  if (top.Image.Empty())
    return colors_[csButtonFace];
  return top.Image.GetPixel(top.Image.Width() / 2, top.Image.Height() / Frames(top.Frame) * 2 / 3);
}

int TSkinData::GetSectionNum(const std::string &prefix, const std::string &key) {
  if (!ini_)
    return 0;
  int count = 0;
  while (!ReadString(prefix + std::to_string(count), key).empty())
    ++count;
  return count;
}

void TSkinData::GetAppIcon() {
  TBitmap icon;
  if (!SkinPlatform().ApplicationIcon(icon))
    return;
  appIcon_ = std::move(icon);
  appIcon_.Transparent = true;
  appIcon_.TransparentColor = clFuchsia;
}

void TSkinData::DoFormSkin(const std::string &className, bool &doSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == "SysMonthCal32")
    doSkin = false;
  else if (StartsWith(className, "Tfr") && skinControls_.Contains(TSkinControlType::xcFastReport))
    doSkin = false;
}

void TSkinData::DoSkinChanged() {
  if (OnSkinChanged)
    OnSkinChanged(this);
}

void TSkinData::ChangeProperty(TObject *obj, const std::string &propName, const std::string &value) {
  auto *persistent = dynamic_cast<TPersistent *>(obj);
  const TPropertyTable *table = persistent ? persistent->PublishedProperties() : nullptr;
  if (const TPropertyInfo *info = table ? table->Find(propName) : nullptr)
    info->SetEnumName(*persistent, value);
}

// ---- Activation ------------------------------------------------------------------

void TSkinData::SetActive(bool value) {
  if (value == active_)
    return;
  active_ = value;
  if (DesigningOrReading())
    return;
  if (skinFormtype_ == TSkinFormType::sfDialog || skinFormtype_ == TSkinFormType::sfDLL)
    return;
  TSkinManagerLink *manager = CreateSkinManager();
  if (!manager)
    return;
  if (skinFormtype_ == TSkinFormType::sfOnlyThisForm) {
    manager->SetPendingSkinData(this);
    if (!(value && skinLoading_))
      manager->SetAction(value ? SkinActionInstall : SkinActionUninstall, SkinActionDelay);
    return;
  }
  if (value && skinLoading_)
    return;
  manager->SetPendingSkinData(this);
  manager->SetAction(value ? SkinActionInstall : SkinActionUninstall, SkinActionDelay);
  if (value)
    manager->SetRunState(1);
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  if (Designing())
    return;
  if (TSkinManagerLink *manager = CreateSkinManager()) {
    manager->AddSkinData(this);
    if (skinFormtype_ != TSkinFormType::sfMainform) {
      manager->SetActive(true);
      manager->SetRunState(manager->RunState() + 1);
      if (TSkinWindow window = manager->FormWindow(Owner()))
        manager->AddForm(window);
      return;
    }
    manager->InstallHook();
    if (active_ && !skinLoading_)
      manager->SetAction(SkinActionInstall, SkinActionDelay);
  }
  if (skinFormtype_ != TSkinFormType::sfMainform)
    return;
  if (active_ && skinLoading_)
    active_ = false;
  // The system menu is skinned with the menu bar, menu items without it.
  if (skinControls_.Contains(TSkinControlType::xcMainMenu))
    skinControls_.Exclude(TSkinControlType::xcMenuItem);
  else
    skinControls_.Exclude(TSkinControlType::xcSystemMenu);
  GetAppIcon();
}

void TSkinData::UpdateSkin() {
  if (DesigningOrReading())
    return;
  TSkinManagerLink *manager = SkinManager();
  if (!manager) {
    Loaded();
    manager = SkinManager();
    if (!manager)
      return;
  }
  manager->SetPendingSkinData(this);
  manager->DeleteSysbtn();
  if (manager->RunState() == 1)
    manager->SetAction(SkinActionChanged, SkinActionDelay);
}

void TSkinData::Install() {
  if (TSkinManagerLink *manager = SkinManager())
    manager->SetAction(SkinActionInstall, SkinActionDelay);
}

void TSkinData::Uninstall() {
  if (TSkinManagerLink *manager = SkinManager())
    manager->SetAction(SkinActionUninstall, SkinActionDelay);
}

void TSkinData::EnableSkin(bool enable) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->SetActive(enable);
}

void TSkinData::InstallThread(int threadId) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->InstallThread(threadId);
}

void TSkinData::UnInstallThread(int threadId) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->UnInstallThread(threadId);
}

void TSkinData::UpdateSkinControl(TComponent *form, TComponent *control) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->UpdateSkinControl(form, control);
}

void TSkinData::UpdateMenu(TComponent *form) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->UpdateMenu(form);
}

void TSkinData::AddNestForm(TComponent *host, TComponent *nested) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->AddNestForm(host, nested);
}

void TSkinData::DeleteGraphicControl(TComponent *form, TComponent *graphicControl) {
  if (TSkinManagerLink *manager = SkinManager())
    manager->DeleteGraphicControl(form, graphicControl);
}

void TSkinData::SkinForm(TSkinWindow window) {
  TSkinManagerLink *manager = SkinManager();
  if (!manager)
    return;
  manager->SetForced(true);
  try {
    manager->AddForm(window);
  } catch (...) {
    manager->SetForced(false);
    throw;
  }
  manager->SetForced(false);
}

void TSkinData::UpdateMainMenu(bool framePainting) {
  menuFramePainting_ = framePainting;
  if (!framePainting)
    return;
  if (TSkinManagerLink *manager = SkinManager())
    manager->RefreshMenuBars();
}

} // namespace zorvex
