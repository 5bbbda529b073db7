#include "core/SpyScript.h"

#include "core/DelayItems.h"
#include "core/WheelNames.h"

namespace {

QString code(int wheel) {
    if (wheel == TutteWheel)
        return QStringLiteral("TU");
    const std::string_view c = WheelNames[static_cast<std::size_t>(wheel)].code;
    return QString::fromLatin1(c.data(), static_cast<qsizetype>(c.size()));
}

} // namespace

QString spyScriptName(const SpySettings& s, int follower) {
    return QStringLiteral("spia-%1-%2-%3-%4-%5.lua")
        .arg(s.spia)
        .arg(code(s.ruota))
        .arg(follower)
        .arg(code(s.ruotaSeguenti))
        .arg(s.colpi);
}

QString spyScript(const SpySettings& s, int follower) {
    return QStringLiteral(
               "-- Numero spia: quando il %1 esce su %2 (fuori dalla finestra dell'uscita precedente), si gioca\n"
               "-- il %3 a estratto su %4 per %5 colpi. Scritto dalla finestra \"Numeri spia\".\n"
               "\n"
               "local spia = parametro(\"spia\", %1)\n"
               "local ruota = parametro(\"ruota\", \"%2\")\n"
               "local seguente = parametro(\"seguente\", %3)\n"
               "local ruota_seguenti = parametro(\"ruota_seguenti\", \"%4\")\n"
               "local colpi = parametro(\"colpi\", %5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18})\n"
               "\n"
               "-- TU: una qualsiasi delle dieci ruote da Bari a Venezia.\n"
               "local function uscita(e)\n"
               "  if ruota:upper() ~= \"TU\" then return posizione(e, ruota, spia) > 0 end\n"
               "  for i, r in ipairs(ruote()) do\n"
               "    if i <= 10 and posizione(e, r, spia) > 0 then return true end\n"
               "  end\n"
               "  return false\n"
               "end\n"
               "\n"
               "local ultimo = nil -- l'ultima uscita che ha aperto una finestra\n"
               "function esamina(e)\n"
               "  if ultimo and e <= ultimo + colpi then return end\n"
               "  if uscita(e) then\n"
               "    ultimo = e\n"
               "    gioca{numeri = {seguente}, sorte = \"estratto\", ruote = ruota_seguenti, colpi = colpi}\n"
               "  end\n"
               "end\n")
        .arg(s.spia)
        .arg(code(s.ruota))
        .arg(follower)
        .arg(code(s.ruotaSeguenti))
        .arg(s.colpi);
}
