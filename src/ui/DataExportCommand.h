#pragma once

#include "core/DateTime.h"
#include "output/DataExport.h"

#include <QString>

#include <optional>
#include <vector>

class TAnalysisData;
class QWidget;

// What an analysis window offers the data export.
struct DataInView {
    const TAnalysisData* Data = nullptr;
    // The log columns the window shows, in channel order.
    std::vector<int> Channels;
    DateTime From = 0.0;
    DateTime To = 0.0;
    // The file name proposed in the save dialog.
    QString ProposedName;
    // The period laid under the charts, if any: its columns follow the period's.
    std::optional<ExportReference> Reference;
};

// The "Export data" command: asks for span and format, then for the file, and writes it. The
// options chosen are offered again for the rest of the run. A span without values writes no
// file and says so.
void RunDataExport(QWidget* owner, const DataInView& view);
