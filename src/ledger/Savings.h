#pragma once

#include "ledger/LedgerColumns.h"
#include "settings/PlantProfile.h"

#include <vector>

// What a plant's profile says about turning solar energy into the owner's terms. A figure it
// cannot give (no area, no fuel) is left out, never shown as 0.
struct SavingsBasis {
    double AreaM2 = 0.0;     // 0: not known
    bool HasFuel = false;    // a fuel the solar heat saves
    double Efficiency = 1.0; // of the boiler, 1 = 100 %
    double FuelPrice = 0.0;  // per kWh of fuel
    double Co2Factor = 0.0;  // kg per kWh of fuel

    static SavingsBasis Of(const PlantProfile& profile);
    bool HasAny() const { return AreaM2 > 0.0 || HasFuel; }
};

// The figures of an amount of solar energy; NaN where the basis cannot give them.
struct Savings {
    double KWhPerM2; // solar energy / collector area
    double FuelKWh;  // solar energy / efficiency: the fuel not burnt
    double Money;    // fuel saved × price
    double Co2Kg;    // fuel saved × CO2 factor
};
Savings SavingsOf(double energyKWh, const SavingsBasis& basis);

// The ledger's columns for the figures the basis can give, in the order above.
std::vector<LedgerColumn> SavingsColumns(const SavingsBasis& basis);
// The ledger's columns with those of the basis beside the energy they are worked out from.
std::vector<LedgerColumn> LedgerColumnsWithSavings(const SavingsBasis& basis);
