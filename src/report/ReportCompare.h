#pragma once

#include <QTextStream>

struct ReportOptions;

// solvista-report --compare: the two periods' rows, each period as a whole, and the difference of
// the second from the first as a value and in %; with --health the events of each period counted
// by kind. Returns the exit status as RunReport does.
int RunCompare(const ReportOptions& options, QTextStream& out, QTextStream& err, bool progress);
