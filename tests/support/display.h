#pragma once
// Tests that need what only a real display offers (a selection clipboard, a
// window manager's frames). The headless run skips them; the run the test
// command makes on a virtual X screen (CV_DISPLAY_TESTS set) fails them
// instead when what they need is missing, so none is skipped unnoticed.

#include <gtest/gtest.h>

#include <QtGlobal>

inline bool Display_Tests_Required() { return qEnvironmentVariableIsSet("CV_DISPLAY_TESTS"); }

#define NEED_ON_DISPLAY(have, what)                                                   \
  do {                                                                                \
    if (!(have)) {                                                                    \
      if (Display_Tests_Required()) FAIL() << "the display offers no " << (what);     \
      GTEST_SKIP() << "no " << (what) << " here";                                    \
    }                                                                                 \
  } while (0)
