// The one widget application of a Qt test program, made by whichever test needs it first.
#pragma once

#include <QApplication>

namespace tarvo::test {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "tarvo3_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down from a static destructor crashes after its plugins unload.
    static QApplication* app =
        qApp ? static_cast<QApplication*>(QCoreApplication::instance()) : new QApplication(argc, argv);
    return *app;
}

} // namespace tarvo::test
