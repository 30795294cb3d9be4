#pragma once

#include "chart/ChartTypes.h"
#include "chart/PointStore.h"
#include "chart/SeriesHost.h"
#include "chart/SeriesMemory.h"
#include "core/DateTime.h"

#include <QColor>
#include <QString>

#include <memory>
#include <vector>

// How a series shows the values of a shared column: as they are, multiplied by a factor, or as a
// band of the output chart (value v at base + 0.1 v + 0.5).
struct SeriesValueView {
    enum class Kind { Plain, Scaled, Band };
    Kind Form = Kind::Plain;
    double Factor = 0.0; // the factor, or the band's base
};

// One series of points and its style. Points keep their insertion order and are never sorted; a
// null point (NaN value) breaks a line. The series is the one store of its values: a host that
// draws reads them from here.
//
// Points carry no colour of their own. The program only ever gives all points of a series one
// colour, so the colour of a point is the series colour, or none for a null point.
class ChartSeries {
public:
    explicit ChartSeries(SeriesKind kind = SeriesKind::Line);
    ~ChartSeries(); // detaches from its host
    ChartSeries(const ChartSeries&) = delete;
    ChartSeries& operator=(const ChartSeries&) = delete;

    // Points.
    void Reserve(int count);
    // Inline: a year of logs adds millions of points, and a series being read has no host.
    void AddXY(DateTime x, double y) {
        if (FStore)
            Unshare();
        FX.push_back(x);
        FY.push_back(y);
        ++FPointsVersion;
        if (FHost)
            Notify(SeriesHost::Change::Points);
    }
    void AddNull(DateTime x);
    int Count() const { return FStore ? FStore->Count(FColumn) : static_cast<int>(FX.size()); }
    DateTime XValue(int i) const {
        return FStore ? FStore->X(FColumn, i) : FX[static_cast<size_t>(i)];
    }
    double YValue(int i) const {
        return FStore ? Shown(FStore->Y(FColumn, i)) : FY[static_cast<size_t>(i)];
    }
    bool IsNull(int i) const;
    void SetYValue(int i, double y);
    // Multiplies every value that is not null, in one pass (watts to kilowatts).
    void ScaleValues(double factor);
    void Clear();
    // Calls f(x, y) for every point in order.
    template <typename F> void ForEachPoint(F&& f) const {
        const int n = Count();
        if (!FStore) {
            for (int i = 0; i < n; ++i)
                f(FX[static_cast<size_t>(i)], FY[static_cast<size_t>(i)]);
            return;
        }
        for (int i = 0; i < n; ++i)
            f(FStore->X(FColumn, i), Shown(FStore->Y(FColumn, i)));
    }
    // Grows whenever the points change, so a host can tell whether its copy is current.
    unsigned PointsVersion() const { return FPointsVersion + (FStore ? FStore->Version() : 0U); }

    using ValueView = SeriesValueView;
    // Takes its points from a column of a store shared with other series, instead of a copy of
    // its own; a store still being filled shows its points as they come. Changing the points
    // afterwards (adding, setting, clearing) makes them the series' own again.
    void ShareColumn(std::shared_ptr<const PointStore> store, int column, ValueView view = {});
    bool SharesColumn() const { return FStore != nullptr; }

    // Style. Every setter that does not change anything costs next to nothing and tells no host.
    SeriesKind Kind() const { return FKind; }
    void SetKind(SeriesKind kind);
    bool Stairs() const { return FStairs; }
    void SetStairs(bool stairs);
    double BarOrigin() const { return FBarOrigin; }
    void SetBarOrigin(double origin);
    // Fixed by the program's look: bars fill 75 % of their slot, have no outline and no marks.
    static constexpr double BarWidthPercent = 75.0;
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    // The colour of point i: the series colour, invalid for a null point.
    QColor PointColor(int i) const;
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title);
    bool ShowInLegend() const { return FShowInLegend; }
    void SetShowInLegend(bool show);
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int width);
    ValueAxis Axis() const { return FAxis; }
    void SetAxis(ValueAxis axis);
    // Drawn beneath every series that is not: a period laid under another's curves.
    bool Underlay() const { return FUnderlay; }
    void SetUnderlay(bool underlay);

    SeriesHost* Host() const { return FHost; }

private:
    friend class SeriesHost;
    void Notify(SeriesHost::Change change);
    template <typename T> void Assign(T& field, const T& value, SeriesHost::Change change);
    double Shown(double y) const {
        switch (FView.Form) {
        case ValueView::Kind::Plain:
            return y;
        case ValueView::Kind::Scaled:
            return y * FView.Factor;
        case ValueView::Kind::Band:
            return FView.Factor + 0.1 * y + 0.5;
        }
        return y;
    }
    // Copies the shared points into the series' own.
    void Unshare();

    SeriesValues FX;
    SeriesValues FY;
    std::shared_ptr<const PointStore> FStore;
    int FColumn = 0;
    ValueView FView;
    unsigned FPointsVersion = 0;
    SeriesKind FKind;
    bool FStairs = false;
    double FBarOrigin = 0.0;
    QColor FColor = Qt::black;
    QString FTitle;
    bool FShowInLegend = true;
    int FLineWidth = 1;
    ValueAxis FAxis = ValueAxis::Left;
    bool FUnderlay = false;
    SeriesHost* FHost = nullptr;
    std::size_t FHostIndex = 0; // where the host lists it
};
