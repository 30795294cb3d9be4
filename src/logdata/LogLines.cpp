#include "logdata/LogLines.h"

void LogLines::Clear() {
    FText.clear();
    FSpans.clear();
}

void LogLines::Load(QByteArray text) {
    Clear();
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    FText = std::move(text);
    const char* data = FText.constData();
    const qsizetype size = FText.size();
    FSpans.reserve(static_cast<size_t>(size / 40 + 1));
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            FSpans.emplace_back(start, i - start);
            i += (c == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < size)
        FSpans.emplace_back(start, size - start);
}

std::string_view LogLines::Line(int i) const {
    const auto& span = FSpans[static_cast<size_t>(i)];
    return {FText.constData() + span.first, static_cast<size_t>(span.second)};
}

void LogLines::Append(std::string_view line) {
    const qsizetype offset = FText.size();
    FText.append(line.data(), static_cast<qsizetype>(line.size()));
    FSpans.emplace_back(offset, static_cast<qsizetype>(line.size()));
}

void LogLines::Replace(int i, std::string_view line) {
    // The view may point into our own buffer, which append can move: copy it first.
    const QByteArray copy(line.data(), static_cast<qsizetype>(line.size()));
    const qsizetype offset = FText.size();
    FText.append(copy);
    FSpans[static_cast<size_t>(i)] = {offset, copy.size()};
}

void LogLines::RemoveEmpty() {
    std::erase_if(FSpans, [](const auto& span) { return span.second == 0; });
}

std::string_view LogLines::TakeFirst() {
    const std::string_view first = Line(0);
    FTaken = QByteArray(first.data(), static_cast<qsizetype>(first.size()));
    FSpans.erase(FSpans.begin());
    return {FTaken.constData(), static_cast<size_t>(FTaken.size())};
}
