// The page: reads its address, loads the core and starts one of its modes:
// the show (default; ?program=NAME starts it there, &t=MS at that moment,
// &paused holds it), one still frame (?program=NAME&frame=MS) or the frame
// benchmark (?bench); ?embed shows the picture alone.
class Page {
  constructor(doc) {
    this.doc = doc;
    this.find = (id) => doc.getElementById(id);
  }

  // Which program is on: the menu follows, the canvas or brisklet's lines
  // are shown; null is the end of the show.
  showing(name) {
    this.find("program").value = name || "";
    this.find("screen").hidden = !name || name === "brisklet";
    this.find("credits").hidden = name !== "brisklet";
    this.message(name ? "" : "The show is over. Choose a program from the menu to play it again.");
  }

  showCredits(lines) {
    const list = this.find("credit-lines");
    list.replaceChildren(...lines.map((line) => {
      const item = this.doc.createElement("div");
      item.textContent = line || "\u00a0";  // an empty line keeps its height
      return item;
    }));
  }

  fillMenu(names, choose) {
    const menu = this.find("program");
    for (const name of names) menu.add(new Option(name, name));
    menu.addEventListener("change", () => { menu.blur(); choose(menu.value); });
  }

  offerDownload(url, fileName) {
    const link = this.find("save");
    link.href = url;
    link.download = fileName;
    link.hidden = false;
  }

  message(text) {
    const box = this.find("message");
    box.textContent = text;
    box.hidden = !text;
  }

  report(text) {
    this.message("");
    this.find("report").textContent = text;
    this.find("report").hidden = false;
  }

  // The page cannot do what its address asks: it says so, and is ready all
  // the same (markReady), with the message in data-error, so that a script
  // waiting for the page never waits forever.
  fail(text) {
    this.message(text);
    this.doc.body.dataset.error = text;
    markReady();
  }
}

// F and Alt+Enter toggle fullscreen, except on brisklet's "press any key".
function isFullscreenKey(event) {
  return (event.key === "Enter" && event.altKey) || ((event.key === "f" || event.key === "F") && !event.ctrlKey && !event.metaKey);
}

// `moment` ({ ms, paused }, see momentOf) is where the first program starts.
function startShow(core, screen, page, first, moment) {
  const show = new Show(core, screen, page);
  page.fillMenu(show.programs(), (name) => show.start(name));
  document.addEventListener("keydown", (event) => {
    if (show.current !== "brisklet" && isFullscreenKey(event)) screen.toggleFullscreen();
    else if (!show.onKey(event)) return;  // Tab and the browser's own keys keep working
    event.preventDefault();
  });
  wirePlayer(show, screen, page);
  show.start(first, moment);
}

// The bars step aside BARS_REST_MS after the last move, touch or key, and come
// back with the next: on a phone held sideways they would cover the picture.
const BARS_REST_MS = 3000;
function restBars() {
  let timer = 0;
  const wake = () => {
    document.body.classList.remove("bars-resting");
    clearTimeout(timer);
    timer = setTimeout(() => document.body.classList.add("bars-resting"), BARS_REST_MS);
  };
  for (const type of ["pointermove", "pointerdown", "touchstart", "keydown"])
    document.addEventListener(type, wake, { passive: true, capture: true });
  wake();
}

// The player around the show: its controls, a touch screen's gestures on the
// picture (on brisklet's page a tap is its key), the screen kept awake.
function wirePlayer(show, screen, page) {
  new Controls(page, show);
  restBars();
  const wake = new WakeKeeper();
  show.watch((state) => wake.want(show.playing() && !state.paused));
  watchGestures(screen.stage, {
    tap: () => (show.playing() ? show.togglePause() : show.current && show.next()),
    doubleTap: () => screen.toggleFullscreen(),
    swipe: (way) => (way > 0 ? show.next() : show.previous()),
  });
}

// ?embed: the picture alone, for an <iframe>; a click on it gives it the keys.
function embedPicture(screen) {
  document.body.classList.add("embed");
  screen.stage.tabIndex = -1;
  screen.stage.addEventListener("pointerdown", () => { window.focus(); screen.stage.focus(); });
}

function wireControls(page, screen) {
  const square = page.find("square-pixels");
  square.checked = new URLSearchParams(location.search).has("square-pixels");
  screen.squarePixels = square.checked;
  square.addEventListener("change", () => { screen.squarePixels = square.checked; square.blur(); });
  page.find("fullscreen").addEventListener("click", () => screen.toggleFullscreen());
}

// The show from the address's moment (?t=MS, &paused), if it has a sound one.
function startMoment(core, screen, page, name, params) {
  const moment = momentOf(params), first = name || PACK_SHOW_ORDER[0], end = core.has(first) ? core.endsAfter(first) : 0;
  if (moment && !(end && moment.ms >= end)) return startShow(core, screen, page, name, moment);
  page.fail(`A moment needs ?program=NAME&t=MS with MS from 0 to ${end ? end - 1 : LARGEST_CLOCK}.`);
}

async function main() {
  const params = new URLSearchParams(location.search), page = new Page(document);
  const core = await PackCore.load();
  const screen = new Screen(page.find("screen"), page.find("stage"));
  wireControls(page, screen);
  if (params.has("embed")) embedPicture(screen);
  const names = PACK_SHOW_ORDER.filter((name) => core.has(name)), name = params.get("program");
  if (params.has("bench")) return runBench(core, page, names);
  if (name !== null && !PACK_SHOW_ORDER.includes(name)) return page.fail(`No program "${name}" (have: ${PACK_SHOW_ORDER.join(", ")}).`);
  if (!params.has("frame")) return startMoment(core, screen, page, name, params);
  const ms = parseFrameTime(params.get("frame"));
  if (!core.has(name) || ms === null)
    return page.fail(`A still frame needs ?program=${names.join("|")}&frame=MS with MS from 0 to ${LARGEST_CLOCK}.`);
  page.fillMenu(PACK_SHOW_ORDER, (chosen) => { location.search = `?program=${encodeURIComponent(chosen)}`; });
  showStill(core, screen, page, name, ms);
}

main().catch((error) => {
  new Page(document).fail(`The page could not start: ${error}`);
  throw error;
});
