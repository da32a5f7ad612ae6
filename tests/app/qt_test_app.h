// The one QApplication of a window test program, on the offscreen platform so that tests need
// no display.
#pragma once

#include <QApplication>
#include <cstdlib>

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "tarvello-window-test";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *application;
}
