// The web page in headless Chromium on a big base: the time from OK to the refreshed ranking (with
// the answers), and to the ranked questions that follow it, over 20 answers given through the questions list, and the
// time to the first ranking. The page is an export's (any), its base.kbc replaced by BASE.
// Usage: node page_bench.mjs EXPORT BASE   (BASE from build/bench/web/web_bench --base FILE)
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { chromium } from "../../tests/web/navigateur/node_modules/playwright-core/index.mjs";
import { serveur } from "../../tests/web/navigateur/serveur.mjs";

const [exportation, base] = process.argv.slice(2).map((p) => path.resolve(p));
const dossier = fs.mkdtempSync(path.join(os.tmpdir(), "kestrane-page-bench-"));
fs.cpSync(exportation, dossier, { recursive: true });
fs.copyFileSync(base, path.join(dossier, "base.kbc"));
fs.rmSync(path.join(dossier, "sw.js"));
const srv = await serveur(dossier);
const navigateur = await chromium.launch({
  executablePath: process.env.KESTRANE_CHROMIUM || "/usr/bin/chromium",
  args: ["--headless=new", "--no-sandbox", "--disable-gpu"],
});
const page = await (await navigateur.newContext({ viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true })).newPage();
await page.goto(srv.url + "index.html");
await page.waitForSelector("html[data-pret=oui]", { timeout: 60000 });
const premier = await page.evaluate(() => performance.getEntriesByName("kestrane-interactive")[0].startTime);
const especes = await page.evaluate(() => globalThis.kestrane.etat.modele.species.length);
for (let n = 0; n < 20; ++n) {
  await page.locator("#liste-questions-cle button").nth(n % 7).tap();
  await page.locator('#choix-liste input[value="0"]').tap();
  await page.locator("#b-ok").tap();
  await page.waitForSelector("#choix", { state: "hidden" });
  await page.waitForSelector("html:not([data-en-attente])");
}
console.log(`page bench: ${especes} species; first ranking after ${premier.toFixed(0)} ms`);
for (const [mesure, quoi] of [["kestrane-reponse", "the refreshed ranking (target < 50 ms)"], ["kestrane-questions", "the ranked questions after it"]]) {
  const temps = (await page.evaluate((m) => performance.getEntriesByName(m).map((x) => x.duration), mesure)).sort((a, b) => a - b);
  console.log(`page bench: OK to ${quoi}: median ${temps[10].toFixed(1)} ms, max ${temps[19].toFixed(1)} ms`);
}
await navigateur.close();
await srv.arrete();
fs.rmSync(dossier, { recursive: true, force: true });
