// The web key in headless Chromium at 360 x 640 with touch: the demo flora identified by taps on
// the portrait and the state pictures, with the command-line key's ranking for the same answers;
// its .ido file byte for byte the desktop's; offline after a reload, a second identification; a
// base imported from SDD (no portrait) identified through the questions list; a file:// opening
// that says how to serve the key. Screenshots go to OUT. Prints the time to the first ranking.
// Usage: node cle_navigateur.mjs KESTRANE_KB KESTRANE_CLI FLORA SDD OUT
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import assert from "node:assert/strict";
import { chromium } from "playwright-core";
import { serveur } from "./serveur.mjs";

const [kb, cli, flore, sdd, sortie] = process.argv.slice(2).map((p) => path.resolve(p));
fs.rmSync(sortie, { recursive: true, force: true });
fs.mkdirSync(sortie, { recursive: true });
const moteur = process.env.KESTRANE_WEB_ENGINE;
const lance = (prog, args) => execFileSync(prog, args, { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] });

// The keys: the demo flora, and the SDD document imported then exported.
const web_flore = path.join(sortie, "flore-web");
const importee = path.join(sortie, "arbustes");
const web_importee = path.join(sortie, "arbustes-web");
lance(kb, ["export-web", flore, web_flore, "--engine", moteur]);
lance(kb, ["import-sdd", sdd, importee]);
lance(kb, ["export-web", importee, web_importee, "--engine", moteur]);
const feuilles = path.join(sortie, "feuilles");
const web_feuilles = path.join(sortie, "feuilles-web");
lance(kb, ["import-sdd", path.join(path.dirname(sdd), "feuilles.sdd.xml"), feuilles]);
lance(kb, ["export-web", feuilles, web_feuilles, "--engine", moteur]);

// The command-line key's ranking and file for the page's answers ({objet, choice} in order).
function classement_cli(reglages, reponses, ido) {
  const args = ["rank", "--settings", reglages, "--json", ...reponses.flatMap((r) => ["--answer", `${r.objet}=${r.choice}`])];
  if (ido) args.push("--save", ido);
  return JSON.parse(lance(cli, args)).lines.map((l) => `${l.percent} %|${l.name}`);
}

const navigateur = await chromium.launch({
  executablePath: process.env.KESTRANE_CHROMIUM || "/usr/bin/chromium",
  args: ["--headless=new", "--no-sandbox", "--disable-gpu"],
});
const telephone = { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2, acceptDownloads: true };
let ecran = 0;
const erreurs = []; // script errors and refusals of the policy in the pages, none expected
const photo = (page, nom) => page.screenshot({ path: path.join(sortie, `${String(++ecran).padStart(2, "0")}-${nom}.png`) });

async function ouvre(contexte, url) {
  const page = await contexte.newPage();
  page.on("pageerror", (e) => erreurs.push(e.message));
  // The pages keep to their policy: nothing refused.
  page.on("console", (m) => m.type() === "error" && /Content Security Policy/.test(m.text()) && erreurs.push(m.text()));
  await page.goto(url);
  await page.waitForSelector("html[data-pret=oui]", { timeout: 20000 });
  return page;
}

const liste_page = (page) =>
  page.$$eval("#classement li", (lis) => lis.map((li) => `${li.querySelector(".pourcent").textContent}|${li.querySelector(".nom").textContent}`));

// The species' own states per question, from the engine: {objet: choice}.
const etats_espece = (page, s) =>
  page.evaluate((s) => {
    const { cle, etat } = globalThis.kestrane;
    const etats = {};
    for (const x of JSON.parse(cle.compare(s, s)).shared) {
      const c = etat.modele.characters[x.position];
      etats[c.objet] = x.a[0] - c.index_car;
    }
    return etats;
  }, s);

const numero_espece = (page, nom) => page.evaluate((nom) => globalThis.kestrane.etat.modele.species.findIndex((e) => e.name === nom), nom);

// A point of the portrait (in page pixels) for each organ it shows now, found as a tap finds it.
const organes = (page) =>
  page.evaluate(() => {
    const { cle } = globalThis.kestrane;
    const toile = globalThis.kestrane.toile();
    const r = document.getElementById("portrait").getBoundingClientRect();
    const pixels = toile.getContext("2d").getImageData(0, 0, toile.width, toile.height).data;
    const points = {};
    for (let y = 15; y < toile.height; y += 30)
      for (let x = 15; x < toile.width; x += 30) {
        const i = 4 * (y * toile.width + x);
        const couleur = pixels[i + 3] === 0 ? -1 : pixels[i] + 256 * pixels[i + 1] + 65536 * pixels[i + 2];
        const objet = cle.objetSous(x, y, toile.width, toile.height, couleur);
        if (objet && !points[objet]) points[objet] = { x: r.left + (x * r.width) / toile.width, y: r.top + (y * r.height) / toile.height };
      }
    return points;
  });

// Answers the open chooser with state `choix`: a tap on its cell of the state picture, else on its
// line in the list; then OK.
async function repond_choix(page, choix) {
  const c = await page.evaluate(() => {
    const q = globalThis.kestrane.etat.question;
    return { rows: q.rows, columns: q.columns, image: !document.getElementById("choix-image-bloc").hidden };
  });
  if (c.image) {
    await page.waitForFunction(() => document.getElementById("choix-image").complete && document.getElementById("choix-image").naturalWidth > 0);
    await page.locator("#choix-image").scrollIntoViewIfNeeded();
    const b = await page.locator("#choix-image").boundingBox();
    const x = b.x + ((choix % c.columns) + 0.5) * (b.width / c.columns);
    const y = b.y + (Math.floor(choix / c.columns) + 0.5) * (b.height / c.rows);
    await page.touchscreen.tap(x, y);
  } else {
    await page.locator(`#choix-liste input[value="${choix}"]`).tap();
  }
  assert.equal(await page.locator(`#choix-liste input[value="${choix}"]`).isChecked(), true, "the tapped state is chosen");
  await page.locator("#b-ok").tap();
  await page.waitForSelector("html:not([data-en-attente])");
}

const ouvert = (page) => page.locator("#choix").isVisible();
const premiere = async (page) => (await liste_page(page))[0];
const identifiee = async (page, nom) => {
  const l = await liste_page(page);
  return l[0] === `100 %|${nom}` && (l.length === 1 || !l[1].startsWith("100 %"));
};

// Identifies `nom`: `par_portrait` answers by taps on the organs of the portrait, then Search,
// answering each proposed question with the species' own state (Next where it has none).
async function identifie(page, nom, par_portrait) {
  const s = await numero_espece(page, nom);
  assert.ok(s >= 0, nom);
  const etats = await etats_espece(page, s);
  await page.locator("#o-cle").tap();
  for (let n = 0; n < par_portrait; ++n) {
    const points = await organes(page);
    const deja = new Set((await page.evaluate(() => JSON.parse(globalThis.kestrane.cle.reponses()).answers)).map((r) => r.objet));
    const objet = Object.keys(points).find((o) => !deja.has(o) && etats[o] !== undefined);
    assert.ok(objet, "an organ of the portrait left to answer");
    await page.touchscreen.tap(points[objet].x, points[objet].y);
    assert.ok(await ouvert(page), "a tap on the portrait opens its question");
    assert.equal(await page.evaluate(() => globalThis.kestrane.etat.question.objet), objet);
    if (n === 0) await photo(page, "choix-" + objet);
    await repond_choix(page, etats[objet]);
    assert.equal(await ouvert(page), false);
  }
  await page.locator("#b-chercher").tap();
  for (let n = 0; n < 40 && !(await identifiee(page, nom)) && (await ouvert(page)); ++n) {
    const objet = await page.evaluate(() => globalThis.kestrane.etat.question.objet);
    if (etats[objet] === undefined) await page.locator("#b-suivante").tap();
    else await repond_choix(page, etats[objet]);
  }
  if (await ouvert(page)) await page.locator("#b-retour").tap();
  assert.ok(await identifiee(page, nom), `${nom} identified: ${await premiere(page)}`);
  return page.evaluate(() => JSON.parse(globalThis.kestrane.cle.reponses()).answers);
}

async function verifie_classement(page, reglages, reponses, ido) {
  await page.locator("#o-especes").tap();
  assert.deepEqual(await liste_page(page), classement_cli(reglages, reponses, ido));
}

const reglages_flore = path.join(flore, "kestrane.ini");
const mesures = [];

// 1. The demo flora, online, by touch.
{
  const srv = await serveur(web_flore);
  const contexte = await navigateur.newContext({ ...telephone, locale: "en-GB" });
  let page = await ouvre(contexte, srv.url + "index.html");
  await photo(page, "flore-depart");
  assert.equal(await page.locator("#portrait").isVisible(), true);
  const reponses = await identifie(page, "Betula pendula", 3);
  const ido_cli = path.join(sortie, "betula-cli.ido");
  await verifie_classement(page, reglages_flore, reponses, ido_cli);
  await photo(page, "flore-identifiee");
  // The answers panel names each chosen state as the command-line key does.
  await page.locator("#o-reponses").tap();
  const noms_page = await page.$$eval("#liste-reponses li", (lis) => lis.map((li) => `${li.dataset.objet}|${li.querySelector(".reponse").textContent}`));
  const noms_cli = JSON.parse(lance(cli, ["answers", "--settings", reglages_flore, "--json", "--lang", "en", ...reponses.flatMap((r) => ["--answer", `${r.objet}=${r.choice}`])]))
    .answers.map((r) => `${r.objet}|${r.states.map((e) => e.text).join(", ")}`);
  assert.deepEqual(noms_page.sort(), noms_cli.sort());
  assert.ok(reponses.some((r) => r.choice > 0), "a state past the first is among the answers");

  // The saved file is the desktop's, and the desktop's opens as the same identification.
  const [telechargement] = await Promise.all([page.waitForEvent("download"), page.locator("#b-enregistrer").tap()]);
  const ido_page = path.join(sortie, "betula-page.ido");
  await telechargement.saveAs(ido_page);
  assert.deepEqual(fs.readFileSync(ido_page), fs.readFileSync(ido_cli), "the page's .ido is the desktop's");
  await page.locator("#b-nouvelle").tap();
  assert.equal((await liste_page(page))[0].startsWith("0 %"), true);
  await page.locator("#fichier-ido").setInputFiles(ido_cli);
  await page.waitForFunction(() => JSON.parse(globalThis.kestrane.cle.reponses()).answers.length > 0);
  await verifie_classement(page, reglages_flore, reponses);

  // Undo and redo step through the answers; a species' page, drawing and comparison.
  await page.locator("#b-annuler").tap();
  assert.notDeepEqual(await liste_page(page), classement_cli(reglages_flore, reponses));
  await page.locator("#b-retablir").tap();
  assert.deepEqual(await liste_page(page), classement_cli(reglages_flore, reponses));
  // The sheet of a species the answers contradict marks them.
  await page.locator("#classement li button").last().tap();
  await page.waitForSelector("#fiche-document h1");
  assert.ok((await page.locator("#liste-reponses li.contredit").count()) > 0);
  await page.locator("#b-fiche-fermer").tap();
  assert.equal(await page.locator("#liste-reponses li.contredit").count(), 0);
  await page.locator("#classement li button").first().tap();
  await page.waitForSelector("#fiche-document h1");
  assert.equal(await page.locator("#fiche-document script, #fiche-document style").count(), 0);
  await photo(page, "flore-page-espece");
  await page.locator("#comparer").selectOption({ label: "Betula pubescens" });
  assert.ok((await page.locator("#fiche-comparaison tr").count()) > 1);
  await page.locator("#b-fiche-fermer").tap();

  // Offline: the service worker keeps the export; the server stops and the network is cut.
  await page.waitForSelector("html[data-hors-ligne=oui]", { timeout: 30000 });
  await srv.arrete();
  await contexte.setOffline(true);
  await page.reload();
  await page.waitForSelector("html[data-pret=oui]", { timeout: 20000 });
  assert.deepEqual(await liste_page(page), classement_cli(reglages_flore, reponses), "the identification is kept across the reload");
  await page.locator("#b-nouvelle").tap();
  const hors_ligne = await identifie(page, "Quercus robur", 2);
  await verifie_classement(page, reglages_flore, hors_ligne);
  await photo(page, "flore-hors-ligne");

  // The language switch speaks the base's own texts.
  await page.locator("#langue").selectOption("fr");
  assert.equal(await page.locator("#o-especes").textContent(), "Espèces");
  await contexte.close();
}

// 2. A measured character of an imported key: a number in its unit and a tolerance, the ranking
// the command-line key gives for the same value; an empty field takes the answer back.
{
  const srv = await serveur(web_feuilles);
  const contexte = await navigateur.newContext(telephone);
  const page = await ouvre(contexte, srv.url + "index.html");
  await page.locator('#liste-questions-cle button[data-objet="c2"]').tap();
  assert.equal(await page.locator("#choix-etats").isVisible(), false);
  assert.equal(await page.locator("#mesure-unite").textContent(), "mm");
  assert.equal(await page.locator("#mesure-tolerance").inputValue(), "10");
  await page.locator("#mesure-valeur").fill("75.5");
  await page.locator("#b-ok").tap();
  const attendu = JSON.parse(lance(cli, ["rank", "--settings", path.join(feuilles, "kestrane.ini"), "--json", "--measure", "c2=75.5"]))
    .lines.map((l) => `${l.percent} %|${l.name}`);
  assert.deepEqual(await liste_page(page), attendu);
  assert.match(attendu[0], /^100 %\|Corylus avellana/);
  await photo(page, "mesure");
  await page.locator("#o-reponses").tap();
  assert.match(await page.locator('#liste-reponses li[data-objet="c2"] .reponse').textContent(), /^75\.5 mm ± 10 %$/);
  await page.locator('#liste-reponses li[data-objet="c2"] button').first().tap();
  assert.equal(await page.locator("#mesure-valeur").inputValue(), "75.5");
  await page.locator("#mesure-valeur").fill("");
  await page.locator("#b-ok").tap();
  assert.equal(await page.evaluate(() => JSON.parse(globalThis.kestrane.cle.reponses()).answers.length), 0);
  await contexte.close();
  await srv.arrete();
}

// 2. The imported base, without a portrait, through the questions list; a hostile page beside it.
{
  fs.writeFileSync(
    path.join(web_importee, "documents", "hostile.html"),
    `<html><head><script>window.pirate = 1</script></head><body><p onclick="window.pirate = 4">Texte <b>gras</b></p>
<img src="nulle-part.png" onerror="window.pirate = 2"><a href="javascript:window.pirate = 3">lien</a>
<img src="https://ailleurs.example/a.png"><iframe src="../index.html"></iframe><form><input></form>
<svg><script>window.pirate = 5</script></svg><a href="../../../ailleurs.html">dehors</a></body></html>`,
  );
  const srv = await serveur(web_importee);
  const contexte = await navigateur.newContext({ ...telephone, locale: "fr-FR" });
  const page = await ouvre(contexte, srv.url + "index.html");
  assert.equal(await page.locator("#portrait").isVisible(), false);
  assert.equal(await page.locator("#liste-questions-cle").isVisible(), true);
  await photo(page, "importee-depart");

  const cible = await page.evaluate(() => globalThis.kestrane.etat.modele.species[0].name);
  const s = 0;
  const etats = await etats_espece(page, s);
  // Every question the list still offers that the species answers, in the list's order.
  for (let n = 0; n < 30 && !(await identifiee(page, cible)); ++n) {
    const boutons = page.locator("#liste-questions-cle button");
    const objets = await boutons.evaluateAll((bs) => bs.map((b) => b.dataset.objet));
    const objet = objets.find((o) => etats[o] !== undefined);
    if (!objet) break;
    await page.locator(`#liste-questions-cle button[data-objet="${objet}"]`).tap();
    await repond_choix(page, etats[objet]);
  }
  // Species that no answer of this key tells apart stay beside it at 100 %.
  const lignes = await liste_page(page);
  assert.equal(lignes[0], `100 %|${cible}`);
  assert.ok(lignes.filter((l) => l.startsWith("100 %")).length < lignes.length, lignes.join("\n"));
  const reponses = await page.evaluate(() => JSON.parse(globalThis.kestrane.cle.reponses()).answers);
  await verifie_classement(page, path.join(importee, "kestrane.ini"), reponses);
  await photo(page, "importee-identifiee");

  // A species page is rebuilt from harmless elements: nothing of it runs, nothing from elsewhere.
  const avant = erreurs.length;
  const hostile = await page.evaluate(async () => {
    const { montre_page } = await import("./espece.js");
    const d = document.createElement("div");
    document.body.appendChild(d);
    await montre_page(d, new URL("documents/hostile.html", location.href).href, new URL(".", location.href).href);
    await new Promise((ok) => setTimeout(ok, 300));
    d.querySelector("a")?.click();
    return { html: d.innerHTML, pirate: window.pirate, images: [...d.querySelectorAll("img")].map((i) => i.src) };
  });
  assert.equal(hostile.pirate, undefined);
  // The parsed page's event attributes meet the key's policy too, which refuses them.
  assert.ok(erreurs.splice(avant).every((e) => /inline event handler/.test(e)));
  assert.doesNotMatch(hostile.html, /script|iframe|onclick|onerror|javascript|form|input|svg|ailleurs/i);
  assert.match(hostile.html, /<p>Texte <b>gras<\/b><\/p>/);
  assert.deepEqual(hostile.images, [srv.url + "documents/nulle-part.png"]);

  // Find by name, whatever the accents and capitals.
  await page.locator("#o-especes").tap();
  await page.locator("#trouver").fill("CORNUS");
  assert.deepEqual((await liste_page(page)).map((l) => l.split("|")[1]), ["Cornus sanguinea"]);
  await page.locator("#trouver").fill("");

  // An identification kept for another version of the base is discarded, with a word.
  await page.evaluate(() => {
    const cle = Object.keys(localStorage).find((k) => k.startsWith("kestrane:"));
    const v = JSON.parse(localStorage.getItem(cle));
    localStorage.setItem(cle, JSON.stringify({ ...v, empreinte: "0000000000000000" }));
  });
  await page.reload();
  await page.waitForSelector("html[data-pret=oui]");
  assert.match(await page.locator("#message").textContent(), /La clé a changé/);
  assert.equal((await liste_page(page))[0].startsWith("0 %"), true);
  await contexte.close();
  await srv.arrete();
}

// 3. Opened from a file, the page says how to serve it, in the three languages.
{
  const contexte = await navigateur.newContext(telephone);
  const page = await contexte.newPage();
  await page.goto("file://" + path.join(web_flore, "index.html"));
  await page.waitForSelector("#fichier-local:not([hidden])");
  assert.match(await page.locator("#fichier-local").textContent(), /localhost.*localhost.*localhost/s);
  await photo(page, "fichier-local");
  await contexte.close();
}

// 4. Time to the first ranking, over fresh visits (nothing cached).
{
  const srv = await serveur(web_flore);
  for (let n = 0; n < 5; ++n) {
    const contexte = await navigateur.newContext(telephone);
    const page = await ouvre(contexte, srv.url + "index.html");
    mesures.push(await page.evaluate(() => ["kestrane-interactive", "kestrane-portrait"].map((m) => performance.getEntriesByName(m)[0].startTime)));
    await contexte.close();
  }
  await srv.arrete();
  for (const [i, quoi] of ["first ranking shown", "portrait drawn"].entries()) {
    const temps = mesures.map((m) => m[i]).sort((a, b) => a - b);
    console.log(`web key: ${quoi} after ${temps[2].toFixed(0)} ms (median of 5 fresh visits: ${temps.map((m) => m.toFixed(0)).join(", ")})`);
  }
}

await navigateur.close();
assert.deepEqual(erreurs, [], "no script error in the pages");
console.log("web key in the browser: every check passed; screenshots in " + sortie);
