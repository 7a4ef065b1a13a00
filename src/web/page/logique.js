// The page's own decisions, apart from the engine and the document so that Node tests them:
// folding a typed name as the export folded the names, the language to speak, the cell of a
// state picture under a point, the question Next proposes, whether a kept identification still
// fits the base, and the paths of the exported files.

// Case folded, accents and other combining marks dropped, dashes, apostrophes and runs of white
// space made one blank, none at either end: as the export folded the species' names.
export function plie(texte) {
  const casse = texte
    .toLowerCase()
    .replace(/ß/g, "ss")
    .replace(/ſ/g, "s")
    .replace(/ς/g, "σ");
  return casse
    .normalize("NFD")
    .replace(/\p{Mn}/gu, "")
    .replace(/[\p{White_Space}\p{Dash}'\u2019]+/gu, " ")
    .trim();
}

// The language the user chose, else the first of the browser's that the page speaks, else
// English.
export function langue_choisie(choix, navigateur, parlees) {
  if (choix && parlees.includes(choix)) return choix;
  for (const l of navigateur || []) {
    const court = String(l).toLowerCase().split("-")[0];
    if (parlees.includes(court)) return court;
  }
  return "en";
}

// The cell of a picture of `lignes` x `colonnes` states under point (x, y) of a picture of
// largeur x hauteur, row by row; -1 outside the picture or past the last of `nombre` states.
export function cellule_sous(x, y, largeur, hauteur, lignes, colonnes, nombre) {
  if (!(largeur > 0 && hauteur > 0) || x < 0 || y < 0 || x >= largeur || y >= hauteur) return -1;
  const colonne = Math.min(colonnes - 1, Math.floor((x * colonnes) / largeur));
  const ligne = Math.min(lignes - 1, Math.floor((y * lignes) / hauteur));
  const cellule = ligne * colonnes + colonne;
  return cellule < nombre ? cellule : -1;
}

// The rectangle of cell `cellule` in fractions of the picture: {x, y, l, h}.
export function rectangle_cellule(cellule, lignes, colonnes) {
  return {
    x: (cellule % colonnes) / colonnes,
    y: Math.floor(cellule / colonnes) / lignes,
    l: 1 / colonnes,
    h: 1 / lignes,
  };
}

// The question Search proposes once the user skipped those of `passees`: the first of the
// ranked `questions` ({objet, ...}) not skipped, else null.
export function prochaine_question(questions, passees) {
  return questions.find((q) => !passees.has(q.objet)) || null;
}

// The pixel colour as the engine takes it (red + 256 green + 65536 blue), -1 for a transparent
// pixel.
export function couleur_pixel(r, g, b, a) {
  return a === 0 ? -1 : r + 256 * g + 65536 * b;
}

// What to do with an identification kept in the browser: "reprendre" when it was made on this
// very base, "abandonner" (with a word to the user) when on another version of it, "rien" when
// there is none or it cannot be read.
export function sort_de_la_sauvegarde(gardee, empreinte) {
  if (!gardee || typeof gardee !== "object" || typeof gardee.ido !== "string") return "rien";
  return gardee.empreinte === empreinte ? "reprendre" : "abandonner";
}

export function en_base64(octets) {
  let texte = "";
  for (let i = 0; i < octets.length; i += 0x8000)
    texte += String.fromCharCode.apply(null, octets.subarray(i, i + 0x8000));
  return btoa(texte);
}

export function de_base64(texte) {
  const brut = atob(texte);
  const octets = new Uint8Array(brut.length);
  for (let i = 0; i < brut.length; ++i) octets[i] = brut.charCodeAt(i);
  return octets;
}

// The exported picture of a drawing the engine names (robot/NN/X.wmf is drawn as X.png).
export function chemin_image(chemin) {
  return chemin.replace(/\.wmf$/i, ".png");
}

// The species' page in a language and its drawing, as the export lays out the documents:
// documents/c/ccccc/ccccc_fr.html (c the code's first letter, ccccc its first five, lower case)
// and documents/c/code/code.gif.
export function chemin_page_espece(code, langue) {
  const c5 = code.slice(0, 5).toLowerCase();
  return `documents/${c5.charAt(0)}/${c5}/${c5}_${langue}.html`;
}

export function chemin_dessin(code) {
  const c = code.toLowerCase();
  return `documents/${c.charAt(0)}/${c}/${c}.gif`;
}

// A link or picture of a species page at address `page`, resolved, when it stays inside the key's
// own folder `dossier` (same origin, under its path); null for another site, a script or anything
// outside.
export function adresse_permise(adresse, page, dossier) {
  let url;
  try {
    url = new URL(adresse, page);
  } catch {
    return null;
  }
  const racine = new URL(dossier);
  if (url.origin !== racine.origin || !url.pathname.startsWith(racine.pathname)) return null;
  return url.href;
}

// The answer's text for the answers panel: the state, or the measurement with its tolerance.
export function texte_reponse(reponse, caractere) {
  if (reponse.valeur !== undefined)
    return `${reponse.valeur} ${caractere.unite || ""} ± ${reponse.tolerance ?? 10} %`.replace("  ", " ");
  const etat = caractere.states[reponse.choice];
  return etat ? etat.text : "";
}
