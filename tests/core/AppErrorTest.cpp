#include "core/AppError.h"
#include "core/LanguageTexts.h"

#include <gtest/gtest.h>

TEST(AppError, CarriesTheTextOfTheCurrentLanguageWithItsArgument) {
    SetCurrentTexts(TextArrayId::German);
    try {
        AppError::RaiseText(0);
        FAIL() << "no exception";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), Text(0));
    }
    try {
        AppError::Raise(QStringLiteral("Illegal State (4)."));
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Illegal State (4).");
    }
    EXPECT_EQ(FormatText(QStringLiteral("File %s not found %s"), QStringLiteral("a.csv")),
              QStringLiteral("File a.csv not found %s"));
}
