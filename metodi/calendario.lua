-- Il primo del mese: nella prima estrazione di ogni mese si prende il primo estratto della ruota
-- scelta e lo si gioca a estratto sulla stessa ruota per i colpi scelti.

local ruota = parametro("ruota", "BA")
local colpi = parametro("colpi", 9, {3, 6, 9, 12, 15, 18})

function esamina(e)
  if indice_nel_mese(e) == 1 and estratta(e, ruota) then
    local primo = estratto(e, ruota, 1)
    if primo ~= 0 then
      nota(data(e) .. ": primo estratto " .. primo)
      gioca{numeri = primo, sorte = "estratto", ruote = ruota, colpi = colpi}
    end
  end
end
