#include "scan/DirectoryWalker.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(DirectoryWalker, placeholder) {}
