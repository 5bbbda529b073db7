#include "gui/ambo/AnalisiRun.h"

#include "core/DrawArchive.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboWorkbench.h"
#include "gui/ambo/Elabora.h"
#include "gui/ambo/EqualAmboSearch.h"
#include "gui/ambo/OutcomeVerification.h"
#include "gui/kit/GridCells.h"
#include "gui/kit/Palette.h"

#include <QStringList>

namespace {

QString line(const QStringList& fields, AnalisiOptions::Format format) {
    if (format == AnalisiOptions::Format::Tsv)
        return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    QStringList quoted;
    for (const QString& f : fields)
        quoted << csvField(f);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString esito(const GridModel& Fg1, int row, const Palette& palette) {
    const GridModel::Colour c = Fg1.backColour(row, ColCaso);
    if (c == EsitoPositivo)
        return QStringLiteral("positivo");
    if (c == palette.PaletteOrange)
        return QStringLiteral("in gioco");
    return QStringLiteral("negativo");
}

} // namespace

QString prepareAnalisi(const AnalisiOptions& options, const DrawArchive& archive, AmboGrids& grids,
                       AmboState& state, AmboControls& controls) {
    loadAmboGrids(grids, archive);
    state.fillWheelRelationships();
    if (QString error = applyAnalisiRange(options, archive, state); !error.isEmpty())
        return error;
    for (int w = 0; w < 11; ++w)
        grids.FgR.setBackColour(0, w, options.ruote[w] ? AmboState::ColoreRuota : AmboState::Bianco);
    for (int p = 0; p < 5; ++p)
        grids.Fgp.setBackColour(0, p, options.posizioni[p] ? AmboState::ColorePosizione : AmboState::Bianco);
    controls = AmboControls();
    controls.Ch_RuoteTipo = options.tipi;
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

QString analisiReport(const GridModel& Fg1, const GridModel& FgS, const Palette& palette,
                      AnalisiOptions::Format format) {
    QString out;
    QStringList header;
    for (int c = 0; c < Fg1.cols(); ++c)
        if (!Fg1.isColHidden(c))
            header << Fg1.text(0, c).trimmed();
    header << QStringLiteral("Esito");
    out += line(header, format);
    for (int r = 1; r < Fg1.rows(); ++r) {
        QStringList fields;
        for (int c = 0; c < Fg1.cols(); ++c)
            if (!Fg1.isColHidden(c))
                fields << Fg1.text(r, c);
        fields << esito(Fg1, r, palette);
        out += line(fields, format);
    }
    out += QLatin1Char('\n');
    for (int r = 1; r <= 8; ++r) {
        const double percent = FgS.floodPercent(r, 1);
        out += line({FgS.text(r, 0), FgS.text(r, 1),
                     percent == GridModel::NoFlood ? QString() : QString::number(percent, 'f', 1)},
                    format);
    }
    return out;
}

QString runAnalisi(const AnalisiOptions& options, const DrawArchive& archive, QString& output,
                   QString* notice) {
    AmboWorkbench work;
    if (QString error = prepareAnalisi(options, archive, work.grids, work.state, work.controls);
        !error.isEmpty())
        return error;
    elabora(work.controls, work.grids, work.state, archive, work.palette, {});
    output = analisiReport(work.Fg1, work.FgS, work.palette, options.formato);
    if (notice)
        *notice = caseCapNotice(work.state);
    return {};
}
