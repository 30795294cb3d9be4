#include "logdata/LogLines.h"

#include <algorithm>
#include <cstring>

void LogLines::Clear() {
    FText.clear();
    FAdded.clear();
    FLines.clear();
    FFirst = 0;
}

void LogLines::Load(QByteArray text) {
    Clear();
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    FText = std::move(text);
    const char* data = FText.constData();
    const char* const end = data + FText.size();
    FLines.reserve(static_cast<size_t>(FText.size() / 40 + 1));
    // Lines end at LF far more often than at a lone CR: find the LF, then any CR before it. The
    // LF found is kept until passed, so a file of lone CRs is still read in one pass.
    const char* start = data;
    const char* lf = nullptr;
    while (start < end) {
        if (lf == nullptr || lf < start) {
            lf = static_cast<const char*>(
                std::memchr(start, '\n', static_cast<size_t>(end - start)));
            if (lf == nullptr)
                lf = end;
        }
        const auto* cr =
            static_cast<const char*>(std::memchr(start, '\r', static_cast<size_t>(lf - start)));
        if (cr != nullptr) {
            FLines.emplace_back(start, static_cast<size_t>(cr - start));
            start = cr + 1 < end && cr[1] == '\n' ? cr + 2 : cr + 1;
        } else {
            FLines.emplace_back(start, static_cast<size_t>(lf - start));
            start = lf < end ? lf + 1 : end;
        }
    }
}

std::string_view LogLines::Keep(std::string_view line) {
    // Copied first: the view may point into a line of our own.
    return FAdded.emplace_back(line);
}

void LogLines::Append(std::string_view line) { FLines.push_back(Keep(line)); }

void LogLines::Replace(int i, std::string_view line) {
    FLines[FFirst + static_cast<size_t>(i)] = Keep(line);
}

void LogLines::RemoveEmpty() {
    const auto from = FLines.begin() + static_cast<std::ptrdiff_t>(FFirst);
    FLines.erase(std::remove_if(from, FLines.end(), [](std::string_view l) { return l.empty(); }),
                 FLines.end());
}

std::string_view LogLines::TakeFirst() {
    FTaken.assign(Line(0));
    ++FFirst;
    return FTaken;
}
