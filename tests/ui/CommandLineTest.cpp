#include "core/Channels.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "ui/CommandLine.h"
#include "ui/OpeningChannels.h"
#include "ui/OpeningTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

CommandLine Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("solvista"));
    return CommandLine::Parse(arguments);
}

} // namespace

TEST(CommandLine, PathsBecomeAbsoluteInTheOrderGiven) {
    const CommandLine line = Parse({QStringLiteral("b/20100502.csv"), QStringLiteral("/x/a.csv")});
    ASSERT_EQ(line.Paths.size(), 2);
    EXPECT_EQ(line.Paths[0], QDir::current().absoluteFilePath(QStringLiteral("b/20100502.csv")));
    EXPECT_EQ(line.Paths[1], QStringLiteral("/x/a.csv"));
    EXPECT_TRUE(line.Complaints.empty());
    EXPECT_EQ(line.LanguageNumber, 0) << "the saved language unless one is asked for";
}

TEST(CommandLine, LanguageCodesSelectTheLanguageNumbersOfTheMenu) {
    const char* codes[] = {"de", "en", "fr", "es", "it", "pt", "us"};
    for (int i = 0; i < 7; ++i) {
        const CommandLine line =
            Parse({QStringLiteral("--language"), QString::fromLatin1(codes[i])});
        EXPECT_EQ(line.LanguageNumber, i + 1) << codes[i];
        EXPECT_TRUE(line.Complaints.empty());
    }
    EXPECT_EQ(Parse({QStringLiteral("--language=US")}).LanguageNumber, 7);
    EXPECT_EQ(Parse({QStringLiteral("-language"), QStringLiteral("fr")}).LanguageNumber, 3);
}

TEST(CommandLine, BadArgumentsBecomeComplaintsAndTheRestStillCounts) {
    const CommandLine line = Parse({QStringLiteral("--language"), QStringLiteral("xx"),
                                    QStringLiteral("--bogus"), QStringLiteral("day.csv")});
    EXPECT_EQ(line.LanguageNumber, 0);
    ASSERT_EQ(line.Complaints.size(), 2u);
    EXPECT_EQ(line.Complaints[0].Text, TextUnknownOption);
    EXPECT_EQ(line.Complaints[0].Argument, QStringLiteral("--bogus"));
    EXPECT_EQ(line.Complaints[1].Text, TextUnknownLanguage);
    EXPECT_EQ(line.Complaints[1].Argument, QStringLiteral("xx"));
    EXPECT_EQ(line.Paths, QStringList{QFileInfo(QStringLiteral("day.csv")).absoluteFilePath()});

    SetCurrentTexts(TextArrayId::English);
    EXPECT_EQ(line.Messages()[1], Text(TextUnknownLanguage) + QStringLiteral("\n\nxx"));
    SetCurrentTexts(TextArrayId::German);

    const CommandLine missing = Parse({QStringLiteral("--language")});
    ASSERT_EQ(missing.Complaints.size(), 1u);
    EXPECT_EQ(missing.Complaints[0].Text, TextUnknownLanguage);
    EXPECT_EQ(missing.Messages()[0], Text(TextUnknownLanguage)) << "no empty lines after it";
}

TEST(CommandLine, ChannelsNameTheBoxesTickedForTheFilesGiven) {
    EXPECT_FALSE(Parse({QStringLiteral("day.csv")}).Channels) << "none asked: the settings'";
    const CommandLine line =
        Parse({QStringLiteral("--channels"), QStringLiteral("r1, flow;T1"),
               QStringLiteral("--channels=Energy,T9"), QStringLiteral("day.csv")});
    ASSERT_TRUE(line.Channels);
    EXPECT_EQ(*line.Channels, (std::vector<int>{ChT1, ChFlow, ChR1, ChEnergy})) << "channel order";
    ASSERT_EQ(line.Complaints.size(), 1u);
    EXPECT_EQ(line.Complaints[0].Text, TextUnknownChannel);
    EXPECT_EQ(line.Complaints[0].Argument, QStringLiteral("T9"));
    EXPECT_EQ(line.Paths.size(), 1);
    EXPECT_EQ(Parse({QStringLiteral("--channels")}).Complaints.size(), 1u);
    // An empty list is a choice too: nothing ticked, whatever the settings say.
    const CommandLine none = Parse({QStringLiteral("--channels="), QStringLiteral("day.csv")});
    ASSERT_TRUE(none.Channels);
    EXPECT_TRUE(none.Channels->empty());
    EXPECT_TRUE(CommandLine::HelpText().contains(QStringLiteral("--channels LIST")));
    EXPECT_EQ(OpeningChannels::Format(*line.Channels), QStringLiteral("T1,Flow,R1,Energy"));
}

TEST(CommandLine, HelpAndVersionAnswerWithoutAnApplication) {
    const QStringList help = {QStringLiteral("solvista"), QStringLiteral("--help")};
    SetCurrentTexts(TextArrayId::French);
    const std::optional<QString> text = CommandLine::ImmediateOutput(help);
    SetCurrentTexts(TextArrayId::German);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->startsWith(LanguageTexts(TextArrayId::French)[TextUsage]));
    for (int slot : {TextArgumentPaths, TextOptionLanguage, TextOptionHelp, TextOptionVersion})
        EXPECT_TRUE(text->contains(LanguageTexts(TextArrayId::French)[slot])) << slot;
    EXPECT_TRUE(text->contains(QStringLiteral("--language")));

    for (const char* option : {"-v", "--version"}) {
        const std::optional<QString> version =
            CommandLine::ImmediateOutput({QStringLiteral("solvista"), QString::fromLatin1(option)});
        ASSERT_TRUE(version.has_value()) << option;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^Solvista \\d+\\.\\d+\\.\\d+\n$"))
                        .match(*version)
                        .hasMatch())
            << version->toStdString();
    }
    EXPECT_TRUE(CommandLine::ImmediateOutput({QStringLiteral("solvista"), QStringLiteral("-h")})
                    .has_value());
    EXPECT_FALSE(CommandLine::ImmediateOutput({QStringLiteral("solvista"), QStringLiteral("a.csv")})
                     .has_value());
}

TEST(CommandLine, ItsTextsAreFilledAndTranslated) {
    const TextArray& english = LanguageTexts(TextArrayId::English);
    std::vector<int> slots;
    for (int i = TextUsage; i <= TextOpenWhat; ++i)
        slots.push_back(i);
    for (int i = TextGuideFirst; i < TextGuideFirst + TextGuideCount; ++i)
        slots.push_back(i);
    for (int i : slots) {
        for (TextArrayId id : {TextArrayId::German, TextArrayId::French, TextArrayId::Spanish,
                               TextArrayId::Italian, TextArrayId::Portuguese}) {
            EXPECT_FALSE(LanguageTexts(id)[i].isEmpty()) << static_cast<int>(id) << " slot " << i;
            EXPECT_NE(LanguageTexts(id)[i], english[i]) << static_cast<int>(id) << " slot " << i;
        }
        EXPECT_FALSE(english[i].isEmpty()) << "slot " << i;
    }
}
