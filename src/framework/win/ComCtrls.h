#pragma once
// Progress bar and rich text box, over the system's common controls.

#include <string>

#include "Controls.h"

namespace zorvex {

// A bar that shows how far work has gone, or (marquee) only that it goes on.
enum class TProgressBarStyle { pbstNormal, pbstMarquee };

class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent *owner);
  std::string ClassName() const override { return "TProgressBar"; }
  // Min, Max, Position, Step, Style, MarqueeInterval.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  void SetMin(int min) { SetRange(min, max_); }
  void SetMax(int max) { SetRange(min_, max); }
  int Step() const { return step_; }
  void SetStep(int step);
  // Kept within Min..Max.
  int Position() const;
  void SetPosition(int position);
  // Advances by Step; past Max it starts over from Min, as the system's
  // progress bar does.
  void StepIt();
  // A marquee runs from the moment it is set until the style goes back.
  TProgressBarStyle Style() const { return style_; }
  void SetStyle(TProgressBarStyle style);
  // Milliseconds between the marquee's steps; 0 leaves them to the system.
  int MarqueeInterval() const { return marqueeInterval_; }
  void SetMarqueeInterval(int interval);

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;

private:
  void RunMarquee();
  int min_ = 0, max_ = 100, step_ = 10, position_ = 0;
  TProgressBarStyle style_ = TProgressBarStyle::pbstNormal;
  int marqueeInterval_ = 0;
};

// Character format of the insertion point or of the text.
struct TTextAttributes {
  bool Bold = false;
  bool Italic = false;
  TColor Color = clBlack;
};

// Paragraph format: bullets and the first line's indent in points.
struct TParaAttributes {
  bool Bullets = false;
  int FirstIndent = 0;
};

// A read-only (or editable) rich text box. Lines are added at the end one by
// one; each takes the insertion format and paragraph format in force when
// it is added.
class TRichEdit : public TWinControl {
public:
  explicit TRichEdit(TComponent *owner);
  std::string ClassName() const override { return "TRichEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  // ReadOnly, BorderStyle.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // Lines are the paragraphs as added, however the box wraps them.
  int LineCount();
  std::string Line(int index);
  void AddLine(const std::string &text);
  void ClearLines();

  TTextAttributes SelAttributes() const { return selAttributes_; }
  void SetSelAttributes(const TTextAttributes &attributes) { selAttributes_ = attributes; }
  TParaAttributes Paragraph() const { return paragraph_; }
  void SetParagraph(const TParaAttributes &paragraph) { paragraph_ = paragraph; }

  // What a line looks like, read back from the control.
  TTextAttributes LineAttributes(int index);
  TParaAttributes LineParagraph(int index);

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;

private:
  std::wstring ControlText();
  int LineStart(int index);
  bool readOnly_ = true;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  TTextAttributes selAttributes_;
  TParaAttributes paragraph_;
  std::vector<std::string> pending_; // lines added before the window exists
};

} // namespace zorvex
