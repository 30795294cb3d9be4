#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "output/ScriptedPlatform.h"
#include "output/ChartOutput.h"
#include "output/PrinterChoice.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QSlider>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

WindowSettings WithHeading() {
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.ChartTitle = QStringLiteral("Plant A");
    return settings;
}

class ChildformOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Os.TemporaryAnswer = Dir.filePath(QStringLiteral("tmp"));
        ASSERT_TRUE(QDir().mkpath(Os.TemporaryAnswer));
        Form.SetOutputPlatform(&Os);
        Form.resize(900, 620);
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QString LoadDay() {
        loggen::DayOptions options;
        options.IntervalMinutes = 30;
        const QString path = Dir.filePath(QStringLiteral("20100501.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(QDate(2010, 5, 1), options).Bytes);
        file.close();
        Form.LoadLogFile(path);
        Form.findChild<QCheckBox*>(QStringLiteral("CB_T1"))->setChecked(true);
        return path;
    }
    ChartSurface& Chart() { return *Form.findChild<ChartSurface*>(QStringLiteral("Chart")); }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    ScriptedPlatform Os;
    TChildform Form{nullptr, WithHeading()};
};

// The first page's size in whole points.
QSize PageBox(const QByteArray& pdf) {
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(pdf));
    if (!box.hasMatch())
        return {};
    return {qRound(box.captured(1).toDouble()), qRound(box.captured(2).toDouble())};
}

} // namespace

TEST_F(ChildformOutputTest, SaveProposesTheDayAndAddsTheChosenTypesExtension) {
    LoadDay();
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("picture")));
    Form.SaveChartImage();
    ASSERT_EQ(Prompts.FileDialogs().size(), 1u);
    const ScriptedPrompts::FileDialogCall& asked = Prompts.FileDialogs()[0];
    EXPECT_EQ(asked.ProposedPath, "Chart 2010-05-01.bmp");
    EXPECT_FALSE(asked.Open);
    EXPECT_EQ(asked.Filter, ChartImageFilter());
    EXPECT_EQ(Prompts.PreselectedFilters(), std::vector<int>{0}) << "BMP first";
    const QImage image(Dir.filePath(QStringLiteral("picture.bmp")));
    EXPECT_EQ(image.size(), Chart().size()) << "only the upper chart shows series";
    EXPECT_EQ(Chart().TitleLine(0), "01. May 2010") << "the heading is gone again";

    Prompts.ExpectFile(Dir.filePath(QStringLiteral("picture")), 3);
    Form.SaveChartImage();
    QFile pdf(Dir.filePath(QStringLiteral("picture.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    Prompts.ExpectFile(Dir.filePath(QStringLiteral("picture.txt")), 1);
    EXPECT_THROW(Form.SaveChartImage(), AppError);
    Prompts.ExpectFile(QString());
    Form.SaveChartImage();
    EXPECT_EQ(QDir(Dir.path()).entryList({QStringLiteral("picture*")}).size(), 2);
}

TEST_F(ChildformOutputTest, SaveOffersSizesForTheDrawnTypesAndKeepsTheChoiceForTheRun) {
    LoadDay();
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("big")), 1); // PNG
    Prompts.ExpectChoice(1);
    Form.SaveChartImage();
    ASSERT_EQ(Prompts.OfferedChoices().size(), 1u);
    const SaveDialogChoice& offered = Prompts.OfferedChoices()[0];
    EXPECT_EQ(offered.Label, "Image size:");
    EXPECT_EQ(offered.Entries,
              QStringList({"As on screen", QStringLiteral("1920 \u00D7 1080"),
                           QStringLiteral("3840 \u00D7 2160"), "A4 landscape, 300 dpi"}));
    EXPECT_EQ(offered.Chosen, 0) << "as on screen until another size is chosen";
    EXPECT_EQ(offered.Applies, std::vector<bool>({false, true, true, true})) << "not for BMP";
    EXPECT_EQ(QImage(Dir.filePath(QStringLiteral("big.png"))).size(), QSize(1920, 1080));

    // Offered again as chosen; a bitmap stays the size of the screen.
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("small")), 0);
    Form.SaveChartImage();
    ASSERT_EQ(Prompts.OfferedChoices().size(), 2u);
    EXPECT_EQ(Prompts.OfferedChoices()[1].Chosen, 1);
    EXPECT_EQ(QImage(Dir.filePath(QStringLiteral("small.bmp"))).size(), Chart().size());
    EXPECT_TRUE(Prompts.Exhausted());
}

TEST_F(ChildformOutputTest, PrintShowsAPreviewAndKeepsThePrinterChosenForTheRun) {
    LoadDay();
    PrinterChoice::ForThisRun().Forget();
    const QString pdf = Dir.filePath(QStringLiteral("page.pdf"));
    Prompts.ExpectPrint([&](QPrinter& printer) {
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A5));
    });
    Prompts.ExpectPreview(true);
    Form.PrintCharts();
    ASSERT_EQ(Prompts.Previews().size(), 1u);
    const QByteArray preview = Prompts.Previews()[0];
    EXPECT_TRUE(preview.startsWith("%PDF-"));
    EXPECT_TRUE(preview.contains("/MediaBox [0 0 595"))
        << "the A5 page, landscape: "
        << preview.mid(preview.indexOf("/MediaBox"), 40).toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    // The next print starts with that printer and paper; closing the preview prints nothing.
    ASSERT_TRUE(QFile::remove(pdf));
    Prompts.ExpectPrint([&](QPrinter& printer) {
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(printer.outputFileName(), pdf);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        printer.setPageOrientation(QPageLayout::Portrait);
    });
    Prompts.ExpectPreview(false);
    Form.PrintCharts();
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(Prompts.Previews().size(), 2u);
    EXPECT_EQ(PageBox(Prompts.Previews()[1]), QSize(420, 595)) << "portrait A5";

    Prompts.ExpectPrint({});
    Form.PrintCharts();
    EXPECT_EQ(Prompts.Previews().size(), 2u) << "no preview after a cancelled dialog";
    EXPECT_FALSE(QFile::exists(pdf));
    PrinterChoice::ForThisRun().Forget();
}

TEST_F(ChildformOutputTest, ExportDataWritesTheShownChannelsOfTheSpanInView) {
    LoadDay();
    Form.findChild<QCheckBox*>(QStringLiteral("CB_Flow"))->setChecked(true);
    // The hour span 06:00 to 07:00 of the half-hourly day: three moments.
    auto* span = Form.findChild<QComboBox*>(QStringLiteral("SpanTime"));
    span->setCurrentIndex(0);
    Form.SpanTimeChange(0);
    auto* slider = Form.findChild<QSlider*>(QStringLiteral("SliderTime"));
    slider->setValue(6);
    Form.SliderTimeChange();

    Prompts.ExpectExportChoice(DataExportChoice{false, true});
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("hour")));
    Form.ExportData();
    ASSERT_EQ(Prompts.FileDialogs().size(), 1u);
    EXPECT_EQ(Prompts.FileDialogs()[0].ProposedPath, "Data 2010-05-01.csv");
    QFile hour(Dir.filePath(QStringLiteral("hour.csv")));
    ASSERT_TRUE(hour.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = hour.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4) << "heading and two half hours, 07:00 being outside";
    EXPECT_TRUE(lines[0].startsWith("time,T1 [")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(",Flow [l/min]"));
    EXPECT_TRUE(lines[1].startsWith("2010-05-01T06:00:00,"));
    EXPECT_TRUE(lines[2].startsWith("2010-05-01T06:30:00,"));

    // The options chosen are offered again; the whole day in the log's format.
    Prompts.ExpectExportChoice(DataExportChoice{true, false});
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("day.csv")));
    Form.ExportData();
    ASSERT_EQ(Prompts.OfferedExportChoices().size(), 2u);
    EXPECT_TRUE(Prompts.OfferedExportChoices()[1].International);
    QFile day(Dir.filePath(QStringLiteral("day.csv")));
    ASSERT_TRUE(day.open(QIODevice::ReadOnly));
    const QByteArray bytes = day.readAll();
    EXPECT_TRUE(bytes.startsWith("DATE & TIME;T1["));
    EXPECT_EQ(bytes.count("\r\n"), 1 + 48);

    Prompts.ExpectExportChoice(std::nullopt);
    Form.ExportData();
    EXPECT_EQ(Prompts.FileDialogs().size(), 2u) << "cancelled before the file dialog";
}

TEST_F(ChildformOutputTest, OpenInExcelHandsOverTheDayShown) {
    Form.ActionOpenExcel->trigger();
    EXPECT_TRUE(Os.Launches.empty()) << "an empty window hands over nothing";

    const QString log = LoadDay();
    Os.OnPath = {{"localc", "/usr/bin/localc"}};
    Os.Starting = {"/usr/bin/localc"};
    // No store: the language showing decides, English here, so the comma copy goes over.
    Form.ActionOpenExcel->trigger();
    ASSERT_EQ(Os.Launches.size(), 1u);
    const QString copy = Dir.filePath(QStringLiteral("tmp/20100501c.csv"));
    EXPECT_EQ(Os.Launches[0].Arguments.last(), copy);
    EXPECT_TRUE(QFile::exists(copy));

    SetCurrentTexts(TextArrayId::French);
    Form.ActionOpenExcel->trigger();
    ASSERT_EQ(Os.Launches.size(), 2u);
    const QString bytes = Dir.filePath(QStringLiteral("tmp/") + QFileInfo(log).fileName());
    EXPECT_EQ(Os.Launches[1].Arguments.last(), bytes) << "a copy, never the log itself";
    EXPECT_NE(bytes, log);
    EXPECT_TRUE(QFile::exists(bytes));
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}
