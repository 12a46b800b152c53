// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Shared main of every test: a GUI application (offscreen) around GoogleTest.
#include "app/ScreenRegistry.h"
#include "support/TestPlatform.h"

#include <QGuiApplication>
#include <QQuickStyle>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("OMP_THREAD_LIMIT", "1");
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Material"));
    TestPlatform::registerScreens = ::registerScreens;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
