#include "chart/ChartMarks.h"

#include <cmath>
#include <limits>

ChartMarks::Look ChartMarks::LookOf(SpanKind kind) {
    if (kind == SpanKind::Event)
        return {QColor(255, 176, 0, 70), true, true};
    return {QColor(70, 130, 180, 60), false, false};
}

ChartMarks::Look ChartMarks::CursorLook() { return {QColor(40, 40, 40), false, false}; }

void ChartMarks::SetCursor(double key) { FCursor = key; }

bool ChartMarks::HasCursor() const { return !std::isnan(FCursor); }

void ChartMarks::SetSpan(double from, double to, SpanKind kind) {
    if (std::isnan(from) || std::isnan(to) || kind == SpanKind::None) {
        ClearSpan();
        return;
    }
    const bool behind = LookOf(kind).Behind || LookOf(FKind).Behind;
    FKind = kind;
    FFrom = std::min(from, to);
    FTo = std::max(from, to);
    Q_EMIT Changed(behind);
}

void ChartMarks::ClearSpan() {
    if (FKind == SpanKind::None)
        return;
    const bool behind = LookOf(FKind).Behind;
    FKind = SpanKind::None;
    Q_EMIT Changed(behind);
}

std::vector<ChartMarks::Mark> ChartMarks::Entries() const {
    std::vector<Mark> marks;
    if (HasSpan())
        marks.push_back({FFrom, FTo, LookOf(FKind)});
    if (HasCursor())
        marks.push_back({FCursor, FCursor, CursorLook()});
    return marks;
}
