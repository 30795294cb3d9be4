#pragma once

class TDay;

// What holds a chain of days (the month). A day tells its owner when it leaves, so the owner
// never keeps a pointer to a destroyed day.
class DayOwner {
public:
    virtual void RemoveDay(TDay* day) = 0;

protected:
    DayOwner() = default;
    virtual ~DayOwner() = default;
};
