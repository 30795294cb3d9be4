#include "LogGenerator.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ErrorBoundary.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class ChildformLoadingTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentTexts(TextArrayId::English); }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QString Write(const QByteArray& bytes, const QString& name) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString WriteDay(const QDate& date, int interval = 30) {
        loggen::DayOptions options;
        options.IntervalMinutes = interval;
        return Write(loggen::GenerateDay(date, options).Bytes,
                     date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv"));
    }
    template <typename T> T* Find(const char* name) {
        T* found = Form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    ChartSurface& Chart() { return *Find<ChartSurface>("Chart"); }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
};

} // namespace

TEST_F(ChildformLoadingTest, ASingleFileShowsItsWholeFirstDay) {
    const QDate day(2010, 5, 1);
    Form.LoadLogFile(WriteDay(day));
    EXPECT_TRUE(Form.HasData());
    auto* span = Find<QComboBox>("SpanTime");
    ASSERT_EQ(span->count(), 4) << "no month span for one file";
    EXPECT_EQ(span->currentIndex(), 3);
    EXPECT_EQ(span->itemText(0), "1 hour");
    auto* slider = Find<QSlider>("SliderTime");
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), 0);
    EXPECT_DOUBLE_EQ(Chart().Minimum(ChartAxis::Bottom), Date(day));
    EXPECT_DOUBLE_EQ(Chart().Maximum(ChartAxis::Bottom), Date(day) + 1);
    EXPECT_TRUE(Form.windowTitle().startsWith(Text(17))) << Form.windowTitle().toStdString();
    EXPECT_TRUE(Form.windowTitle().endsWith("2010.")) << Form.windowTitle().toStdString();
    EXPECT_TRUE(Form.ActionOpenExcel->isEnabled());

    // Channels come from the data set now; their units name the axes.
    Find<QCheckBox>("CB_T1")->setChecked(true);
    Find<QCheckBox>("CB_Flow")->setChecked(true);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(Chart().ActiveSeriesCount(), 2);
    EXPECT_EQ(Chart().AxisTitle(ChartAxis::Left), QStringLiteral("[°C]"));
    EXPECT_EQ(Chart().AxisTitle(ChartAxis::Right), QStringLiteral("[l/min]"));
    EXPECT_EQ(Chart().Series()[1]->Axis(), ValueAxis::Right);
    Find<QCheckBox>("CB_T1")->setChecked(false);
    EXPECT_EQ(Chart().Series()[0]->Axis(), ValueAxis::Left) << "alone, flow moves left";

    // A second load replaces the analysis and its series.
    Form.LoadLogFile(WriteDay(day.addDays(1)));
    EXPECT_FALSE(Find<QCheckBox>("CB_Flow")->isChecked());
    EXPECT_EQ(Chart().ActiveSeriesCount(), 0);
}

TEST_F(ChildformLoadingTest, AColumnWithoutValuesIsReportedAndItsBoxUnchecked) {
    QByteArray bytes = loggen::GenerateDay(QDate(2010, 5, 1), {}).Bytes;
    // Every T6 field empty: the column is there, its values are not.
    QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QList<QByteArray> fields = lines[i].split(';');
        if (fields.size() > 6)
            fields[6].clear();
        lines[i] = fields.join(';');
    }
    Form.LoadLogFile(Write(lines.join('\n'), QStringLiteral("20100501.csv")));
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    auto* box = Find<QCheckBox>("CB_T6");
    box->click();
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text, QStringLiteral("No data available."));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(Form.HasVisibleSeries());
}

TEST_F(ChildformLoadingTest, AFileThatCannotBeReadLeavesTheWindowEmpty) {
    Form.LoadLogFile(WriteDay(QDate(2010, 5, 1)));
    const QString foreign = Write("just;some;text\r\n1;2;3\r\n", QStringLiteral("other.csv"));
    try {
        Form.LoadLogFile(foreign);
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(),
                  Text(84) + "\n\n" + QDir::toNativeSeparators(foreign) + "\n" + Text(86));
    }
    EXPECT_FALSE(Form.HasData());
    EXPECT_EQ(Form.windowTitle(), "New");
    EXPECT_FALSE(Form.ActionOpenExcel->isEnabled());
}

// One box says that the file failed, which file, and why: no two files fail alike unseen.
TEST_F(ChildformLoadingTest, EveryUnreadableFileIsNamedWithItsReason) {
    const QByteArray heading = loggen::GenerateDay(QDate(2010, 5, 1), {}).Bytes.split('\n').first();
    QByteArray binary(600, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 37 + 11) % 256);
    const struct {
        QByteArray Bytes;
        const char* Name;
        int Reason;
    } cases[] = {{"Name,Street\r\nA,B\r\n", "list.csv", 86},
                 {QByteArray(), "empty.csv", 85},
                 {binary, "picture.csv", 86},
                 {heading + "\n", "heading.csv", 85}};
    for (const auto& c : cases) {
        const QString path = Write(c.Bytes, QString::fromLatin1(c.Name));
        Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
        Guarded([&] { Form.LoadLogFile(path); });
        ASSERT_FALSE(Prompts.AskedPrompts().empty()) << c.Name;
        EXPECT_EQ(Prompts.AskedPrompts().back().Text,
                  Text(84) + "\n\n" + QDir::toNativeSeparators(path) + "\n" + Text(c.Reason))
            << c.Name;
    }
    EXPECT_EQ(Prompts.AskedPrompts().size(), std::size(cases)) << "one box each, no further click";
    // A file the reader cannot even open names itself once, and why.
    const QString missing = Dir.filePath(QStringLiteral("gone.csv"));
    try {
        Form.LoadLogFile(missing);
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), Text(84) + "\n\n" + QDir::toNativeSeparators(missing) + "\n" +
                                       Text(TextFileMissing));
    }
}

TEST_F(ChildformLoadingTest, ARangeLoadsFileByFileAndOffersTheMonth) {
    const QDate first(2010, 4, 30);
    Form.BeginMultiDayLoad(3, WriteDay(first), Date(first), Date(first.addDays(2)));
    Form.AddMultiDayFile(WriteDay(first.addDays(1)));
    Form.AddMultiDayFile(WriteDay(first.addDays(2)));
    Form.FinishMultiDayLoad();
    EXPECT_EQ(Form.windowTitle(), "Analysis from 30.04.2010 to 02.05.2010. (3 files found)");
    auto* span = Find<QComboBox>("SpanTime");
    ASSERT_EQ(span->count(), 5);
    EXPECT_EQ(span->itemText(4), "1 month");
    EXPECT_EQ(span->currentIndex(), 3);
    auto* slider = Find<QSlider>("SliderTime");
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), 2);
    EXPECT_EQ(Form.Data()->GetMonthCount(), 2);

    // Moving to other days swaps the checked channels' series for those of the days in view.
    Find<QCheckBox>("CB_T1")->setChecked(true);
    ASSERT_EQ(Chart().ActiveSeriesCount(), 1);
    const ChartSeries* firstDay = Chart().Series()[0];
    Form.SetTimeWindow(Date(first.addDays(1)) + 0.5, Date(first.addDays(2)) + 0.5);
    ASSERT_EQ(Chart().ActiveSeriesCount(), 2);
    EXPECT_NE(Chart().Series()[0], firstDay);
    Form.SetTimeWindow(Date(first.addDays(1)) + 0.25, Date(first.addDays(2)) + 0.25);
    EXPECT_EQ(Chart().ActiveSeriesCount(), 2) << "the same days stay";

    // The caption is rebuilt in a new language from the stored date texts.
    SetCurrentTexts(TextArrayId::German);
    Form.ApplyTexts();
    EXPECT_EQ(Form.windowTitle(),
              Text(18) + "30.04.2010" + Text(19) + "02.05.2010" + Text(20) + "3" + Text(21));
    EXPECT_EQ(span->itemText(4), Text(29));
    EXPECT_EQ(span->currentIndex(), 3);

    Form.LoadLogFile(WriteDay(first));
    EXPECT_EQ(span->count(), 4) << "a single file has no month span";
}

// Its data set is a single day, which has no month: offering the month span would only fail.
TEST_F(ChildformLoadingTest, ARangeOfOneFileHasAnEnabledSliderAtZeroAndNoMonth) {
    const QDate day(2010, 5, 1);
    Form.BeginMultiDayLoad(1, WriteDay(day), Date(day), Date(day));
    Form.FinishMultiDayLoad();
    auto* slider = Find<QSlider>("SliderTime");
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), 0);
    EXPECT_EQ(Find<QComboBox>("SpanTime")->count(), 4);
}

TEST_F(ChildformLoadingTest, ARangeWithoutAReadableFileEndsInAnErrorNotAStuckWindow) {
    const QDate first(2010, 5, 1);
    const QString empty = Write(QByteArray(), QStringLiteral("20100501.csv"));
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Form.BeginMultiDayLoad(2, empty, Date(first), Date(first.addDays(1)));
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u) << "the first file's error is shown at once";
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text,
              Text(84) + "\n\n" + QDir::toNativeSeparators(empty) + "\n" + Text(85));
    const QString heading =
        Write(loggen::GenerateDay(first, {}).Bytes.split('\n').first(), "20100502.csv");
    try {
        Form.AddMultiDayFile(heading);
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(),
                  Text(84) + "\n\n" + QDir::toNativeSeparators(heading) + "\n" + Text(85));
    }
    try {
        Form.FinishMultiDayLoad();
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), "Illegal State (6).");
    }
    EXPECT_EQ(Find<QSlider>("SliderTime")->maximum(), 0) << "not -1";
    Form.AbortMultiDayLoad();
    EXPECT_FALSE(Form.HasData());
    EXPECT_EQ(Form.windowTitle(), "New");
}
