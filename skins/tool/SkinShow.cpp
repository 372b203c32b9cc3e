#include "SkinShow.h"

#include <iomanip>
#include <string>

#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

std::string ColourText(TColor colour) {
  if (IsSystemColor(colour))
    return "system colour " + std::to_string(colour & 0xFF);
  return std::to_string(ColorRed(colour)) + "," + std::to_string(ColorGreen(colour)) + "," +
         std::to_string(ColorBlue(colour));
}

std::string SizeText(const TBitmap &image) {
  if (image.Empty())
    return "none";
  return std::to_string(image.Width()) + "x" + std::to_string(image.Height());
}

// The picture, its frames and the size of one frame.
std::string FramesText(const TBitmap &image, int frames, bool stacked) {
  if (image.Empty())
    return "no picture";
  const TRect frame = FrameRect(image, frames, 1, stacked);
  return SizeText(image) + ", " + std::to_string(frames) + (frames == 1 ? " frame" : " frames") +
         (stacked ? " stacked" : "") + " of " + std::to_string(frame.Width()) + "x" + std::to_string(frame.Height());
}

std::string MarginsText(const TDataSkinObject &object) {
  return "margins " + std::to_string(object.LeftWidth) + "," + std::to_string(object.TopHeight) + "," +
         std::to_string(object.RightWidth) + "," + std::to_string(object.BottomHeight);
}

// One object: its picture, margins and flags; `label` names it when its own
// name (its section) would not. A border's tile field holds its stretch flag.
void ShowObject(const TDataSkinObject &object, bool stacked, std::ostream &out, const std::string &label = {},
                const char *tileWord = "tile") {
  out << "  " << std::left << std::setw(20) << (label.empty() ? object.Name : label)
      << FramesText(object.Image, object.Frame, stacked) << "; " << MarginsText(object) << "; trans " << object.Trans
      << ", " << tileWord << " " << object.Tile << ", style " << object.Style << '\n';
  if (const auto *border = dynamic_cast<const TDataSkinBorder *>(&object); border && !border->Image2.Empty())
    out << "  " << std::setw(20) << ""
        << "second picture " << SizeText(border->Image2) << '\n';
}

// The text colours an object gives its control's states.
void ShowTextColours(const TDataSkinObject &object, std::ostream &out) {
  out << "  " << std::setw(20) << ""
      << "text colours normal " << ColourText(object.NormalColour2) << ", hot " << ColourText(object.MouseOverColour2)
      << ", pressed " << ColourText(object.PressedColour2);
  if (object.NormalColour != -1 || object.MouseOverColour != -1 || object.PressedColour != -1)
    out << " (as numbers " << object.NormalColour << ", " << object.MouseOverColour << ", " << object.PressedColour
        << ")";
  out << '\n';
}

const char *const SchemeColourNames[SchemeColorCount] = {
    "csText",          "csTitleTextActive", "csTitleTextNoActive", "csButtonFace",     "csButtonText",
    "csButtonHilight", "csButtonlight",     "csButtonShadow",      "csButtonDkshadow", "csSelectText",
    "csSelectBg",      "csHilightText",     "csHilight",           "csMenuBar",        "csMenuBarText",
    "csMenuText",      "csMenubg",          "csScrollbar",         "csTextDisable"};

const char *const SlotNames[SkinSlotCount] = {"Progress",
                                              "menu bar",
                                              "GroupBoxEdge",
                                              "GroupBox",
                                              "Tabs",
                                              "StatusBarEdges",
                                              "ToolBars",
                                              "ComboButton",
                                              "SunkEdge",
                                              "ExtraImages",
                                              "Headerbar",
                                              "MenuItem",
                                              "MenuBackground",
                                              "Scrollbar",
                                              "HorzScroll",
                                              "VertScroll",
                                              "HorzScrollThumb",
                                              "VertScrollThumb",
                                              "Trackbar.ThumbHorz",
                                              "Trackbar.ThumbVert",
                                              "Trackbar.ThumbLeft",
                                              "Trackbar.ThumbRight",
                                              "Trackbar.ThumbUp",
                                              "Trackbar.ThumbDown",
                                              "UpDown.Horz",
                                              "UpDown.Vert"};

} // namespace

void ShowSkin(const TSkinData &skin, std::ostream &out) {
  out << "Skin: " << skin.SkinName() << '\n';

  out << "\nBorders (frame 1 active, 2 inactive)\n";
  for (const TDataSkinBorder *border : {&skin.Left(), &skin.Right()})
    ShowObject(*border, false, out, {}, "stretch");
  for (const TDataSkinBorder *border : {&skin.Top(), &skin.Bottom()})
    ShowObject(*border, true, out, {}, "stretch");

  const TDataSkinTitle &title = skin.Title();
  out << "\nCaption (strip frame 1 active, 2 inactive)\n";
  out << "  " << std::setw(20) << "TextBack" << FramesText(title.Image, title.Frame, true) << '\n';
  out << "  text shift " << title.LeftWidth << ", shift down " << title.TopHeight << ", right clip " << title.RightWidth
      << ", alignment " << title.TextAlignment << ", strip caps " << title.TXTBackleft << "/" << title.TXTBackRight
      << ", text background " << title.Textbackground << ", font height " << title.FontHeight << '\n';
  const auto captionColour = [](TColor colour) {
    return colour == CaptionColorNotGiven ? std::string("not given") : ColourText(colour);
  };
  out << "  text colour active " << captionColour(title.ActiveTextColour) << ", inactive "
      << captionColour(title.InactiveTextColour) << '\n';

  const TDataSkinButton &buttons = skin.Buttons();
  out << "\nButtons\n";
  ShowObject(buttons, false, out);
  out << "  " << std::setw(20) << "check box" << FramesText(buttons.CheckBoxImage, buttons.CheckFrame, false) << '\n';
  out << "  " << std::setw(20) << "radio button" << FramesText(buttons.RadioButtonImage, buttons.RadioFrame, false)
      << '\n';
  const auto given = [](bool flag) { return flag ? "" : " (not given)"; };
  out << "  text colours normal " << ColourText(buttons.NormalColour2) << given(buttons.NormalColour2Given) << ", hot "
      << ColourText(buttons.MouseOverColour2) << given(buttons.MouseOverColour2Given) << ", pressed "
      << ColourText(buttons.PressedColour2) << given(buttons.PressedColour2Given) << '\n';

  out << "\nObjects\n";
  for (int slot = 0; slot < SkinSlotCount; ++slot) {
    const TDataSkinObject *object = skin.Slot(static_cast<TSkinSlot>(slot));
    if (!object) {
      out << "  " << std::setw(20) << SlotNames[slot] << "(none)\n";
      continue;
    }
    const bool menuBar = static_cast<TSkinSlot>(slot) == TSkinSlot::MenuBar;
    ShowObject(*object, menuBar, out, menuBar ? "menu bar" : "");
    // Progress bars, the menu bar and tool bars carry no text colours.
    const auto kind = static_cast<TSkinSlot>(slot);
    if (kind != TSkinSlot::MenuBar && kind != TSkinSlot::Progress && kind != TSkinSlot::ToolBars)
      ShowTextColours(*object, out);
    if (const auto *label = dynamic_cast<const TDataSkinBoxLabel *>(object))
      out << "  " << std::setw(20) << ""
          << "background alignment " << label->BackgroundAlignment << ", shifts " << label->BackgroundLeftShift << "/"
          << label->BackgroundRightShift << '\n';
  }

  out << "\nCaption buttons\n";
  for (const auto &button : skin.SysButtons()) {
    out << "  " << std::setw(20) << button->Name << "action " << button->Action << ", align " << button->Align
        << ", at " << button->Xcoord << "," << button->Ycoord << ", visibility " << button->Visibility << "/"
        << button->Visibility1 << ", combine " << button->CombineOp << "; "
        << FramesText(button->Image, button->Frame, false) << '\n';
  }

  out << "\nColours\n";
  for (int i = 0; i < SchemeColorCount; ++i)
    out << "  " << std::setw(20) << SchemeColourNames[i] << ColourText(skin.Colors(static_cast<TShemeColor>(i)))
        << '\n';
  out << "  extra colours:";
  for (const TColor colour : skin.ExtraColors())
    out << ' ' << ColourText(colour);
  out << "\n  custom colours:";
  for (const TColor colour : skin.CustomColors())
    out << ' ' << ColourText(colour);
  out << '\n';
}

} // namespace zorvex
