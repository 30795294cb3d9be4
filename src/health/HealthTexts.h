#pragma once

// The health check's slots of the language table, one block; a renumbering moves
// `TextHealthFirst` alone.
inline constexpr int TextHealthFirst = 142;
inline constexpr int TextHealthTitle = TextHealthFirst;
inline constexpr int TextHealthKindFirst = TextHealthFirst + 1;    // nine kinds, in EventKind order
inline constexpr int TextHealthColumnFirst = TextHealthFirst + 10; // kind, start, end, channels,
                                                                   // value
inline constexpr int TextHealthRoleFirst = TextHealthFirst + 15;   // collector, store, pump, flow
inline constexpr int TextHealthNoChannel = TextHealthFirst + 19;
inline constexpr int TextHealthNoEvents = TextHealthFirst + 20;
inline constexpr int TextHealthCount = 21;
