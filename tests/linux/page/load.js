// Large answers under load and in every kind of client, reported to the test extension library;
// every step is bounded in time, so a hang shows as a "timeout" finding instead of a stuck run.
"use strict";

const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const within = (promise, ms) => Promise.race([promise, wait(ms).then(() => ({ timeout: true }))]);
const send = (message) => chrome.webview.postMessage(JSON.stringify(message));
const failure = (error) => ({ error: String(error) });

async function digestOfResponse(response) {
  const buffer = await response.arrayBuffer();
  const hash = new Uint8Array(await crypto.subtle.digest("SHA-256", buffer));
  return { status: response.status, contentRange: response.headers.get("content-range"), length: buffer.byteLength,
           sha256: Array.from(hash, (b) => b.toString(16).padStart(2, "0")).join("") };
}
const digestOf = (path, init = {}) => fetch(path, { cache: "no-store", ...init }).then(digestOfResponse).catch(failure);

if (location.hash === "#frame") {
  digestOf("/large.bin").then((result) => parent.postMessage({ frame: result }, "*"));
} else {
  main().catch((error) => ({ exception: String(error && error.stack || error) })).then(async (results) => {
    send({ type: "extension-message", action: "report", results });
    await wait(300);
    window.close();
  });
}

function seekingAudio() {
  return new Promise((resolve) => {
    const audio = new Audio();
    const seeks = [];
    const targets = [25, 5, 15];
    audio.addEventListener("loadedmetadata", () => { audio.currentTime = targets[0]; });
    audio.addEventListener("seeked", () => {
      seeks.push(Math.round(audio.currentTime));
      if (seeks.length < targets.length) audio.currentTime = targets[seeks.length];
      else resolve(seeks);
    });
    audio.addEventListener("error", () => resolve({ error: audio.error && audio.error.code }));
    audio.preload = "auto";
    audio.src = "/tone.wav";
  });
}

function fromMessage(target, start, key) {
  return new Promise((resolve) => {
    target.addEventListener("message", (event) => {
      if (!key || (event.data && key in event.data)) resolve(key ? event.data[key] : event.data);
    });
    start();
  });
}

async function serviceWorkerCheck() {
  let installError;
  navigator.serviceWorker.addEventListener("message", (event) => {
    if (event.data && event.data.installError) installError = event.data.installError;
  });
  const registration = await navigator.serviceWorker.register("/load_worker.js");
  const worker = registration.installing || registration.waiting || registration.active;
  const settled = () => worker.state === "activated" || worker.state === "redundant";
  const state = await new Promise((resolve) => {
    if (settled()) resolve(worker.state);
    worker.addEventListener("statechange", () => settled() && resolve(worker.state));
  });
  if (state !== "activated") return { state, installError };
  if (!navigator.serviceWorker.controller) {
    await new Promise((resolve) => navigator.serviceWorker.addEventListener("controllerchange", resolve));
  }
  return { state, cached: await digestOf("/large.bin?cached"),
           fetched: await fromMessage(navigator.serviceWorker, () => worker.postMessage("fetch"), "serviceWorkerFetch") };
}

async function main() {
  const results = {};
  const count = (await (await fetch("/parallel.json")).json()).count;
  // Every piece's headers before any body is read, as a loader that awaits all its fetches
  // does, with a media element seeking through a large file meanwhile.
  const parallel = Promise.all(Array.from({ length: count }, (_, i) => fetch("/p/" + i + ".bin", { cache: "no-store" })))
    .then((responses) => Promise.all(responses.map(digestOfResponse))).catch(failure);
  const audio = seekingAudio();
  results.parallel = await within(parallel, 60000);
  results.seeks = await within(audio, 30000);
  const frame = document.createElement("iframe");
  results.frame = await within(fromMessage(window, () => {
    frame.src = "/load.html#frame";
    document.body.appendChild(frame);
  }, "frame"), 30000);
  results.dedicatedWorker = await within(fromMessage(new Worker("/load_worker.js"), () => {}), 30000);
  const shared = new SharedWorker("/load_worker.js");
  results.sharedWorker = await within(fromMessage(shared.port, () => shared.port.start()), 30000);
  results.serviceWorker = await within(serviceWorkerCheck(), 60000);
  results.postLarge = await digestOf("/large.bin", { method: "POST", body: "x" });
  results.postSmall = await digestOf("/parallel.json", { method: "POST", body: "x" });
  results.farOpen = await digestOf("/sparse.bin", { headers: { Range: "bytes=5000000000-" } });
  results.farClosed = await digestOf("/sparse.bin", { headers: { Range: "bytes=4294967000-4306967295" } });
  return results;
}
