// Runs the checks mode.json asks for, reports the findings to the test extension library as one
// extension message, then closes the window. The last check reloads the page; the reloaded page
// finishes it and reports.
"use strict";

const results = {};
const inbox = [];
const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
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
const alive = Symbol("this document");
globalThis[alive] = true;
const threadEchoes = () => inbox.filter((m) => m.type === "thread-echo").map((m) => m.i);

async function until(test, ms = 5000) {
  for (const end = Date.now() + ms; Date.now() < end && !test(); ) await wait(20);
  return test();
}
const waitFor = async (test, ms) => ((await until(() => inbox.some(test), ms)) ? inbox.find(test) : null);
const echoed = (text, ms) => waitFor((m) => m.type === "echo" && m.message.text === text, ms);

async function probe(path, headers = {}) {
  const response = await fetch(path, { headers });
  const body = new Uint8Array(await response.arrayBuffer());
  return {
    status: response.status, statusText: response.statusText, headers: Object.fromEntries(response.headers),
    length: body.length, head: Array.from(body.slice(0, 8)), text: body.length < 64 ? new TextDecoder().decode(body) : "",
  };
}

async function digestOf(path) {
  const response = await fetch(path);
  const buffer = await response.arrayBuffer();
  const hash = new Uint8Array(await crypto.subtle.digest("SHA-256", buffer));
  return { status: response.status, url: response.url, length: buffer.byteLength,
           sha256: Array.from(hash, (b) => b.toString(16).padStart(2, "0")).join("") };
}

function audioCheck() {
  return new Promise((resolve) => {
    const audio = new Audio();
    const out = {};
    const done = () => { clearTimeout(timer); resolve(out); };
    const timer = setTimeout(() => resolve({ ...out, timeout: true }), 15000);
    audio.addEventListener("loadedmetadata", () => { out.duration = audio.duration; audio.currentTime = 25; });
    audio.addEventListener("seeked", () => { out.seekedTo = audio.currentTime; done(); });
    audio.addEventListener("error", () => { out.error = audio.error ? audio.error.code : -1; done(); });
    audio.preload = "auto";
    audio.src = "/tone.wav";
  });
}

async function frameCheck() {
  const same = document.createElement("iframe");
  const loaded = new Promise((resolve) => same.addEventListener("load", () => resolve(true)));
  same.src = "/frame.html";
  const data = document.createElement("iframe");
  data.src = "data:text/html,<script>window.chrome&&chrome.webview&&chrome.webview.postMessage(" +
             "JSON.stringify({type:'extension-message',from:'data-iframe'}))</" + "script>";
  document.body.append(same, data);
  results.iframeLoaded = await Promise.race([loaded, wait(5000).then(() => false)]);
  await wait(500);
}

async function windowChecks() {
  const fullscreen = () => matchMedia("(display-mode: fullscreen)").matches;
  const size = (windowWidth, windowHeight) => send({ type: "set-window-size", windowWidth, windowHeight });
  size(500, 400);
  await until(() => innerWidth === 500 && innerHeight === 400);
  results.size = [innerWidth, innerHeight];
  send({ type: "set-window-position", windowX: 33, windowY: 44 });
  await until(() => screenX === 33 && screenY === 44);
  results.position = [screenX, screenY];
  send({ type: "set-fullscreen", fullscreen: true });
  results.fullscreen = await until(fullscreen);
  await wait(300);
  results.fullscreenSize = [innerWidth, innerHeight];
  size(300, 300); // ignored while fullscreen: nothing may change, so this one can only wait and look
  await wait(800);
  results.sizeInFullscreen = [innerWidth, innerHeight];
  send({ type: "set-fullscreen", fullscreen: false });
  results.afterFullscreen = !(await until(() => !fullscreen()));
}

async function popupChecks(server) {
  const returned = ["/popup", "mailto:someone@example.com", "file:///etc/passwd", "javascript:void(0)"].map(
    (url) => window.open(url.startsWith("/") ? server + url : url));
  const link = document.getElementById("link");
  link.href = server + "/link";
  link.click();
  document.getElementById("ftp").click();
  const form = document.createElement("form");
  Object.assign(form, { method: "post", action: server + "/form", target: "_blank" });
  form.innerHTML = '<input name="secret" value="cookie">';
  document.body.appendChild(form);
  form.submit();
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
  results.stillHere = location.href === before && globalThis[alive] === true;
  echo({ text: "after navigation" });
  results.bridgeAfterNavigation = !!(await echoed("after navigation"));
}

// A thousand echoes with a reload in the middle: the reloaded page tallies what both received.
async function reloadCheck() {
  sessionStorage.setItem("results", JSON.stringify(results));
  sessionStorage.setItem("echoes", "");
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
  const mode = await fetch("mode.json").then((r) => (r.ok ? r.json() : {})).catch(() => ({}));
  const server = "http://127.0.0.1:" + (mode.port || 9);
  send({ type: "wrapper-init" });
  results.handshake = await waitFor((m) => m.type === "wrapper-init-response");
  await wait(300);
  results.inboxOrder = inbox.map((m) => m.type);

  if (mode.idle) {
    // Stays open: the harness ends the shell or the browser from outside. With "place" the
    // window is moved and sized first; the report says where the window is.
    if (mode.place) {
      const [x, y, width, height] = mode.place;
      send({ type: "set-window-size", windowWidth: width, windowHeight: height });
      send({ type: "set-window-position", windowX: x, windowY: y });
      await until(() => screenX === x && innerWidth === width && innerHeight === height);
      await wait(1500); // the shell notes the window's bounds about once a second
    }
    send({ type: "extension-message", action: "idle", place: [screenX, screenY, innerWidth, innerHeight] });
    await new Promise(() => {});
  }
  if (mode.posts) return largePosts();
  if (mode.remote) {
    await popupChecks(server);
    return navigationChecks(server);
  }

  echo({ text: "h\u00e9llo" });
  results.echo = await waitFor((m) => m.type === "echo");
  send({ type: "extension-message", action: "documents" });
  chrome.webview.postMessage({ type: "extension-message", action: "object-post" });
  for (const [name, path, range] of [["index", "/index.html"], ["missing", "/nope.txt"], ["range", "/data.bin", "10-19"],
    ["suffix", "/data.bin", "-5"], ["open", "/data.bin", "1000-"], ["unsat", "/data.bin", "999999-"],
    ["openLarge", "/large.bin", "0-"]]) {
    results[name] = await probe(path, range ? { Range: "bytes=" + range } : {});
  }
  results.large = await digestOf("/large.bin");
  if (mode.big) results.big = await digestOf("/big.bin");
  results.audio = await audioCheck();
  await frameCheck();
  await windowChecks();
  // A string cut inside a character, posted raw and as JSON, and echoed back.
  chrome.webview.postMessage('{"type":"extension-message","action":"raw-cut","text":"a\ud83d"}');
  echo({ text: "cut \ud83d" });
  const cut = await waitFor((m) => m.type === "echo" && m.message.text.startsWith("cut"));
  results.cutEcho = cut ? cut.message.text === "cut \ud83d" : "lost";
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
