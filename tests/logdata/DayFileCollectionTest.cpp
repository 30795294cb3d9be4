#include "logdata/DayFileCollection.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

DateTime Date(int year, int month, int day) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(year, month, day, d));
    return d;
}

DateTime Date(const QDate& date) { return Date(date.year(), date.month(), date.day()); }

QString Stem(const QDate& day) { return day.toString(QStringLiteral("yyyyMMdd")); }

void Touch(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

bool IsTwoDigits(const QString& name) {
    return name.size() == 2 && name[0].isDigit() && name[1].isDigit();
}
bool IsFourDigits(const QString& name) {
    return name.size() == 4 &&
           std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

// The rules as a name asked for per calendar day: what the listing must reproduce.
std::vector<QString> PerDay(const QString& startFolder, const QDate& first, int dayCount) {
    const auto exists = [](const QString& folder, const QString& stem) {
        for (const char* ext : {".csv", ".CSV", ".Csv"}) {
            const QString path = QDir(folder).filePath(stem + QLatin1String(ext));
            if (QFileInfo(path).isFile())
                return path;
        }
        return QString();
    };
    std::vector<QString> found;
    QString base = QDir::cleanPath(startFolder);
    for (int i = 0; i < dayCount; ++i) {
        const QDate day = first.addDays(i);
        const QString stem = Stem(day);
        QString path = exists(base, stem);
        if (path.isEmpty() && IsTwoDigits(QFileInfo(base).fileName())) {
            const QString parent = QFileInfo(base).path();
            const QString month = QDir(parent).filePath(day.toString(QStringLiteral("MM")));
            path = exists(month, stem);
            if (!path.isEmpty()) {
                base = month;
            } else if (IsFourDigits(QFileInfo(parent).fileName())) {
                const QString year = QDir(QFileInfo(parent).path())
                                         .filePath(day.toString(QStringLiteral("yyyy/MM")));
                path = exists(year, stem);
                if (!path.isEmpty())
                    base = year;
            }
        }
        if (!path.isEmpty())
            found.push_back(QDir::toNativeSeparators(path));
    }
    return found;
}

std::vector<QString> Paths(const std::vector<DayFile>& files) {
    std::vector<QString> paths;
    for (const DayFile& file : files)
        paths.push_back(file.Path);
    return paths;
}

TEST(DayFileCollectionTest, ListingFindsWhatAskingPerDayFinds) {
    // Random trees mixing the three layouts, gaps, upper-case extensions, misfiled days, other
    // files and folders that look like month folders; the range starts in every kind of folder.
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString root = dir.filePath(QStringLiteral("Logger"));
        const QDate first(2008, 11, 1);
        const int span = 120;
        std::vector<QString> written;
        for (int i = 0; i < span; ++i) {
            const QDate day = first.addDays(i);
            const quint32 kind = random.bounded(10);
            const QString ext = random.bounded(5) == 0 ? QStringLiteral(".CSV") : ".csv";
            QString folder;
            if (kind == 0)
                continue; // a missing day
            if (kind < 4)
                folder = root;
            else if (kind < 6)
                folder = QDir(root).filePath(day.toString(QStringLiteral("MM")));
            else if (kind < 9)
                folder = QDir(root).filePath(day.toString(QStringLiteral("yyyy/MM")));
            else
                folder = QDir(root).filePath(QStringLiteral("2008/07")); // misfiled
            Touch(QDir(folder).filePath(Stem(day) + ext));
            written.push_back(folder);
        }
        Touch(QDir(root).filePath(QStringLiteral("notes.csv")));
        Touch(QDir(root).filePath(QStringLiteral("2008/11/200811015.csv")));
        Touch(QDir(root).filePath(QStringLiteral("13/20081301.csv")));

        const QStringList starts = {root, QDir(root).filePath("11"), QDir(root).filePath("2008/11"),
                                    QDir(root).filePath("2008/07")};
        for (const QString& start : starts) {
            for (const int offset : {0, 17, 45}) {
                const QDate from = first.addDays(offset);
                const int count = span - offset - static_cast<int>(random.bounded(10));
                std::vector<DayFile> files;
                ASSERT_TRUE(DayFileCollection::InRange(start, Date(from), count, files));
                EXPECT_EQ(Paths(files), PerDay(start, from, count))
                    << "seed " << seed << " from " << start.toStdString() << " +" << offset;
                for (size_t i = 1; i < files.size(); ++i)
                    EXPECT_LT(files[i - 1].Day, files[i].Day);
            }
        }
    }
}

TEST(DayFileCollectionTest, TheWidestRangeListsEachFolderOnceAndCanBeStopped) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.filePath(QStringLiteral("Logger"));
    std::vector<QString> expected;
    for (const QDate day : {QDate(2009, 12, 30), QDate(2009, 12, 31), QDate(2010, 1, 1),
                            QDate(2010, 2, 15), QDate(2012, 2, 29)}) {
        const QString path = QDir(root).filePath(day.toString(QStringLiteral("yyyy/MM/")) +
                                                 Stem(day) + QStringLiteral(".csv"));
        Touch(path);
        expected.push_back(QDir::toNativeSeparators(path));
    }
    // 1000-01-01 up to the day before 9999-12-31: three million calendar days.
    const DateTime from = Date(1000, 1, 1);
    const int count = static_cast<int>(Date(9999, 12, 31) - from);
    int listed = 0;
    std::vector<DayFile> files;
    ASSERT_TRUE(DayFileCollection::InRange(QDir(root).filePath("2009/12"), from, count, files,
                                           [&](int folders) {
                                               listed = folders;
                                               return true;
                                           }));
    EXPECT_EQ(Paths(files), expected);
    EXPECT_EQ(files[2].Day, static_cast<int>(Date(2010, 1, 1)));
    // The start folder, three month folders, 2009/01 that the month form asks for in vain, and
    // nothing per calendar day.
    EXPECT_GE(listed, 4);
    EXPECT_LE(listed, 8);

    int calls = 0;
    EXPECT_FALSE(DayFileCollection::InRange(QDir(root).filePath("2009/12"), from, count, files,
                                            [&](int) { return ++calls < 2; }));
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(calls, 2) << "nothing is listed after the stop";
}

TEST(DayFileCollectionTest, ATreeGivesEachDayOnceFromTheFolderItBelongsTo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    Touch(root + "/20100101.csv");
    Touch(root + "/2010/01/20100101.csv"); // the top folder comes first
    Touch(root + "/01/20100102.CSV");
    Touch(root + "/2010/01/20100103.csv");
    Touch(root + "/2010/02/20100104.csv"); // misfiled: not January's folder
    Touch(root + "/2011/01/20100105.csv"); // misfiled: another year
    Touch(root + "/2010/01/20100131.csv");
    Touch(root + "/2010/02/20100201.csv"); // after the range
    Touch(root + "/2009/12/20091231.csv"); // before it
    Touch(root + "/2010/01/2010010.csv");  // no date

    std::vector<DayFile> files;
    ASSERT_TRUE(DayFileCollection::InTree(root, Date(2010, 1, 1), Date(2010, 1, 31), files));
    const auto native = [&](const char* path) {
        return QDir::toNativeSeparators(QDir(root).filePath(QLatin1String(path)));
    };
    EXPECT_EQ(Paths(files), std::vector<QString>({native("20100101.csv"), native("01/20100102.CSV"),
                                                  native("2010/01/20100103.csv"),
                                                  native("2010/01/20100131.csv")}));
    EXPECT_EQ(files.front().Day, static_cast<int>(Date(2010, 1, 1)));
    EXPECT_EQ(files.back().Day, static_cast<int>(Date(2010, 1, 31)));

    EXPECT_FALSE(DayFileCollection::InTree(root, Date(2010, 1, 1), Date(2010, 1, 31), files,
                                           [](int) { return false; }));
    EXPECT_TRUE(files.empty());
}

TEST(DayFileCollectionTest, OnlyEightDigitsOfACalendarDateNameADay) {
    DateTime date = 0;
    EXPECT_TRUE(DayFileCollection::DateOfName("20090604", date));
    EXPECT_EQ(date, Date(2009, 6, 4));
    EXPECT_TRUE(DayFileCollection::DateOfName("20080229", date));
    for (const char* name : {"20090229", "20091304", "20090600", "2009060", "200906041", "2009-6-4",
                             "abcdefgh", "2009 604"})
        EXPECT_FALSE(DayFileCollection::DateOfName(QLatin1String(name), date)) << name;
}

} // namespace
