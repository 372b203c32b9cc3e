#pragma once
// Small executable stubs that bind a Win32 callback to one object, for
// callbacks that carry no user data of their own (window procedures of
// subclassed windows, hook procedures). The stub puts the object's address
// into one argument register and jumps to a static entry function.

#include <cstddef>

namespace zorvex {

class ProcedureThunk {
public:
  enum class Bind {
    // Replaces the first argument (a window procedure's window handle).
    FirstArgument,
    // Fills the fourth argument (free in a three-argument hook procedure).
    FourthArgument,
  };

  ProcedureThunk() = default;
  ProcedureThunk(void *entry, void *object, Bind bind);
  ~ProcedureThunk();
  ProcedureThunk(ProcedureThunk &&other) noexcept;
  ProcedureThunk &operator=(ProcedureThunk &&other) noexcept;
  ProcedureThunk(const ProcedureThunk &) = delete;
  ProcedureThunk &operator=(const ProcedureThunk &) = delete;

  // The stub as a callback of type Procedure.
  template <typename Procedure> Procedure As() const { return reinterpret_cast<Procedure>(code_); }
  explicit operator bool() const { return code_ != nullptr; }

  // Stubs in use in the process.
  static std::size_t LiveCount();

private:
  unsigned char *code_ = nullptr;
};

} // namespace zorvex
