#pragma once

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The lines of a log file as views into one byte buffer: no string object per line, and an index
// of eight bytes per line sized exactly, so a file of millions of short lines costs little more
// than its bytes. Lines added or replaced later live in a store of their own, so the file's
// buffer never moves.
class LogLines {
public:
    LogLines() = default;
    // The views point into this object's buffers: a copy would point into the original.
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    void Clear();
    // Splits `text` at CR LF, lone CR and lone LF; a NUL ends the text. Empty lines are kept
    // unless `keepEmpty` is false. Raises std::bad_alloc for a text of 2 GiB or more.
    void Load(QByteArray text, bool keepEmpty = true);
    // Whether the text last loaded began with an empty line (also when it was not kept).
    bool StartedWithEmptyLine() const { return FStartedEmpty; }
    int Count() const { return static_cast<int>(FLines.size() - FFirst); }
    bool IsEmpty() const { return Count() == 0; }
    std::string_view Line(int i) const {
        const Entry& e = FLines[FFirst + static_cast<size_t>(i)];
        if ((e.Length & AddedFlag) != 0)
            return FAdded[e.Offset];
        return {FText.constData() + e.Offset, e.Length};
    }
    void Append(std::string_view line);
    void Replace(int i, std::string_view line);
    void RemoveEmpty();
    // Takes the first line out of the list.
    std::string_view TakeFirst();
    // The lines before `i` are not read again: the memory of their text goes back to the system
    // (in steps of a MiB, so a large file read line after line never holds its text and what is
    // made of it at once). A text shared with another owner is kept.
    void ReleaseBefore(int i);
    // Bytes held by the text and the index, for tests and measurements.
    std::size_t Capacity() const;

private:
    struct Entry {
        std::uint32_t Offset; // into the text, or the added line's number
        std::uint32_t Length; // AddedFlag marks an added line
    };
    static constexpr std::uint32_t AddedFlag = 0x80000000U;
    Entry Keep(std::string_view line);
    template <typename F> static void Split(const char* data, const char* end, F&& line);

    QByteArray FText;
    std::deque<std::string> FAdded; // a deque never moves what it holds
    std::vector<Entry> FLines;
    size_t FFirst = 0; // lines before it were taken
    std::string FTaken;
    size_t FReleased = 0; // the text before this offset went back to the system
    bool FStartedEmpty = false;
};
