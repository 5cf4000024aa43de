// Runs the checks mode.json asks for and reports them to the test library in one message, then
// closes the window. Steps that could hang are bounded, so a hang shows as a "timeout".
"use strict";

const results = {};
const inbox = [];
const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const within = (promise, ms) => Promise.race([promise, wait(ms).then(() => ({ timeout: true }))]);
const send = (message) => chrome.webview.postMessage(JSON.stringify(message));
const echo = (fields) => send({ type: "extension-message", action: "echo", ...fields });
const numbered = (data) => data.type === "echo" && typeof data.message.n === "number";
chrome.webview.addEventListener("message", (event) => {
  inbox.push(event.data);
  // Kept where the reloaded page finds it: what each document received of the numbered echoes.
  if (numbered(event.data)) {
    sessionStorage.setItem("echoes", (sessionStorage.getItem("echoes") || "") + event.data.message.n + ",");
  }
});
const threadEchoes = () => inbox.filter((m) => m.type === "thread-echo").map((m) => m.i);

async function until(test, ms = 5000) {
  for (const end = Date.now() + ms; Date.now() < end && !test(); ) await wait(20);
  return test();
}
const waitFor = async (test, ms) => ((await until(() => inbox.some(test), ms)) ? inbox.find(test) : null);
const echoed = (text, ms) => waitFor((m) => m.type === "echo" && m.message.text === text, ms);

async function probe(path, range) {
  const response = await fetch(path, { headers: range ? { Range: "bytes=" + range } : {} });
  const body = new Uint8Array(await response.arrayBuffer());
  return { status: response.status, statusText: response.statusText, headers: Object.fromEntries(response.headers),
           body: body.length < 64 ? Array.from(body) : body.length };
}

// The next message `target` hears (with `key`: the next one with it, its value).
function fromMessage(target, key) {
  return new Promise((resolve) => target.addEventListener("message", (event) => {
    if (!key || (event.data && key in event.data)) resolve(key ? event.data[key] : event.data);
  }));
}

function seekingAudio() {
  const audio = new Audio("/sound.wav");
  return new Promise((resolve) => {
    audio.onloadedmetadata = () => { audio.currentTime = 25; };
    audio.onseeked = () => resolve(Math.round(audio.currentTime));
    audio.onerror = () => resolve({ error: audio.error.code });
  });
}

// Active only once its install has precached the large asset; a failed install never gets here.
async function serviceWorkerCheck() {
  await navigator.serviceWorker.register("/worker.js");
  await navigator.serviceWorker.ready;
  if (!navigator.serviceWorker.controller) {
    await new Promise((resolve) => navigator.serviceWorker.addEventListener("controllerchange", resolve));
  }
  return digestOf("/large.bin?cached");
}

// Large answers under load, in every kind of client, and past 4 GiB. Every piece's headers come
// before any body is read (as a loader awaiting all its fetches does) while media seeks.
async function loadChecks(pieces) {
  const parallel = Promise.all(Array.from({ length: pieces }, (_, i) => fetch(`/p/${i}.bin`, { cache: "no-store" })))
    .then((responses) => Promise.all(responses.map(digest)));
  [results.parallel, results.seek] = await Promise.all([within(parallel, 60000), within(seekingAudio(), 30000)]);
  document.body.insertAdjacentHTML("beforeend", '<iframe src="/frame.html"></iframe>');
  results.frame = await within(fromMessage(window, "frame"), 30000);
  results.dedicatedWorker = await within(fromMessage(new Worker("/worker.js")), 30000);
  const shared = new SharedWorker("/worker.js");
  shared.port.start();
  results.sharedWorker = await within(fromMessage(shared.port), 30000);
  results.serviceWorker = await within(serviceWorkerCheck(), 60000);
  results.postLarge = await digestOf("/large.bin", { method: "POST", body: "x" });
  // Not UTF-8 (a surrogate's encoding among them), and enough to make the browser's message large.
  const body = new Uint8Array(600 * 1024);
  for (let at = 0; at < body.length; at += 65536) crypto.getRandomValues(body.subarray(at, at + 65536));
  body.set([0xed, 0xa0, 0x80]);
  results.postSmall = await within(digestOf("/data.bin", { method: "POST", body }), 30000);
  results.permissions = await Promise.all(["camera", "clipboard-write", "geolocation", "microphone", "notifications"]
    .map((name) => navigator.permissions.query({ name }).then((status) => status.state)));
  results.far = await digestOf("/sparse.bin", { headers: { Range: "bytes=4294967000-4306967295" } });
}

async function popupChecks(server) {
  const returned = [server + "/popup", "mailto:someone@example.com"].map((url) => window.open(url));
  document.body.insertAdjacentHTML("beforeend", `<a target="_blank" href="${server}/link">link</a>` +
    `<form method="post" action="${server}/form" target="_blank"><input name="secret" value="cookie"></form>`);
  document.links[0].click();
  document.forms[0].submit();
  await wait(1500);
  results.popupsReturnedNothing = returned.every((w) => w === null || w.closed);
}

// Every way out of the app is stopped; the document stays, and with it its bridge.
async function navigationChecks(server) {
  const before = location.href;
  const blob = URL.createObjectURL(new Blob(["<p>blob</p>"], { type: "text/html" }));
  for (const away of [server + "/away", "about:blank", blob, "data:text/html,<p>data</p>"]) {
    location.href = away;
    await wait(1000);
  }
  history.back();
  await wait(1000);
  results.stillHere = location.href === before;
  // Saving a file the page made is a download, not a way out: the browser is left to it.
  results.downloadsPrevented = [];
  const record = (event) => event.downloadRequest != null && results.downloadsPrevented.push(event.defaultPrevented);
  navigation.addEventListener("navigate", record);
  for (const href of [URL.createObjectURL(new Blob(["saved"])), "data:text/plain,saved"]) {
    const link = Object.assign(document.createElement("a"), { href, download: "save.txt" });
    document.body.append(link);
    link.click();
  }
  navigation.removeEventListener("navigate", record);
  echo({ text: "after navigation, \u00e9" });
  results.bridgeAfterNavigation = !!(await echoed("after navigation, \u00e9"));
}

// A thousand echoes with a reload in the middle: the reloaded page tallies what both received.
async function reloadCheck() {
  sessionStorage.setItem("results", JSON.stringify(results));
  sessionStorage.setItem("phase", "reloading");
  for (let n = 0; n < 1000; n++) echo({ n });
  await until(() => inbox.filter(numbered).length >= 150, 3000);
  location.reload();
  await new Promise(() => {});
}

async function afterReload() {
  sessionStorage.removeItem("phase");
  Object.assign(results, JSON.parse(sessionStorage.getItem("results")));
  const seen = () => (sessionStorage.getItem("echoes") || "").split(",").filter((n) => n !== "").map(Number);
  await until(() => seen().length >= 1000, 15000);
  await wait(500);
  results.echoesAcrossReload = seen();
}

// Two posts too large to keep in memory twice: the first arrives, the second is dropped alone.
async function largePosts() {
  const post = (action, size) => chrome.webview.postMessage(
    '{"type":"extension-message","action":"' + action + '","data":"' + "x".repeat(size) + '"}');
  post("large-200", 200 * 1024 * 1024);
  send({ type: "extension-message", action: "memory" });
  post("large-300", 300 * 1024 * 1024);
  echo({ text: "after large" });
  results.afterLarge = !!(await echoed("after large", 60000));
}

async function main() {
  if (sessionStorage.getItem("phase") === "reloading") return afterReload();
  const mode = await (await fetch("mode.json")).json();
  const server = "http://127.0.0.1:" + mode.port;
  send({ type: "wrapper-init" });
  results.handshake = await waitFor((m) => m.type === "wrapper-init-response");

  if (mode.idle) {
    // Stays open for the harness to end; with "place" the window is moved and sized first.
    if (mode.place) {
      const [x, y, width, height] = mode.place;
      send({ type: "set-window-size", windowWidth: width, windowHeight: height });
      send({ type: "set-window-position", windowX: x, windowY: y });
      await until(() => screenX === x && innerWidth === width && innerHeight === height);
      await wait(1500); // the shell notes the window's bounds about once a second
    }
    addEventListener("pagehide", () => send({ type: "extension-message", action: "pagehide" }));
    // What an earlier run stored, then what the next one should find.
    const stored = [document.cookie, localStorage.getItem("kept")];
    document.cookie = "kept=1; max-age=86400; secure";
    localStorage.setItem("kept", "1");
    send({ type: "extension-message", action: "idle", place: [screenX, screenY, innerWidth, innerHeight], stored });
    await new Promise(() => {});
  }
  if (mode.remote) {
    await navigationChecks(server);
    return largePosts();
  }

  chrome.webview.postMessage({ type: "extension-message", action: "object-post" });
  chrome.webview.postMessage('{"type":"extension-message","action":"raw-cut","text":"a\ud83d"}');
  for (const [name, path, range] of [["index", "/index.html"], ["range", "/data.bin", "10-19"],
    ["unsat", "/data.bin", "999999-"]]) {
    results[name] = await probe(path, range);
  }
  await loadChecks(mode.pieces);
  // Headless, the screen is the window's first size; a window that filled it was seen to stay out of fullscreen.
  send({ type: "set-window-size", windowWidth: 500, windowHeight: 400 });
  await until(() => innerWidth === 500 && innerHeight === 400);
  const fullscreen = () => matchMedia("(display-mode: fullscreen)").matches;
  const unasked = await document.documentElement.requestFullscreen().then(() => document.exitFullscreen(), e => e.name);
  send({ type: "set-fullscreen", fullscreen: true });
  results.fullscreen = [unasked, await until(fullscreen)];
  send({ type: "set-fullscreen", fullscreen: false });
  results.fullscreen.push(await until(() => !fullscreen()));
  send({ type: "extension-message", action: "thread-echo" });
  await until(() => threadEchoes().length >= 100);
  await wait(200);
  results.threadEcho = threadEchoes();
  await popupChecks(server);
  await navigationChecks(server);
  await reloadCheck();
}

main()
  .catch((error) => { results.exception = String(error && error.stack || error); })
  .finally(async () => {
    send({ type: "extension-message", action: "report", results });
    await wait(300);
    // A window that has navigated may not close itself in Chromium; the app's window still must.
    history.pushState(null, "", "#closing");
    window.close();
  });
