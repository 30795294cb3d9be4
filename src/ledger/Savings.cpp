#include "ledger/Savings.h"

#include "ledger/SavingsTexts.h"

#include <cmath>

SavingsBasis SavingsBasis::Of(const PlantProfile& profile) {
    SavingsBasis basis;
    basis.AreaM2 = profile.HasArea() ? profile.AreaM2 : 0.0;
    basis.HasFuel = profile.Fuel != PlantFuel::None && profile.Efficiency > 0.0;
    basis.Efficiency = profile.Efficiency;
    basis.FuelPrice = profile.FuelPrice;
    basis.Co2Factor = profile.Co2Factor;
    return basis;
}

Savings SavingsOf(double energyKWh, const SavingsBasis& basis) {
    Savings s{LedgerRow::None, LedgerRow::None, LedgerRow::None, LedgerRow::None};
    if (std::isnan(energyKWh))
        return s;
    if (basis.AreaM2 > 0.0)
        s.KWhPerM2 = energyKWh / basis.AreaM2;
    if (basis.HasFuel) {
        s.FuelKWh = energyKWh / basis.Efficiency;
        s.Money = s.FuelKWh * basis.FuelPrice;
        s.Co2Kg = s.FuelKWh * basis.Co2Factor;
    }
    return s;
}

std::vector<LedgerColumn> LedgerColumnsWithSavings(const SavingsBasis& basis) {
    std::vector<LedgerColumn> columns = LedgerColumns();
    const std::vector<LedgerColumn> savings = SavingsColumns(basis);
    columns.insert(columns.begin() + 1, savings.begin(), savings.end());
    return columns;
}

std::vector<LedgerColumn> SavingsColumns(const SavingsBasis& basis) {
    std::vector<LedgerColumn> columns;
    if (basis.AreaM2 > 0.0)
        columns.push_back(
            {"kwh_per_m2", "Yield per m2", TextColumnKWhPerM2, "", QStringLiteral("kWh/m\u00B2"), 1,
             [basis](const LedgerRow& r) { return SavingsOf(r.EnergyKWh, basis).KWhPerM2; }});
    if (basis.HasFuel) {
        columns.push_back(
            {"fuel_saved_kwh", "Fuel saved", TextColumnFuelSaved, "", "kWh", 1,
             [basis](const LedgerRow& r) { return SavingsOf(r.EnergyKWh, basis).FuelKWh; }});
        columns.push_back(
            {"money_saved", "Money saved", TextColumnMoneySaved, "", "", 2,
             [basis](const LedgerRow& r) { return SavingsOf(r.EnergyKWh, basis).Money; }});
        columns.push_back(
            {"co2_avoided_kg", "CO2 avoided", TextColumnCo2Avoided, "", "kg", 1,
             [basis](const LedgerRow& r) { return SavingsOf(r.EnergyKWh, basis).Co2Kg; }});
    }
    return columns;
}
