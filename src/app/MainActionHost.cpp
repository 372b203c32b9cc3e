#include "MainActionHost.h"

#include "Language.h"
#include "ZorvexFP.h"
#include "actions/DoublesGrid.h"
#include "actions/PreviewPicture.h"
#include "actions/PrintLayout.h"
#include "actions/ShellFiles.h"
#include "framework/core/Yield.h"
#include "framework/win/Printers.h"
#include "scan/ResultTables.h"
#include "scan/ScanPipeline.h"

namespace zorvex {

bool TMainActionHost::ConfirmWarning(const std::string &text) {
  return MessageDlg(text, TMsgDlgType::mtWarning, mb::OK | mb::Abort) != mrAbort;
}

void TMainActionHost::ShowError(const std::string &text) { MessageDlg(text, TMsgDlgType::mtError, mb::OK); }

void TMainActionHost::ShowInformation(const std::string &text) { MessageDlg(text, TMsgDlgType::mtInformation, mb::OK); }

void TMainActionHost::ShowPlain(const std::string &text) { ShowMessage(text); }

void TMainActionHost::Beep() { DefaultBeep(); }

void TMainActionHost::Tone(int frequency, int milliseconds) {
  ToneBeep(static_cast<unsigned>(frequency), static_cast<unsigned>(milliseconds));
}

bool TMainActionHost::Recycle(const std::string &path) {
  return ShellRecycle(path, Application ? Application->Handle() : nullptr);
}

int TMainActionHost::OpenWithShell(const std::string &folder, const std::string &path) {
  return ShellOpen(folder, path);
}

namespace {
int worksRunning = 0; // byte checks of actions under way
} // namespace

void TMainActionHost::BeginWork() {
  ++worksRunning;
  for (TControl *control :
       std::initializer_list<TControl *>{form_.BitBtn1, form_.BitBtn7, form_.BitBtn12, form_.BitBtn15, form_.BitBtn4,
                                         form_.BitBtn5, form_.BitBtn6, form_.BitBtn8, form_.BitBtn9}) {
    enabled_.emplace_back(control, control->Enabled());
    control->SetEnabled(false);
  }
  // A scan under way lends its bar and gets it back as it was.
  progressShown_ = form_.ProgressBar1->Visible();
  progressPosition_ = form_.ProgressBar1->Position();
  shownPosition_ = 0;
  form_.ProgressBar1->SetPosition(0);
  form_.ProgressBar1->Show();
}

void TMainActionHost::EndWork() {
  for (const auto &[control, enabled] : enabled_)
    control->SetEnabled(enabled);
  enabled_.clear();
  form_.ProgressBar1->SetPosition(progressPosition_);
  form_.ProgressBar1->SetVisible(progressShown_);
  --worksRunning;
}

bool TMainActionHost::WindowOpen() const {
  // Closing the main window hides it and ends the program.
  return form_.Visible() && !(Application && Application->Terminated());
}

bool TMainActionHost::Step(int64_t done, int64_t total) {
  const int position = total > 0 ? static_cast<int>(done * 100 / total) : 0;
  if (position != shownPosition_) {
    shownPosition_ = position;
    form_.ProgressBar1->SetPosition(position);
  }
  ThrottledYield();
  return WindowOpen();
}

bool TMainActionHost::StepNow() {
  YieldNow();
  return WindowOpen();
}

namespace {
struct PanelControls {
  TLabel *path;
  TLabel *size;
  TBitBtn *recycle;
  TBitBtn *open;
  TImage *preview;
};

PanelControls ControlsOf(const TForm1 &form, PairSide side) {
  if (side == PairSide::First)
    return {form.Label5, form.Label6, form.BitBtn5, form.BitBtn8, form.Image4};
  return {form.Label7, form.Label8, form.BitBtn6, form.BitBtn9, form.Image5};
}

bool French() { return IsFrench(Language); }

// The printer's canvas for the print layout; pages end on the printer.
class PrinterCanvas : public TPrintCanvas {
public:
  explicit PrinterCanvas(TPrinter &printer) : printer_(printer) {}
  void TextOut(int x, int y, const std::string &text) override { printer_.Canvas().TextOut(x, y, text); }
  void MoveTo(int x, int y) override { printer_.Canvas().MoveTo(x, y); }
  void LineTo(int x, int y) override { printer_.Canvas().LineTo(x, y); }
  void SetPenWidth(int width) override { printer_.Canvas().Pen().SetWidth(width); }
  void NewPage() override { printer_.NewPage(); }

private:
  TPrinter &printer_;
};

MouseButton ToMouseButton(TMouseButton button) {
  switch (button) {
  case TMouseButton::mbLeft: return MouseButton::Left;
  case TMouseButton::mbRight: return MouseButton::Right;
  case TMouseButton::mbMiddle: break;
  }
  return MouseButton::Middle;
}

// The panel as its controls show it: the file captions are the record of the
// pair its buttons act on.
PanelState ReadPanel(const TForm1 &form) {
  PanelState state;
  for (const PairSide side : {PairSide::First, PairSide::Second}) {
    const PanelControls controls = ControlsOf(form, side);
    PanelFile &file = state.Side(side);
    file.caption = controls.path->Caption();
    file.sizeCaption = controls.size->Caption();
    file.buttonsVisible = controls.recycle->Visible();
    file.buttonsEnabled = controls.recycle->Enabled();
  }
  return state;
}

void WritePanel(TForm1 &form, const PanelState &state) {
  for (const PairSide side : {PairSide::First, PairSide::Second}) {
    const PanelControls controls = ControlsOf(form, side);
    const PanelFile &file = state.Side(side);
    controls.path->SetCaption(file.caption);
    controls.size->SetCaption(file.sizeCaption);
    for (TBitBtn *button : {controls.recycle, controls.open}) {
      button->SetVisible(file.buttonsVisible);
      button->SetEnabled(file.buttonsEnabled);
    }
  }
}

// An opaque bitmap of the picture's pixels (none for a picture scaled down to
// nothing).
TDibBitmap ToDibBitmap(const RgbImage &picture) {
  if (picture.width <= 0 || picture.height <= 0)
    return {};
  TDibBitmap bitmap(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    uint32_t *target = bitmap.ScanLine(y);
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t *pixel = picture.Pixel(x, y);
      target[x] = 0xFF000000u | uint32_t{pixel[0]} << 16 | uint32_t{pixel[1]} << 8 | pixel[2];
    }
  }
  return bitmap;
}

// Fills a preview box from its file, or empties it; a bitmap that cannot be
// read beeps in the first file's half only.
void ShowPreview(TImage &image, const PanelFile &file, PairSide side) {
  image.ClearPicture();
  if (file.preview == PreviewKind::None)
    return;
  if (const std::optional<RgbImage> picture = LoadPreviewPicture(file.caption, file.preview))
    image.SetPicture(ToDibBitmap(*picture));
  else if (BeepOnPreviewFailure(file.preview, side))
    DefaultBeep();
}
} // namespace

void ShowPairInPanel(TForm1 &form, int row) {
  const TGridModel &grid = form.SG3->Model();
  const PanelState state =
      ShowPairState(grid.Cell(doubles_col::First, row), grid.Cell(doubles_col::Double, row), SuppressedMarker);
  form.SG1->Hide();
  form.SG2->Hide();
  form.Panel1->Show();
  WritePanel(form, state);
  ShowPreview(*form.Image4, state.first, PairSide::First);
  ShowPreview(*form.Image5, state.second, PairSide::Second);
}

void DoublesMouseUp(TForm1 &form, TMouseButton button, int x, int y) {
  if (worksRunning > 0)
    return;
  SuppressedMarker = SuppressedMarkerText(French());
  int col = -1, row = -1;
  form.SG3->MouseToCell(x, y, col, row);
  const DoublesClick click = ClassifyDoublesClick(ToMouseButton(button), col, row);
  switch (click.kind) {
  case DoublesClick::Kind::None: break;
  case DoublesClick::Kind::Sort:
    RunDoublesSort(form.SG3->Model(), MainScan.DoubleCount, click.index, PlatformTextCompare(),
                   static_cast<uint32_t>(form.SG3->FixedColor()),
                   [&form](uint32_t color) { form.SG3->SetFixedColor(static_cast<TColor>(color)); });
    break;
  case DoublesClick::Kind::ShowPair: form.ShowPair(click.index); break;
  }
}

void RecycleFromPanel(TForm1 &form, PairSide side) {
  PanelState panel = ReadPanel(form);
  TMainActionHost host(form);
  if (!RecyclePanelFile(panel, side, form.SG3->Model(), MainScan.DoubleCount, French(), SuppressedMarker, host))
    return;
  WritePanel(form, panel);
  ControlsOf(form, side).preview->ClearPicture();
}

void RecycleEveryDouble(TForm1 &form) {
  TMainActionHost host(form);
  RecycleAllFiles(form.SG3->Model(), French(), host);
}

void OpenFromPanel(TForm1 &form, PairSide side) {
  TMainActionHost host(form);
  OpenPanelFile(ReadPanel(form), side, French(), host);
}

void SaveDoubles(TForm1 &form) {
  form.SaveDialog1->SetDefaultExt("txt");
  form.SaveDialog1->SetFileName("Zorvex");
  const std::string path = form.SaveDialog1->Execute() ? form.SaveDialog1->FileName() : std::string();
  TMainActionHost host(form);
  SaveListToFile(path, form.SG3->Model(), MainScan.DoubleCount, French(), host);
}

void PrintDoubles(TForm1 &form) {
  TPrinter &printer = Printer();
  printer.SetTitle(Application ? Application->Title() : "Zorvex");
  printer.BeginDoc();
  try {
    TCanvas &canvas = printer.Canvas();
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetStyle(0);
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    PrinterCanvas layoutCanvas(printer);
    PrintDoublesList(layoutCanvas, form.SG3->Model(), printer.PageHeight());
  } catch (...) {
    printer.Abort();
    throw;
  }
  printer.EndDoc();
}

} // namespace zorvex
