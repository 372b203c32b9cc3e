#include "DesignedColors.h"

#include <algorithm>
#include <utility>

#include "framework/core/PublishedProperties.h"
#include "framework/win/Controls.h"

namespace zorvex {

namespace {
const TPropertyInfo *WritableFixedColor(const TControl &control) {
  const TPropertyTable *table = control.PublishedProperties();
  const TPropertyInfo *fixed = table ? table->Find("FixedColor") : nullptr;
  return fixed && !fixed->ReadOnly() ? fixed : nullptr;
}

TColor ColorOf(const TControl &control, TDesignedColors::TKind kind) {
  if (kind == TDesignedColors::TKind::Color)
    return control.Color();
  return static_cast<TColor>(WritableFixedColor(control)->GetOrdinal(control));
}

void SetColorOf(TControl &control, TDesignedColors::TKind kind, TColor color) {
  if (kind == TDesignedColors::TKind::Color)
    control.SetColor(color);
  else
    WritableFixedColor(control)->SetOrdinal(control, color);
}
} // namespace

void TDesignedColors::Replace(TControl &control, TKind kind, TColor color) {
  if (kind == TKind::FixedColor && !WritableFixedColor(control))
    return;
  const bool remembered = std::any_of(entries_.begin(), entries_.end(), [&](const TEntry &entry) {
    return entry.control == &control && entry.kind == kind;
  });
  if (!remembered) {
    entries_.push_back({&control, kind, ColorOf(control, kind), kind == TKind::Color && control.ParentColor()});
    watcher_.FreeNotification(&control);
  }
  SetColorOf(control, kind, color);
}

void TDesignedColors::Restore() {
  const std::vector<TEntry> entries = std::exchange(entries_, {});
  for (const TEntry &entry : entries) {
    watcher_.RemoveFreeNotification(entry.control);
    if (entry.parentColor)
      entry.control->SetParentColor(true);
    else
      SetColorOf(*entry.control, entry.kind, entry.designed);
  }
}

void TDesignedColors::Forget(const TComponent *control) {
  std::erase_if(entries_, [control](const TEntry &entry) { return entry.control == control; });
}

} // namespace zorvex
