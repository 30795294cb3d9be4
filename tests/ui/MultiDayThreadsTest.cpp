// A range read on reading threads is taken in as one thread takes it: the same days, value for
// value and in the same order, the same messages in the same order, the same state after Esc.
#include "LogGenerator.h"
#include "chart/SeriesMemory.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "ui/EscapeKeyPoll.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TDialogMultiDayAnalysis.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using loggen::FolderLayout;

class EscAtPoll : public EscapeKeyPoll {
public:
    explicit EscAtPoll(int at) : At(at) {}
    void WaitForRelease() override {}
    bool Pressed() override { return ++Polls == At; }
    int At;
    int Polls = 0;
};

// Answers every message with OK and keeps what it said, in order.
class RecordingPrompts : public ScriptedPrompts {
public:
    using Prompts::Message;
    PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) override {
        Said << QString::number(static_cast<int>(kind)) + ' ' + caption + ": " + text;
        return PromptAnswer::Ok;
    }
    QStringList Said;
};

// Everything a load leaves that a user or a later command can see.
struct Outcome {
    QStringList Messages;
    QStringList Days;
    QStringList Files;
    QStringList Units;
    QString Title;
    int Progress = -1;
    bool ProgramConventionDayFirst = false;

    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << o.Messages.join(" | ").toStdString() << "\n"
         << o.Days.size() << " days, files " << o.Files.join(",").toStdString() << ", title "
         << o.Title.toStdString() << ", progress " << o.Progress;
}

QString Hex(double v) { return QString::asprintf("%a", v); }

// A day as its lines, every value to the last bit, with its sums.
QString DayPrint(const TDay& day) {
    QString text = day.FileName() + ' ' + Hex(day.StartDate()) + ' ' + Hex(day.GetVolume()) + ' ' +
                   Hex(day.GetEnergy());
    day.ForEachLine([&text](const DayLine& line, bool ended) {
        text += '\n' + Hex(line.Time) + (line.Gap ? "g" : "") + (ended ? "" : "s") + ' ' +
                QString::fromStdString(line.Has.to_string()) + ' ' +
                QString::fromStdString(line.Err.to_string());
        for (int c = 0; c < FileChannelCount; ++c)
            if (line.Has[static_cast<size_t>(c)])
                text += ' ' + Hex(line.Values[static_cast<size_t>(c)]);
    });
    return text;
}

class MultiDayThreadsTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentTexts(TextArrayId::English); }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QString WriteText(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    static QByteArray Day(const QDate& date,
                          loggen::DateStyle style = loggen::DateStyle::YearFirst) {
        loggen::DayOptions options;
        options.IntervalMinutes = 10;
        options.Style = style;
        options.Gap = date.day() % 5 == 0;
        options.FaultChance = 0.01;
        options.EmptyChance = 0.01;
        return loggen::GenerateDay(date, options).Bytes;
    }

    // Loads the range through the dialog on `threads` threads, Esc at the `escAt`-th poll.
    Outcome Load(const QString& from, const QString& to, int threads, int escAt = -1) {
        // Each run starts from the same program-wide date convention.
        ProgramLogReader().Convention = DateConvention::YearFirstIso();
        Outcome outcome;
        RecordingPrompts prompts;
        TChildform form{nullptr, WindowSettings::FactoryDefaults()};
        TDialogMultiDayAnalysis dialog;
        EscAtPoll esc(escAt);
        dialog.SetEscapeKeyPoll(&esc);
        dialog.SetReadingThreads(threads);
        dialog.PrepareDialog(&form, QString());
        dialog.show();
        dialog.findChild<QLineEdit*>("PathFrom")->setText(QDir::toNativeSeparators(from));
        dialog.findChild<QLineEdit*>("PathTo")->setText(QDir::toNativeSeparators(to));
        dialog.findChild<QPushButton*>("ExecuteBtn")->click();
        outcome.Messages = prompts.Said;
        if (const TAnalysisData* data = form.Data()) {
            for (unsigned i = 0; i < data->GetDayCount(); ++i)
                outcome.Days << DayPrint(data->GetDay(i));
            for (unsigned i = 0; i < data->GetDayCount(); ++i)
                outcome.Files << QFileInfo(data->GetFileName(static_cast<int>(i))).fileName();
            for (int c = 0; c < ChannelCount; ++c)
                outcome.Units << data->GetUnit(c);
        }
        outcome.Title = form.windowTitle();
        outcome.Progress = dialog.findChild<QProgressBar*>("ProgressBar")->value();
        outcome.ProgramConventionDayFirst =
            ProgramLogReader().Convention == DateConvention::DayFirst();
        dialog.hide();
        return outcome;
    }

    QTemporaryDir Dir;
};

TEST_F(MultiDayThreadsTest, AGeneratedMonthLoadsTheSameOnEveryThreadCount) {
    QStringList files;
    for (QDate d(2010, 6, 1); d <= QDate(2010, 6, 30); d = d.addDays(1))
        files << WriteText(d.toString("yyyyMMdd") + ".csv", Day(d));
    const Outcome one = Load(files.first(), files.last(), 1);
    ASSERT_EQ(one.Days.size(), 30);
    EXPECT_TRUE(one.Messages.isEmpty());
    EXPECT_EQ(Load(files.first(), files.last(), 0), one);
    EXPECT_EQ(Load(files.first(), files.last(), 4), one);
}

TEST_F(MultiDayThreadsTest, UnreadableMisdatedAndDuplicateFilesGiveTheSameMessagesDaysAndState) {
    QStringList files;
    for (QDate d(2010, 6, 1); d <= QDate(2010, 6, 24); d = d.addDays(1)) {
        const QString name = d.toString("yyyyMMdd") + ".csv";
        const int n = d.day();
        if (n == 3)
            files << WriteText(name, "broken\r\n"); // no log file
        else if (n == 5)
            files << WriteText(name, ""); // nothing at all
        else if (n == 7)
            files << WriteText(name, Day(QDate(2010, 6, 12))); // a day of the same month
        else if (n == 9)
            files << WriteText(name, Day(QDate(2010, 8, 2))); // a day no month of the range holds
        else if (n == 11)
            files << WriteText(name, Day(d).left(Day(d).size() / 2) + "57.3;x\r\n"); // stops
        else if (n == 14 || n == 24)
            // Another heading: its date convention and units hold until the next one.
            files << WriteText(name, Day(d, loggen::DateStyle::DayFirstTwoDigitYear)
                                         .replace("\xB0"
                                                  "C]",
                                                  "\xB0"
                                                  "F]"));
        else if (n == 16)
            files << WriteText(name, Day(QDate(2010, 6, 15))); // the day before, again
        else
            files << WriteText(name, Day(d));
    }
    const Outcome one = Load(files.first(), files.last(), 1);
    // The cases are what they are meant to be: reported files, days kept, units and convention
    // from the last heading.
    EXPECT_EQ(one.Messages.size(), 3) << "no log file, an empty one, a day of August";
    EXPECT_EQ(one.Days.size(), 21);
    EXPECT_TRUE(one.Units[ChT1].contains('F'));
    EXPECT_TRUE(one.ProgramConventionDayFirst);
    EXPECT_EQ(Load(files.first(), files.last(), 4), one);
    EXPECT_EQ(Load(files.first(), files.last(), 0), one);

    // Esc before the n-th further file: the same messages up to there, the window emptied, the
    // date convention of the files taken in until then (the 14th of June's heading is another).
    for (const int at : {2, 13, 14}) {
        const Outcome stopped = Load(files.first(), files.last(), 1, at);
        EXPECT_TRUE(stopped.Days.isEmpty());
        EXPECT_EQ(stopped.Progress, 0);
        ASSERT_FALSE(stopped.Messages.isEmpty());
        EXPECT_TRUE(stopped.Messages.back().endsWith(Text(80))) << "the load was stopped";
        EXPECT_EQ(stopped.ProgramConventionDayFirst, at == 14) << at;
        EXPECT_EQ(Load(files.first(), files.last(), 4, at), stopped) << at;
    }
}

} // namespace
