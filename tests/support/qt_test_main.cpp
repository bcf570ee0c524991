// SPDX-License-Identifier: MIT
#include <QApplication>
#include <gtest/gtest.h>
#ifdef SORVANE_ENGLISH_TRANSLATION
#include "app/translations.h"
#endif

// Background work reports back through the event loop, and dialogs need an application
// object; the offscreen platform gives one without a display, also when ctest lists the tests.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#ifdef SORVANE_ENGLISH_TRANSLATION
    // As the program does at start: the English plural forms are a translation of their own.
    const sorvane::Translations english{QLocale(QLocale::English)};
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
