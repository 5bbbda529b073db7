-- Il numero spia: quando sulla ruota scelta esce il numero spia, si giocano a estratto sulla stessa
-- ruota il suo vertibile e il suo diametrale (una volta sola se coincidono) per i colpi scelti.

local spia = parametro("spia", 9)
local ruota = parametro("ruota", "NA")
local colpi = parametro("colpi", 5, {3, 5, 7, 9})

local numeri_da_giocare = {vertibile(spia)}
if diametrale(spia) ~= numeri_da_giocare[1] then
  numeri_da_giocare[2] = diametrale(spia)
end

function esamina(e)
  if estratta(e, ruota) and posizione(e, ruota, spia) > 0 then
    nota("uscito lo " .. spia .. " in posizione " .. posizione(e, ruota, spia))
    gioca{numeri = numeri_da_giocare, sorte = "estratto", ruote = ruota, colpi = colpi}
  end
end
