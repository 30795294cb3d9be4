#include "ui/ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() { SetCurrentPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
    SetCurrentPrompts(nullptr);
    EXPECT_TRUE(FScript.empty()) << FScript.size() << " scripted answer(s) never asked for";
    EXPECT_TRUE(FColorScript.empty())
        << FColorScript.size() << " scripted colour(s) never asked for";
}

PromptAnswer ScriptedPrompts::Message(PromptKind kind, const QString& text,
                                      const QString& caption) {
    FAsked.push_back({kind, text, caption});
    if (FScript.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << text.toStdString();
        return kind == PromptKind::Question || kind == PromptKind::Warning ? PromptAnswer::No
                                                                           : PromptAnswer::Ok;
    }
    const Step step = FScript.front();
    FScript.pop_front();
    EXPECT_EQ(static_cast<int>(step.Kind), static_cast<int>(kind))
        << "prompt of another kind: " << text.toStdString();
    return step.Answer;
}

std::optional<ColorRef> ScriptedPrompts::ChooseColor(QWidget* owner, ColorRef initial,
                                                     const CustomColors& customColors) {
    FAskedColors.push_back({owner, initial, customColors});
    if (FColorScript.empty()) {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::nullopt;
    }
    const std::optional<ColorRef> answer = FColorScript.front();
    FColorScript.pop_front();
    return answer;
}
