#pragma once

#include "core/DateTime.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

class TAnalysisData;

// "Data 2010-05-01.csv", or "Data 05. 2010.csv" in the month span; "Data.csv" without a date.
QString ProposedExportName(bool monthMode, DateTime currentDate);

enum class ExportFormat {
    // As the logger writes it: ";" between fields, decimal comma, its heading, Windows-1252; the
    // program reads it again.
    Log,
    // "," between fields, decimal point, ISO 8601 times, units in the heading, UTF-8.
    International
};

// A period laid under the analysis: the export adds a column per channel with its value at each
// line's moment, as the cursor readout gives it.
struct ExportReference {
    DateTime First = 0.0; // the reference's days, for the heading
    DateTime Last = 0.0;
    std::function<std::optional<double>(int channel, DateTime periodTime)> ValueAt;
};

struct ExportRequest {
    ExportFormat Format = ExportFormat::Log;
    // Columns of the log (T1 .. RError); others, such as the daily sums, are left out.
    std::vector<int> Channels;
    // Points at From <= time < To; the whole analysis by default.
    DateTime From = -std::numeric_limits<double>::infinity();
    DateTime To = std::numeric_limits<double>::infinity();
};

// The values of an analysis as one table: a line per moment at which any requested channel has a
// value, merged across the days in time order, a field per channel that stays empty where that
// channel has none (gaps, faults). Values are read through the chart series alone. A reference's
// columns follow the log's, so the program still reads the file as a log.
class DataExport {
public:
    // Without a reference the table is the analysis' alone.
    DataExport(const TAnalysisData& data, ExportRequest request,
               std::optional<ExportReference> reference = std::nullopt);

    // Builds the text; the number of data lines it holds.
    int Build();
    const QByteArray& Bytes() const { return FBytes; }
    // Writes the text built to `path`, which appears only once complete; raises the file error.
    void Save(const QString& path) const;

private:
    const TAnalysisData& FData;
    ExportRequest FRequest;
    std::optional<ExportReference> FReference;
    QByteArray FBytes;
};
