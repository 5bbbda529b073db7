#include "io/jet/DataPage.h"

#include "io/jet/PageImage.h"

#include <string>

namespace jet::engine {

DataPage::DataPage(ByteView page) : m_page(page) {
    if (m_page.size() != kPageSize || m_page.u8(0) != kDataPageType) {
        m_page.damaged("attesa una pagina di dati");
    }
    m_slotCount = m_page.u16(12);
    if (kDataPageHeader + 2 * std::size_t(m_slotCount) > kPageSize) {
        m_page.damaged("troppe righe in una pagina di dati");
    }
}

std::uint16_t DataPage::slotWord(int slot) const {
    if (slot < 0 || slot >= m_slotCount) {
        m_page.damaged("riga " + std::to_string(slot) + " inesistente nella pagina");
    }
    return m_page.u16(kDataPageHeader + 2 * std::size_t(slot));
}

std::size_t DataPage::rowEnd(int slot) const {
    return slot == 0 ? kPageSize : rowStart(slot - 1);
}

bool DataPage::rowBoundsValid(int slot) const {
    const std::size_t start = rowStart(slot);
    const std::size_t end = rowEnd(slot);
    return start >= kDataPageHeader + 2 * std::size_t(m_slotCount) && start <= end && end <= kPageSize;
}

ByteView DataPage::row(int slot) const {
    if (!rowBoundsValid(slot)) {
        m_page.damaged("riga " + std::to_string(slot) + " fuori dalla pagina");
    }
    return m_page.sub(rowStart(slot), rowEnd(slot) - rowStart(slot));
}

} // namespace jet::engine
