#include "ControlStrings.h"

#include "Controls.h"
#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

TItemWindowOps ListWindowOps(TWinControl &control, UINT insertMessage, UINT deleteMessage, UINT resetMessage) {
  TItemWindowOps ops;
  ops.windowExists = [&control] { return control.HandleAllocated(); };
  ops.insert = [&control, insertMessage](int index, const std::string &text) {
    const std::wstring wide = Wide(text);
    const LRESULT result = SendMessageW(control.WindowHandle(), insertMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(wide.c_str()));
    if (result < 0) // LB_ERR / CB_ERR, or out of space
      throw Exception("Cannot add an item to " + control.ClassName());
  };
  ops.remove = [&control, deleteMessage](int index) {
    SendMessageW(control.WindowHandle(), deleteMessage, static_cast<WPARAM>(index), 0);
  };
  ops.clear = [&control, resetMessage] { SendMessageW(control.WindowHandle(), resetMessage, 0, 0); };
  return ops;
}

TObject *TControlStrings::GetObject(int index) const {
  items_.Get(index); // checks the index
  return objects_[static_cast<size_t>(index)];
}

void TControlStrings::PutObject(int index, TObject *object) {
  items_.Get(index);
  objects_[static_cast<size_t>(index)] = object;
}

void TControlStrings::Put(int index, const std::string &text) {
  items_.Put(index, text);
  if (Live()) {
    if (ops_.replace) {
      ops_.replace(index, text);
    } else {
      ops_.remove(index);
      ops_.insert(index, text);
    }
  }
  Changed();
}

void TControlStrings::Insert(int index, const std::string &text) {
  items_.Insert(index, text);
  objects_.insert(objects_.begin() + index, nullptr);
  if (Live()) {
    try {
      ops_.insert(index, text);
    } catch (...) {
      // Keep the list and the window alike.
      items_.Delete(index);
      objects_.erase(objects_.begin() + index);
      throw;
    }
  }
  Changed();
}

void TControlStrings::Delete(int index) {
  items_.Delete(index);
  objects_.erase(objects_.begin() + index);
  if (Live())
    ops_.remove(index);
  Changed();
}

void TControlStrings::Clear() {
  items_.Clear();
  objects_.clear();
  if (Live())
    ops_.clear();
  Changed();
}

void TControlStrings::FillWindow() {
  if (!Live())
    return;
  ops_.clear();
  for (int i = 0; i < items_.Count(); ++i)
    ops_.insert(i, items_.Get(i));
}

} // namespace zorvex
