// A static HTTP server on 127.0.0.1 for the exported keys, on a free port, stopped by the test.
import http from "node:http";
import fs from "node:fs";
import path from "node:path";

const TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm",
  ".json": "application/json", ".webmanifest": "application/manifest+json", ".png": "image/png", ".gif": "image/gif",
  ".ico": "image/x-icon", ".kbc": "application/octet-stream", ".svg": "image/svg+xml",
};

export function serveur(racine) {
  const s = http.createServer((req, res) => {
    const chemin = decodeURIComponent(new URL(req.url, "http://x").pathname);
    let fichier = path.join(racine, path.normalize(chemin));
    if (!fichier.startsWith(racine)) return res.writeHead(403).end();
    if (chemin.endsWith("/")) fichier = path.join(fichier, "index.html");
    fs.readFile(fichier, (err, octets) => {
      if (err) return res.writeHead(404).end();
      res.writeHead(200, { "Content-Type": TYPES[path.extname(fichier)] || "application/octet-stream" });
      res.end(octets);
    });
  });
  return new Promise((ok) => s.listen(0, "127.0.0.1", () => ok({ url: `http://127.0.0.1:${s.address().port}/`, arrete: () => new Promise((f) => { s.closeAllConnections?.(); s.close(f); }) })));
}
