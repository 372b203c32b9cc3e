#include "SkinPictures.h"

#include "SkinParts.h"

namespace zorvex::paint {

std::vector<NamedPicture> PaintSkin(const SkinStyle &s) {
  Borders borders = PaintBorders(s);
  std::vector<NamedPicture> pictures = {
      {"left.bmp", std::move(borders.left)},
      {"right.bmp", std::move(borders.right)},
      {"top.bmp", std::move(borders.top)},
      {"bottom.bmp", std::move(borders.bottom)},
      {"caption.bmp", PaintCaptionStrip(s)},
      {"close.bmp", PaintCaptionButton(s, CaptionSign::Close)},
      {"maximise.bmp", PaintCaptionButton(s, CaptionSign::Maximise)},
      {"restore.bmp", PaintCaptionButton(s, CaptionSign::Restore)},
      {"minimise.bmp", PaintCaptionButton(s, CaptionSign::Minimise)},
      {"childbuttons.bmp", PaintChildButtons(s)},
      {"menubar.bmp", PaintMenuBar(s)},
      {"menuitem.bmp", PaintMenuItem(s)},
      {"menuframe.bmp", PaintMenuBackground(s)},
      {"button.bmp", PaintPushButton(s)},
      {"checkbox.bmp", PaintCheckBox(s)},
      {"radio.bmp", PaintRadioButton(s)},
      {"progress.bmp", PaintProgress(s)},
      {"groupedge.bmp", PaintGroupEdge(s)},
      {"grouplabel.bmp", PaintGroupLabel(s)},
      {"tabs.bmp", PaintTabs(s)},
      {"tabpage.bmp", PaintTabPage(s)},
      {"statusbar.bmp", PaintStatusBar(s)},
      {"combobutton.bmp", PaintComboButton(s)},
      {"sunkenedge.bmp", PaintSunkenEdge(s)},
      {"comboarrow.bmp", PaintComboArrows(s)},
      {"header.bmp", PaintHeader(s)},
      {"scrollbar.bmp", PaintScrollBar(s)},
      {"hscroll.bmp", PaintScrollTrack(s, true)},
      {"vscroll.bmp", PaintScrollTrack(s, false)},
      {"hthumb.bmp", PaintScrollThumb(s, true)},
      {"vthumb.bmp", PaintScrollThumb(s, false)},
      {"thumbh.bmp", PaintTrackThumb(s, TrackThumb::Horizontal)},
      {"thumbv.bmp", PaintTrackThumb(s, TrackThumb::Vertical)},
      {"thumbleft.bmp", PaintTrackThumb(s, TrackThumb::Left)},
      {"thumbright.bmp", PaintTrackThumb(s, TrackThumb::Right)},
      {"thumbup.bmp", PaintTrackThumb(s, TrackThumb::Up)},
      {"thumbdown.bmp", PaintTrackThumb(s, TrackThumb::Down)},
      {"updownh.bmp", PaintUpDown(s, false)},
      {"updownv.bmp", PaintUpDown(s, true)},
      {"updownhsigns.bmp", PaintUpDownSigns(s, false)},
      {"updownvsigns.bmp", PaintUpDownSigns(s, true)},
  };
  if (s.progressStyle == 1)
    pictures.emplace_back("chunk.bmp", PaintProgressChunk(s));
  if (s.helpButton)
    pictures.emplace_back("help.bmp", PaintCaptionButton(s, CaptionSign::Help));
  return pictures;
}

} // namespace zorvex::paint
