#pragma once
// One QApplication for the Qt tests of this folder, made on first use on
// Qt's offscreen platform.
#include <QApplication>
#include <cstdlib>

namespace velm {

inline void EnsureQtApplication() {
    if (QCoreApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "velm_platform_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives to the end of the test program
}

}  // namespace velm
