#include "io/storico/Wheels.h"

namespace storico {

namespace {

// The names as strings, for the messages and the table columns built from them.
struct WheelTexts {
    std::array<std::string, WheelCount> columns;
    std::array<std::string, WheelCount> codes;
};

const WheelTexts& wheelTexts() {
    static const WheelTexts texts = [] {
        WheelTexts t;
        for (std::size_t w = 0; w < WheelNames.size(); ++w) {
            t.columns[w] = std::string(WheelNames[w].column);
            t.codes[w] = std::string(WheelNames[w].code);
        }
        return t;
    }();
    return texts;
}

} // namespace

std::optional<int> wheelFromCode(std::string_view code) {
    return wheelFromName(code);
}

const std::string& archiveColumn(int wheel) {
    return wheelTexts().columns.at(static_cast<std::size_t>(wheel));
}

const std::string& wheelCode(int wheel) {
    return wheelTexts().codes.at(static_cast<std::size_t>(wheel));
}

} // namespace storico
