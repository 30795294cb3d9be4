#include "chart/ChartSeries.h"

#include <cmath>
#include <limits>

ChartSeries::ChartSeries(SeriesKind kind) : FKind(kind) {}

ChartSeries::~ChartSeries() {
    if (FHost)
        FHost->RemoveSeries(this);
}

void ChartSeries::Notify(SeriesHost::Change change) {
    if (FHost)
        FHost->SeriesChanged(this, change);
}

template <typename T>
void ChartSeries::Assign(T& field, const T& value, SeriesHost::Change change) {
    if (field == value)
        return; // unchanged style costs a comparison and tells nobody
    field = value;
    Notify(change);
}

void ChartSeries::Reserve(int count) {
    FX.reserve(static_cast<size_t>(count));
    FY.reserve(static_cast<size_t>(count));
}

void ChartSeries::AddNull(DateTime x) { AddXY(x, std::numeric_limits<double>::quiet_NaN()); }

bool ChartSeries::IsNull(int i) const { return std::isnan(FY[static_cast<size_t>(i)]); }

void ChartSeries::SetYValue(int i, double y) {
    FY[static_cast<size_t>(i)] = y;
    ++FPointsVersion;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::ScaleValues(double factor) {
    for (double& y : FY)
        y *= factor; // NaN stays NaN
    ++FPointsVersion;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::Clear() {
    FX.clear();
    FY.clear();
    ++FPointsVersion;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::SetKind(SeriesKind kind) { Assign(FKind, kind, SeriesHost::Change::Kind); }

void ChartSeries::SetStairs(bool stairs) { Assign(FStairs, stairs, SeriesHost::Change::Kind); }

void ChartSeries::SetBarOrigin(double origin) {
    Assign(FBarOrigin, origin, SeriesHost::Change::Kind);
}

void ChartSeries::SetColor(const QColor& color) {
    Assign(FColor, color, SeriesHost::Change::Style);
}

QColor ChartSeries::PointColor(int i) const { return IsNull(i) ? QColor() : FColor; }

void ChartSeries::SetTitle(const QString& title) {
    Assign(FTitle, title, SeriesHost::Change::Legend);
}

void ChartSeries::SetShowInLegend(bool show) {
    Assign(FShowInLegend, show, SeriesHost::Change::Legend);
}

void ChartSeries::SetLineWidth(int width) { Assign(FLineWidth, width, SeriesHost::Change::Style); }

void ChartSeries::SetAxis(ValueAxis axis) { Assign(FAxis, axis, SeriesHost::Change::Axis); }
