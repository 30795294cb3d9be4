#include "core/LanguageTexts.h"
#include "output/OutputTexts.h"

#include <gtest/gtest.h>

#include <set>

TEST(OutputTexts, EveryLanguageHasItsOwnTextInEverySlot) {
    constexpr TextArrayId translated[] = {TextArrayId::German, TextArrayId::French,
                                          TextArrayId::Spanish, TextArrayId::Italian,
                                          TextArrayId::Portuguese};
    // Written alike in some languages: "File CSV", "Documento PDF" and the like are checked
    // against English only.
    const TextArray& english = LanguageTexts(TextArrayId::English);
    for (int i = TextBmpImage; i < OutputTextsEnd; ++i) {
        ASSERT_LT(i, LanguageTextCount);
        EXPECT_FALSE(english[i].isEmpty()) << "slot " << i;
        for (TextArrayId id : translated) {
            const QString& text = LanguageTexts(id)[i];
            EXPECT_FALSE(text.isEmpty()) << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_NE(text, english[i]) << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(text.count(QStringLiteral("%s")), english[i].count(QStringLiteral("%s")))
                << "language " << static_cast<int>(id) << " slot " << i;
            EXPECT_EQ(text.trimmed(), text) << "language " << static_cast<int>(id);
        }
    }
    EXPECT_EQ(english[TextUnknownImageType].count(QStringLiteral("%s")), 1);
}
