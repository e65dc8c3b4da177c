// The page: reads its address, loads the core and starts one of its modes:
// the show (default; ?program=NAME starts it there), one still frame
// (?program=NAME&frame=MS) or the frame benchmark (?bench).
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

  // The page has done what its address asks, or could not: <body data-ready>
  // either way, with the message in data-error when it failed, so that a
  // script waiting for the page never waits forever.
  ready() { this.doc.body.dataset.ready = ""; }

  fail(text) {
    this.message(text);
    this.doc.body.dataset.error = text;
    this.ready();
  }
}

// F and Alt+Enter toggle fullscreen, except on brisklet's "press any key".
function isFullscreenKey(event) {
  return (event.key === "Enter" && event.altKey) || ((event.key === "f" || event.key === "F") && !event.ctrlKey && !event.metaKey);
}

function startShow(core, screen, page, first) {
  const show = new Show(core, screen, page);
  page.fillMenu(show.programs(), (name) => show.start(name));
  document.addEventListener("keydown", (event) => {
    if (show.current !== "brisklet" && isFullscreenKey(event)) screen.toggleFullscreen();
    else show.onKey(event);
    event.preventDefault();
  });
  show.start(first);
  page.ready();
}

function wireControls(page, screen) {
  const square = page.find("square-pixels");
  square.checked = new URLSearchParams(location.search).has("square-pixels");
  screen.squarePixels = square.checked;
  square.addEventListener("change", () => { screen.squarePixels = square.checked; square.blur(); });
  page.find("fullscreen").addEventListener("click", () => screen.toggleFullscreen());
}

async function main() {
  const params = new URLSearchParams(location.search), page = new Page(document);
  const core = await PackCore.load();
  const screen = new Screen(page.find("screen"), page.find("stage"));
  wireControls(page, screen);
  const names = PACK_SHOW_ORDER.filter((name) => core.has(name)), name = params.get("program");
  if (params.has("bench")) return runBench(core, page, names);
  if (name !== null && !PACK_SHOW_ORDER.includes(name)) return page.fail(`No program "${name}" (have: ${PACK_SHOW_ORDER.join(", ")}).`);
  if (!params.has("frame")) return startShow(core, screen, page, name);
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
