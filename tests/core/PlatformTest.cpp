#include "core/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SystemPlatform, AnswersFromTheRunningSystem) {
    Platform& os = Platform::System();
    qputenv("SOLVISTA_TEST_Mixed", "v1");
    EXPECT_EQ(os.Environment(QStringLiteral("solvista_test_MIXED")), QStringLiteral("v1"));
    qunsetenv("SOLVISTA_TEST_Mixed");
    EXPECT_EQ(os.Environment(QStringLiteral("SOLVISTA_TEST_Mixed")), std::nullopt);

    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString one = temp.filePath(QStringLiteral("one"));
    EXPECT_TRUE(os.MakeFolder(one));
    EXPECT_TRUE(os.MakeFolder(one));                                      // existing is fine
    EXPECT_FALSE(os.MakeFolder(temp.filePath(QStringLiteral("no/two")))); // one level only
    const QString file = temp.filePath(QStringLiteral("f"));
    EXPECT_FALSE(os.MayWriteFile(file)); // neither created nor writable when missing
    EXPECT_FALSE(QFile::exists(file));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_TRUE(os.MayWriteFile(file));
    EXPECT_FALSE(os.MakeFolder(file)); // a file is in the way

    const qint64 before = os.TickMs();
    EXPECT_LE(before, os.TickMs());
    EXPECT_FALSE(os.ExecutableFolder().isEmpty());
}

TEST(SystemPlatform, FindsProgramsAndKeepsOnePrivateTemporaryFolder) {
    Platform& os = Platform::System();
    EXPECT_TRUE(os.FindProgram(QStringLiteral("sh")).endsWith(QStringLiteral("/sh")));
    EXPECT_EQ(os.FindProgram(QStringLiteral("solvista-no-such-program")), QString());
    const QString folder = os.TemporaryFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(os.TemporaryFolder(), folder) << "the same folder for the whole run";
    const QFileInfo info(folder);
    EXPECT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
              QFile::Permissions());
    ASSERT_TRUE(QDir(folder).removeRecursively());
    const QString again = os.TemporaryFolder();
    EXPECT_TRUE(QFileInfo(again).isDir()) << "made anew once removed";
    QDir(again).removeRecursively();
}

TEST(DesktopEntryProgram, TakesTheMainGroupsExecProgram) {
    QTemporaryDir temp;
    const auto entry = [&](const QByteArray& text) {
        const QString path = temp.filePath(QStringLiteral("e.desktop"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return path;
    };
    EXPECT_EQ(DesktopEntryProgram(entry("[Desktop Action new]\nExec=/wrong --new\n"
                                        "[Desktop Entry]\nName=Sheet\n"
                                        "Exec=\"/opt/my sheet/bin/sheet\" --view %U\n")),
              "/opt/my sheet/bin/sheet");
    EXPECT_TRUE(DesktopEntryProgram(entry("[Desktop Entry]\nExec=sh -c true\n"))
                    .endsWith(QStringLiteral("/sh")));
    EXPECT_EQ(DesktopEntryProgram(entry("[Desktop Entry]\nName=No program\n")), QString());
    EXPECT_EQ(DesktopEntryProgram(temp.filePath(QStringLiteral("missing.desktop"))), QString());
}
