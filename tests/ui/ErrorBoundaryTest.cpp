#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ui/ErrorBoundary.h"
#include "ui/ScriptedPrompts.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ErrorBoundary, AThrowingSlotEndsInOneErrorBoxAndTheProgramCarriesOn) {
    SetCurrentTexts(TextArrayId::German);
    ScriptedPrompts prompts;
    prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    QPushButton button;
    int runs = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, GuardedSlot([&](bool) {
        ++runs;
        AppError::RaiseText(97);
    }));
    button.click();
    ASSERT_EQ(prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(prompts.AskedPrompts()[0].Text, Text(97));
    EXPECT_EQ(prompts.AskedPrompts()[0].Caption, Text(51));

    // A timer callback runs through the same boundary, with a foreign exception type.
    prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    bool fired = false;
    QTimer::singleShot(0, &button, GuardedSlot([&] {
                           fired = true;
                           throw std::runtime_error("disk gone");
                       }));
    for (int i = 0; i < 20 && !fired; ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(fired);
    ASSERT_EQ(prompts.AskedPrompts().size(), 2u);
    EXPECT_EQ(prompts.AskedPrompts()[1].Text, QStringLiteral("disk gone"));
    EXPECT_EQ(runs, 1);
}

TEST(Prompts, KindsCarryTheirOwnCaptionsUnlessOneIsGiven) {
    SetCurrentTexts(TextArrayId::English);
    ScriptedPrompts prompts;
    prompts.Expect(PromptKind::Warning, PromptAnswer::Yes);
    prompts.Expect(PromptKind::Question, PromptAnswer::No);
    prompts.Expect(PromptKind::Information, PromptAnswer::Ok);
    EXPECT_TRUE(CurrentPrompts().AskYes(PromptKind::Warning, Text(96)));
    EXPECT_EQ(CurrentPrompts().Message(PromptKind::Question, Text(81), Text(50) + ":"),
              PromptAnswer::No);
    CurrentPrompts().Message(PromptKind::Information, Text(93));
    const auto& asked = prompts.AskedPrompts();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].Caption, Text(52));
    EXPECT_EQ(asked[1].Caption, Text(50) + ":");
    EXPECT_EQ(asked[2].Caption, Text(53));
    SetCurrentTexts(TextArrayId::German);
}
