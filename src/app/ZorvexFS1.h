#pragma once
// The help window: the instructions for use, shown beside the main window
// and hidden again by its OK button or its close box.

#include <string>

#include "framework/win/Buttons.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"

namespace zorvex {

class TForm2 : public TForm {
public:
  explicit TForm2(TComponent *owner);
  ~TForm2() override;
  std::string ClassName() const override { return "TForm2"; }

  TImage *Image1;
  TRichEdit *RichEdit1;
  TBitBtn *BitBtn1;

  void FormShow(TObject *sender);
  void BitBtn1Click(TObject *sender);
};

extern TForm2 *Form2;

} // namespace zorvex
