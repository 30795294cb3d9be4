#include "core/LanguageTexts.h"
#include "health/HealthTexts.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerTexts.h"
#include "ui/ChartTexts.h"
#include "ui/ReadoutTexts.h"
#include "ui/WholeViewTexts.h"
#include "ui/YieldCompareTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr TextArrayId AllArrays[] = {TextArrayId::German,  TextArrayId::English,
                                     TextArrayId::French,  TextArrayId::Spanish,
                                     TextArrayId::Italian, TextArrayId::Portuguese};
constexpr TextArrayId Translated[] = {TextArrayId::French, TextArrayId::Spanish,
                                      TextArrayId::Italian, TextArrayId::Portuguese};

bool ContinuesNotice(TextArrayId id) {
    return id == TextArrayId::French || id == TextArrayId::Spanish;
}

int LeadingBlanks(const QString& s) {
    int n = 0;
    while (n < s.size() && s[n] == u' ')
        ++n;
    return n;
}

int TrailingBlanks(const QString& s) {
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == u' ')
        ++n;
    return n;
}

} // namespace

TEST(LanguageTexts, EveryArrayFillsSlotsUpTo109AndOnlyTheNoticeContinuationMayBeEmpty) {
    for (TextArrayId id : AllArrays) {
        const TextArray& texts = LanguageTexts(id);
        const int language = static_cast<int>(id);
        for (int i = 0; i < 110; ++i) {
            if (i == 107)
                EXPECT_EQ(texts[i].isEmpty(), !ContinuesNotice(id)) << "language " << language;
            else
                EXPECT_FALSE(texts[i].isEmpty()) << "language " << language << " slot " << i;
        }
        EXPECT_TRUE(texts[110].isEmpty());
        EXPECT_TRUE(texts[111].isEmpty());
    }
}

TEST(LanguageTexts, TranslationsKeepTheBlanksThatCaptionsAreJoinedBy) {
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[17], QStringLiteral("Analysis from "));
    EXPECT_EQ(english[19], QStringLiteral(" to "));
    EXPECT_EQ(english[20], QStringLiteral(". ("));
    EXPECT_EQ(english[21], QStringLiteral(" files found)"));
    for (TextArrayId id : AllArrays) {
        const TextArray& texts = LanguageTexts(id);
        for (int i = 0; i < 110; ++i) {
            if (i == 106 || i == 107) {
                // The About box joins the two halves of the notice with one blank of its own.
                EXPECT_EQ(LeadingBlanks(texts[i]) + TrailingBlanks(texts[i]), 0)
                    << "language " << static_cast<int>(id) << " slot " << i;
                continue;
            }
            EXPECT_EQ(LeadingBlanks(texts[i]), LeadingBlanks(english[i]))
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(TrailingBlanks(texts[i]), TrailingBlanks(english[i]))
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(texts[i].count(QStringLiteral("%s")), english[i].count(QStringLiteral("%s")))
                << "language " << static_cast<int>(id) << " slot " << i;
        }
    }
}

TEST(LanguageTexts, TranslatedArraysHoldNoEnglishTextWhereATranslationBelongs) {
    // Words that a language writes the same way as English.
    const std::set<int> sameEverywhere = {15, 20, 35, 36, 45, 53, 71, 109};
    const std::map<TextArrayId, std::set<int>> sameInLanguage = {
        {TextArrayId::French, {50, 54}}, // "Question", "Date"
        {TextArrayId::Spanish, {51}},    // "Error"
        {TextArrayId::Italian, {0}},     // "File"
    };
    const TextArray& english = LanguageTexts(TextArrayId::English);
    for (TextArrayId id : Translated) {
        const TextArray& texts = LanguageTexts(id);
        const auto own = sameInLanguage.find(id);
        int unchanged = 0;
        for (int i = 0; i < 110; ++i)
            if (!english[i].isEmpty() && texts[i] == english[i] && !sameEverywhere.count(i) &&
                (own == sameInLanguage.end() || !own->second.count(i))) {
                ++unchanged;
                ADD_FAILURE() << "language " << static_cast<int>(id) << " slot " << i
                              << " is still English: " << texts[i].toStdString();
            }
        EXPECT_EQ(unchanged, 0);
    }
}

TEST(LanguageTexts, LanguageNumbersSelectTheirArrays) {
    EXPECT_EQ(TextArrayForLanguage(0), TextArrayId::German);
    EXPECT_EQ(TextArrayForLanguage(1), TextArrayId::German);
    EXPECT_EQ(TextArrayForLanguage(2), TextArrayId::English);
    EXPECT_EQ(TextArrayForLanguage(3), TextArrayId::French);
    EXPECT_EQ(TextArrayForLanguage(4), TextArrayId::Spanish);
    EXPECT_EQ(TextArrayForLanguage(5), TextArrayId::Italian);
    EXPECT_EQ(TextArrayForLanguage(6), TextArrayId::Portuguese);
    EXPECT_EQ(TextArrayForLanguage(7), TextArrayId::English);
    EXPECT_EQ(TextArrayForLanguage(8), TextArrayId::German);
    EXPECT_EQ(TextArrayForLanguage(-1), TextArrayId::German);
    EXPECT_EQ(TextArrayForLanguage(127), TextArrayId::German);
}

TEST(LanguageTexts, GermanIsCurrentUntilALanguageIsSelected) {
    // CTest runs every test in a process of its own, so this sees the start-up state.
    EXPECT_EQ(CurrentTextArray(), TextArrayId::German);
    EXPECT_EQ(Text(1), QString::fromUtf8("Öffnen"));
    SetCurrentTexts(TextArrayForLanguage(7));
    EXPECT_EQ(Text(1), QStringLiteral("Open"));
    EXPECT_EQ(&CurrentTexts(), &LanguageTexts(TextArrayId::English));
    SetCurrentTexts(TextArrayId::German);
}

TEST(LanguageTexts, TheYieldTextsAreTranslatedAndKeepTheirPlaceholders) {
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[TextYieldOverview], QStringLiteral("Yield overview"));
    for (TextArrayId id : AllArrays) {
        const TextArray& texts = LanguageTexts(id);
        for (int i = LedgerFirstText; i < LedgerFirstText + LedgerTextCount; ++i) {
            EXPECT_FALSE(texts[i].isEmpty())
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(texts[i].count(QStringLiteral("%s")), english[i].count(QStringLiteral("%s")))
                << "language " << static_cast<int>(id) << " slot " << i;
        }
    }
    EXPECT_EQ(LanguageTexts(TextArrayId::German)[TextYieldOverview],
              QString::fromUtf8("Ertragsübersicht"));
}

TEST(LanguageTexts, HealthPanelTextsAreFilledAndTranslated) {
    // The health panel's slots: its title, the nine kinds of event, five column headings, four
    // channel roles, "(none)" for a role without a channel and the empty list's note.
    constexpr int first = TextHealthFirst;
    constexpr int count = TextHealthCount;
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[first], QStringLiteral("Health"));
    EXPECT_EQ(english[first + count - 1], QStringLiteral("No events found."));
    for (TextArrayId id : AllArrays) {
        const TextArray& texts = LanguageTexts(id);
        std::set<QString> kinds;
        for (int i = first; i < first + count; ++i) {
            EXPECT_FALSE(texts[i].isEmpty())
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(texts[i].trimmed(), texts[i]);
            if (i > first && i <= first + 9)
                kinds.insert(texts[i]);
            // "Stagnation" is German and French too.
            const bool same =
                i == first + 5 && (id == TextArrayId::German || id == TextArrayId::French);
            if (id != TextArrayId::English && !same) {
                EXPECT_NE(texts[i], english[i])
                    << "language " << static_cast<int>(id) << " slot " << i;
            }
        }
        EXPECT_EQ(kinds.size(), 9U)
            << "two kinds share a name in language " << static_cast<int>(id);
    }
}

TEST(LanguageTexts, TheChartsUndoZoomEntryIsTranslated) {
    ASSERT_LT(TextUndoZoom, LanguageTextCount);
    EXPECT_GE(TextUndoZoom, 112) << "after the original table";
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[TextUndoZoom], QStringLiteral("Undo zoom"));
    EXPECT_EQ(LanguageTexts(TextArrayId::German)[TextUndoZoom],
              QString::fromUtf8("Zoom rückgängig machen"));
    for (TextArrayId id : Translated) {
        EXPECT_FALSE(LanguageTexts(id)[TextUndoZoom].isEmpty()) << static_cast<int>(id);
        EXPECT_NE(LanguageTexts(id)[TextUndoZoom], english[TextUndoZoom]) << static_cast<int>(id);
    }
}

TEST(LanguageTexts, TheCursorAndSpanTextsAreTranslatedInEveryArray) {
    // Words a language writes as English does ("Minimum", "Volume [l]", "Starts").
    const std::map<TextArrayId, std::set<int>> sameAsEnglish = {
        {TextArrayId::German, {TextMinimum, TextMaximum, TextStarts}},
        {TextArrayId::French, {TextMinimum, TextMaximum, TextVolumeLitres}},
        {TextArrayId::Italian, {TextVolumeLitres}},
        {TextArrayId::Portuguese, {TextVolumeLitres}},
    };
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[TextSpanHint], QStringLiteral("Shift+drag: mark a span"));
    for (TextArrayId id : AllArrays) {
        const TextArray& texts = LanguageTexts(id);
        const auto own = sameAsEnglish.find(id);
        for (int i = ReadoutFirstText; i < ReadoutFirstText + ReadoutTextCount; ++i) {
            EXPECT_FALSE(texts[i].isEmpty())
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(texts[i], texts[i].trimmed()) << "slot " << i;
            const bool translated =
                id != TextArrayId::English && (own == sameAsEnglish.end() || !own->second.count(i));
            if (translated) {
                EXPECT_NE(texts[i], english[i])
                    << "language " << static_cast<int>(id) << " slot " << i;
            }
        }
    }
}

TEST(LanguageTexts, TheComparisonTextsAreTranslatedInEveryArray) {
    ASSERT_LE(TextCompareFirst + TextCompareCount, TextYieldCompareFirst);
    ASSERT_LE(TextYieldCompareFirst + TextYieldCompareCount, TextWholeViewFirst);
    ASSERT_LE(TextWholeViewFirst + TextWholeViewCount, LanguageTextCount);
    const TextArray& english = LanguageTexts(TextArrayId::English);
    EXPECT_EQ(english[TextCompareDifference], QStringLiteral("Difference"));
    EXPECT_EQ(english[TextYieldCompareCommand], QStringLiteral("Compare..."));
    EXPECT_EQ(english[TextWholeView], QStringLiteral("Whole view"));
    for (TextArrayId id : AllArrays)
        for (int i = TextCompareFirst; i < TextWholeViewFirst + TextWholeViewCount; ++i) {
            const QString& text = LanguageTexts(id)[i];
            EXPECT_FALSE(text.isEmpty()) << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(text.count(QStringLiteral("%s")), english[i].count(QStringLiteral("%s")));
            if (id != TextArrayId::English) {
                EXPECT_NE(text, english[i]) << "language " << static_cast<int>(id) << " slot " << i;
            }
        }
}
