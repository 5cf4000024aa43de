// One script for every kind of worker: each fetches the large asset and reports its digest. As a
// service worker it precaches the asset at install and answers "?cached" from that cache alone.
"use strict";

async function report(path) {
  try {
    const response = await fetch(path, { cache: "no-store" });
    const buffer = await response.arrayBuffer();
    const hash = new Uint8Array(await crypto.subtle.digest("SHA-256", buffer));
    return { status: response.status, length: buffer.byteLength,
             sha256: Array.from(hash, (b) => b.toString(16).padStart(2, "0")).join("") };
  } catch (error) {
    return { error: String(error) };
  }
}

if (self.registration) {
  self.addEventListener("install", (event) => {
    // A failed install is told to the page, which otherwise sees only "redundant".
    const tell = async (error) => {
      for (const client of await self.clients.matchAll({ includeUncontrolled: true })) {
        client.postMessage({ installError: String(error) });
      }
      throw error;
    };
    event.waitUntil(caches.open("precache").then((cache) => cache.add("/large.bin")).catch(tell));
  });
  self.addEventListener("activate", (event) => event.waitUntil(self.clients.claim()));
  self.addEventListener("fetch", (event) => {
    if (event.request.url.endsWith("?cached")) {
      event.respondWith(caches.match("/large.bin").then((r) => r || new Response("", { status: 599 })));
    }
  });
  self.addEventListener("message", (event) => {
    report("/large.bin").then((result) => event.source.postMessage({ serviceWorkerFetch: result }));
  });
} else if ("onconnect" in self) {
  self.onconnect = (event) => report("/large.bin").then((result) => event.ports[0].postMessage(result));
} else {
  report("/large.bin").then((result) => self.postMessage(result));
}
