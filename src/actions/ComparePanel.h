#pragma once
// What the comparison panel shows for one pair of the doubles grid: the two
// captions that record the pair, the size labels, which buttons are shown and
// enabled, and which previews to try. The panel's window only copies it.

#include <cstdint>
#include <optional>
#include <string>

#include "ActionTexts.h"

namespace zorvex {

enum class PreviewKind { None, Jpeg, Bitmap };

struct PanelFile {
  std::string caption;         // the path, or the marker when the file is not there
  std::string sizeCaption;     // "<size>  Bytes", or empty
  bool buttonsVisible = false; // this file's recycle and open buttons
  bool buttonsEnabled = false;
  PreviewKind preview = PreviewKind::None;
};

struct PanelState {
  PanelFile first;  // Label5, Label6, BitBtn5, BitBtn8, Image4
  PanelFile second; // Label7, Label8, BitBtn6, BitBtn9, Image5

  PanelFile &Side(PairSide side) { return side == PairSide::First ? first : second; }
  const PanelFile &Side(PairSide side) const { return side == PairSide::First ? first : second; }
};

// The file's size: read from the open file, or from the directory listing
// when the file exists but cannot be opened. Empty when neither works.
std::optional<int64_t> PanelFileSize(const std::string &path);

// A caption names an available file when it is neither empty nor a marker.
bool IsFileCaption(const std::string &caption);

// The panel for the pair (path1, path2) of one grid row, from the files as
// they are now. A file's buttons are shown when it exists and enabled only
// while the other file exists too, so the last copy cannot be recycled.
PanelState ShowPairState(const std::string &path1, const std::string &path2, const std::string &suppressedMarker);

// After the file on `side` went to the Recycle Bin: it loses its caption, size
// and preview and its buttons; the other file, now the last copy, keeps its
// buttons shown but disabled.
void MarkPanelFileRecycled(PanelState &state, PairSide side);

// Previews are tried for names ending exactly in "jpg", "JPG", "bmp" or "BMP".
PreviewKind PreviewKindOf(const std::string &path);
// A bitmap that cannot be loaded beeps in the first file's half only.
bool BeepOnPreviewFailure(PreviewKind kind, PairSide side);

constexpr int kPreviewBox = 154;

struct PreviewSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PreviewSize &, const PreviewSize &) = default;
};
// The picture scaled to fit the box with its aspect kept, enlarged or reduced,
// truncated; drawn from the box's top-left corner. A picture without pixels
// gives an empty size.
PreviewSize ScaleToPreviewBox(int64_t width, int64_t height, int box = kPreviewBox);

} // namespace zorvex
