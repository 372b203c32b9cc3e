#include "SkinPackages.h"

namespace zorvex::test {

std::string BmpFile(int width, int height, TColor color) {
  TBitmap bitmap(width, height);
  bitmap.Fill(color);
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

std::string BmpHeadersOnly(int width, int height) {
  std::string file = BmpFile(1, 1).substr(0, 54);
  for (int i = 0; i < 4; ++i) {
    file[18 + i] = static_cast<char>((width >> (8 * i)) & 0xFF);
    file[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
  }
  return file;
}

TMemoryStream SkinPackage(const std::string &ini, const std::vector<SkinEntry> &entries) {
  std::vector<SkinEntry> all{{"skin.ini", ini}};
  all.insert(all.end(), entries.begin(), entries.end());
  TMemoryStream package;
  WriteSkinPackage(all, package);
  package.SetPosition(0);
  return package;
}

std::string FullSkinIni() {
  return "[TitlebarSkin]\nSkinName=Test Grey\n"
         "[Personality]\nLeft=left.bmp\nRight=right.bmp\nTop=top.bmp\nBottom=bottom.bmp\n"
         "LeftTopHeight=30\nLeftBotHeight=4\nTopTopHeight=8\nTopBotHeight=9\nTopFrame=2\nLeftFrame=2\n"
         "RightFrame=2\nBottomFrame=2\nTopStretch=0\n"
         "TextBack=title.bmp\nTextShift=6\nTextShiftVert=2\nTextRightClip=80\nTextAlignment=1\n"
         "ActiveTextR=255\nActiveTextG=255\nActiveTextB=255\nInActiveTextR=10\n"
         "menuBar=menubar.bmp\nTileMenu=5\n"
         "[Fonts]\nFontHeight=13\n"
         "[Colours]\nButtonFace=211 211 211\nButtonText=0,0,0\nWindowText=1 2 3\n"
         "[Colour1]\ncolor=10 20 30\n[Colour2]\n"
         "[Customcolors]\nColor3=1,1,1\n"
         "[Button0]\nAction=0\nButtonImage=close.bmp\nAlign=1\nXcoord=20\nYcoord=4\n"
         "[Button1]\nAction=1\nButtonImage=max.bmp\n"
         "[Button2]\nAction=2\nButtonImage=min.bmp\nframe=4\n"
         "[Button3]\nAction=-1\nVisibility=0\nButtonImage=custom.bmp\n"
         "[Button4]\nAction=3\nButtonImage=close.bmp\n"
         "[Button5]\nAction=-1\nVisibility=1\nButtonImage=close.bmp\n"
         "[Buttons]\nBitmap=button.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nLeftWidth=3\nTile=7\n"
         "NormalColour2=0 0 255\n"
         "[Button.Radio]\nAction=5\n[Button.Checkbox]\nAction=5\n[Button]\nAction=5\n"
         "[MDICONTROLS]\nImage=mdi.bmp\n"
         "[Progress]\nBitmap=progress.bmp\nChunk=chunk.bmp\nTile=4\n"
         "[GroupBoxEdge]\nImage=edge.bmp\n[GroupBox]\nImage=label.bmp\nBackgroundLeftShift=3\n"
         "[Tabs]\nImage=tabs.bmp\nBorder=tabborder.bmp\n[StatusBarEdges]\nImage=status.bmp\n"
         "[ComboButton]\nImage=combo.bmp\n[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=2\n"
         "BottomHeight=2\n"
         "[ExtraImages]\nImage=extra.bmp\n[Headerbar]\nImage=header.bmp\n[MenuItem]\nImage=menuitem.bmp\n"
         "[MenuBackground]\nImage=menubg.bmp\n[Scrollbar]\nImage=scroll.bmp\n[HorzScroll]\nImage=hscroll.bmp\n"
         "[VertScroll]\nImage=vscroll.bmp\n[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=4\n"
         "[VertScrollThumb]\nImage=vthumb.bmp\n"
         "[Trackbar.ThumbHorz]\nImage=thumb.bmp\n[Trackbar.ThumbVert]\nImage=thumb.bmp\n"
         "[Trackbar.ThumbLeft]\nImage=thumb.bmp\n[Trackbar.ThumbRight]\nImage=thumb.bmp\n"
         "[Trackbar.ThumbUp]\nImage=thumb.bmp\n[Trackbar.ThumbDown]\nImage=thumb.bmp\n"
         "[UpDown.Horz]\nImage=updown.bmp\nGlyphImage=glyph.bmp\n[UpDown.Vert]\nImage=updown.bmp\n";
}

std::vector<SkinEntry> FullSkinPictures() {
  return {{"left.bmp", BmpFile(8, 60)},           {"right.bmp", BmpFile(8, 60)},
          {"top.bmp", BmpFile(40, 60, clNavy)},   {"bottom.bmp", BmpFile(40, 16)},
          {"title.bmp", BmpFile(20, 40)},         {"menubar.bmp", BmpFile(30, 40)},
          {"close.bmp", BmpFile(60, 20)},         {"max.bmp", BmpFile(140, 20)},
          {"min.bmp", BmpFile(64, 16)},           {"custom.bmp", BmpFile(60, 20)},
          {"button.bmp", BmpFile(100, 20)},       {"check.bmp", BmpFile(156, 13)},
          {"radio.bmp", BmpFile(128, 16)},        {"mdi.bmp", BmpFile(120, 9, clRed)},
          {"progress.bmp", BmpFile(20, 20)},      {"chunk.bmp", BmpFile(6, 8)},
          {"edge.bmp", BmpFile(20, 10)},          {"label.bmp", BmpFile(20, 10)},
          {"tabs.bmp", BmpFile(100, 20)},         {"tabborder.bmp", BmpFile(10, 10)},
          {"status.bmp", BmpFile(30, 20)},        {"combo.bmp", BmpFile(64, 21, clBlue)},
          {"sunk.bmp", BmpFile(40, 21, clGreen)}, {"extra.bmp", BmpFile(50, 21, clFuchsia)},
          {"header.bmp", BmpFile(50, 20)},        {"menuitem.bmp", BmpFile(50, 20)},
          {"menubg.bmp", BmpFile(20, 20)},        {"scroll.bmp", BmpFile(368, 16)},
          {"hscroll.bmp", BmpFile(64, 16)},       {"vscroll.bmp", BmpFile(64, 16)},
          {"hthumb.bmp", BmpFile(64, 16)},        {"vthumb.bmp", BmpFile(48, 16)},
          {"thumb.bmp", BmpFile(55, 20)},         {"updown.bmp", BmpFile(64, 16)},
          {"glyph.bmp", BmpFile(64, 8)}};
}

} // namespace zorvex::test
