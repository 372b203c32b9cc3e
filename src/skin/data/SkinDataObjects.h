#pragma once
// The skin's data objects: a picture cut into equal state frames (numbered
// from 1; side by side for control images and the side borders, stacked for
// the top and bottom borders and the title strip), the widths of its edges
// drawn unscaled, and the flags and colours the skin runtime paints with.

#include <string>

#include "framework/core/Bitmap.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Color.h"
#include "framework/core/Object.h"

namespace zorvex {

// Marks a caption text colour the skin did not give.
constexpr TColor CaptionColorNotGiven = 0x1FFFFFFF;

class TDataSkinObject : public TObject {
public:
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  TDataSkinObject(const TDataSkinObject &) = delete;
  TDataSkinObject &operator=(const TDataSkinObject &) = delete;

  TMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  // Frame `index` of the image (see FrameRect).
  TRect FrameOf(int index, bool stacked = false) const { return FrameRect(Image, Frame, index, stacked); }

  int LeftWidth = 0;
  int TopHeight = 0;
  int RightWidth = 0;
  int BottomHeight = 0;
  TBitmap Image;
  int Trans = 0; // not 0: drawn with magenta left out
  int Tile = 0;  // the middle is tiled (1) or stretched (0)
  std::string Name;
  int Frame = 0;
  int Style = 0;
  int NormalColour = 0; // text colours as plain numbers, -1 when not given
  int MouseOverColour = 0;
  int PressedColour = 0;
  TColor NormalColour2 = 0; // text colours parsed from colour text
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap Image2;
};

class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckBoxImage;
  TBitmap RadioButtonImage;
  int RadioFrame = 0;
  int CheckFrame = 0;
  bool NormalColour2Given = false;
  bool MouseOverColour2Given = false;
  bool PressedColour2Given = false;
};

class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int TextAlignment = 0;
  int Textbackground = 0;
  int FontHeight = 0;
  int TXTBackleft = 0;
  int TXTBackRight = 0;
  TColor ActiveTextColour = CaptionColorNotGiven;
  TColor InactiveTextColour = CaptionColorNotGiven;
};

class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int Action = 0;
  int Align = 0;
  int Xcoord = 0;
  int Ycoord = 0;
  int CombineOp = 0;
  int Visibility = 0;
  int Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

// Indexes of the scheme colours.
enum TShemeColor {
  csText,
  csTitleTextActive,
  csTitleTextNoActive,
  csButtonFace,
  csButtonText,
  csButtonHilight,
  csButtonlight,
  csButtonShadow,
  csButtonDkshadow,
  csSelectText,
  csSelectBg,
  csHilightText,
  csHilight,
  csMenuBar,
  csMenuBarText,
  csMenuText,
  csMenubg,
  csScrollbar,
  csTextDisable,
  SchemeColorCount
};

} // namespace zorvex
