#pragma once

#include "ledger/LedgerRow.h"
#include "settings/PlantProfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

enum class ReportFormat { Text, Csv, Json };

// A day, month or year as the command line names it ("2011-03-15", "2011-03", "2011").
struct ReportPeriod {
    LedgerLevel Level = LedgerLevel::Month;
    QDate First;
    QDate Last;
    bool IsValid() const { return First.isValid() && Last.isValid(); }
};
ReportPeriod ParseReportPeriod(const QString& text);

// What the command line asks for. Parsing never exits: the caller decides what an error means.
struct ReportOptions {
    LedgerLevel By = LedgerLevel::Month;
    bool ByGiven = false;
    ReportFormat Format = ReportFormat::Text;
    QDate From; // null: open
    QDate To;
    QStringList Inputs;  // folders and files
    bool Health = false; // the health check's events instead of the ledger
    // --compare: two periods side by side instead of a period's rows; both valid or neither.
    ReportPeriod Compare[2];
    bool Comparing() const { return Compare[0].IsValid(); }
    int LanguageNumber = 0; // --language: 1..7 as the program numbers them; 0 none given
    // The plant profile's figures for this run, where given.
    std::optional<double> AreaM2;
    std::optional<PlantFuel> Fuel;
    std::optional<double> FuelPrice;
    std::optional<double> Efficiency; // 1 = 100 %
    std::optional<double> Co2Factor;
    bool Help = false;
    bool Version = false;

    // Fills the options from the arguments (without the program name); false with a one-line
    // `error` when they make no sense.
    bool Parse(const QStringList& arguments, QString& error);

    static QString Usage();
    // `profile` with the figures given for the run: another fuel brings its defaults, which the
    // figures given replace.
    PlantProfile Overridden(PlantProfile profile) const;
};

// "2011-03-15", or "2011-03" and "2011" for the first (`end`: the last) day of that month or year.
QDate ParseReportDate(const QString& text, bool end);
