#pragma once

#include <gtest/gtest.h>

// Tests of one platform's code path skip, saying so, on the other.
#if defined(_WIN32)
#define SKIP_ON_WINDOWS(what) GTEST_SKIP() << (what) << ": Linux and macOS only"
#define SKIP_UNLESS_WINDOWS(what) static_cast<void>(0)
#else
#define SKIP_ON_WINDOWS(what) static_cast<void>(0)
#define SKIP_UNLESS_WINDOWS(what) GTEST_SKIP() << (what) << ": Windows only"
#endif
