#include "SampleHistory.h"

#include "DrawCalendar.h"
#include "SplitMix64.h"

#include <algorithm>

storico::WheelNumbers sampleWheelNumbers(std::uint64_t seed, const storico::CalendarDate& date, int wheel) {
    const auto key =
        static_cast<std::uint64_t>(static_cast<std::int64_t>(date.dayNumber())) * storico::WheelCount +
        static_cast<std::uint64_t>(wheel);
    // Mixing the key through one step of its own keeps neighbouring keys' streams unrelated.
    SplitMix64 keyMixer(key);
    SplitMix64 random(seed ^ keyMixer.next());
    storico::WheelNumbers numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        int number = random.uniform(90);
        while (std::find(numbers.begin(), numbers.begin() + static_cast<long>(i), number) !=
               numbers.begin() + static_cast<long>(i))
            number = random.uniform(90);
        numbers[i] = number;
    }
    return numbers;
}

std::vector<storico::Draw> generateSampleHistory(std::uint64_t seed, const storico::CalendarDate& first,
                                                 const storico::CalendarDate& last) {
    std::vector<storico::Draw> draws;
    for (const auto& date : DrawCalendar::drawDays(first, last)) {
        storico::Draw draw;
        draw.date = date;
        for (int wheel = 0; wheel < storico::WheelCount; ++wheel)
            if (DrawCalendar::wheelExists(wheel, date))
                draw.wheels[static_cast<std::size_t>(wheel)] = sampleWheelNumbers(seed, date, wheel);
        draws.push_back(draw);
    }
    return draws;
}
