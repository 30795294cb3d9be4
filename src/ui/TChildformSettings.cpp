#include "ui/TChildform.h"

#include "ui/ErrorBoundary.h"
#include "ui/TDialogSettings.h"

#include <QAction>

void TChildform::ConnectSettingsCommand() {
    connect(ActionOpenSettings, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionOpenSettingsExecute(); }));
}

void TChildform::ActionOpenSettingsExecute() {
    if (TDialogSettings* shared = TDialogSettings::Instance()) {
        EditWindowSettings(*shared, *this);
        return;
    }
    TDialogSettings own(window());
    EditWindowSettings(own, *this);
}
