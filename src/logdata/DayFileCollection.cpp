#include "logdata/DayFileCollection.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

const QString CsvExtension = QStringLiteral(".csv");

bool IsDigits(const QString& text, qsizetype count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

QString Digits(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

int WholeDay(DateTime value) { return static_cast<int>(std::floor(value)); }

QString Absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

QString ParentOf(const QString& folder) { return QFileInfo(folder).path(); }
QString NameOf(const QString& folder) { return QFileInfo(folder).fileName(); }

} // namespace

bool DayFileCollection::DateOfName(const QString& name, DateTime& date) {
    // "20090604" reads as 2009-06-04; anything behind the eight digits makes it no date.
    if (name.size() != 8 || !IsDigits(name, 8))
        return false;
    return EncodeDate(name.left(4).toInt(), name.mid(4, 2).toInt(), name.mid(6, 2).toInt(), date);
}

bool DayFileCollection::List(const QString& folder) {
    if (FStopped)
        return false;
    if (FListings.contains(folder))
        return true;
    Listing listing;
    QDirIterator entries(folder, QDir::Files);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (name.size() != 12 || name.right(4).toLower() != CsvExtension)
            continue;
        DateTime date = 0;
        if (!DateOfName(name.left(8), date))
            continue;
        // Where a case-sensitive folder holds both spellings, the lower-case one is the day's.
        const int day = WholeDay(date);
        if (!listing.contains(day) || name.endsWith(CsvExtension))
            listing.insert(day, name);
    }
    FListings.insert(folder, std::move(listing));
    if (FProgress && !FProgress(static_cast<int>(FListings.size())))
        FStopped = true;
    return !FStopped;
}

const DayFileCollection::Listing& DayFileCollection::ListingOf(const QString& folder) {
    if (!FListings.contains(folder)) {
        // A folder first met while the days are walked: its listing counts, a stop request is
        // seen by the caller's next check.
        List(folder);
    }
    return *FListings.constFind(folder);
}

QString DayFileCollection::Find(const QString& folder, int day) {
    const Listing& listing = ListingOf(folder);
    const auto found = listing.constFind(day);
    return found == listing.cend() ? QString() : QDir(folder).filePath(*found);
}

QStringList DayFileCollection::NumberedFolders(const QString& folder, int digits) {
    QStringList folders;
    QDirIterator entries(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        if (IsDigits(entries.fileName(), digits))
            folders << entries.filePath();
    }
    folders.sort();
    return folders;
}

std::vector<int> DayFileCollection::DaysListed(int first, int end) const {
    std::vector<int> days;
    for (const Listing& listing : FListings)
        for (auto it = listing.cbegin(); it != listing.cend(); ++it)
            if (it.key() >= first && it.key() < end)
                days.push_back(it.key());
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

bool DayFileCollection::InRange(const QString& startFolder, DateTime firstDay, int dayCount,
                                std::vector<DayFile>& files, const CollectionProgress& progress) {
    files.clear();
    DayFileCollection collection(progress);
    const QString start = Absolute(startFolder);
    const int first = WholeDay(firstDay);
    const int end = first + std::max(0, dayCount);

    // Every folder the rules below can reach is listed up front, so that only the days that have
    // a file somewhere need the rules: a day without one changes nothing.
    bool going = collection.List(start);
    if (going && IsDigits(NameOf(start), 2)) {
        const QString parent = ParentOf(start);
        for (const QString& month : NumberedFolders(parent, 2))
            if (!(going = collection.List(month)))
                break;
        if (going && IsDigits(NameOf(parent), 4)) {
            for (const QString& year : NumberedFolders(ParentOf(parent), 4)) {
                for (const QString& month : NumberedFolders(year, 2))
                    if (!(going = collection.List(month)))
                        break;
                if (!going)
                    break;
            }
        }
    }
    if (!going)
        return false;

    QString base = start;
    for (const int day : collection.DaysListed(first, end)) {
        const DateParts parts = DecodeDate(day);
        QString found = collection.Find(base, day);
        // Month and year folders only where the folders are named so: in a flat folder such as
        // "Plant01" the last two characters are no month, and "Plant06" is another system's.
        if (found.isEmpty() && IsDigits(NameOf(base), 2)) {
            const QString monthFolder = QDir(ParentOf(base)).filePath(Digits(parts.Month, 2));
            found = collection.Find(monthFolder, day);
            if (!found.isEmpty()) {
                base = monthFolder;
            } else if (IsDigits(NameOf(ParentOf(base)), 4)) {
                const QString yearFolder = QDir(ParentOf(ParentOf(base)))
                                               .filePath(Digits(parts.Year, 4) + QLatin1Char('/') +
                                                         Digits(parts.Month, 2));
                found = collection.Find(yearFolder, day);
                if (!found.isEmpty())
                    base = yearFolder;
            }
        }
        if (collection.FStopped) {
            files.clear();
            return false;
        }
        if (!found.isEmpty())
            files.push_back({day, QDir::toNativeSeparators(found)});
    }
    return true;
}

bool DayFileCollection::InTree(const QString& root, DateTime firstDay, DateTime lastDay,
                               std::vector<DayFile>& files, const CollectionProgress& progress) {
    files.clear();
    DayFileCollection collection(progress);
    const QString top = Absolute(root);
    const int first = WholeDay(firstDay);
    const int end = WholeDay(lastDay) + 1;

    bool going = collection.List(top);
    for (const QString& month : NumberedFolders(top, 2))
        if (!going || !(going = collection.List(month)))
            break;
    for (const QString& year : NumberedFolders(top, 4))
        for (const QString& month : NumberedFolders(year, 2))
            if (!going || !(going = collection.List(month)))
                break;
    if (!going)
        return false;

    for (const int day : collection.DaysListed(first, end)) {
        const DateParts parts = DecodeDate(day);
        const QString monthName = Digits(parts.Month, 2);
        const QString candidates[] = {
            top, QDir(top).filePath(monthName),
            QDir(top).filePath(Digits(parts.Year, 4) + QLatin1Char('/') + monthName)};
        for (const QString& folder : candidates) {
            // Only folders listed above: asking for one that is not there would list it.
            if (!collection.FListings.contains(folder))
                continue;
            const QString found = collection.Find(folder, day);
            if (!found.isEmpty()) {
                files.push_back({day, QDir::toNativeSeparators(found)});
                break;
            }
        }
    }
    return true;
}
