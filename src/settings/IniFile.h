#pragma once

#include <QString>
#include <QStringList>

// An INI file read and written the way the Windows private-profile functions do: names match
// without regard to case, the first of duplicate sections and keys wins, a write replaces a key
// where it stands, appends a new key at the end of its section and a new section at the end of the
// file, and every line it does not understand stays as it was.
class IniFile {
public:
    static constexpr int MaxValueLength = 2047;

    // The system's 8-bit code page: the ANSI one on Windows, UTF-8 elsewhere.
    enum class Encoding { Utf8, Windows1252 };
#ifdef Q_OS_WIN
    static constexpr Encoding SystemEncoding = Encoding::Windows1252;
#else
    static constexpr Encoding SystemEncoding = Encoding::Utf8;
#endif

    explicit IniFile(QString path, Encoding encoding = SystemEncoding);

    // Reads the whole file. A missing file is an empty one; false only when an existing file cannot
    // be read. In UTF-8, a file that is not valid UTF-8 (copied from Windows) is read as
    // Windows-1252.
    bool Load();
    // Writes the content through a temporary file in the same folder that replaces the old one, so
    // a crash or a full disk loses nothing. Refuses (false) when the existing file may not be
    // written; `reason` says why it failed.
    bool Save(QString* reason = nullptr);

    // Removes the temporary files that saves killed half-way left beside the file ("name.XXXXXX"),
    // except ones so young that another instance of the program may still be writing them.
    void RemoveStaleTemporaries() const;

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, "$" hex or "0x"/"0X" hex of the whole trimmed value; anything else is `fallback`.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // The keys of a section in file order, each once (as first written); empty without the section.
    QStringList Keys(const QString& section) const;
    // The sections in file order, each once (as first written).
    QStringList Sections() const;
    // In memory until Save. Only the text up to the first CR, LF or NUL is written: a line break
    // would otherwise plant a false section into the file.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

    const QString& Path() const { return FPath; }
    const QStringList& Lines() const { return FLines; }

private:
    // Index of the section's header line, or -1.
    int FindSection(const QString& section) const;
    // Index of the key's line inside the section starting after `header`, or -1.
    int FindKey(int header, const QString& key) const;

    QString FPath;
    Encoding FEncoding;
    QStringList FLines;
};

// Parses an integer value as a private-profile reader does; false for anything else.
bool ParseProfileInteger(const QString& text, int& result);
