#pragma once

#include <QString>

// The copy of a log file that an English spreadsheet splits by commas: every ";" becomes ",",
// nothing else changes (decimal commas stay), lines end in CR LF.

// The copy's file name: the eight characters before the last four of the log file's name (for
// the logger's names the date), then "c.csv"; 20100501.csv gives 20100501c.csv. Shorter names
// give what there is. The folder part of the path never enters the name.
QString CommaCopyName(const QString& logPath);

// Writes the copy of `logPath` to `copyPath`, replacing a file there. Lines may have any length.
// False, with `reason` set, when the log file cannot be read or the copy cannot be written; a
// failed write leaves any earlier copy as it was.
bool WriteCommaCopy(const QString& logPath, const QString& copyPath, QString* reason = nullptr);
// The same for an exact copy of the log's bytes.
bool WriteByteCopy(const QString& logPath, const QString& copyPath, QString* reason = nullptr);
