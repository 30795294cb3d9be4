#pragma once

#include "core/DateTime.h"
#include "logdata/ChannelReadings.h"

#include <QColor>
#include <QFrame>

#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

// The statistics of a marked span: per shown channel minimum, maximum and mean with their times,
// the span's Volume or Energy for Flow and Power, on-time and starts for the outputs. "Copy" puts
// the table on the clipboard as tab-separated text.
class SpanPanel : public QFrame {
    Q_OBJECT
public:
    explicit SpanPanel(QWidget* parent);

    struct Row {
        int Channel = 0;
        QString Label;
        QString Unit; // as the heading gives it
        QColor Colour;
        ChannelReadings::Statistics Stats;
        // The same span of a period laid under the charts, where one is.
        std::optional<ChannelReadings::Statistics> Reference;
    };
    // `reference` names the period laid under the charts (empty: none).
    void ShowSpan(DateTime from, DateTime to, std::vector<Row> rows, QString reference = {});
    void ApplyTexts();
    // The table with its heading row, one line per row, cells separated by tabs.
    QString TableText() const;
    void CopyTable() const;

Q_SIGNALS:
    void CloseRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();

    QLabel* LabelSpan = nullptr;
    QTableWidget* TableSpan = nullptr;
    QPushButton* ButtonCopySpan = nullptr;
    QPushButton* ButtonCloseSpan = nullptr;
    DateTime FFrom = 0.0;
    DateTime FTo = 0.0;
    std::vector<Row> FRows;
    QString FReference;
};
