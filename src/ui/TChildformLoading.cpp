#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/OutOfMemoryError.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"
#include "logdata/DayFilesAhead.h"
#include "logdata/TAnalysisData.h"
#include "ui/ErrorBoundary.h"
#include "ui/HealthPanel.h"
#include "ui/SpanControls.h"
#include "ui/analysis/AnalysisView.h"

#include <algorithm>
#include <new>

namespace {

constexpr int TextNew = 16;

std::unique_ptr<TAnalysisData> NewDataSet(const QString& path) {
    // An unreadable first file of a range is shown at once and the range goes on.
    return std::make_unique<TAnalysisData>([path](const AppError& error) {
        OnAppException(AppError(FileErrorText(path, error.Message())));
    });
}

// A file's failure names the file; running out of memory says so itself and stops the range.
template <typename Work> void NamingTheFile(const QString& path, Work&& work) {
    try {
        work();
    } catch (const OutOfMemoryError&) {
        throw;
    } catch (const AppError& error) {
        AppError::Raise(FileErrorText(path, error.Message()));
    }
}

} // namespace

void TChildform::ResetNavigation() {
    // Whatever the window showed before, the new analysis starts unzoomed in the day span, where
    // zoom is allowed, panning is not, and the month's daily totals are not drawn.
    UndoZoomBeforeMove();
    Chart->SetZoomAllowed(true);
    Chart->SetPanAllowed(false);
    SetSpanChecksEnabled(false);
    // The old analysis' channels left with its data set, their units would stay on the axes.
    UpdateAxes();
    Chart->SetDateFormat(QStringLiteral("hh:mm"));
    Chart->CopyBottomAxisTo(*Chart2);
}

void TChildform::LoadLogFile(const QString& path) {
    ClearAnalysis();
    auto loaded = NewDataSet(path);
    const auto leaveEmpty = [&] {
        loaded.reset();
        ClearAnalysis();
        setWindowTitle(Text(TextNew));
        UpdateCommands();
    };
    try {
        loaded->LoadFile(path, Chart, Chart2);
    } catch (const OutOfMemoryError&) {
        leaveEmpty(); // what was read goes first, so the message can be shown
        throw;
    } catch (const AppError& error) {
        leaveEmpty();
        AppError::Raise(FileErrorText(path, error.Message()));
    } catch (const std::bad_alloc&) {
        leaveEmpty();
        throw OutOfMemoryError();
    }
    AnalysisData = std::move(loaded);
    PanelZoomX->FillSpanItems(4);
    ResetNavigation();
    FView->Start(AnalysisData.get(), 4, false);
    SetHeadline(DatePattern::Format(QStringLiteral("dd. mmmm yyyy"), FView->CurrentDate), QString(),
                0);
    FHealthPanel->AnalysisChanged();
    UpdateCommands();
}

void TChildform::BeginMultiDayLoad(int fileCount, const QString& firstPath, DateTime firstDate,
                                   DateTime lastDate) {
    ClearAnalysis();
    SetHeadline(DatePattern::Format(QStringLiteral("dd.mm.yyyy"), firstDate),
                DatePattern::Format(QStringLiteral("dd.mm.yyyy"), lastDate), fileCount);
    auto loaded = NewDataSet(firstPath);
    NamingTheFile(firstPath, [&] {
        loaded->LoadRange(firstDate, lastDate, static_cast<unsigned>(std::max(0, fileCount)),
                          firstPath, Chart, Chart2);
    });
    AnalysisData = std::move(loaded);
}

void TChildform::AddMultiDayFile(const QString& path) {
    if (!AnalysisData)
        AppError::Raise(QStringLiteral("Illegal State (6)."));
    NamingTheFile(path, [&] { AnalysisData->AddFile(path); });
}

void TChildform::AddMultiDayFile(DayFromFile read) {
    if (!AnalysisData)
        AppError::Raise(QStringLiteral("Illegal State (6)."));
    const QString path = read.FileName;
    NamingTheFile(path, [&] { AnalysisData->AddRead(std::move(read)); });
}

void TChildform::AbortMultiDayLoad() {
    ClearAnalysis();
    setWindowTitle(Text(TextNew));
}

void TChildform::FinishMultiDayLoad() {
    if (!AnalysisData)
        AppError::Raise(QStringLiteral("Illegal State (6)."));
    // A range that holds a single file is a single day: it has no month to show.
    const int spans = AnalysisData->IsMultiDay() ? 5 : 4;
    PanelZoomX->FillSpanItems(spans);
    ResetNavigation();
    FView->Start(AnalysisData.get(), spans, true);
    AnalysisData->BuildMonthTotals();
    FHealthPanel->AnalysisChanged();
    UpdateCommands();
}

void TChildform::SetHeadline(const QString& fromText, const QString& toText, int fileCount) {
    FromText = fromText;
    ToText = toText;
    FileCount = fileCount;
    UpdateCaption();
}

void TChildform::UpdateCaption() {
    if (FromText.isEmpty())
        setWindowTitle(Text(TextNew));
    else if (ToText.isEmpty())
        setWindowTitle(Text(17) + FromText + QStringLiteral("."));
    else
        setWindowTitle(Text(18) + FromText + Text(19) + ToText + Text(20) +
                       QString::number(FileCount) + Text(21));
}
