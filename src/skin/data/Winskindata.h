#pragma once
// TSkinData: the non-visual component that owns the current skin. It keeps
// the skin package's bytes, loads them from a file, a stream, its own stored
// "SkinStream" or an item of a skin store, reads the package's INI text and
// turns it into a fixed set of data objects that the skin runtime paints
// from. Its Active property and its loads drive the skin manager.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SkinControlList.h"
#include "SkinDataObjects.h"
#include "SkinManagerLink.h"
#include "framework/core/Component.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"

namespace zorvex {

class TQuickIni;
class TSkinReader;
class TSkinStore;

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// The object slots, in the order they are read.
enum class TSkinSlot {
  Progress,
  MenuBar,
  GroupBoxEdge,
  GroupBox,
  Tabs,
  StatusBarEdges,
  ToolBars,
  ComboButton,
  SunkEdge,
  ExtraImages,
  Headerbar,
  MenuItem,
  MenuBackground,
  Scrollbar,
  HorzScroll,
  VertScroll,
  HorzScrollThumb,
  VertScrollThumb,
  TrackbarThumbHorz,
  TrackbarThumbVert,
  TrackbarThumbLeft,
  TrackbarThumbRight,
  TrackbarThumbUp,
  TrackbarThumbDown,
  UpDownHorz,
  UpDownVert,
};
constexpr int SkinSlotCount = static_cast<int>(TSkinSlot::UpDownVert) + 1;

// The largest picture a skin may hold, and the most pixels all the pictures
// of one package may hold together: a package beyond either is refused.
constexpr int MaxSkinImageSide = 4096;
constexpr int64_t MaxSkinPackagePixels = int64_t{64} << 20;

using TOnFormSkin = std::function<void(TObject *sender, const std::string &aName, bool &doSkin)>;
using TSkinNotifyEvent = std::function<void(TObject *sender)>;
using TOnSkinControl =
    std::function<void(TComponent *sender, class TSkinData *skinData, TComponent *form, TComponent *control,
                       const std::string &controlClass, TComponent *&skinnedControl)>;

class TSkinData : public TComponent {
public:
  explicit TSkinData(TComponent *owner = nullptr);
  ~TSkinData() override;

  // ---- Published properties
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int value) { disableTag_ = value; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes value) { skinControls_ = value; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions value) { options_ = value; }
  TStrings *Skin3rd() const { return skin3rd_.get(); }
  // Replaces the list with a copy of the given one.
  void SetControlList(TStrings *value);
  const std::string &SkinFile() const { return skinFile_; }
  // "(Good)" while designing with a skin held, else "(none)".
  std::string SkinStore() const;
  void SetSkinStore(const std::string &) {}
  TSkinFormType SkinFormtype() const { return skinFormtype_; }
  void SetSkinFormtype(TSkinFormType value) { skinFormtype_ = value; }
  std::string Version() const { return "3.26.07.21"; }
  void SetVersion(const std::string &) {}
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool value) { menuUpdate_ = value; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool value) { menuMerge_ = value; }
  TOnFormSkin OnFormSkin;
  TSkinNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;

  // ---- Loading; each replaces the current skin
  // Also the setter of SkinFile. A missing file loads nothing.
  void LoadFromFile(const std::string &fileName);
  void LoadFromStream(TStream *stream);
  // Item `index` of the store; nothing when there is no such item.
  void LoadFromCollection(TSkinStore *store, int index);
  // Rebuilds every object from the package bytes. False when the package is
  // refused (not a package of the current kind, damaged, or holding pictures
  // beyond the limits above): the previous objects stay, the loading flag too.
  bool LoadSkin();
  // Reads the whole skin from the INI store of the load in progress.
  void LoadFromIni(const std::string &name);
  // "SkinStream": a 32-bit count, then that many package bytes.
  void ReadData(TStream &stream);
  void WriteData(TStream &stream);
  void DefineProperties(TFiler &filer) override;

  // ---- Activation, through the skin manager
  void Loaded() override;
  void UpdateSkin();
  void Install();
  void Uninstall();
  void EnableSkin(bool enable);
  void InstallThread(int threadId);
  void UnInstallThread(int threadId);
  void UpdateSkinControl(TComponent *form, TComponent *control = nullptr);
  void UpdateMenu(TComponent *form);
  void AddNestForm(TComponent *host, TComponent *nested);
  void DeleteGraphicControl(TComponent *form, TComponent *graphicControl);
  void SkinForm(TSkinWindow window);
  void UpdateMainMenu(bool framePainting);
  // Whether a window class may be skinned: the OnFormSkin handler decides if
  // there is one; otherwise only refusals are added to the caller's verdict.
  void DoFormSkin(const std::string &className, bool &doSkin);
  void DoSkinChanged();
  // Sets a published enumeration property of obj by its value's name.
  static void ChangeProperty(TObject *obj, const std::string &propName, const std::string &value);

  // ---- What the runtime reads
  bool SkinLoading() const { return skinLoading_; }
  const std::string &SkinName() const { return skinName_; }
  TMemoryStream &Package() { return package_; }
  TColor Colors(TShemeColor index) const { return colors_[index]; }
  const std::vector<TColor> &ExtraColors() const { return extraColors_; }
  const std::array<TColor, 10> &CustomColors() const { return customColors_; }
  // Extra colour `index`; false for an index outside them.
  bool GetPrecolor(TColor &color, int index) const;
  TColor GetCaptionColor() const;
  TDataSkinTitle &Title() const { return *title_; }
  TDataSkinButton &Buttons() const { return *buttons_; }
  TDataSkinBorder &Left() const { return *borders_[0]; }
  TDataSkinBorder &Right() const { return *borders_[1]; }
  TDataSkinBorder &Top() const { return *borders_[2]; }
  TDataSkinBorder &Bottom() const { return *borders_[3]; }
  // The caption buttons; the last three are those of a maximised child window.
  const std::vector<std::unique_ptr<TDataSkinSysButton>> &SysButtons() const { return sysButtons_; }
  // A slot's object, null when the skin has none.
  TDataSkinObject *Slot(TSkinSlot slot) const { return slots_[static_cast<size_t>(slot)].get(); }
  // The same for the slots that hold a second image.
  TDataSkinBorder *BorderSlot(TSkinSlot slot) const { return dynamic_cast<TDataSkinBorder *>(Slot(slot)); }
  TDataSkinBoxLabel *GroupBoxLabel() const { return dynamic_cast<TDataSkinBoxLabel *>(Slot(TSkinSlot::GroupBox)); }
  TWinContainers Containers() const { return containers_; }
  const TBitmap &AppIcon() const { return appIcon_; }
  // The button-face brush (an HBRUSH, not owned by the caller; 0 where none).
  uintptr_t ButtonFaceBrush() const { return brush_; }
  // The menu-glyph image list, null where the platform has none.
  TObject *MenuGlyphs() const { return menuGlyphs_.get(); }
  bool MenuFramePainting() const { return menuFramePainting_; }
  // Sections prefix0, prefix1, ... in which key is not empty, counted up to
  // the first where it is; 0 outside a load.
  int GetSectionNum(const std::string &prefix, const std::string &key);
  void GetAppIcon();

  std::string ClassName() const override { return "TSkinData"; }
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // Loads the package entry `entryName` (path parts dropped, letter case
  // ignored) into the bitmap; a name whose extension is not ".bmp", a
  // missing or broken entry all leave it empty.
  void Readbmp(TBitmap &bitmap, const std::string &entryName);

private:
  bool Designing() const { return (ComponentState() & cs::Designing) != 0; }
  bool DesigningOrReading() const { return (ComponentState() & (cs::Designing | cs::Loading)) != 0; }
  void ReplacePackage(TStream &source);
  // Loads the package and, for the whole application's skin, tells the manager.
  void LoadPackage();
  bool PackagePicturesFit();
  void InitControlList();

  std::string ReadString(const std::string &section, const std::string &key, const std::string &fallback = {});
  int ReadInteger(const std::string &section, const std::string &key, int fallback);
  TColor ReadColorText(const std::string &section, const std::string &key, TColor fallback);
  void ReadRGB(const std::string &section, const std::string &name, TColor &color);
  void ReadBord(TDataSkinBorder &border, const std::string &side);
  void ReadColor();
  void ReadSysButton();
  void CreateMdibtn();
  void ReadButton();
  void ReadTitle(const std::string &section);
  // The text colours, as numbers and as colour text.
  void ReadColours(TDataSkinObject &object, const std::string &section);
  void ReadMarginsAndFlags(TDataSkinObject &object, const std::string &section, int tileAbove1);
  // Empties the slot; when the section names a picture under imageKey, puts
  // a new object there with that picture.
  template <typename Object> Object *Refill(TSkinSlot slot, const std::string &section, const std::string &imageKey);
  void ReadObject(TSkinSlot slot, const std::string &section);
  void ReadObject2(TSkinSlot slot, const std::string &section, const std::string &secondKey);
  void ReadProgress(TSkinSlot slot, const std::string &section);
  void ReadMenuBar(TSkinSlot slot, const std::string &section);
  void ReadBoxLabel(TSkinSlot slot, const std::string &section);
  void SetFrame();
  void CheckFrames();
  void ReBuildCombobox();
  void RebuildToolbar();
  void ReplaceBrush();

  // Published state
  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_;
  TSkinOptions options_;
  std::unique_ptr<TStringList> skin3rd_;
  std::string skinFile_;
  TSkinFormType skinFormtype_ = TSkinFormType::sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;

  // The load in progress
  TQuickIni *ini_ = nullptr;              // not owned: lives for one LoadSkin
  TSkinReader *reader_ = nullptr;         // not owned: lives for one LoadSkin
  TMemoryStream *scratch_ = nullptr;      // not owned: one entry at a time
  std::unique_ptr<TStringList> sections_; // while reading

  TWinContainers containers_;
  TMemoryStream package_;
  bool skinLoading_ = true;
  std::array<TColor, SchemeColorCount> colors_{};
  std::vector<TColor> extraColors_;
  TBitmap appIcon_;
  std::unique_ptr<TDataSkinTitle> title_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> sysButtons_;
  std::unique_ptr<TDataSkinButton> buttons_;
  std::array<std::unique_ptr<TDataSkinObject>, SkinSlotCount> slots_;
  std::array<std::unique_ptr<TDataSkinBorder>, 4> borders_;
  std::array<TColor, 10> customColors_{};
  uintptr_t brush_ = 0;
  bool menuFramePainting_ = true;
  std::unique_ptr<TObject> menuGlyphs_;
  std::string skinName_;
};

// ---- Unit functions
constexpr TColor RGBToColor(int r, int g, int b) { return r + 256 * g + 65536 * b; }
// Colour text: up to three runs of decimal digits (anything else separates
// them) as red, green and blue, missing ones 0, each kept to its low 8 bits.
TColor strcolor(const std::string &text);
// The text before the first "." (empty when there is none or it is first).
std::string GetFileName(const std::string &s);
// 8-bit text in the ANSI code page to wide text and back.
std::u16string StrToWideStr(const std::string &s);
std::string WideStringToStringEx(const std::u16string &s);

} // namespace zorvex
