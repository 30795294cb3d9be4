#pragma once

#include "ledger/LedgerRow.h"

#include <QDate>
#include <QString>
#include <QStringList>

enum class ReportFormat { Text, Csv, Json };

// What the command line asks for. Parsing never exits: the caller decides what an error means.
struct ReportOptions {
    LedgerLevel By = LedgerLevel::Month;
    ReportFormat Format = ReportFormat::Text;
    QDate From; // null: open
    QDate To;
    QStringList Inputs;     // folders and files
    bool Health = false;    // the health check's events instead of the ledger
    int LanguageNumber = 0; // --language: 1..7 as the program numbers them; 0 none given
    bool Help = false;
    bool Version = false;

    // Fills the options from the arguments (without the program name); false with a one-line
    // `error` when they make no sense.
    bool Parse(const QStringList& arguments, QString& error);

    static QString Usage();
};

// "2011-03-15", or "2011-03" and "2011" for the first (`end`: the last) day of that month or year.
QDate ParseReportDate(const QString& text, bool end);
