#include "core/CaseVerification.h"

#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {
bool isWheel(int w) {
    return w >= 0 && w < WheelCount;
}

// Marks for the numbers 0..99 of the quartina; a number outside that range is never marked.
class NumberMarks {
public:
    void mark(int n) {
        if (n >= 0 && n < static_cast<int>(m_marks.size()))
            m_marks[n] = true;
    }
    bool marked(int n) const { return n >= 0 && n < static_cast<int>(m_marks.size()) && m_marks[n]; }

private:
    std::array<bool, 100> m_marks{};
};

class CaseFollower {
public:
    CaseFollower(const EqualAmboCase& c, const OutcomeBoxes& boxes, const DrawArchive& archive)
        : m_case(c), m_boxes(boxes), m_archive(archive),
          m_ambata(c.forecast.Ambata), m_others{c.forecast.A1, c.forecast.A2, c.forecast.A3} {
        m_numbers.mark(m_ambata);
        for (int n : m_others)
            m_numbers.mark(n);
        if (boxes.tutte) {
            for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w)
                m_quartinaWheels[w] = true;
        } else {
            if (CaseOutcome::quartinaWheel(c.wheel1))
                m_quartinaWheels[c.wheel1] = true;
            if (CaseOutcome::quartinaWheel(c.wheel2))
                m_quartinaWheels[c.wheel2] = true;
        }
    }

    // Fills the outcome's details for draw d and says whether anything hit there.
    bool check(int d, CaseOutcome& out) const {
        const std::array<const std::int16_t*, 2> caseWheels{numbers(d, m_case.wheel1),
                                                            numbers(d, m_case.wheel2)};
        bool found = false;
        if (m_boxes.ambata)
            found |= checkAmbata(caseWheels, out);
        if (m_boxes.quartina)
            found |= checkQuartina(d, out);
        if (m_boxes.treAmbi)
            found |= checkTreAmbi(caseWheels, out);
        return found;
    }

private:
    const std::int16_t* numbers(int draw, int wheel) const {
        return isWheel(wheel) ? m_archive.wheelNumbers(draw, wheel) : nullptr;
    }

    bool checkAmbata(const std::array<const std::int16_t*, 2>& caseWheels, CaseOutcome& out) const {
        bool found = false;
        for (int i = 0; i < 2; ++i) {
            const std::int16_t* ns = caseWheels[i];
            if (!ns)
                continue;
            for (int p = 0; p < PositionCount; ++p) {
                if (ns[p] != m_ambata)
                    continue;
                ++out.ambata[i];
                found = true;
            }
        }
        return found;
    }

    bool checkQuartina(int d, CaseOutcome& out) const {
        bool found = false;
        for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w) {
            if (!m_quartinaWheels[w])
                continue;
            const std::int16_t* ns = m_archive.wheelNumbers(d, w);
            int count = 0;
            for (int p = 0; p < PositionCount; ++p)
                count += m_numbers.marked(ns[p]) ? 1 : 0;
            if (count < 2)
                continue;
            // Only a wheel that hits is written down, with its numbers in drawn order.
            QuartinaHit& hit = out.quartina[out.quartinaCount++];
            hit.wheel = w;
            for (int p = 0; p < PositionCount; ++p)
                if (m_numbers.marked(ns[p]))
                    hit.numbers[hit.count++] = ns[p];
            found = true;
        }
        return found;
    }

    bool checkTreAmbi(const std::array<const std::int16_t*, 2>& caseWheels, CaseOutcome& out) const {
        bool found = false;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 2; ++j) {
                const std::int16_t* ns = caseWheels[j];
                if (!ns)
                    continue;
                int count = 0;
                for (int p = 0; p < PositionCount; ++p)
                    if (ns[p] == m_ambata || ns[p] == m_others[i])
                        ++count;
                if (count != 2)
                    continue;
                out.ambi[i][j] = true;
                found = true;
            }
        }
        return found;
    }

    const EqualAmboCase& m_case;
    const OutcomeBoxes& m_boxes;
    const DrawArchive& m_archive;
    int m_ambata;
    std::array<int, 3> m_others;
    NumberMarks m_numbers;
    std::array<bool, CaseOutcome::QuartinaWheels> m_quartinaWheels{};
};

// The same checks as CaseFollower on the number sets, for a forecast of numbers 1..90 and a draw that
// repeats no number on a wheel. Then a position holds a forecast number exactly when the wheel's set does.
class CaseSets {
public:
    CaseSets(const EqualAmboCase& c, const OutcomeBoxes& boxes) : m_case(c), m_boxes(boxes) {
        const Forecast& f = c.forecast;
        m_ambata = f.Ambata;
        for (int n : {f.Ambata, f.A1, f.A2, f.A3}) {
            m_exact = m_exact && n >= 1 && n <= 90;
            m_quartina.add(n);
            if (n != f.Ambata)
                m_others.add(n); // an Ai equal to the ambata makes no ambo
        }
        for (int w = 0; w < CaseOutcome::QuartinaWheels; ++w)
            if (boxes.tutte || w == c.wheel1 || w == c.wheel2)
                m_quartinaWheels[m_quartinaWheelCount++] = w;
    }

    // Whether the forecast can be read from the sets at all.
    bool exact() const { return m_exact; }

    bool hits(const DrawnNumbers& drawn, int d) const {
        for (int w : {m_case.wheel1, m_case.wheel2}) {
            if (!isWheel(w))
                continue;
            const NumberSet& s = drawn.numbers(d, w);
            if (!s.holds(m_ambata))
                continue;
            if (m_boxes.ambata || (m_boxes.treAmbi && (s & m_others).any()))
                return true;
        }
        if (m_boxes.quartina)
            for (int i = 0; i < m_quartinaWheelCount; ++i)
                if ((drawn.numbers(d, m_quartinaWheels[i]) & m_quartina).atLeastTwo())
                    return true;
        return false;
    }

private:
    const EqualAmboCase& m_case;
    const OutcomeBoxes& m_boxes;
    int m_ambata = 0;
    bool m_exact = true;
    NumberSet m_others;
    NumberSet m_quartina;
    std::array<int, CaseOutcome::QuartinaWheels> m_quartinaWheels{};
    int m_quartinaWheelCount = 0;
};
} // namespace

CaseOutcome verifyCase(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes,
                       const DrawArchive& archive) {
    CaseOutcome out;
    const CaseFollower follower(c, boxes, archive);
    const int drawCount = archive.drawCount();
    const std::int64_t end = static_cast<std::int64_t>(c.draw) + colpi;
    for (std::int64_t d = static_cast<std::int64_t>(c.draw) + 1; d <= end; ++d) {
        if (d > drawCount || d < 0)
            continue;
        if (follower.check(static_cast<int>(d), out)) {
            out.esito = CaseOutcome::Esito::Positivo;
            out.colpo = static_cast<int>(d - c.draw);
            return out;
        }
    }
    out.esito = drawCount - c.draw < colpi ? CaseOutcome::Esito::InGioco : CaseOutcome::Esito::Negativo;
    return out;
}

int firstPositiveColpo(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes,
                       const DrawArchive& archive, const DrawnNumbers& drawn) {
    const CaseSets sets(c, boxes);
    std::optional<CaseFollower> follower; // only for what the sets cannot tell
    const std::int64_t end =
        std::min(static_cast<std::int64_t>(c.draw) + colpi, std::int64_t{drawn.drawCount()});
    for (std::int64_t d = std::max(static_cast<std::int64_t>(c.draw) + 1, std::int64_t{0}); d <= end; ++d) {
        const int draw = static_cast<int>(d);
        bool hit = false;
        if (sets.exact() && drawn.setsExact(draw)) {
            hit = sets.hits(drawn, draw);
        } else {
            if (!follower)
                follower.emplace(c, boxes, archive);
            CaseOutcome scratch;
            hit = follower->check(draw, scratch);
        }
        if (hit)
            return static_cast<int>(d - c.draw);
    }
    return 0;
}
