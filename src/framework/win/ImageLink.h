#pragma once
// A control's link to the image list it shows (not owned): the control is
// told when the images change and forgets the list when it goes away; the
// system's copy of the images, for the common controls that draw them
// themselves, is made on demand and kept until the next change.

#include <functional>

#include <windows.h>

#include <commctrl.h>

#include "Handles.h"
#include "ImgList.h"

namespace zorvex {

struct ImageListTraits {
  using Value = HIMAGELIST;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::Gdi; // it holds GDI bitmaps
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { ImageList_Destroy(value); }
};
using OwnedImageList = UniqueHandle<ImageListTraits>;

// The images as the system's image list: 32 bits with their alpha, or
// their greyed look for disabled controls. Null for an empty list.
OwnedImageList MakeSystemImageList(const TImageList &images, bool disabled = false);

class TImageLink {
public:
  // `changed` runs after every change of the images and when the list is
  // set or goes away.
  TImageLink(TComponent &owner, std::function<void()> changed);
  ~TImageLink();
  TImageLink(const TImageLink &) = delete;
  TImageLink &operator=(const TImageLink &) = delete;

  TImageList *Images() const { return images_; }
  void Set(TImageList *images);
  // For the owner's Notification: true when the component was the list.
  bool Forget(TComponent *component, TOperation operation);
  // The system's copy (made on demand); null without images.
  HIMAGELIST SystemList(bool disabled = false);

private:
  void Changed();
  TComponent &owner_;
  std::function<void()> changed_;
  TImageList *images_ = nullptr; // not owned
  OwnedImageList normal_, disabled_;
};

} // namespace zorvex
