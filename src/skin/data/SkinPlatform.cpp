#include "SkinPlatform.h"

namespace zorvex {

namespace {

const TSkinPlatform *installed = nullptr;

} // namespace

TColor TSkinPlatform::SystemColor(int index) const { return SysColor(index); }

uintptr_t TSkinPlatform::CreateSolidBrush(TColor) const { return 0; }

void TSkinPlatform::DeleteBrush(uintptr_t) const {}

int TSkinPlatform::HorzScrollArrowWidth() const { return 16; }

bool TSkinPlatform::ApplicationIcon(TBitmap &) const { return false; }

std::unique_ptr<TObject> TSkinPlatform::LoadMenuGlyphs() const { return nullptr; }

const TSkinPlatform &SkinPlatform() {
  static const TSkinPlatform classic;
  return installed ? *installed : classic;
}

void SetSkinPlatform(const TSkinPlatform *platform) { installed = platform; }

} // namespace zorvex
