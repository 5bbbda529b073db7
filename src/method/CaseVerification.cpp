#include "CaseVerification.h"

#include "DrawArchive.h"

#include <array>

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
            if (isWheel(c.wheel1))
                m_quartinaWheels[c.wheel1] = true;
            if (isWheel(c.wheel2))
                m_quartinaWheels[c.wheel2] = true;
        }
    }

    // Fills the outcome's details for draw d and says whether anything hit there.
    bool check(int d, CaseOutcome& out) const {
        bool found = false;
        if (m_boxes.ambata)
            found |= checkAmbata(d, out);
        if (m_boxes.quartina)
            found |= checkQuartina(d, out);
        if (m_boxes.treAmbi)
            found |= checkTreAmbi(d, out);
        return found;
    }

private:
    const std::int16_t* numbers(int draw, int wheel) const {
        return isWheel(wheel) ? m_archive.wheelNumbers(draw, wheel) : nullptr;
    }

    bool checkAmbata(int d, CaseOutcome& out) const {
        bool found = false;
        const std::array<int, 2> wheels{m_case.wheel1, m_case.wheel2};
        for (int i = 0; i < 2; ++i) {
            const std::int16_t* ns = numbers(d, wheels[i]);
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
            QuartinaHit hit;
            hit.wheel = w;
            for (int p = 0; p < PositionCount; ++p)
                if (m_numbers.marked(ns[p]))
                    hit.numbers[hit.count++] = ns[p];
            if (hit.count < 2)
                continue;
            out.quartina[out.quartinaCount++] = hit;
            found = true;
        }
        return found;
    }

    bool checkTreAmbi(int d, CaseOutcome& out) const {
        bool found = false;
        const std::array<int, 2> wheels{m_case.wheel1, m_case.wheel2};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 2; ++j) {
                const std::int16_t* ns = numbers(d, wheels[j]);
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
