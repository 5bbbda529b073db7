#pragma once

#include "ArchiveBuilder.h"
#include "QtPrinting.h"
#include "WheelCodes.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboRange.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/AmboWorkbench.h"
#include "gui/ambo/ConfiguraParametri.h"
#include "gui/ambo/Elabora.h"
#include "gui/ambo/EqualAmboSearch.h"
#include "gui/ambo/OutcomeVerification.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Palette.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <ostream>

// Everything the ambo window holds, without widgets: archive, grids, state, controls, palette.
// A test builds its archive with `build`, then calls open() to run the window's load.
class AmboFixture : public ::testing::Test, protected AmboWorkbench {
protected:
    using N = ArchiveBuilder::Numbers;

    AmboFixture() : m_archive(std::make_unique<DrawArchive>()), build(*m_archive) {}

    DrawArchive& archive() { return *m_archive; }

    void open() {
        build.finish();
        palette.SettaValoriBase();
        loadAmboGrids(grids, archive());
        state.fillWheelRelationships();
        setRange(state, loadRangeStart(archive().drawCount()), archive().drawCount());
    }

    void typesOnly(std::initializer_list<int> types) {
        controls.Ch_RuoteTipo.fill(0);
        for (int t : types)
            controls.Ch_RuoteTipo.at(t) = 1;
    }

    void outcomeBoxes(int ambata, int treAmbi, int quartina, int tutte) {
        controls.Ch_1 = ambata;
        controls.Ch_2 = treAmbi;
        controls.Ch_4 = quartina;
        controls.Ch_Tutte = tutte;
    }

    // The search alone, as ELABORA runs it before any formatting.
    void search() {
        ConfiguraParametri(controls, grids, state, archive(), {});
        searchEqualAmbi(state, archive(), Fg1);
    }

    VerificationTotals elaboraClick() { return elabora(controls, grids, state, archive(), palette, {}); }
    VerificationTotals verificaClick() {
        return verifyCases(Fg1, FgS, state.Colpi, controls, archive(), palette);
    }

    int caseRows() const { return Fg1.rows() - 1; }

    // "BA-CA" for each case row, in grid order.
    QStringList wheelPairs() const {
        QStringList pairs;
        for (int r = 1; r < Fg1.rows(); ++r)
            pairs << Fg1.text(r, ColCodice1) + QLatin1Char('-') + Fg1.text(r, ColCodice2);
        return pairs;
    }

    QString summary(int row) const { return FgS.text(row, 1); }

    // Writes a case row by hand, as the search would leave the cells the verification reads.
    int addCase(int draw, int r1, int r2, int ambata, int a1, int a2, int a3) {
        Fg1.addRow();
        const int r = Fg1.rows() - 1;
        Fg1.setText(r, ColCaso, QString::number(r));
        Fg1.setText(r, ColEstrazione, QString::number(draw));
        Fg1.setText(r, ColRuota1, QString::number(r1));
        Fg1.setText(r, ColCodice1, archive().wheelCode(r1));
        Fg1.setText(r, ColRuota2, QString::number(r2));
        Fg1.setText(r, ColCodice2, archive().wheelCode(r2));
        Fg1.setText(r, ColAmbata, QString::number(ambata));
        Fg1.setText(r, ColA1, QString::number(a1));
        Fg1.setText(r, ColA2, QString::number(a2));
        Fg1.setText(r, ColA3, QString::number(a3));
        return r;
    }

    std::unique_ptr<DrawArchive> m_archive;
    ArchiveBuilder build;
};
