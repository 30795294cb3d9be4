#pragma once

#include "chart/ChartSurface.h"

#include <QString>

#include <functional>

class TAnalysisData;
struct WindowSettings;

enum class MarginSide { Left, Right };

// The value axes of an analysis window's two charts: their fixed look, the unit titles of the
// channels shown, Flow and Power on the right axis when temperatures are shown too, dynamic
// scaling, and the lower chart's margins that keep both plot areas over one time axis.
class WindowAxes {
public:
    WindowAxes(ChartSurface& chart, ChartSurface& chart2) : Chart(chart), Chart2(chart2) {}

    using Checked = std::function<bool(int channel)>;
    using Unit = std::function<QString(int channel)>;

    void ApplyFixedProperties();
    // Whichever bound would cross the current other bound goes second.
    static void SetRange(ChartSurface& chart, ChartAxis axis, double minimum, double maximum);
    // Titles, sides and scaling for the channels ticked; `data` (may be null) learns the side of
    // each channel.
    void Update(const Checked& checked, const Unit& unit, TAnalysisData* data,
                const WindowSettings& settings);
    double LowerMargin(MarginSide side) const;
    // Both charts' time axis, whichever bound would cross the other set second.
    void SetTimeRange(double start, double end);

private:
    void UpdateLowerMargins();
    void ApplyDynamicScaling(const Checked& checked, const WindowSettings& settings);

    ChartSurface& Chart;
    ChartSurface& Chart2;
    bool FOthersOnRight = false;
};
