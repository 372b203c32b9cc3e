#include "PreviewForm.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "framework/win/Buttons.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ComboBox.h"
#include "framework/win/Dialogs.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/HeaderControl.h"
#include "framework/win/ImgList.h"
#include "framework/win/ListBox.h"
#include "framework/win/ListView.h"
#include "framework/win/Memo.h"
#include "framework/win/Menus.h"
#include "framework/win/OpenDialog.h"
#include "framework/win/PageControl.h"
#include "framework/win/ScrollBar.h"
#include "framework/win/SpeedButton.h"
#include "framework/win/StatusBar.h"
#include "framework/win/StdCtrls.h"
#include "framework/win/TabControl.h"
#include "framework/win/ToolBar.h"
#include "framework/win/TrackBar.h"
#include "framework/win/UpDown.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

constexpr int FormWidth = 1000;
constexpr int FormHeight = 540;
constexpr int ToolBarHeight = 30;
constexpr int StatusBarHeight = 22;

// The toolbar's and the menus' pictures, from the program's resources.
const wchar_t *const ImageResources[] = {L"GLYPH_OPEN", L"GLYPH_SAVE", L"GLYPH_PRINT", L"GLYPH_SKIN", L"GLYPH_HELP"};
namespace image {
constexpr int Open = 0, Save = 1, Print = 2, Skin = 3, Help = 4;
}

TDibBitmap Glyph(const wchar_t *name) {
  TDibBitmap bitmap;
  if (!bitmap.LoadFromResource(ModuleInstance(), name))
    return TDibBitmap(16, 16, 0xFF808080u); // a plain square keeps the layout
  return bitmap;
}

template <typename Control>
Control *Place(TComponent *owner, TWinControl *parent, int left, int top, int width, int height) {
  auto *control = new Control(owner); // owned by the form
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TMenuItem *AddItem(TMenuItem *parent, const std::string &caption, TNotifyEvent onClick = nullptr, int imageIndex = -1) {
  auto *item = new TMenuItem(nullptr); // owned by its parent item
  item->SetCaption(caption);
  item->SetImageIndex(imageIndex);
  item->OnClick = std::move(onClick);
  parent->Add(item);
  return item;
}

} // namespace

TPreviewForm::TPreviewForm(TComponent *owner) : TForm(owner) {
  SetCaption("Zorvex skin preview");
  SetPosition(TPosition::poScreenCenter);
  SetClientSize(FormWidth, FormHeight);
  SetIcon(LoadIconW(ModuleInstance(), L"MAINICON")); // shared with the module: not owned

  images_ = new TImageList(this);
  for (const wchar_t *name : ImageResources)
    images_->Add(Glyph(name));
  skins_ = BuiltInSkins(ModuleInstance());
  skinData_ = new TSkinData(this);
  skinData_->Loaded();
  openDialog_ = new TOpenDialog(this);
  openDialog_->SetTitle("Open skin file");
  openDialog_->SetFilter("Skin packages (*.skn)|*.skn|All files (*.*)|*.*");

  MakeMenus();
  MakeToolBar();
  MakeSkinList();
  MakeButtons(190, ToolBarHeight + 8);
  MakeChoices(190, ToolBarHeight + 140);
  MakeTextControls(400, ToolBarHeight + 8);
  MakeRanges(190, ToolBarHeight + 330);
  MakePages(400, ToolBarHeight + 240);
  MakeSides(806, ToolBarHeight + 8);
  MakeStatusBar();
  Shown("(no skin)", -1);
}

void TPreviewForm::MakeMenus() {
  mainMenu_ = new TMainMenu(this);
  mainMenu_->SetImages(images_);
  TMenuItem *root = mainMenu_->Items();

  skinMenu_ = AddItem(root, "&Skin");
  for (size_t i = 0; i < skins_.size(); ++i) {
    const int index = static_cast<int>(i);
    AddItem(skinMenu_, skins_[i].Name, [this, index](TObject *) { ShowBuiltInSkin(index); });
  }
  AddItem(skinMenu_, "-");
  TMenuItem *open = AddItem(
      skinMenu_, "&Open skin file\xE2\x80\xA6", [this](TObject *) { OpenSkinFile(); }, image::Open);
  open->SetShortCut(scCtrl | 'O');
  AddItem(skinMenu_, "-");
  AddItem(skinMenu_, "E&xit", [this](TObject *) { Close(); })->SetShortCut(scAlt | VK_F4);

  TMenuItem *edit = AddItem(root, "&Edit");
  AddItem(edit, "&Save", nullptr, image::Save)->SetShortCut(scCtrl | 'S');
  AddItem(edit, "&Print", nullptr, image::Print)->SetEnabled(false);
  AddItem(edit, "-");
  TMenuItem *wrap = AddItem(edit, "&Word wrap");
  wrap->SetChecked(true);
  wrap->OnClick = [wrap](TObject *) { wrap->SetChecked(!wrap->Checked()); };
  TMenuItem *more = AddItem(edit, "&More");
  AddItem(more, "First");
  AddItem(more, "Second")->SetChecked(true);

  TMenuItem *view = AddItem(root, "&View");
  AddItem(view, "&Tool bar")->SetChecked(true);
  AddItem(view, "&Status bar")->SetChecked(true);
  AddItem(root, "&Disabled")->SetEnabled(false);
  TMenuItem *help = AddItem(root, "&Help");
  AddItem(
      help, "&About", [](TObject *) { ShowMessage("Zorvex skin preview: every control, drawn by the skin."); },
      image::Help);
  SetMenu(mainMenu_);

  contextMenu_ = new TPopupMenu(this);
  contextMenu_->SetImages(images_);
  AddItem(
      contextMenu_->Items(), "&Open skin file\xE2\x80\xA6", [this](TObject *) { OpenSkinFile(); }, image::Open);
  AddItem(contextMenu_->Items(), "-");
  AddItem(contextMenu_->Items(), "&Checked")->SetChecked(true);
  AddItem(contextMenu_->Items(), "&Disabled")->SetEnabled(false);
}

void TPreviewForm::MakeToolBar() {
  toolBar_ = Place<TToolBar>(this, this, 0, 0, FormWidth, ToolBarHeight);
  toolBar_->SetImages(images_);
  auto addButton = [this](const std::string &hint, int imageIndex, TToolButtonStyle style) {
    auto *button = new TToolButton(this); // owned by the form
    button->SetParent(toolBar_);
    button->SetImageIndex(imageIndex);
    button->SetStyle(style);
    button->SetHint(hint);
    return button;
  };
  addButton("Open skin file", image::Open, TToolButtonStyle::tbsButton)->OnClick = [this](TObject *) {
    OpenSkinFile();
  };
  addButton("Save (disabled)", image::Save, TToolButtonStyle::tbsButton)->SetEnabled(false);
  addButton("", -1, TToolButtonStyle::tbsSeparator);
  addButton("Print (down)", image::Print, TToolButtonStyle::tbsCheck)->SetDown(true);
  dropDownMenu_ = new TPopupMenu(this);
  for (size_t i = 0; i < skins_.size(); ++i) {
    const int index = static_cast<int>(i);
    AddItem(dropDownMenu_->Items(), skins_[i].Name, [this, index](TObject *) { ShowBuiltInSkin(index); });
  }
  addButton("Skins", image::Skin, TToolButtonStyle::tbsDropDown)->SetDropdownMenu(dropDownMenu_);
  addButton("Help", image::Help, TToolButtonStyle::tbsButton);
}

void TPreviewForm::MakeSkinList() {
  auto *label = Place<TLabel>(this, this, 8, ToolBarHeight + 8, 170, 16);
  label->SetCaption("Built-in skins");
  skinList_ = Place<TListBox>(this, this, 8, ToolBarHeight + 26, 170, 190);
  for (const TBuiltInSkin &skin : skins_)
    skinList_->Items().Add(skin.Name);
  skinList_->OnClick = [this](TObject *) {
    if (!listing_ && skinList_->ItemIndex() >= 0)
      ShowBuiltInSkin(skinList_->ItemIndex());
  };
  auto *open = Place<TButton>(this, this, 8, ToolBarHeight + 222, 170, 26);
  open->SetCaption("Open skin file\xE2\x80\xA6");
  open->OnClick = [this](TObject *) { OpenSkinFile(); };

  auto *progressLabel = Place<TLabel>(this, this, 8, ToolBarHeight + 262, 170, 16);
  progressLabel->SetCaption("Progress bar (60 %)");
  auto *progress = Place<TProgressBar>(this, this, 8, ToolBarHeight + 280, 170, 18);
  progress->SetRange(0, 100);
  progress->SetPosition(60);
  auto *panel = Place<TPanel>(this, this, 8, ToolBarHeight + 308, 170, 60);
  panel->SetCaption("Panel");
  // Orientation first: it swaps the width and the height.
  auto *vertical = new TScrollBar(this); // owned by the form
  vertical->SetKind(TScrollBarKind::sbVertical);
  vertical->SetParent(this);
  vertical->SetBounds(8, ToolBarHeight + 376, 17, 100);
  vertical->SetParams(40, 0, 100);
  auto *verticalTrack = new TTrackBar(this); // owned by the form
  verticalTrack->SetOrientation(TTrackBarOrientation::trVertical);
  verticalTrack->SetParent(this);
  verticalTrack->SetBounds(32, ToolBarHeight + 376, 40, 100);
  verticalTrack->SetPosition(3);
  auto *disabledEdit = Place<TEdit>(this, this, 80, ToolBarHeight + 376, 98, 22);
  disabledEdit->SetText("Disabled edit");
  disabledEdit->SetEnabled(false);
}

void TPreviewForm::MakeButtons(int left, int top) {
  auto *box = Place<TGroupBox>(this, this, left, top, 200, 126);
  box->SetCaption("Buttons");
  auto *normal = Place<TButton>(this, box, 10, 20, 85, 25);
  normal->SetCaption("Default");
  normal->SetDefault(true);
  auto *plain = Place<TButton>(this, box, 105, 20, 85, 25);
  plain->SetCaption("Button");
  auto *disabled = Place<TButton>(this, box, 10, 52, 85, 25);
  disabled->SetCaption("Disabled");
  disabled->SetEnabled(false);
  auto *bit = Place<TBitBtn>(this, box, 105, 52, 85, 25);
  bit->SetCaption("Bit button");
  bit->SetGlyph(Glyph(ImageResources[image::Skin]));
  auto *speed = new TSpeedButton(this); // owned by the form
  speed->SetParent(box);
  speed->SetBounds(10, 86, 85, 25);
  speed->SetCaption("Speed (down)");
  speed->SetGroupIndex(1);
  speed->SetAllowAllUp(true);
  speed->SetDown(true);
  auto *flat = new TSpeedButton(this); // owned by the form
  flat->SetParent(box);
  flat->SetBounds(105, 86, 85, 25);
  flat->SetCaption("Speed");
  flat->SetGlyph(Glyph(ImageResources[image::Help]));
}

void TPreviewForm::MakeChoices(int left, int top) {
  auto *box = Place<TGroupBox>(this, this, left, top, 200, 182);
  box->SetCaption("Choices");
  const char *captions[] = {"Checked", "Unchecked", "Indeterminate", "Disabled"};
  const TCheckBoxState states[] = {TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked, TCheckBoxState::cbGrayed,
                                   TCheckBoxState::cbChecked};
  for (int i = 0; i < 4; ++i) {
    auto *check = Place<TCheckBox>(this, box, 10, 18 + 20 * i, 180, 18);
    check->SetCaption(captions[i]);
    check->SetAllowGrayed(true);
    check->SetState(states[i]);
    check->SetEnabled(i != 3);
  }
  const char *radios[] = {"Radio (checked)", "Radio", "Radio (disabled)"};
  for (int i = 0; i < 3; ++i) {
    auto *radio = Place<TRadioButton>(this, box, 10, 100 + 20 * i, 180, 18);
    radio->SetCaption(radios[i]);
    radio->SetChecked(i == 0);
    radio->SetEnabled(i != 2);
  }
}

void TPreviewForm::MakeTextControls(int left, int top) {
  auto *group = Place<TRadioGroup>(this, this, left, top, 190, 80);
  group->SetCaption("Radio group");
  group->SetItems({"First", "Second", "Third"});
  group->SetItemIndex(1);

  auto *edit = Place<TEdit>(this, this, left + 200, top + 4, 120, 22);
  edit->SetText("Focused edit");
  auto *number = Place<TEdit>(this, this, left + 200, top + 32, 103, 22);
  auto *updown = Place<TUpDown>(this, this, 0, 0, 17, 22);
  updown->SetAssociate(number);
  updown->SetPosition(42);
  auto *combo = Place<TComboBox>(this, this, left + 200, top + 60, 190, 22);
  combo->Items().SetCommaText("Red,Green,Blue");
  combo->SetItemIndex(1);
  auto *list = Place<TComboBox>(this, this, left + 200, top + 88, 190, 22);
  list->SetStyle(TComboBoxStyle::csDropDownList);
  list->Items().SetCommaText("\"Drop-down list\",Other");
  list->SetItemIndex(0);
  auto *horizontal = new TUpDown(this); // owned by the form
  horizontal->SetOrientation(TUDOrientation::udHorizontal);
  horizontal->SetParent(this);
  horizontal->SetBounds(left + 330, top + 4, 40, 22);

  auto *memo = Place<TMemo>(this, this, left, top + 88, 190, 110);
  memo->SetScrollBars(TScrollStyle::ssBoth);
  memo->SetWordWrap(false);
  std::string text;
  for (int i = 1; i <= 12; ++i)
    text += "Memo line " + std::to_string(i) + ", long enough to scroll sideways\r\n";
  memo->Lines().SetText(text);
  auto *box = Place<TListBox>(this, this, left + 200, top + 116, 190, 82);
  for (int i = 1; i <= 10; ++i)
    box->Items().Add("List box item " + std::to_string(i));
  box->SetItemIndex(2);
  SetActiveControl(edit);
}

void TPreviewForm::MakeRanges(int left, int top) {
  auto *scroll = Place<TScrollBar>(this, this, left, top, 200, 17);
  scroll->SetParams(30, 0, 100);
  auto *track = Place<TTrackBar>(this, this, left, top + 24, 200, 40);
  track->SetPosition(6);
  auto *tabs = Place<TTabControl>(this, this, left, top + 70, 200, 80);
  tabs->Tabs().SetCommaText("Tab,Control,Here");
  tabs->SetTabIndex(0);
  auto *label = Place<TLabel>(this, tabs, 10, 40, 170, 16);
  label->SetCaption("A tab control");
}

void TPreviewForm::MakePages(int left, int top) {
  auto *pages = Place<TPageControl>(this, this, left, top, 392, 196);
  auto *files = new TTabSheet(this); // owned by the form
  files->SetPageControl(pages);
  files->SetCaption("List view");
  auto *headers = new TTabSheet(this); // owned by the form
  headers->SetPageControl(pages);
  headers->SetCaption("Header control");
  auto *view = Place<TListView>(this, files, 6, 6, 372, 150);
  view->SetViewStyle(TViewStyle::vsReport);
  view->SetRowSelect(true);
  view->SetSmallImages(images_);
  for (const char *caption : {"Name", "Size", "Folder"})
    view->Columns().Add()->SetCaption(caption);
  view->Columns().Items(0)->SetWidth(140);
  view->Columns().Items(2)->SetWidth(150);
  for (int i = 0; i < 10; ++i) {
    TListItem *item = view->Items().Add();
    item->SetCaption("picture" + std::to_string(i) + ".jpg");
    item->SetImageIndex(i % images_->Count());
    item->SubItems().Add(std::to_string(1024 * (i + 1)));
    item->SubItems().Add("C:\\Photos\\" + std::to_string(2020 + i));
  }
  view->Items()[1]->SetSelected(true);
  auto *header = Place<THeaderControl>(this, headers, 6, 6, 372, 22);
  for (const char *text : {"Header", "Control", "Sections"}) {
    THeaderSection *section = header->Sections().Add();
    section->SetText(text);
    section->SetWidth(110);
  }
  pages->SetActivePageIndex(0);
}

void TPreviewForm::MakeSides(int left, int top) {
  const TTabPosition sides[] = {TTabPosition::tpLeft, TTabPosition::tpRight};
  for (int i = 0; i < 2; ++i) {
    auto *tabs = Place<TTabControl>(this, this, left, top + 118 * i, 186, 110);
    tabs->SetTabPosition(sides[i]);
    tabs->Tabs().SetCommaText(i == 0 ? "Left,Tabs" : "Right,Tabs");
    tabs->SetTabIndex(i);
  }
  auto *label = Place<TLabel>(this, this, left, top + 236, 186, 16);
  label->SetCaption("Marquee progress bar");
  auto *marquee = Place<TProgressBar>(this, this, left, top + 254, 186, 18);
  marquee->SetStyle(TProgressBarStyle::pbstMarquee);
  auto *lowered = Place<TPanel>(this, this, left, top + 282, 186, 44);
  lowered->SetBevelOuter(TPanelBevel::bvLowered);
  lowered->SetCaption("Lowered panel");
  auto *framed = Place<TPanel>(this, this, left, top + 334, 186, 44);
  framed->SetBevelInner(TPanelBevel::bvLowered);
  framed->SetCaption("Raised and lowered");
  auto *line = new TBevel(this); // owned by the form
  line->SetParent(this);
  line->SetBounds(left, top + 388, 186, 2);
  line->SetShape(TBevelShape::bsTopLine);
}

void TPreviewForm::MakeStatusBar() {
  statusBar_ = Place<TStatusBar>(this, this, 0, FormHeight - StatusBarHeight, FormWidth, StatusBarHeight);
  statusBar_->Panels().Add()->SetWidth(300);
  statusBar_->Panels().Add()->SetText("Right-click the window for a popup menu");
}

void TPreviewForm::BoundsChanged() {
  TForm::BoundsChanged();
  // The bars keep to the edges of whatever client area the frame leaves.
  if (toolBar_)
    toolBar_->SetBounds(0, 0, ClientWidth(), ToolBarHeight);
  if (statusBar_)
    statusBar_->SetBounds(0, ClientHeight() - StatusBarHeight, ClientWidth(), StatusBarHeight);
}

void TPreviewForm::Shown(const std::string &name, int builtInIndex) {
  shownSkin_ = name;
  statusBar_->Panels().Items(0)->SetText("Skin: " + name);
  listing_ = true;
  skinList_->SetItemIndex(builtInIndex);
  listing_ = false;
  for (int i = 0; i < static_cast<int>(skins_.size()) && i < skinMenu_->Count(); ++i)
    skinMenu_->Items(i)->SetChecked(i == builtInIndex);
}

bool TPreviewForm::ShowBuiltInSkin(int index) {
  if (index < 0 || index >= static_cast<int>(skins_.size()))
    return false;
  TMemoryStream package;
  if (!BuiltInSkinPackage(ModuleInstance(), skins_[static_cast<size_t>(index)], package) ||
      !ApplyBuiltInPackage(*skinData_, package)) {
    MessageDlg("The built-in skin \"" + skins_[static_cast<size_t>(index)].Name + "\" cannot be shown.",
               TMsgDlgType::mtError, mb::OK);
    return false;
  }
  Shown(skins_[static_cast<size_t>(index)].Name, index);
  return true;
}

void TPreviewForm::OpenSkinFile() {
  if (openDialog_->Execute())
    ShowSkinFile(openDialog_->FileName());
}

bool TPreviewForm::ShowSkinFile(const std::string &path) {
  TMemoryStream package;
  try {
    package.LoadFromFile(path);
  } catch (const Exception &error) {
    MessageDlg("The file \"" + path + "\" cannot be read: " + error.what(), TMsgDlgType::mtError, mb::OK);
    return false;
  }
  if (!ApplySkinPackage(*skinData_, package)) {
    MessageDlg("The file \"" + path +
                   "\" is not a skin package that can be shown (damaged, or of another kind). The skin on "
                   "show stays.",
               TMsgDlgType::mtError, mb::OK);
    return false;
  }
  Shown(ExtractFileName(path), -1);
  return true;
}

void TPreviewForm::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbRight)
    return;
  const POINT screen = ClientToScreen(POINT{x, y});
  contextMenu_->Popup(screen.x, screen.y);
}

} // namespace zorvex
