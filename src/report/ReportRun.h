#pragma once

#include <QStringList>
#include <QTextStream>

// The whole of solvista-report: the arguments (without the program name) in, the report on `out`,
// passed-over files, progress and errors on `err`; returns the exit status (0 files read, 1 none
// could be read, 2 usage error). `progress`: standard error is a terminal.
int RunReport(const QStringList& arguments, QTextStream& out, QTextStream& err, bool progress);
