// Runs the web key's engine over answer sets (answers, then measured values) and prints, for each, what the command-line key
// prints with --json: the ranking, the best question and the ranked questions under both
// strategies, the contradictions of some species, the identification file's bytes in hex, the
// object under some points of the portrait, and the ranking once the file is opened again.
// Usage: node --no-experimental-fetch accord.js kestrane.js base.kbc sets.json out.txt
"use strict";
const fs = require("fs");
const [moteur, base, jeux, sortie] = process.argv.slice(2);

require(moteur)().then((module) => {
  const cle = new module.Cle();
  const erreur = cle.charge(fs.readFileSync(base));
  if (erreur) {
    console.error(erreur);
    process.exit(2);
  }
  const script = JSON.parse(fs.readFileSync(jeux, "utf8"));
  cle.textes(...script.textes);
  const lignes = [];
  for (const jeu of script.sets) {
    cle.nouvelle();
    if (jeu.answers.some(([objet, etat]) => cle.repond(objet, etat) !== "") ||
        jeu.measures.some(([objet, valeur]) => cle.Repond_Mesure(objet, valeur, jeu.tolerance) !== "")) {
      lignes.push("error");
      continue;
    }
    lignes.push(cle.rang());
    for (const strategie of ["standard", "applicable"]) {
      cle.strategie(strategie);
      lignes.push(cle.meilleur("en"));
      lignes.push(cle.questions("en"));
    }
    for (const espece of jeu.contra) lignes.push(cle.contra(espece));
    const ido = cle.ido();
    lignes.push(Buffer.from(ido).toString("hex") + "\n");
    lignes.push(jeu.points.map(([x, y, couleur]) => cle.objetSous(x, y, 800, 600, couleur) + "|").join("") + "\n");
    cle.nouvelle();
    const ouverture = cle.ouvreIdo(ido);
    lignes.push(ouverture === "" ? cle.rang() : ouverture + "\n");
  }
  fs.writeFileSync(sortie, lignes.join(""));
});
