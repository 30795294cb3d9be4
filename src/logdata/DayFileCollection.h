#pragma once

#include "core/DateTime.h"

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

// One daily log file: the day its name gives and where it is.
struct DayFile {
    int Day = 0;  // whole days, as a DateTime's integer part
    QString Path; // absolute, native separators
    bool operator==(const DayFile&) const = default;
};

// Told the number of folders listed so far, after each one; returning false stops the collection.
using CollectionProgress = std::function<bool(int foldersListed)>;

// Finds the daily files "yyyymmdd.csv" (any case of the extension) of a range of days by listing
// each folder that may hold them once, instead of asking for one name per calendar day: a range of
// centuries costs what its folders cost. Layouts: all files in one folder, month folders "MM", or
// year and month folders "YYYY/MM".
class DayFileCollection {
public:
    // The files of the `dayCount` days from `firstDay` on, in day order, as the multi-day analysis
    // finds them from the folder of its first file: a day is looked for in the current folder,
    // then, when that folder's name is two digits, in the month folder "MM" beside it, then, when
    // its parent's name is four digits, in "YYYY/MM" beside the parent; the folder a day was found
    // in becomes the current one. Returns false (and no files) when `progress` stopped it.
    static bool InRange(const QString& startFolder, DateTime firstDay, int dayCount,
                        std::vector<DayFile>& files, const CollectionProgress& progress = {});

    // Every daily file from `firstDay` to `lastDay` (both included) under a folder tree: the
    // folder itself, its month folders "MM" and its year folders' month folders "YYYY/MM". A file
    // in a month folder counts only when its date lies in that month (and that year); where a day
    // has several, the folder itself comes first, then "MM", then "YYYY/MM".
    static bool InTree(const QString& root, DateTime firstDay, DateTime lastDay,
                       std::vector<DayFile>& files, const CollectionProgress& progress = {});

    // The date of a daily file's name without its extension: exactly "yyyymmdd", a calendar date.
    static bool DateOfName(const QString& name, DateTime& date);

private:
    using Listing = QHash<int, QString>; // day -> file name

    explicit DayFileCollection(CollectionProgress progress) : FProgress(std::move(progress)) {}
    // Lists a folder once; false when the progress callback asked to stop.
    bool List(const QString& folder);
    const Listing& ListingOf(const QString& folder);
    QString Find(const QString& folder, int day);
    // Sub-folders whose names are `digits` digits (a folder that cannot be read has none).
    static QStringList NumberedFolders(const QString& folder, int digits);
    std::vector<int> DaysListed(int first, int end) const;

    CollectionProgress FProgress;
    QHash<QString, Listing> FListings;
    bool FStopped = false;
};
