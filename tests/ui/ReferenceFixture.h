#pragma once

#include "LogGenerator.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/LanguageTexts.h"
#include "ui/ChartCursor.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

inline DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

// An analysis window over day files written into year and month folders, with the reference
// period laid under it.
class ReferenceFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Form.ApplyTexts();
        Form.resize(1000, 700);
        Form.show();
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    // A day file in year and month folders, ten-minute lines.
    QString WriteDay(const QDate& day) {
        loggen::DayOptions options;
        options.IntervalMinutes = 10;
        options.Seed = static_cast<std::uint32_t>(day.toJulianDay());
        return WriteDay(day, options);
    }
    QString WriteDay(const QDate& day, const loggen::DayOptions& options) {
        const QString path =
            loggen::DayFilePath(Dir.path(), day, loggen::FolderLayout::YearMonthFolders);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(day, options).Bytes);
        return path;
    }
    void LoadRange(const QDate& first, const QDate& last) {
        const int days = static_cast<int>(first.daysTo(last)) + 1;
        Form.BeginMultiDayLoad(days, WriteDay(first), Date(first), Date(last));
        for (QDate d = first.addDays(1); d <= last; d = d.addDays(1))
            Form.AddMultiDayFile(WriteDay(d));
        Form.FinishMultiDayLoad();
    }
    void Tick(const char* box) {
        Form.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(true);
    }
    ChartSurface& Chart() { return *Form.findChild<ChartSurface*>(QStringLiteral("Chart")); }
    ChartSurface& Chart2() { return *Form.findChild<ChartSurface*>(QStringLiteral("Chart2")); }
    ReferencePeriod& Reference() { return Form.Reference(); }
    // The reference's series on a chart.
    static std::vector<const ChartSeries*> Underlaid(ChartSurface& chart) {
        std::vector<const ChartSeries*> found;
        for (const ChartSeries* series : chart.Series())
            if (series->Underlay())
                found.push_back(series);
        return found;
    }
    QStringList ReadoutAt(DateTime time) {
        ChartCursor& cursor = *Form.findChild<ChartCursor*>();
        cursor.MoveTo(time);
        return cursor.ReadoutLines();
    }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
};
