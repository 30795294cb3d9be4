// Writes realistic day files for a first look, for tests by hand and for the benchmarks.
#include "LogGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes generated solar log day files."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Target folder."),
                                 QStringLiteral("folder"), QStringLiteral("."));
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("First day, yyyy-mm-dd."),
                                  QStringLiteral("date"), QStringLiteral("2010-05-01"));
    const QCommandLineOption days(QStringLiteral("days"), QStringLiteral("Number of days."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("flat, month or year-month."),
                                    QStringLiteral("layout"), QStringLiteral("flat"));
    const QCommandLineOption dates(QStringLiteral("dates"),
                                   QStringLiteral("year-first, day-first or day-first-short."),
                                   QStringLiteral("style"), QStringLiteral("year-first"));
    const QCommandLineOption interval(QStringLiteral("interval"),
                                      QStringLiteral("Minutes between lines."),
                                      QStringLiteral("minutes"), QStringLiteral("1"));
    const QCommandLineOption gaps(QStringLiteral("gaps"), QStringLiteral("One gap per day."));
    const QCommandLineOption faults(QStringLiteral("faults"),
                                    QStringLiteral("Some \"Err\" and empty fields."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption plant(
        QStringLiteral("plant"),
        QStringLiteral("Plants a fault: kind@yyyy-mm-ddThh:mm/minutes[/T1..T6|TD]; kinds: stuck, "
                       "err, range, no-flow, missed-yield, stagnation, heat-loss, cycling, "
                       "fault-output, gap. May be given more than once."),
        QStringLiteral("fault"));
    parser.addOptions({out, from, days, layout, dates, interval, gaps, faults, seed, plant});
    parser.process(app);

    const QDate first = QDate::fromString(parser.value(from), Qt::ISODate);
    bool countOk = false;
    const int count = parser.value(days).toInt(&countOk);
    if (!first.isValid() || !countOk || count < 1) {
        std::fprintf(stderr, "genlogs: a valid --from date and --days count are needed\n");
        return 2;
    }
    loggen::FolderLayout folders = loggen::FolderLayout::Flat;
    if (parser.value(layout) == QStringLiteral("month"))
        folders = loggen::FolderLayout::MonthFolders;
    else if (parser.value(layout) == QStringLiteral("year-month"))
        folders = loggen::FolderLayout::YearMonthFolders;
    loggen::DayOptions options;
    if (parser.value(dates) == QStringLiteral("day-first"))
        options.Style = loggen::DateStyle::DayFirst;
    else if (parser.value(dates) == QStringLiteral("day-first-short"))
        options.Style = loggen::DateStyle::DayFirstTwoDigitYear;
    options.IntervalMinutes = parser.value(interval).toInt();
    options.Gap = parser.isSet(gaps);
    if (parser.isSet(faults)) {
        options.FaultChance = 0.002;
        options.EmptyChance = 0.002;
    }
    options.Seed = parser.value(seed).toUInt();
    for (const QString& text : parser.values(plant)) {
        // kind@date-time/minutes[/channel]
        const QStringList parts = text.split(QLatin1Char('/'));
        const qsizetype at = parts.value(0).indexOf(QLatin1Char('@'));
        loggen::PlantedFault fault;
        const QDateTime start = QDateTime::fromString(parts.value(0).mid(at + 1), Qt::ISODate);
        bool minutesOk = false;
        fault.Minutes = parts.value(1).toInt(&minutesOk);
        const QStringList channels = {
            QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"),
            QStringLiteral("T5"), QStringLiteral("T6"), QStringLiteral("TD")};
        if (parts.size() > 2)
            fault.Channel = static_cast<int>(channels.indexOf(parts[2]));
        if (at < 0 || !loggen::FaultFromName(parts[0].left(at), fault.Kind) || !start.isValid() ||
            !minutesOk || fault.Minutes < 1 || fault.Channel < 0 || parts.size() > 3) {
            std::fprintf(stderr, "genlogs: cannot plant \"%s\"\n", qPrintable(text));
            return 2;
        }
        fault.Date = start.date();
        fault.StartMinute = start.time().hour() * 60 + start.time().minute();
        options.Faults.push_back(fault);
    }
    const QStringList written =
        loggen::WriteDays(parser.value(out), first, count, folders, options);
    if (written.isEmpty()) {
        std::fprintf(stderr, "genlogs: could not write below %s\n", qPrintable(parser.value(out)));
        return 1;
    }
    std::printf("%lld files written below %s\n", static_cast<long long>(written.size()),
                qPrintable(parser.value(out)));
    return 0;
}
