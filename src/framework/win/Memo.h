#pragma once
// TMemo: a multi-line edit with scroll bars; Lines are its paragraphs,
// however the box wraps them.

#include <memory>
#include <string>

#include "StdCtrls.h"
#include "framework/core/Strings.h"

namespace zorvex {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TEdit {
public:
  explicit TMemo(TComponent *owner);
  ~TMemo() override;
  std::string ClassName() const override { return "TMemo"; }

  // The text line by line: changing a line changes the text in place (the
  // caret moves to the change).
  TStrings &Lines() { return *lines_; }
  const TStrings &Lines() const { return *lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle scrollBars);
  // Long lines wrap at the right edge unless there is a horizontal scroll
  // bar.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // Enter and Tab type into the memo; without them they go to the form
  // (default button, next control).
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool want) { wantReturns_ = want; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool want) { wantTabs_ = want; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  // Lines, ScrollBars, WordWrap, WantReturns, WantTabs, Alignment,
  // BorderStyle.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;

private:
  friend class TMemoLines;
  // Puts `with` in place of the text between two character positions.
  void ReplaceRange(size_t start, size_t end, const std::wstring &with);
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

} // namespace zorvex
