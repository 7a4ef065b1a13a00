// The web page's own decisions, under Node: node --test tests/web/logique_test.mjs
import test from "node:test";
import assert from "node:assert/strict";
import * as L from "../../src/web/page/logique.js";

test("a typed name folds as the export folds the names", () => {
  for (const [tape, plie] of [
    ["Érable", "erable"],
    ["  Horse-Chestnut ", "horse chestnut"],
    ["Sapin   pectiné", "sapin pectine"],
    ["l’Aubépine", "l aubepine"],
    ["STRAßE", "strasse"],
    ["Œillet ø", "œillet ø"],
    ["--", ""],
  ])
    assert.equal(L.plie(tape), plie, tape);
});

test("the language: the user's choice, else the browser's first spoken, else English", () => {
  const parlees = ["en", "fr", "es"];
  assert.equal(L.langue_choisie("es", ["fr-FR"], parlees), "es");
  assert.equal(L.langue_choisie("de", ["de-DE", "fr-CA", "en"], parlees), "fr");
  assert.equal(L.langue_choisie(null, ["pt-BR"], parlees), "en");
  assert.equal(L.langue_choisie(undefined, undefined, parlees), "en");
});

test("the state under a point of a picture of rows x columns, past the last state none", () => {
  // 2 rows x 3 columns, 5 states on a 300 x 200 picture.
  for (const [x, y, cellule] of [
    [0, 0, 0], [149, 99, 1], [150, 0, 1], [299, 0, 2], [0, 100, 3], [150, 150, 4],
    [250, 150, -1], [300, 0, -1], [-1, 5, -1], [10, 200, -1],
  ])
    assert.equal(L.cellule_sous(x, y, 300, 200, 2, 3, 5), cellule, `${x},${y}`);
  assert.equal(L.cellule_sous(5, 5, 0, 0, 1, 1, 1), -1);
  assert.deepEqual(L.rectangle_cellule(4, 2, 3), { x: 1 / 3, y: 0.5, l: 1 / 3, h: 0.5 });
});

test("Next proposes the best question not skipped, none once all are", () => {
  const qs = [{ objet: "A" }, { objet: "B" }, { objet: "C" }];
  assert.equal(L.prochaine_question(qs, new Set()).objet, "A");
  assert.equal(L.prochaine_question(qs, new Set(["A", "C"])).objet, "B");
  assert.equal(L.prochaine_question(qs, new Set(["A", "B", "C"])), null);
});

test("a kept identification is taken up on the same base only", () => {
  assert.equal(L.sort_de_la_sauvegarde({ empreinte: "ab", ido: "AA==" }, "ab"), "reprendre");
  assert.equal(L.sort_de_la_sauvegarde({ empreinte: "ab", ido: "AA==" }, "cd"), "abandonner");
  for (const rien of [null, 3, {}, { empreinte: "ab" }]) assert.equal(L.sort_de_la_sauvegarde(rien, "ab"), "rien");
  const octets = Uint8Array.from({ length: 70000 }, (_, i) => (i * 7) & 255);
  assert.deepEqual(L.de_base64(L.en_base64(octets)), octets);
});

test("pixels, paths and addresses", () => {
  assert.equal(L.couleur_pixel(1, 2, 3, 255), 1 + 512 + 3 * 65536);
  assert.equal(L.couleur_pixel(9, 9, 9, 0), -1);
  assert.equal(L.chemin_image("robot/01/Tronc01.WMF"), "robot/01/Tronc01.png");
  assert.equal(L.chemin_page_espece("QUROBX", "fr"), "documents/q/qurob/qurob_fr.html");
  assert.equal(L.chemin_dessin("QUROB"), "documents/q/qurob/qurob.gif");
  const d = "http://h/cle/";
  for (const [adresse, page, permise] of [
    ["dessin_qurob_en.html", d + "documents/q/qurob/qurob_en.html", d + "documents/q/qurob/dessin_qurob_en.html"],
    ["../../../base.kbc", d + "documents/q/qurob/qurob_en.html", d + "base.kbc"],
    ["../../../../autre/x.html", d + "documents/q/qurob/qurob_en.html", null],
    ["javascript:alert(1)", d + "documents/x.html", null],
    ["https://ailleurs.example/x.png", d + "documents/x.html", null],
    ["//ailleurs.example/x.png", d + "documents/x.html", null],
  ])
    assert.equal(L.adresse_permise(adresse, page, d), permise, adresse);
  assert.equal(L.texte_reponse({ choice: 1 }, { states: [{ text: "a" }, { text: "b" }] }), "b");
  assert.equal(L.texte_reponse({ valeur: 34, tolerance: 10 }, { unite: "mm", states: [] }), "34 mm ± 10 %");
});
