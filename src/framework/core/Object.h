#pragma once
// Root of the framework's class tree.

namespace zorvex {

class TObject {
public:
  TObject() = default;
  TObject(const TObject &) = default;
  TObject &operator=(const TObject &) = default;
  virtual ~TObject() = default;
};

} // namespace zorvex
