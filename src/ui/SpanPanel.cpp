#include "ui/SpanPanel.h"

#include "core/Channels.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerComparison.h"
#include "ui/ErrorBoundary.h"
#include "ui/ReadoutFormat.h"
#include "ui/ReadoutTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

enum Column {
    ColChannel,
    ColMin,
    ColMinTime,
    ColMax,
    ColMaxTime,
    ColMean,
    ColVolume,
    ColEnergy,
    ColOnTime,
    ColStarts,
    ColumnCount
};

QString Dash() { return QStringLiteral("\u2013"); }

} // namespace

SpanPanel::SpanPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelSpanStatistics"));
    setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);
    auto* top = new QHBoxLayout;
    LabelSpan = new QLabel(this);
    LabelSpan->setObjectName(QStringLiteral("LabelSpan"));
    LabelSpan->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ButtonCopySpan = new QPushButton(this);
    ButtonCopySpan->setObjectName(QStringLiteral("ButtonCopySpan"));
    ButtonCloseSpan = new QPushButton(this);
    ButtonCloseSpan->setObjectName(QStringLiteral("ButtonCloseSpan"));
    // Clicking a button leaves the focus on the chart, where Escape and the arrow keys work.
    ButtonCopySpan->setFocusPolicy(Qt::TabFocus);
    ButtonCloseSpan->setFocusPolicy(Qt::TabFocus);
    top->addWidget(LabelSpan, 1);
    top->addWidget(ButtonCopySpan);
    top->addWidget(ButtonCloseSpan);
    column->addLayout(top);
    TableSpan = new QTableWidget(this);
    TableSpan->setObjectName(QStringLiteral("TableSpan"));
    TableSpan->setColumnCount(ColumnCount);
    TableSpan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableSpan->verticalHeader()->setVisible(false);
    TableSpan->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
    TableSpan->setSelectionMode(QAbstractItemView::NoSelection);
    TableSpan->setFocusPolicy(Qt::NoFocus);
    column->addWidget(TableSpan, 1);
    setMinimumHeight(120);
    setMaximumHeight(190);
    connect(ButtonCopySpan, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { CopyTable(); }));
    connect(ButtonCloseSpan, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { Q_EMIT CloseRequested(); }));
    ApplyTexts();
}

void SpanPanel::ApplyTexts() {
    ButtonCopySpan->setText(Text(TextCopy));
    ButtonCloseSpan->setText(Text(TextClose));
    TableSpan->setHorizontalHeaderLabels({Text(TextChannel), Text(TextMinimum), Text(TextTime),
                                          Text(TextMaximum), Text(TextTime), Text(TextMean),
                                          Text(TextVolumeLitres), Text(TextEnergyKWh),
                                          Text(TextOnTime), Text(TextStarts)});
    Fill();
}

void SpanPanel::ShowSpan(DateTime from, DateTime to, std::vector<Row> rows, QString reference) {
    FFrom = from;
    FTo = to;
    FRows = std::move(rows);
    FReference = std::move(reference);
    Fill();
}

void SpanPanel::Fill() {
    const bool oneDay = std::floor(FFrom) == std::floor(FTo - 1e-9);
    const QString timePattern = oneDay ? QStringLiteral("hh:nn") : QStringLiteral("dd.mm. hh:nn");
    const QString full = QStringLiteral("dd.mm.yyyy hh:nn");
    LabelSpan->setText(QStringLiteral("%1: %2 \u2013 %3 (%4 h)")
                           .arg(Text(TextMarkedSpan), DatePattern::Format(full, FFrom),
                                DatePattern::Format(oneDay ? timePattern : full, FTo),
                                readout::Duration(FTo - FFrom)));
    std::vector<std::pair<QStringList, QColor>> lines;
    const auto figures = [&](const Row& row, const ChannelReadings::Statistics& s, QString label,
                             QColor colour) {
        const int decimals = readout::Decimals(row.Channel);
        QStringList cells(ColumnCount, Dash());
        cells[ColChannel] = std::move(label);
        if (s.Count > 0) {
            cells[ColMin] = readout::Number(s.Minimum, decimals);
            cells[ColMinTime] = DatePattern::Format(timePattern, s.MinimumTime);
            cells[ColMax] = readout::Number(s.Maximum, decimals);
            cells[ColMaxTime] = DatePattern::Format(timePattern, s.MaximumTime);
            cells[ColMean] = readout::Number(s.Mean, decimals + 1);
        }
        if (row.Channel == ChFlow)
            cells[ColVolume] = readout::Number(s.Sum, 1);
        if (row.Channel == ChPower)
            cells[ColEnergy] = readout::Number(s.Sum, 3);
        if (IsOutputChannel(row.Channel)) {
            cells[ColOnTime] = readout::Duration(s.OnHours / 24.0);
            cells[ColStarts] = QString::number(s.Starts);
        }
        lines.emplace_back(cells, colour);
    };
    for (const Row& row : FRows) {
        const QString unit = readout::UnitOf(row.Channel, row.Unit);
        figures(row, row.Stats,
                unit.isEmpty() ? row.Label
                               : row.Label + QStringLiteral(" [") + unit + QStringLiteral("]"),
                row.Colour);
        if (FReference.isEmpty())
            continue;
        if (row.Reference) {
            figures(row, *row.Reference, QStringLiteral("  ") + FReference,
                    row.Colour.isValid() ? row.Colour.lighter(140) : row.Colour);
        } else {
            QStringList none(ColumnCount, Dash());
            none[ColChannel] = QStringLiteral("  ") + FReference;
            lines.emplace_back(none, QColor());
        }
        // How far the span's sums lie from the reference's, in % of the reference.
        QStringList change(ColumnCount, QString());
        change[ColChannel] = QStringLiteral("  ") + Text(TextCompareDifferencePercent);
        const auto percent = [&](int column, double own, double reference) {
            const double p = PercentChange(reference, own);
            change[column] = std::isnan(p) ? Dash() : readout::Number(p, 1);
        };
        if (row.Reference) {
            if (row.Channel == ChFlow)
                percent(ColVolume, row.Stats.Sum, row.Reference->Sum);
            if (row.Channel == ChPower)
                percent(ColEnergy, row.Stats.Sum, row.Reference->Sum);
            if (IsOutputChannel(row.Channel)) {
                percent(ColOnTime, row.Stats.OnHours, row.Reference->OnHours);
                percent(ColStarts, row.Stats.Starts, row.Reference->Starts);
            }
        }
        if (row.Channel == ChFlow || row.Channel == ChPower || IsOutputChannel(row.Channel))
            lines.emplace_back(change, QColor());
    }
    TableSpan->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto& [cells, colour] = lines[static_cast<size_t>(r)];
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == ColChannel ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
            if (c == ColChannel && colour.isValid())
                item->setForeground(colour);
            TableSpan->setItem(r, c, item);
        }
    }
    TableSpan->resizeColumnsToContents();
}

QString SpanPanel::TableText() const {
    QStringList lines;
    // Pasted elsewhere, the figures still say which span they are of.
    const QString moment = QStringLiteral("dd.mm.yyyy hh:nn");
    lines << QStringList{Text(TextMarkedSpan), DatePattern::Format(moment, FFrom),
                         DatePattern::Format(moment, FTo)}
                 .join(QLatin1Char('\t'));
    QStringList heading;
    for (int c = 0; c < TableSpan->columnCount(); ++c)
        heading << TableSpan->horizontalHeaderItem(c)->text();
    lines << heading.join(QLatin1Char('\t'));
    for (int r = 0; r < TableSpan->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < TableSpan->columnCount(); ++c) {
            const QString text = TableSpan->item(r, c) ? TableSpan->item(r, c)->text() : QString();
            cells << (text == Dash() ? QString() : text);
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void SpanPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT CloseRequested();
        return;
    }
    QFrame::keyPressEvent(event);
}

void SpanPanel::CopyTable() const { QApplication::clipboard()->setText(TableText()); }
