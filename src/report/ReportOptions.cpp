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

// The options that give one of the profile's figures, with their ranges as typed.
struct Figure {
    const char* Name;
    double Min;
    double Max;
    double Scale; // typed / stored
    std::optional<double> ReportOptions::*Target;
};
const Figure Figures[] = {
    {"--area", 0.0, plantprofile::MaxAreaM2, 1.0, &ReportOptions::AreaM2},
    {"--price", 0.0, plantprofile::MaxFuelPrice, 1.0, &ReportOptions::FuelPrice},
    {"--efficiency", plantprofile::MinEfficiency * 100.0, plantprofile::MaxEfficiency * 100.0,
     100.0, &ReportOptions::Efficiency},
    {"--co2", 0.0, plantprofile::MaxCo2Factor, 1.0, &ReportOptions::Co2Factor},
};

const Figure* FigureOption(const QStringList& arguments, int& i, QString& value, bool& missing) {
    for (const Figure& figure : Figures)
        if (TakeValue(arguments, i, QLatin1String(figure.Name), value, missing))
            return &figure;
    return nullptr;
}

// A plain decimal number with a point; no "inf", "nan" or hex that toDouble would take too.
bool ParseFigure(const QString& text, double min, double max, double& number) {
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+")));
    if (!pattern.match(text).hasMatch())
        return false;
    number = text.toDouble();
    return number >= min && number <= max;
}

} // namespace

PlantProfile ReportOptions::Overridden(PlantProfile profile) const {
    if (AreaM2)
        profile.AreaM2 = *AreaM2;
    if (Fuel && *Fuel != profile.Fuel)
        profile.SetFuel(*Fuel);
    if (FuelPrice)
        profile.FuelPrice = *FuelPrice;
    if (Efficiency)
        profile.Efficiency = *Efficiency;
    if (Co2Factor)
        profile.Co2Factor = *Co2Factor;
    return profile;
}

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

ReportPeriod ParseReportPeriod(const QString& text) {
    ReportPeriod period;
    period.First = ParseReportDate(text, false);
    period.Last = ParseReportDate(text, true);
    // The forms differ in length alone: "2011", "2011-03", "2011-03-15".
    period.Level = text.size() == 4   ? LedgerLevel::Year
                   : text.size() == 7 ? LedgerLevel::Month
                                      : LedgerLevel::Day;
    return period;
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
        if (argument == "--compare") {
            for (ReportPeriod& period : Compare) {
                period = ++i < arguments.size() ? ParseReportPeriod(arguments[i]) : ReportPeriod();
                if (!period.IsValid()) {
                    error = QStringLiteral("--compare takes two periods, each YYYY-MM-DD, YYYY-MM "
                                           "or YYYY");
                    return false;
                }
            }
            continue;
        }
        QString value;
        bool missing = false;
        if (TakeValue(arguments, i, QStringLiteral("--by"), value, missing)) {
            ByGiven = true;
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
        } else if (TakeValue(arguments, i, QStringLiteral("--fuel"), value, missing)) {
            PlantFuel fuel = PlantFuel::None;
            if (missing || !plantprofile::FuelFromKey(value, fuel)) {
                error = QStringLiteral("--fuel takes none, gas, oil, electricity, pellets or "
                                       "district-heat");
                return false;
            }
            Fuel = fuel;
        } else if (const Figure* figure = FigureOption(arguments, i, value, missing)) {
            double number = 0.0;
            if (missing || !ParseFigure(value, figure->Min, figure->Max, number)) {
                error = QStringLiteral("%1 takes a number from %2 to %3")
                            .arg(QLatin1String(figure->Name), QString::number(figure->Min),
                                 QString::number(figure->Max));
                return false;
            }
            this->*(figure->Target) = number / figure->Scale;
        } else {
            error = QStringLiteral("unknown option %1").arg(EscapeControls(argument));
            return false;
        }
    }
    if (Help || Version)
        return true;
    if (Comparing() && (From.isValid() || To.isValid())) {
        error = QStringLiteral("--from and --to do not combine with --compare");
        return false;
    }
    // Each period is one row as a whole: rows by day or month within it are not what was asked.
    if (Comparing() && ByGiven) {
        error = QStringLiteral("--by does not combine with --compare");
        return false;
    }
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
        "                       [--compare PERIOD PERIOD]\n"
        "                       [--format text|csv|json] [--health]\n"
        "                       [--language de|en|fr|es|it|pt|us] [--area M2] [--fuel FUEL]\n"
        "                       [--price PRICE] [--efficiency PERCENT] [--co2 KG]\n"
        "                       FOLDER|FILE...\n"
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
        "  --compare PERIOD PERIOD\n"
        "                    two periods side by side, each a day, month or year as --from\n"
        "                    takes them (--compare 2010-06 2011-06): a row for each period as\n"
        "                    a whole, then the difference of the second from the first for\n"
        "                    Energy, Volume, the owner's figures, on-times and starts, as a\n"
        "                    value and in % of the first; with --health the events of both\n"
        "                    periods counted by kind. Not with --from, --to or --by\n"
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
        "  --area M2         the collector area in m2: adds kwh_per_m2 (0: left out)\n"
        "  --fuel FUEL       the fuel the solar heat saves: none, gas, oil, electricity,\n"
        "                    pellets or district-heat, with its default price, efficiency\n"
        "                    and CO2 factor; adds fuel_saved_kwh (energy / efficiency),\n"
        "                    money_saved (fuel saved x price) and co2_avoided_kg (fuel\n"
        "                    saved x CO2 factor)\n"
        "  --price PRICE     the price of a kWh of fuel, in the currency of money_saved\n"
        "  --efficiency PERCENT  the boiler's efficiency in %\n"
        "  --co2 KG          kg of CO2 per kWh of fuel burnt\n"
        "                    Without them, the plant profile of the files' folder gives\n"
        "                    these figures; a figure it does not give is left out.\n"
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
