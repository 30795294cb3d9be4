#include "chart/PointStore.h"

#include <algorithm>

PointStore::PointStore(int columns) : FColumns(static_cast<size_t>(columns)) {}

void PointStore::Reserve(int rows) {
    const auto n = static_cast<size_t>(rows);
    FTimes.reserve(n);
    for (Column& c : FColumns) {
        if (c.Wide)
            c.Doubles.reserve(n);
        else
            c.Floats.reserve(n);
    }
}

void PointStore::Add(int column, int row, double value) {
    Column& c = FColumns[static_cast<size_t>(column)];
    if (!c.Wide) {
        const auto f = static_cast<float>(value);
        const double back = FromFloat(f);
        // NaN never equals itself; -0.0 comes back as -0.0.
        if (back == value || (std::isnan(back) && std::isnan(value))) {
            NoteRow(c, row);
            c.Floats.push_back(f);
            ++FVersion;
            return;
        }
        c.Doubles.reserve(c.Floats.capacity());
        for (const float kept : c.Floats)
            c.Doubles.push_back(FromFloat(kept));
        FloatValues().swap(c.Floats);
        c.Wide = true;
    }
    AddWide(c, row, value);
}

void PointStore::AddWide(Column& c, int row, double value) {
    NoteRow(c, row);
    c.Doubles.push_back(value);
    ++FVersion;
}

void PointStore::AddRowOf(Column& c, int row) {
    if (c.Rows.empty()) {
        c.Rows.reserve(std::max(FTimes.capacity(), static_cast<size_t>(c.Count()) + 1));
        for (int i = 0; i < c.Count(); ++i)
            c.Rows.push_back(static_cast<std::uint32_t>(i));
    }
    c.Rows.push_back(static_cast<std::uint32_t>(row));
}

std::size_t PointStore::Capacity() const {
    std::size_t bytes = FTimes.capacity() * sizeof(double);
    for (const Column& c : FColumns)
        bytes += c.Floats.capacity() * sizeof(float) + c.Doubles.capacity() * sizeof(double) +
                 c.Rows.capacity() * sizeof(std::uint32_t);
    return bytes;
}
