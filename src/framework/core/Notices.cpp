#include "Notices.h"

#include <cstdio>
#include <utility>

namespace zorvex {

namespace {
NoticeHandler &Handler() {
  static NoticeHandler handler;
  return handler;
}
} // namespace

NoticeHandler SetNoticeHandler(NoticeHandler handler) { return std::exchange(Handler(), std::move(handler)); }

void ShowPlainMessage(const std::string &text) {
  if (Handler()) {
    Handler()(text);
    return;
  }
  std::string line = text;
  for (char &c : line)
    if (c == '\r')
      c = '\n';
  std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace zorvex
