#pragma once

#include "core/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>

// Answers from fields; folders are made on the real file system unless `MakeFolderAnswer` is set.
class FakePlatform : public Platform {
public:
    Family FamilyAnswer = Family::Posix;
    int MajorAnswer = 0;
    QMap<QString, QString> Variables; // names as given; looked up without regard to case
    QString ExecutableAnswer = QStringLiteral("/opt/solvista/bin");
    std::optional<bool> MakeFolderAnswer;
    QStringList FoldersMade;
    QSet<QString> ReadOnlyFiles;

    Family OsFamily() const override { return FamilyAnswer; }
    int OsMajorVersion() const override { return MajorAnswer; }
    std::optional<QString> Environment(const QString& name) const override {
        for (auto it = Variables.begin(); it != Variables.end(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value();
        return std::nullopt;
    }
    QString ExecutableFolder() const override { return ExecutableAnswer; }
    bool MakeFolder(const QString& path) override {
        FoldersMade.append(path);
        if (MakeFolderAnswer)
            return *MakeFolderAnswer;
        return QFileInfo(path).isDir() || QDir().mkdir(path);
    }
    bool MayWriteFile(const QString& path) const override { return !ReadOnlyFiles.contains(path); }
    bool OpenDocument(const QString&) override { return false; }
    bool LaunchProgram(const QString&, const QStringList&) override { return false; }
    qint64 TickMs() const override { return 0; }

    // Handing files to other programs: nothing is installed unless a test says so.
    QString FindProgram(const QString&) const override { return QString(); }
    QString DefaultApplication(const QString&) const override { return QString(); }
    QString TemporaryFolder() override { return TemporaryAnswer; }
    QString TemporaryAnswer;
};
