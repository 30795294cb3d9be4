#include "ui/WholeViewFigures.h"

#include "core/Channels.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerComparison.h"
#include "ui/ReadoutFormat.h"
#include "ui/ReadoutTexts.h"
#include "ui/WholeViewTexts.h"

#include <cmath>

WholeViewFigures::WholeViewFigures(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("LabelWholeView"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setWordWrap(true);
    setContentsMargins(6, 3, 6, 3);
    hide();
}

QString WholeViewFigures::Compared(const QString& own, const QString& reference, double percent) {
    QString change = QStringLiteral("\u2013");
    if (!std::isnan(percent)) {
        change = readout::Number(percent, 1);
        // A rise reads as one at a glance; a change that rounds to nothing has no sign.
        if (percent > 0.0 && change != readout::Number(0.0, 1))
            change.prepend(QLatin1Char('+'));
        change += QStringLiteral(" %");
    }
    return own + QStringLiteral(" (") + Text(TextReadoutReference).arg(reference, change) +
           QLatin1Char(')');
}

void WholeViewFigures::ShowView(DateTime from, DateTime to, const std::vector<SpanPanel::Row>& rows,
                                const QString& reference) {
    const bool oneDay = std::floor(from) == std::floor(to - 1e-9);
    const QString full = QStringLiteral("dd.mm.yyyy hh:nn");
    QStringList lines;
    lines << QStringLiteral("%1: %2 \u2013 %3 (%4 h), %5")
                 .arg(Text(TextWholeView), DatePattern::Format(full, from),
                      DatePattern::Format(oneDay ? QStringLiteral("hh:nn") : full, to),
                      readout::Duration(to - from), reference);
    for (const SpanPanel::Row& row : rows) {
        const bool output = IsOutputChannel(row.Channel);
        if (row.Channel != ChFlow && row.Channel != ChPower && !output)
            continue;
        const auto figure = [&](const QString& name, double own, double then, const auto& text) {
            return name + QLatin1Char(' ') +
                   Compared(text(own), row.Reference ? text(then) : QStringLiteral("\u2013"),
                            row.Reference ? PercentChange(then, own) : std::nan(""));
        };
        const ChannelReadings::Statistics none;
        const ChannelReadings::Statistics& then = row.Reference ? *row.Reference : none;
        QString line = row.Label + QStringLiteral(": ");
        if (row.Channel == ChFlow)
            line += figure(Text(TextVolumeLitres), row.Stats.Sum, then.Sum,
                           [](double v) { return readout::Number(v, 1); });
        if (row.Channel == ChPower)
            line += figure(Text(TextEnergyKWh), row.Stats.Sum, then.Sum,
                           [](double v) { return readout::Number(v, 3); });
        if (output) {
            const auto hours = [](double h) {
                return readout::Duration(h / 24.0) + QStringLiteral(" h");
            };
            line += figure(Text(TextOnTime), row.Stats.OnHours, then.OnHours, hours) +
                    QStringLiteral("; ") +
                    figure(Text(TextStarts), row.Stats.Starts, then.Starts,
                           [](double v) { return QString::number(std::llround(v)); });
        }
        lines << line;
    }
    if (lines.size() == 1)
        lines << Text(TextWholeViewHint);
    setText(lines.join(QLatin1Char('\n')));
    show();
}
