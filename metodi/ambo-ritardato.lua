-- L'ambo in ritardo su più ruote: dopo ogni estrazione si prendono i due numeri più in ritardo di ogni
-- ruota scelta; se come ambo mancano da almeno la soglia di estrazioni su tutte le ruote scelte insieme,
-- si gioca quell'ambo su quelle ruote per i colpi scelti, a meno che non ci sia già una giocata in corso.

local scelte = parametro("ruote", "BA NA PA")
local soglia = parametro("soglia", 1500, {500, 1000, 1500, 2000})
local colpi = parametro("colpi", 12, {6, 12, 18})

local ruote_scelte = {}
for codice in scelte:gmatch("%a+") do ruote_scelte[#ruote_scelte + 1] = codice end

-- Il ritardo dell'ambo sulle ruote scelte: le estrazioni da quando è uscito su una qualsiasi di esse.
local function ritardo_su_tutte(e, ambo)
  local minimo
  for _, r in ipairs(ruote_scelte) do
    local rit = ritardo(e, r, ambo, "ambo")
    if minimo == nil or rit < minimo then minimo = rit end
  end
  return minimo
end

function esamina(e)
  if in_gioco() then return end
  for _, r in ipairs(ruote_scelte) do
    if estratta(e, r) then
      local numeri = piu_ritardati(e, r, 2)
      local rit = ritardo_su_tutte(e, numeri)
      if rit >= soglia then
        nota(string.format("ambo %d-%d dai ritardati di %s: manca da %d", numeri[1], numeri[2], r, rit))
        gioca{numeri = numeri, sorte = "ambo", ruote = ruote_scelte, colpi = colpi}
        return
      end
    end
  end
end
