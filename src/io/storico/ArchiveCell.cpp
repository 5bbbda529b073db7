#include "io/storico/ArchiveCell.h"

namespace storico {

std::string formatArchiveCell(const WheelNumbers& numbers) {
    std::string cell;
    cell.reserve(ArchiveCellLength);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            cell += ' ';
        const int n = numbers[i];
        cell += static_cast<char>('0' + n / 10 % 10);
        cell += static_cast<char>('0' + n % 10);
    }
    return cell;
}

} // namespace storico
