#pragma once

#include "settings/FakePlatform.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// Records every launch and answers from fields: which programs are on PATH, the desktop's CSV
// application, which programs start and whether a document opens.
class ScriptedPlatform : public FakePlatform {
public:
    struct Launch {
        QString Program;
        QStringList Arguments;
    };

    QMap<QString, QString> OnPath; // name -> full path
    QString CsvApplication;        // empty: none registered
    QSet<QString> Starting;        // programs whose launch succeeds
    bool DocumentOpens = false;
    std::vector<Launch> Launches;
    QStringList DocumentsOpened;

    QString FindProgram(const QString& name) const override { return OnPath.value(name); }
    QString DefaultApplication(const QString& mimeType) const override {
        return mimeType == QLatin1String("text/csv") ? CsvApplication : QString();
    }
    bool LaunchProgram(const QString& program, const QStringList& arguments) override {
        Launches.push_back({program, arguments});
        return Starting.contains(program);
    }
    bool OpenDocument(const QString& target) override {
        DocumentsOpened << target;
        return DocumentOpens;
    }
    QStringList LaunchedPrograms() const {
        QStringList programs;
        for (const Launch& launch : Launches)
            programs << launch.Program;
        return programs;
    }
};
