#include "output/SpreadsheetHandOver.h"

#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "output/CommaCopy.h"
#include "settings/SettingsStore.h"

#include <QDir>
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
    return {QStringLiteral("localc"), QStringLiteral("libreoffice"), QStringLiteral("soffice"),
            QStringLiteral("gnumeric")};
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
    const auto fail = [&] {
        prompts.Fail(Text(TextStartFailed), Text(TextError) + QLatin1Char(':'));
        return HandOverResult::Failed;
    };

    QString file = QFileInfo(logPath).absoluteFilePath();
    char separator = ';';
    if (english) {
        const QString folder = platform.TemporaryFolder();
        if (folder.isEmpty())
            return fail();
        const QString copy = QDir(folder).absoluteFilePath(CommaCopyName(logPath));
        if (!WriteCommaCopy(logPath, copy))
            return fail();
        file = copy;
        separator = ',';
    }
    const auto launch = [&](const QString& program) {
        return !program.isEmpty() &&
               platform.LaunchProgram(program, SpreadsheetArguments(program, file, separator));
    };

    for (const QString& name : KnownSpreadsheetPrograms())
        if (launch(platform.FindProgram(name)))
            return HandOverResult::KnownSpreadsheet;

    const QString registered = platform.DefaultApplication(QStringLiteral("text/csv"));
    if (launch(registered))
        return HandOverResult::DefaultApplication;

    QString stored;
    if (store) {
        stored = store->GetExcelPath();
        if (launch(stored))
            return HandOverResult::StoredProgram;
    }

    prompts.Inform(Text(TextNotFound), Text(TextInformation) + QLatin1Char(':'));
    const QString near = store ? stored : registered;
    const QString initialFolder = near.isEmpty() ? QString() : QFileInfo(near).absolutePath();
    QString picked = KnownSpreadsheetPrograms().first();
    if (!prompts.PickProgram(picked, Text(TextAllFiles) + QStringLiteral(" (*.*)|*"),
                             initialFolder))
        return HandOverResult::Cancelled;
    if (launch(picked)) {
        if (store)
            store->SetExcelPath(picked);
        return HandOverResult::PickedProgram;
    }

    if (platform.OpenDocument(file))
        return HandOverResult::OpenedByType;
    return fail();
}
