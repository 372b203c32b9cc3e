#pragma once
// Plain message boxes for portable code. The windowing layer installs the
// handler that shows the framework's box; without one the text goes to the
// standard error stream, which is what the command-line tools want.

#include <functional>
#include <string>

namespace zorvex {

using NoticeHandler = std::function<void(const std::string &text)>;

// Installs the handler; returns the previous one.
NoticeHandler SetNoticeHandler(NoticeHandler handler);

// Shows text in a plain message box (no icon, the single button "OK").
void ShowPlainMessage(const std::string &text);

} // namespace zorvex
