#include "output/DataExport.h"

#include "chart/ChartSeries.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/DatePattern.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "core/SafeFile.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "output/ChartOutput.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// The points of one channel in one day that fall into the span.
struct Part {
    const ChartSeries* Series;
    const TDay* Day;
    int Begin;
    int End;
};

// First index whose time is at or after `x`; a day's points never go back in time.
int LowerBound(const ChartSeries& series, DateTime x) {
    int lo = 0;
    int hi = series.Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (series.XValue(mid) < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// One channel's points across the days, in time order, nulls skipped.
class ChannelCursor {
public:
    explicit ChannelCursor(std::vector<Part> parts) : FParts(std::move(parts)) { Settle(); }
    DateTime Time() const { return FTime; }
    double Value() const { return FParts[FPart].Series->YValue(FIndex); }
    void Advance() {
        ++FIndex;
        Settle();
    }
    const std::vector<Part>& Parts() const { return FParts; }

private:
    void Settle() {
        while (FPart < FParts.size()) {
            const Part& part = FParts[FPart];
            if (FIndex < part.Begin)
                FIndex = part.Begin;
            for (; FIndex < part.End; ++FIndex)
                if (!part.Series->IsNull(FIndex)) {
                    FTime = part.Series->XValue(FIndex);
                    return;
                }
            ++FPart;
            FIndex = 0;
        }
        FTime = Infinity;
    }

    std::vector<Part> FParts;
    size_t FPart = 0;
    int FIndex = 0;
    DateTime FTime = Infinity;
};

// Time stamps: the date part is the same for a day's many lines, so it is made once per day.
class StampWriter {
public:
    explicit StampWriter(ExportFormat format) : FFormat(format) {}
    void Write(QByteArray& out, DateTime time) {
        const long long seconds = std::llround(time * 86400.0);
        long long day = seconds / 86400;
        long long second = seconds % 86400;
        if (second < 0) {
            second += 86400;
            --day;
        }
        if (day != FDay || FDate.isEmpty()) {
            FDay = day;
            FDate = QDate(1899, 12, 30).addDays(day).toString(Qt::ISODate).toLatin1();
            FDate.append(FFormat == ExportFormat::Log ? ' ' : 'T');
        }
        out.append(FDate);
        const int hour = static_cast<int>(second / 3600);
        const int minute = static_cast<int>(second / 60 % 60);
        const int sec = static_cast<int>(second % 60);
        AppendTwo(out, hour);
        out.append(':');
        AppendTwo(out, minute);
        // The log writes minutes; seconds only where a time has them.
        if (FFormat == ExportFormat::International || sec != 0) {
            out.append(':');
            AppendTwo(out, sec);
        }
    }

private:
    static void AppendTwo(QByteArray& out, int value) {
        out.append(static_cast<char>('0' + value / 10));
        out.append(static_cast<char>('0' + value % 10));
    }
    ExportFormat FFormat;
    long long FDay = 0;
    QByteArray FDate;
};

// The shortest text that reads back as the same number, never in exponent form.
void AppendNumber(QByteArray& out, double value, char decimal) {
    std::array<char, 400> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return;
    for (char* c = buffer.data(); c != end; ++c)
        out.append(*c == '.' ? decimal : *c);
}

// "T1 (reference 15.06.2009)": the column of a channel's value in the reference period.
QString ReferenceName(const char* channel, const ExportReference& reference) {
    const QString pattern = QStringLiteral("dd.mm.yyyy");
    QString days = DatePattern::Format(pattern, reference.First);
    if (reference.Last > reference.First)
        days += QLatin1Char('-') + DatePattern::Format(pattern, reference.Last);
    return QLatin1String(channel) + QStringLiteral(" (reference ") + days + QLatin1Char(')');
}

QByteArray Heading(const TAnalysisData& data, const ExportRequest& request,
                   const ExportReference* reference, bool powerInWatts) {
    if (request.Format == ExportFormat::Log) {
        // Every column of the log, so that the program recognises it; units as the log has them.
        const auto unitOf = [&](int channel) {
            const QString unit = data.GetUnit(channel);
            return channel == ChPower && powerInWatts && unit == QStringLiteral("[kW]")
                       ? QStringLiteral("[W]")
                       : unit;
        };
        QString heading = QStringLiteral("DATE & TIME");
        for (int channel = 0; channel < FileChannelCount; ++channel)
            heading += QLatin1Char(';') +
                       QLatin1String(ChannelHeadingNames[static_cast<size_t>(channel)]) +
                       unitOf(channel);
        if (reference != nullptr)
            for (int channel : request.Channels)
                heading +=
                    QLatin1Char(';') +
                    ReferenceName(ChannelHeadingNames[static_cast<size_t>(channel)], *reference) +
                    unitOf(channel);
        // Units are Latin-1 in practice ("°"), where Windows-1252 agrees with it.
        return heading.toLatin1();
    }
    QString heading = QStringLiteral("time");
    const auto column = [&](int channel, const QString& name) {
        heading += QLatin1Char(',') + name;
        const QString unit = data.GetUnit(channel);
        if (!unit.isEmpty())
            heading += QLatin1Char(' ') + unit;
    };
    for (int channel : request.Channels)
        column(channel, QLatin1String(ChannelShortNames[static_cast<size_t>(channel)]));
    if (reference != nullptr)
        for (int channel : request.Channels)
            column(channel,
                   ReferenceName(ChannelShortNames[static_cast<size_t>(channel)], *reference));
    return heading.toUtf8();
}

} // namespace

QString ProposedExportName(bool monthMode, DateTime currentDate) {
    return ProposedFileName(QStringLiteral("Data"), QStringLiteral(".csv"), monthMode, currentDate);
}

DataExport::DataExport(const TAnalysisData& data, ExportRequest request,
                       std::optional<ExportReference> reference)
    : FData(data), FRequest(std::move(request)), FReference(std::move(reference)) {
    std::vector<int>& channels = FRequest.Channels;
    channels.erase(std::remove_if(channels.begin(), channels.end(),
                                  [](int c) { return c < 0 || c >= FileChannelCount; }),
                   channels.end());
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
}

int DataExport::Build() {
    FBytes.clear();
    std::vector<const TDay*> days;
    for (unsigned i = 0; i < FData.GetDayCount(); ++i)
        days.push_back(&FData.GetDay(i));
    std::stable_sort(days.begin(), days.end(),
                     [](const TDay* a, const TDay* b) { return a->StartDate() < b->StartDate(); });

    std::vector<ChannelCursor> cursors;
    bool powerInWatts = false;
    const ExportReference* reference = FReference ? &*FReference : nullptr;
    for (int channel : FRequest.Channels) {
        std::vector<Part> parts;
        for (const TDay* day : days) {
            const ChartSeries& series = day->SeriesAt(channel);
            const int begin = LowerBound(series, FRequest.From);
            const int end = LowerBound(series, FRequest.To);
            if (begin < end)
                parts.push_back({&series, day, begin, end});
        }
        // Watts come back as watts only when every day read them so; the reader turns a file of
        // whole numbers into kilowatts again.
        if (channel == ChPower)
            powerInWatts = FRequest.Format == ExportFormat::Log &&
                           std::none_of(parts.begin(), parts.end(), [](const Part& part) {
                               return part.Day->PowerHasFraction();
                           });
        cursors.emplace_back(std::move(parts));
    }

    const bool log = FRequest.Format == ExportFormat::Log;
    const char separator = log ? ';' : ',';
    const char decimal = log ? ',' : '.';
    FBytes = Heading(FData, FRequest, reference, powerInWatts);
    FBytes.append("\r\n");
    StampWriter stamps(FRequest.Format);
    int lines = 0;
    const auto appendValue = [&](int channel, double value) {
        if (channel == ChPower && log && powerInWatts)
            AppendNumber(FBytes, static_cast<double>(std::llround(value * 1000.0)), decimal);
        else
            AppendNumber(FBytes, value, decimal);
    };
    for (;;) {
        DateTime time = Infinity;
        for (const ChannelCursor& cursor : cursors)
            time = std::min(time, cursor.Time());
        if (time == Infinity)
            break;
        stamps.Write(FBytes, time);
        // The log has a field for every column before the last one with a value.
        qsizetype lastValue = FBytes.size();
        int column = 0;
        for (size_t i = 0; i < cursors.size(); ++i) {
            const int channel = FRequest.Channels[i];
            const int fields = log ? channel - column + 1 : 1;
            column = channel + 1;
            FBytes.append(fields, separator);
            ChannelCursor& cursor = cursors[i];
            if (cursor.Time() != time)
                continue;
            appendValue(channel, cursor.Value());
            lastValue = FBytes.size();
            cursor.Advance();
        }
        if (reference != nullptr) {
            // The log's columns come first, every one of them.
            FBytes.append(log ? FileChannelCount - column : 0, separator);
            for (int channel : FRequest.Channels) {
                FBytes.append(separator);
                if (const std::optional<double> value = reference->ValueAt(channel, time)) {
                    appendValue(channel, *value);
                    lastValue = FBytes.size();
                }
            }
        }
        if (log)
            FBytes.truncate(lastValue);
        FBytes.append("\r\n");
        ++lines;
    }
    return lines;
}

void DataExport::Save(const QString& path) const {
    QString reason;
    if (!SafeFile::WriteAll(path, FBytes, &reason))
        AppError::Raise(FileNotCreatedMessage(path, reason));
}
