#include "YieldFixture.h"

#include "LogGenerator.h"
#include "core/LanguageFormat.h"
#include "ledger/SavingsTexts.h"
#include "ui/TDialogPlantProfile.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

class YieldSavingsTest : public YieldFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        ASSERT_TRUE(Logs.isValid());
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        ASSERT_EQ(loggen::WriteDays(Logs.path(), QDate(2010, 5, 1), 40,
                                    loggen::FolderLayout::YearMonthFolders, options)
                      .size(),
                  40);
    }
    static double YearEnergy(const TYieldWindow& window) {
        return window.Result().Years().front().EnergyKWh;
    }
};

} // namespace

TEST_F(YieldSavingsTest, AreaAndFuelSetInTheDialogShowTheYearsSavingsAndColumns) {
    TMainform form(StoreInTemp());
    TYieldWindow* window = OpenYieldWindow(form);
    ASSERT_NE(window, nullptr);
    // Nothing to work with yet: a hint, and no column of savings.
    EXPECT_EQ(window->LabelSavings->text(), Text(TextSavingsHint));
    EXPECT_EQ(window->Table->headerItem()->text(2), "Volume [l]");

    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDialogPlantProfile*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        dialog->EditCollectorArea->setText("10");
        dialog->ComboFuel->setCurrentIndex(static_cast<int>(PlantFuel::Oil));
        Q_EMIT dialog->ComboFuel->activated(static_cast<int>(PlantFuel::Oil));
        EXPECT_EQ(dialog->EditEfficiency->text(), "85"); // the fuel's defaults
        dialog->EditFuelPrice->setText("0.2");
        dialog->OKBtn->click();
    });
    window->ButtonPlantProfile->click();
    ASSERT_TRUE(shown);

    const double energy = YearEnergy(*window);
    const double fuel = energy / 0.85;
    const QString label = window->LabelSavings->text();
    EXPECT_TRUE(label.startsWith("2010")) << label.toStdString();
    for (const QString& part :
         {QStringLiteral("Yield per m²: ") + LanguageFormat::Number(energy / 10.0, 1) + " kWh/m²",
          QStringLiteral("Fuel saved: ") + LanguageFormat::Number(fuel, 1) + " kWh",
          QStringLiteral("Money saved: ") + LanguageFormat::Number(fuel * 0.2, 2),
          QStringLiteral("CO2 avoided: ") + LanguageFormat::Number(fuel * 0.31, 1) + " kg"})
        EXPECT_TRUE(label.contains(part)) << label.toStdString() << " / " << part.toStdString();
    QTreeWidgetItem* year = window->Table->topLevelItem(0);
    EXPECT_EQ(window->Table->headerItem()->text(2), QString::fromUtf8("Yield per m² [kWh/m²]"));
    EXPECT_EQ(year->text(2), LanguageFormat::Number(energy / 10.0, 1));
    EXPECT_EQ(year->text(4), LanguageFormat::Number(fuel * 0.2, 2));

    const QString csv = Logs.filePath("yield.csv");
    Prompts.ExpectFile(csv);
    window->ButtonExport->click();
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = exported.readAll().split('\n');
    EXPECT_TRUE(lines[0].startsWith(
        "period;energy_kwh;kwh_per_m2;fuel_saved_kwh;money_saved;co2_avoided_kg;volume_l;"))
        << lines[0].toStdString();
    EXPECT_DOUBLE_EQ(lines[1].split(';')[2].toDouble(), lines[1].split(';')[1].toDouble() / 10.0);

    // Kept for the next start of the program.
    const SettingsStore again(Os);
    const PlantProfile kept = again.ProfileFor(Logs.path());
    EXPECT_DOUBLE_EQ(kept.AreaM2, 10.0);
    EXPECT_EQ(kept.Fuel, PlantFuel::Oil);
    EXPECT_DOUBLE_EQ(kept.FuelPrice, 0.2);
    window->close();
}
