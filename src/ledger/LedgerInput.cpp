#include "ledger/LedgerInput.h"

#include "core/DateTime.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "logdata/DayFileCollection.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int TextOpenError = 84;
constexpr int TextNoFilesFound = 87;

DateTime DayOf(QDate date, int fallbackYear, int fallbackMonth, int fallbackDay) {
    DateTime day = 0;
    if (date.isValid())
        EncodeDate(date.year(), date.month(), date.day(), day);
    else
        EncodeDate(fallbackYear, fallbackMonth, fallbackDay, day);
    return day;
}

} // namespace

LedgerInput CollectLedgerInput(const QStringList& paths, QDate from, QDate to) {
    LedgerInput input;
    const DateTime first = DayOf(from, 1900, 1, 1);
    const DateTime last = DayOf(to, 9999, 12, 31);
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            std::vector<DayFile> files;
            DayFileCollection::InTree(path, first, last, files);
            for (const DayFile& file : files)
                input.Files << file.Path;
            // A folder given by name (perhaps one named like a day file) must not vanish
            // without a word.
            if (files.empty())
                input.Missing.push_back({path, Text(TextNoFilesFound)});
        } else if (info.isFile()) {
            input.Files << path;
        } else {
            input.Missing.push_back(
                {path, Text(TextOpenError) + QStringLiteral("\n\n") + ReadFailureReason(path)});
        }
    }
    return input;
}
