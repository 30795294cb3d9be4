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
    if (FStore)
        return; // points come from the store until they are changed
    FX.reserve(static_cast<size_t>(count));
    FY.reserve(static_cast<size_t>(count));
}

void ChartSeries::ShareColumn(std::shared_ptr<const PointStore> store, int column, ValueView view) {
    FPointsVersion = PointsVersion() + 1;
    FX = SeriesValues();
    FY = SeriesValues();
    FStore = std::move(store);
    FColumn = column;
    FView = view;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::Unshare() {
    SeriesValues xs;
    SeriesValues ys;
    xs.reserve(static_cast<size_t>(Count()));
    ys.reserve(static_cast<size_t>(Count()));
    ForEachPoint([&](DateTime x, double y) {
        xs.push_back(x);
        ys.push_back(y);
    });
    // The version must not fall back when the store's share of it goes.
    FPointsVersion = PointsVersion() + 1;
    FStore.reset();
    FView = ValueView();
    FX = std::move(xs);
    FY = std::move(ys);
}

void ChartSeries::AddNull(DateTime x) { AddXY(x, std::numeric_limits<double>::quiet_NaN()); }

bool ChartSeries::IsNull(int i) const { return std::isnan(YValue(i)); }

void ChartSeries::SetYValue(int i, double y) {
    if (FStore)
        Unshare();
    FY[static_cast<size_t>(i)] = y;
    ++FPointsVersion;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::ScaleValues(double factor) {
    if (FStore && FView.Form == ValueView::Kind::Plain) {
        // The same product the own points would get, taken when a value is read.
        FView = {ValueView::Kind::Scaled, factor};
    } else {
        if (FStore)
            Unshare();
        for (double& y : FY)
            y *= factor; // NaN stays NaN
    }
    ++FPointsVersion;
    Notify(SeriesHost::Change::Points);
}

void ChartSeries::Clear() {
    FPointsVersion = PointsVersion() + 1;
    FStore.reset();
    FView = ValueView();
    FX.clear();
    FY.clear();
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

void ChartSeries::SetUnderlay(bool underlay) {
    Assign(FUnderlay, underlay, SeriesHost::Change::Kind);
}
