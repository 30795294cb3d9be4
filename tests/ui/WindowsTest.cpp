#include "LogGenerator.h"
#include "MainformFixture.h"
#include "ui/MdiArrangement.h"
#include "ui/MdiWindowList.h"
#include "ui/TChildform.h"
#include "ui/TMainform.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <map>
#include <set>

namespace {

QStringList Warnings;
void CollectWarning(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.contains(QStringLiteral("mbiguous")))
        Warnings << message;
}

class WindowsTest : public MainformFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        Frame = std::make_unique<TMainform>(StoreInTemp());
        Frame->resize(1280, 800);
        Start(*Frame);
    }

    std::vector<QMdiSubWindow*> MakeWindows(int count) {
        while (static_cast<int>(Form().AnalysisWindows().size()) < count) {
            Form().MdiArea->setActiveSubWindow(nullptr);
            Form().SelectTargetWindow();
        }
        std::vector<QMdiSubWindow*> subs;
        for (TChildform* window : Form().AnalysisWindows())
            subs.push_back(TMainform::SubWindowOf(window));
        return subs;
    }
    QString WriteDay(const QDate& date) {
        const QString path = Temp.filePath(date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, loggen::DayOptions()).Bytes);
        return path;
    }
    // The window a key goes to: the focus inside the active sub-window.
    QWidget* KeyTarget() {
        QMdiSubWindow* sub = Form().MdiArea->currentSubWindow();
        QWidget* focus = sub != nullptr ? sub->widget()->focusWidget() : nullptr;
        return focus != nullptr ? focus : sub != nullptr ? sub->widget() : &Form();
    }
    static bool Inside(const QRect& inner, const QRect& outer) {
        return outer.contains(inner.topLeft()) && outer.contains(inner.bottomRight());
    }

    std::unique_ptr<TMainform> Frame;
    TMainform& Form() { return *Frame; }
};

} // namespace

// A key means one command wherever it is pressed: the frame's commands, the windows' own, the
// yield window's and the entries Qt puts into each sub-window's system menu share no short-cut.
TEST_F(WindowsTest, NoShortCutMeansTwoCommandsAndCtrlWCloses) {
    const std::vector<QMdiSubWindow*> subs = MakeWindows(3);
    WriteDay(QDate(2010, 6, 1));
    Form().OpenYieldOverview(Temp.path());
    Form().YieldWindowOf()->WaitForScan();
    // Each sub-window's system menu answers inside that window only, alongside everything else.
    std::set<QAction*> systemMenus;
    for (QMdiSubWindow* sub : subs)
        for (QAction* entry : sub->systemMenu()->actions())
            systemMenus.insert(entry);
    std::map<QString, std::set<QAction*>> common;
    for (QAction* action : Form().findChildren<QAction*>())
        if (systemMenus.count(action) == 0)
            for (const QKeySequence& key : action->shortcuts())
                common[key.toString(QKeySequence::PortableText)].insert(action);
    ASSERT_TRUE(common.count(QStringLiteral("Ctrl+W")));
    int systemEntries = 0;
    for (QMdiSubWindow* sub : subs) {
        std::map<QString, std::set<QAction*>> byKey = common;
        for (QAction* entry : sub->systemMenu()->actions()) {
            systemEntries += entry->shortcuts().isEmpty() ? 0 : 1;
            for (const QKeySequence& key : entry->shortcuts())
                byKey[key.toString(QKeySequence::PortableText)].insert(entry);
        }
        for (const auto& [key, actions] : byKey)
            EXPECT_EQ(actions.size(), 1u) << key.toStdString();
    }
    EXPECT_GT(systemEntries, 0) << "the system menus keep their other short-cuts (Ctrl+F4)";

    Warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarning);
    Form().activateWindow();
    Form().MdiArea->setActiveSubWindow(subs[1]);
    QApplication::processEvents();
    QTest::keyClick(KeyTarget(), Qt::Key_W, Qt::ControlModifier);
    QApplication::processEvents();
    qInstallMessageHandler(previous);
    EXPECT_EQ(Form().AnalysisWindows().size(), 2u) << "Ctrl+W closed the active window";
    EXPECT_EQ(Warnings, QStringList()) << "nothing ambiguous";
}

TEST_F(WindowsTest, CtrlQQuitsFromTheYieldWindow) {
    WriteDay(QDate(2010, 6, 1));
    Form().OpenYieldOverview(Temp.path());
    TYieldWindow* yield = Form().YieldWindowOf();
    yield->WaitForScan();
    yield->activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(Form().Store() != nullptr);
    QTest::keyClick(yield, Qt::Key_Q, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(Form().Store(), nullptr) << "the frame closed and let its store go";
    EXPECT_FALSE(Form().isVisible());
}

// At 1280x800 three tiled windows fit the visible area; each may be lower than its panel asks
// until the user resizes it, and a cascade gives every window its minimum back.
TEST_F(WindowsTest, ThreeWindowsTileAndCascadeWholeIntoTheVisibleArea) {
    const std::vector<QMdiSubWindow*> subs = MakeWindows(3);
    Form().ActionTileHorizontal->trigger();
    QApplication::processEvents();
    QRect area = Form().MdiArea->viewport()->rect();
    for (size_t i = 0; i < subs.size(); ++i) {
        EXPECT_TRUE(Inside(subs[i]->geometry(), area)) << i;
        EXPECT_EQ(subs[i]->width(), area.width()) << i;
        EXPECT_TRUE(IsBelowMinimum(*subs[i])) << i;
        // The charts and span controls are laid out in what the window has.
        EXPECT_LE(subs[i]->widget()->height(), subs[i]->height()) << i;
    }
    EXPECT_GE(subs[2]->geometry().bottom(), area.bottom() - 1) << "the stack fills the area";
    EXPECT_EQ(Form().MdiArea->verticalScrollBar()->maximum(), 0);

    // The user's own resize brings the minimum back for that window only.
    subs[0]->resize(subs[0]->width(), subs[0]->height() + 12);
    QApplication::processEvents();
    EXPECT_FALSE(IsBelowMinimum(*subs[0]));
    EXPECT_GE(subs[0]->widget()->height(), subs[0]->widget()->minimumHeight());
    EXPECT_GE(subs[0]->widget()->minimumHeight(), 400) << "the design's minimum again";
    EXPECT_TRUE(IsBelowMinimum(*subs[1]));

    // Minimise all, restore one, cascade: all start at the top left and end inside the area.
    Form().ActionMinimizeAll->trigger();
    subs[1]->showNormal();
    Form().ActionCascade->trigger();
    QApplication::processEvents();
    area = Form().MdiArea->viewport()->rect();
    int left = area.right();
    int top = area.bottom();
    for (size_t i = 0; i < subs.size(); ++i) {
        EXPECT_FALSE(subs[i]->isMinimized()) << i;
        EXPECT_FALSE(IsBelowMinimum(*subs[i])) << i;
        EXPECT_TRUE(Inside(subs[i]->geometry(), area)) << i;
        EXPECT_GE(subs[i]->widget()->height(), subs[i]->widget()->minimumHeight()) << i;
        left = std::min(left, subs[i]->x());
        top = std::min(top, subs[i]->y());
    }
    EXPECT_EQ(QPoint(left, top), area.topLeft());
}

// Tiled below their minimum, the windows' panels scroll rather than draw over each other, and
// the lower chart keeps a share of the charts.
TEST_F(WindowsTest, TiledWindowsKeepTheirPanelsApartAndBothCharts) {
    const std::vector<QMdiSubWindow*> subs = MakeWindows(3);
    // The full screen, and the frame's size when it first opens.
    for (const QSize frame : {QSize(1280, 800), QSize(932, 646)}) {
        Form().resize(frame);
        Form().ActionTileHorizontal->trigger();
        QApplication::processEvents();
        for (size_t i = 0; i < subs.size(); ++i) {
            QWidget* window = subs[i]->widget();
            ASSERT_TRUE(IsBelowMinimum(*subs[i]));
            const auto part = [window](const char* name) {
                auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
                EXPECT_NE(widget, nullptr) << name;
                return widget;
            };
            const QList<QWidget*> parts{part("GroupBoxInputs"),  part("GroupBoxOthers"),
                                        part("GroupBoxOutputs"), part("ButtonSettings"),
                                        part("ButtonOpenExcel"), part("ButtonHealth")};
            for (qsizetype a = 0; a < parts.size(); ++a)
                for (qsizetype b = a + 1; b < parts.size(); ++b)
                    EXPECT_FALSE(parts[a]->geometry().intersects(parts[b]->geometry()))
                        << i << ": " << parts[a]->objectName().toStdString() << " over "
                        << parts[b]->objectName().toStdString();
            const int lower = part("Chart2")->height();
            EXPECT_GE(lower * 5, part("ChartSplitter")->height()) << i << ": " << lower;
            EXPECT_GT(part("Chart")->height(), lower) << i;
        }
    }
    // The user's own size gives the lower chart its height back, and growth goes to the upper.
    QWidget* lower = subs[0]->widget()->findChild<QWidget*>(QStringLiteral("Chart2"));
    subs[0]->resize(subs[0]->width(), 560);
    QApplication::processEvents();
    const int restored = lower->height();
    EXPECT_GE(restored, 95);
    subs[0]->resize(subs[0]->width(), 660);
    QApplication::processEvents();
    EXPECT_EQ(lower->height(), restored);
}

// After a tile that ran on below a small frame and was scrolled, a cascade still starts at the
// top of what is visible.
TEST_F(WindowsTest, CascadeAfterScrollingStartsAtTheTop) {
    Form().resize(700, 500);
    QApplication::processEvents();
    const std::vector<QMdiSubWindow*> subs = MakeWindows(3);
    Form().ActionTileHorizontal->trigger();
    QApplication::processEvents();
    QScrollBar* scroll = Form().MdiArea->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0) << "three do not fit this frame";
    scroll->setValue(scroll->maximum());
    QApplication::processEvents();
    Form().ActionCascade->trigger();
    QApplication::processEvents();
    int top = 1 << 20;
    for (QMdiSubWindow* sub : subs)
        top = std::min(top, sub->y());
    EXPECT_EQ(top, 0);
}

TEST_F(WindowsTest, TheWindowMenuListsTheWindowsAndCtrlTabGoesThroughAll) {
    const std::vector<QMdiSubWindow*> subs = MakeWindows(3);
    TChildform* first = Form().AnalysisWindows()[0];
    first->LoadLogFile(WriteDay(QDate(2010, 6, 1)));
    Form().MdiArea->setActiveSubWindow(subs[2]);
    Q_EMIT Form().MenuWindow->aboutToShow();
    const QList<QAction*>& entries = Form().WindowListOf()->Entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 ") + first->windowTitle());
    EXPECT_TRUE(Form().MenuWindow->actions().contains(entries[2]));
    EXPECT_TRUE(entries[2]->isChecked());
    EXPECT_FALSE(entries[0]->isChecked());
    entries[0]->trigger();
    EXPECT_EQ(Form().MdiArea->currentSubWindow(), subs[0]);

    // Shown again after a window closed, the list has its windows only.
    Form().ActionClose->trigger();
    Q_EMIT Form().MenuWindow->aboutToShow();
    ASSERT_EQ(Form().WindowListOf()->Entries().size(), 2);
    EXPECT_TRUE(Form().WindowListOf()->Entries()[0]->text().startsWith(QStringLiteral("&1 ")));

    const std::vector<QMdiSubWindow*> three = MakeWindows(3);
    Form().activateWindow();
    Form().MdiArea->setActiveSubWindow(three[0]);
    QApplication::processEvents();
    std::set<QMdiSubWindow*> reached{three[0]};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(KeyTarget(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyRelease(KeyTarget(), Qt::Key_Control);
        QApplication::processEvents();
        reached.insert(Form().MdiArea->currentSubWindow());
    }
    EXPECT_EQ(reached.size(), 3u) << "every window, not the last two by turns";
    EXPECT_EQ(Form().MdiArea->currentSubWindow(), three[0]) << "round once";
}

TEST_F(WindowsTest, AMinimisedWindowShowsItsDate) {
    TChildform* form = Form().AnalysisWindows()[0];
    form->LoadLogFile(WriteDay(QDate(2010, 6, 1)));
    QMdiSubWindow* sub = TMainform::SubWindowOf(form);
    const QString caption = form->windowTitle();
    const QString dates = form->CaptionDates();
    ASSERT_FALSE(dates.isEmpty());
    ASSERT_TRUE(caption.contains(dates));
    ASSERT_NE(caption, dates);
    Form().ActionMinimizeAll->trigger();
    ASSERT_TRUE(sub->isMinimized());
    EXPECT_EQ(sub->windowTitle(), dates);
    // A caption changed while minimised (another language) keeps the short title.
    SetCurrentTexts(TextArrayId::English);
    form->UpdateCaption();
    EXPECT_EQ(sub->windowTitle(), dates);
    sub->showNormal();
    EXPECT_EQ(sub->windowTitle(), form->windowTitle());
    EXPECT_NE(form->windowTitle(), caption);
}
