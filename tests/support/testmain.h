#pragma once

#include "webengineenvironment.h"

#include <QApplication>
#include <QTest>

// QTEST_MAIN, with the process prepared for the web engine before the application
// object exists.
#define QUILLET_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        WebEngineEnvironment::prepare();                                                           \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
