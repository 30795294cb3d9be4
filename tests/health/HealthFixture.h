#pragma once

#include "chart/SeriesHost.h"
#include "core/Channels.h"
#include "core/DateTime.h"
#include "health/HealthCheck.h"
#include "logdata/TAnalysisData.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

// A day of one-minute lines of a quiet plant (pump off, nothing flows, every temperature moving a
// little), on which a test sets fields over spans of minutes.
class TestDay {
public:
    explicit TestDay(int day = 1) : Day(day) {
        for (int minute = 0; minute < 1440; ++minute) {
            auto& fields = Fields[minute];
            for (int c = ChT1; c <= ChTD; ++c)
                fields[static_cast<size_t>(c)] = Number(20.0 + 5.0 * c + 0.1 * ((minute + c) % 7));
            for (int c = ChFlow; c <= ChRError; ++c)
                fields[static_cast<size_t>(c)] = "0";
        }
    }
    // Minutes [from, to) of `channel` read `text`.
    TestDay& Set(int channel, int from, int to, const QByteArray& text) {
        for (int m = from; m < to; ++m)
            if (Fields.count(m) != 0)
                Fields[m][static_cast<size_t>(channel)] = text;
        return *this;
    }
    TestDay& Set(int channel, int from, int to, double value) {
        return Set(channel, from, to, Number(value));
    }
    // Minutes [from, to) of `channel` read what `value` gives for the minute.
    TestDay& Set(int channel, int from, int to, const std::function<double(int)>& value) {
        for (int m = from; m < to; ++m)
            if (Fields.count(m) != 0)
                Fields[m][static_cast<size_t>(channel)] = Number(value(m));
        return *this;
    }
    TestDay& Drop(int from, int to) {
        for (int m = from; m < to; ++m)
            Fields.erase(m);
        return *this;
    }
    QByteArray Bytes() const {
        QByteArray out = "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n";
        for (const auto& [minute, fields] : Fields) {
            out += QStringLiteral("2010-05-%1 %2:%3")
                       .arg(Day, 2, 10, QLatin1Char('0'))
                       .arg(minute / 60, 2, 10, QLatin1Char('0'))
                       .arg(minute % 60, 2, 10, QLatin1Char('0'))
                       .toLatin1();
            for (const QByteArray& field : fields)
                out += ';' + field;
            out += "\r\n";
        }
        return out;
    }
    static QByteArray Number(double value) {
        return QByteArray::number(value, 'f', 1).replace('.', ',');
    }

    int Day;
    std::map<int, std::array<QByteArray, FileChannelCount>> Fields;
};

class HealthFixture : public ::testing::Test {
protected:
    // The events of one day file, read as an analysis window reads it.
    std::vector<HealthEvent> Check(const TestDay& day, const ChannelRoles& roles = {},
                                   const HealthThresholds& limits = {}) {
        Data = std::make_unique<TAnalysisData>();
        Data->LoadFile(Write(day), &Chart, &Chart2);
        return CheckAnalysis(*Data, roles, limits);
    }
    QString Write(const TestDay& day) {
        const QString path =
            Dir.filePath(QStringLiteral("201005%1.csv").arg(day.Day, 2, 10, QLatin1Char('0')));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(day.Bytes());
        return path;
    }
    static DateTime At(int day, int minute) {
        DateTime date = 0;
        EncodeDate(2010, 5, day, date);
        return date + minute / MinutesPerDay;
    }
    static std::vector<HealthEvent> OfKind(const std::vector<HealthEvent>& events, EventKind kind) {
        std::vector<HealthEvent> result;
        for (const HealthEvent& event : events)
            if (event.Kind == kind)
                result.push_back(event);
        return result;
    }

    QTemporaryDir Dir;
    MemoryHost Chart;
    MemoryHost Chart2;
    std::unique_ptr<TAnalysisData> Data;
};

// The same events; figures may differ in the last digits of a reading kept as a float.
inline void ExpectSameEvents(const std::vector<HealthEvent>& a, const std::vector<HealthEvent>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Kind, b[i].Kind) << i;
        EXPECT_NEAR(a[i].Start, b[i].Start, 0.5 / 86400.0) << i;
        EXPECT_NEAR(a[i].End, b[i].End, 0.5 / 86400.0) << i;
        EXPECT_EQ(a[i].Channels, b[i].Channels) << i;
        EXPECT_NEAR(a[i].Value, b[i].Value, 1e-3 * std::max(1.0, std::abs(b[i].Value))) << i;
    }
}

// Start and end to the second.
#define EXPECT_SPAN(event, start, end)                                                             \
    do {                                                                                           \
        EXPECT_NEAR((event).Start, (start), 0.5 / 86400.0);                                        \
        EXPECT_NEAR((event).End, (end), 0.5 / 86400.0);                                            \
    } while (false)
