#include "ReferenceFixture.h"
#include "core/Channels.h"
#include "ledger/LedgerComparison.h"
#include "logdata/ChannelReadings.h"
#include "logdata/ReferenceShift.h"
#include "ui/ReadoutFormat.h"
#include "ui/SpanPanel.h"
#include "ui/WholeViewFigures.h"
#include "ui/analysis/AnalysisView.h"

#include <QLabel>

#include <cmath>

namespace {

class WholeViewFiguresTest : public ReferenceFixture {
protected:
    QLabel& Line() { return *Form.findChild<QLabel*>(QStringLiteral("LabelWholeView")); }
    QString Caption(const char* box) {
        return Form.findChild<QCheckBox*>(QString::fromLatin1(box))->text();
    }
    // The line of the whole view that starts with a channel's caption.
    QString LineOf(const char* box) {
        for (const QString& line : Line().text().split('\n'))
            if (line.startsWith(Caption(box) + QStringLiteral(": ")))
                return line;
        return {};
    }
    // The span panel's cells of a column for a span over [from, to): the channel's own, the
    // reference's and the difference in %.
    QStringList PanelFigures(DateTime from, DateTime to, const char* box, int column) {
        ChartCursor& cursor = *Form.findChild<ChartCursor*>();
        cursor.MarkSpan(from, to);
        const QStringList table =
            Form.findChild<SpanPanel*>()->TableText().split('\n', Qt::SkipEmptyParts);
        EXPECT_TRUE(Line().isHidden()) << "a marked span has the panel's figures alone";
        cursor.ClearSpan();
        for (int i = 0; i + 2 < table.size(); ++i)
            if (table[i].startsWith(Caption(box)))
                return {table[i].split('\t').value(column), table[i + 1].split('\t').value(column),
                        table[i + 2].split('\t').value(column)};
        ADD_FAILURE() << box << " not in\n" << table.join('\n').toStdString();
        return {};
    }
    // What the whole view must say of the figure in `column`, from the span panel's cells.
    QString Expected(const QString& name, const QStringList& cells, const QString& unit = {}) {
        QString percent = cells.value(2);
        if (!percent.startsWith('-') && percent != readout::Number(0.0, 1))
            percent.prepend('+');
        return name + ' ' + cells.value(0) + unit + " (reference " + cells.value(1) + unit +
               ", difference " + percent + " %)";
    }
    void ExpectTheSpanPanelsFigures(const char* where) {
        SCOPED_TRACE(where);
        const DateTime from = Form.View().From();
        const DateTime to = Form.View().To();
        ASSERT_FALSE(Line().isHidden());
        const QString flow = LineOf("CB_Flow");
        const QString power = LineOf("CB_Power");
        const QString pump = LineOf("CB_R1");
        EXPECT_TRUE(flow.contains(Expected("Volume [l]", PanelFigures(from, to, "CB_Flow", 6))))
            << flow.toStdString();
        EXPECT_TRUE(power.contains(Expected("Energy [kWh]", PanelFigures(from, to, "CB_Power", 7))))
            << power.toStdString();
        EXPECT_TRUE(pump.contains(Expected("On-time", PanelFigures(from, to, "CB_R1", 8), " h")))
            << pump.toStdString();
        EXPECT_TRUE(pump.contains(Expected("Starts", PanelFigures(from, to, "CB_R1", 9))))
            << pump.toStdString();
        // The % is the ledger comparison's of the two sums.
        const double own = ChannelReadings(*Form.Data()).SpanStatistics(ChPower, from, to).Sum;
        const auto then = Reference().SpanStatistics(ChPower, from, to);
        ASSERT_TRUE(then);
        EXPECT_TRUE(power.contains(WholeViewFigures::Compared(
            readout::Number(own, 3), readout::Number(then->Sum, 3), PercentChange(then->Sum, own))))
            << power.toStdString();
        EXPECT_TRUE(LineOf("CB_T1").isEmpty()) << "T1 has no sums";
    }
};

} // namespace

TEST_F(WholeViewFiguresTest, TheWholeViewGivesTheFiguresOfASpanOverTheSameTimesAndFollowsTheView) {
    const QDate first(2010, 6, 14);
    for (int i = 0; i < 2; ++i)
        WriteDay(first.addDays(i).addYears(-1));
    LoadRange(first, first.addDays(1));
    for (const char* box : {"CB_T1", "CB_Flow", "CB_Power", "CB_R1"})
        Tick(box);
    EXPECT_TRUE(Line().isHidden()) << "nothing to compare with yet";
    Reference().Load(ReferenceShift::YearsEarlier(1));
    ASSERT_FALSE(Line().isHidden());
    EXPECT_TRUE(Line().text().startsWith("Whole view: 14.06.2010 00:00 \u2013 00:00 (24:00 h), "
                                         "Reference 14.06.2009\u201315.06.2009"))
        << Line().text().toStdString();
    ExpectTheSpanPanelsFigures("the first day");
    const QString firstDay = Line().text();

    // A held scroll button moves the view across midnight; the figures move with it.
    for (int i = 0; i < 12; ++i)
        Form.ScrollStep(TChildform::ScrollDirection::Right);
    ASSERT_GT(Form.View().From(), Date(first));
    EXPECT_NE(Line().text(), firstDay);
    ExpectTheSpanPanelsFigures("scrolled");
    Form.SetTimeWindow(Date(first) + 0.25, Date(first) + 0.75); // as a zoom sets it
    EXPECT_TRUE(Line().text().contains("06:00 \u2013 18:00 (12:00 h)"))
        << Line().text().toStdString();
    ExpectTheSpanPanelsFigures("zoomed");

    // Without a channel that has sums the line says what to tick; without a reference it goes.
    for (const char* box : {"CB_Flow", "CB_Power", "CB_R1"})
        Form.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(false);
    EXPECT_TRUE(Line().text().endsWith(
        "Tick the flow rate, the thermal output or an output to compare their sums with the "
        "reference."))
        << Line().text().toStdString();
    Reference().Clear();
    EXPECT_TRUE(Line().isHidden());
}
