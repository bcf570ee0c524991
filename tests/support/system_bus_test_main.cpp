// SPDX-License-Identifier: MIT
#include "support/private_dbus.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Qt connects to the system bus once per process, at its first use: the private bus must be
// in place before that, and live until the end. Nothing reaches the machine's own buses.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    sorvane::test::PrivateDbus bus;
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS",
             bus.running() ? bus.address().c_str() : "unix:path=/nonexistent/sorvane-test", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
