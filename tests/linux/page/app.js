// Runs every check the end-to-end harness asks for, reports the findings to the test extension
// library as one extension message, then closes the window.
"use strict";

const results = {};
const inbox = [];
const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const send = (message) => chrome.webview.postMessage(JSON.stringify(message));
chrome.webview.addEventListener("message", (event) => inbox.push(event.data));

async function waitFor(test, ms = 5000) {
  for (const end = Date.now() + ms; Date.now() < end; await wait(20)) {
    const found = inbox.find(test);
    if (found) return found;
  }
  return null;
}

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");
}

async function probe(path, headers = {}) {
  const response = await fetch(path, { headers });
  const body = new Uint8Array(await response.arrayBuffer());
  return {
    status: response.status,
    statusText: response.statusText,
    headers: Object.fromEntries(response.headers),
    length: body.length,
    head: Array.from(body.slice(0, 8)),
    text: body.length < 64 ? new TextDecoder().decode(body) : "",
  };
}

async function digestOf(path) {
  const response = await fetch(path);
  const buffer = await response.arrayBuffer();
  return {
    status: response.status,
    url: response.url,
    length: buffer.byteLength,
    sha256: hex(await crypto.subtle.digest("SHA-256", buffer)),
  };
}

function audioCheck() {
  return new Promise((resolve) => {
    const audio = new Audio();
    const out = {};
    const timer = setTimeout(() => resolve({ ...out, timeout: true }), 15000);
    audio.addEventListener("loadedmetadata", () => {
      out.duration = audio.duration;
      audio.currentTime = 25;
    });
    audio.addEventListener("seeked", () => {
      out.seekedTo = audio.currentTime;
      clearTimeout(timer);
      resolve(out);
    });
    audio.addEventListener("error", () => {
      out.error = audio.error ? audio.error.code : -1;
      clearTimeout(timer);
      resolve(out);
    });
    audio.preload = "auto";
    audio.src = "/tone.wav";
  });
}

async function frameCheck() {
  const same = document.createElement("iframe");
  const loaded = new Promise((resolve) => same.addEventListener("load", () => resolve(true)));
  same.src = "/frame.html";
  document.body.appendChild(same);
  const data = document.createElement("iframe");
  data.src = "data:text/html,<script>window.chrome&&chrome.webview&&chrome.webview.postMessage(" +
             "JSON.stringify({type:'extension-message',from:'data-iframe'}))</" + "script>";
  document.body.appendChild(data);
  results.iframeLoaded = await Promise.race([loaded, wait(5000).then(() => false)]);
  await wait(500);
}

async function until(test, ms = 5000) {
  for (const end = Date.now() + ms; Date.now() < end; await wait(25)) {
    if (test()) return true;
  }
  return test();
}

async function windowChecks() {
  const fullscreenQuery = () => matchMedia("(display-mode: fullscreen)").matches;
  send({ type: "set-window-size", windowWidth: 500, windowHeight: 400 });
  await until(() => innerWidth === 500 && innerHeight === 400);
  results.size = [innerWidth, innerHeight];
  send({ type: "set-window-position", windowX: 33, windowY: 44 });
  await until(() => screenX === 33 && screenY === 44);
  results.position = [screenX, screenY];
  send({ type: "set-fullscreen", fullscreen: true });
  results.fullscreen = await until(fullscreenQuery);
  await wait(300);
  results.fullscreenSize = [innerWidth, innerHeight];
  // Ignored while fullscreen: nothing may change, so this one can only wait and look.
  send({ type: "set-window-size", windowWidth: 300, windowHeight: 300 });
  await wait(800);
  results.sizeInFullscreen = [innerWidth, innerHeight];
  send({ type: "set-fullscreen", fullscreen: false });
  results.afterFullscreen = !(await until(() => !fullscreenQuery()));
}

async function popupChecks() {
  const returned = [
    window.open("https://example.com/popup"),
    window.open("mailto:someone@example.com"),
    window.open("file:///etc/passwd"),
    window.open("javascript:void(0)"),
  ];
  document.getElementById("link").click();
  document.getElementById("ftp").click();
  await wait(1500);
  results.popupsReturnedNothing = returned.every((w) => w === null || w.closed);
}

async function navigationCheck() {
  const before = location.href;
  location.href = "https://example.com/away";
  await wait(2000);
  results.stillHere = location.href === before;
}

async function main() {
  const mode = await fetch("/mode.json").then((r) => (r.ok ? r.json() : {})).catch(() => ({}));
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
    const place = [screenX, screenY, innerWidth, innerHeight];
    send({ type: "extension-message", action: "idle", place });
    await new Promise(() => {});
  }
  if (mode.big) {
    results.big = await digestOf("/big.bin");
    return;
  }

  send({ type: "extension-message", action: "echo", text: "h\u00e9llo" });
  results.echo = await waitFor((m) => m.type === "echo");
  send({ type: "extension-message", action: "documents" });
  chrome.webview.postMessage({ type: "extension-message", action: "object-post" });

  results.index = await probe("/index.html");
  results.missing = await probe("/nope.txt");
  results.range = await probe("/data.bin", { Range: "bytes=10-19" });
  results.suffix = await probe("/data.bin", { Range: "bytes=-5" });
  results.open = await probe("/data.bin", { Range: "bytes=1000-" });
  results.unsat = await probe("/data.bin", { Range: "bytes=999999-" });
  results.openLarge = await probe("/large.bin", { Range: "bytes=0-" });
  results.large = await digestOf("/large.bin");
  results.audio = await audioCheck();

  await frameCheck();
  await windowChecks();
  await popupChecks();
  await navigationCheck();
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
