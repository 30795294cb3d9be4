#pragma once

#include "ui/Prompts.h"

#include <QDialog>

class QDateEdit;
class QPushButton;
class QRadioButton;

// Which period an analysis is compared with: the same span a day, a week or a year earlier, days
// of one's own choosing, or none any more.
class ReferenceDialog : public QDialog {
    Q_OBJECT
public:
    ReferenceDialog(const ReferenceChoice& choice, QWidget* parent = nullptr);
    ReferenceChoice Choice() const;

    QRadioButton* RadioDayEarlier = nullptr;
    QRadioButton* RadioWeekEarlier = nullptr;
    QRadioButton* RadioYearEarlier = nullptr;
    QRadioButton* RadioDays = nullptr;
    QDateEdit* DateEditFirst = nullptr;
    QDateEdit* DateEditLast = nullptr;
    QRadioButton* RadioNone = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    bool FCanRemove = false;
};
