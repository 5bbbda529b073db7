#pragma once

// The ambo window's pipeline and veltrano-analisi side by side: the window's grids set up as a user who
// chose the tool's options, and the window's grids written out in the layout of the tool's report. The
// report is written here, from the grids alone, so that a comparison with the tool checks the tool's own
// code against the window's.

#include "cli/AnalysisOptions.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboRange.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/OutcomeVerification.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/Palette.h"

#include <QString>
#include <QStringList>

// Grids, state and controls as the ambo window after its load, then as a user who chose the options.
// Returns an error text when the range does not fit the archive.
inline QString prepareWindowAsTool(const AnalysisOptions& options, const DrawArchive& archive,
                                   AmboGrids& grids, AmboState& state, AmboControls& controls) {
    loadAmboGrids(grids, archive);
    state.fillWheelRelationships();
    DrawRange range;
    if (QString error = resolveAnalysisRange(options, archive, range); !error.isEmpty())
        return error;
    setRange(state, range.start, range.end);
    for (int w = 0; w < 11; ++w)
        grids.FgR.setBackColour(0, w, options.ruote[w] ? AmboState::ColoreRuota : AmboState::Bianco);
    for (int p = 0; p < 5; ++p)
        grids.Fgp.setBackColour(0, p, options.posizioni[p] ? AmboState::ColorePosizione : AmboState::Bianco);
    controls = AmboControls();
    for (std::size_t t = 0; t < controls.Ch_RuoteTipo.size(); ++t)
        controls.Ch_RuoteTipo[t] = options.tipi[t] ? 1 : 0;
    controls.ChPosAdi = options.posizioniAdiacenti ? 1 : 0;
    controls.ComboC = QString::number(options.colpi);
    controls.ComboNC = QString::number(options.casi);
    controls.Ch_Intervallo = options.intervallo ? 1 : 0;
    controls.Ch_1 = options.ambata ? 1 : 0;
    controls.Ch_2 = options.treAmbi ? 1 : 0;
    controls.Ch_4 = options.quartina ? 1 : 0;
    controls.Ch_Tutte = options.tutte ? 1 : 0;
    return {};
}

// The window's grids as veltrano-analisi prints its report (tsv): the visible columns of the cases with
// their outcome read from the case's colour, an empty line, the summary with its bars in percent.
inline QString windowReport(const GridModel& Fg1, const GridModel& FgS, const Palette& palette) {
    auto line = [](const QStringList& fields) { return fields.join(QLatin1Char('\t')) + QLatin1Char('\n'); };
    QString out;
    QStringList header;
    for (int c = 0; c < Fg1.cols(); ++c)
        if (!Fg1.isColHidden(c))
            header << Fg1.text(0, c).trimmed();
    header << QStringLiteral("Esito");
    out += line(header);
    for (int r = 1; r < Fg1.rows(); ++r) {
        QStringList fields;
        for (int c = 0; c < Fg1.cols(); ++c)
            if (!Fg1.isColHidden(c))
                fields << Fg1.text(r, c);
        const GridModel::Colour colour = Fg1.backColour(r, ColCaso);
        fields << (colour == EsitoPositivo           ? QStringLiteral("positivo")
                   : colour == palette.PaletteOrange ? QStringLiteral("in gioco")
                                                     : QStringLiteral("negativo"));
        out += line(fields);
    }
    out += QLatin1Char('\n');
    for (int r = 1; r <= 8; ++r) {
        const double percent = FgS.floodPercent(r, 1);
        out += line({FgS.text(r, 0), FgS.text(r, 1),
                     percent == GridModel::NoFlood ? QString() : QString::number(percent, 'f', 1)});
    }
    return out;
}
