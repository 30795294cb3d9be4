#include "output/SpreadsheetHandOver.h"

#include "core/FileFailure.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "output/CommaCopy.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int TextNotFound = 99;
constexpr int TextStartFailed = 100;
constexpr int TextInformation = 53;
constexpr int TextError = 51;
constexpr int TextAllFiles = 74;

bool IsCalc(const QString& base) {
    return base == QLatin1String("localc") || base == QLatin1String("scalc");
}
bool IsOfficeSuite(const QString& base) {
    return base == QLatin1String("libreoffice") || base == QLatin1String("soffice");
}

} // namespace

QStringList KnownSpreadsheetPrograms() {
    return {QStringLiteral("localc"), QStringLiteral("libreoffice"), QStringLiteral("soffice")};
}

QStringList SpreadsheetArguments(const QString& program, const QString& file, char separator) {
    const QString base = QFileInfo(program).completeBaseName().toLower();
    if (!IsCalc(base) && !IsOfficeSuite(base))
        return {file};
    // Separator, quote ("), Windows-1252, from line 1, no column formats, German number
    // recognition (the logger writes decimal commas).
    const QString filter =
        QStringLiteral("--infilter=Text - txt - csv (StarCalc):%1,34,ANSI,1,,1031")
            .arg(static_cast<int>(separator));
    QStringList arguments;
    if (IsOfficeSuite(base))
        arguments << QStringLiteral("--calc");
    arguments << filter << file;
    return arguments;
}

HandOverResult HandOverToSpreadsheet(const QString& logPath, bool english, SettingsStore* store,
                                     Platform& platform, HandOverPrompts& prompts) {
    const auto fail = [&](const QString& reason = QString()) {
        prompts.Fail(reason.isEmpty()
                         ? Text(TextStartFailed)
                         : Text(TextStartFailed) + QStringLiteral("\n\n") + EscapeControls(reason),
                     Text(TextError) + QLatin1Char(':'));
        return HandOverResult::Failed;
    };

    // The spreadsheet only ever sees a copy in the program's own folder: saved there in its own
    // format, the user's log would no longer read as a log.
    const QString folder = platform.TemporaryFolder();
    if (folder.isEmpty())
        return fail();
    const QString file = QDir(folder).absoluteFilePath(english ? CommaCopyName(logPath)
                                                               : QFileInfo(logPath).fileName());
    QString reason;
    if (!(english ? WriteCommaCopy(logPath, file, &reason) : WriteByteCopy(logPath, file, &reason)))
        return fail(reason);
    const char separator = english ? ',' : ';';
    const auto launch = [&](const QString& program) {
        return !program.isEmpty() &&
               platform.LaunchProgram(program, SpreadsheetArguments(program, file, separator));
    };

    for (const QString& name : KnownSpreadsheetPrograms())
        if (launch(platform.FindProgram(name)))
            return HandOverResult::KnownSpreadsheet;

    // Only where the desktop names an application for the type: asked to open a file it has
    // none for, the desktop may still report success and show nothing.
    const QString registered = platform.DefaultApplication(QStringLiteral("text/csv"));
    const bool triedByType = !registered.isEmpty();
    if (triedByType && platform.OpenDocument(file))
        return HandOverResult::DefaultApplication;

    QString stored;
    if (store) {
        stored = store->GetExcelPath();
        if (launch(stored))
            return HandOverResult::StoredProgram;
    }

#ifdef Q_OS_WIN
    prompts.Inform(Text(TextNotFound), Text(TextInformation) + QLatin1Char(':'));
    const QString programFolder;
#else
    // Elsewhere there is no Excel.exe to miss, and the programs live in one folder.
    prompts.Inform(Text(TextNoSpreadsheet), Text(TextInformation) + QLatin1Char(':'));
    const QString programFolder = QStringLiteral("/usr/bin");
#endif
    const QString initialFolder =
        stored.isEmpty() ? programFolder : QFileInfo(stored).absolutePath();
    QString picked = KnownSpreadsheetPrograms().first();
    if (!prompts.PickProgram(picked, Text(TextAllFiles) + QStringLiteral(" (*.*)|*"),
                             initialFolder))
        return HandOverResult::Cancelled;
    if (launch(picked)) {
        if (store)
            store->SetExcelPath(picked);
        return HandOverResult::PickedProgram;
    }

    if (!triedByType && platform.OpenDocument(file))
        return HandOverResult::OpenedByType;
    return fail();
}
