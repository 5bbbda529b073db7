-- Il ritardatario: dopo ogni estrazione, su ogni ruota scelta, si guarda il numero che manca da più
-- estrazioni (a pari ritardo il più piccolo). Se il suo ritardo ha raggiunto la soglia e sulla ruota non
-- c'è già una giocata in corso, lo si gioca a estratto su quella ruota per i colpi scelti.
-- È il metodo "Ritardatario" del programma, con le stesse impostazioni.

local soglia = parametro("soglia", 100, {18, 36, 54, 72, 90, 108, 126, 144, 162, 180})
local colpi = parametro("colpi", 9, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18})
local scelte = parametro("ruote", "BA CA FI GE MI NA PA RO TO VE NZ")

-- Le ruote scelte, nell'ordine del programma (BA ... NZ) comunque siano scritte.
local scelta = {}
for codice in scelte:upper():gmatch("%a+") do
  scelta[codice == "RM" and "RO" or codice] = true
end
local ruote_scelte = {}
for _, codice in ipairs(ruote()) do
  if scelta[codice] then ruote_scelte[#ruote_scelte + 1] = codice end
end

function esamina(e)
  for _, ruota in ipairs(ruote_scelte) do
    if estratta(e, ruota) and not in_gioco(ruota) then
      local numeri, ritardi = piu_ritardati(e, ruota, 1)
      if ritardi[1] >= soglia then
        nota("ritardo " .. ritardi[1])
        gioca{numeri = numeri[1], sorte = "estratto", ruote = ruota, colpi = colpi}
      end
    end
  end
end
