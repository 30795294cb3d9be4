#include "core/FileFailure.h"

#include "core/FileTexts.h"
#include "core/LanguageTexts.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

QString SystemErrorReason(int systemError) {
    switch (systemError) {
    case ENOENT:
        return Text(TextFileMissing);
    case EISDIR:
        return Text(TextFileIsFolder);
    case EACCES:
    case EPERM:
    case EROFS:
        return Text(TextFileAccessDenied);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Text(TextFileDiskFull);
    default:
        break;
    }
    return QString::fromLocal8Bit(std::strerror(systemError));
}

QString ReadFailureReason(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Text(TextFileMissing);
    if (info.isDir())
        return Text(TextFileIsFolder);
    if (!info.exists() || !info.isFile())
        return info.exists() ? Text(TextFileNotRegular) : Text(TextFileMissing);
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return SystemErrorReason(errno);
    ::close(fd);
#else
    if (!info.isReadable())
        return Text(TextFileAccessDenied);
#endif
    return {};
}

QString ReadableSize(std::int64_t bytes) {
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" B");
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString TooLargeReason(std::int64_t bytes) {
    return FormatText(Text(TextFileTooLarge), ReadableSize(bytes));
}

QString FileNotCreatedMessage(const QString& path, const QString& reason) {
    QString message =
        FormatText(QStringLiteral("Datei %s kann nicht erstellt werden"), EscapeControls(path));
    if (!reason.isEmpty())
        message += QStringLiteral("\n\n") + EscapeControls(reason);
    return message;
}

namespace {

bool NeedsEscape(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || // C0, DEL, C1
           c == 0x2028 || c == 0x2029 ||                       // line and paragraph separators
           (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || // direction marks
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

} // namespace

QString EscapeControls(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (!NeedsEscape(c)) {
            result += QString::fromUcs4(&c, 1);
        } else if (c == u'\n') {
            result += QStringLiteral("\\n");
        } else if (c == u'\r') {
            result += QStringLiteral("\\r");
        } else if (c == u'\t') {
            result += QStringLiteral("\\t");
        } else if (c < 0x100) {
            result += QStringLiteral("\\x%1").arg(static_cast<uint>(c), 2, 16, QLatin1Char('0'));
        } else {
            result += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
        }
    }
    return result;
}
