// Keeps every file of this export for offline use, under a cache named by the export's version
// (written by the export), and answers from it first; an export of another version replaces
// the cache once its worker takes over.
"use strict";
const VERSION = "@VERSION@";
const FICHIERS = ["@FICHIERS@"];
const CACHE = "kestrane-" + VERSION;

self.addEventListener("install", (e) => {
  e.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(FICHIERS.map((f) => new Request(encodeURI(f), { cache: "reload" }))))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener("activate", (e) => {
  e.waitUntil(
    caches
      .keys()
      .then((noms) => Promise.all(noms.filter((n) => n.startsWith("kestrane-") && n !== CACHE).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener("fetch", (e) => {
  if (e.request.method !== "GET") return;
  e.respondWith(
    caches.open(CACHE).then((cache) =>
      cache.match(e.request, { ignoreSearch: true }).then((trouve) => trouve || fetch(e.request)),
    ),
  );
});

self.addEventListener("message", (e) => {
  if (e.data === "version" && e.source) e.source.postMessage({ version: VERSION });
});
