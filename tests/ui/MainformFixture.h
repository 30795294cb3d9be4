#pragma once

#include "core/LanguageTexts.h"
#include "settings/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TMainform.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A main window whose settings store lives in a temporary configuration folder, with scripted
// prompts; German is current again after each test.
class MainformFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.path();
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    TMainform::StoreFactory StoreInTemp() {
        return [this] { return std::make_unique<SettingsStore>(Os); };
    }
    QString IniPath() const { return Temp.filePath(QStringLiteral("Tarvex/Solvista.ini")); }
    // Shows the frame and lets its start-up work run, as the event loop would.
    static void Start(TMainform& form) {
        form.show();
        form.activateWindow();
        QApplication::processEvents();
        QApplication::processEvents();
    }

    QTemporaryDir Temp;
    FakePlatform Os;
    ScriptedPrompts Prompts;
};
