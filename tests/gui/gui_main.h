#pragma once

#include "platform/form_binding.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

// A QtTest main that loads the program's images and style first, as the real entry does.
#define PENLARK_GUI_TEST_MAIN(TestClass)                                      \
    int main(int argc, char** argv)                                          \
    {                                                                        \
        QApplication application(argc, argv);                                \
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); \
        penlark::initPlatformResources();                                    \
        TestClass test;                                                      \
        return QTest::qExec(&test, argc, argv);                              \
    }
