#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "core/LanguageTexts.h"
#include "output/ScriptedPlatform.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QAction>
#include <QCheckBox>
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

} // namespace

TEST_F(ChildformOutputTest, SaveProposesTheDayAndAddsTheExtension) {
    LoadDay();
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("picture")));
    Form.SaveChartImage();
    ASSERT_EQ(Prompts.FileDialogs().size(), 1u);
    const ScriptedPrompts::FileDialogCall& asked = Prompts.FileDialogs()[0];
    EXPECT_EQ(asked.ProposedPath, "Chart 2010-05-01.bmp");
    EXPECT_FALSE(asked.Open);
    EXPECT_EQ(asked.DefaultExtension, "bmp");
    EXPECT_EQ(asked.Filter, "Image files (*.bmp)|*.bmp|All files (*.*)|*");
    const QImage image(Dir.filePath(QStringLiteral("picture.bmp")));
    EXPECT_EQ(image.size(), Chart().size()) << "only the upper chart shows series";
    EXPECT_EQ(Chart().TitleLine(0), "01. May 2010") << "the heading is gone again";

    Prompts.ExpectFile(QString());
    Form.SaveChartImage();
    EXPECT_EQ(QDir(Dir.path()).entryList({QStringLiteral("*.bmp")}).size(), 1);
}

TEST_F(ChildformOutputTest, PrintGoesLandscapeThroughTheDialog) {
    LoadDay();
    const QString pdf = Dir.filePath(QStringLiteral("page.pdf"));
    Prompts.ExpectPrint([&](QPrinter& printer) {
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    });
    Form.PrintCharts();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    Prompts.ExpectPrint({});
    ASSERT_TRUE(QFile::remove(pdf));
    Form.PrintCharts();
    EXPECT_FALSE(QFile::exists(pdf));
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
