#include "core/Channels.h"
#include "core/ConventionTexts.h"
#include "core/DatePattern.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace {

// The system's locale as the code sees it through QLocale(), for the length of a test.
class SystemLocale {
public:
    explicit SystemLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~SystemLocale() { QLocale::setDefault(QLocale::system()); }
    SystemLocale(const SystemLocale&) = delete;
    SystemLocale& operator=(const SystemLocale&) = delete;
};

DateTime Date(int year, int month, int day) {
    DateTime value = 0;
    EXPECT_TRUE(EncodeDate(year, month, day, value));
    return value;
}

constexpr TextArrayId Every[] = {TextArrayId::German,  TextArrayId::English,
                                 TextArrayId::French,  TextArrayId::Spanish,
                                 TextArrayId::Italian, TextArrayId::Portuguese};

} // namespace

TEST(LanguageFormat, NumbersTakeTheProgramsDecimalMarkWhateverTheSystemWrites) {
    for (const QLocale& system : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        const SystemLocale scope(system);
        for (TextArrayId language : Every) {
            const QString mark = language == TextArrayId::English ? "." : ",";
            EXPECT_EQ(LanguageFormat::Number(9441.186, 2, language), "9441" + mark + "19");
            // No thousands separator: a copied figure pastes as one number.
            EXPECT_EQ(LanguageFormat::Number(1234567.0, 0, language), "1234567");
            EXPECT_EQ(LanguageFormat::Number(-53.24, 1, language), "-53" + mark + "2");
        }
        EXPECT_EQ(LanguageFormat::Number(-0.04, 1, TextArrayId::German), "0,0") << "no minus zero";
        EXPECT_EQ(LanguageFormat::Number(std::numeric_limits<double>::quiet_NaN(), 2,
                                         TextArrayId::English),
                  QStringLiteral("\u2013"));
    }
    SetCurrentTexts(TextArrayId::French);
    EXPECT_EQ(LanguageFormat::Number(0.5, 3), "0,500") << "the current language";
    SetCurrentTexts(TextArrayId::German);
}

TEST(LanguageFormat, MonthAndDayNamesFollowTheProgramAndChartTitlesTheSystem) {
    const SystemLocale english(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QDate june(2010, 6, 5); // a Saturday
    const std::map<TextArrayId, QString> months = {
        {TextArrayId::German, "Juni 2010"},    {TextArrayId::English, "June 2010"},
        {TextArrayId::French, "juin 2010"},    {TextArrayId::Spanish, "junio 2010"},
        {TextArrayId::Italian, "giugno 2010"}, {TextArrayId::Portuguese, "junho 2010"}};
    for (const auto& [language, expected] : months) {
        SetCurrentTexts(language);
        EXPECT_EQ(LanguageFormat::MonthYear(june), expected);
    }
    SetCurrentTexts(TextArrayId::German);
    EXPECT_TRUE(LanguageFormat::DayName(june).startsWith("Sa"))
        << LanguageFormat::DayName(june).toStdString();
    EXPECT_EQ(DatePattern::Format("mmmm yyyy", Date(2010, 6, 5), LanguageFormat::Locale()),
              "Juni 2010");
    SetCurrentTexts(TextArrayId::English);
    EXPECT_EQ(LanguageFormat::DayName(june), "Sat");
    EXPECT_EQ(LanguageFormat::MonthName(3, QLocale::ShortFormat), "Mar");
    // The design's own titles keep the system's month names, whatever the program speaks.
    SetCurrentTexts(TextArrayId::German);
    EXPECT_EQ(DatePattern::Format("mmmm", Date(2010, 6, 5)),
              QLocale::system().standaloneMonthName(6, QLocale::LongFormat));
    EXPECT_TRUE(LanguageFormat::MonthYear(QDate()).isEmpty());
}

TEST(LanguageFormat, ChannelWordsAndTheConventionSlotsAreTranslated) {
    const TextArray& english = LanguageTexts(TextArrayId::English);
    // Words a language writes as English does.
    const std::map<TextArrayId, std::set<int>> sameAsEnglish = {
        {TextArrayId::French, {TextChannelNameFirst + 3}},     // "Volume"
        {TextArrayId::Italian, {TextChannelNameFirst + 3}},    // "Volume"
        {TextArrayId::Portuguese, {TextChannelNameFirst + 3}}, // "Volume"
    };
    for (TextArrayId id : Every) {
        const TextArray& texts = LanguageTexts(id);
        const auto own = sameAsEnglish.find(id);
        for (int i = ConventionFirstText; i < ConventionFirstText + ConventionTextCount; ++i) {
            EXPECT_FALSE(texts[i].isEmpty()) << static_cast<int>(id) << " slot " << i;
            if (id != TextArrayId::English &&
                (own == sameAsEnglish.end() || !own->second.count(i))) {
                EXPECT_NE(texts[i], english[i]) << static_cast<int>(id) << " slot " << i;
            }
        }
    }
    SetCurrentTexts(TextArrayId::German);
    EXPECT_EQ(LanguageFormat::ChannelName(ChFlow), "Durchfluss");
    EXPECT_EQ(LanguageFormat::ChannelName(ChEnergy), "Energie");
    EXPECT_EQ(LanguageFormat::ChannelName(ChT3), "T3") << "symbols stay";
    EXPECT_EQ(LanguageFormat::ChannelName(ChR2), "R2");
    EXPECT_TRUE(LanguageFormat::ChannelName(ChannelCount).isEmpty());
    SetCurrentTexts(TextArrayId::English);
    for (int c = 0; c < ChannelCount; ++c)
        EXPECT_EQ(LanguageFormat::ChannelName(c),
                  QLatin1String(ChannelShortNames[static_cast<size_t>(c)]));
    SetCurrentTexts(TextArrayId::German);
}

TEST(LanguageFormat, CommandLineCodesNameTheLanguages) {
    EXPECT_EQ(LanguageNumberOfCode("de"), 1);
    EXPECT_EQ(LanguageNumberOfCode(" EN "), 2);
    EXPECT_EQ(LanguageNumberOfCode("pt"), 6);
    EXPECT_EQ(LanguageNumberOfCode("us"), 7);
    EXPECT_EQ(LanguageNumberOfCode("nl"), 0);
    EXPECT_EQ(LanguageNumberOfCode(""), 0);
}
