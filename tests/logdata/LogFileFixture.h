#pragma once

#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Writes log files into a temporary folder and reads them the way the data set does.
class LogFileFixture : public ::testing::Test {
protected:
    static constexpr const char* IsoHeading =
        "DATE & TIME;T1[C];T2[C];T3[C];T4[C];T5[C];T6[C];Tds[C];V';P[W];R1;R2;R3;R!";
    static constexpr const char* DayFirstHeading =
        "dd.mm.yy hh:mm;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!";

    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("day.csv")) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Reads a file into a new day; the heading must be accepted.
    std::unique_ptr<TDay> Load(const QByteArray& bytes) {
        LogLines lines;
        const QByteArray heading = Reader.ReadLogLines(Write(bytes), lines);
        EXPECT_TRUE(Reader.CheckHeading(heading, Units));
        auto day = std::make_unique<TDay>(Reader.GetFileDate(lines), &Chart, &Chart2);
        day->ReadLines(&lines, Reader);
        return day;
    }

    static QString MessageOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const AppError& error) {
            return error.Message();
        }
        return QStringLiteral("<no error>");
    }

    QTemporaryDir Dir;
    LogReader Reader;
    ChannelUnits Units;
    MemoryHost Chart;
    MemoryHost Chart2;
};
