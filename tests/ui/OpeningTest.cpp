#include "LogGenerator.h"
#include "MainformFixture.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/CommandLine.h"
#include "ui/FileDropTarget.h"
#include "ui/OpeningTexts.h"
#include "ui/PathOpener.h"
#include "ui/TChildform.h"
#include "ui/TDialogMultiDayAnalysis.h"
#include "ui/TYieldWindow.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

class OpeningTest : public MainformFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("cfg"));
    }
    QString WriteDay(const QString& folder, const QDate& date) {
        EXPECT_TRUE(QDir().mkpath(folder));
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        const QString path = folder + "/" + date.toString(QStringLiteral("yyyyMMdd")) + ".csv";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, options).Bytes);
        return path;
    }
    static std::unique_ptr<QMimeData> Urls(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }
    // Drags `paths` over the frame and drops them as a file manager would; true when both the
    // drag and the drop were accepted.
    static bool Drop(TMainform& form, const QStringList& paths) {
        const std::unique_ptr<QMimeData> data = Urls(paths);
        const QPoint at(form.width() / 2, form.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }
    // Runs `step` at every turn of the event loop (modal ones included) until it returns true.
    void Watch(std::function<bool()> step) {
        auto* timer = new QTimer(&Owner);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step = std::move(step)] {
            if (step())
                timer->deleteLater();
        });
        timer->start();
    }
    QObject Owner;

    static QString RaisedBy(const QStringList& paths) {
        try {
            PathOpener::Classify(paths);
        } catch (const std::exception& error) {
            return QString::fromUtf8(error.what());
        }
        return QString();
    }
};

} // namespace

TEST_F(OpeningTest, PathListsAreADayARangeOrAFolderAndNothingElse) {
    const QString day = WriteDay(Temp.filePath(QStringLiteral("logs")), QDate(2010, 5, 1));
    const QString next = WriteDay(Temp.filePath(QStringLiteral("logs")), QDate(2010, 5, 2));
    const QString folder = Temp.filePath(QStringLiteral("logs"));
    EXPECT_EQ(PathOpener::Classify({}).What, PathOpener::Kind::Nothing);
    EXPECT_EQ(PathOpener::Classify({day}).What, PathOpener::Kind::Day);
    EXPECT_EQ(PathOpener::Classify({next, day}).What, PathOpener::Kind::Range);
    EXPECT_EQ(PathOpener::Classify({next, day}).Paths, (QStringList{next, day}))
        << "the command line's order is kept";
    EXPECT_EQ(PathOpener::Classify({folder}).What, PathOpener::Kind::Folder);

    EXPECT_EQ(RaisedBy({day, folder}), Text(TextOpenWhat));
    EXPECT_EQ(RaisedBy({day, next, day}), Text(TextOpenWhat));
    const QString gone = Temp.filePath(QStringLiteral("logs/20100503.csv"));
    EXPECT_EQ(RaisedBy({day, gone}),
              Text(84) + QStringLiteral("\n\n") + gone + "\n" + Text(TextFileMissing))
        << "a missing path is named before the shape is judged";
}

TEST_F(OpeningTest, DragsCarryOneOrTwoLogFilesOrOneFolder) {
    const QString folder = Temp.filePath(QStringLiteral("logs"));
    const QString first = WriteDay(folder, QDate(2010, 4, 30));
    const QString second = WriteDay(folder, QDate(2010, 5, 1));
    const QString third = WriteDay(folder, QDate(2010, 5, 2));
    const QString upper = folder + QStringLiteral("/20100503.CSV");
    ASSERT_TRUE(QFile::copy(third, upper));
    const QString notes = Temp.filePath(QStringLiteral("notes.txt"));
    QFile(notes).open(QIODevice::WriteOnly);

    EXPECT_EQ(FileDropTarget::AcceptedPaths(Urls({second, first}).get()),
              (QStringList{first, second}))
        << "a selection comes in no order; the names are the dates";
    EXPECT_EQ(FileDropTarget::AcceptedPaths(Urls({upper}).get()), QStringList{upper});
    EXPECT_EQ(FileDropTarget::AcceptedPaths(Urls({folder}).get()), QStringList{folder});
    EXPECT_TRUE(FileDropTarget::AcceptedPaths(Urls({first, second, third}).get()).isEmpty());
    EXPECT_TRUE(FileDropTarget::AcceptedPaths(Urls({notes}).get()).isEmpty());
    EXPECT_TRUE(FileDropTarget::AcceptedPaths(Urls({first, folder}).get()).isEmpty());

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://www.tarvex.example/20100501.csv"))});
    EXPECT_TRUE(FileDropTarget::AcceptedPaths(&web).isEmpty());
    QMimeData text;
    text.setText(first);
    EXPECT_TRUE(FileDropTarget::AcceptedPaths(&text).isEmpty());
}

TEST_F(OpeningTest, ADroppedFileOpensADayWhereSelectTargetWindowSays) {
    TMainform form(StoreInTemp());
    new FileDropTarget(&form, [&form](const QStringList& paths) { PathOpener::Open(form, paths); });
    Start(form);
    const QString folder = Temp.filePath(QStringLiteral("logs"));
    const QString day = WriteDay(folder, QDate(2010, 5, 1));

    const QString notes = Temp.filePath(QStringLiteral("notes.txt"));
    QFile(notes).open(QIODevice::WriteOnly);
    EXPECT_FALSE(Drop(form, {notes})) << "refused while it is dragged";

    ASSERT_TRUE(Drop(form, {day}));
    EXPECT_FALSE(form.AnalysisWindows()[0]->HasData()) << "opened after the drop has returned";
    QApplication::processEvents();
    ASSERT_EQ(form.AnalysisWindows().size(), 1u) << "the empty first window took it";
    EXPECT_TRUE(form.AnalysisWindows()[0]->HasData());
    EXPECT_EQ(form.Store()->GetMainSettings().LastUsedDir, QDir::toNativeSeparators(folder));

    ASSERT_TRUE(Drop(form, {day}));
    QApplication::processEvents();
    ASSERT_TRUE(Drop(form, {day}));
    QApplication::processEvents();
    ASSERT_EQ(form.AnalysisWindows().size(), 3u);

    // At the limit the question comes, and No keeps every analysis.
    Prompts.Expect(PromptKind::Warning, PromptAnswer::No);
    ASSERT_TRUE(Drop(form, {day}));
    QApplication::processEvents();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(96));
    EXPECT_EQ(form.AnalysisWindows().size(), 3u);
    EXPECT_TRUE(Prompts.Exhausted());
}

TEST_F(OpeningTest, TwoDroppedFilesAreLoadedAsTheRangeTheyBound) {
    TMainform form(StoreInTemp());
    new FileDropTarget(&form, [&form](const QStringList& paths) { PathOpener::Open(form, paths); });
    Start(form);
    // A range across a month folder, found as the multi-day dialog finds it.
    const QString april = Temp.filePath(QStringLiteral("logs/2010/04"));
    const QString may = Temp.filePath(QStringLiteral("logs/2010/05"));
    const QString first = WriteDay(april, QDate(2010, 4, 29));
    WriteDay(april, QDate(2010, 4, 30));
    WriteDay(may, QDate(2010, 5, 1));
    const QString last = WriteDay(may, QDate(2010, 5, 2));

    bool dialogShown = false;
    Watch([&] { return dialogShown = form.MultiDayDialogOf()->isVisible(); });
    ASSERT_TRUE(Drop(form, {last, first}));
    QApplication::processEvents();
    EXPECT_TRUE(dialogShown) << "the progress is seen while the range loads";
    EXPECT_FALSE(form.MultiDayDialogOf()->isVisible()) << "it closed itself when done";
    ASSERT_EQ(form.AnalysisWindows().size(), 1u);
    const TAnalysisData* data = form.AnalysisWindows()[0]->Data();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->IsMultiDay());
    EXPECT_EQ(data->GetDayCount(), 4u);
    EXPECT_EQ(form.Store()->GetMainSettings().LastUsedDir,
              QDir::toNativeSeparators(april) + QDir::separator());
}

TEST_F(OpeningTest, ACommandLineOpensItsDayAfterStartAndReportsWhatItCouldNotUse) {
    const QString day = WriteDay(Temp.filePath(QStringLiteral("logs")), QDate(2010, 5, 1));
    TMainform form(StoreInTemp());
    const CommandLine line =
        CommandLine::Parse({QStringLiteral("solvista"), QStringLiteral("--language"),
                            QStringLiteral("fr"), QStringLiteral("--colour"), day});
    line.ApplyTo(form);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Start(form);
    QApplication::processEvents();
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text,
              LanguageTexts(TextArrayId::French)[TextUnknownOption] +
                  QStringLiteral("\n\n--colour"))
        << "the complaint speaks the language of this run";
    EXPECT_EQ(form.LanguageNumber(), 3);
    EXPECT_TRUE(form.ActionLanguageFrench->isChecked());
    // Opening the day stored its folder, and with it the saved language, not this run's.
    EXPECT_EQ(form.Store()->GetMainSettings().Language, 0);
    QFile ini(Temp.filePath(QStringLiteral("cfg/Tarvex/Solvista.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().contains("Language=3"));
    ASSERT_EQ(form.AnalysisWindows().size(), 1u);
    EXPECT_TRUE(form.AnalysisWindows()[0]->HasData()) << "the first window shows the day";
}

TEST_F(OpeningTest, ABadCommandLineLeavesTheEmptyFirstWindow) {
    const QString folder = Temp.filePath(QStringLiteral("logs"));
    const QString first = WriteDay(folder, QDate(2010, 5, 1));
    const QString last = WriteDay(folder, QDate(2010, 5, 3));
    TMainform form(StoreInTemp());
    // Given in the wrong order: the dialog says so and waits; cancelled, the window stays.
    CommandLine::Parse({QStringLiteral("solvista"), last, first}).ApplyTo(form);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Watch([&] {
        if (!form.MultiDayDialogOf()->isVisible() || Prompts.AskedPrompts().empty())
            return false;
        form.MultiDayDialogOf()->reject();
        return true;
    });
    Start(form);
    QApplication::processEvents();
    ASSERT_FALSE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text, Text(92));
    ASSERT_EQ(form.AnalysisWindows().size(), 1u)
        << "the first window is not closed with the dialog";
    EXPECT_FALSE(form.AnalysisWindows()[0]->HasData());

    // A path that does not exist: the message names it, the window stays empty.
    TMainform second(StoreInTemp());
    const QString gone = folder + QStringLiteral("/19990101.csv");
    CommandLine::Parse({QStringLiteral("solvista"), gone}).ApplyTo(second);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Start(second);
    QApplication::processEvents();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text,
              Text(84) + QStringLiteral("\n\n") + gone + "\n" + Text(TextFileMissing));
    ASSERT_EQ(second.AnalysisWindows().size(), 1u);
    EXPECT_FALSE(second.AnalysisWindows()[0]->HasData());
    EXPECT_TRUE(Prompts.Exhausted());
}

TEST_F(OpeningTest, ADroppedFolderIsReadInTheYieldWindow) {
    TMainform form(StoreInTemp());
    new FileDropTarget(&form, [&form](const QStringList& paths) { PathOpener::Open(form, paths); });
    Start(form);
    const QString folder = Temp.filePath(QStringLiteral("logs"));
    WriteDay(folder + QStringLiteral("/2010/05"), QDate(2010, 5, 1));
    ASSERT_TRUE(Drop(form, {folder}));
    QApplication::processEvents();
    TYieldWindow* yield = form.YieldWindowOf();
    ASSERT_NE(yield, nullptr);
    yield->WaitForScan();
    EXPECT_TRUE(yield->isVisible());
    EXPECT_EQ(QDir::cleanPath(yield->Folder()), QDir::cleanPath(folder));
    EXPECT_EQ(QDir::cleanPath(form.Store()->GetMainSettings().LastUsedDir),
              QDir::cleanPath(folder));
    EXPECT_FALSE(form.MultiDayDialogOf()->isVisible());
    EXPECT_TRUE(Prompts.Exhausted()) << "no folder dialog: the folder is given";
}
