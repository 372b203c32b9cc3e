#pragma once
// The Recycle Bin of a test run: under Wine, the trash under the private
// HOME that the test script makes.

#ifdef _WIN32
#include <string>

namespace zorvex::test {

// The trash folder as a Windows path; empty unless HOME is the private one
// the test run made, so that no real Recycle Bin is touched.
std::string TestTrash();

// The trash's record of a file it holds under `name`: its original path is
// on the "Path=" line. Empty when there is none.
std::string TrashInfoFor(const std::string &trash, const std::string &name);

} // namespace zorvex::test
#endif
