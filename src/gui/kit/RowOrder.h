#pragma once

#include <Qt>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

// The rows a table model shows, as indices into its plain data: those a filter keeps, in the order of a
// sort. A sort always starts from the data's own order, so rows with equal keys stay in that order
// whichever column was sorted before; rows without a value (a NaN key) go last in either direction.
class RowOrder {
public:
    // Rows 0..count-1 that keep(row) accepts, in the data's order.
    template <typename Keep> void filter(int count, Keep keep) {
        m_rows.clear();
        for (int r = 0; r < count; ++r)
            if (keep(r))
                m_rows.push_back(r);
    }
    void filter(int count) {
        m_rows.resize(static_cast<std::size_t>(std::max(count, 0)));
        std::iota(m_rows.begin(), m_rows.end(), 0);
    }

    // Sorts the rows kept by key(row), a double.
    template <typename Key> void sort(Key key, Qt::SortOrder order) {
        std::sort(m_rows.begin(), m_rows.end());
        std::vector<std::pair<double, int>> keyed;
        keyed.reserve(m_rows.size());
        for (int r : m_rows)
            keyed.emplace_back(key(r), r);
        const bool ascending = order == Qt::AscendingOrder;
        std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
            const bool aNone = std::isnan(a.first);
            const bool bNone = std::isnan(b.first);
            if (aNone || bNone)
                return !aNone && bNone;
            return ascending ? a.first < b.first : b.first < a.first;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            m_rows[i] = keyed[i].second;
    }

    int size() const { return static_cast<int>(m_rows.size()); }
    // The data's row shown at a row of the model.
    int source(int shown) const { return m_rows[static_cast<std::size_t>(shown)]; }

private:
    std::vector<int> m_rows;
};
