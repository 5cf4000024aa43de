// For pages and every kind of worker: the digest of an answer. A worker reports the large asset's;
// a service worker also precaches it and answers "?cached" from that cache alone.
"use strict";

async function digest(response) {
  const buffer = await response.arrayBuffer();
  const hash = new Uint8Array(await crypto.subtle.digest("SHA-256", buffer));
  return { status: response.status, contentRange: response.headers.get("content-range"), length: buffer.byteLength,
           sha256: Array.from(hash, (b) => b.toString(16).padStart(2, "0")).join("") };
}
const digestOf = (path, init = {}) =>
  fetch(path, { cache: "no-store", ...init }).then(digest).catch((error) => ({ error: String(error) }));

if (self.registration) {
  self.addEventListener("install", (event) => event.waitUntil(caches.open("precache").then((c) => c.add("/large.bin"))));
  self.addEventListener("activate", (event) => event.waitUntil(self.clients.claim()));
  self.addEventListener("fetch", (event) => {
    if (event.request.url.endsWith("?cached")) event.respondWith(caches.match("/large.bin"));
  });
} else if ("onconnect" in self) {
  self.onconnect = (event) => digestOf("/large.bin").then((result) => event.ports[0].postMessage(result));
} else if (typeof WorkerGlobalScope !== "undefined") {
  digestOf("/large.bin").then((result) => self.postMessage(result));
}
