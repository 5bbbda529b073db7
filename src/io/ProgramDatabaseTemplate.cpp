#include "io/ProgramDatabaseTemplate.h"

#include "io/jet/ProgramPassword.h"

using jet::ColumnSpec;
using jet::ColumnType;
using jet::JetNull;
using jet::TableSpec;

jet::DatabaseSpec programDatabaseTemplate(const std::string& archivePath, double creationDate) {
    jet::DatabaseSpec db;
    db.password = programDatabasePassword();
    db.creationDate = creationDate;

    TableSpec parameters;
    parameters.name = "ParametriProgramma";
    parameters.columns = {{"Parametro", ColumnType::Text, 50},
                          {"Valore1", ColumnType::Text, 255},
                          {"Valore2", ColumnType::Text, 255}};
    parameters.primaryKey = "Parametro";
    parameters.rows = {{std::string("PercorsoArchivio"), archivePath, JetNull{}},
                       {std::string("EstrazioneIniziale"), std::string("1"), JetNull{}}};
    db.tables.push_back(parameters);

    // The program only needs these to exist; their columns are what such tables would plausibly hold.
    const auto table = [&db](const char* name, std::vector<ColumnSpec> columns) {
        TableSpec t;
        t.name = name;
        t.columns = std::move(columns);
        db.tables.push_back(std::move(t));
    };
    table("Salvataggi", {{"Id", ColumnType::Long},
                         {"Descrizione", ColumnType::Text, 100},
                         {"DataSalvataggio", ColumnType::DateTime}});
    table("Giocate",
          {{"Id", ColumnType::Long}, {"Ruota", ColumnType::Text, 2}, {"Numeri", ColumnType::Text, 50}});
    table("Impostazioni", {{"Nome", ColumnType::Text, 50}, {"Valore", ColumnType::Text, 255}});
    table("Operatori", {{"Id", ColumnType::Long}, {"Nome", ColumnType::Text, 50}});
    table("PiramidiElenco", {{"Id", ColumnType::Long}, {"Descrizione", ColumnType::Text, 100}});
    table(
        "PiramideComposizione",
        {{"IdPiramide", ColumnType::Long}, {"Livello", ColumnType::Long}, {"Numeri", ColumnType::Text, 100}});
    return db;
}
