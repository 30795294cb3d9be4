#include "output/CommaCopy.h"

#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(CommaCopyName, TakesTheDateOfTheFileNameAndNeverAFolder) {
    EXPECT_EQ(CommaCopyName(QStringLiteral("/data/logs/20100501.csv")), "20100501c.csv");
    EXPECT_EQ(CommaCopyName(QStringLiteral("20100501.csv")), "20100501c.csv");
    // Positions cut from the whole path would take "home/u/x" along.
    EXPECT_EQ(CommaCopyName(QStringLiteral("/home/u/x.csv")), "xc.csv");
    EXPECT_EQ(CommaCopyName(QStringLiteral("/logs/plant-a-20100501.csv")), "20100501c.csv");
    EXPECT_EQ(CommaCopyName(QStringLiteral("/logs/.csv")), "c.csv");
    EXPECT_EQ(CommaCopyName(QStringLiteral("/logs/ab")), "c.csv");
}

TEST(CommaCopy, TurnsSemicolonsIntoCommasOnlyAndEndsLinesInCrLf) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("20100501.csv"));
    const QString copy = dir.filePath(QStringLiteral("20100501c.csv"));
    // A Windows-1252 degree sign, a decimal comma, LF and CR LF line ends, a final line without
    // one.
    Write(log, "Datum;T1 [\xB0"
               "C];V'\r\n01.05.10 00:00;57,3;0\n01.05.10 00:01;;1,5\r\nend;x");
    ASSERT_TRUE(WriteCommaCopy(log, copy));
    EXPECT_EQ(Read(copy), "Datum,T1 [\xB0"
                          "C],V'\r\n01.05.10 00:00,57,3,0\r\n"
                          "01.05.10 00:01,,1,5\r\nend,x\r\n");
    EXPECT_EQ(Read(log).count(';'), 7) << "the log file is only read";
}

TEST(CommaCopy, CopiesLinesOfAnyLengthAndReplacesAnEarlierCopy) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("long.csv"));
    const QString copy = dir.filePath(QStringLiteral("longc.csv"));
    Write(copy, QByteArray(5000, 'z'));
    QByteArray longLine;
    for (int i = 0; i < 20000; ++i)
        longLine += "1,5;";
    Write(log, longLine + "\r\nshort;line\r\n");
    ASSERT_TRUE(WriteCommaCopy(log, copy));
    QByteArray expected = longLine;
    expected.replace(';', ',');
    EXPECT_EQ(Read(copy), expected + "\r\nshort,line\r\n");

    Write(log, "second;run\r\n");
    ASSERT_TRUE(WriteCommaCopy(log, copy));
    EXPECT_EQ(Read(copy), "second,run\r\n");
}

TEST(CommaCopy, FailsWithoutALogOrAWritableCopyAndKeepsTheOldCopy) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("c.csv"));
    Write(copy, "old\r\n");
    EXPECT_FALSE(WriteCommaCopy(dir.filePath(QStringLiteral("missing.csv")), copy));
    EXPECT_EQ(Read(copy), "old\r\n");
    const QString log = dir.filePath(QStringLiteral("20100501.csv"));
    Write(log, "a;b\r\n");
    EXPECT_FALSE(WriteCommaCopy(log, dir.filePath(QStringLiteral("no/such/folder/c.csv"))));
    // A folder given as the log file reads as nothing and must not loop.
    EXPECT_FALSE(WriteCommaCopy(dir.path(), copy));
    EXPECT_EQ(Read(copy), "old\r\n");
}

TEST(CommaCopy, AFullDiskFailsBothCopiesSaysWhyAndKeepsTheOldOnes) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("20100501.csv"));
    QByteArray bytes;
    for (int i = 0; i < 400; ++i)
        bytes += "01.05.10 00:00;57,3;0;1,5;0\r\n";
    Write(log, bytes);
    const QString comma = dir.filePath(QStringLiteral("20100501c.csv"));
    const QString exact = dir.filePath(QStringLiteral("copy.csv"));
    Write(comma, "old comma copy");
    Write(exact, "old copy");
    for (const rlim_t free : {rlim_t{0}, rlim_t{4096}}) {
        QString commaReason;
        QString exactReason;
        {
            const FileSizeLimit disk(free);
            ASSERT_TRUE(disk.Active);
            EXPECT_FALSE(WriteCommaCopy(log, comma, &commaReason)) << free;
            EXPECT_FALSE(WriteByteCopy(log, exact, &exactReason)) << free;
        }
        EXPECT_EQ(commaReason, Text(TextFileDiskFull));
        EXPECT_EQ(exactReason, Text(TextFileDiskFull));
        EXPECT_EQ(Read(comma), "old comma copy") << free;
        EXPECT_EQ(Read(exact), "old copy") << free;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left";
    QString reason;
    EXPECT_FALSE(WriteByteCopy(dir.filePath(QStringLiteral("gone.csv")), exact, &reason));
    EXPECT_EQ(reason, Text(TextFileMissing));
    ASSERT_TRUE(WriteByteCopy(log, exact));
    EXPECT_EQ(Read(exact), bytes);
}
