#include "ui/CompareCommand.h"

#include "logdata/ReferenceShift.h"
#include "logdata/TAnalysisData.h"
#include "ui/Prompts.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QApplication>

namespace {

ReferenceChoice& ChoiceOfThisRun() {
    static ReferenceChoice choice;
    return choice;
}

QDate DateOf(DateTime day) {
    const DateParts parts = DecodeDate(day);
    return {parts.Year, parts.Month, parts.Day};
}

DateTime DayOf(QDate date) {
    DateTime day = 0.0;
    EncodeDate(date.year(), date.month(), date.day(), day);
    return day;
}

} // namespace

void RunCompareCommand(QWidget* owner, ReferencePeriod& reference, const TAnalysisData* data) {
    if (data == nullptr || data->GetDayCount() == 0)
        return;
    const DateTime first = data->IsMultiDay() ? data->GetFirstDate() : data->GetStartDate(0);
    const DateTime last = data->IsMultiDay() ? data->GetLastDate() : data->GetStartDate(0);
    ReferenceChoice choice = ChoiceOfThisRun();
    choice.CanRemove = reference.Active();
    if (!choice.First.isValid() || choice.Which != ReferenceChoice::Kind::Days) {
        // Offered at first: the period's own days a year before.
        choice.First = DateOf(first).addYears(-1);
        choice.Last = DateOf(last).addYears(-1);
    }
    if (!CurrentPrompts().ChooseReference(owner, choice))
        return;
    if (choice.Which != ReferenceChoice::Kind::None)
        ChoiceOfThisRun() = choice;
    ReferenceShift shift;
    DateTime from = 0.0;
    DateTime to = 0.0;
    switch (choice.Which) {
    case ReferenceChoice::Kind::None:
        reference.Clear();
        return;
    case ReferenceChoice::Kind::DayEarlier:
        shift = ReferenceShift::DaysEarlier(1);
        break;
    case ReferenceChoice::Kind::WeekEarlier:
        shift = ReferenceShift::DaysEarlier(7);
        break;
    case ReferenceChoice::Kind::YearEarlier:
        shift = ReferenceShift::YearsEarlier(1);
        break;
    case ReferenceChoice::Kind::Days:
        from = DayOf(choice.First);
        to = DayOf(choice.Last);
        shift = ReferenceShift::Between(first, from);
        break;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        reference.Load(shift, from, to);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}
