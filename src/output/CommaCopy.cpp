#include "output/CommaCopy.h"

#include "core/FileFailure.h"
#include "core/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

QString CommaCopyName(const QString& logPath) {
    const QString name = QFileInfo(logPath).fileName();
    const qsizetype stemLength = name.size() - 4;
    const QString stem = stemLength > 0 ? name.left(stemLength).right(8) : QString();
    return stem + QStringLiteral("c.csv");
}

namespace {

bool Refuse(QString* reason, const QString& why) {
    if (reason != nullptr)
        *reason = why;
    return false;
}

// Opens the log for reading, or says why not.
bool OpenLog(QFile& log, QString* reason) {
    if (!QFileInfo(log.fileName()).isFile() || !log.open(QIODevice::ReadOnly))
        return Refuse(reason, ReadFailureReason(log.fileName()));
    return true;
}

// Streams the log through `change` into a safely written copy.
template <typename Change>
bool CopyThrough(const QString& logPath, const QString& copyPath, QString* reason,
                 Change&& change) {
    QFile log(logPath);
    if (!OpenLog(log, reason))
        return false;
    SafeFile copy(copyPath);
    if (!copy.Open())
        return Refuse(reason, copy.Reason());
    if (!change(log, copy))
        return Refuse(reason, copy.Reason().isEmpty() ? log.errorString() : copy.Reason());
    if (!copy.Commit())
        return Refuse(reason, copy.Reason());
    return true;
}

} // namespace

bool WriteCommaCopy(const QString& logPath, const QString& copyPath, QString* reason) {
    return CopyThrough(logPath, copyPath, reason, [](QFile& log, SafeFile& copy) {
        while (!log.atEnd()) {
            // Bytes, not text: the log's own encoding goes over unchanged.
            QByteArray line = log.readLine();
            if (line.isEmpty() && log.error() != QFileDevice::NoError)
                return false;
            if (line.endsWith('\n'))
                line.chop(1);
            if (line.endsWith('\r'))
                line.chop(1);
            line.replace(';', ',');
            line.append("\r\n");
            if (!copy.Write(line))
                return false;
        }
        return log.error() == QFileDevice::NoError;
    });
}

bool WriteByteCopy(const QString& logPath, const QString& copyPath, QString* reason) {
    return CopyThrough(logPath, copyPath, reason, [](QFile& log, SafeFile& copy) {
        QByteArray block(1 << 16, Qt::Uninitialized);
        for (;;) {
            const qint64 got = log.read(block.data(), block.size());
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            if (!copy.Write(QByteArrayView(block.constData(), got)))
                return false;
        }
    });
}
