#pragma once

#include "core/DateTime.h"
#include "health/HealthThresholds.h"
#include "ledger/Ledger.h"
#include "settings/PlantProfile.h"

#include <QDate>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <vector>

class HealthDays;

// The steps that every kind of report run takes alike.

// A reason on one line; what it quotes from outside cannot start another.
QString OneLine(QString text);
DateTime ReportDay(QDate day); // 0 for a null date

// Reads the files, with a progress line on a terminal once the scan takes longer than a moment.
void ReadWithProgress(Ledger& ledger, HealthDays& health, const QStringList& files,
                      QTextStream& err, bool progress);

// Lists passed-over files on `err`, each file and reason once however often it is met.
class SkipList {
public:
    explicit SkipList(QTextStream& err) : Err(err) {}
    void Add(const std::vector<DaySkip>& skips);

private:
    QTextStream& Err;
    QSet<QString> Said;
};

// What a run takes from the user's settings where they can be read, else the defaults.
struct UserSettings {
    HealthThresholds Limits;
    std::vector<PlantProfile> Plants;
};
UserSettings ReadUserSettings();
