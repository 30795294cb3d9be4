#include "output/SpreadsheetHandOver.h"

#include "ScriptedPlatform.h"
#include "core/AppError.h"
#include "core/FileTexts.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

namespace {

class RecordingPrompts : public HandOverPrompts {
public:
    QStringList Shown; // "info:<text>|<caption>" or "error:..."
    std::deque<std::optional<QString>> Picks;
    struct PickRequest {
        QString Proposed, Filter, Folder;
    };
    std::vector<PickRequest> PickRequests;

    void Inform(const QString& text, const QString& caption) override {
        Shown << QStringLiteral("info:") + text + QLatin1Char('|') + caption;
    }
    void Fail(const QString& text, const QString& caption) override {
        Shown << QStringLiteral("error:") + text + QLatin1Char('|') + caption;
    }
    bool PickProgram(QString& path, const QString& filter, const QString& folder) override {
        PickRequests.push_back({path, filter, folder});
        if (Picks.empty()) {
            ADD_FAILURE() << "unexpected program choice";
            return false;
        }
        const std::optional<QString> pick = Picks.front();
        Picks.pop_front();
        if (pick)
            path = *pick;
        return pick.has_value();
    }
};

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        ASSERT_TRUE(Temp.isValid());
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("config"));
        Os.TemporaryAnswer = Temp.filePath(QStringLiteral("tmp"));
        ASSERT_TRUE(QDir().mkpath(Os.TemporaryAnswer));
        ASSERT_TRUE(QDir().mkpath(Temp.filePath(QStringLiteral("logs"))));
        Log = Temp.filePath(QStringLiteral("logs/20100501.csv"));
        QFile file(Log);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Datum;T1\r\n01.05.10 00:00;57,3\r\n");
        Store = std::make_unique<SettingsStore>(Os);
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    HandOverResult Run(bool english, SettingsStore* store) {
        return HandOverToSpreadsheet(Log, english, store, Os, Prompts);
    }
    QString Copy() const { return Temp.filePath(QStringLiteral("tmp/20100501c.csv")); }
    QString ByteCopy() const { return Temp.filePath(QStringLiteral("tmp/20100501.csv")); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
#ifdef Q_OS_WIN
    QString Info() const { return QStringLiteral("info:") + Text(99) + "|Information:"; }
#else
    QString Info() const {
        return QStringLiteral("info:") + Text(TextNoSpreadsheet) + "|Information:";
    }
#endif
    QString Error() const { return QStringLiteral("error:") + Text(100) + "|Error:"; }

    QTemporaryDir Temp;
    ScriptedPlatform Os;
    RecordingPrompts Prompts;
    std::unique_ptr<SettingsStore> Store;
    QString Log;
};

} // namespace

TEST(SpreadsheetArguments, CalcSplitsAtTheGivenSeparatorWithDecimalCommas) {
    const QString filter =
        QStringLiteral("--infilter=Text - txt - csv (StarCalc):59,34,ANSI,1,,1031");
    EXPECT_EQ(SpreadsheetArguments("/usr/bin/localc", "/l/a.csv", ';'),
              (QStringList{filter, "/l/a.csv"}));
    EXPECT_EQ(SpreadsheetArguments("/opt/x/soffice", "/l/a.csv", ','),
              (QStringList{"--calc", "--infilter=Text - txt - csv (StarCalc):44,34,ANSI,1,,1031",
                           "/l/a.csv"}));
    EXPECT_EQ(SpreadsheetArguments("/usr/bin/gnumeric", "/l/a.csv", ';'), QStringList{"/l/a.csv"});
}

// Saved in the spreadsheet's own format, the log would no longer read as a log: the spreadsheet
// only ever gets a copy in the program's folder.
TEST_F(HandOverTest, GermanHandsAByteCopyToCalcFirst) {
    Os.OnPath = {{"localc", "/usr/bin/localc"}, {"gnumeric", "/usr/bin/gnumeric"}};
    Os.Starting = {"/usr/bin/localc", "/usr/bin/gnumeric"};
    SetCurrentTexts(TextArrayId::German);
    QFile stale(ByteCopy());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("saved by the spreadsheet");
    stale.close();
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::KnownSpreadsheet);
    ASSERT_EQ(Os.Launches.size(), 1u);
    EXPECT_EQ(Os.Launches[0].Program, "/usr/bin/localc");
    EXPECT_EQ(Os.Launches[0].Arguments.last(), ByteCopy());
    EXPECT_TRUE(Os.Launches[0].Arguments.first().contains(":59,34,"));
    EXPECT_EQ(Read(ByteCopy()), Read(Log)) << "an exact copy, replacing the earlier one";
    EXPECT_FALSE(QFile::exists(Copy()));
    EXPECT_TRUE(Prompts.Shown.isEmpty());
    EXPECT_EQ(Store->GetExcelPath(), QString());
}

TEST_F(HandOverTest, EnglishHandsTheCommaCopyByItsAbsolutePathAndReplacesIt) {
    Os.OnPath = {{"libreoffice", "/usr/bin/libreoffice"}};
    Os.Starting = {"/usr/bin/libreoffice"};
    QFile stale(Copy());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("stale");
    stale.close();
    EXPECT_EQ(Run(true, Store.get()), HandOverResult::KnownSpreadsheet);
    ASSERT_EQ(Os.Launches.size(), 1u);
    EXPECT_EQ(Os.Launches[0].Arguments.first(), "--calc");
    EXPECT_TRUE(Os.Launches[0].Arguments[1].contains(":44,34,"));
    EXPECT_EQ(Os.Launches[0].Arguments.last(), Copy());
    EXPECT_EQ(Read(Copy()), "Datum,T1\r\n01.05.10 00:00,57,3\r\n");
    EXPECT_EQ(Read(Log), "Datum;T1\r\n01.05.10 00:00;57,3\r\n");
}

// Without Calc the desktop opens the copy with its own application for CSV, whatever wrapper its
// entry runs; no program is started by hand for it.
TEST_F(HandOverTest, WithoutCalcTheDesktopOpensTheCopy) {
    Os.OnPath = {{"gnumeric", "/usr/bin/gnumeric"}};
    Os.CsvApplication = QStringLiteral("org.gnome.Gnumeric.desktop");
    Os.DocumentOpens = true;
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::DefaultApplication);
    EXPECT_EQ(Os.DocumentsOpened, QStringList{ByteCopy()});
    EXPECT_TRUE(Os.Launches.empty());
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(HandOverTest, TriesCalcThenDesktopThenStoredThenAsksAndStoresThePick) {
    Os.OnPath = {{"localc", "/usr/bin/localc"}};
    Os.CsvApplication = QStringLiteral("mousepad.desktop");
    Store->SetExcelPath(QStringLiteral("/old/calc"));
    Os.Starting = {"/home/u/bin/sheet"};
    Prompts.Picks.push_back(QStringLiteral("/home/u/bin/sheet"));
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::PickedProgram);
    EXPECT_EQ(Os.LaunchedPrograms(),
              (QStringList{"/usr/bin/localc", "/old/calc", "/home/u/bin/sheet"}));
    EXPECT_EQ(Os.DocumentsOpened, QStringList{ByteCopy()});
    EXPECT_EQ(Os.Launches.back().Arguments, QStringList{ByteCopy()});
    EXPECT_EQ(Prompts.Shown, QStringList{Info()});
    ASSERT_EQ(Prompts.PickRequests.size(), 1u);
    EXPECT_EQ(Prompts.PickRequests[0].Filter, "All files (*.*)|*");
    EXPECT_EQ(Prompts.PickRequests[0].Folder, "/old") << "beside the stored program";
    EXPECT_EQ(Store->GetExcelPath(), "/home/u/bin/sheet");
    EXPECT_EQ(SettingsStore(Os).GetExcelPath(), "/home/u/bin/sheet") << "written to the file";
}

TEST_F(HandOverTest, AStoredProgramThatStartsEndsTheSearchUnchanged) {
    Store->SetExcelPath(QStringLiteral("/opt/sheet/run"));
    Os.Starting = {"/opt/sheet/run"};
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::StoredProgram);
    EXPECT_EQ(Os.LaunchedPrograms(), QStringList{"/opt/sheet/run"});
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(HandOverTest, APickThatFailsIsNotStoredAndTheFileOpensByType) {
    Store->SetExcelPath(QStringLiteral("/old/calc"));
    Prompts.Picks.push_back(QStringLiteral("/bin/false-sheet"));
    Os.DocumentOpens = true;
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::OpenedByType);
    EXPECT_EQ(Store->GetExcelPath(), "/old/calc");
    EXPECT_EQ(Os.DocumentsOpened, QStringList{ByteCopy()});
    EXPECT_EQ(Prompts.Shown, QStringList{Info()});
}

TEST_F(HandOverTest, NothingStartsGivesText100AndCancelGivesNothing) {
    Prompts.Picks.push_back(QStringLiteral("/bin/nope"));
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::Failed);
    EXPECT_EQ(Prompts.Shown, (QStringList{Info(), Error()}));
    EXPECT_EQ(Os.DocumentsOpened, QStringList{ByteCopy()});

    // A desktop that names an application but cannot open the file is asked once only.
    Prompts.Shown.clear();
    Os.DocumentsOpened.clear();
    Os.CsvApplication = QStringLiteral("broken.desktop");
    Prompts.Picks.push_back(QStringLiteral("/bin/nope"));
    EXPECT_EQ(Run(false, nullptr), HandOverResult::Failed);
    EXPECT_EQ(Prompts.Shown, (QStringList{Info(), Error()}));
    EXPECT_EQ(Os.DocumentsOpened, QStringList{ByteCopy()});

    Prompts.Shown.clear();
    Os.DocumentsOpened.clear();
    Os.CsvApplication.clear();
    Prompts.Picks.push_back(std::nullopt);
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::Cancelled);
    EXPECT_EQ(Prompts.Shown, QStringList{Info()});
    EXPECT_TRUE(Os.DocumentsOpened.isEmpty());
    EXPECT_EQ(Store->GetExcelPath(), QString());
}

TEST_F(HandOverTest, ACopyThatCannotBeWrittenEndsWithText100AndLaunchesNothing) {
    Os.OnPath = {{"localc", "/usr/bin/localc"}};
    Os.Starting = {"/usr/bin/localc"};
    Os.TemporaryAnswer.clear();
    for (const bool english : {true, false}) {
        Prompts.Shown.clear();
        EXPECT_EQ(Run(english, Store.get()), HandOverResult::Failed);
        EXPECT_EQ(Prompts.Shown, QStringList{Error()});
        EXPECT_TRUE(Os.Launches.empty());
    }

    // A log that went away: text 100 and, on a line of its own, why.
    Prompts.Shown.clear();
    Os.TemporaryAnswer = Temp.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QFile::remove(Log));
    for (const bool english : {true, false}) {
        Prompts.Shown.clear();
        EXPECT_EQ(Run(english, Store.get()), HandOverResult::Failed);
        EXPECT_EQ(Prompts.Shown, QStringList{QStringLiteral("error:") + Text(100) + "\n\n" +
                                             Text(TextFileMissing) + "|Error:"});
        EXPECT_TRUE(Os.Launches.empty());
    }
}

TEST_F(HandOverTest, APickedProgramThatCannotBeRememberedRaisesText95AfterStarting) {
    Os.Starting = {"/usr/bin/sheet"};
    Prompts.Picks.push_back(QStringLiteral("/usr/bin/sheet"));
    // The INI folder turns into a file, so the store cannot write.
    const QString folder = Temp.filePath(QStringLiteral("config/Tarvex"));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        Run(false, Store.get());
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), Text(95) + "\n\n" + Text(TextFileFolderMissing));
    }
    EXPECT_EQ(Os.LaunchedPrograms(), QStringList{"/usr/bin/sheet"});
}

#ifndef Q_OS_WIN
// Away from Windows the "not found" message names no Excel.exe and the program choice starts
// where the programs are, unless a program was stored before.
TEST_F(HandOverTest, WithoutASpreadsheetTheChoiceStartsAmongThePrograms) {
    for (auto id : {TextArrayId::German, TextArrayId::English, TextArrayId::French}) {
        SetCurrentTexts(id);
        Prompts.Shown.clear();
        Prompts.PickRequests.clear();
        Prompts.Picks.push_back(std::nullopt);
        EXPECT_EQ(Run(false, Store.get()), HandOverResult::Cancelled);
        ASSERT_EQ(Prompts.Shown.size(), 1);
        EXPECT_FALSE(Prompts.Shown[0].contains(QStringLiteral("Excel")))
            << Prompts.Shown[0].toStdString();
        EXPECT_NE(Prompts.Shown[0], QStringLiteral("info:") + Text(99) + "|" + Text(53) + ":");
        ASSERT_EQ(Prompts.PickRequests.size(), 1u);
        EXPECT_EQ(Prompts.PickRequests[0].Folder, "/usr/bin");
        EXPECT_EQ(Prompts.PickRequests[0].Proposed, "localc");
    }
    Store->SetExcelPath(QStringLiteral("/opt/sheet/bin/sheet"));
    Prompts.PickRequests.clear();
    Prompts.Picks.push_back(std::nullopt);
    EXPECT_EQ(Run(false, Store.get()), HandOverResult::Cancelled);
    ASSERT_EQ(Prompts.PickRequests.size(), 1u);
    EXPECT_EQ(Prompts.PickRequests[0].Folder, "/opt/sheet/bin");
}
#endif
