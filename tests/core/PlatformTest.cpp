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

// Copies handed to other programs live in the folder; none may outlive the run.
TEST(SystemPlatform, TheTemporaryFolderGoesWithThePlatform) {
    auto os = Platform::CreateSystem();
    const QString folder = os->TemporaryFolder();
    ASSERT_FALSE(folder.isEmpty());
    QFile copy(QDir(folder).filePath(QStringLiteral("20100501c.csv")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write("a,b\r\n");
    copy.close();
    os.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

// Documents open through what the GUI installs, so a wrapper in a desktop entry is the desktop's
// business and a failure is reported, not assumed away.
TEST(SystemPlatform, DocumentsOpenThroughTheInstalledOpener) {
    static QStringList opened;
    Platform::SetDocumentOpener([](const QString& target) {
        opened << target;
        return target.endsWith(QStringLiteral(".csv"));
    });
    auto os = Platform::CreateSystem();
    EXPECT_TRUE(os->OpenDocument(QStringLiteral("/tmp/x/20100501.csv")));
    EXPECT_FALSE(os->OpenDocument(QStringLiteral("/tmp/x/other.txt")));
    Platform::SetDocumentOpener(nullptr);
    EXPECT_EQ(opened, (QStringList{"/tmp/x/20100501.csv", "/tmp/x/other.txt"}));
}
