#pragma once

#include "core/Channels.h"
#include "core/DateConvention.h"
#include "core/DateTime.h"

#include <QByteArrayView>
#include <QString>

#include <array>

class LogLines;

using ChannelUnits = std::array<QString, ChannelCount>;

// Loads log files and interprets their heading. It holds the program-wide date convention: the
// one a heading sets stays in force for reading that file's lines and after it.
class LogReader {
public:
    LogReader();

    // Fills `lines` with the data lines of the file and returns the heading.
    QByteArray ReadLogLines(const QString& fileName, LogLines& lines);
    // Files of this size or more are refused before they are read.
    static constexpr qint64 MaxFileSize = qint64{1} << 31;

    // Its two halves: the file's lines read once (empty ones are not kept), then the heading
    // taken out of them (a file without any line is an error). The file is read to the size it
    // had when opened; a failure to open names the file and says why.
    void ReadFile(const QString& fileName, LogLines& lines);
    QByteArray TakeHeading(LogLines& lines);
    // True when all fourteen fields carry the expected names; stores units into `units` and sets
    // the date convention on the way.
    bool CheckHeading(QByteArrayView heading, ChannelUnits& units);
    // The day the file belongs to (a date without time of day).
    DateTime GetFileDate(const LogLines& lines);
    // A day file as the data set takes it: its data lines into `lines`, the heading checked (a
    // file whose names do not match is refused) and its units into `units` only when accepted;
    // returns the file's day.
    DateTime OpenDayFile(const QString& fileName, LogLines& lines, ChannelUnits& units);
    // The same for lines already read with ReadFile.
    DateTime TakeDayFile(LogLines& lines, ChannelUnits& units);

    DateConvention Convention;
    int Century;
};
