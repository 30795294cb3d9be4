#include "core/Platform.h"

#include <QDir>
#include <QFile>
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
