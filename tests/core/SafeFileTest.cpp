#include "core/SafeFile.h"

#include "core/FileFailure.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class SafeFileTest : public ::testing::Test {
protected:
    QTemporaryDir Temp;
    QString Target;

    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        SetCurrentTexts(TextArrayId::English);
        Target = Temp.filePath(QStringLiteral("out.dat"));
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QStringList Entries() const { return QDir(Temp.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(SafeFileTest, FullDiskKeepsTheOldFileAndSaysWhy) {
    const QByteArray old(5000, 'o');
    Put(Target, old);
    // Smaller than the toolkit's write buffer: only a checked write sees the disk full.
    const QByteArray fresh(12000, 'n');
    for (const rlim_t free : {rlim_t{0}, rlim_t{8192}}) {
        for (const bool viaDevice : {false, true}) {
            QString reason;
            {
                const FileSizeLimit disk(free);
                ASSERT_TRUE(disk.Active);
                SafeFile file(Target);
                ASSERT_TRUE(file.Open());
                bool written = true;
                // Small pieces as an image writer hands them over; the first short one fails all.
                for (qsizetype at = 0; at < fresh.size(); at += 1000) {
                    const QByteArray piece = fresh.mid(at, 1000);
                    written = (viaDevice ? file.Device().write(piece) == piece.size()
                                         : file.Write(piece)) &&
                              written;
                }
                EXPECT_FALSE(written);
                EXPECT_FALSE(file.Commit());
                reason = file.Reason();
            }
            EXPECT_EQ(reason, Text(TextFileDiskFull)) << free << viaDevice;
            EXPECT_EQ(Read(Target), old) << free << viaDevice;
            EXPECT_EQ(Entries(), QStringList{QStringLiteral("out.dat")}) << free << viaDevice;
        }
    }
    ASSERT_TRUE(SafeFile::WriteAll(Target, fresh));
    EXPECT_EQ(Read(Target), fresh);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("out.dat")});
}

TEST_F(SafeFileTest, RefusesWhatItMayNotReplace) {
    QString reason;
    const QString folder = Temp.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(SafeFile::WriteAll(folder, "x", &reason));
    EXPECT_EQ(reason, Text(TextFileIsFolder));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    EXPECT_FALSE(SafeFile::WriteAll(Temp.filePath(QStringLiteral("none/out.dat")), "x", &reason));
    EXPECT_EQ(reason, Text(TextFileFolderMissing));

    const QString fifo = Temp.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(SafeFile::WriteAll(fifo, "x", &reason));
    EXPECT_EQ(reason, Text(TextFileNotRegular));

    // A rename would replace a read-only file; the program does not.
    Put(Target, "old");
    ASSERT_TRUE(QFile::setPermissions(Target, QFileDevice::ReadOwner));
    if (geteuid() != 0) {
        EXPECT_FALSE(SafeFile::WriteAll(Target, "new", &reason));
        EXPECT_EQ(reason, Text(TextFileAccessDenied));
        EXPECT_EQ(Read(Target), "old");
    }
    SafeFile unopened(Target);
    EXPECT_FALSE(unopened.Commit());
    EXPECT_EQ(Read(Target), "old");
}

TEST(FileFailure, ReadReasonsNameWhatIsInTheWay) {
    SetCurrentTexts(TextArrayId::English);
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    EXPECT_EQ(ReadFailureReason(temp.filePath(QStringLiteral("gone.csv"))),
              QStringLiteral("The file does not exist."));
    EXPECT_EQ(ReadFailureReason(temp.path()), QStringLiteral("This is a folder, not a file."));
    const QString fifo = temp.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ReadFailureReason(fifo), Text(TextFileNotRegular));
    const QString file = temp.filePath(QStringLiteral("day.csv"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_EQ(ReadFailureReason(file), QString());
    EXPECT_EQ(TooLargeReason(qint64{2} << 30),
              QStringLiteral("The file is too large (2.0 GiB); files of 2 GiB or more cannot be "
                             "read."));
    EXPECT_EQ(ReadableSize(1023), QStringLiteral("1023 B"));
    EXPECT_EQ(ReadableSize(1536), QStringLiteral("1.5 KiB"));
    EXPECT_EQ(SystemErrorReason(ENOSPC), QStringLiteral("The disk is full."));
    SetCurrentTexts(TextArrayId::German);
}

TEST(FileFailure, EscapesWhatCouldForgeALine) {
    EXPECT_EQ(EscapeControls(QStringLiteral("x\nerror: forged\r\x1b[2J\tz")),
              QStringLiteral("x\\nerror: forged\\r\\x1b[2J\\tz"));
    EXPECT_EQ(EscapeControls(QString::fromUtf8("a\xc2\x9b"
                                               "b\u202Ec\u2028d\x7f")),
              QStringLiteral("a\\x9bb\\u202ec\\u2028d\\x7f"));
    const QString plain = QString::fromUtf8("Jahr 2010/Mai äöü €.csv C:\\Logs");
    EXPECT_EQ(EscapeControls(plain), plain);
}

} // namespace
