#pragma once

#include "core/Channels.h"
#include "core/DateTime.h"
#include "logdata/DayOwner.h"
#include "logdata/TDay.h"

#include <array>
#include <memory>

class SeriesHost;

// One calendar month of a multi-day analysis. Months form a doubly linked chain in calendar order;
// each owns the days read into it and two series with one point per calendar day: the daily
// Volume and Energy. The queries start at the month they are called on and walk along `Next`.
class TMonth final : public DayOwner {
public:
    TMonth(int month, int year, TMonth* previous, SeriesHost* chart);
    ~TMonth() override;
    TMonth(const TMonth&) = delete;
    TMonth& operator=(const TMonth&) = delete;

    void AddDay(std::unique_ptr<TDay> day);
    void RemoveDay(TDay* day) override;
    bool Matches(int month, int year) const { return month == Month && year == Year; }
    int GetDayCount() const { return DayCount; }
    TMonth* GetNext() const { return Next; }
    TMonth* GetPrev() const { return Prev; }

    DateTime GetStartDate(int dayIndex) const;
    // The day of a day index, counted like GetStartDate.
    const TDay& GetDay(int dayIndex) const;
    int GetMonthCount() const;
    DateTime GetDateByMonthIndex(int monthIndex) const;
    int GetMonthIndexByDay(int dayIndex) const;
    int GetDayIndexByMonth(int monthIndex) const;

    void ShowChannel(SeriesHost* chart, int channel, DataState& lowestState, bool legend,
                     DateTime maximum, DateTime minimum);
    void HideChannel(int channel);
    void ApplyChannelStyle(int channel, const QString& label, bool outputsAsBars, bool othersAsBars,
                           int lineWidth, const QColor& colour);
    void SetChannelAxis(int channel, ValueAxis axis);
    void BuildTotals();

    int GetYear() const { return Year; }
    int GetMonth() const { return Month; }
    DateTime StartDate() const { return FStartDate; }
    DateTime EndDate() const { return FEndDate; }
    TDay* FirstDayOfChain() const { return FirstDay; }
    // Slot 0 holds the daily Volume, slot 1 the daily Energy.
    const TDay::Slot& TotalSlot(int k) const { return TotalSlots[static_cast<size_t>(k)]; }

private:
    static bool IsTotal(int channel) { return channel == ChVolume || channel == ChEnergy; }
    static size_t TotalIndex(int channel) { return static_cast<size_t>(channel - ChVolume); }
    bool Overlaps(DateTime maximum, DateTime minimum) const;
    // The month of a month index, with the day index of its first day.
    const TMonth& MonthAt(int monthIndex, int& dayIndex, const char* endText) const;

    int Year = 0;
    int Month = 0;
    int DayCount = 0;
    TMonth* Prev = nullptr;
    TMonth* Next = nullptr;
    SeriesHost* Chart = nullptr;
    TDay* FirstDay = nullptr; // owned, with the rest of its chain
    DateTime FEndDate = 0.0;
    DateTime FStartDate = 0.0;
    std::array<bool, ChannelCount> ChannelShown{};
    std::array<TDay::Slot, 2> TotalSlots;
};
