#include "Thunks.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include <windows.h>

#include "Win32Error.h"

namespace zorvex {

#if !defined(__x86_64__)
#error "the stubs are x86-64 code"
#endif

namespace {

constexpr std::size_t kSlotSize = 32;
constexpr std::size_t kPageSize = 4096;

// Slots of executable memory, handed out and taken back; pages stay for the
// life of the process.
class SlotPool {
public:
  unsigned char *Take() {
    std::lock_guard lock(mutex_);
    if (free_.empty()) {
      auto *page = static_cast<unsigned char *>(
          VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
      if (!page)
        RaiseLastOSError("VirtualAlloc thunk page");
      for (std::size_t at = kPageSize; at >= kSlotSize; at -= kSlotSize)
        free_.push_back(page + at - kSlotSize);
    }
    unsigned char *slot = free_.back();
    free_.pop_back();
    ++live_;
    return slot;
  }
  void Give(unsigned char *slot) {
    std::lock_guard lock(mutex_);
    std::memset(slot, 0xCC, kSlotSize); // a stale call traps instead of running on
    free_.push_back(slot);
    --live_;
  }
  std::size_t Live() {
    std::lock_guard lock(mutex_);
    return live_;
  }

private:
  std::mutex mutex_;
  std::vector<unsigned char *> free_;
  std::size_t live_ = 0;
};

SlotPool &Pool() {
  // Never freed: windows and hooks may give their stubs back during static
  // destruction, after a pool of static duration would be gone.
  static SlotPool &pool = *new SlotPool;
  return pool;
}

void PutAddress(unsigned char *at, const void *address) {
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  std::memcpy(at, &value, sizeof(value));
}

} // namespace

ProcedureThunk::ProcedureThunk(void *entry, void *object, Bind bind) : code_(Pool().Take()) {
  unsigned char *p = code_;
  // mov rcx, imm64 (48 B9) or mov r9, imm64 (49 B9)
  *p++ = bind == Bind::FirstArgument ? 0x48 : 0x49;
  *p++ = 0xB9;
  PutAddress(p, object);
  p += 8;
  // mov rax, imm64; jmp rax
  *p++ = 0x48;
  *p++ = 0xB8;
  PutAddress(p, entry);
  p += 8;
  *p++ = 0xFF;
  *p++ = 0xE0;
  FlushInstructionCache(GetCurrentProcess(), code_, kSlotSize);
}

ProcedureThunk::~ProcedureThunk() {
  if (code_)
    Pool().Give(code_);
}

ProcedureThunk::ProcedureThunk(ProcedureThunk &&other) noexcept : code_(std::exchange(other.code_, nullptr)) {}

ProcedureThunk &ProcedureThunk::operator=(ProcedureThunk &&other) noexcept {
  if (this != &other) {
    if (code_)
      Pool().Give(code_);
    code_ = std::exchange(other.code_, nullptr);
  }
  return *this;
}

std::size_t ProcedureThunk::LiveCount() { return Pool().Live(); }

} // namespace zorvex
