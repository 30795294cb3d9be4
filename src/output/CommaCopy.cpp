#include "output/CommaCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString CommaCopyName(const QString& logPath) {
    const QString name = QFileInfo(logPath).fileName();
    const qsizetype stemLength = name.size() - 4;
    const QString stem = stemLength > 0 ? name.left(stemLength).right(8) : QString();
    return stem + QStringLiteral("c.csv");
}

bool WriteCommaCopy(const QString& logPath, const QString& copyPath) {
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return false;
    QSaveFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly))
        return false;
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
        if (copy.write(line) != line.size())
            return false;
    }
    if (log.error() != QFileDevice::NoError)
        return false;
    return copy.commit();
}
