#include "ZorvexFP.h"

#include <initializer_list>

#include "AppGlyphs.h"
#include "Language.h"
#include "MainActionHost.h"
#include "MainScanHost.h"
#include "ZorvexFS1.h"
#include "actions/HelpText.h"
#include "framework/core/Filer.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Registry.h"
#include "scan/ResultTables.h"
#include "scan/ScanOptions.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinstore.h"

namespace zorvex {

SettingsLocation DefaultSettingsLocation() {
  return SettingsLocation{HKEY_LOCAL_MACHINE, kSettingsKeyPath, HKEY_CURRENT_USER, kSettingsKeyPath};
}

SettingsLocation SettingsKey = DefaultSettingsLocation();
std::string Language = kEnglish;
int32_t SkinNumber = 0;
std::string SuppressedMarker;
ScanState MainScan;
TForm1 *Form1 = nullptr;

namespace {
const char *const kLanguageValue = "Language";
const char *const kSkinValue = "Skin";

// The two places the settings may be, in the order a first start tries to
// make them.
struct Place {
  HKEY root;
  const std::string &path;
};
Place MachinePlace() { return {SettingsKey.MachineRoot, SettingsKey.MachinePath}; }
Place UserPlace() { return {SettingsKey.UserRoot, SettingsKey.UserPath}; }

bool OpenPlace(TRegistry &registry, const Place &place, bool canCreate) {
  registry.SetRootKey(place.root);
  return registry.OpenKey(place.path, canCreate);
}

void WriteSettings(TRegistry &registry, const std::string &language, int32_t skinNumber) {
  registry.WriteString(kLanguageValue, language);
  registry.WriteInteger(kSkinValue, skinNumber);
}

template <typename Control>
Control *Make(TForm1 *form, TWinControl *parent, const char *name, int left, int top, int width, int height) {
  auto *control = new Control(form); // owned by the form
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TLabel *MakeLabel(TForm1 *form, TWinControl *parent, const char *name, int left, int top, const std::string &caption,
                  TColor color) {
  auto *label = Make<TLabel>(form, parent, name, left, top, 0, 0);
  label->Font().SetStyle(fs::Bold);
  label->Font().SetColor(color);
  label->SetCaption(caption);
  return label;
}

TBitBtn *MakeButton(TForm1 *form, TWinControl *parent, const char *name, int left, int top, int width, int height,
                    const wchar_t *glyphName) {
  auto *button = Make<TBitBtn>(form, parent, name, left, top, width, height);
  button->SetGlyph(LoadGlyph(glyphName));
  return button;
}

// Where the result grids stand and how wide their columns are when the window
// is shown (-1: a hidden column).
struct GridLayout {
  int left, top, width, height;
  std::initializer_list<int> colWidths;
};

const GridLayout &LayoutOf(ResultGrid grid) {
  static const GridLayout files{453, 120, 544, 193, {40, 490, -1, -1, -1}};
  static const GridLayout dirs{9, 120, 427, 193, {40, 360}};
  static const GridLayout doubles{9, 318, 988, 397, {40, 430, 430, 60}};
  switch (grid) {
  case ResultGrid::Files: return files;
  case ResultGrid::Dirs: return dirs;
  case ResultGrid::Doubles: break;
  }
  return doubles;
}

void ApplyColumnWidths(TStringGrid &control, ResultGrid grid) {
  int col = 0;
  for (const int width : LayoutOf(grid).colWidths)
    control.Model().SetColWidth(col++, width);
}

TStringGrid *MakeGrid(TForm1 *form, const char *name, ResultGrid grid) {
  const GridLayout &layout = LayoutOf(grid);
  TGridModel model = MakeResultGrid(grid);
  model.SetDefaultRowHeight(16);
  auto *control = new TStringGrid(form, model.ColCount(), model.RowCount()); // owned by the form
  control->SetName(name);
  control->SetParent(form);
  control->SetBounds(layout.left, layout.top, layout.width, layout.height);
  control->AssignModel(std::move(model));
  return control;
}
} // namespace

bool OpenSettingsKeyForReading(TRegistry &registry) {
  for (const Place &place : {UserPlace(), MachinePlace()}) {
    registry.SetRootKey(place.root);
    if (registry.OpenKeyReadOnly(place.path))
      return true;
  }
  return false;
}

bool SaveSetting(Setting changed, const std::string &language, int32_t skinNumber) {
  TRegistry registry;
  registry.SetRootKey(UserPlace().root);
  const bool userKeyExists = registry.KeyExists(UserPlace().path);
  if (OpenPlace(registry, userKeyExists ? UserPlace() : MachinePlace(), false)) {
    try {
      if (changed == Setting::LanguageValue)
        registry.WriteString(kLanguageValue, language);
      else
        registry.WriteInteger(kSkinValue, skinNumber);
      return true;
    } catch (const ERegistryException &) {
      if (userKeyExists)
        return false;
    }
  } else if (userKeyExists) {
    return false;
  }
  // The machine-wide key cannot be written, or there is no key at all.
  if (!OpenPlace(registry, UserPlace(), true))
    return false;
  try {
    WriteSettings(registry, language, skinNumber);
    return true;
  } catch (const ERegistryException &) {
    return false;
  }
}

TForm1::TForm1(TComponent *owner) : TForm(owner) {
  Form1 = this;
  // The program's boxes keep the framework's French titles and buttons in
  // both interface languages.
  SetDialogLanguage(TDialogLanguage::French);
  SetName("Form1");
  SetCaption("Zorvex  V1.1c");
  SetBounds(0, 0, 1012, 756);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clBtnFace);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetIcon(AppIcon());
  CreateControls();
  CreateSkinComponents();
  scanHost_ = std::make_unique<MainScanHost>(*this);
  OnCreate = [this](TObject *sender) { FormCreate(sender); };
  OnShow = [this](TObject *sender) { FormShow(sender); };
  DoCreate();
}

TForm1::~TForm1() {
  if (Form1 == this)
    Form1 = nullptr;
}

void TForm1::CreateSkinComponents() {
  SetSkinPlatform(&WindowsSkinPlatform());
  SkinData1 = new TSkinData(this); // owned by the form
  SkinData1->SetName("SkinData1");
  SkinStore1 = new TSkinStore(this); // owned by the form
  SkinStore1->SetName("SkinStore1");
  // The design is linked into the program as a resource of its own.
  HMODULE module = GetModuleHandleW(nullptr); // not owned
  HRSRC resource = FindResourceW(module, L"FORM1_DESIGN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes)
    throw Exception("The main window's design is missing from the program");
  TMemoryStream design;
  design.WriteBuffer(bytes, SizeofResource(module, resource));
  design.SetPosition(0);
  TReader(design).ReadDesign(*this);
}

void TForm1::CreateControls() {
  Label1 = MakeLabel(this, this, "Label1", 9, 12, "STARTING DIRECTORY", clWindowText);
  Edit1 = Make<TEdit>(this, this, "Edit1", 192, 6, 502, 21);
  BitBtn2 = MakeButton(this, this, "BitBtn2", 699, 6, 22, 22, glyph::Folder);
  BitBtn2->OnClick = [this](TObject *sender) { BitBtn2Click(sender); };

  Label3 = MakeLabel(this, this, "Label3", 9, 42, "LOOK ONLY FILES BETWEEN", clBlue);
  RG1 = Make<TRadioGroup>(this, this, "RG1", 192, 27, 529, 31);
  RG1->Font().SetColor(clBlue);
  RG1->SetColumns(kSizeClassCount);
  RG1->SetItems(std::vector<std::string>(kLowerBoundItems.begin(), kLowerBoundItems.end()));
  RG1->SetItemIndex(0);
  Label4 = MakeLabel(this, this, "Label4", 153, 69, "AND", clBlue);
  RG2 = Make<TRadioGroup>(this, this, "RG2", 192, 57, 529, 31);
  RG2->Font().SetColor(clBlue);
  RG2->SetColumns(kSizeClassCount);
  RG2->SetItems(std::vector<std::string>(kUpperBoundItems.begin(), kUpperBoundItems.end()));
  RG2->SetItemIndex(0);

  Label10 = MakeLabel(this, this, "Label10", 9, 99, "GET TOTAL SIZE", clRed);
  Label10->SetColor(clYellow);
  Label10->Hide();
  ProgressBar1 = Make<TProgressBar>(this, this, "ProgressBar1", 192, 96, 529, 17);
  ProgressBar1->SetRange(0, 100);
  ProgressBar1->SetStep(1);

  Bevel4 = Make<TBevel>(this, this, "Bevel4", 729, 9, 2, 109);
  Bevel2 = Make<TBevel>(this, this, "Bevel2", 780, 6, 2, 109);
  Bevel3 = Make<TBevel>(this, this, "Bevel3", 912, 6, 2, 109);
  for (TBevel *bevel : {Bevel4, Bevel2, Bevel3})
    bevel->SetShape(TBevelShape::bsLeftLine);

  BitBtn10 = MakeButton(this, this, "BitBtn10", 735, 9, 40, 25, glyph::FlagEnglish);
  BitBtn10->SetHint("Switch to English language");
  BitBtn10->Hide();
  BitBtn10->OnClick = [this](TObject *sender) { BitBtn10Click(sender); };
  BitBtn11 = MakeButton(this, this, "BitBtn11", 735, 9, 40, 25, glyph::FlagFrench);
  BitBtn11->SetHint("Passer en langue fran\xC3\xA7"
                    "aise");
  BitBtn11->Hide();
  BitBtn11->OnClick = [this](TObject *sender) { BitBtn11Click(sender); };
  BitBtn13 = MakeButton(this, this, "BitBtn13", 735, 34, 40, 25, glyph::Help);
  BitBtn13->SetHint("Help");
  BitBtn13->OnClick = [this](TObject *sender) { BitBtn13Click(sender); };
  BitBtn14 = MakeButton(this, this, "BitBtn14", 735, 59, 40, 25, glyph::Skin);
  BitBtn14->Font().SetStyle(fs::Bold);
  BitBtn14->SetCaption("0");
  BitBtn14->SetHint("Skin");
  BitBtn14->SetSpacing(2);
  BitBtn14->OnClick = [this](TObject *sender) { BitBtn14Click(sender); };
  BitBtn15 = MakeButton(this, this, "BitBtn15", 735, 84, 40, 25, glyph::RecycleAll);
  BitBtn15->SetHint("Attention !!!! DANGER !!!");
  BitBtn15->OnClick = [this](TObject *sender) { BitBtn15Click(sender); };

  CheckBox1 = Make<TCheckBox>(this, this, "CheckBox1", 784, 9, 124, 17);
  CheckBox1->SetCaption("Recurse directories");
  CheckBox1->SetChecked(true);
  Label2 = MakeLabel(this, this, "Label2", 786, 37, "FILTER", clMaroon);
  Edit2 = Make<TEdit>(this, this, "Edit2", 858, 34, 46, 21);
  Edit2->Font().SetStyle(fs::Bold);
  Edit2->Font().SetColor(clMaroon);
  Edit2->SetHint("Ex : *.jpg");
  Edit2->SetText("*.*");
  Label9 = MakeLabel(this, this, "Label9", 786, 69, "EXCLUDE", clMaroon);
  Edit3 = Make<TEdit>(this, this, "Edit3", 858, 63, 46, 21);
  Edit3->Font().SetStyle(fs::Bold);
  Edit3->Font().SetColor(clMaroon);
  Edit3->SetHint("Ex : *.html");
  CheckBox2 = Make<TCheckBox>(this, this, "CheckBox2", 788, 92, 117, 17);
  CheckBox2->SetCaption("Show details");

  BitBtn1 = MakeButton(this, this, "BitBtn1", 918, 6, 80, 30, glyph::Start);
  BitBtn1->Font().SetStyle(fs::Bold);
  BitBtn1->Font().SetColor(clBlue);
  BitBtn1->SetCaption("Start");
  BitBtn1->OnClick = [this](TObject *sender) { BitBtn1Click(sender); };
  BitBtn3 = MakeButton(this, this, "BitBtn3", 918, 36, 80, 30, glyph::Abort);
  BitBtn3->Font().SetStyle(fs::Bold);
  BitBtn3->Font().SetColor(clRed);
  BitBtn3->SetCaption("Abort");
  BitBtn3->SetEnabled(false);
  BitBtn3->OnClick = [this](TObject *sender) { BitBtn3Click(sender); };
  BitBtn7 = MakeButton(this, this, "BitBtn7", 918, 66, 80, 24, glyph::Print);
  BitBtn7->Font().SetStyle(fs::Bold);
  BitBtn7->SetCaption("Print");
  BitBtn7->SetEnabled(false);
  BitBtn7->OnClick = [this](TObject *sender) { BitBtn7Click(sender); };
  BitBtn12 = MakeButton(this, this, "BitBtn12", 918, 90, 80, 24, glyph::Save);
  BitBtn12->Font().SetStyle(fs::Bold);
  BitBtn12->SetCaption("Save");
  BitBtn12->SetEnabled(false);
  BitBtn12->OnClick = [this](TObject *sender) { BitBtn12Click(sender); };

  SG2 = MakeGrid(this, "SG2", ResultGrid::Dirs);
  SG1 = MakeGrid(this, "SG1", ResultGrid::Files);

  Panel1 = Make<TPanel>(this, this, "Panel1", 9, 123, 988, 187);
  Panel1->SetColor(clSilver);
  Panel1->Hide();
  Label5 = MakeLabel(this, Panel1, "Label5", 18, 12, "File 1", clWindowText);
  Label6 = MakeLabel(this, Panel1, "Label6", 18, 27, "Size 1", clWindowText);
  Label7 = MakeLabel(this, Panel1, "Label7", 21, 102, "File 2", clBlue);
  Label8 = MakeLabel(this, Panel1, "Label8", 21, 117, "Size 2", clBlue);
  for (TLabel *label : {Label5, Label6, Label7, Label8}) {
    label->SetAutoSize(false);
    label->SetShowAccelChar(false);
    label->SetBounds(label->Left(), label->Top(), 600, 13);
  }
  Bevel1 = Make<TBevel>(this, Panel1, "Bevel1", 6, 90, 634, 2);
  Bevel1->SetShape(TBevelShape::bsTopLine);
  Image4 = Make<TImage>(this, Panel1, "Image4", 645, 9, 154, 154);
  Image5 = Make<TImage>(this, Panel1, "Image5", 816, 27, 154, 154);
  for (TImage *image : {Image4, Image5}) {
    image->SetStretch(true);
    image->SetProportional(true);
  }
  BitBtn4 = MakeButton(this, Panel1, "BitBtn4", 966, 3, 20, 20, glyph::Close);
  BitBtn4->OnClick = [this](TObject *sender) { BitBtn4Click(sender); };
  BitBtn8 = MakeButton(this, Panel1, "BitBtn8", 21, 45, 38, 38, glyph::Open);
  BitBtn8->SetHint("Open this file");
  BitBtn8->OnClick = [this](TObject *sender) { BitBtn8Click(sender); };
  BitBtn5 = MakeButton(this, Panel1, "BitBtn5", 75, 45, 38, 38, glyph::Recycle);
  BitBtn5->SetHint("Send file 1 to Recycle bin");
  BitBtn5->OnClick = [this](TObject *sender) { BitBtn5Click(sender); };
  BitBtn9 = MakeButton(this, Panel1, "BitBtn9", 21, 138, 38, 38, glyph::Open);
  BitBtn9->SetHint("Open this file");
  BitBtn9->OnClick = [this](TObject *sender) { BitBtn9Click(sender); };
  BitBtn6 = MakeButton(this, Panel1, "BitBtn6", 75, 138, 38, 38, glyph::Recycle);
  BitBtn6->SetHint("Send file 2 to Recycle bin");
  BitBtn6->OnClick = [this](TObject *sender) { BitBtn6Click(sender); };

  SG3 = MakeGrid(this, "SG3", ResultGrid::Doubles);
  SG3->SetFixedColor(clYellow);
  SG3->SetOptions(SG3->Options() | go::ColSizing);
  SG3->OnMouseUp = [this](TObject *sender, TMouseButton button, TShiftState shift, int x, int y) {
    SG3MouseUp(sender, button, shift, x, y);
  };

  SaveDialog1 = new TSaveDialog(this); // owned by the form
  SaveDialog1->SetName("SaveDialog1");
  SetActiveControl(Edit1);
}

void TForm1::ReadSettings() {
  TRegistry registry;
  if (OpenSettingsKeyForReading(registry)) {
    try {
      Language = registry.ReadString(kLanguageValue);
    } catch (const ERegistryException &) {
      Language = kEnglish;
    }
    // A key without the value (or with an empty one) has no language: English.
    if (Language.empty())
      Language = kEnglish;
    try {
      SkinNumber = registry.ReadInteger(kSkinValue);
    } catch (const ERegistryException &) {
      SkinNumber = 0;
    }
    return;
  }
  // First start: create the key with the defaults where it can be made.
  Language = kEnglish;
  SkinNumber = 0;
  BitBtn14->SetCaption("0");
  for (const Place &place : {MachinePlace(), UserPlace()}) {
    if (!OpenPlace(registry, place, true))
      continue;
    try {
      WriteSettings(registry, kEnglish, 0);
      return;
    } catch (const ERegistryException &) {
      registry.CloseKey(); // created but not writable: try the next place
    }
  }
}

void TForm1::FormCreate(TObject *) {
  ReadSettings();
  const bool french = IsFrench(Language);
  BitBtn10->SetVisible(french);
  BitBtn11->SetVisible(!french);
  ApplyLanguage();
  BitBtn14->SetCaption(IntToStr(SkinNumber));
  SelectSkin(SkinNumber);
}

void TForm1::FormShow(TObject *) {
  const bool french = IsFrench(Language);
  SetHeaderRow(SG1->Model(), ResultGrid::Files, french);
  SetHeaderRow(SG2->Model(), ResultGrid::Dirs, french);
  SetHeaderRow(SG3->Model(), ResultGrid::Doubles, french);
  ApplyColumnWidths(*SG1, ResultGrid::Files);
  ApplyColumnWidths(*SG2, ResultGrid::Dirs);
  ApplyColumnWidths(*SG3, ResultGrid::Doubles);
  Edit1->SetText(IncludeTrailingPathDelimiter(GetCurrentDir()));
  Label10->Hide();
  ProgressBar1->Hide();
  BitBtn15->SetEnabled(false);
}

void TForm1::ApplyLanguage() {
  const bool french = IsFrench(Language);
  Label1->SetCaption(Tr(french, "STARTING DIRECTORY", "REPERTOIRE DE DEPART"));
  Label3->SetCaption(Tr(french, "LOOK ONLY FILES BETWEEN", "SEULEMENT FICHIERS ENTRE"));
  Label4->SetCaption(Tr(french, "AND", "     ET"));
  CheckBox1->SetCaption(Tr(french, "Recurse directories", "Sous r\xC3\xA9pertoires"));
  CheckBox2->SetCaption(Tr(french, "Show details", "Afficher les d\xC3\xA9tails"));
  Label2->SetCaption(Tr(french, "FILTER", "FILTRE"));
  Label9->SetCaption(Tr(french, "EXCLUDE", "EXCLURE"));
  BitBtn1->SetCaption(Tr(french, "Start", "D\xC3\xA9part"));
  BitBtn3->SetCaption(Tr(french, "Abort", "Abandon"));
  BitBtn7->SetCaption(Tr(french, "Print", "Imprime"));
  BitBtn12->SetCaption(Tr(french, "Save", "Sauve"));
  BitBtn13->SetHint(Tr(french, "Help", "Aide"));
  BitBtn15->SetHint(Tr(french, "Watch out !!!! DANGER !!!", "Attention !!!! DANGER !!!"));
  SetHeaderRow(SG1->Model(), ResultGrid::Files, french);
  SetHeaderRow(SG2->Model(), ResultGrid::Dirs, french);
  SetHeaderRow(SG3->Model(), ResultGrid::Doubles, french);
}

void TForm1::SelectSkin(int32_t number) {
  // Number 0 is the system's own look; 9 shows store entry 0 again.
  if (number >= 1 && number <= 9) {
    SkinData1->LoadFromCollection(SkinStore1, number == 9 ? 0 : number);
    SkinData1->SetActive(true);
  } else {
    SkinData1->SetActive(false);
  }
}

void TForm1::SwitchLanguage(const std::string &language) {
  if (!SaveSetting(Setting::LanguageValue, language, SkinNumber))
    return; // nothing to remember it in: the language stays as it is
  Language = language;
  const bool french = IsFrench(language);
  BitBtn10->SetVisible(french);
  BitBtn11->SetVisible(!french);
  ApplyLanguage();
}

void TForm1::BitBtn10Click(TObject *) { SwitchLanguage(kEnglish); }

void TForm1::BitBtn11Click(TObject *) { SwitchLanguage(kFrench); }

void TForm1::BitBtn14Click(TObject *) {
  // A hand-edited number outside the cycle comes back to it at 0.
  SkinNumber = SkinNumber >= 0 && SkinNumber < 9 ? SkinNumber + 1 : 0;
  BitBtn14->SetCaption(IntToStr(SkinNumber));
  SaveSetting(Setting::SkinValue, Language, SkinNumber); // when it cannot be remembered, the skin still changes
  SelectSkin(SkinNumber);
}

void TForm1::BitBtn2Click(TObject *) {
  std::string chosen;
  if (SelectDirectory(GetCurrentDir(), chosen))
    Edit1->SetText(IncludeTrailingPathDelimiter(chosen));
  SG1->Show();
  SG2->Show();
  Panel1->Hide();
}

void TForm1::BitBtn4Click(TObject *) {
  SG1->Show();
  SG2->Show();
  Panel1->Hide();
}

void TForm1::BitBtn13Click(TObject *) {
  if (!Form2)
    return;
  Form2->Show();
  Form2->SetCaption(HelpCaption(IsFrench(Language)));
}

void TForm1::BitBtn1Click(TObject *) { scanHost_->Start(); }

void TForm1::BitBtn3Click(TObject *) { scanHost_->Abort(); }

void TForm1::ShowPair(int row) { ShowPairInPanel(*this, row); }

void TForm1::BitBtn5Click(TObject *) { RecycleFromPanel(*this, PairSide::First); }
void TForm1::BitBtn6Click(TObject *) { RecycleFromPanel(*this, PairSide::Second); }
void TForm1::BitBtn7Click(TObject *) { PrintDoubles(*this); }
void TForm1::BitBtn8Click(TObject *) { OpenFromPanel(*this, PairSide::First); }
void TForm1::BitBtn9Click(TObject *) { OpenFromPanel(*this, PairSide::Second); }
void TForm1::BitBtn12Click(TObject *) { SaveDoubles(*this); }
void TForm1::BitBtn15Click(TObject *) { RecycleEveryDouble(*this); }

void TForm1::SG3MouseUp(TObject *, TMouseButton button, TShiftState, int x, int y) {
  DoublesMouseUp(*this, button, x, y);
}

} // namespace zorvex
