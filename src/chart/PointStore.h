#pragma once

#include "chart/SeriesMemory.h"
#include "core/DateTime.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The points of several series read at the same moments, kept compactly: the times once for all
// columns, the values as 32-bit floats, a null point as NaN. A float gives back exactly the
// double it was made from for every number of tenths below 2^23 (the logged shape: one decimal,
// or whole numbers); a column that meets any other number keeps doubles from then on, so what is
// read back is always what was added. A column that skips a row keeps the rows of its points.
class PointStore {
public:
    explicit PointStore(int columns);
    PointStore(const PointStore&) = delete;
    PointStore& operator=(const PointStore&) = delete;

    // Room for `rows` moments with a point in every column.
    void Reserve(int rows);
    // A new moment; returns its row.
    int AddRow(DateTime time) {
        FTimes.push_back(time);
        return static_cast<int>(FTimes.size()) - 1;
    }
    // Adds a point to `column` at `row`, which must lie after the column's last point. The first
    // form is for values known to be a whole number of tenths below 2^23 (see above).
    void AddTenths(int column, int row, double value) {
        Column& c = FColumns[static_cast<size_t>(column)];
        if (c.Wide) {
            AddWide(c, row, value);
            return;
        }
        NoteRow(c, row);
        c.Floats.push_back(static_cast<float>(value));
        ++FVersion;
    }
    void Add(int column, int row, double value);
    void AddNull(int column, int row) { AddTenths(column, row, std::nan("")); }

    int RowCount() const { return static_cast<int>(FTimes.size()); }
    int Count(int column) const { return FColumns[static_cast<size_t>(column)].Count(); }
    DateTime X(int column, int i) const {
        const Column& c = FColumns[static_cast<size_t>(column)];
        return FTimes[c.Rows.empty() ? static_cast<size_t>(i) : c.Rows[static_cast<size_t>(i)]];
    }
    // The row of a column's point `i`, and the moment of a row.
    int Row(int column, int i) const {
        const Column& c = FColumns[static_cast<size_t>(column)];
        return c.Rows.empty() ? i : static_cast<int>(c.Rows[static_cast<size_t>(i)]);
    }
    DateTime RowTime(int row) const { return FTimes[static_cast<size_t>(row)]; }
    double Y(int column, int i) const {
        const Column& c = FColumns[static_cast<size_t>(column)];
        return c.Wide ? c.Doubles[static_cast<size_t>(i)]
                      : FromFloat(c.Floats[static_cast<size_t>(i)]);
    }
    // Grows with every point added.
    unsigned Version() const { return FVersion; }
    // Bytes held, for tests and measurements.
    std::size_t Capacity() const;

    // The double a float of the tenths shape stands for. Adding and taking away 1.5 * 2^52
    // rounds to a whole number as nearbyint does (half to even), without a library call.
    static double FromFloat(float f) {
        constexpr double Round = 6755399441055744.0;
        const double tenths = static_cast<double>(f) * 10.0;
        return std::copysign((tenths + Round) - Round, tenths) / 10.0;
    }

private:
    using FloatValues = std::vector<float, SeriesAllocator<float>>;
    struct Column {
        FloatValues Floats;
        SeriesValues Doubles;            // once Wide
        std::vector<std::uint32_t> Rows; // empty while the column has a point in every row
        bool Wide = false;
        int Count() const { return static_cast<int>(Wide ? Doubles.size() : Floats.size()); }
    };
    void NoteRow(Column& c, int row) {
        // Points so far stood in rows 0, 1, 2, ...: the rows are kept from the first one skipped.
        if (c.Rows.empty() && row == c.Count())
            return;
        AddRowOf(c, row);
    }
    void AddRowOf(Column& c, int row);
    void AddWide(Column& c, int row, double value);

    SeriesValues FTimes;
    std::vector<Column> FColumns;
    unsigned FVersion = 0;
};
