// One Qt application for the whole run (the program's own, with its net
// under every command), on the offscreen platform unless told otherwise;
// every test makes its own platform on it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/qt_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  qm::QtProgramApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
