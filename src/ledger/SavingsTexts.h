#pragma once

// The slots of the language table for a yield in the owner's terms (the ledger's columns, the
// fuel in the plant profile), one block; a renumbering moves `TextSavingsFirst` alone.
inline constexpr int TextSavingsFirst = 246;
inline constexpr int TextColumnKWhPerM2 = TextSavingsFirst + 0;
inline constexpr int TextColumnFuelSaved = TextSavingsFirst + 1;
inline constexpr int TextColumnMoneySaved = TextSavingsFirst + 2;
inline constexpr int TextColumnCo2Avoided = TextSavingsFirst + 3;
inline constexpr int TextProfileFuel = TextSavingsFirst + 4;
inline constexpr int TextFuelFirst = TextSavingsFirst + 5; // in PlantFuel order
inline constexpr int TextProfileFuelPrice = TextSavingsFirst + 11;
inline constexpr int TextProfileEfficiency = TextSavingsFirst + 12;
inline constexpr int TextProfileCo2 = TextSavingsFirst + 13;
inline constexpr int TextSavingsHint = TextSavingsFirst + 14;
inline constexpr int TextSavingsCount = 15;
