#include "ReferenceFixture.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ledger/Ledger.h"
#include "logdata/ChannelReadings.h"
#include "logdata/ReferenceShift.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "ui/ChartCursor.h"
#include "ui/CompareCommand.h"
#include "ui/ReadoutFormat.h"
#include "ui/ScriptedPrompts.h"
#include "ui/SpanPanel.h"
#include "ui/TChildform.h"
#include "ui/analysis/AnalysisView.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

namespace {

class ReferencePeriodTest : public ReferenceFixture {};

} // namespace

TEST_F(ReferencePeriodTest, AJuneDayLiesOverTheSameDayAYearBeforeLighterAndBeneath) {
    const QDate day(2010, 6, 15);
    WriteDay(day.addYears(-1));
    Form.LoadLogFile(WriteDay(day));
    Tick("CB_T1");
    Tick("CB_R1");
    Reference().Load(ReferenceShift::YearsEarlier(1));
    ASSERT_TRUE(Reference().Active());
    EXPECT_EQ(Reference().Dates(), "15.06.2009");

    const std::vector<const ChartSeries*> upper = Underlaid(Chart());
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_EQ(Underlaid(Chart2()).size(), 1u); // R1's band below
    const ChartSeries& own = Form.Data()->GetDay(0).SeriesAt(ChT1);
    const ChartSeries& before = Reference().Data()->GetDay(0).SeriesAt(ChT1);
    const ChartSeries& laid = *upper.front();
    EXPECT_EQ(laid.Color(), ReferencePeriod::Lighter(own.Color()));
    EXPECT_NE(laid.Color(), own.Color());
    EXPECT_FALSE(laid.ShowInLegend());
    // The reference's own points, a year (365 days) on.
    ASSERT_EQ(laid.Count(), before.Count());
    for (int i = 0; i < laid.Count(); i += 17) {
        EXPECT_DOUBLE_EQ(laid.XValue(i), before.XValue(i) + 365.0) << i;
        EXPECT_EQ(laid.YValue(i), before.YValue(i)) << i;
    }
    // Beneath the period's curves (the layers: ChartSurfaceTest), in the chart's title, and in
    // the dynamic value range.
    EXPECT_TRUE(laid.Underlay());
    EXPECT_EQ(Chart().TitleLine(Chart().TitleCount() - 1), "Lighter: the reference 15.06.2009");
    double highest = -1e9;
    for (int i = 0; i < before.Count(); ++i)
        if (!before.IsNull(i))
            highest = std::max(highest, before.YValue(i));
    EXPECT_GE(Chart().Maximum(ChartAxis::Left), highest);

    // Ticking another channel brings its reference too; unticking takes it away.
    Tick("CB_T2");
    EXPECT_EQ(Underlaid(Chart()).size(), 2u);
    Form.findChild<QCheckBox*>(QStringLiteral("CB_T2"))->setChecked(false);
    EXPECT_EQ(Underlaid(Chart()).size(), 1u);
}

TEST_F(ReferencePeriodTest, TheReadoutGivesBothValuesAndTheirDifference) {
    const QDate day(2010, 6, 15);
    WriteDay(day.addDays(-7));
    Form.LoadLogFile(WriteDay(day));
    Tick("CB_T1");
    Reference().Load(ReferenceShift::DaysEarlier(7));
    ChannelReadings own(*Form.Data());
    ChannelReadings before(*Reference().Data());
    for (const double hour : {9.0, 13.5, 20.0}) {
        const DateTime at = Date(day) + hour / 24.0;
        const double mine = own.ValueAt(ChT1, at).Value;
        const ChannelReadings::Reading then = before.ValueAt(ChT1, at - 7.0);
        ASSERT_TRUE(then.HasValue) << hour;
        const ReferencePeriod::Reading read = Reference().ValueAt(ChT1, at);
        ASSERT_EQ(read.Is, ReferencePeriod::Reading::State::Value);
        EXPECT_EQ(read.Value, then.Value);
        const QStringList lines = ReadoutAt(at);
        ASSERT_GE(lines.size(), 2);
        const double difference = mine - then.Value;
        QString signedDifference = readout::Number(difference, 1);
        if (difference > 0.0 && signedDifference != readout::Number(0.0, 1))
            signedDifference.prepend('+');
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral("(reference %1, difference %2)")
                                          .arg(readout::Number(then.Value, 1), signedDifference)))
            << lines[1].toStdString();
    }
}

TEST_F(ReferencePeriodTest, ADayWithoutAReferenceFileShowsNothingAndSaysSo) {
    // 14 to 16 June against the week before, whose 8 June has no file.
    const QDate first(2010, 6, 14);
    for (const QDate& d : {QDate(2010, 6, 7), QDate(2010, 6, 9)})
        WriteDay(d);
    LoadRange(first, first.addDays(2));
    Tick("CB_T1");
    Reference().Load(ReferenceShift::DaysEarlier(7));
    EXPECT_EQ(Reference().Data()->GetDayCount(), 2u);
    const DateTime noon = Date(QDate(2010, 6, 15)) + 0.5;
    EXPECT_EQ(Reference().ValueAt(ChT1, noon).Is, ReferencePeriod::Reading::State::NoFile);
    const QStringList lines = ReadoutAt(noon);
    EXPECT_TRUE(lines.contains("Reference 08.06.2010: no log file"))
        << lines.join('|').toStdString();
    EXPECT_FALSE(lines[1].contains("reference"));
    // The window shows the first day: its partner is there.
    EXPECT_EQ(Underlaid(Chart()).size(), 1u);
    EXPECT_EQ(Reference().ValueAt(ChT1, Date(first) + 0.5).Is,
              ReferencePeriod::Reading::State::Value);

    // A reference without any file is refused and leaves the one shown.
    try {
        Reference().Load(ReferenceShift::YearsEarlier(3));
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), "No log file of the reference period 14.06.2007\u201316.06.2007 "
                                   "was found.");
    }
    EXPECT_EQ(Reference().Shift(), ReferenceShift::DaysEarlier(7));
}

TEST_F(ReferencePeriodTest, ScrollingAndJumpingMoveTheReferenceWithThePeriod) {
    const QDate first(2010, 6, 14);
    for (int i = 0; i < 3; ++i)
        WriteDay(first.addDays(i).addYears(-1));
    LoadRange(first, first.addDays(2));
    Tick("CB_T1");
    Reference().Load(ReferenceShift::YearsEarlier(1));
    const auto inView = [&] {
        const std::vector<const ChartSeries*> laid = Underlaid(Chart());
        EXPECT_EQ(laid.size(), 1u);
        return laid.empty() ? 0.0 : std::floor(laid.front()->XValue(1));
    };
    EXPECT_EQ(inView(), Date(first));
    Form.ButtonJumpRightClick();
    EXPECT_EQ(inView(), Date(first.addDays(1)));
    // A held scroll button moves the window by steps across midnight.
    for (int i = 0; i < 20; ++i)
        Form.ScrollStep(TChildform::ScrollDirection::Right);
    const std::vector<const ChartSeries*> laid = Underlaid(Chart());
    EXPECT_EQ(laid.size(), 2u) << "both days in view have their reference";
    // The month span shows every day over its partner.
    Form.SpanTimeChange(AnalysisView::MonthItem);
    EXPECT_EQ(Underlaid(Chart()).size(), 3u);
}

TEST_F(ReferencePeriodTest, TheLeapDayHasNoPartnerAYearEarlier) {
    const QDate first(2012, 2, 28);
    for (const QDate& d : {QDate(2011, 2, 28), QDate(2011, 3, 1)})
        WriteDay(d);
    LoadRange(first, first.addDays(2));
    Tick("CB_T1");
    Reference().Load(ReferenceShift::YearsEarlier(1));
    EXPECT_EQ(Reference().Dates(), "28.02.2011\u201301.03.2011");
    const DateTime leapNoon = Date(QDate(2012, 2, 29)) + 0.5;
    EXPECT_EQ(Reference().ValueAt(ChT1, leapNoon).Is, ReferencePeriod::Reading::State::NoPartner);
    EXPECT_TRUE(ReadoutAt(leapNoon).contains("Reference: this day has no partner"));
    // 1 March lies over 1 March, 366 days on.
    EXPECT_EQ(Reference().ValueAt(ChT1, Date(QDate(2012, 3, 1)) + 0.5).Is,
              ReferencePeriod::Reading::State::Value);
    EXPECT_EQ(Underlaid(Chart()).size(), 1u);
    Form.ButtonJumpRightClick(); // 29 February: nothing beneath it
    EXPECT_TRUE(Underlaid(Chart()).empty());
    Form.ButtonJumpRightClick();
    ASSERT_EQ(Underlaid(Chart()).size(), 1u);
    EXPECT_EQ(std::floor(Underlaid(Chart()).front()->XValue(1)), Date(QDate(2012, 3, 1)));
}

TEST_F(ReferencePeriodTest, TheCommandAsksLaysUnderAndTakesAway) {
    const QDate day(2010, 6, 15);
    WriteDay(day.addDays(-1));
    Form.LoadLogFile(WriteDay(day));
    Tick("CB_T1");
    ReferenceChoice choice;
    choice.Which = ReferenceChoice::Kind::DayEarlier;
    Prompts.ExpectReference(choice);
    RunCompareCommand(&Form, Reference(), Form.Data());
    ASSERT_EQ(Prompts.OfferedReferences().size(), 1u);
    EXPECT_FALSE(Prompts.OfferedReferences()[0].CanRemove);
    EXPECT_EQ(Prompts.OfferedReferences()[0].First, QDate(2009, 6, 15));
    EXPECT_EQ(Reference().Dates(), "14.06.2010");
    const int titleLines = Chart().TitleCount();

    choice.Which = ReferenceChoice::Kind::None;
    Prompts.ExpectReference(choice);
    RunCompareCommand(&Form, Reference(), Form.Data());
    EXPECT_TRUE(Prompts.OfferedReferences()[1].CanRemove);
    EXPECT_FALSE(Reference().Active());
    EXPECT_TRUE(Underlaid(Chart()).empty());
    EXPECT_EQ(Chart().TitleCount(), titleLines - 1);

    // Days of one's own: aligned on their first day.
    choice.Which = ReferenceChoice::Kind::Days;
    choice.First = day.addDays(-1);
    choice.Last = day.addDays(-1);
    Prompts.ExpectReference(choice);
    RunCompareCommand(&Form, Reference(), Form.Data());
    EXPECT_EQ(Reference().Shift(), ReferenceShift::DaysEarlier(1));
    // Another analysis in the window takes the reference away.
    Form.LoadLogFile(WriteDay(day.addDays(1)));
    EXPECT_FALSE(Reference().Active());
    EXPECT_TRUE(Underlaid(Chart()).empty());
}

TEST_F(ReferencePeriodTest, ASpansFiguresForBothPeriodsAreTheLedgersForTheSameDays) {
    const QDate first(2010, 6, 14);
    QStringList before;
    for (int i = 0; i < 2; ++i)
        before << WriteDay(first.addDays(i).addYears(-1));
    LoadRange(first, first.addDays(1));
    for (const char* box : {"CB_Flow", "CB_Power", "CB_R1"})
        Tick(box);
    Reference().Load(ReferenceShift::YearsEarlier(1));
    Ledger ledger;
    ASSERT_TRUE(ledger.ReadFiles(before));
    ASSERT_EQ(ledger.Days().size(), 2u);
    Ledger own;
    ASSERT_TRUE(own.ReadFiles({Form.Data()->GetDayFileName(1)}));
    // Whole days: the reference's figures are its days' rows, the period's its own.
    const DateTime second = Date(first.addDays(1));
    for (const auto& [from, to, row] :
         {std::tuple{Date(first), second + 1.0, std::optional<size_t>()},
          std::tuple{second, second + 1.0, std::optional<size_t>(1)}}) {
        double energy = 0.0, volume = 0.0, onHours = 0.0;
        int starts = 0;
        for (size_t d = row.value_or(0); d < (row ? *row + 1 : 2); ++d) {
            energy += ledger.Days()[d].EnergyKWh;
            volume += ledger.Days()[d].VolumeL;
            onHours += ledger.Days()[d].OnHours[0];
            starts += ledger.Days()[d].Starts[0];
        }
        const auto power = Reference().SpanStatistics(ChPower, from, to);
        ASSERT_TRUE(power);
        EXPECT_NEAR(power->Sum, energy, 1e-9 * energy);
        EXPECT_NEAR(Reference().SpanStatistics(ChFlow, from, to)->Sum, volume, 1e-9 * volume);
        const auto pump = Reference().SpanStatistics(ChR1, from, to);
        EXPECT_NEAR(pump->OnHours, onHours, 1e-9);
        EXPECT_EQ(pump->Starts, starts);
    }
    ChannelReadings readings(*Form.Data());
    EXPECT_NEAR(readings.SpanStatistics(ChPower, second, second + 1.0).Sum, own.Days()[0].EnergyKWh,
                1e-9 * own.Days()[0].EnergyKWh);

    // The panel lists both and the difference in %.
    ChartCursor& cursor = *Form.findChild<ChartCursor*>();
    cursor.MarkSpan(second, second + 1.0);
    const QStringList table =
        Form.findChild<SpanPanel*>()->TableText().split('\n', Qt::SkipEmptyParts);
    const QString label = "  Reference 14.06.2009\u201315.06.2009";
    const auto line = [&](const QString& start) {
        for (const QString& l : table)
            if (l.startsWith(start))
                return l.split('\t');
        return QStringList();
    };
    const QStringList energyLines = [&] {
        QStringList found;
        for (const QString& l : table)
            if (l.startsWith(label) || l.startsWith("  Difference in %") || l.startsWith("Thermal"))
                found << l;
        return found;
    }();
    ASSERT_FALSE(line(label).isEmpty()) << table.join('\n').toStdString();
    const double ownEnergy = readings.SpanStatistics(ChPower, second, second + 1.0).Sum;
    const double refEnergy = Reference().SpanStatistics(ChPower, second, second + 1.0)->Sum;
    bool found = false;
    for (const QString& l : table)
        if (l.startsWith("  Difference in %") &&
            l.split('\t').value(7) == readout::Number((ownEnergy - refEnergy) / refEnergy * 100, 1))
            found = true;
    EXPECT_TRUE(found) << energyLines.join('\n').toStdString();
}
