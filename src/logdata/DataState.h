#pragma once

// The best kind of field seen for a channel; lower is better and an observation only lowers it.
enum class DataState { Valid = 0, Fault = 1, Empty = 2, Absent = 3 };

inline void LowerState(DataState& state, DataState seen) {
    if (seen < state)
        state = seen;
}
