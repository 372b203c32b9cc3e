#pragma once
// The colours a skin puts in place of a form's designed ones, and the way
// back to the design.

#include <vector>

#include "framework/core/Color.h"
#include "framework/core/Component.h"

namespace zorvex {

class TControl;

// The designed colours a skin replaced on a form and its controls, given
// back when the form is un-skinned. Only the first replacement of each is
// remembered: a later skin replaces the earlier skin's colour, not the
// design's. The watcher (the form's skinner) is told when a control goes
// away and passes it on to Forget.
class TDesignedColors {
public:
  enum class TKind { Color, FixedColor };
  explicit TDesignedColors(TComponent &watcher) : watcher_(watcher) {}
  TDesignedColors(const TDesignedColors &) = delete;
  TDesignedColors &operator=(const TDesignedColors &) = delete;

  // Sets the control's colour of that kind, remembering the designed one
  // first. A control without a writable colour of that kind is left alone.
  void Replace(TControl &control, TKind kind, TColor color);
  // Every remembered colour back, and forgotten.
  void Restore();
  void Forget(const TComponent *control);

private:
  struct TEntry {
    TControl *control; // not owned: watched
    TKind kind;
    TColor designed;
    bool parentColor; // Color: the control followed its parent's
  };
  TComponent &watcher_;
  std::vector<TEntry> entries_;
};

} // namespace zorvex
