#include "ui/TYieldWindow.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "core/SafeFile.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerCsv.h"
#include "ledger/LedgerInput.h"
#include "ledger/LedgerTexts.h"
#include "ui/ErrorBoundary.h"
#include "ui/OpeningChannels.h"
#include "ui/Prompts.h"
#include "ui/TChildform.h"
#include "ui/HealthPanel.h"
#include "ui/ProfileTexts.h"
#include "ui/TDialogPlantProfile.h"
#include "ui/TYieldCompare.h"
#include "ui/YieldCompareTexts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int TextNoFiles = 87;

} // namespace

TYieldWindow::TYieldWindow(TargetChooser chooseTarget, QWidget* parent)
    : QWidget(parent, Qt::Window), FChooseTarget(std::move(chooseTarget)),
      FLedger(std::make_unique<Ledger>()) {
    setObjectName(QStringLiteral("YieldWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildLayout();
    ProgressTimer = new QTimer(this);
    ProgressTimer->setObjectName(QStringLiteral("ProgressTimer"));
    ProgressTimer->setInterval(100);
    connect(ProgressTimer, &QTimer::timeout, this, [this] { Guarded([this] { PollScan(); }); });
    connect(ButtonFolder, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ButtonFolderClick(); }));
    connect(ButtonCancel, &QPushButton::clicked, this, GuardedSlot([this](bool) { CancelScan(); }));
    connect(ButtonExport, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ButtonExportClick(); }));
    connect(ButtonCompare, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ButtonCompareClick(); }));
    connect(ButtonPlantProfile, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ButtonPlantProfileClick(); }));
    connect(Table, &QTreeWidget::itemDoubleClicked, this,
            GuardedSlot([this](QTreeWidgetItem* item, int) { TableDoubleClick(item); }));
    connect(Table, &QTreeWidget::currentItemChanged, this,
            GuardedSlot([this](QTreeWidgetItem*, QTreeWidgetItem*) { SelectionChanged(); }));
    SetScanning(false);
    // Empty until a folder is read, but with its headings and the months' axis already.
    ApplyLanguageTexts();
    resize(1150, 720);
}

TYieldWindow::~TYieldWindow() {
    if (FProgress)
        FProgress->Cancel = true;
    if (FWorker.joinable())
        FWorker.join();
}

void TYieldWindow::BuildLayout() {
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const auto button = [this](const char* name) {
        auto* created = new QPushButton(this);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    ButtonFolder = button("ButtonFolder");
    LabelFolder = new QLabel(this);
    LabelFolder->setObjectName(QStringLiteral("LabelFolder"));
    LabelFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setMaximumWidth(220);
    ButtonCancel = button("ButtonCancel");
    ButtonExport = button("ButtonExport");
    ButtonCompare = button("ButtonCompare");
    ButtonPlantProfile = button("ButtonPlantProfile");
    row->addWidget(ButtonFolder);
    row->addWidget(LabelFolder, 1);
    row->addWidget(ProgressBar);
    row->addWidget(ButtonCancel);
    row->addWidget(ButtonExport);
    row->addWidget(ButtonCompare);
    row->addWidget(ButtonPlantProfile);
    column->addLayout(row);
    LabelSavings = new QLabel(this);
    LabelSavings->setObjectName(QStringLiteral("LabelSavings"));
    LabelSavings->setWordWrap(true);
    QFont strong = LabelSavings->font();
    strong.setBold(true);
    LabelSavings->setFont(strong);
    column->addWidget(LabelSavings);

    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Table = new QTreeWidget(Splitter);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setAlternatingRowColors(true);
    Table->setUniformRowHeights(true);
    Table->header()->setStretchLastSection(false);
    auto* charts = new QSplitter(Qt::Horizontal, Splitter);
    ChartMonths = new ChartSurface(charts);
    ChartMonths->setObjectName(QStringLiteral("ChartMonths"));
    ChartDays = new ChartSurface(charts);
    ChartDays->setObjectName(QStringLiteral("ChartDays"));
    for (ChartSurface* chart : {ChartMonths, ChartDays}) {
        chart->SetZoomAllowed(false);
        chart->SetAutomatic(ChartAxis::Bottom, false);
        chart->SetAutomatic(ChartAxis::Left, true);
        chart->SetAxisVisible(ChartAxis::Right, false);
        chart->SetAxisTitle(ChartAxis::Left, QStringLiteral("kWh"));
        chart->setMinimumHeight(200);
    }
    ChartMonths->SetDateFormat(QStringLiteral("mmm"));
    ChartDays->SetDateFormat(QStringLiteral("dd"));
    ChartDays->SetLegendVisible(false);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 2);
    column->addWidget(Splitter, 1);
    LabelPassedOver = new QLabel(this);
    LabelPassedOver->setObjectName(QStringLiteral("LabelPassedOver"));
    LabelPassedOver->setWordWrap(true);
    LabelPassedOver->hide();
    column->addWidget(LabelPassedOver);
}

void TYieldWindow::ButtonPlantProfileClick() {
    if (EditPlantProfile(this, Store, FFolder.isEmpty() ? StartFolder : FFolder)) {
        NotifyPlantProfileChanged();
        if (FCompare) // its columns are the old profile's
            FCompare->close();
        if (!Scanning())
            ShowResult();
    }
}

void TYieldWindow::ApplyLanguageTexts() {
    setWindowTitle(Text(TextYieldOverview));
    ButtonFolder->setText(Text(TextYieldFolder));
    ButtonCancel->setText(Text(TextYieldCancel));
    ButtonExport->setText(Text(TextYieldExport));
    ButtonCompare->setText(Text(TextYieldCompareCommand));
    if (FCompare)
        FCompare->ApplyLanguageTexts();
    ButtonPlantProfile->setText(Text(TextProfileCommand));
    if (!Scanning())
        ShowResult();
}

void TYieldWindow::SetScanning(bool scanning) {
    ButtonFolder->setEnabled(!scanning);
    ButtonExport->setEnabled(!scanning && !FLedger->Days().empty());
    ButtonCompare->setEnabled(!scanning && !FLedger->Days().empty());
    // Its rows are the result that a scan replaces.
    if (scanning && FCompare)
        FCompare->close();
    ButtonCancel->setVisible(scanning);
    ProgressBar->setVisible(scanning);
    if (scanning)
        LabelFolder->setText(Text(TextYieldReading) + QLatin1Char(' ') +
                             QDir::toNativeSeparators(FFolder));
    else
        LabelFolder->setText(QDir::toNativeSeparators(FFolder));
}

void TYieldWindow::ButtonFolderClick() {
    QString folder = FFolder.isEmpty() ? StartFolder : FFolder;
    if (!CurrentPrompts().ShowFolderDialog(folder, this, Text(TextYieldChooseFolder)))
        return;
    if (FolderChosen)
        FolderChosen(folder);
    ScanFolder(folder);
}

void TYieldWindow::ScanFolder(const QString& folder) {
    CancelScan();
    FFolder = folder;
    FShownMonth = QDate(); // a new folder opens on its last month with data
    const LedgerInput input = CollectLedgerInput({folder}, QDate(), QDate());
    FMissing = input.Missing;
    FLedger = std::make_unique<Ledger>();
    FScanned = std::make_unique<Ledger>();
    FProgress = std::make_unique<LedgerProgress>();
    FDone = false;
    ProgressBar->setRange(0, std::max<int>(1, static_cast<int>(input.Files.size())));
    ProgressBar->setValue(0);
    SetScanning(true);
    Ledger* scanned = FScanned.get();
    LedgerProgress* progress = FProgress.get();
    FWorker = std::thread([this, scanned, progress, files = input.Files] {
        try {
            scanned->ReadFiles(files, progress);
        } catch (...) {
            // Reading reports each file's failure itself; nothing else may end the program here.
            progress->Cancel = true;
        }
        FDone = true;
    });
    ProgressTimer->start();
    if (input.Files.isEmpty()) {
        WaitForScan();
        CurrentPrompts().Message(PromptKind::Information, Text(TextNoFiles));
    }
}

void TYieldWindow::PollScan() {
    if (!FWorker.joinable()) {
        ProgressTimer->stop();
        return;
    }
    ProgressBar->setValue(FProgress->Done);
    if (!FDone)
        return;
    FWorker.join();
    ProgressTimer->stop();
    FLedger = std::move(FScanned);
    SetScanning(false);
    ShowResult();
}

void TYieldWindow::CancelScan() {
    if (!FWorker.joinable())
        return;
    FProgress->Cancel = true;
    WaitForScan();
}

void TYieldWindow::WaitForScan() {
    if (!FWorker.joinable())
        return;
    while (!FDone)
        std::this_thread::yield();
    PollScan();
}

void TYieldWindow::closeEvent(QCloseEvent* event) {
    Guarded([this] { CancelScan(); });
    QWidget::closeEvent(event);
}

void TYieldWindow::ButtonExportClick() {
    QString path = QDir(FFolder).filePath(Text(TextYieldOverview) + QStringLiteral(".csv"));
    if (!CurrentPrompts().ShowFileDialog(path, this, QStringLiteral("CSV|*.csv|"), false,
                                         QStringLiteral("csv"), FFolder))
        return;
    const QByteArray bytes = LedgerCsv(TableRows(), Columns()).toUtf8();
    QString reason;
    if (!SafeFile::WriteAll(path, bytes, &reason))
        CurrentPrompts().Message(PromptKind::Error, Text(TextYieldNotWritten) +
                                                        QStringLiteral("\n\n") +
                                                        EscapeControls(path) + QLatin1Char('\n') +
                                                        EscapeControls(reason));
}

TYieldCompare* TYieldWindow::Comparison() const { return FCompare.data(); }

void TYieldWindow::ButtonCompareClick() {
    if (Scanning() || FLedger->Days().empty())
        return;
    if (FCompare)
        FCompare->close();
    std::vector<LedgerRow> periods;
    for (const LedgerRow& row : TableRows())
        if (row.Level != LedgerLevel::Day)
            periods.push_back(row);
    FCompare = new TYieldCompare(std::move(periods), FLedger->Days(), Columns(), this);
    FCompare->setAttribute(Qt::WA_DeleteOnClose);
    const QTreeWidgetItem* item = Table->currentItem();
    if (item != nullptr)
        FCompare->ChooseAround(static_cast<LedgerLevel>(item->data(0, Qt::UserRole).toInt()),
                               item->data(0, Qt::UserRole + 1).toDate());
    else
        FCompare->ChooseAround(LedgerLevel::Year, QDate());
    FCompare->show();
}

void TYieldWindow::TableDoubleClick(QTreeWidgetItem* item) {
    if (item == nullptr || Scanning())
        return;
    const auto level = static_cast<LedgerLevel>(item->data(0, Qt::UserRole).toInt());
    const QDate start = item->data(0, Qt::UserRole + 1).toDate();
    QStringList files;
    if (level == LedgerLevel::Day)
        files = FLedger->FilesBetween(start, start);
    else if (level == LedgerLevel::Month)
        files = FLedger->FilesBetween(start, start.addMonths(1).addDays(-1));
    if (files.isEmpty() || !FChooseTarget)
        return;
    TChildform* target = FChooseTarget();
    if (target == nullptr)
        return;
    if (files.size() == 1) {
        target->LoadLogFile(files.first());
    } else {
        // The days of the month as the multi-day analysis loads a range: a file that fails is
        // reported and the others are still read.
        const auto dayOf = [this](const QString& file) {
            for (const LedgerRow& day : FLedger->Days())
                if (day.File == file) {
                    DateTime date = 0;
                    EncodeDate(day.Start.year(), day.Start.month(), day.Start.day(), date);
                    return date;
                }
            return DateTime(0);
        };
        target->BeginMultiDayLoad(static_cast<int>(files.size()), files.first(),
                                  dayOf(files.first()), dayOf(files.last()));
        for (qsizetype i = 1; i < files.size(); ++i)
            Guarded([&] { target->AddMultiDayFile(files[i]); });
        target->FinishMultiDayLoad();
    }
    // A day or month chosen here is for looking at: it opens with curves drawn.
    OpeningChannels::Tick(*target, target->HasData(), OpeningChannels::YieldChannels());
    if (Loaded)
        Loaded();
}
