#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerRow.h"
#include "ledger/Savings.h"
#include "report/ReportRun.h"
#include "settings/PlantProfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A year of days and the user's settings in folders of the test's own.
class SavingsReportTest : public ::testing::Test {
protected:
    SavingsReportTest() : OldConfig(qgetenv("XDG_CONFIG_HOME")) {
        SetCurrentTexts(TextArrayId::English);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
    }
    ~SavingsReportTest() override {
        SetCurrentTexts(TextArrayId::German);
        if (OldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", OldConfig);
    }
    static void SetUpTestSuite() {
        Year = new QTemporaryDir;
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        ASSERT_EQ(loggen::WriteDays(Year->path(), QDate(2010, 1, 1), 365,
                                    loggen::FolderLayout::YearMonthFolders, options)
                      .size(),
                  365);
    }
    static void TearDownTestSuite() {
        delete Year;
        Year = nullptr;
    }
    void WriteProfile(const QString& keys) {
        ASSERT_TRUE(QDir().mkpath(Config.filePath(QStringLiteral("Tarvex"))));
        QFile ini(Config.filePath(QStringLiteral("Tarvex/Solvista.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[Plant1]\r\nFolder=%1\r\n%2")
                      .arg(plantprofile::CanonicalPath(Year->path()), keys)
                      .toUtf8());
    }
    struct Table {
        int Status = -1;
        QString Err;
        QStringList Keys;
        std::vector<QStringList> Rows;
        double At(size_t row, const char* key) const {
            const qsizetype at = Keys.indexOf(QLatin1String(key));
            return at < 0 ? NAN : Rows[row][at].toDouble();
        }
    };
    Table Csv(QStringList arguments) {
        arguments << "--format"
                  << "csv" << Year->path();
        Table table;
        QString out;
        QTextStream outStream(&out);
        QTextStream errStream(&table.Err);
        table.Status = RunReport(arguments, outStream, errStream, false);
        const QStringList lines = out.trimmed().split('\n');
        table.Keys = lines[0].split(';');
        for (const QString& line : lines.mid(1))
            table.Rows.push_back(line.split(';'));
        return table;
    }

    static QTemporaryDir* Year;
    QByteArray OldConfig;
    QTemporaryDir Config;
};

QTemporaryDir* SavingsReportTest::Year = nullptr;

} // namespace

TEST_F(SavingsReportTest, TheColumnsOfAGeneratedYearFollowTheFormulas) {
    const Table t = Csv({"--area", "12.5", "--fuel", "gas", "--price", "0.11", "--efficiency", "80",
                         "--co2", "0.25"});
    ASSERT_EQ(t.Status, 0) << t.Err.toStdString();
    ASSERT_EQ(t.Rows.size(), 12U);
    EXPECT_EQ(t.Keys.mid(0, 6), QStringList({"period", "energy_kwh", "kwh_per_m2", "fuel_saved_kwh",
                                             "money_saved", "co2_avoided_kg"}));
    double year = 0.0;
    for (size_t m = 0; m < t.Rows.size(); ++m) {
        const double energy = t.At(m, "energy_kwh");
        EXPECT_GT(energy, 0.0);
        year += energy;
        const double fuel = energy / 0.8;
        EXPECT_DOUBLE_EQ(t.At(m, "kwh_per_m2"), energy / 12.5) << m;
        EXPECT_DOUBLE_EQ(t.At(m, "fuel_saved_kwh"), fuel) << m;
        EXPECT_DOUBLE_EQ(t.At(m, "money_saved"), fuel * 0.11) << m;
        EXPECT_DOUBLE_EQ(t.At(m, "co2_avoided_kg"), fuel * 0.25) << m;
    }
    const Table y = Csv({"--by", "year", "--area", "12.5", "--fuel", "gas", "--efficiency", "80"});
    ASSERT_EQ(y.Rows.size(), 1U);
    EXPECT_NEAR(y.At(0, "kwh_per_m2"), year / 12.5, 1e-9 * year);
    // Gas brings its default price and CO2 factor where none is given.
    const FuelDefaults& gas = plantprofile::DefaultsOf(PlantFuel::Gas);
    EXPECT_DOUBLE_EQ(y.At(0, "money_saved"), y.At(0, "energy_kwh") / 0.8 * gas.PricePerKWh);
    EXPECT_DOUBLE_EQ(y.At(0, "co2_avoided_kg"), y.At(0, "energy_kwh") / 0.8 * gas.Co2KgPerKWh);
}

TEST_F(SavingsReportTest, TheFolderProfileGivesTheFiguresAndTheOptionsOverrideThem) {
    WriteProfile("CollectorArea=20\r\nFuel=oil\r\nFuelPrice=0.2\r\nEfficiencyPercent=75\r\n"
                 "Co2KgPerKWh=0.3\r\n");
    const Table p = Csv({"--by", "year"});
    ASSERT_EQ(p.Status, 0) << p.Err.toStdString();
    const double energy = p.At(0, "energy_kwh");
    EXPECT_DOUBLE_EQ(p.At(0, "kwh_per_m2"), energy / 20.0);
    EXPECT_DOUBLE_EQ(p.At(0, "money_saved"), energy / 0.75 * 0.2);
    EXPECT_DOUBLE_EQ(p.At(0, "co2_avoided_kg"), energy / 0.75 * 0.3);

    // The profile's own fuel keeps the profile's figures; another brings its defaults.
    const Table same = Csv({"--by", "year", "--fuel", "OIL", "--area", "5"});
    EXPECT_DOUBLE_EQ(same.At(0, "kwh_per_m2"), energy / 5.0);
    EXPECT_DOUBLE_EQ(same.At(0, "money_saved"), energy / 0.75 * 0.2);
    const Table other = Csv({"--by", "year", "--fuel", "pellets", "--price", "0.05"});
    const FuelDefaults& pellets = plantprofile::DefaultsOf(PlantFuel::Pellets);
    EXPECT_DOUBLE_EQ(other.At(0, "fuel_saved_kwh"), energy / pellets.Efficiency);
    EXPECT_DOUBLE_EQ(other.At(0, "money_saved"), energy / pellets.Efficiency * 0.05);
    EXPECT_DOUBLE_EQ(other.At(0, "co2_avoided_kg"),
                     energy / pellets.Efficiency * pellets.Co2KgPerKWh);

    // No fuel and no area: the columns are left out, not zero.
    const Table none = Csv({"--by", "year", "--fuel", "none", "--area", "0"});
    EXPECT_EQ(none.Keys.indexOf("kwh_per_m2"), -1);
    EXPECT_EQ(none.Keys.indexOf("fuel_saved_kwh"), -1);
    EXPECT_EQ(none.Keys.indexOf("money_saved"), -1);
    EXPECT_EQ(none.Keys[1], "energy_kwh");
}

TEST_F(SavingsReportTest, AProfileWithoutAnAreaLeavesKWhPerM2OutOfEveryFormat) {
    WriteProfile("Fuel=electricity\r\n");
    const Table csv = Csv({"--by", "year"});
    EXPECT_EQ(csv.Keys.indexOf("kwh_per_m2"), -1);
    EXPECT_EQ(csv.Keys[2], "fuel_saved_kwh");

    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    ASSERT_EQ(RunReport({"--by", "year", "--format", "json", Year->path()}, o, e, false), 0);
    const QJsonObject row = QJsonDocument::fromJson(out.toUtf8()).array().first().toObject();
    EXPECT_FALSE(row.contains("kwh_per_m2"));
    EXPECT_TRUE(row.contains("co2_avoided_kg"));
    EXPECT_DOUBLE_EQ(row.value("co2_avoided_kg").toDouble(),
                     row.value("energy_kwh").toDouble() * 0.380);

    out.clear();
    ASSERT_EQ(RunReport({"--by", "year", "--area", "4", Year->path()}, o, e, false), 0);
    EXPECT_TRUE(out.contains(QString::fromUtf8("Yield per m²"))) << out.toStdString();
    EXPECT_TRUE(out.contains("Money saved"));
}

TEST_F(SavingsReportTest, FiguresOutsideTheirRangeAreUsageErrors) {
    for (const QStringList& bad :
         {QStringList{"--efficiency", "0"}, QStringList{"--efficiency", "600"},
          QStringList{"--area", "inf"}, QStringList{"--area", "-3"}, QStringList{"--price", "0x10"},
          QStringList{"--co2"}, QStringList{"--fuel", "coal"}}) {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        EXPECT_EQ(RunReport(bad + QStringList{Year->path()}, o, e, false), 2)
            << bad.join(' ').toStdString();
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    }
}
