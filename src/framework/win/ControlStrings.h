#pragma once
// The string list of a control that shows its items in its window (list
// box, combo box, tab control). The items and their objects live here, so
// they exist before the window does and survive it being made again; every
// change is made in the window too while there is one.

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Strings.h"

#include <windows.h>
// <windows.h> renames GetObject, which the list overrides.
#ifdef GetObject
#undef GetObject
#endif

namespace zorvex {

class TWinControl;

// What the control does to its window for each change. Every operation is
// called only while the window exists.
struct TItemWindowOps {
  std::function<bool()> windowExists;
  std::function<void(int index, const std::string &text)> insert;
  std::function<void(int index)> remove;
  std::function<void()> clear;
  // Changes the text of one item; without it the item is removed and put
  // back.
  std::function<void(int index, const std::string &text)> replace;
};

// Operations for the system's list windows, which all take an insert, a
// delete and a reset message of the same shape (LB_INSERTSTRING,
// LB_DELETESTRING, LB_RESETCONTENT and their CB_ twins).
TItemWindowOps ListWindowOps(TWinControl &control, UINT insertMessage, UINT deleteMessage, UINT resetMessage);

class TControlStrings : public TStrings {
public:
  explicit TControlStrings(TItemWindowOps ops) : ops_(std::move(ops)) {}

  int Count() const override { return items_.Count(); }
  std::string Get(int index) const override { return items_.Get(index); }
  void Put(int index, const std::string &text) override;
  TObject *GetObject(int index) const override;
  void PutObject(int index, TObject *object) override;
  void Insert(int index, const std::string &text) override;
  void Delete(int index) override;
  void Clear() override;

  // Puts every item into a window just made.
  void FillWindow();
  // Called after each change of the list (not of objects).
  std::function<void()> OnChange;

private:
  bool Live() const { return ops_.windowExists && ops_.windowExists(); }
  void Changed() {
    if (OnChange)
      OnChange();
  }
  TItemWindowOps ops_;
  // The texts, and their objects kept apart: the system's headers rename
  // GetObject, so TStringList's own may not be called from here.
  TStringList items_;
  std::vector<TObject *> objects_; // not owned
};

} // namespace zorvex
