#include "settings/PlantProfile.h"

#include "UserIniFixture.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PlantProfileTest : public UserIniFixture {
protected:
    // A folder below the temporary one, made, in canonical form.
    QString Folder(const QString& relative) const {
        const QString path = Temp.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return plantprofile::CanonicalPath(path);
    }
};

const QByteArray SpecifiedSections =
    "[Main]\r\nLanguage=2\r\nLastUsedDir=/logs/\r\n[Child]\r\nChartTitle=Roof\r\nLineWidth=3\r\n"
    "[Health]\r\nGapMinutes=30\r\n";

TEST_F(PlantProfileTest, RoundTripAddsSectionsAfterTheOthersAndLeavesThemAsTheyWere) {
    WriteIni(SpecifiedSections);
    {
        // A file with only the sections the program always had reads as before: no profiles.
        const SettingsStore store(Os);
        EXPECT_TRUE(store.GetPlantProfiles().empty());
        EXPECT_EQ(store.GetMainSettings().Language, 2);
        EXPECT_EQ(store.GetNewWindowSettings().LineWidth, 3);
        EXPECT_EQ(store.GetHealthValues().value(QStringLiteral("GapMinutes")), "30");
        EXPECT_EQ(store.ProfileFor(Folder(QStringLiteral("data"))), PlantProfile());
    }
    PlantProfile roof;
    roof.Folder = Folder(QStringLiteral("data/roof"));
    roof.Name = QStringLiteral("Roof, south");
    roof.AreaM2 = 12.5;
    roof.Collector = ChT3;
    roof.Store = ChT4;
    roof.Pump = ChR2;
    roof.Flow = -1;
    roof.SetUnused(ChT5, true);
    roof.SetUnused(ChTD, true);
    roof.SetFuel(PlantFuel::Pellets);
    roof.FuelPrice = 0.07;
    roof.Efficiency = 0.8;
    PlantProfile barn;
    barn.Folder = Folder(QStringLiteral("data/barn"));
    {
        SettingsStore store(Os);
        store.SetPlantProfile(roof);
        store.SetPlantProfile(barn);
        roof.Name = QStringLiteral("Roof");
        store.SetPlantProfile(roof); // replaced where it stands, not added again
    }
    const QByteArray written = ReadIni();
    EXPECT_TRUE(written.startsWith(SpecifiedSections));
    EXPECT_EQ(written.mid(SpecifiedSections.size()),
              "[Plant1]\r\nFolder=" + roof.Folder.toUtf8() +
                  "\r\nName=Roof\r\nCollectorArea=12.5\r\nCollector=T3\r\nStore=T4\r\n"
                  "Pump=R2\r\nFlow=none\r\nUnused=T5,TD\r\nFuel=pellets\r\nFuelPrice=0.07\r\n"
                  "EfficiencyPercent=80\r\nCo2KgPerKWh=0.02\r\n"
                  "[Plant2]\r\nFolder=" +
                  barn.Folder.toUtf8() +
                  "\r\nName=\r\nCollectorArea=\r\nCollector=T1\r\nStore=T2\r\nPump=R1\r\n"
                  "Flow=Flow\r\nUnused=\r\nFuel=none\r\nFuelPrice=0\r\nEfficiencyPercent=100\r\n"
                  "Co2KgPerKWh=0\r\n");
    const SettingsStore again(Os);
    ASSERT_EQ(again.GetPlantProfiles().size(), 2U);
    EXPECT_EQ(again.GetPlantProfiles()[0], roof);
    EXPECT_EQ(again.GetPlantProfiles()[1], barn);
    EXPECT_EQ(again.GetMainSettings().Language, 2);
}

TEST_F(PlantProfileTest, ValuesThatMakeNoSenseKeepTheirDefaultsAndNumbersFollowTheHighest) {
    WriteIni("[plant3]\r\nFolder=/x\r\nCollector=R1\r\nStore=t6\r\nPump=T1\r\nFlow=P\r\n"
             "CollectorArea=-4\r\nUnused=T2, bogus ,Flow,TD\r\nFuel=coal\r\n"
             "[Plant7]\r\nFolder=/x/\r\nName=second of the same folder\r\n"
             "[Plant9]\r\nName=no folder\r\n[Plantation]\r\nFolder=/y\r\n"
             "[Plant5]\r\nFolder=/z\r\nCollectorArea=2,5\r\nFlow=NONE\r\nFuel=Oil\r\n"
             "FuelPrice=0,3\r\nEfficiencyPercent=0\r\nCo2KgPerKWh=\r\n");
    SettingsStore store(Os);
    ASSERT_EQ(store.GetPlantProfiles().size(), 2U);
    const PlantProfile& x = store.GetPlantProfiles()[0];
    EXPECT_EQ(x.Folder, "/x");
    EXPECT_EQ(x.Collector, ChT1);
    EXPECT_EQ(x.Store, ChT6);
    EXPECT_EQ(x.Pump, ChR1);
    EXPECT_EQ(x.Flow, ChFlow);
    EXPECT_FALSE(x.HasArea());
    EXPECT_EQ(x.UnusedInputs, (1u << ChT2) | (1u << ChTD));
    EXPECT_EQ(x.Fuel, PlantFuel::None); // a fuel it does not know
    const PlantProfile& z = store.GetPlantProfiles()[1];
    EXPECT_DOUBLE_EQ(z.AreaM2, 2.5);
    EXPECT_EQ(z.Flow, -1);
    // Oil's defaults where a figure is missing or out of range.
    EXPECT_EQ(z.Fuel, PlantFuel::Oil);
    EXPECT_DOUBLE_EQ(z.FuelPrice, 0.3);
    EXPECT_DOUBLE_EQ(z.Efficiency, plantprofile::DefaultsOf(PlantFuel::Oil).Efficiency);
    EXPECT_DOUBLE_EQ(z.Co2Factor, plantprofile::DefaultsOf(PlantFuel::Oil).Co2KgPerKWh);

    PlantProfile fresh;
    fresh.Folder = QStringLiteral("/w");
    store.SetPlantProfile(fresh);
    EXPECT_TRUE(ReadIni().contains("[Plant10]\r\nFolder=/w\r\n"));
    EXPECT_TRUE(ReadIni().startsWith("[plant3]\r\nFolder=/x\r\nCollector=R1\r\n"));
}

TEST_F(PlantProfileTest, TheNearestFolderWithAProfileWalkingUpFromTheFileCounts) {
    PlantProfile top;
    top.Folder = Folder(QStringLiteral("a"));
    top.Name = QStringLiteral("top");
    PlantProfile deep;
    deep.Folder = Folder(QStringLiteral("a/b/c"));
    deep.Name = QStringLiteral("deep");
    const std::vector<PlantProfile> profiles = {top, deep};
    const auto nameFor = [&](const QString& relative) {
        const PlantProfile* found = plantprofile::Nearest(profiles, Temp.filePath(relative));
        return found != nullptr ? found->Name : QStringLiteral("<none>");
    };
    Folder(QStringLiteral("a/b/c/2010/05"));
    Folder(QStringLiteral("a/bc"));
    EXPECT_EQ(nameFor(QStringLiteral("a/b/c/2010/05/20100501.csv")), "deep");
    EXPECT_EQ(nameFor(QStringLiteral("a/b/c")), "deep");
    EXPECT_EQ(nameFor(QStringLiteral("a/b/20100501.csv")), "top");
    EXPECT_EQ(nameFor(QStringLiteral("a/bc/20100501.csv")), "top"); // "a/b" is no prefix of it
    EXPECT_EQ(nameFor(QStringLiteral("20100501.csv")), "<none>");
    // A link to a profiled folder is the folder itself.
    ASSERT_TRUE(
        QFile::link(Temp.filePath(QStringLiteral("a/b/c")), Temp.filePath(QStringLiteral("link"))));
    EXPECT_EQ(nameFor(QStringLiteral("link/20100501.csv")), "deep");
}

TEST_F(PlantProfileTest, TheDataFolderIsAboveTheLoggersMonthAndYearFolders) {
    const QString root = Folder(QStringLiteral("logs"));
    Folder(QStringLiteral("logs/2010/05"));
    Folder(QStringLiteral("logs/06"));
    Folder(QStringLiteral("logs/plant"));
    using plantprofile::DataFolderOf;
    EXPECT_EQ(DataFolderOf(Temp.filePath(QStringLiteral("logs/2010/05/20100501.csv"))), root);
    EXPECT_EQ(DataFolderOf(Temp.filePath(QStringLiteral("logs/06/20100601.csv"))), root);
    EXPECT_EQ(DataFolderOf(Temp.filePath(QStringLiteral("logs/20100601.csv"))), root);
    EXPECT_EQ(DataFolderOf(Temp.filePath(QStringLiteral("logs/2010/05"))), root);
    EXPECT_EQ(DataFolderOf(root), root);
    EXPECT_EQ(DataFolderOf(Temp.filePath(QStringLiteral("logs/plant"))), root + "/plant");
}

} // namespace
