// The Volume, Energy and output on-time of a span, summed from the series by the rules of the day's
// own sums.
#include "logdata/ChannelReadings.h"

#include "chart/ChartSeries.h"
#include "core/Channels.h"
#include "logdata/DaySums.h"
#include "logdata/TDay.h"

#include <algorithm>
#include <array>

namespace {

// Walks the time stamps of a day's lines in order, as far as any channel kept a value of them.
// A line without a Flow (Power) value still moves the start of the next rectangle on.
class LineTimes {
public:
    explicit LineTimes(const TDay& day) {
        for (int c = 0; c < FileChannelCount; ++c)
            FSeries[static_cast<size_t>(c)] = &day.SeriesAt(c);
    }
    // The latest line before `time`, 0 when there is none. Calls come in time order.
    DateTime LastBefore(DateTime time) {
        DateTime last = 0.0;
        for (size_t c = 0; c < FSeries.size(); ++c) {
            const ChartSeries& s = *FSeries[c];
            int& i = FNext[c];
            while (i < s.Count() && s.XValue(i) < time)
                ++i;
            if (i > 0)
                last = std::max(last, s.XValue(i - 1));
        }
        return last;
    }
    DateTime LastLine() const {
        DateTime last = 0.0;
        for (const ChartSeries* s : FSeries)
            if (s->Count() > 0)
                last = std::max(last, s->XValue(s->Count() - 1));
        return last;
    }

private:
    std::array<const ChartSeries*, FileChannelCount> FSeries{};
    std::array<int, FileChannelCount> FNext{};
};

} // namespace

double ChannelReadings::DayLineSum(const TDay& day, int channel, DateTime from, DateTime to,
                                   double perDay, bool onOff) {
    // Each rectangle runs from the line before a value to the value's line and has the height of
    // the value before; clipping both ends to the span leaves the rule itself untouched.
    const auto clip = [&](DateTime t) { return std::clamp(t, from, to); };
    LeftRectangleSum sum(perDay);
    LineTimes lines(day);
    const ChartSeries& series = day.SeriesAt(channel);
    for (int i = 0; i < series.Count(); ++i) {
        if (series.IsNull(i))
            continue;
        const DateTime time = series.XValue(i);
        const DateTime since = lines.LastBefore(time);
        // Two lines of the same moment: the second adds nothing.
        const DateTime own = i > 0 && !series.IsNull(i - 1) ? series.XValue(i - 1) : 0.0;
        const DateTime start = std::max(since, own);
        // An output's on-time sums its state, on at any level above zero.
        const double value = onOff ? (series.YValue(i) > 0.0 ? 1.0 : 0.0) : series.YValue(i);
        if (start == 0.0)
            sum.Add(0.0, time, value); // the day's first line only starts the sum
        else
            sum.Add(clip(start), clip(time), value);
    }
    const DateTime last = lines.LastLine();
    const double carry = DaySums::CarryDays(last, day.StartDate());
    sum.Carry(std::max(0.0, clip(last + carry) - clip(last)));
    return sum.Sum();
}
