#pragma once
// TBitBtn: a push button with a picture beside its caption.

#include <string>
#include <vector>

#include "ImageLink.h"
#include "StdCtrls.h"

namespace zorvex {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const std::vector<std::string> &ButtonLayoutNames();

// Where the glyph and the caption of a picture button go. Margin -1 centres
// the glyph and caption block; Spacing is the gap between them (0 when
// either is missing).
struct ButtonLayout {
  RECT glyph;
  RECT text;
};
ButtonLayout CalcButtonLayout(const RECT &client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing);

// Draws a glyph and a one-line caption laid out in `client` (engraved when
// disabled), with the canvas's font.
void DrawGlyphAndCaption(TCanvas &canvas, const RECT &client, const TDibBitmap &glyph, const std::string &caption,
                         TButtonLayout layout, int margin, int spacing, bool enabled);

// The states a glyph strip has frames for, in strip order.
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
// The glyph a button shows in a state, cut from a strip of `numGlyphs`
// frames side by side. A state without its own frame falls back: exclusive
// (stays down) to down, down to up; disabled to `disabled`, the strip's
// greyed copy.
TDibBitmap GlyphFrame(const TDibBitmap &glyph, const TDibBitmap &disabled, int numGlyphs, TButtonState state);

// A button's picture: the strip of frames and its greyed copy.
class TButtonGlyph {
public:
  // Pixels that are fully transparent have the colour of the bottom-left
  // pixel, the transparent colour of glyphs without an alpha channel.
  const TDibBitmap &Glyph() const { return glyph_; }
  void SetGlyph(TDibBitmap glyph);
  // Frames side by side in the glyph, 1 to 4.
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count);
  // What a state shows (see GlyphFrame); empty without a glyph.
  TDibBitmap Frame(TButtonState state) const { return GlyphFrame(glyph_, disabled_, numGlyphs_, state); }

private:
  TDibBitmap glyph_;
  TDibBitmap disabled_;
  int numGlyphs_ = 1;
};

class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent *owner);
  std::string ClassName() const override { return "TBitBtn"; }
  // Glyph, NumGlyphs, Images, ImageIndex, DisabledIndex, Layout, Margin,
  // Spacing.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The picture (normal, disabled and pressed frames); a missing disabled
  // frame is made from the first.
  const TDibBitmap &Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(TDibBitmap glyph);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // A picture from an image list, in place of the Glyph (not owned).
  TImageList *Images() const { return images_.Images(); }
  void SetImages(TImageList *images) { images_.Set(images); }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // The picture while disabled; -1 shows the ImageIndex one greyed.
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int index);

protected:
  void CreateParams(TCreateParams &params) override;
  bool CNDrawItem(DRAWITEMSTRUCT &item) override;
  void Notification(TComponent *component, TOperation operation) override;
  void WndProc(TMessage &message) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  TButtonGlyph glyph_;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool hot_ = false;
  TImageLink images_;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
};

} // namespace zorvex
