#pragma once

#include <QByteArray>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The lines of a log file as views into one byte buffer: no string object per line. Lines added
// or replaced later live in a store of their own, so the file's buffer never moves.
class LogLines {
public:
    LogLines() = default;
    // The views point into this object's buffers: a copy would point into the original.
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    void Clear();
    // Splits `text` at CR LF, lone CR and lone LF; a NUL ends the text. Empty lines are kept.
    void Load(QByteArray text);
    int Count() const { return static_cast<int>(FLines.size() - FFirst); }
    bool IsEmpty() const { return Count() == 0; }
    std::string_view Line(int i) const { return FLines[FFirst + static_cast<size_t>(i)]; }
    void Append(std::string_view line);
    void Replace(int i, std::string_view line);
    void RemoveEmpty();
    // Takes the first line out of the list.
    std::string_view TakeFirst();

private:
    std::string_view Keep(std::string_view line);

    QByteArray FText;
    std::deque<std::string> FAdded; // a deque never moves what it holds
    std::vector<std::string_view> FLines;
    size_t FFirst = 0; // lines before it were taken
    std::string FTaken;
};
