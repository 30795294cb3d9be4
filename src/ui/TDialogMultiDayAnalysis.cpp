#include "ui/TDialogMultiDayAnalysis.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/OutOfMemoryError.h"
#include "core/LanguageTexts.h"
#include "logdata/DayFileCollection.h"
#include "logdata/DayFilesAhead.h"
#include "ui/ErrorBoundary.h"
#include "ui/QtLanguage.h"
#include "ui/EscapeKeyPoll.h"
#include "ui/Prompts.h"
#include "ui/TChildform.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <new>
#include <cmath>

namespace {

constexpr int TextCaption = 2;
constexpr int TextFrom = 75;
constexpr int TextTo = 76;
constexpr int TextBrowse = 77;
constexpr int TextAnalyse = 78;
constexpr int TextPressEsc = 79;
constexpr int TextAborted = 80;
constexpr int TextOpenError = 84;
constexpr int TextNoFiles = 87;
constexpr int TextNoDateInNames = 88;
constexpr int TextOnlyCsv = 89;
constexpr int TextStartNoDate = 90;
constexpr int TextEndNoDate = 91;
constexpr int TextEndBeforeStart = 92;
constexpr int TextOneDay = 93;
constexpr int TextNoWindow = 97;

const QString CsvExtension = QStringLiteral(".csv");

bool IsSeparator(QChar c) {
    if (c == QDir::separator())
        return true;
    // Windows paths also end their drive part with a colon ("C:file.csv").
    return QDir::separator() == QLatin1Char('\\') && c == QLatin1Char(':');
}

qsizetype LastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSeparator(path[i]))
            return i;
    return -1;
}

QString FileNamePart(const QString& path) { return path.mid(LastSeparator(path) + 1); }

} // namespace

TDialogMultiDayAnalysis::TDialogMultiDayAnalysis(QWidget* parent)
    : QDialog(parent), FKeyboardPoll(std::make_unique<QtEscapeKeyPoll>()) {
    setObjectName(QStringLiteral("DialogMultiDayAnalysis"));
    setFixedSize(585, 243);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 569, 160);

    LabelFrom = new QLabel(this);
    LabelFrom->setObjectName(QStringLiteral("LabelFrom"));
    LabelFrom->setGeometry(24, 18, 440, 20);
    PathFrom = new QLineEdit(this);
    PathFrom->setObjectName(QStringLiteral("PathFrom"));
    PathFrom->setGeometry(24, 40, 440, 25);
    SelectFrom = new QPushButton(this);
    SelectFrom->setObjectName(QStringLiteral("SelectFrom"));
    SelectFrom->setGeometry(472, 39, 89, 27);
    LabelFrom->setBuddy(PathFrom);

    LabelTo = new QLabel(this);
    LabelTo->setObjectName(QStringLiteral("LabelTo"));
    LabelTo->setGeometry(24, 74, 440, 20);
    PathTo = new QLineEdit(this);
    PathTo->setObjectName(QStringLiteral("PathTo"));
    PathTo->setGeometry(24, 96, 440, 25);
    SelectTo = new QPushButton(this);
    SelectTo->setObjectName(QStringLiteral("SelectTo"));
    SelectTo->setGeometry(472, 95, 89, 27);
    LabelTo->setBuddy(PathTo);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(24, 136, 537, 20);
    ProgressBar->setTextVisible(false);

    LabelAbort = new QLabel(this);
    LabelAbort->setObjectName(QStringLiteral("LabelAbort"));
    LabelAbort->setGeometry(8, 180, 569, 20);
    LabelAbort->hide();

    ExecuteBtn = new QPushButton(this);
    ExecuteBtn->setObjectName(QStringLiteral("ExecuteBtn"));
    ExecuteBtn->setGeometry(392, 206, 89, 27);
    CancelBtn = new QPushButton(QStringLiteral("A&bbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(488, 206, 89, 27);
    OkBtn = new QPushButton(QStringLiteral("&OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(488, 206, 89, 27);
    OkBtn->hide();

    connect(SelectFrom, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { SelectFromClick(); }));
    connect(SelectTo, &QPushButton::clicked, this, GuardedSlot([this](bool) { SelectToClick(); }));
    connect(ExecuteBtn, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ExecuteBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { CancelBtnClick(); }));
    connect(OkBtn, &QPushButton::clicked, this, GuardedSlot([this](bool) { accept(); }));

    ApplyTexts();
}

TDialogMultiDayAnalysis::~TDialogMultiDayAnalysis() = default;

void TDialogMultiDayAnalysis::ApplyTexts() {
    setWindowTitle(Text(TextCaption) + QLatin1Char(':'));
    LabelFrom->setText(Text(TextFrom) + QLatin1Char(':'));
    LabelTo->setText(Text(TextTo) + QLatin1Char(':'));
    SelectFrom->setText(Text(TextBrowse));
    SelectTo->setText(Text(TextBrowse));
    ExecuteBtn->setText(Text(TextAnalyse));
    LabelAbort->setText(Text(TextPressEsc));
    // Qt's own words for the standard buttons, as in every other dialog of the language.
    CancelBtn->setText(QtLanguage::ButtonText("Cancel"));
    OkBtn->setText(QtLanguage::ButtonText("OK"));
}

void TDialogMultiDayAnalysis::PrepareDialog(TChildform* target, const QString& startFolder) {
    FTargetWindow = target;
    FAnalyseOnShow = false;
    ChosenFolder = startFolder;
    PathFrom->setText(startFolder);
    PathTo->setText(startFolder);
}

void TDialogMultiDayAnalysis::PresetRange(const QString& pathFrom, const QString& pathTo) {
    PathFrom->setText(pathFrom);
    PathTo->setText(pathTo);
    FAnalyseOnShow = true;
}

QString TDialogMultiDayAnalysis::GetChosenFolder() const {
    return ChosenFolder.left(LastSeparator(ChosenFolder) + 1);
}

void TDialogMultiDayAnalysis::SetEscapeKeyPoll(EscapeKeyPoll* poll) { FInstalledPoll = poll; }

EscapeKeyPoll& TDialogMultiDayAnalysis::EscPoll() {
    return FInstalledPoll != nullptr ? *FInstalledPoll : *FKeyboardPoll;
}

void TDialogMultiDayAnalysis::showEvent(QShowEvent* event) {
    FPhase = Phase::Waiting;
    ProgressBar->setRange(0, 1);
    ProgressBar->setValue(0);
    OkBtn->hide();
    OkBtn->setDefault(false);
    CancelBtn->show();
    ExecuteBtn->show();
    ExecuteBtn->setDefault(true);
    LabelAbort->hide();
    SetInputsEnabled(true);
    EndFileChosen = false;
    ApplyTexts();
    QDialog::showEvent(event);
    if (FAnalyseOnShow) {
        FAnalyseOnShow = false;
        // After the showing, so that the dialog and its progress are on screen during the load.
        QTimer::singleShot(0, this, GuardedSlot([this] {
                               ExecuteBtnClick();
                               if (FPhase == Phase::Finished)
                                   accept();
                           }));
    }
}

void TDialogMultiDayAnalysis::SetInputsEnabled(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(PathFrom), static_cast<QWidget*>(PathTo),
                             static_cast<QWidget*>(SelectFrom), static_cast<QWidget*>(SelectTo),
                             static_cast<QWidget*>(CancelBtn), static_cast<QWidget*>(ExecuteBtn)})
        control->setEnabled(enabled);
}

void TDialogMultiDayAnalysis::reject() {
    // Esc and the title bar mean Cancel only while the dialog waits for input: a load must run to
    // its end or be stopped with Esc, and a finished one is left with OK.
    if (FPhase != Phase::Waiting)
        return;
    FTargetWindow = nullptr;
    QDialog::reject();
}

void TDialogMultiDayAnalysis::closeEvent(QCloseEvent* event) {
    if (FPhase == Phase::Loading) {
        event->ignore();
        return;
    }
    if (FPhase == Phase::Finished) {
        // The analysis is complete and OK is the only way on, so closing the window counts as OK.
        event->ignore();
        accept();
        return;
    }
    QDialog::closeEvent(event);
}

void TDialogMultiDayAnalysis::SelectFromClick() {
    QString path;
    if (!CurrentPrompts().ShowFileDialog(path, this, LogFileFilter(), true, QStringLiteral("CSV"),
                                         PathFrom->text()))
        return;
    PathFrom->setText(path);
    ChosenFolder = path.left(LastSeparator(path) + 1);
    if (!EndFileChosen)
        PathTo->setText(ChosenFolder);
}

void TDialogMultiDayAnalysis::SelectToClick() {
    QString path;
    if (!CurrentPrompts().ShowFileDialog(path, this, LogFileFilter(), true, QStringLiteral("CSV"),
                                         PathTo->text()))
        return;
    PathTo->setText(path);
    EndFileChosen = true;
}

void TDialogMultiDayAnalysis::CancelBtnClick() {
    FTargetWindow = nullptr;
    QDialog::reject();
}

void TDialogMultiDayAnalysis::CheckFileExists(QLineEdit* edit) {
    if (QFileInfo(edit->text()).isFile())
        return;
    edit->setFocus();
    edit->selectAll();
    AppError::Raise(Text(TextOpenError) + QStringLiteral("\n\n") + EscapeControls(edit->text()) +
                    QLatin1Char('\n') + ReadFailureReason(edit->text()));
}

bool TDialogMultiDayAnalysis::DateOfName(const QString& name, DateTime& date) {
    return DayFileCollection::DateOfName(name, date);
}

void TDialogMultiDayAnalysis::ExecuteBtnClick() {
    if (!FTargetWindow)
        AppError::RaiseText(TextNoWindow);
    CheckFileExists(PathFrom);
    CheckFileExists(PathTo);
    const QString fromText = PathFrom->text();
    const QString toText = PathTo->text();
    if (fromText == toText) {
        FTargetWindow->LoadLogFile(fromText);
        CurrentPrompts().Message(PromptKind::Information, Text(TextOneDay));
        accept();
        return;
    }

    QString fromName = FileNamePart(fromText).toLower();
    QString toName = FileNamePart(toText).toLower();
    const auto extension = [](const QString& name) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        return dot < 0 ? QString() : name.mid(dot);
    };
    if (extension(fromName) != CsvExtension || extension(toName) != CsvExtension)
        AppError::RaiseText(TextOnlyCsv);
    fromName.remove(fromName.indexOf(CsvExtension), CsvExtension.size());
    toName.remove(toName.indexOf(CsvExtension), CsvExtension.size());
    if (fromName.size() < 8 || toName.size() < 8)
        AppError::RaiseText(TextNoDateInNames);

    DateTime startDate = 0;
    DateTime endDate = 0;
    if (!DateOfName(fromName, startDate))
        AppError::RaiseText(TextStartNoDate);
    if (!DateOfName(toName, endDate))
        AppError::RaiseText(TextEndNoDate);
    const auto dayCount = static_cast<int>(std::trunc(endDate - startDate));
    if (dayCount < 0)
        AppError::RaiseText(TextEndBeforeStart);

    // Listing the folders of a wide range can take a moment: once it does, the dialog looks as
    // it does while files load and Esc stops it.
    QElapsedTimer sincePoll;
    sincePoll.start();
    bool escWatched = false;
    const auto progress = [&](int) {
        if (sincePoll.elapsed() < FCollectionPollMs)
            return true;
        sincePoll.restart();
        if (!escWatched) {
            EscPoll().WaitForRelease();
            escWatched = true;
            ShowLoadingLook();
            return true;
        }
        return !EscPoll().Pressed();
    };
    bool stopped = false;
    QStringList files;
    try {
        files = CollectFiles(fromText, toText, startDate, dayCount, progress, &stopped);
    } catch (...) {
        ShowWaitingLook();
        throw;
    }
    if (stopped) {
        ShowWaitingLook();
        CurrentPrompts().Message(PromptKind::Information, Text(TextAborted));
        return;
    }
    RunMultiDayLoad(files, startDate, endDate);
}

void TDialogMultiDayAnalysis::ShowLoadingLook() {
    FPhase = Phase::Loading;
    SetInputsEnabled(false);
    // Only the buttons are locked while files load; the edits stay enabled.
    PathFrom->setEnabled(true);
    PathTo->setEnabled(true);
    LabelAbort->show();
    LabelAbort->repaint();
}

void TDialogMultiDayAnalysis::ShowWaitingLook() {
    LabelAbort->hide();
    FPhase = Phase::Waiting;
    SetInputsEnabled(true);
}

QStringList TDialogMultiDayAnalysis::CollectFiles(const QString& pathFrom, const QString& pathTo,
                                                  DateTime startDate, int dayCount,
                                                  const CollectionProgress& progress,
                                                  bool* stopped) {
    const QString startFolder =
        QFileInfo(QDir::fromNativeSeparators(pathFrom)).absoluteDir().path();
    std::vector<DayFile> days;
    const bool complete =
        DayFileCollection::InRange(startFolder, startDate, dayCount, days, progress);
    if (stopped != nullptr)
        *stopped = !complete;
    if (!complete)
        return {};
    QStringList files;
    files.reserve(static_cast<qsizetype>(days.size()) + 1);
    for (const DayFile& day : days)
        files << day.Path;
    files << QDir::toNativeSeparators(
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(pathTo)).absoluteFilePath()));
    return files;
}

void TDialogMultiDayAnalysis::RunMultiDayLoad(const QStringList& files, DateTime firstDate,
                                              DateTime lastDate) {
    EscPoll().WaitForRelease();
    ProgressBar->setRange(0, std::max<int>(1, static_cast<int>(files.size())));
    ProgressBar->setValue(0);
    ShowLoadingLook();

    // Whatever ends the load early leaves the dialog ready for another attempt.
    const auto backToWaiting = [this] { ShowWaitingLook(); };
    bool aborted = false;
    try {
        if (files.isEmpty()) {
            backToWaiting();
            ShowErrorMessage(Text(TextNoFiles));
            return;
        }
        if (!FTargetWindow)
            AppError::RaiseText(TextNoWindow);
        TChildform& target = *FTargetWindow;
        target.BeginMultiDayLoad(static_cast<int>(files.size()), files.first(), firstDate,
                                 lastDate);
        ProgressBar->setValue(1);
        // The further files are read on reading threads; here they are taken in, in file order,
        // so that messages, progress and Esc come as from one file after the other.
        DayFilesAhead ahead(*target.Data(), files, 1, FReadingThreads);
        for (qsizetype i = 1; i < files.size(); ++i) {
            if (EscPoll().Pressed()) {
                aborted = true;
                ProgressBar->setValue(0);
                ahead.Stop();
                target.AbortMultiDayLoad();
                break;
            }
            // A file that cannot be read is reported and skipped; the range goes on. Memory that
            // ran out ends it: what was read goes, and the message says why.
            bool outOfMemory = false;
            Guarded([&] {
                try {
                    target.AddMultiDayFile(ahead.Take(i));
                } catch (const OutOfMemoryError&) {
                    outOfMemory = true;
                } catch (const std::bad_alloc&) {
                    outOfMemory = true;
                }
            });
            if (outOfMemory)
                throw OutOfMemoryError();
            ProgressBar->setValue(static_cast<int>(i + 1));
        }
        LabelAbort->hide();
        if (aborted) {
            backToWaiting();
            CurrentPrompts().Message(PromptKind::Information, Text(TextAborted));
            return;
        }
        target.FinishMultiDayLoad();
    } catch (const std::bad_alloc&) {
        if (FTargetWindow)
            FTargetWindow->AbortMultiDayLoad();
        backToWaiting();
        throw OutOfMemoryError();
    } catch (const OutOfMemoryError&) {
        if (FTargetWindow)
            FTargetWindow->AbortMultiDayLoad();
        backToWaiting();
        throw;
    } catch (...) {
        backToWaiting();
        throw;
    }
    FPhase = Phase::Finished;
    SetInputsEnabled(false);
    ExecuteBtn->hide();
    CancelBtn->hide();
    ExecuteBtn->setDefault(false);
    OkBtn->show();
    OkBtn->setDefault(true);
    OkBtn->setFocus();
}
