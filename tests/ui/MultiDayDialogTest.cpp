#include "LogGenerator.h"
#include "chart/SeriesMemory.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/EscapeKeyPoll.h"
#include "ui/QtPrompts.h"
#include "ui/QtLanguage.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TDialogMultiDayAnalysis.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

using loggen::FolderLayout;

DateTime Date(int year, int month, int day) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(year, month, day, d));
    return d;
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// Answers the Esc poll from a script and lets a test act at every poll.
class ScriptedEscape : public EscapeKeyPoll {
public:
    void WaitForRelease() override { ++Waits; }
    bool Pressed() override {
        ++Polls;
        if (OnPoll)
            OnPoll(Polls);
        return Polls == PressAtPoll;
    }
    int Waits = 0;
    int Polls = 0;
    int PressAtPoll = -1;
    std::function<void(int)> OnPoll;
};

class MultiDayDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Dialog.SetEscapeKeyPoll(&Esc);
    }
    void TearDown() override {
        Dialog.hide();
        SetCurrentTexts(TextArrayId::German);
    }

    template <typename T> T* Find(const char* name) {
        T* found = Dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* From() { return Find<QLineEdit>("PathFrom"); }
    QLineEdit* To() { return Find<QLineEdit>("PathTo"); }

    QStringList Write(const QDate& first, int days, FolderLayout layout,
                      const QString& root = QString()) {
        const QStringList paths =
            loggen::WriteDays(root.isEmpty() ? Dir.path() : root, first, days, layout, Options());
        EXPECT_EQ(paths.size(), days);
        return paths;
    }
    static loggen::DayOptions Options() {
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        return options;
    }
    QString Path(const QDate& date, FolderLayout layout) {
        return loggen::DayFilePath(Dir.path(), date, layout);
    }
    QString WriteText(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void Open(const QString& from, const QString& to) {
        Dialog.PrepareDialog(&Form, QString());
        Dialog.show();
        From()->setText(Native(from));
        To()->setText(Native(to));
    }
    void Analyse() { Find<QPushButton>("ExecuteBtn")->click(); }

    QStringList LoadedFiles() const {
        QStringList names;
        if (Form.Data() == nullptr)
            return names;
        for (unsigned i = 0; i < Form.Data()->GetDayCount(); ++i)
            names << QFileInfo(Form.Data()->GetDayFileName(i)).fileName();
        return names;
    }
    void ExpectWaiting() {
        for (const char* name : {"SelectFrom", "SelectTo", "ExecuteBtn", "CancelBtn"}) {
            EXPECT_TRUE(Find<QPushButton>(name)->isEnabled()) << name;
            EXPECT_TRUE(Find<QPushButton>(name)->isVisibleTo(&Dialog)) << name;
        }
        EXPECT_FALSE(Find<QPushButton>("OkBtn")->isVisibleTo(&Dialog));
        EXPECT_FALSE(Find<QLabel>("LabelAbort")->isVisibleTo(&Dialog));
        EXPECT_TRUE(From()->isEnabled());
        EXPECT_TRUE(Dialog.isVisible());
    }
    void ExpectFinished() {
        EXPECT_TRUE(Find<QPushButton>("OkBtn")->isVisibleTo(&Dialog));
        EXPECT_FALSE(Find<QPushButton>("ExecuteBtn")->isVisibleTo(&Dialog));
        EXPECT_FALSE(Find<QPushButton>("CancelBtn")->isVisibleTo(&Dialog));
        EXPECT_FALSE(From()->isEnabled());
        EXPECT_FALSE(Find<QPushButton>("SelectTo")->isEnabled());
    }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    ScriptedEscape Esc;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
    TDialogMultiDayAnalysis Dialog;
};

TEST_F(MultiDayDialogTest, ChecksTheFilesInOrderAndStaysOpen) {
    const QStringList days = Write(QDate(2009, 6, 4), 3, FolderLayout::Flat);
    const QString missing = Dir.filePath("20090610.csv");
    const QString text = WriteText("data.txt", "x");
    const QString shortName = WriteText("2009604.csv", "x");
    const QString badMonth = WriteText("20091304.csv", "x");
    const QString trailing = WriteText("20090604a.csv", "x");
    const QString upper = WriteText("sub/20090605.CSV", "x");
    struct Case {
        QString From;
        QString To;
        QString Message;
    };
    const QString openError = Text(84) + "\n\n";
    const std::vector<Case> cases = {
        {missing, days[1], openError + Native(missing) + "\n" + Text(TextFileMissing)},
        {days[0], missing, openError + Native(missing) + "\n" + Text(TextFileMissing)},
        {text, days[1], Text(89)},
        {shortName, text, Text(89)}, // the extension of either file is looked at first
        {shortName, days[1], Text(88)},
        {days[0], shortName, Text(88)},
        {badMonth, days[1], Text(90)},
        {trailing, days[1], Text(90)},
        {days[0], badMonth, Text(91)},
        {days[2], days[0], Text(92)},
        {upper, days[0], Text(92)}, // an upper-case extension is accepted
    };
    for (const Case& c : cases) {
        Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
        Open(c.From, c.To);
        Analyse();
        ASSERT_FALSE(Prompts.AskedPrompts().empty());
        EXPECT_EQ(Prompts.AskedPrompts().back().Text, c.Message) << c.From.toStdString();
        EXPECT_EQ(Prompts.AskedPrompts().back().Caption, "Error");
        ExpectWaiting();
        EXPECT_FALSE(Form.HasData());
    }
    EXPECT_EQ(Esc.Waits, 0) << "no check may start a load";

    // A missing file is pointed at: its edit has the focus and the whole text selected.
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(days[0], missing);
    Dialog.activateWindow();
    Analyse();
    EXPECT_EQ(To()->selectedText(), Native(missing));

    // Without a window to load into nothing else is looked at.
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Dialog.PrepareDialog(nullptr, QString());
    From()->setText(missing);
    Analyse();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(97));
}

TEST_F(MultiDayDialogTest, TheSameFileTwiceIsASingleDayAnalysis) {
    const QStringList days = Write(QDate(2009, 6, 4), 1, FolderLayout::Flat);
    Prompts.Expect(PromptKind::Information, PromptAnswer::Ok);
    Open(days[0], days[0]);
    Analyse();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(93));
    EXPECT_EQ(Prompts.AskedPrompts().back().Caption, "Information");
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(Form.HasData());
    EXPECT_FALSE(Form.Data()->IsMultiDay());
    EXPECT_EQ(Esc.Waits, 0);
}

TEST_F(MultiDayDialogTest, ARangeCrossesMonthFoldersAndLoadsInDateOrder) {
    Write(QDate(2009, 6, 28), 6, FolderLayout::YearMonthFolders);
    Open(Path(QDate(2009, 6, 30), FolderLayout::YearMonthFolders),
         Path(QDate(2009, 7, 2), FolderLayout::YearMonthFolders));
    Analyse();
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(LoadedFiles(), QStringList({"20090630.csv", "20090701.csv", "20090702.csv"}));
    EXPECT_EQ(Form.Data()->GetDayFileName(1),
              Native(Path(QDate(2009, 7, 1), FolderLayout::YearMonthFolders)));
    ExpectFinished();
    auto* progress = Find<QProgressBar>("ProgressBar");
    EXPECT_EQ(progress->maximum(), 3);
    EXPECT_EQ(progress->value(), 3);
    EXPECT_EQ(Esc.Waits, 1);
    EXPECT_EQ(Esc.Polls, 2) << "one poll before each file after the first";
    EXPECT_EQ(Form.windowTitle(), "Analysis from 30.06.2009 to 02.07.2009. (3 files found)");

    // Esc does nothing once the load finished; closing counts as OK.
    Dialog.reject();
    EXPECT_TRUE(Dialog.isVisible());
    Dialog.close();
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Accepted);

    // Shown again, the dialog waits for input as before.
    Dialog.PrepareDialog(&Form, Dir.path());
    Dialog.show();
    ExpectWaiting();
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->value(), 0);
}

TEST_F(MultiDayDialogTest, CollectionFollowsMonthAndYearFolders) {
    using D = TDialogMultiDayAnalysis;
    // Month folders only: the month form finds July in "07" and stays there.
    Write(QDate(2009, 6, 25), 12, FolderLayout::MonthFolders);
    const QStringList months =
        D::CollectFiles(Path(QDate(2009, 6, 25), FolderLayout::MonthFolders),
                        Path(QDate(2009, 7, 6), FolderLayout::MonthFolders), Date(2009, 6, 25), 11);
    ASSERT_EQ(months.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(months[i],
                  Native(Path(QDate(2009, 6, 25).addDays(i), FolderLayout::MonthFolders)));

    // Year and month folders across the turn of the year, short and long.
    const QStringList written = Write(QDate(2008, 12, 20), 22, FolderLayout::YearMonthFolders);
    const QString dec31 = Path(QDate(2008, 12, 31), FolderLayout::YearMonthFolders);
    const QString jan01 = Path(QDate(2009, 1, 1), FolderLayout::YearMonthFolders);
    EXPECT_EQ(D::CollectFiles(dec31, jan01, Date(2008, 12, 31), 1),
              QStringList({Native(dec31), Native(jan01)}));
    QStringList expected;
    for (const QString& path : written)
        expected << Native(path);
    EXPECT_EQ(D::CollectFiles(written.first(), written.last(), Date(2008, 12, 20), 21), expected);

    // Two files of the same day: only the end file.
    EXPECT_EQ(D::CollectFiles(dec31, written[10], Date(2008, 12, 31), 0),
              QStringList({Native(written[10])}));
}

TEST_F(MultiDayDialogTest, AFlatFolderNeverReadsAnotherFolderOfTheSameEnding) {
    using D = TDialogMultiDayAnalysis;
    const QString plant01 = Dir.filePath("Plant01");
    const QString plant06 = Dir.filePath("Plant06");
    const QStringList own = Write(QDate(2009, 6, 1), 10, FolderLayout::Flat, plant01);
    Write(QDate(2009, 6, 1), 10, FolderLayout::Flat, plant06);
    ASSERT_TRUE(QFile::remove(own[3]));
    const QStringList found = D::CollectFiles(own.first(), own.last(), Date(2009, 6, 1), 9);
    ASSERT_EQ(found.size(), 9) << "the missing day is skipped";
    for (const QString& path : found)
        EXPECT_EQ(QFileInfo(path).path(), plant01) << path.toStdString();

    // Nor is a folder ending in four digits taken for a year: "Plant2008/12" is followed into
    // January by no "Plant2009/01".
    const QStringList december =
        Write(QDate(2008, 12, 28), 4, FolderLayout::Flat, Dir.filePath("Plant2008/12"));
    Write(QDate(2009, 1, 1), 4, FolderLayout::Flat, Dir.filePath("Plant2009/01"));
    const QString end = Write(QDate(2009, 1, 5), 1, FolderLayout::Flat, Dir.filePath("end"))[0];
    QStringList expected;
    for (const QString& path : december)
        expected << Native(path);
    expected << Native(end);
    EXPECT_EQ(D::CollectFiles(december.first(), end, Date(2008, 12, 28), 8), expected);
}

TEST_F(MultiDayDialogTest, MissingDaysAndUpperCaseNamesAreFoundOrSkippedSilently) {
    const QStringList days = Write(QDate(2009, 6, 1), 6, FolderLayout::Flat);
    QStringList renamed;
    for (const QString& path : days) {
        QString upper = path;
        upper.replace(".csv", ".CSV");
        ASSERT_TRUE(QFile::rename(path, upper));
        renamed << upper;
    }
    ASSERT_TRUE(QFile::remove(renamed[2]));
    Open(renamed.first(), renamed.last());
    Analyse();
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(LoadedFiles(), QStringList({"20090601.CSV", "20090602.CSV", "20090604.CSV",
                                          "20090605.CSV", "20090606.CSV"}));
    EXPECT_EQ(Form.windowTitle(), "Analysis from 01.06.2009 to 06.06.2009. (5 files found)");
}

TEST_F(MultiDayDialogTest, ARelativeStartPathIsTakenFromTheCurrentFolder) {
    Write(QDate(2009, 6, 29), 4, FolderLayout::MonthFolders);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Dir.path()));
    const QStringList found = TDialogMultiDayAnalysis::CollectFiles(
        Native("06/20090629.csv"), Native("07/20090702.csv"), Date(2009, 6, 29), 3);
    QDir::setCurrent(previous);
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(found[2], Native(Path(QDate(2009, 7, 1), FolderLayout::MonthFolders)));
    EXPECT_TRUE(QFileInfo(found[3]).isAbsolute());
}

TEST_F(MultiDayDialogTest, EscStopsALongSearchForTheFilesBeforeAnyIsRead) {
    // Every folder listed counts as a long search here: the first one shows the loading look and
    // waits for Esc to be released, the following ones poll it.
    Dialog.SetCollectionPollInterval(0);
    Write(QDate(2009, 11, 28), 40, FolderLayout::YearMonthFolders);
    const QString from = Path(QDate(2009, 11, 28), FolderLayout::YearMonthFolders);
    const QString to = Path(QDate(2010, 1, 6), FolderLayout::YearMonthFolders);
    bool lookedLoading = false;
    Esc.PressAtPoll = 1;
    Esc.OnPoll = [&](int) {
        lookedLoading = Find<QLabel>("LabelAbort")->isVisibleTo(&Dialog) &&
                        !Find<QPushButton>("ExecuteBtn")->isEnabled();
    };
    Prompts.Expect(PromptKind::Information, PromptAnswer::Ok);
    Open(from, to);
    Analyse();
    EXPECT_TRUE(lookedLoading);
    EXPECT_EQ(Esc.Waits, 1);
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(80));
    EXPECT_FALSE(Form.HasData());
    ExpectWaiting();

    // Not stopped, the search goes on into the load of every day found.
    Esc.PressAtPoll = -1;
    Esc.OnPoll = nullptr;
    Analyse();
    EXPECT_EQ(LoadedFiles().size(), 40);
    EXPECT_EQ(LoadedFiles()[34], "20100101.csv");
    ExpectFinished();
}

TEST_F(MultiDayDialogTest, EscAbortsAfterTheCurrentFileAndEmptiesTheWindow) {
    const QStringList days = Write(QDate(2009, 6, 1), 5, FolderLayout::Flat);
    std::vector<unsigned> daysAtPoll;
    Esc.PressAtPoll = 3;
    Esc.OnPoll = [&](int) {
        daysAtPoll.push_back(Form.Data()->GetDayCount());
        // Neither Esc nor closing may end the dialog while files load.
        Dialog.reject();
        Dialog.close();
        EXPECT_TRUE(Dialog.isVisible());
        EXPECT_FALSE(Find<QPushButton>("ExecuteBtn")->isEnabled());
        EXPECT_TRUE(Find<QLabel>("LabelAbort")->isVisibleTo(&Dialog));
    };
    Prompts.Expect(PromptKind::Information, PromptAnswer::Ok);
    Open(days.first(), days.last());
    Analyse();
    EXPECT_EQ(daysAtPoll, std::vector<unsigned>({1, 2, 3})) << "each file is read whole first";
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(80));
    EXPECT_FALSE(Form.HasData());
    EXPECT_EQ(Form.windowTitle(), Text(16));
    EXPECT_EQ(Find<QProgressBar>("ProgressBar")->value(), 0);
    ExpectWaiting();

    // Another attempt runs to its end.
    Esc.PressAtPoll = -1;
    Esc.OnPoll = nullptr;
    Analyse();
    EXPECT_EQ(LoadedFiles().size(), 5);
    ExpectFinished();
}

TEST_F(MultiDayDialogTest, ALoadWithoutAReadableFileLeavesTheDialogUsable) {
    // Headings alone: every file is refused, and the range is left without a day.
    const QByteArray day = loggen::GenerateDay(QDate(2009, 6, 1), Options()).Bytes;
    const QByteArray heading = day.left(day.indexOf('\n') + 1);
    QStringList files;
    for (const char* name : {"20090601.csv", "20090602.csv", "20090603.csv"})
        files << WriteText(QString::fromLatin1(name), heading);
    for (int i = 0; i < 4; ++i)
        Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(files.first(), files.last());
    Analyse();
    ASSERT_EQ(Prompts.AskedPrompts().size(), 4u) << "each file, then the empty range";
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, "Illegal State (6).");
    ExpectWaiting();
    EXPECT_EQ(LoadedFiles(), QStringList());
}

TEST_F(MultiDayDialogTest, AFirstFileThatIsNoLogFileEndsTheLoadAndLeavesTheDialogUsable) {
    const QString first = WriteText("20090601.csv", "not a log file\r\n");
    const QString last = Write(QDate(2009, 6, 2), 1, FolderLayout::Flat)[0];
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(first, last);
    Analyse();
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts().back().Text,
              Text(84) + "\n\n" + QDir::toNativeSeparators(first) + "\n" + Text(86));
    EXPECT_EQ(Esc.Polls, 0) << "no further file is read";
    ExpectWaiting();
    EXPECT_FALSE(Form.HasData());
}

TEST_F(MultiDayDialogTest, OneUnreadableFileIsReportedAndTheRangeGoesOn) {
    const QStringList days = Write(QDate(2009, 6, 1), 4, FolderLayout::Flat);
    QFile broken(days[1]);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("broken\r\n");
    broken.close();
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(days.first(), days.last());
    Analyse();
    EXPECT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(LoadedFiles(), QStringList({"20090601.csv", "20090603.csv", "20090604.csv"}));
    ExpectFinished();
}

TEST_F(MultiDayDialogTest, RunningOutOfMemoryEndsTheLoadOnceAndLeavesOtherWindowsAlone) {
    const QStringList days = Write(QDate(2009, 6, 1), 12, FolderLayout::Flat);
    // Another window holds a day already; it must keep it.
    TChildform other{nullptr, WindowSettings::FactoryDefaults()};
    other.LoadLogFile(days[0]);
    ASSERT_TRUE(other.HasData());
    // Room for a few more days only, as if the system had no more.
    SeriesArena& arena = SeriesArena::Program();
    struct Lift {
        SeriesArena& Arena;
        ~Lift() { Arena.SetCeiling(0); }
    } lift{arena};
    arena.SetCeiling(arena.Held() + 5000);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(days.first(), days.last());
    Analyse();
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u) << "one message, not one per file";
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(98));
    EXPECT_FALSE(Form.HasData());
    EXPECT_EQ(Form.windowTitle(), Text(16));
    ExpectWaiting();
    EXPECT_TRUE(other.HasData());
    EXPECT_EQ(other.Data()->GetDayCount(), 1u);

    // A single file says the same and leaves its window empty.
    arena.SetCeiling(arena.Held() + 1);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Open(days[3], days[3]);
    Analyse();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(98));
    EXPECT_FALSE(Form.HasData());
    EXPECT_TRUE(Dialog.isVisible());

    // With memory back, the same range loads whole.
    arena.SetCeiling(0);
    Open(days.first(), days.last());
    Analyse();
    EXPECT_EQ(LoadedFiles().size(), 12);
}

TEST_F(MultiDayDialogTest, BrowseFillsThePathsAndRemembersTheStartFolder) {
    const QStringList days = Write(QDate(2009, 6, 1), 3, FolderLayout::MonthFolders);
    const QString folder = Native(QFileInfo(days[0]).path()) + QDir::separator();
    Dialog.PrepareDialog(&Form, Native(Dir.filePath("old")));
    Dialog.show();
    EXPECT_EQ(From()->text(), Native(Dir.filePath("old")));
    EXPECT_EQ(To()->text(), Native(Dir.filePath("old")));
    EXPECT_EQ(Dialog.GetChosenFolder(), Native(Dir.path()) + QDir::separator());

    Prompts.ExpectFile(QString()); // cancelled: nothing changes
    Prompts.ExpectFile(Native(days[0]));
    Prompts.ExpectFile(Native(days[2]));
    Prompts.ExpectFile(Native(days[1]));
    Find<QPushButton>("SelectFrom")->click();
    EXPECT_EQ(From()->text(), Native(Dir.filePath("old")));
    Find<QPushButton>("SelectFrom")->click();
    EXPECT_EQ(From()->text(), Native(days[0]));
    EXPECT_EQ(To()->text(), folder) << "the end file's search starts there";
    EXPECT_EQ(Dialog.GetChosenFolder(), folder);
    Find<QPushButton>("SelectTo")->click();
    EXPECT_EQ(To()->text(), Native(days[2]));
    Find<QPushButton>("SelectFrom")->click();
    EXPECT_EQ(To()->text(), Native(days[2])) << "a chosen end file stays";

    ASSERT_EQ(Prompts.FileDialogs().size(), 4u);
    EXPECT_EQ(Prompts.FileDialogs()[0].Filter, "Log files (*.csv)|*.csv|All files (*.*)|*");
    EXPECT_TRUE(Prompts.FileDialogs()[0].Open);
    EXPECT_EQ(Prompts.FileDialogs()[0].DefaultExtension, "CSV");
    EXPECT_EQ(Prompts.FileDialogs()[1].InitialFolder, Native(Dir.filePath("old")));
    EXPECT_EQ(Prompts.FileDialogs()[2].InitialFolder, folder);
    EXPECT_EQ(Prompts.FileDialogs()[3].InitialFolder, Native(days[0]));

    // Cancel forgets the window; Esc while waiting is Cancel.
    Find<QPushButton>("CancelBtn")->click();
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Dialog.TargetWindow(), nullptr);
    Dialog.PrepareDialog(&Form, QString());
    Dialog.show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Dialog, &esc);
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.TargetWindow(), nullptr);
}

TEST_F(MultiDayDialogTest, CaptionsComeFromTheCurrentLanguageOnShowing) {
    QtLanguage::Apply(TextArrayId::English);
    Dialog.show();
    EXPECT_EQ(Dialog.windowTitle(), Text(2) + ":");
    EXPECT_EQ(Find<QLabel>("LabelFrom")->text(), "From date:");
    EXPECT_EQ(Find<QPushButton>("ExecuteBtn")->text(), "Analyse");
    EXPECT_EQ(Find<QPushButton>("CancelBtn")->text(), "Cancel");
    Dialog.hide();
    SetCurrentTexts(TextArrayId::French);
    QtLanguage::Apply(TextArrayId::French);
    Dialog.show();
    EXPECT_EQ(Find<QLabel>("LabelAbort")->text(), Text(79));
    EXPECT_NE(Text(79), LanguageTexts(TextArrayId::English)[79]);
    EXPECT_EQ(Find<QPushButton>("CancelBtn")->text(), "Annuler");
    EXPECT_EQ(Find<QPushButton>("OkBtn")->text(), "OK");
    QtLanguage::Apply(TextArrayId::German); // the start-up language, as the main window sets it
}

// The keyboard's poll, with real key events.
class KeyboardEscapeTest : public MultiDayDialogTest {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Dialog.SetEscapeKeyPoll(nullptr);
    }
    static void Post(QObject* to, QEvent::Type type, int key, const QString& text = QString()) {
        QApplication::postEvent(to, new QKeyEvent(type, key, Qt::NoModifier, text));
    }
};

TEST_F(KeyboardEscapeTest, APressDuringTheLoadAbortsAndOtherInputIsSwallowed) {
    const QStringList days = Write(QDate(2009, 6, 1), 4, FolderLayout::Flat);
    Prompts.Expect(PromptKind::Information, PromptAnswer::Ok);
    Open(days.first(), days.last());
    // Queued behind the click, so they arrive while the files load.
    Post(From(), QEvent::KeyPress, Qt::Key_X, "x");
    Post(From(), QEvent::KeyRelease, Qt::Key_X, "x");
    Post(&Dialog, QEvent::KeyPress, Qt::Key_Escape);
    Post(&Dialog, QEvent::KeyRelease, Qt::Key_Escape);
    Analyse();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(80));
    EXPECT_FALSE(Form.HasData());
    EXPECT_EQ(From()->text().toStdString(), Native(days.first()).toStdString())
        << "typing must not reach the edit while files load";
    ExpectWaiting();
}

TEST_F(KeyboardEscapeTest, AnEscHeldWhenTheLoadStartsDoesNotAbortIt) {
    const QStringList days = Write(QDate(2009, 6, 1), 4, FolderLayout::Flat);
    Open(days.first(), days.last());
    QWidget elsewhere;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&elsewhere, &press);
    Post(&elsewhere, QEvent::KeyRelease, Qt::Key_Escape);
    Analyse();
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(LoadedFiles().size(), 4);
    ExpectFinished();
}

TEST(QtPromptsTest, FileFiltersTakeThePatternAfterTheBar) {
    EXPECT_EQ(QtPrompts::NameFilters("Log files (*.csv)|*.csv|All files (*.*)|*"),
              QStringList({"Log files (*.csv)", "All files (*)"}));
    EXPECT_EQ(QtPrompts::NameFilters("Images|*.bmp;*.png|"), QStringList({"Images (*.bmp *.png)"}));
    EXPECT_EQ(QtPrompts::NameFilters(""), QStringList());
}

} // namespace
