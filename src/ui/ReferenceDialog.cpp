#include "ui/ReferenceDialog.h"

#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"

#include <QDateEdit>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int TextCancel = 44;
constexpr int TextOK = 45;

QRadioButton* Radio(QWidget* parent, const char* name, int text) {
    auto* radio = new QRadioButton(Text(text), parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

QDateEdit* DateEdit(QWidget* parent, const char* name, QDate date) {
    auto* edit = new QDateEdit(date.isValid() ? date : QDate::currentDate(), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}
} // namespace

ReferenceDialog::ReferenceDialog(const ReferenceChoice& choice, QWidget* parent)
    : QDialog(parent), FCanRemove(choice.CanRemove) {
    setObjectName(QStringLiteral("ReferenceDialog"));
    setWindowTitle(Text(TextCompareCaption));
    RadioDayEarlier = Radio(this, "RadioDayEarlier", TextCompareDayEarlier);
    RadioWeekEarlier = Radio(this, "RadioWeekEarlier", TextCompareWeekEarlier);
    RadioYearEarlier = Radio(this, "RadioYearEarlier", TextCompareYearEarlier);
    RadioDays = Radio(this, "RadioDays", TextCompareDaysFrom);
    DateEditFirst = DateEdit(this, "DateEditFirst", choice.First);
    DateEditLast = DateEdit(this, "DateEditLast", choice.Last);
    RadioNone = Radio(this, "RadioNone", TextCompareNone);
    RadioNone->setVisible(choice.CanRemove);
    switch (choice.Which) {
    case ReferenceChoice::Kind::DayEarlier:
        RadioDayEarlier->setChecked(true);
        break;
    case ReferenceChoice::Kind::WeekEarlier:
        RadioWeekEarlier->setChecked(true);
        break;
    case ReferenceChoice::Kind::Days:
        RadioDays->setChecked(true);
        break;
    case ReferenceChoice::Kind::None:
        (choice.CanRemove ? RadioNone : RadioYearEarlier)->setChecked(true);
        break;
    case ReferenceChoice::Kind::YearEarlier:
        RadioYearEarlier->setChecked(true);
        break;
    }
    // The days are chosen where they are offered: a date typed picks the choice too.
    for (QDateEdit* edit : {DateEditFirst, DateEditLast}) {
        connect(edit, &QDateEdit::dateChanged, RadioDays, [this] { RadioDays->setChecked(true); });
    }
    connect(DateEditFirst, &QDateEdit::dateChanged, this, [this](QDate first) {
        if (DateEditLast->date() < first)
            DateEditLast->setDate(first);
    });

    ButtonOK = new QPushButton(Text(TextOK), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(Text(TextCancel), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* days = new QHBoxLayout;
    days->addWidget(RadioDays);
    days->addWidget(DateEditFirst);
    days->addWidget(new QLabel(Text(TextCompareDaysTo), this));
    days->addWidget(DateEditLast);
    days->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioDayEarlier);
    layout->addWidget(RadioWeekEarlier);
    layout->addWidget(RadioYearEarlier);
    layout->addLayout(days);
    layout->addWidget(RadioNone);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

ReferenceChoice ReferenceDialog::Choice() const {
    ReferenceChoice choice;
    choice.CanRemove = FCanRemove;
    choice.First = DateEditFirst->date();
    choice.Last = std::max(DateEditFirst->date(), DateEditLast->date());
    choice.Which = RadioDayEarlier->isChecked()    ? ReferenceChoice::Kind::DayEarlier
                   : RadioWeekEarlier->isChecked() ? ReferenceChoice::Kind::WeekEarlier
                   : RadioDays->isChecked()        ? ReferenceChoice::Kind::Days
                   : RadioNone->isChecked()        ? ReferenceChoice::Kind::None
                                                   : ReferenceChoice::Kind::YearEarlier;
    return choice;
}
