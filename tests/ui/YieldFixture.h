#pragma once

#include "MainformFixture.h"

#include "ui/TYieldWindow.h"

#include <QTemporaryDir>

// The main window's yield overview on a folder of logs a test writes into `Logs`.
class YieldFixture : public MainformFixture {
protected:
    // In English, the folder of the logs chosen in the first folder dialog.
    TYieldWindow* OpenYieldWindow(TMainform& form) {
        form.ActionLanguageEnglish->trigger();
        Prompts.ExpectFile(Logs.path());
        form.ActionYieldOverview->trigger();
        TYieldWindow* window = form.YieldWindowOf();
        EXPECT_NE(window, nullptr);
        if (window != nullptr)
            window->WaitForScan();
        return window;
    }

    QTemporaryDir Logs;
};
