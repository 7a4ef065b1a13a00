// The web key: the engine (kestrane.js, the class Cle) on base.kbc, driven as the window drives
// its own: the portrait answered by touch or click, the state chooser, Search with Next, the
// ranked species and questions, the answers given, undo and redo, the species' pages and
// comparisons, the identification kept in the browser and saved as an .ido file.

import * as L from "./logique.js";
import { LANGUES, NOMS_LANGUES, textes } from "./textes.js";
import { montre_page } from "./espece.js";

const $ = (id) => document.getElementById(id);
const CLE_STOCKAGE = "kestrane:" + location.pathname.replace(/[^/]*$/, "");
const DOSSIER = new URL(".", location.href).href;
const LIGNES_PAR_PAGE = 300;

const etat = {
  cle: null,
  modele: null,
  langue: "en",
  t: textes("en"),
  portrait: false,
  recherche: false, // Search is proposing questions
  passees: new Set(), // characters skipped with Next in this search
  question: null, // the character the chooser asks
  choix: -1,
  lignes_montrees: LIGNES_PAR_PAGE,
  trouvees: null, // species found by name, or null
  fiche: -1,
  ordre_portrait: 0,
};

function message(texte) {
  $("message").textContent = texte || "";
}

function lit_stockage() {
  try {
    return JSON.parse(localStorage.getItem(CLE_STOCKAGE) || "null");
  } catch {
    return null;
  }
}

function ecrit_stockage(valeur) {
  try {
    localStorage.setItem(CLE_STOCKAGE, JSON.stringify(valeur));
  } catch {
    /* storage full or refused: the identification still works, it is only not kept */
  }
}

function garde() {
  ecrit_stockage({
    empreinte: etat.cle.empreinte(),
    ido: L.en_base64(etat.cle.ido()),
    langue: etat.langue,
    strategie: $("strategie").value,
  });
}

function caractere(objet) {
  return etat.modele.characters.find((c) => c.objet === objet);
}

// ---- Languages ----------------------------------------------------------------------------

function applique_langue(langue) {
  etat.langue = langue;
  etat.t = textes(langue);
  const t = etat.t;
  document.documentElement.lang = langue;
  const suffixes = etat.cle ? JSON.parse(etat.cle.modele("en")).languages.map((l) => l.suffix) : [];
  etat.modele = etat.cle ? JSON.parse(etat.cle.modele(suffixes.includes(langue) ? langue : "en")) : null;
  if (etat.cle) etat.cle.textes(t.species_at, t.plus_discriminant, t.passes, t.une_seule);
  const mots = {
    "b-nouvelle": t.nouvelle, "b-annuler": t.annuler, "b-retablir": t.retablir, "b-enregistrer": t.enregistrer,
    "b-ouvrir": t.ouvrir, "o-cle": t.cle, "o-especes": t.especes, "o-reponses": t.reponses, "o-questions": t.questions,
    "b-chercher": t.chercher, "l-strategie": t.strategie, "b-ok": t.ok, "b-retour": t.retour, "b-suivante": t.suivante,
    "l-etats": t.etats, "l-mesure": t.mesure, "l-tolerance": t.tolerance, "l-trouver": t.trouver,
    "b-fiche-fermer": t.fermer, "b-fiche-page": t.page, "b-fiche-dessin": t.dessin, "l-comparer": t.comparer,
    "l-contradictions": t.contradictions, "l-langue": t.langue,
  };
  for (const [id, mot] of Object.entries(mots)) $(id).textContent = mot;
  $("strategie").options[0].textContent = t.standard;
  $("strategie").options[1].textContent = t.applicable;
  $("langue").value = langue;
  $("portrait").setAttribute("aria-label", t.portrait);
  if (etat.modele) montre_boutons_organes();
}

// ---- The portrait -------------------------------------------------------------------------

// The pieces are stacked pictures, which the browser decodes and draws by itself; the canvas
// that hit-testing reads the colour from is composed from them only when a tap needs it.
let pieces_composees = null;

async function dessine_portrait() {
  if (!etat.portrait) return;
  const ordre = ++etat.ordre_portrait;
  const pieces = JSON.parse(etat.cle.portrait()).pieces;
  const bloc = $("portrait");
  while (bloc.children.length < pieces.length) {
    const i = document.createElement("img");
    i.alt = "";
    i.draggable = false;
    bloc.appendChild(i);
  }
  const chargees = pieces.map((p, k) => {
    const i = bloc.children[k];
    i.hidden = !p;
    if (!p) return null;
    const src = new URL(L.chemin_image(p), DOSSIER).href;
    if (i.src !== src) i.src = src;
    return i.complete ? null : new Promise((ok) => { i.onload = i.onerror = ok; });
  });
  await Promise.all(chargees);
  if (ordre !== etat.ordre_portrait) return; // a later answer drew it again
  bloc.dataset.pieces = pieces.join("|");
}

function toile_composee() {
  const bloc = $("portrait");
  const toile = $("toile-portrait");
  if (pieces_composees !== bloc.dataset.pieces) {
    const ctx = toile.getContext("2d", { willReadFrequently: true });
    ctx.fillStyle = "#ffffff";
    ctx.fillRect(0, 0, toile.width, toile.height);
    for (const i of bloc.children) if (!i.hidden && i.complete && i.naturalWidth) ctx.drawImage(i, 0, 0, toile.width, toile.height);
    pieces_composees = bloc.dataset.pieces;
  }
  return toile;
}

// The organ under a point of the portrait given in CSS pixels: the click zones first, then the
// colour under it, as the window does.
function objet_sous(clientX, clientY) {
  const toile = toile_composee();
  const r = $("portrait").getBoundingClientRect();
  const x = ((clientX - r.left) * toile.width) / r.width;
  const y = ((clientY - r.top) * toile.height) / r.height;
  if (x < 0 || y < 0 || x >= toile.width || y >= toile.height) return "";
  const p = toile.getContext("2d", { willReadFrequently: true }).getImageData(Math.floor(x), Math.floor(y), 1, 1).data;
  return etat.cle.objetSous(x, y, toile.width, toile.height, L.couleur_pixel(p[0], p[1], p[2], p[3]));
}

// The determination bar: one button per organ, as beside the window's portrait, so the keyboard
// reaches every organ too.
function montre_boutons_organes() {
  const bloc = $("boutons-organes");
  const boutons = etat.portrait ? etat.modele.buttons.filter((b) => b.key && caractere(b.key)) : [];
  bloc.replaceChildren(
    ...boutons.map((b) => {
      const bouton = document.createElement("button");
      bouton.type = "button";
      bouton.dataset.objet = b.key;
      bouton.dataset.numero = String(b.number);
      bouton.title = b.tip;
      if (b.picture) {
        const i = new Image();
        i.src = "data/" + b.picture;
        i.alt = "";
        bouton.appendChild(i);
      }
      bouton.append(b.caption);
      return bouton;
    }),
  );
}

// ---- The chooser --------------------------------------------------------------------------

function ouvre_question(objet) {
  const c = caractere(objet);
  if (!c) return;
  const t = etat.t;
  etat.question = c;
  etat.choix = etat.cle.choix(objet);
  $("choix-question").textContent = c.question;
  $("choix-erreur").textContent = "";
  const bloc = $("choix-image-bloc");
  if (c.popup && !c.mesure) {
    $("choix-image").src = "descripteurs/" + L.chemin_image(c.popup);
    $("choix-image").alt = c.question;
    bloc.hidden = false;
  } else {
    bloc.hidden = true;
  }
  const liste = $("choix-liste");
  liste.replaceChildren();
  c.states.forEach((e, i) => {
    const label = document.createElement("label");
    const radio = document.createElement("input");
    radio.type = "radio";
    radio.name = "etat";
    radio.value = String(i);
    radio.checked = i === etat.choix;
    radio.addEventListener("change", () => choisit(i));
    label.append(radio, " ", e.text);
    liste.appendChild(label);
  });
  const mesure = !!c.mesure;
  $("choix-mesure").hidden = !mesure;
  $("choix-etats").hidden = mesure;
  if (mesure) {
    $("mesure-unite").textContent = c.unite || "";
    const r = reponses().find((a) => a.objet === objet);
    $("mesure-valeur").value = r && r.valeur !== undefined ? r.valeur : "";
    $("mesure-tolerance").value = r && r.tolerance !== undefined ? r.tolerance : 10;
  }
  $("b-suivante").hidden = !etat.recherche;
  marque_choix();
  $("choix").hidden = false;
  (mesure ? $("mesure-valeur") : $("b-ok")).focus();
}

function choisit(i) {
  etat.choix = i;
  for (const r of $("choix-liste").querySelectorAll("input")) r.checked = Number(r.value) === i;
  marque_choix();
}

function marque_choix() {
  const c = etat.question;
  const m = $("choix-marque");
  if (!c || etat.choix < 0 || !c.rows || !c.columns) {
    m.hidden = true;
    return;
  }
  const r = L.rectangle_cellule(etat.choix, c.rows, c.columns);
  Object.assign(m.style, { left: r.x * 100 + "%", top: r.y * 100 + "%", width: r.l * 100 + "%", height: r.h * 100 + "%" });
  m.hidden = false;
}

function ferme_question() {
  $("choix").hidden = true;
  etat.question = null;
}

function valide_question() {
  const c = etat.question;
  const t = etat.t;
  const debut = performance.now();
  let erreur;
  if (c.mesure) {
    // An empty field takes the answer back, as in the window.
    const valeur = $("mesure-valeur").value.trim();
    if (typeof etat.cle.Repond_Mesure !== "function") erreur = t.mesure_indisponible;
    else if (valeur === "") erreur = etat.cle.repond(c.objet, "-1");
    else erreur = etat.cle.Repond_Mesure(c.objet, Number(valeur), Number($("mesure-tolerance").value));
  } else if (etat.choix < 0) {
    erreur = t.choisir_etat;
  } else {
    erreur = etat.cle.repond(c.objet, String(etat.choix));
  }
  if (erreur) {
    $("choix-erreur").textContent = erreur;
    return;
  }
  ferme_question();
  actualise();
  // From OK to the refreshed ranking, and to the ranked questions after it, for the benchmark.
  performance.measure("kestrane-reponse", { start: debut });
  etat.debut_reponse = debut;
  if (etat.recherche) propose(false);
}

// ---- Search -------------------------------------------------------------------------------

function propose(suivante) {
  const t = etat.t;
  if (suivante && etat.question) etat.passees.add(etat.question.objet);
  let objet = null;
  if (etat.passees.size === 0) {
    const m = JSON.parse(etat.cle.meilleur(etat.langue));
    if (m.proposed) objet = m.proposed.objet;
    else if (m.message) message(m.message);
  } else {
    const q = L.prochaine_question(JSON.parse(etat.cle.questions(etat.langue)).questions, etat.passees);
    if (q) objet = q.objet;
  }
  if (!objet) {
    ferme_question();
    const reste = etat.passees.size > 0;
    etat.recherche = false;
    if (reste) offre_passees();
    else if (!$("message").textContent) message(t.aucune_question);
    return;
  }
  etat.recherche = true;
  ouvre_question(objet);
}

function offre_passees() {
  const t = etat.t;
  const b = document.createElement("button");
  b.type = "button";
  b.textContent = t.essayer_passes;
  b.addEventListener("click", () => {
    etat.passees.clear();
    message("");
    propose(false);
  });
  $("message").replaceChildren(t.passes + " ", b);
}

// ---- Lists --------------------------------------------------------------------------------

function reponses() {
  return JSON.parse(etat.cle.reponses()).answers;
}

function montre_classement() {
  const lignes = etat.cle.lignes();
  const liste = $("classement");
  const especes = etat.modele.species;
  const t = etat.t;
  $("etiquette").textContent = etat.cle.legende();
  const fragment = document.createDocumentFragment();
  let montrees = 0;
  let restantes = 0;
  for (let k = 0; k < lignes.length; k += 2) {
    const s = lignes[k];
    if (etat.trouvees && !etat.trouvees.has(s)) continue;
    if (montrees >= etat.lignes_montrees) {
      ++restantes;
      continue;
    }
    ++montrees;
    const li = document.createElement("li");
    const b = document.createElement("button");
    b.type = "button";
    b.dataset.espece = String(s);
    const pc = document.createElement("span");
    pc.className = "pourcent";
    pc.textContent = lignes[k + 1] + " %";
    const nom = document.createElement("span");
    nom.className = "nom";
    nom.textContent = especes[s].name;
    b.append(pc, nom);
    li.appendChild(b);
    fragment.appendChild(li);
  }
  liste.replaceChildren(fragment);
  $("b-plus").hidden = restantes === 0;
  if (etat.trouvees && montrees === 0) $("etiquette").textContent = t.aucune_espece;
}

function montre_questions(liste) {
  const qs = JSON.parse(etat.cle.questions(etat.langue)).questions;
  const fragment = document.createDocumentFragment();
  for (const q of qs) {
    const li = document.createElement("li");
    const b = document.createElement("button");
    b.type = "button";
    b.dataset.objet = q.objet;
    const texte = document.createElement("span");
    texte.textContent = q.question;
    const p = document.createElement("span");
    p.className = "puissance";
    p.textContent = q.power.toFixed(2);
    p.title = etat.t.puissance;
    b.append(texte, p);
    li.appendChild(b);
    fragment.appendChild(li);
  }
  liste.replaceChildren(fragment);
}

function montre_reponses() {
  const t = etat.t;
  const rs = reponses();
  $("sans-reponse").textContent = rs.length ? "" : t.aucune_reponse;
  const fragment = document.createDocumentFragment();
  for (const r of rs) {
    const c = etat.modele.characters[r.position];
    const li = document.createElement("li");
    const q = document.createElement("span");
    q.className = "question";
    q.textContent = c.question;
    const a = document.createElement("span");
    a.className = "reponse";
    a.textContent = L.texte_reponse(r, c);
    const changer = document.createElement("button");
    changer.type = "button";
    changer.textContent = t.changer;
    changer.addEventListener("click", () => ouvre_question(c.objet));
    const retirer = document.createElement("button");
    retirer.type = "button";
    retirer.textContent = t.retirer;
    retirer.addEventListener("click", () => {
      etat.cle.repond(c.objet, "-1");
      actualise();
    });
    li.dataset.objet = c.objet;
    li.append(q, a, changer, retirer);
    fragment.appendChild(li);
  }
  $("liste-reponses").replaceChildren(fragment);
}

// After every change of the answers: the ranking, the lists, the portrait, the buttons, and the
// identification kept in the browser.
function actualise() {
  montre_classement();
  montre_reponses();
  // The ranked questions weigh every character against every species still in the lead: on a
  // big base they come a moment after the ranking, which shows at once.
  document.documentElement.dataset.enAttente = "oui";
  clearTimeout(etat.questions_prevues);
  etat.questions_prevues = setTimeout(() => {
    montre_questions(etat.portrait ? $("liste-questions") : $("liste-questions-cle"));
    delete document.documentElement.dataset.enAttente;
    if (etat.debut_reponse !== undefined) performance.measure("kestrane-questions", { start: etat.debut_reponse });
    etat.debut_reponse = undefined;
  }, 0);
  dessine_portrait();
  $("b-annuler").disabled = !etat.cle.peutAnnuler();
  $("b-retablir").disabled = !etat.cle.peutRetablir();
  if (etat.fiche >= 0) montre_contradictions(etat.fiche);
  garde();
}

// ---- Species ------------------------------------------------------------------------------

function ouvre_fiche(s) {
  const e = etat.modele.species[s];
  etat.fiche = s;
  $("fiche-nom").textContent = e.name;
  $("fiche-famille").textContent = e.family;
  $("fiche-legende").textContent = e.legend;
  montre_contradictions(s);
  const select = $("comparer");
  const options = etat.modele.species
    .map((x, i) => ({ nom: x.name, i }))
    .filter((x) => x.i !== s)
    .sort((a, b) => a.nom.localeCompare(b.nom));
  select.replaceChildren(new Option("—", "-1"), ...options.map((x) => new Option(x.nom, String(x.i))));
  $("fiche-comparaison").replaceChildren();
  $("fiche-document").replaceChildren();
  $("fiche").hidden = false;
  $("b-fiche-fermer").focus();
  montre_document(false);
}

async function montre_document(dessin) {
  const e = etat.modele.species[etat.fiche];
  const doc = $("fiche-document");
  if (dessin) {
    const img = new Image();
    img.src = L.chemin_dessin(e.code);
    img.alt = e.name;
    img.className = "image-document";
    doc.replaceChildren(img);
    return;
  }
  const adresse = new URL(L.chemin_page_espece(e.code, etat.langue), DOSSIER).href;
  if (!(await montre_page(doc, adresse, DOSSIER)) &&
      !(await montre_page(doc, new URL(L.chemin_page_espece(e.code, "en"), DOSSIER).href, DOSSIER)))
    doc.textContent = etat.t.page_absente;
}

function montre_contradictions(s) {
  const c = JSON.parse(etat.cle.contra(s));
  const ul = $("fiche-contradictions");
  const items = (c ? c.contradictions : []).map((x) => {
    const car = caractere(x.objet);
    const etat_ = car && car.states.find((e) => e.id === x.state);
    const li = document.createElement("li");
    li.textContent = (car ? car.question : x.objet) + " – " + (etat_ ? etat_.text : x.state);
    return li;
  });
  if (!items.length) {
    const li = document.createElement("li");
    li.textContent = etat.t.aucune_contradiction;
    items.push(li);
  }
  ul.replaceChildren(...items);
  marque_contradictions(c);
}

// The organ buttons and the answers against the species whose sheet is open, as the window marks
// them; none once it is closed.
function marque_contradictions(c) {
  const boutons = new Set(c ? c.buttons.filter((b) => b.contradicted).map((b) => String(b.number)) : []);
  const objets = new Set(c ? c.contradictions.map((x) => x.objet) : []);
  for (const b of $("boutons-organes").children) b.classList.toggle("contredit", boutons.has(b.dataset.numero));
  for (const li of $("liste-reponses").children) li.classList.toggle("contredit", objets.has(li.dataset.objet));
}

function montre_comparaison(b) {
  const a = etat.fiche;
  const bloc = $("fiche-comparaison");
  if (b < 0) {
    bloc.replaceChildren();
    return;
  }
  const t = etat.t;
  const c = JSON.parse(etat.cle.compare(a, b));
  const chars = etat.modele.characters;
  const etats = (car, numeros) => numeros.map((n) => (car.states[n - car.index_car] || {}).text).join("; ");
  const table = document.createElement("table");
  const entete = table.createTHead().insertRow();
  for (const titre of ["", etat.modele.species[a].name, etat.modele.species[b].name]) {
    const th = document.createElement("th");
    th.textContent = titre;
    entete.appendChild(th);
  }
  const corps = table.createTBody();
  for (const [cle, titre] of [["differ", t.differences], ["shared", t.communs], ["only_one", t.un_seul]]) {
    if (!c[cle].length) continue;
    const th = document.createElement("th");
    th.colSpan = 3;
    th.textContent = titre;
    corps.insertRow().appendChild(th);
    for (const x of c[cle]) {
      const car = chars[x.position];
      const ligne = corps.insertRow();
      if (x.disjoint) ligne.className = "disjoint";
      ligne.insertCell().textContent = car.question;
      ligne.insertCell().textContent = etats(car, x.a);
      ligne.insertCell().textContent = etats(car, x.b);
    }
  }
  bloc.replaceChildren(table);
}

// ---- Views and commands -------------------------------------------------------------------

function montre_vue(id) {
  for (const b of document.querySelectorAll("#onglets button")) b.setAttribute("aria-selected", String(b.dataset.vue === id));
  for (const v of document.querySelectorAll(".vue")) v.classList.toggle("active", v.id === id);
}

function telecharge_ido() {
  const blob = new Blob([etat.cle.ido()], { type: "application/octet-stream" });
  const a = document.createElement("a");
  a.href = URL.createObjectURL(blob);
  a.download = "identification.ido";
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

async function ouvre_ido(fichier) {
  const octets = new Uint8Array(await fichier.arrayBuffer());
  const erreur = etat.cle.ouvreIdo(octets);
  if (erreur) message(etat.t.fichier_refuse + erreur);
  else message("");
  actualise();
}

function branche() {
  $("b-nouvelle").addEventListener("click", () => {
    etat.cle.nouvelle();
    etat.recherche = false;
    etat.passees.clear();
    message("");
    actualise();
  });
  $("b-annuler").addEventListener("click", () => etat.cle.annule() && actualise());
  $("b-retablir").addEventListener("click", () => etat.cle.retablit() && actualise());
  $("b-enregistrer").addEventListener("click", telecharge_ido);
  $("b-ouvrir").addEventListener("click", () => $("fichier-ido").click());
  $("fichier-ido").addEventListener("change", (e) => {
    if (e.target.files[0]) ouvre_ido(e.target.files[0]);
    e.target.value = "";
  });
  $("langue").addEventListener("change", (e) => {
    applique_langue(e.target.value);
    actualise();
  });
  $("strategie").addEventListener("change", (e) => {
    etat.cle.strategie(e.target.value);
    actualise();
  });
  $("b-chercher").addEventListener("click", () => {
    etat.passees.clear();
    message("");
    propose(false);
  });
  $("b-ok").addEventListener("click", valide_question);
  $("b-retour").addEventListener("click", () => {
    etat.recherche = false;
    ferme_question();
  });
  $("b-suivante").addEventListener("click", () => propose(true));
  $("choix-image").addEventListener("click", (e) => {
    const c = etat.question;
    const r = e.currentTarget.getBoundingClientRect();
    const i = L.cellule_sous(e.clientX - r.left, e.clientY - r.top, r.width, r.height, c.rows, c.columns, c.nb_car);
    if (i >= 0) choisit(i);
  });
  $("choix").addEventListener("keydown", (e) => {
    if (e.key === "Escape") $("b-retour").click();
    else if (e.key === "Enter" && e.target.tagName !== "BUTTON") valide_question();
  });
  $("portrait").addEventListener("click", (e) => {
    const objet = objet_sous(e.clientX, e.clientY);
    if (objet) ouvre_question(objet);
    else message(etat.t.rien_ici);
  });
  for (const liste of [$("liste-questions"), $("liste-questions-cle"), $("boutons-organes")]) {
    liste.addEventListener("click", (e) => {
      const b = e.target.closest("button[data-objet]");
      if (b) ouvre_question(b.dataset.objet);
    });
  }
  $("classement").addEventListener("click", (e) => {
    const b = e.target.closest("button[data-espece]");
    if (b) ouvre_fiche(Number(b.dataset.espece));
  });
  $("b-plus").addEventListener("click", () => {
    etat.lignes_montrees += LIGNES_PAR_PAGE;
    montre_classement();
  });
  $("trouver").addEventListener("input", (e) => {
    const texte = L.plie(e.target.value);
    etat.trouvees = texte ? new Set(JSON.parse(etat.cle.trouve(texte)).species) : null;
    montre_classement();
  });
  $("b-fiche-fermer").addEventListener("click", () => {
    $("fiche").hidden = true;
    etat.fiche = -1;
    marque_contradictions(null);
  });
  $("b-fiche-page").addEventListener("click", () => montre_document(false));
  $("b-fiche-dessin").addEventListener("click", () => montre_document(true));
  $("fiche").addEventListener("keydown", (e) => e.key === "Escape" && $("b-fiche-fermer").click());
  $("comparer").addEventListener("change", (e) => montre_comparaison(Number(e.target.value)));
  for (const b of document.querySelectorAll("#onglets button")) b.addEventListener("click", () => montre_vue(b.dataset.vue));
  document.addEventListener("keydown", (e) => {
    if (!(e.ctrlKey || e.metaKey) || !$("choix").hidden) return;
    const k = e.key.toLowerCase();
    if (k === "z" && !e.shiftKey) $("b-annuler").click();
    else if (k === "y" || (k === "z" && e.shiftKey)) $("b-retablir").click();
    else if (k === "s") $("b-enregistrer").click();
    else if (k === "o") $("b-ouvrir").click();
    else if (k === "f") {
      montre_vue("v-especes");
      $("trouver").focus();
    } else return;
    e.preventDefault();
  });
}

// ---- Start --------------------------------------------------------------------------------

async function demarre() {
  if (location.protocol === "file:") return;
  const gardee = lit_stockage();
  const langue = L.langue_choisie(gardee && gardee.langue, navigator.languages, LANGUES);
  applique_langue(langue);
  message(etat.t.chargement);
  const [module, octets] = await Promise.all([
    globalThis.Kestrane(),
    fetch("base.kbc").then((r) => {
      if (!r.ok) throw new Error("base.kbc: " + r.status);
      return r.arrayBuffer();
    }),
  ]);
  performance.mark("kestrane-moteur");
  const cle = new module.Cle();
  const erreur = cle.charge(new Uint8Array(octets));
  performance.mark("kestrane-base");
  if (erreur) throw new Error(erreur);
  etat.cle = cle;
  $("langue").replaceChildren(...LANGUES.map((l) => new Option(NOMS_LANGUES[l], l)));
  applique_langue(langue);
  etat.portrait = etat.modele.nb_robot > 0 && JSON.parse(cle.portrait()).pieces.some((p) => p);
  $("portrait").hidden = !etat.portrait;
  $("liste-questions-cle").hidden = etat.portrait;
  $("o-questions").hidden = !etat.portrait;
  document.body.classList.toggle("sans-portrait", !etat.portrait);
  montre_boutons_organes();
  if (gardee && gardee.strategie) {
    $("strategie").value = gardee.strategie;
    cle.strategie(gardee.strategie);
  }
  let mot = "";
  switch (L.sort_de_la_sauvegarde(gardee, cle.empreinte())) {
    case "reprendre":
      if (!cle.ouvreIdo(L.de_base64(gardee.ido)) && JSON.parse(cle.reponses()).answers.length) mot = etat.t.reprise;
      break;
    case "abandonner":
      mot = etat.t.version_changee;
      break;
  }
  branche();
  montre_vue("v-cle");
  actualise();
  // The first ranking is shown: the key answers from here on; the portrait follows.
  performance.mark("kestrane-interactive");
  message(mot);
  await dessine_portrait();
  performance.mark("kestrane-portrait");
  document.documentElement.dataset.pret = "oui";
  globalThis.kestrane = { cle, etat, toile: toile_composee };
  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").then(
      () => navigator.serviceWorker.ready.then(() => (document.documentElement.dataset.horsLigne = "oui")),
      () => {},
    );
  }
}

demarre().catch((e) => message(etat.t.echec + (e && e.message ? e.message : e)));
