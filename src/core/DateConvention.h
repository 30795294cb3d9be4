#pragma once

#include "core/DateTime.h"

#include <array>
#include <cstddef>
#include <string_view>

// How the dates of log lines are written: a format text that fixes the order, and a separator.
struct DateConvention {
    std::string_view Format = "dd.mm.yyyy";
    char Separator = '.';

    bool YearFirst() const { return Format.substr(0, 4) == "yyyy"; }
    int FormatLength() const { return static_cast<int>(Format.size()); }

    static DateConvention DayFirst() { return {"dd.mm.yyyy", '.'}; }
    static DateConvention YearFirstIso() { return {"yyyy-mm-dd", '-'}; }
    static DateConvention DayFirstWithTime() { return {"dd.mm.yyyy hh:mm", '.'}; }
    static DateConvention YearFirstWithTime() { return {"yyyy-mm-dd hh:mm", '-'}; }
    bool operator==(const DateConvention&) const = default;
};

// Three numbers in the convention's order and separator; a year of one or two digits counts in
// `century` (2000 for the current one). Blanks after the date are skipped; anything else fails.
bool TextToDate(std::string_view text, const DateConvention& convention, int century,
                DateTime& result);
// Such a date, blanks, then hours ":" minutes with optional ":" seconds; anything after the time
// is ignored.
bool TextToDateTime(std::string_view text, const DateConvention& convention, int century,
                    DateTime& result);
// Reads time stamps exactly as TextToDateTime does, remembering the last date it read: the lines
// of a log file share their date, so most stamps need only their time of day read.
class TimeStampReader {
public:
    bool Read(std::string_view text, const DateConvention& convention, int century,
              DateTime& result);

private:
    std::array<char, 16> FDateText{}; // the remembered date's characters, blanks not included
    size_t FDateLength = 0;           // 0: nothing remembered
    DateConvention FConvention;
    int FCentury = 0;
    DateTime FDate = 0;
};

// The century that one- and two-digit years count in: that of today's date.
int CurrentCentury();
