#include "ImageLink.h"

namespace zorvex {

OwnedImageList MakeSystemImageList(const TImageList &images, bool disabled) {
  if (images.Count() == 0)
    return OwnedImageList();
  OwnedImageList list(ImageList_Create(images.Width(), images.Height(), ILC_COLOR32, images.Count(), 0));
  if (!list)
    return list;
  for (int i = 0; i < images.Count(); ++i) {
    const TDibBitmap &image = images.Image(i);
    if (!disabled) {
      ImageList_Add(list.get(), image.Handle(), nullptr);
      continue;
    }
    const TDibBitmap greyed = image.Disabled();
    ImageList_Add(list.get(), greyed.Handle(), nullptr);
  }
  return list;
}

TImageLink::TImageLink(TComponent &owner, std::function<void()> changed)
    : owner_(owner), changed_(std::move(changed)) {}

TImageLink::~TImageLink() {
  if (images_) {
    images_->UnregisterChanges(this);
    owner_.RemoveFreeNotification(images_);
  }
}

void TImageLink::Set(TImageList *images) {
  if (images == images_)
    return;
  if (images_) {
    images_->UnregisterChanges(this);
    owner_.RemoveFreeNotification(images_);
  }
  images_ = images;
  if (images_) {
    owner_.FreeNotification(images_);
    images_->RegisterChanges(this, [this] { Changed(); });
  }
  Changed();
}

bool TImageLink::Forget(TComponent *component, TOperation operation) {
  if (operation != TOperation::Remove || !images_ || component != images_)
    return false;
  // The list is going away: nothing of it may be touched any more.
  images_ = nullptr;
  Changed();
  return true;
}

HIMAGELIST TImageLink::SystemList(bool disabled) {
  if (!images_)
    return nullptr;
  OwnedImageList &list = disabled ? disabled_ : normal_;
  if (!list)
    list = MakeSystemImageList(*images_, disabled);
  return list.get();
}

void TImageLink::Changed() {
  // The system copies are made again on the next use; the control holding
  // the old ones is told first, so it lets go of them before they go.
  OwnedImageList oldNormal = std::move(normal_), oldDisabled = std::move(disabled_);
  if (changed_)
    changed_();
}

} // namespace zorvex
