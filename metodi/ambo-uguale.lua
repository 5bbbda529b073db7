-- L'ambo uguale su due ruote: in ogni estrazione si cercano due ruote che, nelle stesse due posizioni,
-- hanno dato ambi di uguale somma (fuori 90; una somma di 90 non conta). Dall'ambo x1 x2 della prima
-- ruota e y1 y2 della seconda nasce la previsione: l'ambata è y2; A1 è la somma dei numeri scritti
-- x1x2 e y1y2, fuori 90; A2 è 90 meno A1 (1 se viene 0); A3 è il diametrale di A2. Si gioca sulle due
-- ruote per i colpi scelti: l'ambata a estratto, gli ambi ambata-A1, ambata-A2, ambata-A3, e ambo,
-- terno e quaterna sulla quartina (su tutte le dieci ruote con l'esito "tutte", altrimenti sulle due
-- ruote, Nazionale esclusa). È il metodo "Ambo uguale" del programma, con le stesse impostazioni.

local codici = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"}

-- Tutti i tipi di ruote che ESPLORA prova: "tutte" da solo, e ogni scelta fra gli altri sei.
local nomi_tipi = {"adiacenti", "diametrali", "gemelle", "gmtv", "cfrz", "bnp"}
local scelte_tipi = {"tutte"}
for maschera = 1, 63 do
  local scelta = {}
  for i, nome in ipairs(nomi_tipi) do
    if maschera & (1 << (i - 1)) ~= 0 then scelta[#scelta + 1] = nome end
  end
  scelte_tipi[#scelte_tipi + 1] = table.concat(scelta, " ")
end

local ruote_testo = parametro("ruote", "BA CA FI GE MI NA PA RO TO VE NZ")
local posizioni_testo = parametro("posizioni", "12345")
local tipi_testo = parametro("tipi", "adiacenti diametrali", scelte_tipi)
local adiacenti = parametro("adiacenti", "no") == "sì"
local colpi = parametro("colpi", 9, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18})
local esiti_testo = parametro("esiti", "ambata 3ambi quartina tutte")

local function insieme(testo)
  local s = {}
  for parola in testo:lower():gmatch("%S+") do s[parola] = true end
  return s
end

local ruota_scelta = {}
for codice in ruote_testo:upper():gmatch("%a+") do
  if codice == "RM" then codice = "RO" end
  ruota_scelta[codice] = true
end
local posizione_scelta = {}
for cifra in posizioni_testo:gmatch("%d") do posizione_scelta[tonumber(cifra)] = true end
local tipi = insieme(tipi_testo)
local esiti = insieme(esiti_testo)

-- Le relazioni fra le ruote, numerate da 1 (BA) a 11 (NZ).
local function in_gruppo(gruppo, a, b)
  return gruppo[a] ~= nil and gruppo[b] ~= nil
end
local gmtv = {[4] = 1, [5] = 1, [9] = 1, [10] = 1}
local cfrz = {[2] = 1, [3] = 1, [8] = 1, [11] = 1}
local bnp = {[1] = 1, [6] = 1, [7] = 1}
local function ammesse(a, b)
  if tipi.tutte then return true end
  if tipi.adiacenti and a <= 10 and b <= 10 and (b - a == 1 or (a == 1 and b == 10)) then return true end
  if tipi.diametrali and b - a == 5 and b <= 10 then return true end
  if tipi.gemelle and a + b == 11 and b <= 10 then return true end
  if tipi.gmtv and in_gruppo(gmtv, a, b) then return true end
  if tipi.cfrz and in_gruppo(cfrz, a, b) then return true end
  if tipi.bnp and in_gruppo(bnp, a, b) then return true end
  return false
end

local function accosta(a, b)
  return tonumber(tostring(a) .. tostring(b))
end

local function giocata(r1, r2, x1, x2, y1, y2)
  local ambata = y2
  local a1 = (accosta(x1, x2) + accosta(y1, y2)) % 90
  if a1 == 0 then a1 = 90 end
  local a2 = 90 - a1
  if a2 == 0 then a2 = 1 end
  local a3 = diametrale(a2)
  local ruote = {codici[r1], codici[r2]}
  local puntate = {}
  if esiti.ambata then
    puntate[#puntate + 1] = {numeri = ambata, sorte = "estratto", ruote = ruote}
  end
  if esiti["3ambi"] then
    local visti = {}
    for _, a in ipairs({a1, a2, a3}) do
      if a ~= ambata and not visti[a] then
        visti[a] = true
        puntate[#puntate + 1] = {numeri = {ambata, a}, sorte = "ambo", ruote = ruote}
      end
    end
  end
  if esiti.quartina then
    local quartina, presi = {}, {}
    for _, n in ipairs({ambata, a1, a2, a3}) do
      if not presi[n] then presi[n] = true; quartina[#quartina + 1] = n end
    end
    local ruote_quartina = "TU"
    if not esiti.tutte then
      ruote_quartina = {}
      for _, r in ipairs({r1, r2}) do
        if r <= 10 then ruote_quartina[#ruote_quartina + 1] = codici[r] end
      end
    end
    for sorte = 2, math.min(#quartina, 4) do
      puntate[#puntate + 1] = {numeri = quartina, sorte = sorte, ruote = ruote_quartina}
    end
  end
  if #puntate > 0 then
    nota(string.format("%s-%s %d %d / %d %d", codici[r1], codici[r2], x1, x2, y1, y2))
    gioca{colpi = colpi, table.unpack(puntate)}
  end
end

function esamina(e)
  local cinquine = {}
  for r = 1, 11 do cinquine[r] = numeri(e, codici[r]) end
  for r1 = 1, 10 do
    if ruota_scelta[codici[r1]] then
      local xs = cinquine[r1]
      for p1 = 1, 4 do
        for p2 = p1 + 1, 5 do
          local x1, x2 = xs[p1], xs[p2]
          if posizione_scelta[p1] and posizione_scelta[p2] and x1 ~= 0 and (not adiacenti or p2 == p1 + 1) then
            local somma = (x1 + x2) % 90
            if somma ~= 0 then
              for r2 = r1 + 1, 11 do
                local ys = cinquine[r2]
                local y1, y2 = ys[p1], ys[p2]
                if ruota_scelta[codici[r2]] and ammesse(r1, r2) and y1 ~= 0 and (y1 + y2) % 90 == somma then
                  giocata(r1, r2, x1, x2, y1, y2)
                end
              end
            end
          end
        end
      end
    end
  end
end
