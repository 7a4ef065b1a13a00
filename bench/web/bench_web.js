// The web key's engine under Node on a compact base: load, an answer to a refreshed ranking,
// a search under each strategy, a search by name, and the memory the module holds.
// Usage: node --no-experimental-fetch bench_web.js kestrane.js base.kbc answers.json
"use strict";
const fs = require("fs");
const [moteur, base, reponses] = process.argv.slice(2);

const ms = (debut) => Number(process.hrtime.bigint() - debut) / 1e6;

require(moteur)().then((module) => {
  const octets = fs.readFileSync(base);
  const cle = new module.Cle();
  let debut = process.hrtime.bigint();
  const erreur = cle.charge(octets);
  if (erreur) throw new Error(erreur);
  const chargement = ms(debut);
  const memoire = module.HEAP8.length;

  // Each answer followed by the ranking, as numbers (what a page lists), then taken back followed
  // by the whole ranking as JSON.
  const temps = [], temps_json = [];
  let lignes = 0;
  const liste = JSON.parse(fs.readFileSync(reponses, "utf8"));
  for (const [objet, etat] of liste) {
    debut = process.hrtime.bigint();
    if (cle.repond(objet, etat)) throw new Error("answer " + objet + "=" + etat + " refused");
    lignes = cle.lignes().length / 2;
    cle.legende();
    temps.push(ms(debut));
  }
  for (const [objet] of liste) {
    debut = process.hrtime.bigint();
    cle.repond(objet, "-1");
    JSON.parse(cle.rang());
    temps_json.push(ms(debut));
  }
  for (const [objet, etat] of liste) cle.repond(objet, etat);
  temps.sort((a, b) => a - b);
  temps_json.sort((a, b) => a - b);
  const recherche = {};
  for (const strategie of ["standard", "applicable"]) {
    cle.strategie(strategie);
    debut = process.hrtime.bigint();
    cle.meilleur("en");
    recherche[strategie] = ms(debut);
  }
  cle.nouvelle();
  for (const strategie of ["standard", "applicable"]) {
    cle.strategie(strategie);
    debut = process.hrtime.bigint();
    cle.meilleur("en");
    recherche[strategie + " (all species tied)"] = ms(debut);
  }
  debut = process.hrtime.bigint();
  const trouvees = JSON.parse(cle.trouve("species 00012")).species.length;
  const nom = ms(debut);
  console.log(JSON.stringify({
    file_bytes: octets.length,
    load_ms: chargement,
    module_memory_bytes: memoire,
    answer_to_ranking_ms: { median: temps[temps.length >> 1], worst: temps[temps.length - 1], lines: lignes },
    answer_to_ranking_json_ms: { median: temps_json[temps_json.length >> 1], worst: temps_json[temps_json.length - 1] },
    search_ms: recherche,
    name_search_ms: nom, names_found: trouvees,
    rss_bytes: process.memoryUsage().rss,
  }));
});
