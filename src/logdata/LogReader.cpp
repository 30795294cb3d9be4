#include "logdata/LogReader.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "core/OutOfMemoryError.h"
#include "core/Windows1252.h"
#include "logdata/LogLines.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int TextOpenError = 84;
constexpr int TextNoValues = 85;
constexpr int TextNotLogFile = 86;

const std::array<QByteArrayView, 14> ExpectedNames = {
    "DATE & TIME", "T1", "T2", "T3", "T4", "T5", "T6", "Tds", "V'", "P", "R1", "R2", "R3", "R!"};

QString ReplaceUnit(QByteArrayView unit) {
    if (unit == "[W]")
        return QStringLiteral("[kW]");
    if (unit == "[C]")
        return QStringLiteral("[\u00B0C]");
    if (unit == "[F]")
        return QStringLiteral("[\u00B0F]");
    return DecodeWindows1252(unit);
}
} // namespace

LogReader::LogReader() : Century(CurrentCentury()) {}

QByteArray LogReader::ReadLogLines(const QString& fileName, LogLines& lines) {
    ReadFile(fileName, lines);
    return TakeHeading(lines);
}

void LogReader::ReadFile(const QString& fileName, LogLines& lines) {
    lines.Clear();
    const auto fail = [&fileName](const QString& reason) {
        QString message = Text(TextOpenError) + QStringLiteral("\n\n") +
                          EscapeControls(QFileInfo(fileName).fileName());
        if (!reason.isEmpty())
            message += QStringLiteral("\n\n") + EscapeControls(reason);
        AppError::Raise(message);
    };
    QFile file(fileName);
    qint64 size = 0;
#ifdef Q_OS_UNIX
    // Opened without waiting (a FIFO would block until someone writes), then the opened file is
    // what is checked and measured, so nothing can be swapped in between.
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(SystemErrorReason(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        fail(S_ISDIR(status.st_mode) ? Text(TextFileIsFolder) : Text(TextFileNotRegular));
    }
    size = status.st_size;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(file.errorString());
    }
#else
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        fail(ReadFailureReason(fileName));
    size = file.size();
#endif
    // Refused before a byte is read: the lines' offsets hold 31 bits.
    if (size >= MaxFileSize)
        fail(TooLargeReason(size));
    // One buffer of the size at opening, read to there: a file that grows meanwhile is read as it
    // was, and no buffer grows by doubling.
    QByteArray bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(bytes.data() + done, size - done);
        if (got < 0)
            fail(file.errorString());
        if (got == 0)
            break; // shrunk meanwhile
        done += got;
    }
    bytes.truncate(done);
    // Empty lines are not indexed at all.
    lines.Load(std::move(bytes), false);
}

QByteArray LogReader::TakeHeading(LogLines& lines) {
    lines.RemoveEmpty();
    if (lines.IsEmpty())
        AppError::RaiseText(TextNoValues);
    const std::string_view heading = lines.TakeFirst();
    return QByteArray(heading.data(), static_cast<qsizetype>(heading.size()));
}

bool LogReader::CheckHeading(QByteArrayView heading, ChannelUnits& units) {
    char separator = ';';
    if (!heading.contains(';')) {
        if (!heading.contains('\t'))
            AppError::RaiseText(TextNotLogFile);
        separator = '\t';
    }
    QByteArrayView rest = heading;
    for (int i = 0; i < 14; ++i) {
        QByteArrayView field = rest;
        const qsizetype cut = rest.indexOf(separator);
        if (cut >= 0) {
            field = rest.first(cut);
            rest = rest.sliced(cut + 1);
        }
        const qsizetype bracket = field.indexOf('[');
        if (bracket >= 0) {
            if (i >= 1)
                units[static_cast<size_t>(i - 1)] = ReplaceUnit(field.sliced(bracket));
            field = field.first(bracket);
        }
        if (i == 0) {
            if (field == "DATE & TIME") {
                Convention = DateConvention::YearFirstIso();
                continue;
            }
            if (field == "dd.mm.yy hh:mm") {
                Convention = DateConvention::DayFirst();
                continue;
            }
        }
        if (field != ExpectedNames[static_cast<size_t>(i)])
            return false;
    }
    return true;
}

DateTime LogReader::GetFileDate(const LogLines& lines) {
    if (lines.IsEmpty())
        AppError::RaiseText(TextNoValues);
    const std::string_view line = lines.Line(lines.Count() >= 2 ? 1 : 0);
    DateTime result = 0;
    const auto n = static_cast<size_t>(Convention.FormatLength());
    if (TextToDate(line.substr(0, n), Convention, Century, result))
        return result;
    const DateConvention remembered = Convention;
    Convention = DateConvention::DayFirstWithTime();
    const bool ok = TextToDateTime(line.substr(0, 16), Convention, Century, result);
    Convention = remembered;
    if (!ok)
        AppError::RaiseText(TextNotLogFile);
    // The file's day is a date: a time of day here would move afternoon files to the next day.
    return std::floor(result);
}

DateTime LogReader::OpenDayFile(const QString& fileName, LogLines& lines, ChannelUnits& units) {
    ReadFile(fileName, lines);
    return TakeDayFile(lines, units);
}

DateTime LogReader::TakeDayFile(LogLines& lines, ChannelUnits& units) {
    const QByteArray heading = TakeHeading(lines);
    // Read by position, a stray file of another kind would put foreign values into the day.
    ChannelUnits checked = units;
    if (!CheckHeading(heading, checked))
        AppError::RaiseText(TextNotLogFile);
    units = checked;
    return GetFileDate(lines);
}
