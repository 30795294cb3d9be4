#include "report/ReportOptions.h"

#include "core/FileFailure.h"
#include "core/LanguageTexts.h"

#include <QRegularExpression>

namespace {

// Options that take a value: "--by month" and "--by=month" alike.
bool TakeValue(const QStringList& arguments, int& i, const QString& name, QString& value,
               bool& missing) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + QLatin1Char('='))) {
        value = argument.mid(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    if (i + 1 >= arguments.size()) {
        missing = true;
        return true;
    }
    value = arguments[++i];
    return true;
}

} // namespace

QDate ParseReportDate(const QString& text, bool end) {
    // ASCII digits to the very end: "$" would let a final line break through, "\d" other
    // scripts' digits.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("([0-9]{4})(?:-([0-9]{2})(?:-([0-9]{2}))?)?")));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int year = match.captured(1).toInt();
    if (match.captured(2).isEmpty())
        return end ? QDate(year, 12, 31) : QDate(year, 1, 1);
    const int month = match.captured(2).toInt();
    if (month < 1 || month > 12)
        return {};
    const QDate first(year, month, 1);
    if (match.captured(3).isEmpty())
        return end ? first.addMonths(1).addDays(-1) : first;
    return QDate(year, month, match.captured(3).toInt()); // null when no such day
}

bool ReportOptions::Parse(const QStringList& arguments, QString& error) {
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == "-") {
            Inputs << argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            Help = true;
            continue;
        }
        if (argument == "--version") {
            Version = true;
            continue;
        }
        if (argument == "--health") {
            Health = true;
            continue;
        }
        QString value;
        bool missing = false;
        if (TakeValue(arguments, i, QStringLiteral("--by"), value, missing)) {
            if (missing || (value != "day" && value != "month" && value != "year")) {
                error = QStringLiteral("--by takes day, month or year");
                return false;
            }
            By = value == "day"     ? LedgerLevel::Day
                 : value == "month" ? LedgerLevel::Month
                                    : LedgerLevel::Year;
        } else if (TakeValue(arguments, i, QStringLiteral("--format"), value, missing)) {
            if (missing || (value != "text" && value != "csv" && value != "json")) {
                error = QStringLiteral("--format takes text, csv or json");
                return false;
            }
            Format = value == "text"  ? ReportFormat::Text
                     : value == "csv" ? ReportFormat::Csv
                                      : ReportFormat::Json;
        } else if (TakeValue(arguments, i, QStringLiteral("--from"), value, missing) ||
                   TakeValue(arguments, i, QStringLiteral("--to"), value, missing)) {
            const bool to = argument.startsWith(QStringLiteral("--to"));
            const QDate date = missing ? QDate() : ParseReportDate(value, to);
            if (!date.isValid()) {
                error = QStringLiteral("%1 takes a date YYYY-MM-DD, YYYY-MM or YYYY")
                            .arg(to ? QStringLiteral("--to") : QStringLiteral("--from"));
                return false;
            }
            (to ? To : From) = date;
        } else if (TakeValue(arguments, i, QStringLiteral("--language"), value, missing)) {
            LanguageNumber = missing ? 0 : LanguageNumberOfCode(value);
            if (LanguageNumber == 0) {
                error = QStringLiteral("--language takes de, en, fr, es, it, pt or us");
                return false;
            }
        } else {
            error = QStringLiteral("unknown option %1").arg(EscapeControls(argument));
            return false;
        }
    }
    if (Help || Version)
        return true;
    if (From.isValid() && To.isValid() && To < From) {
        error = QStringLiteral("--to lies before --from");
        return false;
    }
    if (Inputs.isEmpty()) {
        error = QStringLiteral("no folder or file given");
        return false;
    }
    return true;
}

QString ReportOptions::Usage() {
    return QStringLiteral(
        "Usage: solvista-report [--by day|month|year] [--from DATE] [--to DATE]\n"
        "                       [--format text|csv|json] [--health]\n"
        "                       [--language de|en|fr|es|it|pt|us] FOLDER|FILE...\n"
        "\n"
        "Prints what a solar-thermal system produced: Energy and Volume, on-times and starts of\n"
        "the outputs, the extremes of the temperatures, by day, month (default) or year.\n"
        "\n"
        "  FOLDER            a folder of day files yyyymmdd.csv, flat or in month folders MM\n"
        "                    or year and month folders YYYY/MM\n"
        "  FILE              a day file\n"
        "  --by PERIOD       day, month or year (default month)\n"
        "  --from DATE       the first day: YYYY-MM-DD, or YYYY-MM and YYYY for its first day\n"
        "  --to DATE         the last day: YYYY-MM-DD, or YYYY-MM and YYYY for its last day\n"
        "  --format FORMAT   text (an aligned table in the program's language: its headings,\n"
        "                    and a decimal comma except in English), csv (semicolons, a\n"
        "                    heading line, decimal point) or json\n"
        "  --health          the events of the health check instead: what went wrong in the\n"
        "                    plant (kind, start, end, channels, figure); JSON gives an array\n"
        "                    of objects with kind, start and end (ISO date-times), channels\n"
        "                    and value\n"
        "  --language LANG   the language of the table and of the reasons for passed-over\n"
        "                    files: de, en, fr, es, it, pt or us. Without it, the language\n"
        "                    chosen in Solvista (stored in its settings file), English when\n"
        "                    none was chosen yet\n"
        "  --help            this text\n"
        "  --version         the program's version\n"
        "\n"
        "Files that are no log files or hold no values are listed on standard error with the\n"
        "reason and passed over. A day's date is the one its data gives it. Missing days are\n"
        "calendar days of the range (or from the first to the last day read) without a file.\n"
        "The health check judges the plant by the profile Solvista keeps for the files' data\n"
        "folder (or a folder above it): which channel is collector, store, pump and flow meter,\n"
        "and which inputs have no sensor. Files under different profiles are not reported\n"
        "together.\n"
        "Exit status: 0 when files were read, 1 when none could be read, 2 on a usage error\n"
        "or files under different plant profiles.\n");
}
