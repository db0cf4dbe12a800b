#pragma once

#include <gtest/gtest.h>

// python3 (with openpyxl) and poppler's tools, the independent readers and
// writers some tests compare the program with, are programs of the build
// machine (Debian). A test built for Windows runs under Wine, whose programs
// cannot use them; it leaves out what needs them, and the Debian build runs
// the same checks.
#ifdef _WIN32
#define SKIP_WITHOUT_BUILD_MACHINE_TOOLS() GTEST_SKIP() << "needs python3 or poppler, which run on the build machine, not under Wine"
#else
#define SKIP_WITHOUT_BUILD_MACHINE_TOOLS() static_cast<void>(0)
#endif
