// The demo page. It speaks the shell's message protocol: a handshake, window commands and
// extension messages. In a browser without a display (headless) it takes itself on a tour of
// every feature, tells the terminal what happened through the extension, and closes.
"use strict";

const bridge = window.chrome && window.chrome.webview;
const $ = (id) => document.getElementById(id);
const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const headless = /HeadlessChrome/.test(navigator.userAgent);
const waiters = [];

function send(message) {
  if (bridge) bridge.postMessage(JSON.stringify(message));
}

function log(text) {
  const item = document.createElement("li");
  item.textContent = text;
  $("log").appendChild(item);
  if (headless) send({ type: "extension-message", action: "log", text });
}

function nextMessage(type, ms = 3000) {
  return new Promise((resolve) => {
    const waiter = { type, resolve };
    waiters.push(waiter);
    setTimeout(() => resolve(null), ms);
  });
}

function showViewport() {
  $("viewport").textContent = `Page area ${innerWidth} × ${innerHeight}` +
    (matchMedia("(display-mode: fullscreen)").matches ? ", fullscreen" : "");
}

if (bridge) {
  bridge.addEventListener("message", (event) => {
    const message = event.data;
    for (const waiter of waiters.splice(0)) {
      if (waiter.type === message.type) waiter.resolve(message); else waiters.push(waiter);
    }
    switch (message.type) {
      case "wrapper-init-response":
        $("handshake").textContent = "Shell connected. Extension components: " +
          (message.registeredComponentIds.join(", ") || "none");
        log("handshake answered, components: " + JSON.stringify(message.registeredComponentIds));
        break;
      case "demo-hello":
        log("extension says: " + message.text);
        break;
      case "demo-echo":
        $("echo-reply").textContent = `"${message.text}" came back from native code.`;
        log(`extension echoed "${message.text}"`);
        break;
    }
  });
} else {
  $("handshake").textContent = "Not running inside the Corvane shell.";
}

let fullscreen = false;
function setFullscreen(on) {
  fullscreen = on;
  send({ type: "set-fullscreen", fullscreen: on });
}

for (const button of document.querySelectorAll("[data-size]")) {
  button.addEventListener("click", () => {
    const [width, height] = button.dataset.size.split("x").map(Number);
    send({ type: "set-window-size", windowWidth: width, windowHeight: height });
  });
}
$("fullscreen").addEventListener("click", () => setFullscreen(!fullscreen));
$("move").addEventListener("click", () => send({ type: "set-window-position", windowX: 40, windowY: 40 }));
$("echo").addEventListener("click", () => send({ type: "extension-message", action: "echo", text: $("echo-text").value }));
addEventListener("resize", showViewport);
showViewport();

const chime = $("chime");
chime.addEventListener("loadedmetadata", () => {
  $("media").textContent = `chime.wav: ${chime.duration.toFixed(2)} s, served from the bundle with byte ranges.`;
});

async function tour() {
  await wait(300);
  send({ type: "extension-message", action: "echo", text: "Hello from the page" });
  await nextMessage("demo-echo");
  for (const [width, height] of [[640, 480], [1200, 800]]) {
    send({ type: "set-window-size", windowWidth: width, windowHeight: height });
    await wait(600);
    log(`asked for a ${width} × ${height} page area, got ${innerWidth} × ${innerHeight}`);
  }
  setFullscreen(true);
  await wait(600);
  log("fullscreen on: " + matchMedia("(display-mode: fullscreen)").matches);
  setFullscreen(false);
  await wait(600);
  log("fullscreen off: " + !matchMedia("(display-mode: fullscreen)").matches);
  if (!Number.isFinite(chime.duration)) {
    // Packaged without the chime (or its extension), the tour goes on without it.
    await Promise.race([new Promise((r) => chime.addEventListener("loadedmetadata", r, { once: true })),
      new Promise((r) => chime.addEventListener("error", r, { once: true })), wait(5000)]);
  }
  if (Number.isFinite(chime.duration)) {
    chime.currentTime = chime.duration / 2;
    await new Promise((r) => chime.addEventListener("seeked", r, { once: true }));
    log(`media: ${chime.duration.toFixed(2)} s long, seeked to ${chime.currentTime.toFixed(2)} s`);
  } else {
    log("media: no chime.wav to seek in");
  }
  log("tour done, closing the window");
  await wait(200);
  window.close();
}

send({ type: "wrapper-init" });
if (headless) tour();
