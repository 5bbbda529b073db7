#pragma once

namespace jet {

// Calendar date and time of day as Access stores it: days since 1899-12-30 00:00 in a double.
// For negative values the integer part is the (negative) day and the fraction is still a positive
// time of day, so -1.25 is 1899-12-29 06:00.
struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

double toJetDate(const CivilDateTime& value);
double toJetDate(int year, int month, int day);
CivilDateTime fromJetDate(double value);

} // namespace jet
