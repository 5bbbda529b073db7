#pragma once

#include "io/storico/Draw.h"

#include <cstdint>
#include <vector>

constexpr std::uint64_t DefaultSampleSeed = 0x56454C5452414E4FULL;
constexpr storico::CalendarDate DefaultSampleFrom{1990, 1, 6};
constexpr storico::CalendarDate DefaultSampleTo{2026, 6, 30};

// A made-up but plausible history: a draw on every draw day of the real calendar from first to last,
// each existing wheel with five distinct numbers 1-90. The numbers of a wheel on a date depend only on
// the seed, the date and the wheel, so a shorter range gives the same draws on the dates it shares.
std::vector<storico::Draw> generateSampleHistory(std::uint64_t seed, const storico::CalendarDate& first,
                                                 const storico::CalendarDate& last);

storico::WheelNumbers sampleWheelNumbers(std::uint64_t seed, const storico::CalendarDate& date, int wheel);
