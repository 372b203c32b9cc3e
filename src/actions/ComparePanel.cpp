#include "ComparePanel.h"

#include "framework/core/Exceptions.h"
#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"

namespace zorvex {

namespace {
std::optional<int64_t> ListedSize(const std::string &path) {
  TSearchRec rec;
  if (FindFirst(path, fa::AnyFile & ~fa::Directory & ~fa::VolumeID, rec) != 0)
    return std::nullopt;
  const int64_t size = rec.Size;
  FindClose(rec);
  return size;
}

bool Exists(const std::string &path) { return !path.empty() && !IsMarkerText(path) && FileExists(path); }

PanelFile DescribeFile(const std::string &path, const std::string &marker) {
  PanelFile file;
  file.caption = Exists(path) ? path : marker;
  if (IsFileCaption(file.caption)) {
    if (const std::optional<int64_t> size = PanelFileSize(path))
      file.sizeCaption = SizeCaption(*size);
    file.preview = PreviewKindOf(path);
  }
  return file;
}
} // namespace

std::optional<int64_t> PanelFileSize(const std::string &path) {
  try {
    TFileStream file(path, fm::OpenRead | fm::ShareDenyNone);
    return file.Size();
  } catch (const Exception &) {
    // Locked by another program, or no read access: the listing still knows.
    return ListedSize(path);
  }
}

bool IsFileCaption(const std::string &caption) { return !caption.empty() && !IsMarkerText(caption); }

PanelState ShowPairState(const std::string &path1, const std::string &path2, const std::string &suppressedMarker) {
  PanelState state;
  state.first = DescribeFile(path1, suppressedMarker);
  state.second = DescribeFile(path2, suppressedMarker);
  const bool firstPresent = IsFileCaption(state.first.caption);
  const bool secondPresent = IsFileCaption(state.second.caption);
  state.first.buttonsVisible = firstPresent;
  state.first.buttonsEnabled = secondPresent;
  state.second.buttonsVisible = secondPresent;
  state.second.buttonsEnabled = firstPresent;
  return state;
}

void MarkPanelFileRecycled(PanelState &state, PairSide side) {
  PanelFile &gone = state.Side(side);
  gone.caption.clear();
  gone.sizeCaption.clear();
  gone.preview = PreviewKind::None;
  gone.buttonsVisible = false;
  state.Side(side == PairSide::First ? PairSide::Second : PairSide::First).buttonsEnabled = false;
}

PreviewKind PreviewKindOf(const std::string &path) {
  if (path.size() < 3)
    return PreviewKind::None;
  const std::string_view ending = std::string_view(path).substr(path.size() - 3);
  if (ending == "jpg" || ending == "JPG")
    return PreviewKind::Jpeg;
  if (ending == "bmp" || ending == "BMP")
    return PreviewKind::Bitmap;
  return PreviewKind::None;
}

bool BeepOnPreviewFailure(PreviewKind kind, PairSide side) {
  return kind == PreviewKind::Bitmap && side == PairSide::First;
}

PreviewSize ScaleToPreviewBox(int64_t width, int64_t height, int box) {
  if (width <= 0 || height <= 0)
    return {};
  if (width > height)
    return {box, static_cast<int>(box * height / width)};
  return {static_cast<int>(box * width / height), box};
}

} // namespace zorvex
