#include "ui/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <gtest/gtest.h>

TEST(MdiArrangement, StacksWindowsFullWidthWithoutGapsOrOverlap) {
    const QRect area(0, 0, 800, 601);
    const auto rects = OneAboveTheOther(area, 3);
    ASSERT_EQ(rects.size(), 3u);
    int expectedTop = 0;
    for (const QRect& rect : rects) {
        EXPECT_EQ(rect.left(), 0);
        EXPECT_EQ(rect.width(), 800);
        EXPECT_EQ(rect.top(), expectedTop);
        EXPECT_GE(rect.height(), 200);
        EXPECT_LE(rect.height(), 201);
        expectedTop = rect.bottom() + 1;
    }
    EXPECT_EQ(expectedTop, 601);
    EXPECT_TRUE(OneAboveTheOther(area, 0).empty());
    EXPECT_TRUE(OneAboveTheOther(QRect(), 2).empty());
}

TEST(MdiArrangement, WindowsKeepTheirMinimumAndRunOnBelowTheArea) {
    const auto rects = OneAboveTheOther(QRect(0, 0, 600, 700), 3, QSize(700, 300));
    ASSERT_EQ(rects.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rects[static_cast<size_t>(i)], QRect(0, 300 * i, 700, 300)) << i;
    // Room enough: the area's height is shared as before.
    EXPECT_EQ(OneAboveTheOther(QRect(0, 0, 800, 900), 3, QSize(700, 300)).back(),
              QRect(0, 600, 800, 300));
}

TEST(MdiArrangement, TilesVisibleWindowsInCreationOrderAndRestoresMinimisedOnes) {
    QMdiArea area;
    area.resize(600, 400);
    area.show();
    std::vector<QMdiSubWindow*> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(area.addSubWindow(new QWidget));
        windows.back()->show();
    }
    windows[1]->showMinimized();
    area.setActiveSubWindow(windows[2]);
    ASSERT_TRUE(windows[1]->isMinimized());
    TileOneAboveTheOther(area);
    const QRect viewport = area.viewport()->rect();
    EXPECT_FALSE(windows[1]->isMinimized());
    EXPECT_EQ(windows[0]->geometry().top(), 0);
    EXPECT_EQ(windows[0]->geometry().width(), viewport.width());
    EXPECT_EQ(windows[1]->geometry().top(), windows[0]->geometry().bottom() + 1);
    EXPECT_EQ(windows[2]->geometry().top(), windows[1]->geometry().bottom() + 1);
    EXPECT_EQ(windows[2]->geometry().bottom(), viewport.bottom());
}
