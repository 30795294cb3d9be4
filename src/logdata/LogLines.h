#pragma once

#include <QByteArray>

#include <string_view>
#include <utility>
#include <vector>

// The lines of a log file as views into one byte buffer: no string object per line.
class LogLines {
public:
    void Clear();
    // Splits `text` at CR LF, lone CR and lone LF; a NUL ends the text. Empty lines are kept.
    void Load(QByteArray text);
    int Count() const { return static_cast<int>(FSpans.size()); }
    bool IsEmpty() const { return FSpans.empty(); }
    std::string_view Line(int i) const;
    void Append(std::string_view line);
    void Replace(int i, std::string_view line);
    void RemoveEmpty();
    // Takes the first line out of the list.
    std::string_view TakeFirst();

private:
    QByteArray FText;
    std::vector<std::pair<qsizetype, qsizetype>> FSpans; // offset, length
    QByteArray FTaken;
};
