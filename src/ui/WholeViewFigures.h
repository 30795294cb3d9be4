#pragma once

#include "core/DateTime.h"
#include "ui/SpanPanel.h"

#include <QLabel>

#include <vector>

// Below the charts while a reference period lies under them and no span is marked: the sums of
// the whole view (the time window on screen) for both periods, Volume, Energy, the outputs'
// on-time and starts, each with its difference in % of the reference. The rows are those the
// span panel lists for a span over the same times.
class WholeViewFigures : public QLabel {
    Q_OBJECT
public:
    explicit WholeViewFigures(QWidget* parent);

    // `reference` names the period laid under the charts.
    void ShowView(DateTime from, DateTime to, const std::vector<SpanPanel::Row>& rows,
                  const QString& reference);
    // A figure as the line writes it: the period's, then the reference's and the difference.
    static QString Compared(const QString& own, const QString& reference, double percent);
};
