#pragma once

#include <QColor>
#include <QObject>

#include <limits>
#include <vector>

// What the charts of one analysis mark over their series: the time cursor and one span. The span
// is the user's (marked with the mouse, screen only) or an event's (found in the data, saved and
// printed with the chart); either replaces the other. Surfaces that share the model draw the same
// marks.
class ChartMarks : public QObject {
    Q_OBJECT
public:
    explicit ChartMarks(QObject* parent = nullptr) : QObject(parent) {}

    enum class SpanKind { None, User, Event };
    struct Look {
        QColor Fill;
        bool Printed = false;
        // Behind the series; a change of such a mark takes a replot of the whole chart.
        bool Behind = false;
    };
    static Look LookOf(SpanKind kind);
    static Look CursorLook();
    // From == To: a line at that time.
    struct Mark {
        double From = 0.0;
        double To = 0.0;
        Look Style;
    };

    // A NaN key hides the cursor.
    void SetCursor(double key);
    double CursorKey() const { return FCursor; }
    bool HasCursor() const;
    // The bounds in either order; a NaN bound clears the span.
    void SetSpan(double from, double to, SpanKind kind);
    void ClearSpan();
    SpanKind Span() const { return FKind; }
    bool HasSpan() const { return FKind != SpanKind::None; }
    double SpanFrom() const { return FFrom; }
    double SpanTo() const { return FTo; }

    // The marks in drawing order.
    std::vector<Mark> Entries() const;

Q_SIGNALS:
    // `behind`: a mark behind the series changed. Marks in front are redrawn by whoever moves
    // them, once per action.
    void Changed(bool behind);

private:
    double FCursor = std::numeric_limits<double>::quiet_NaN();
    SpanKind FKind = SpanKind::None;
    double FFrom = 0.0;
    double FTo = 0.0;
};
