#pragma once

#include "core/DateTime.h"
#include "logdata/DayFileCollection.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <memory>

class EscapeKeyPoll;
class QtEscapeKeyPoll;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TChildform;

// Picks the first and the last daily log file of a range, finds the files of the days in between
// and loads them one by one into the analysis window handed over by PrepareDialog. Made once and
// shown modally again and again.
class TDialogMultiDayAnalysis : public QDialog {
    Q_OBJECT
public:
    explicit TDialogMultiDayAnalysis(QWidget* parent = nullptr);
    ~TDialogMultiDayAnalysis() override;

    // The window that receives the analysis (not owned; a window closed meanwhile counts as none)
    // and the folder both path edits start with.
    void PrepareDialog(TChildform* target, const QString& startFolder);
    // The folder to remember as the last used one: ChosenFolder up to its last separator.
    QString GetChosenFolder() const;
    // Fills both path edits and, at the next showing, analyses them as Analyse would, closing the
    // dialog with OK when the range loaded; a failed check leaves it open as Analyse does.
    void PresetRange(const QString& pathFrom, const QString& pathTo);
    TChildform* TargetWindow() const { return FTargetWindow; }

    // The daily files of the range in date order, ending with `pathTo` itself. Days are looked up
    // in the folder of `pathFrom`, in month folders "MM" next to it and in year folders "YYYY"
    // above those; the folder a day was found in is where the following days are looked for.
    // Empty, with `stopped` set, when `progress` stopped the search.
    static QStringList CollectFiles(const QString& pathFrom, const QString& pathTo,
                                    DateTime startDate, int dayCount,
                                    const CollectionProgress& progress = {},
                                    bool* stopped = nullptr);
    // The date of a daily file's name without its extension: exactly "yyyymmdd", a calendar date.
    static bool DateOfName(const QString& name, DateTime& date);

    // Installs how the load learns of Esc (not owned; nullptr restores the keyboard's).
    void SetEscapeKeyPoll(EscapeKeyPoll* poll);
    // How long the search for a range's files runs before Esc is watched (and polled as often).
    void SetCollectionPollInterval(int milliseconds) { FCollectionPollMs = milliseconds; }
    // How many threads read a range's files (0: one per core).
    void SetReadingThreads(int threads) { FReadingThreads = threads; }

    // Handlers; those that fail raise the error for the caller to show.
    void SelectFromClick();
    void SelectToClick();
    void CancelBtnClick();
    void ExecuteBtnClick();
    void RunMultiDayLoad(const QStringList& files, DateTime firstDate, DateTime lastDate);

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Phase { Waiting, Loading, Finished };

    void ApplyTexts();
    void SetInputsEnabled(bool enabled);
    void ShowLoadingLook();
    void ShowWaitingLook();
    static void CheckFileExists(QLineEdit* edit);
    EscapeKeyPoll& EscPoll();

    QPointer<TChildform> FTargetWindow;
    QString ChosenFolder;
    bool EndFileChosen = false;
    int FCollectionPollMs = 100;
    int FReadingThreads = 0;
    bool FAnalyseOnShow = false;
    Phase FPhase = Phase::Waiting;
    EscapeKeyPoll* FInstalledPoll = nullptr;
    std::unique_ptr<QtEscapeKeyPoll> FKeyboardPoll;

    QFrame* Bevel1 = nullptr;
    QLabel* LabelFrom = nullptr;
    QLineEdit* PathFrom = nullptr;
    QPushButton* SelectFrom = nullptr;
    QLabel* LabelTo = nullptr;
    QLineEdit* PathTo = nullptr;
    QPushButton* SelectTo = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QLabel* LabelAbort = nullptr;
    QPushButton* ExecuteBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* OkBtn = nullptr;
};
