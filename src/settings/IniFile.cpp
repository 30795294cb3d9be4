#include "settings/IniFile.h"

#include "core/SafeFile.h"
#include "core/Windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool IsSectionLine(const QString& line, QString* name = nullptr) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return false;
    if (name)
        *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool KeyOfLine(const QString& line, QString& key) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return false;
    key = line.left(equals).trimmed();
    return true;
}

QString CutAtLineBreak(const QString& value) {
    qsizetype end = 0;
    while (end < value.size() && value[end] != u'\r' && value[end] != u'\n' && value[end] != u'\0')
        ++end;
    return value.left(end);
}

// Characters outside the code page become "?", as the system's own conversion does.
QByteArray EncodeWindows1252(const QString& text) {
    static const QHash<char16_t, char> byCode = [] {
        QHash<char16_t, char> table;
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            table.insert(DecodeWindows1252(QByteArrayView(&byte, 1)).front().unicode(), byte);
        }
        return table;
    }();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes += byCode.value(c.unicode(), '?');
    return bytes;
}

} // namespace

IniFile::IniFile(QString path, Encoding encoding) : FPath(std::move(path)), FEncoding(encoding) {}

bool IniFile::Load() {
    FLines.clear();
    QFile file(FPath);
    if (!file.exists())
        return true;
    if (!QFileInfo(FPath).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    // An editor that added a byte-order mark to a file that had one already leaves two; a decoder
    // drops only the first, and the next would hide the first section's name.
    while (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QString text;
    if (FEncoding == Encoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes);
        if (utf8.hasError())
            text = DecodeWindows1252(bytes);
    } else {
        text = DecodeWindows1252(bytes);
    }
    FLines = text.split(u'\n');
    for (QString& line : FLines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!FLines.isEmpty() && FLines.last().isEmpty())
        FLines.removeLast(); // the final line end
    return true;
}

bool IniFile::Save(QString* reason) {
    QByteArray bytes;
    for (const QString& line : FLines) {
        bytes += FEncoding == Encoding::Utf8 ? line.toUtf8() : EncodeWindows1252(line);
        bytes += "\r\n";
    }
    return SafeFile::WriteAll(FPath, bytes, reason);
}

void IniFile::RemoveStaleTemporaries() const {
    const QFileInfo info(FPath);
    const QDir folder = info.absoluteDir();
    // The temporary file of a save is named after the target with six random letters or digits.
    const QRegularExpression temporary(QLatin1Char('^') +
                                       QRegularExpression::escape(info.fileName()) +
                                       QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    const QDateTime young = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList entries =
        folder.entryInfoList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries)
        if (temporary.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < young)
            QFile::remove(entry.absoluteFilePath());
}

int IniFile::FindSection(const QString& section) const {
    QString name;
    for (int i = 0; i < FLines.size(); ++i)
        if (IsSectionLine(FLines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::FindKey(int header, const QString& key) const {
    QString name;
    for (int i = header + 1; i < FLines.size() && !IsSectionLine(FLines[i]); ++i)
        if (KeyOfLine(FLines[i], name) && name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& fallback) const {
    const int header = FindSection(section);
    const int at = header < 0 ? -1 : FindKey(header, key);
    if (at < 0)
        return fallback;
    const QString& line = FLines[at];
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(MaxValueLength);
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    const int header = FindSection(section);
    if (header < 0)
        return keys;
    QString name;
    for (int i = header + 1; i < FLines.size() && !IsSectionLine(FLines[i]); ++i)
        if (KeyOfLine(FLines[i], name) && !keys.contains(name, Qt::CaseInsensitive))
            keys.append(name);
    return keys;
}

QStringList IniFile::Sections() const {
    QStringList sections;
    QString name;
    for (const QString& line : FLines)
        if (IsSectionLine(line, &name) && !sections.contains(name, Qt::CaseInsensitive))
            sections.append(name);
    return sections;
}

bool ParseProfileInteger(const QString& text, int& result) {
    const QString value = text.trimmed();
    QString hex;
    if (value.startsWith(u'$'))
        hex = value.mid(1);
    else if (value.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        hex = value.mid(2);
    bool ok = false;
    if (!hex.isNull()) {
        if (hex.isEmpty() || hex.size() > 8 || hex.startsWith(u'+') || hex.startsWith(u'-'))
            return false;
        const uint bits = hex.toUInt(&ok, 16);
        if (ok)
            result = static_cast<int>(bits);
        return ok;
    }
    // Base 10 always: "010" is ten, not octal.
    const int number = value.toInt(&ok, 10);
    if (ok)
        result = number;
    return ok;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    int value = fallback;
    return ParseProfileInteger(ReadString(section, key, QString()), value) ? value : fallback;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString line = key + u'=' + CutAtLineBreak(value);
    int header = FindSection(section);
    if (header < 0) {
        FLines.append(u'[' + section + u']');
        FLines.append(line);
        return;
    }
    const int at = FindKey(header, key);
    if (at >= 0) {
        FLines[at] = line;
        return;
    }
    // After the section's last line that is not blank, so blank separators stay below it.
    int last = header;
    for (int i = header + 1; i < FLines.size() && !IsSectionLine(FLines[i]); ++i)
        if (!FLines[i].trimmed().isEmpty())
            last = i;
    FLines.insert(last + 1, line);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}
