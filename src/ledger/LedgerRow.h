#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <limits>

enum class LedgerLevel { Day, Month, Year };

// T1 to T6 and TD, then R1, R2, R3 and RError: the channels the ledger keeps per period.
inline constexpr int LedgerTemperatureCount = 7;
inline constexpr int LedgerOutputCount = 4;
// The kinds of event the health check finds, in its order: a day row can carry their counts.
inline constexpr int LedgerEventKindCount = 9;

// What the system did in one day, month or year. A day row comes from one file; month and year
// rows add up the day rows of their period.
struct LedgerRow {
    static constexpr double None = std::numeric_limits<double>::quiet_NaN();

    LedgerLevel Level = LedgerLevel::Day;
    // The period's first day: the file's day, the 1st of the month, 1 January.
    QDate Start;
    QString File; // day rows only: the file as it was named

    double EnergyKWh = 0.0;
    double VolumeL = 0.0;
    int RecordedMinutes = 0;        // minutes that hold at least one line
    double LongestGapMinutes = 0.0; // longest time without a line, the day's ends included
    int DaysWithData = 0;           // 1 on a day row
    int DaysWithoutFile = 0;        // calendar days of the period (within the range) not read
    std::array<double, LedgerTemperatureCount> TMin{None, None, None, None, None, None, None};
    std::array<double, LedgerTemperatureCount> TMax{None, None, None, None, None, None, None};
    std::array<double, LedgerOutputCount> OnHours{};
    std::array<int, LedgerOutputCount> Starts{};
    // Events found per kind by the health check; NaN where the days were not checked.
    std::array<double, LedgerEventKindCount> Events{None, None, None, None, None,
                                                    None, None, None, None};

    // "2011", "2011-03" or "2011-03-15".
    QString Period() const;
    // The period's last day.
    QDate End() const;
};
