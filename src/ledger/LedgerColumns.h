#pragma once

#include "ledger/LedgerRow.h"

#include <QString>

#include <functional>
#include <vector>

// One column of the ledger as every output shows it: the key carries the unit ("energy_kwh") for
// CSV and JSON, the name and unit make the heading of a table.
struct LedgerColumn {
    QString Key;
    QString Name; // "Energy", "T1 max", "R1 on"
    // The translated heading: a language text, with "%s" standing for `Channel`.
    int NameText = 0;
    QString Channel;
    QString Unit; // "kWh", "l", "°C", "h", "min" or empty
    int Decimals = 0;
    std::function<double(const LedgerRow&)> Value; // NaN: no value

    // The heading in the current language, without unit.
    QString LocalName() const;
    // The same with the unit in brackets where there is one: "Energy [kWh]".
    QString LocalHeading() const;
};

// The columns in the order they are shown: Energy, Volume, the day counts, recording, then the
// temperatures and outputs channel by channel.
const std::vector<LedgerColumn>& LedgerColumns();
