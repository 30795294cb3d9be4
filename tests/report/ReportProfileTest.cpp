#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "report/ReportRun.h"
#include "settings/PlantProfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The run judges the files by the plant profile of their folder in the user's settings.
class ReportProfileTest : public ::testing::Test {
protected:
    ReportProfileTest() : OldConfig(qgetenv("XDG_CONFIG_HOME")) {
        SetCurrentTexts(TextArrayId::English);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
    }
    ~ReportProfileTest() override {
        SetCurrentTexts(TextArrayId::German);
        if (OldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", OldConfig);
    }
    void WriteIni(const QString& text) {
        ASSERT_TRUE(QDir().mkpath(Config.filePath(QStringLiteral("Tarvex"))));
        QFile ini(Config.filePath(QStringLiteral("Tarvex/Solvista.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(text.toUtf8());
    }
    // Two days of 1 and 2 June 2010 in year and month folders below `name`: the pump (R1) runs
    // dry on the 1st, T4 reads 300 °C on the 2nd.
    QString WritePlant(const QString& name) {
        loggen::DayOptions options;
        options.IntervalMinutes = 5;
        options.Faults = {{loggen::Fault::PumpWithoutFlow, QDate(2010, 6, 1), 12 * 60, 30, 0},
                          {loggen::Fault::SensorRange, QDate(2010, 6, 2), 9 * 60, 20, ChT4}};
        const QString folder = Dir.filePath(name);
        EXPECT_EQ(loggen::WriteDays(folder, QDate(2010, 6, 1), 2,
                                    loggen::FolderLayout::YearMonthFolders, options)
                      .size(),
                  2);
        return plantprofile::CanonicalPath(folder);
    }
    struct Outcome {
        int Status;
        QString Out;
        QString Err;
    };
    Outcome Report(const QStringList& arguments) {
        Outcome run{-1, {}, {}};
        QTextStream out(&run.Out);
        QTextStream err(&run.Err);
        run.Status = RunReport(arguments, out, err, false);
        return run;
    }
    QStringList Kinds(const QString& folder) {
        const Outcome run = Report({"--health", "--format", "json", folder});
        EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
        QStringList kinds;
        for (const QJsonValue& event : QJsonDocument::fromJson(run.Out.toUtf8()).array())
            kinds << event.toObject().value("kind").toString() + ":" +
                         event.toObject().value("channels").toArray().first().toString();
        return kinds;
    }

    QByteArray OldConfig;
    QTemporaryDir Config;
    QTemporaryDir Dir;
};

} // namespace

TEST_F(ReportProfileTest, RolesAndUnusedInputsComeFromTheProfileOfTheFilesFolder) {
    const QString plant = WritePlant(QStringLiteral("roof"));
    EXPECT_EQ(Kinds(plant),
              QStringList({"pump-without-flow:R1", "sensor-fault:T4"})); // no profile: defaults

    // The pump is R2 and T4 has no sensor: R1 running dry is none of the plant's business.
    WriteIni(QStringLiteral("[Health]\r\nGapMinutes=30\r\n[Plant1]\r\nFolder=%1\r\nPump=R2\r\n"
                            "Unused=T4\r\n")
                 .arg(plant));
    const QStringList kinds = Kinds(plant);
    EXPECT_FALSE(kinds.contains("pump-without-flow:R1")) << kinds.join(' ').toStdString();
    EXPECT_FALSE(kinds.join(' ').contains("T4")) << kinds.join(' ').toStdString();
    // With R2 never on, the sunny collector above the store is yield missed.
    EXPECT_TRUE(kinds.contains("missed-yield:T1")) << kinds.join(' ').toStdString();

    // The ledger's event counts come from the same check.
    const Outcome ledger = Report({"--by", "day", "--format", "csv", plant});
    ASSERT_EQ(ledger.Status, 0) << ledger.Err.toStdString();
    const QStringList lines = ledger.Out.trimmed().split('\n');
    const QStringList heading = lines[0].split(';');
    const qsizetype dry = heading.indexOf("pump_without_flow_events");
    const qsizetype fault = heading.indexOf("sensor_fault_events");
    ASSERT_GT(dry, 0);
    ASSERT_GT(fault, 0);
    ASSERT_EQ(lines.size(), 3);
    for (const QString& line : lines.mid(1)) {
        EXPECT_EQ(line.split(';')[dry], "0") << line.toStdString();
        EXPECT_EQ(line.split(';')[fault], "0") << line.toStdString();
    }
}

TEST_F(ReportProfileTest, FilesUnderDifferentProfilesStopTheRunNamingThem) {
    const QString roof = WritePlant(QStringLiteral("roof"));
    const QString barn = WritePlant(QStringLiteral("barn"));
    const QString shed = WritePlant(QStringLiteral("shed"));
    WriteIni(QStringLiteral("[Plant1]\r\nFolder=%1\r\nName=Roof\r\n[Plant2]\r\nFolder=%2\r\n")
                 .arg(roof, barn));
    const Outcome two = Report({roof, barn});
    EXPECT_EQ(two.Status, 2);
    EXPECT_TRUE(two.Out.isEmpty());
    EXPECT_TRUE(two.Err.contains("different plant profiles")) << two.Err.toStdString();
    EXPECT_TRUE(two.Err.contains("\"Roof\" (" + roof + ")")) << two.Err.toStdString();
    EXPECT_TRUE(two.Err.contains("\"" + barn + "\" (" + barn + ")")) << two.Err.toStdString();
    EXPECT_EQ(two.Err.count('\n'), 1);

    const Outcome withDefaults = Report({"--health", roof, shed});
    EXPECT_EQ(withDefaults.Status, 2);
    EXPECT_TRUE(withDefaults.Err.contains("the defaults (no profile)"))
        << withDefaults.Err.toStdString();

    // A day file and the folder above it are under one profile.
    const Outcome one = Report({roof, roof + "/2010/06/20100601.csv"});
    EXPECT_EQ(one.Status, 0) << one.Err.toStdString();
}
