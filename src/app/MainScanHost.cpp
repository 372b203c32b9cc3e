#include "MainScanHost.h"

#include "Language.h"
#include "ZorvexFP.h"
#include "framework/core/Yield.h"

namespace zorvex {

MainScanHost::MainScanHost(TForm1 &form, ScanState &state) : form_(form), pipeline_(*this, state) {}

namespace {
bool ProgramEnding() { return Application && Application->Terminated(); }
} // namespace

// While the scan runs, every pump of the message loop (the throttled yield,
// however it is reached) may have let the user change an option.
class MainScanHost::PumpWatch {
public:
  explicit PumpWatch(MainScanHost &host) : host_(host) {
    ++host_.watches_;
    host_.optionsCurrent_ = false;
    previous_ = SetYieldPump([this] {
      if (previous_)
        previous_();
      host_.optionsCurrent_ = false;
    });
  }
  ~PumpWatch() {
    SetYieldPump(std::move(previous_));
    --host_.watches_;
    host_.optionsCurrent_ = false;
  }
  PumpWatch(const PumpWatch &) = delete;
  PumpWatch &operator=(const PumpWatch &) = delete;

private:
  MainScanHost &host_;
  YieldPump previous_;
};

void MainScanHost::Start() {
  PumpWatch watch(*this);
  pipeline_.Start();
}

const ScanOptions &MainScanHost::Options() {
  if (optionsCurrent_)
    return options_;
  options_.startDirectory = form_.Edit1->Text();
  options_.lower = SizeBound::Class(form_.RG1->ItemIndex());
  options_.upper = SizeBound::Class(form_.RG2->ItemIndex());
  options_.includeFilter = form_.Edit2->Text();
  options_.excludeFilter = form_.Edit3->Text();
  options_.recurse = form_.CheckBox1->Checked();
  options_.showDetails = form_.CheckBox2->Checked();
  optionsCurrent_ = watches_ > 0;
  return options_;
}

bool MainScanHost::French() { return IsFrench(Language); }

TGridModel &MainScanHost::Grid(ResultGrid grid) {
  switch (grid) {
  case ResultGrid::Files: return form_.SG1->Model();
  case ResultGrid::Dirs: return form_.SG2->Model();
  case ResultGrid::Doubles: break;
  }
  return form_.SG3->Model();
}

void MainScanHost::ShowFileGrids() {
  form_.SG1->Show();
  form_.SG2->Show();
  form_.Panel1->Hide();
}

void MainScanHost::SetPhaseText(const std::string &text) { form_.Label10->SetCaption(text); }

void MainScanHost::SetPhaseVisible(bool visible) { form_.Label10->SetVisible(visible); }

void MainScanHost::SetProgressVisible(bool visible) { form_.ProgressBar1->SetVisible(visible); }

void MainScanHost::SetProgressPosition(int position) { form_.ProgressBar1->SetPosition(position); }

void MainScanHost::ProgressStepIt() { form_.ProgressBar1->StepIt(); }

void MainScanHost::SetButtonEnabled(ScanButton button, bool enabled) {
  TBitBtn *control = form_.BitBtn15;
  switch (button) {
  case ScanButton::Start: control = form_.BitBtn1; break;
  case ScanButton::Abort: control = form_.BitBtn3; break;
  case ScanButton::Print: control = form_.BitBtn7; break;
  case ScanButton::Save: control = form_.BitBtn12; break;
  case ScanButton::RecycleAll: break;
  }
  control->SetEnabled(enabled);
}

void MainScanHost::Yield() {
  ThrottledYield();
  // Closing the window ends the program: the scan has nobody left to show
  // its results to.
  if (ProgramEnding())
    pipeline_.State().AbortRequested = true;
}

void MainScanHost::ShowMessage(MessageKind kind, const std::string &text) {
  if (ProgramEnding())
    return; // no window left to show it over, and no loop to answer it
  TMsgDlgType type = TMsgDlgType::mtCustom;
  switch (kind) {
  case MessageKind::Warning: type = TMsgDlgType::mtWarning; break;
  case MessageKind::Error: type = TMsgDlgType::mtError; break;
  case MessageKind::Information: type = TMsgDlgType::mtInformation; break;
  case MessageKind::Plain: break;
  }
  MessageDlg(text, type, mb::OK);
  optionsCurrent_ = false; // the box ran the message loop
}

} // namespace zorvex
