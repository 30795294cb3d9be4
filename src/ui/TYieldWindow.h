#pragma once

#include "ledger/Ledger.h"
#include "ledger/LedgerColumns.h"
#include "ledger/Savings.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class ChartSeries;
class ChartSurface;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class SettingsStore;
class TChildform;
class TYieldCompare;

// What the system produced, by year, month and day, for a folder of day files: a table with the
// ledger's columns, the monthly Energy of every year side by side and the daily Energy of the
// chosen month. A window of its own beside the analysis windows (it is none of them). The files
// are read on worker threads; the window polls their progress and can cancel them.
class TYieldWindow : public QWidget {
    Q_OBJECT
public:
    // Where double-clicks open days and months: the main window's choice of an analysis window.
    using TargetChooser = std::function<TChildform*()>;

    explicit TYieldWindow(TargetChooser chooseTarget, QWidget* parent = nullptr);
    ~TYieldWindow() override;

    // Starts reading the day files of `folder` (flat, month or year/month folders).
    void ScanFolder(const QString& folder);
    bool Scanning() const { return FWorker.joinable(); }
    // Ends a scan at once (the files read until then are shown); tests call it too.
    void CancelScan();
    // Takes the worker's result when it is done; the progress timer calls it.
    void PollScan();
    // Blocks until the scan is done and shows its result (tests).
    void WaitForScan();

    void ButtonFolderClick();
    void ButtonExportClick();
    // Two months or years of the folder read side by side, starting from the row chosen.
    void ButtonCompareClick();
    // The plant profile of the folder read (else of the start folder) and the health limits.
    void ButtonPlantProfileClick();
    // Opens the day or the month of `item` in an analysis window.
    void TableDoubleClick(QTreeWidgetItem* item);
    void ApplyLanguageTexts();

    // The folder the folder dialog starts in when none was scanned yet; told of every folder the
    // user chooses; told after a day or month was loaded into an analysis window.
    QString StartFolder;
    std::function<void(const QString&)> FolderChosen;
    std::function<void()> Loaded;
    // Where the plant profiles are kept; none in tests that need none.
    SettingsStore* Store = nullptr;

    const Ledger& Result() const { return *FLedger; }
    QString Folder() const { return FFolder; }

    // Components.
    QPushButton* ButtonFolder = nullptr;
    QLabel* LabelFolder = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonExport = nullptr;
    QPushButton* ButtonCompare = nullptr;
    QPushButton* ButtonPlantProfile = nullptr;
    QSplitter* Splitter = nullptr;
    QTreeWidget* Table = nullptr;
    ChartSurface* ChartMonths = nullptr;
    ChartSurface* ChartDays = nullptr;
    QLabel* LabelPassedOver = nullptr;
    // A year's figures in the owner's terms (the year of the row chosen, else the last one).
    QLabel* LabelSavings = nullptr;

    // The table's and the export's columns: the ledger's, then the savings the folder's plant
    // profile can give.
    std::vector<LedgerColumn> Columns() const;
    const SavingsBasis& Basis() const { return FBasis; }
    TYieldCompare* Comparison() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void SetScanning(bool scanning);
    void ShowResult();
    void FillTable();
    void FillMonthChart();
    void ShowMonthDays(QDate month);
    void SelectionChanged();
    void ShowSavings(int year);
    QStringList TableHeadings() const;
    // The rows of the table in its order: each year, its months, each month's days.
    std::vector<LedgerRow> TableRows() const;

    TargetChooser FChooseTarget;
    QString FFolder;
    std::unique_ptr<Ledger> FLedger;
    std::unique_ptr<Ledger> FScanned; // the worker's, until it is done
    std::unique_ptr<LedgerProgress> FProgress;
    std::atomic<bool> FDone{false};
    std::thread FWorker;
    std::vector<LedgerSkip> FMissing;
    QTimer* ProgressTimer = nullptr;
    std::vector<std::unique_ptr<ChartSeries>> FYearSeries;
    std::unique_ptr<ChartSeries> FDaySeries;
    QDate FShownMonth;
    SavingsBasis FBasis;
    QPointer<TYieldCompare> FCompare; // open while the user keeps it; goes with a new result
};
