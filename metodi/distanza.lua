-- Due numeri a distanza: quando su una ruota escono due numeri a distanza 10 (contata sul giro dei 90:
-- la distanza fra 85 e 5 è 10), si giocano i loro diametrali a estratto sulla stessa ruota per i colpi
-- scelti.

local distanza_cercata = parametro("distanza", 10, {5, 10, 15, 20, 30, 45})
local colpi = parametro("colpi", 9, {3, 6, 9, 12})

function esamina(e)
  for _, ruota in ipairs(ruote()) do
    local cinque = numeri(e, ruota)
    for i = 1, 4 do
      for j = i + 1, 5 do
        local a, b = cinque[i], cinque[j]
        if a ~= 0 and b ~= 0 and distanza(a, b) == distanza_cercata then
          nota(string.format("%s: %d e %d a distanza %d", ruota, a, b, distanza_cercata))
          gioca{numeri = {diametrale(a), diametrale(b)}, sorte = "estratto", ruote = ruota, colpi = colpi}
        end
      end
    end
  end
end
