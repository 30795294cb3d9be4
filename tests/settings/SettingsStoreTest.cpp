#include "settings/SettingsStore.h"

#include "UserIniFixture.h"
#include "support/FileSizeLimit.h"
#include "core/AppError.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingsStoreTest : public UserIniFixture {
protected:
    // The message of the AppError that `action` raises, or "<none>".
    template <typename Action> static QString ErrorOf(Action action) {
        try {
            action();
        } catch (const AppError& error) {
            return error.Message();
        }
        return QStringLiteral("<none>");
    }
};

TEST_F(SettingsStoreTest, WithoutAFileEverythingIsFactoryAndNothingIsWritten) {
    const SettingsStore store(Os);
    EXPECT_EQ(store.IniPath(), IniPath());
    EXPECT_TRUE(QFileInfo(Temp.filePath(QStringLiteral("config/Tarvex"))).isDir());
    EXPECT_EQ(store.GetMainSettings(), (MainSettings{0, QStringLiteral("/opt/solvista/bin/")}));
    EXPECT_EQ(store.GetNewWindowSettings(), WindowSettings::FactoryDefaults());
    EXPECT_EQ(store.GetExcelPath(), QString());
    EXPECT_TRUE(store.IsIniWritable());
    EXPECT_FALSE(QFile::exists(IniPath()));

    Os.ExecutableAnswer = QStringLiteral("/");
    EXPECT_EQ(SettingsStore(Os).GetMainSettings().LastUsedDir, QStringLiteral("/"));
}

TEST_F(SettingsStoreTest, ReadsEveryKeyIntoItsSlotWithDefaultsAndTheLanguageCheck) {
    WriteIni("[main]\r\nLANGUAGE=263\r\nExcelPath=\"/usr/bin/calc\"\r\nLastUsedDir=/data/logs/\r\n"
             "[Child]\r\nChartTitle=  Plant A  \r\nLineWidth=abc\r\nAxisMin=-20\r\nAxisMax=0x64\r\n"
             "DynamicScaling=\r\nPowerLabel=Heat\r\nVolumeLabel=Litres\r\nT1Label= \r\n"
             "T1Color=0xFF\r\nPowerColor=$FF\r\nVolumeColor=16777215\r\nRShowBars=5\r\n"
             "OthersShowBars=0\r\n");
    const SettingsStore store(Os);
    EXPECT_EQ(store.GetMainSettings(), (MainSettings{7, QStringLiteral("/data/logs/")}));
    EXPECT_EQ(store.GetExcelPath(), QStringLiteral("/usr/bin/calc"));
    WindowSettings expected = WindowSettings::FactoryDefaults();
    expected.ChartTitle = QStringLiteral("Plant A");
    expected.AxisMin = -20;
    expected.AxisMax = 100;
    expected.Labels[SlotPower] = QStringLiteral("Heat");
    expected.Labels[SlotVolume] = QStringLiteral("Litres");
    expected.Labels[SlotT1] = QString();
    expected.Colors[SlotT1] = 255;
    expected.Colors[SlotPower] = 255;
    expected.Colors[SlotVolume] = 0xFFFFFF;
    expected.RShowBars = true;
    expected.OthersShowBars = false;
    EXPECT_EQ(store.GetNewWindowSettings(), expected);
}

TEST_F(SettingsStoreTest, LanguageOutsideTheTableReadsAsNoneChosen) {
    for (const char* value : {"-1", "8", "0x107", "3 ; German?"}) {
        WriteIni(QByteArray("[Main]\r\nLanguage=") + value + "\r\n");
        const std::int8_t expected = QByteArray(value) == "0x107" ? 7 : 0;
        EXPECT_EQ(SettingsStore(Os).GetMainSettings().Language, expected) << value;
    }
}

TEST_F(SettingsStoreTest, SavesGroupByGroupInKeyOrderByteForByte) {
    WriteIni("; mine\r\n[Main]\r\nLastUsedDir=/old/\r\n");
    SettingsStore store(Os);
    store.SetExcelPath(QStringLiteral("/usr/bin/calc"));
    // A folder name with a line break must not plant a section into the file.
    store.SetMainSettings(-3, QStringLiteral("/logs\n[Child]\nLineWidth=9"));
    EXPECT_EQ(store.GetMainSettings().LastUsedDir, QStringLiteral("/logs\n[Child]\nLineWidth=9"));
    WindowSettings w = WindowSettings::FactoryDefaults();
    w.ChartTitle = QStringLiteral("Roof");
    w.Labels[SlotPower] = QStringLiteral("Heat");
    w.Colors[SlotRError] = 0x00FFFFFF;
    w.DynamicScaling = false;
    store.SetNewWindowSettings(w);
    store.SetMainSettings(2, QStringLiteral("/logs/"));

    QByteArray child = "[Child]\r\nChartTitle=Roof\r\nLineWidth=2\r\nAxisMin=-10\r\nAxisMax=120\r\n"
                       "DynamicScaling=0\r\n";
    for (const char* stem : {"T1", "T2", "T3", "T4", "T5", "T6", "TD", "Flow", "Power", "Volume",
                             "Energy", "R1", "R2", "R3", "RError"})
        child += QByteArray(stem) +
                 "Label=" + (QByteArray(stem) == "Power" ? "Heat" : "DEFAULT_LABEL") + "\r\n";
    child += "T1Color=255\r\nT2Color=16711680\r\nT3Color=8388863\r\nT4Color=32768\r\n"
             "T5Color=33023\r\nT6Color=679542\r\nTDColor=0\r\nFlowColor=16744448\r\n"
             "PowerColor=4259584\r\nVolumeColor=8388736\r\nEnergyColor=16711935\r\n"
             "R1Color=16711680\r\nR2Color=32768\r\nR3Color=0\r\nRErrorColor=16777215\r\n"
             "OthersShowBars=1\r\nRShowBars=0\r\n";
    EXPECT_EQ(ReadIni(), "; mine\r\n[Main]\r\nLastUsedDir=/logs/\r\nExcelPath=/usr/bin/calc\r\n"
                         "Language=2\r\n" +
                             child);
    EXPECT_EQ(SettingsStore(Os).GetNewWindowSettings(), w);
}

// The channels ticked on opening live in a key of their own that an untouched file never gets.
TEST_F(SettingsStoreTest, OpeningChannelsAreAKeyOfTheirOwnWrittenOnlyOnceChosen) {
    WriteIni("[Child]\r\nLineWidth=3\r\n");
    SettingsStore store(Os);
    EXPECT_TRUE(store.GetNewWindowSettings().OpenChannels.isEmpty()) << "none by default";
    WindowSettings w = store.GetNewWindowSettings();
    store.SetNewWindowSettings(w);
    EXPECT_FALSE(ReadIni().contains("OpenChannels"));
    w.OpenChannels = QStringLiteral("T1,Flow,R1");
    store.SetNewWindowSettings(w);
    EXPECT_TRUE(ReadIni().endsWith("RShowBars=0\r\nOpenChannels=T1,Flow,R1\r\n"));
    EXPECT_EQ(SettingsStore(Os).GetNewWindowSettings().OpenChannels, "T1,Flow,R1");
    // Cleared again, the key says so rather than keeping the old choice.
    w.OpenChannels.clear();
    store.SetNewWindowSettings(w);
    EXPECT_TRUE(SettingsStore(Os).GetNewWindowSettings().OpenChannels.isEmpty());
}

TEST_F(SettingsStoreTest, ReadOnlyFileFailsEverySaveButMemoryFollows) {
    WriteIni("[Main]\r\nLanguage=1\r\n");
    SettingsStore store(Os);
    Os.ReadOnlyFiles.insert(IniPath());
    const QString text95 = Text(95) + QStringLiteral("\n\n") + Text(TextFileAccessDenied);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(ErrorOf([&] { store.SetMainSettings(4, QStringLiteral("/x/")); }), text95);
        EXPECT_EQ(ErrorOf([&] { store.SetExcelPath(QStringLiteral("/e")); }), text95);
        EXPECT_TRUE(store.IsIniWritable());
    }
    EXPECT_EQ(store.GetMainSettings(), (MainSettings{4, QStringLiteral("/x/")}));
    EXPECT_EQ(store.GetExcelPath(), QStringLiteral("/e"));
    EXPECT_EQ(ReadIni(), "[Main]\r\nLanguage=1\r\n");

    Os.ReadOnlyFiles.clear(); // the next save tries again
    store.SetExcelPath(QStringLiteral("/f"));
    EXPECT_EQ(ReadIni(), "[Main]\r\nLanguage=1\r\nExcelPath=/f\r\n");
}

TEST_F(SettingsStoreTest, FullDiskFailsTheSaveAndKeepsTheOldFile) {
    WindowSettings w = WindowSettings::FactoryDefaults();
    w.ChartTitle = QStringLiteral("Plant A");
    WriteIni("[Main]\r\nLanguage=3\r\n");
    SettingsStore store(Os);
    store.SetNewWindowSettings(w);
    const QByteArray before = ReadIni();
    ASSERT_TRUE(before.contains("[Child]"));
    const QStringList beside = QDir(QFileInfo(IniPath()).path()).entryList(QDir::Files);

    for (const rlim_t free : {rlim_t{0}, rlim_t{8192}}) {
        // Long labels make the file about 12 KB, more than fits but less than the write buffer.
        for (QString& label : w.Labels)
            label = QString(800, QLatin1Char('x'));
        {
            const FileSizeLimit disk(free);
            ASSERT_TRUE(disk.Active);
            const QString full = Text(95) + QStringLiteral("\n\n") + Text(TextFileDiskFull);
            EXPECT_EQ(ErrorOf([&] { store.SetNewWindowSettings(w); }), full) << free;
            EXPECT_EQ(ErrorOf([&] { store.SetMainSettings(5, QString(9000, QLatin1Char('d'))); }),
                      full)
                << free;
        }
        EXPECT_EQ(ReadIni(), before) << free;
        EXPECT_EQ(QDir(QFileInfo(IniPath()).path()).entryList(QDir::Files), beside) << free;
        EXPECT_TRUE(store.IsIniWritable());
    }
    EXPECT_EQ(store.GetNewWindowSettings(), w); // memory follows all the same
    store.SetNewWindowSettings(w);              // room again: the next save goes through
    EXPECT_EQ(SettingsStore(Os).GetNewWindowSettings(), w);
}

TEST_F(SettingsStoreTest, StaleTemporaryFilesGoAtStart) {
    WriteIni("[Main]\r\nLanguage=3\r\n");
    const QString folder = QFileInfo(IniPath()).path();
    const auto make = [&](const char* name, int ageSeconds) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Main]\r\nLangu");
        file.flush(); // a later flush would set the time again
        EXPECT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-ageSeconds),
                                     QFileDevice::FileModificationTime));
    };
    make("Solvista.ini.aB3xZ9", 3600);
    make("Solvista.ini.Qw12er", 5); // another instance may be saving right now
    make("Solvista.ini.bak", 3600);
    make("Solvista.ini.aB3xZ9x", 3600);
    const SettingsStore store(Os);
    EXPECT_EQ(store.GetMainSettings().Language, 3);
    EXPECT_EQ(
        QDir(folder).entryList(QDir::Files, QDir::Name),
        (QStringList{QStringLiteral("Solvista.ini"), QStringLiteral("Solvista.ini.Qw12er"),
                     QStringLiteral("Solvista.ini.aB3xZ9x"), QStringLiteral("Solvista.ini.bak")}));
}

TEST_F(SettingsStoreTest, VanishedFolderLatchesToMemoryOnly) {
    SettingsStore store(Os);
    ASSERT_TRUE(QDir(Temp.filePath(QStringLiteral("config"))).removeRecursively());
    EXPECT_EQ(ErrorOf([&] { store.SetExcelPath(QStringLiteral("/a")); }),
              Text(95) + QStringLiteral("\n\n") + Text(TextFileFolderMissing));
    EXPECT_FALSE(store.IsIniWritable());
    EXPECT_EQ(ErrorOf([&] { store.SetExcelPath(QStringLiteral("/b")); }), QStringLiteral("<none>"));
    EXPECT_EQ(store.GetExcelPath(), QStringLiteral("/b"));
    EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(SettingsStoreTest, UnreadableFileOrFolderMeansNoStore) {
    ASSERT_TRUE(QDir().mkpath(IniPath())); // a folder where the file should be
    EXPECT_EQ(ErrorOf([&] { SettingsStore store(Os); }),
              Text(95) + QStringLiteral("\n\n") + Text(TextFileIsFolder));

    Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("no/such"));
    EXPECT_EQ(ErrorOf([&] { SettingsStore store(Os); }), Text(95));
}

TEST_F(SettingsStoreTest, UserConfigFolderFollowsXdgThenHome) {
    Os.Variables.clear();
    Os.Variables[QStringLiteral("HOME")] = Temp.path();
    EXPECT_EQ(Os.UserConfigFolder(), Temp.filePath(QStringLiteral(".config")));
    Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = QStringLiteral("relative/cfg");
    EXPECT_EQ(Os.UserConfigFolder(), Temp.filePath(QStringLiteral(".config")));
    Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = QStringLiteral("/etc/../cfg/");
    EXPECT_EQ(Os.UserConfigFolder(), QStringLiteral("/cfg"));
    Os.Variables.clear();
    EXPECT_EQ(Os.UserConfigFolder(), QString());

    // A fresh account has no ~/.config yet: both levels are made.
    Os.Variables[QStringLiteral("HOME")] = Temp.path();
    const SettingsStore store(Os);
    EXPECT_EQ(store.IniPath(), Temp.filePath(QStringLiteral(".config/Tarvex/Solvista.ini")));
}

struct WindowsCase {
    Platform::Family Family;
    int Major;
    QMap<QString, QString> Variables;
    QString Expected; // the INI path, or the error text
};

TEST_F(SettingsStoreTest, WindowsLocationFollowsFamilyVersionAndVariables) {
    using F = Platform::Family;
    const QString text95 = Text(95);
    const QMap<QString, QString> all = {{QStringLiteral("WINDIR"), QStringLiteral("C:\\Windows")},
                                        {QStringLiteral("appdata"), QStringLiteral("C:\\R\\")},
                                        {QStringLiteral("LocalAppData"), QStringLiteral("C:\\L")}};
    QMap<QString, QString> noLocal = all;
    noLocal.remove(QStringLiteral("LocalAppData"));
    QMap<QString, QString> emptyLocal = all;
    emptyLocal[QStringLiteral("LocalAppData")] = QString();
    const WindowsCase cases[] = {
        {F::Win32s, 3, all, QStringLiteral("Not compatible to Windows 3.11")},
        {F::Windows9x, 4, all, QStringLiteral("C:\\Windows\\Tarvex\\Solvista.ini")},
        {F::WindowsNT, 4, all, QStringLiteral("C:\\Windows\\Tarvex\\Solvista.ini")},
        {F::WindowsNT, 5, all, QStringLiteral("C:\\R\\Tarvex\\Solvista.ini")},
        {F::WindowsNT, 10, all, QStringLiteral("C:\\L\\Tarvex\\Solvista.ini")},
        {F::WindowsNT, 6, noLocal, QStringLiteral("C:\\R\\Tarvex\\Solvista.ini")},
        {F::WindowsNT, 6, emptyLocal, text95},
        {F::WindowsNT, 5, {}, text95},
        {F::Other, 1, all, text95},
    };
    for (const WindowsCase& c : cases) {
        Os.FamilyAnswer = c.Family;
        Os.MajorAnswer = c.Major;
        Os.Variables = c.Variables;
        Os.MakeFolderAnswer = true; // nothing is made on this machine
        QString got;
        try {
            got = SettingsStore(Os).IniPath();
        } catch (const AppError& error) {
            got = error.Message();
        }
        EXPECT_EQ(got, c.Expected) << static_cast<int>(c.Family) << " " << c.Major;
    }
    Os.FamilyAnswer = F::WindowsNT;
    Os.MajorAnswer = 10;
    Os.Variables = all;
    Os.MakeFolderAnswer = false;
    Os.FoldersMade.clear();
    EXPECT_EQ(ErrorOf([&] { SettingsStore store(Os); }), text95);
    EXPECT_EQ(Os.FoldersMade, QStringList{QStringLiteral("C:\\L\\Tarvex")});
}

} // namespace

TEST(SettingsStoreHealthTest, HealthSectionReadsKeysAsWrittenAndSavesOnlyItsOwnKeys) {
    QTemporaryDir temp;
    FakePlatform os;
    os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = temp.filePath(QStringLiteral("config"));
    const QString path = temp.filePath(QStringLiteral("config/Tarvex/Solvista.ini"));
    ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("config/Tarvex"))));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Main]\r\nLanguage=2\r\n[health]\r\nGapMinutes=20\r\ngapminutes=99\r\n"
                   "Odd line\r\nStagnationC= 130 \r\n[Child]\r\nLineWidth=3\r\n");
    }
    SettingsStore store(os);
    const QMap<QString, QString> read = store.GetHealthValues();
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read.value(QStringLiteral("GapMinutes")), QStringLiteral("20")); // first one wins
    EXPECT_EQ(read.value(QStringLiteral("StagnationC")), QStringLiteral("130"));

    store.SetHealthValues({{QStringLiteral("GapMinutes"), QStringLiteral("25")},
                           {QStringLiteral("PumpCycleStarts"), QStringLiteral("7")}});
    EXPECT_EQ(store.GetHealthValues().value(QStringLiteral("GapMinutes")), QStringLiteral("25"));
    EXPECT_EQ(store.GetHealthValues().value(QStringLiteral("StagnationC")), QStringLiteral("130"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("[Main]\r\nLanguage=2\r\n[health]\r\nGapMinutes=25\r\ngapminutes=99\r\n"
                         "Odd line\r\nStagnationC= 130 \r\nPumpCycleStarts=7\r\n[Child]\r\n"
                         "LineWidth=3\r\n"));
    EXPECT_EQ(SettingsStore(os).GetNewWindowSettings().LineWidth, 3);
}
