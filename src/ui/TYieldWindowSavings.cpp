#include "ui/TYieldWindow.h"

#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/SavingsTexts.h"

#include <QLabel>

#include <cmath>

std::vector<LedgerColumn> TYieldWindow::Columns() const { return LedgerColumnsWithSavings(FBasis); }

void TYieldWindow::ShowSavings(int year) {
    const std::vector<LedgerRow> years = FLedger->Years();
    if (years.empty()) {
        LabelSavings->hide();
        return;
    }
    if (!FBasis.HasAny()) {
        LabelSavings->setText(Text(TextSavingsHint));
        LabelSavings->show();
        return;
    }
    const LedgerRow* shown = &years.back();
    for (const LedgerRow& row : years)
        if (row.Start.year() == year)
            shown = &row;
    QStringList parts;
    for (const LedgerColumn& column : SavingsColumns(FBasis)) {
        const double value = column.Value(*shown);
        if (std::isnan(value))
            continue;
        QString part = column.LocalName() + QStringLiteral(": ") +
                       LanguageFormat::Number(value, column.Decimals);
        if (!column.Unit.isEmpty())
            part += QLatin1Char(' ') + column.Unit;
        parts << part;
    }
    LabelSavings->setText(QString::number(shown->Start.year()) + QStringLiteral(" \u2014 ") +
                          parts.join(QStringLiteral(" \u00B7 ")));
    LabelSavings->show();
}
