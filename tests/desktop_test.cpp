// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"
#include "common/GridColumns.h"
#include "picker/SelectImageScreen.h"
#include "support/TestDoubles.h"

#include <QWindow>

#include <gtest/gtest.h>

TEST(GridColumns, PhoneWidthsKeepTwoColumnsWiderWindowsAddCellsOfAbout180)
{
    const std::pair<qreal, int> expected[] = {{320, 2}, {390, 2},  {500, 2}, {600, 3},
                                              {800, 4}, {1280, 6}, {1920, 9}};
    for (const auto& [width, columns] : expected) {
        EXPECT_EQ(GridColumns::columns(width, 12), columns) << width;
        const qreal side = SelectImageScreen::itemSide(width);
        // The cells and the spacing around them fill the width exactly.
        EXPECT_DOUBLE_EQ(side * columns + 12 * (columns + 1), width) << width;
        if (width > GridColumns::kPhoneWidth) {
            EXPECT_NEAR(side, 180, 25) << width;
        }
    }
}

TEST(WindowPlacement, TheWindowComesBackWhereItWasLeft)
{
    MemoryUserDefaults defaults;
    {
        QWindow window;
        window.setGeometry(40, 60, 1280, 800);
        WindowPlacement(window, defaults).save();
    }
    QWindow window;
    window.resize(390, 844);
    WindowPlacement(window, defaults).restore();
    EXPECT_EQ(window.size(), QSize(1280, 800));
}
