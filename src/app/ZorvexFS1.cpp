#include "ZorvexFS1.h"

#include "AppGlyphs.h"
#include "Language.h"
#include "ZorvexFP.h"
#include "actions/HelpText.h"

namespace zorvex {

TForm2 *Form2 = nullptr;

TForm2::TForm2(TComponent *owner) : TForm(owner) {
  Form2 = this;
  SetName("Form2");
  SetCaption("Form2");
  SetBounds(0, 0, 783, 540);
  SetPosition(TPosition::poDesktopCenter);
  SetFormStyle(TFormStyle::fsStayOnTop);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetIcon(AppIcon());

  Image1 = new TImage(this); // owned by the form
  Image1->SetName("Image1");
  Image1->SetParent(this);
  Image1->SetBounds(6, 9, 34, 34);
  Image1->SetCenter(true);
  Image1->SetPicture(LoadGlyph(glyph::Logo));

  RichEdit1 = new TRichEdit(this); // owned by the form
  RichEdit1->SetName("RichEdit1");
  RichEdit1->SetParent(this);
  RichEdit1->SetBounds(48, 9, 718, 457);
  RichEdit1->SetReadOnly(true);
  RichEdit1->AddLine("Instructions for use");

  BitBtn1 = new TBitBtn(this); // owned by the form
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetParent(this);
  BitBtn1->SetBounds(726, 477, 40, 22);
  BitBtn1->SetGlyph(LoadGlyph(glyph::Ok));
  BitBtn1->SetHint("OK");
  BitBtn1->OnClick = [this](TObject *sender) { BitBtn1Click(sender); };

  OnShow = [this](TObject *sender) { FormShow(sender); };
  DoCreate();
}

TForm2::~TForm2() {
  if (Form2 == this)
    Form2 = nullptr;
}

// The whole text is written again each time the window is shown, in the
// language in force then.
void TForm2::FormShow(TObject *) {
  RichEdit1->ClearLines();
  // Each line carries its whole format, the first one the defaults (black,
  // plain, no bullet, indent 2).
  TTextAttributes attributes = RichEdit1->SelAttributes();
  attributes.Italic = false;
  for (const HelpLine &line : HelpLines(IsFrench(Language))) {
    RichEdit1->SetParagraph(TParaAttributes{line.bullet, line.firstIndent});
    attributes.Bold = line.bold;
    attributes.Color = static_cast<TColor>(line.color);
    RichEdit1->SetSelAttributes(attributes);
    RichEdit1->AddLine(line.text);
  }
  // Reading starts at the top, not after the last line added.
  SendMessageW(RichEdit1->Handle(), EM_SETSEL, 0, 0);
}

void TForm2::BitBtn1Click(TObject *) { Hide(); }

} // namespace zorvex
