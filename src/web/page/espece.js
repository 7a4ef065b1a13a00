// A species' page shown inside the key: fetched from the export (so it works offline), parsed
// without running anything, and rebuilt from a short list of harmless elements, with pictures and
// links kept only when they point into the key's own folder. Its scripts, styles, frames, forms
// and event attributes are left out.

import { adresse_permise } from "./logique.js";

const ELEMENTS = new Set([
  "p", "h1", "h2", "h3", "h4", "ul", "ol", "li", "b", "i", "em", "strong", "br", "a", "img", "table",
  "thead", "tbody", "tr", "td", "th", "span", "div", "small", "sup", "sub", "hr", "dl", "dt", "dd",
]);
// Elements dropped with all they hold.
const ENLEVES = new Set(["script", "style", "template", "iframe", "object", "embed", "noscript", "svg", "math", "form", "head", "title"]);

// A copy of `source`'s body made of the allowed elements only; links to other pages of the key
// call `ouvre(adresse)`.
export function nettoie(source, adresse, dossier, ouvre) {
  const sortie = document.createDocumentFragment();
  const copie = (noeud, parent) => {
    for (const enfant of noeud.childNodes) {
      if (enfant.nodeType === Node.TEXT_NODE) {
        parent.appendChild(document.createTextNode(enfant.nodeValue));
        continue;
      }
      if (enfant.nodeType !== Node.ELEMENT_NODE) continue;
      const nom = enfant.localName;
      if (ENLEVES.has(nom)) continue;
      if (!ELEMENTS.has(nom)) {
        copie(enfant, parent);
        continue;
      }
      const element = document.createElement(nom);
      if (nom === "img") {
        const src = adresse_permise(enfant.getAttribute("src") || "", adresse, dossier);
        if (!src) continue;
        element.src = src;
        element.alt = enfant.getAttribute("alt") || "";
        element.className = "image-document";
      } else if (nom === "a") {
        const cible = adresse_permise(enfant.getAttribute("href") || "", adresse, dossier);
        if (cible && /\.html?$/i.test(new URL(cible).pathname)) {
          element.href = "#";
          element.addEventListener("click", (e) => {
            e.preventDefault();
            ouvre(cible);
          });
        }
      } else if ((nom === "td" || nom === "th") && enfant.hasAttribute("colspan")) {
        element.colSpan = Number(enfant.getAttribute("colspan")) || 1;
      }
      copie(enfant, element);
      parent.appendChild(element);
    }
  };
  copie(source.body || source, sortie);
  return sortie;
}

// Shows the page at `adresse` in `conteneur`; false when it cannot be read.
export async function montre_page(conteneur, adresse, dossier) {
  const ouvre = (cible) => montre_page(conteneur, cible, dossier);
  let texte;
  try {
    const reponse = await fetch(adresse);
    if (!reponse.ok) return false;
    texte = await reponse.text();
  } catch {
    return false;
  }
  // Its style sheets are of no use here and the page's policy would refuse them, so they go first.
  const doc = new DOMParser().parseFromString(texte.replace(/<style[\s\S]*?<\/style\s*>/gi, ""), "text/html");
  conteneur.replaceChildren(nettoie(doc, adresse, dossier, ouvre));
  conteneur.dataset.adresse = adresse;
  return true;
}
