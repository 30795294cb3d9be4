#include "ui/PathOpener.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "ui/OpeningTexts.h"
#include "ui/TMainform.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int TextOpenError = 84;

// The folder with its trailing separator: the multi-day dialog starts there and remembers it.
QString FolderWithSeparator(const QString& folder) {
    QString native = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (!native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

} // namespace

PathOpener::Request PathOpener::Classify(const QStringList& paths) {
    Request request;
    for (const QString& path : paths)
        if (!QFileInfo::exists(path))
            AppError::Raise(Text(TextOpenError) + QStringLiteral("\n\n") + EscapeControls(path) +
                            QLatin1Char('\n') + ReadFailureReason(path));
    request.Paths = paths;
    const auto isFolder = [](const QString& path) { return QFileInfo(path).isDir(); };
    if (paths.isEmpty())
        request.What = Kind::Nothing;
    else if (paths.size() == 1)
        request.What = isFolder(paths[0]) ? Kind::Folder : Kind::Day;
    else if (paths.size() == 2 && !isFolder(paths[0]) && !isFolder(paths[1]))
        request.What = Kind::Range;
    else
        AppError::RaiseText(TextOpenWhat);
    return request;
}

void PathOpener::Open(TMainform& frame, const QStringList& paths,
                      const std::optional<std::vector<int>>& channels) {
    const Request request = Classify(paths);
    switch (request.What) {
    case Kind::Nothing:
        return;
    case Kind::Day:
        frame.OpenLogFile(request.Paths[0], channels);
        return;
    case Kind::Range:
        frame.MultiDayAnalysis(TMainform::DialogOrigin::Paths,
                               FolderWithSeparator(QFileInfo(request.Paths[0]).path()),
                               request.Paths[0], request.Paths[1], channels);
        return;
    case Kind::Folder:
        frame.OpenYieldOverview(QDir::toNativeSeparators(QDir::cleanPath(request.Paths[0])));
        return;
    }
}
