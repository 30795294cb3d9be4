#include "settings/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return FDir.filePath(QString::fromLatin1(name)); }

    QString Write(const QByteArray& bytes) const {
        const QString path = PathOf("Solvista.ini");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir FDir;
};

const QString Main = QStringLiteral("Main");
const QString Child = QStringLiteral("Child");

} // namespace

TEST_F(IniFileTest, ReadsLikeThePrivateProfileFunctions) {
    const QString path = Write("; a comment\r\n"
                               "[main]\r\n"
                               "  LANGUAGE = 3 \r\n"
                               "LastUsedDir=\"/home/u/logs/\"\r\n"
                               "Quoted='x'\r\n"
                               "Half=\"open\r\n"
                               "Language=5\r\n"
                               "Formula=a=b\r\n"
                               "Empty=\r\n"
                               "[Main]\r\n"
                               "ExcelPath=second section loses\r\n"
                               "[Child\r\n"
                               "ChartTitle=not a section above\r\n"
                               "[Child]\r\n"
                               "LineWidth=010\r\n"
                               "AxisMin=-10\r\n"
                               "HexA=$FF\r\nHexB=0xFF\r\nHexC=0XFFFFFFFF\r\nHexD=0x123456789\r\n"
                               "Noted=3 ; note\r\nPoint=1.5\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(Main, QStringLiteral("language"), 0), 3); // first key wins
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("LastUsedDir"), {}),
              QStringLiteral("/home/u/logs/"));
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("Quoted"), {}), QStringLiteral("x"));
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("Half"), {}), QStringLiteral("\"open"));
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("Formula"), {}), QStringLiteral("a=b"));
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("Empty"), QStringLiteral("x")), QString());
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("ExcelPath"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_EQ(ini.ReadString(Child, QStringLiteral("ChartTitle"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("LineWidth"), 2), 10);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("AxisMin"), 0), -10);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("HexA"), 0), 255);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("HexB"), 0), 255);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("HexC"), 0), -1);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("HexD"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("Noted"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("Point"), 7), 7);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("Missing"), 7), 7);
}

TEST_F(IniFileTest, SavesKeyByKeyLeavingEverythingElseAsItWas) {
    const QString path = Write("; kept\n[Other]\nx=1\n\n[Main]\nlanguage=1\n\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    ini.WriteInteger(Main, QStringLiteral("Language"), 2);
    ini.WriteString(Main, QStringLiteral("LastUsedDir"), QStringLiteral("/logs/"));
    ASSERT_TRUE(ini.Save());
    ini.WriteInteger(Child, QStringLiteral("LineWidth"), 3);
    // A folder name may hold a line break on Linux; it must not plant a section.
    ini.WriteString(Child, QStringLiteral("ChartTitle"), QStringLiteral("Plant A\r\n[Main]"));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Read(path), QByteArray("; kept\r\n[Other]\r\nx=1\r\n\r\n[Main]\r\nLanguage=2\r\n"
                                     "LastUsedDir=/logs/\r\n\r\n[Child]\r\nLineWidth=3\r\n"
                                     "ChartTitle=Plant A\r\n"));

    IniFile again(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.ReadInteger(Main, QStringLiteral("Language"), 0), 2);
    EXPECT_EQ(again.ReadString(Child, QStringLiteral("ChartTitle"), {}), QStringLiteral("Plant A"));
}

TEST_F(IniFileTest, DoubledByteOrderMarkStillReadsTheFirstSection) {
    IniFile ini(
        Write("\xEF\xBB\xBF\xEF\xBB\xBF[Main]\r\nLanguage=3\r\n[Child]\r\nLineWidth=4\r\n"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(Main, QStringLiteral("Language"), 0), 3);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("LineWidth"), 0), 4);
    // Written back, the first section is still the one there is, not a second [Main].
    ini.WriteInteger(Main, QStringLiteral("Language"), 5);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Read(ini.Path()), QByteArray("[Main]\r\nLanguage=5\r\n[Child]\r\nLineWidth=4\r\n"));
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndTheFirstSaveCreatesIt) {
    IniFile ini(PathOf("new.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(Main, QStringLiteral("Language"), 4), 4);
    ini.WriteInteger(Main, QStringLiteral("Language"), -3);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Read(PathOf("new.ini")), QByteArray("[Main]\r\nLanguage=-3\r\n"));

    IniFile folder(FDir.path()); // a folder is no INI file
    EXPECT_FALSE(folder.Load());
    EXPECT_FALSE(IniFile(PathOf("missing/dir/x.ini")).Save());
}

TEST_F(IniFileTest, CorruptContentKeepsEveryValidValue) {
    QByteArray bytes("[Main]\r\nLanguage=6\r\nLastUsedDir=C:\\Logs\\M\xFC"
                     "ller\\\r\n");
    bytes += QByteArray(10 * 1024 * 1024, 'x');
    bytes += "\r\n";
    bytes += QByteArray("\x00\x01\xFF[=]\x00", 7);
    const char child[] = "\r\n[Child]\r\nLineWidth=\x00 4\r\nAxisMax=99\r\n";
    bytes += QByteArray(child, sizeof child - 1);
    const QString path = Write(bytes);
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(Main, QStringLiteral("Language"), 0), 6);
    // Not valid UTF-8: read as Windows-1252.
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("LastUsedDir"), {}),
              QString::fromUtf8("C:\\Logs\\Müller\\"));
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("LineWidth"), 2), 2);
    EXPECT_EQ(ini.ReadInteger(Child, QStringLiteral("AxisMax"), 120), 99);
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("Long"), QStringLiteral("d")).size(), 1);
}

TEST(ProfileInteger, AcceptsOnlyWholeNumbers) {
    int v = 0;
    EXPECT_TRUE(ParseProfileInteger(QStringLiteral(" 42 "), v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ParseProfileInteger(QStringLiteral("$7fffffff"), v));
    EXPECT_EQ(v, 2147483647);
    for (const char* bad : {"", "$", "0x", "12abc", "99999999999", "$-1", "1e3"})
        EXPECT_FALSE(ParseProfileInteger(QString::fromLatin1(bad), v)) << bad;
}

TEST_F(IniFileTest, CodePageDecidesTheBytesBothWays) {
    const QString umlaut = QString::fromUtf8("C:\\Müller €\\");
    IniFile ansi(PathOf("ansi.ini"), IniFile::Encoding::Windows1252);
    ansi.WriteString(Main, QStringLiteral("LastUsedDir"), umlaut + QChar(0x4E2D));
    ASSERT_TRUE(ansi.Save());
    EXPECT_EQ(Read(PathOf("ansi.ini")),
              QByteArray("[Main]\r\nLastUsedDir=C:\\M\xFCller \x80\\?\r\n"));
    IniFile ansiAgain(PathOf("ansi.ini"), IniFile::Encoding::Windows1252);
    ASSERT_TRUE(ansiAgain.Load());
    EXPECT_EQ(ansiAgain.ReadString(Main, QStringLiteral("LastUsedDir"), {}), umlaut + u'?');

    // The same bytes copied to a UTF-8 system still read right; a save there writes UTF-8.
    IniFile utf8(PathOf("ansi.ini"), IniFile::Encoding::Utf8);
    ASSERT_TRUE(utf8.Load());
    EXPECT_EQ(utf8.ReadString(Main, QStringLiteral("LastUsedDir"), {}), umlaut + u'?');
    ASSERT_TRUE(utf8.Save());
    EXPECT_EQ(Read(PathOf("ansi.ini")),
              QByteArray("[Main]\r\nLastUsedDir=C:\\M\xC3\xBCller \xE2\x82\xAC\\?\r\n"));
}

TEST_F(IniFileTest, LongValuesAreCutAtTheReadLimitOnly) {
    const QByteArray value(3000, 'v');
    IniFile ini(Write("[Main]\r\nLastUsedDir=\"" + value +
                      "\"\r\nLanguage=" + QByteArray(2046, ' ') + "7\r\n"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString(Main, QStringLiteral("LastUsedDir"), {}),
              QString(IniFile::MaxValueLength, u'v'));
    EXPECT_EQ(ini.ReadInteger(Main, QStringLiteral("Language"), 0), 7);
}
