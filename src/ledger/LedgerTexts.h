#pragma once

// The ledger's and the yield window's slots of the language table, one block; a renumbering
// moves `LedgerFirstText` alone.
inline constexpr int LedgerFirstText = 112;
inline constexpr int TextLedgerSameDay = LedgerFirstText + 0; // "... same day was read: %s"
inline constexpr int TextYieldOverview = LedgerFirstText + 1;
inline constexpr int TextYieldChooseFolder = LedgerFirstText + 2;
inline constexpr int TextYieldReading = LedgerFirstText + 3;
inline constexpr int TextYieldExport = LedgerFirstText + 4;
inline constexpr int TextYieldPeriod = LedgerFirstText + 5;
inline constexpr int TextYieldEnergyByMonth = LedgerFirstText + 6;
inline constexpr int TextYieldEnergyByDay = LedgerFirstText + 7;
inline constexpr int TextYieldPassedOver = LedgerFirstText + 8;
inline constexpr int TextYieldCancel = LedgerFirstText + 9;
inline constexpr int TextYieldFolder = LedgerFirstText + 10;
inline constexpr int TextYieldNotWritten = LedgerFirstText + 11;
inline constexpr int TextColumnEnergy = LedgerFirstText + 12;
inline constexpr int TextColumnVolume = LedgerFirstText + 13;
inline constexpr int TextColumnDaysWithData = LedgerFirstText + 14;
inline constexpr int TextColumnDaysWithoutFile = LedgerFirstText + 15;
inline constexpr int TextColumnRecorded = LedgerFirstText + 16;
inline constexpr int TextColumnLongestGap = LedgerFirstText + 17;
inline constexpr int TextColumnMin = LedgerFirstText + 18;    // "%s min"
inline constexpr int TextColumnMax = LedgerFirstText + 19;    // "%s max"
inline constexpr int TextColumnOn = LedgerFirstText + 20;     // "%s on"
inline constexpr int TextColumnStarts = LedgerFirstText + 21; // "%s starts"
inline constexpr int LedgerTextCount = 22;

// Not the ledger's own: the data-structure message of the data set.
inline constexpr int TextLedgerNoMemory = 98;
