#pragma once
// The main window: the scan options, the three result grids, the comparison
// panel and the buttons; the persisted settings (language, skin number) and
// the switching of the interface language.

#include <cstdint>
#include <memory>
#include <string>

#include <windows.h>

#include "framework/win/Buttons.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/Dialogs.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Grids.h"
#include "framework/win/StdCtrls.h"
#include "scan/ScanState.h"

namespace zorvex {

// The settings key, read at start-up and written by the language and skin
// buttons. The machine-wide key comes first; where it can neither be opened
// nor created (a normal user may not write there) the same path under the
// current user is used instead.
inline constexpr const char *kSettingsKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zorvex_V1.1";

struct SettingsLocation {
  HKEY MachineRoot; // not owned
  std::string MachinePath;
  HKEY UserRoot; // not owned
  std::string UserPath;
};

SettingsLocation DefaultSettingsLocation();

// Where the settings are kept; tests point it at a key of their own before
// the main window is made.
extern SettingsLocation SettingsKey;

// The interface language, "English" or "Français" (French when it starts
// with 'F'), and the skin number, 0 to 9.
extern std::string Language;
extern int32_t SkinNumber;
// Put in place of a file that is gone; refreshed from the language by the
// doubles grid's mouse handler and the single-file recycle buttons.
extern std::string SuppressedMarker;
// The scan of the window's Start button: its counters and paths outlive the
// scan, and the actions on the doubles read them.
extern ScanState MainScan;

class MainScanHost;
class TSkinData;
class TSkinStore;

class TForm1 : public TForm {
public:
  explicit TForm1(TComponent *owner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Scan options.
  TLabel *Label1;
  TEdit *Edit1;
  TBitBtn *BitBtn2;
  TLabel *Label3;
  TRadioGroup *RG1;
  TLabel *Label4;
  TRadioGroup *RG2;
  TCheckBox *CheckBox1;
  TLabel *Label2;
  TEdit *Edit2;
  TLabel *Label9;
  TEdit *Edit3;
  TCheckBox *CheckBox2;
  // Scan progress.
  TLabel *Label10;
  TProgressBar *ProgressBar1;
  TBevel *Bevel4;
  TBevel *Bevel2;
  TBevel *Bevel3;
  // Language, help, skin and recycle-all buttons.
  TBitBtn *BitBtn10;
  TBitBtn *BitBtn11;
  TBitBtn *BitBtn13;
  TBitBtn *BitBtn14;
  TBitBtn *BitBtn15;
  // Start, abort, print, save.
  TBitBtn *BitBtn1;
  TBitBtn *BitBtn3;
  TBitBtn *BitBtn7;
  TBitBtn *BitBtn12;
  // Result grids: directories, files, doubles.
  TStringGrid *SG2;
  TStringGrid *SG1;
  TStringGrid *SG3;
  // The comparison panel over SG1 and SG2.
  TPanel *Panel1;
  TLabel *Label5;
  TLabel *Label6;
  TLabel *Label7;
  TLabel *Label8;
  TBevel *Bevel1;
  TImage *Image4;
  TImage *Image5;
  TBitBtn *BitBtn4;
  TBitBtn *BitBtn8;
  TBitBtn *BitBtn5;
  TBitBtn *BitBtn9;
  TBitBtn *BitBtn6;
  TSaveDialog *SaveDialog1;
  // The skin components, read from the window's design at its creation.
  TSkinData *SkinData1;
  TSkinStore *SkinStore1;

  // Sets every language-dependent caption, hint and grid header.
  void ApplyLanguage();
  // Applies a skin number; the skins themselves come with the skin engine.
  void SelectSkin(int32_t number);
  // Fills and shows the comparison panel for a row of SG3.
  void ShowPair(int row);

  void FormCreate(TObject *sender);
  void FormShow(TObject *sender);
  void BitBtn1Click(TObject *sender);  // start a scan
  void BitBtn2Click(TObject *sender);  // browse for the starting directory
  void BitBtn3Click(TObject *sender);  // abort the scan
  void BitBtn4Click(TObject *sender);  // close the comparison panel
  void BitBtn5Click(TObject *sender);  // send file 1 to the Recycle Bin
  void BitBtn6Click(TObject *sender);  // send file 2 to the Recycle Bin
  void BitBtn7Click(TObject *sender);  // print the list
  void BitBtn8Click(TObject *sender);  // open file 1
  void BitBtn9Click(TObject *sender);  // open file 2
  void BitBtn10Click(TObject *sender); // switch to English
  void BitBtn11Click(TObject *sender); // switch to French
  void BitBtn12Click(TObject *sender); // save the list
  void BitBtn13Click(TObject *sender); // help window
  void BitBtn14Click(TObject *sender); // next skin
  void BitBtn15Click(TObject *sender); // send every double to the Recycle Bin
  void SG3MouseUp(TObject *sender, TMouseButton button, TShiftState shift, int x, int y);

private:
  void CreateControls();
  void CreateSkinComponents();
  void ReadSettings();
  void SwitchLanguage(const std::string &language);

  // The scan behind Start and Abort, over this window's controls.
  std::unique_ptr<MainScanHost> scanHost_;
};

// The main window of the running program.
extern TForm1 *Form1;

// Opens the settings key for reading and writing without creating it: the
// machine-wide one, else the current user's. False when neither opens.
class TRegistry;
bool OpenSettingsKey(TRegistry &registry);

} // namespace zorvex
