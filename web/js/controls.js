// The player's controls under the picture: play/pause, the timeline of the
// program showing with its time, the speed, the guides switch and the "link
// to this moment".
// A scene's timeline is its whole show, 0 to its end, with a tick at each of
// its steps; fennick's time is the clock count, so its timeline is a window
// of CLOCK_WINDOW_MS around the shown time, laid out again around it when
// the time leaves the window. The A-B marks and the stretch between them
// are drawn on the timeline.
const CLOCK_WINDOW_MS = 120000;
const MOMENT_TEXT = "link to this moment";
const COPIED_SHOWN_MS = 1500;
// The address follows the show at most this often (browsers refuse a flood
// of address changes, e.g. a held arrow key or a dragged timeline).
const FOLLOW_MS = 250;
// What the address keeps of itself when it follows the show.
const KEPT_PARAMS = ["embed", "square-pixels"];

// m:ss.mmm
function showClock(ms) {
  const seconds = Math.floor(ms / 1000);
  return `${Math.floor(seconds / 60)}:${String(seconds % 60).padStart(2, "0")}.${String(ms % 1000).padStart(3, "0")}`;
}

class Controls {
  constructor(page, show) {
    this.show = show;
    this.box = page.find("controls");
    this.play = page.find("play");
    this.timeline = page.find("timeline");
    this.ticks = page.find("ticks");
    this.ticksOf = "";      // the program whose ticks are drawn
    this.repeat = { a: page.find("mark-a"), b: page.find("mark-b"), stretch: page.find("stretch") };
    this.time = page.find("time");
    this.speed = page.find("speed");
    this.moment = page.find("moment");
    this.guides = page.find("guides");
    this.state = show.state();
    this.windowStart = 0;   // fennick: the clock count at the timeline's left end
    this.dragging = false;
    this.followTimer = 0;
    for (const [quarters, label] of SPEED_LABELS) this.speed.add(new Option(label, quarters));
    this.play.addEventListener("click", () => { this.play.blur(); show.togglePause(); });
    this.speed.addEventListener("change", () => { this.speed.blur(); show.setSpeed(Number(this.speed.value)); });
    this.guides.addEventListener("change", () => { this.guides.blur(); show.setGuides(this.guides.checked); });
    this.wireTimeline();
    this.wireMoment();
    show.watch((state) => this.update(state));
    show.onMoved(() => this.follow());
  }

  // After the program changes or its time is moved, the address bar shows
  // the moment (replaced, not a new history entry), so that a reload shows
  // it again; the page's own keys (embed, square pixels) stay.
  follow() {
    if (this.followTimer) return;
    this.followTimer = setTimeout(() => {
      this.followTimer = 0;
      if (!this.show.playing()) return;
      const kept = new URLSearchParams(location.search), address = new URL(this.address());
      for (const key of KEPT_PARAMS) if (kept.has(key)) address.search += `&${key}`;
      this.replaceAddress(address.href);
    }, FOLLOW_MS);
  }

  replaceAddress(address) {
    try {
      history.replaceState(null, "", address);
    } catch {
      // a page whose address cannot change (some file:// pages): the link keeps it
    }
  }

  wireTimeline() {
    const line = this.timeline, letGo = () => { this.dragging = false; };
    line.addEventListener("pointerdown", () => { this.dragging = true; });
    window.addEventListener("pointerup", letGo);
    window.addEventListener("pointercancel", letGo);
    line.addEventListener("input", () => this.show.seek(this.timeAt(Number(line.value))));
    line.addEventListener("change", () => { letGo(); line.blur(); });
  }

  // The link is made when it is about to be used: followed, copied from its
  // menu or given by the button.
  wireMoment() {
    const link = this.moment, refresh = () => { link.href = this.address(); };
    for (const kind of ["pointerenter", "pointerdown", "focus", "contextmenu"]) link.addEventListener(kind, refresh);
    link.addEventListener("click", (event) => {
      event.preventDefault();
      refresh();
      this.giveMoment(link.href);
    });
  }

  address() {
    const { name, ms, paused } = this.show.state();
    return momentAddress(name, ms, paused);
  }

  // The address bar takes the moment's address (a reload shows it again),
  // and the clipboard too where the browser allows.
  giveMoment(address) {
    this.replaceAddress(address);
    if (!navigator.clipboard) return;
    navigator.clipboard.writeText(address).then(() => {
      this.moment.textContent = "link copied";
      setTimeout(() => { this.moment.textContent = MOMENT_TEXT; }, COPIED_SHOWN_MS);
    }, () => {});
  }

  // Fennick's clock count at timeline position `value`; a scene's time is
  // the position itself.
  timeAt(value) { return this.state.limit ? value : (this.windowStart + value) >>> 0; }

  update(state) {
    this.state = state;
    this.box.hidden = state.name === null || state.name === "brisklet";
    if (this.box.hidden) return;
    this.play.textContent = state.paused ? "play" : "pause";
    this.speed.value = String(state.quarters);
    this.guides.checked = state.guides;
    const { ms, limit } = state;
    if (limit) this.time.textContent = `${showClock(ms)} / ${showClock(limit).replace(/\.000$/, "")}`;
    else this.time.textContent = `${ms} ms`;
    // Fennick's window follows the time first, so that the marks are laid
    // along the window they are shown in.
    if (!this.dragging && !limit && ((ms - this.windowStart) >>> 0) >= CLOCK_WINDOW_MS)
      this.windowStart = (ms - CLOCK_WINDOW_MS / 2) >>> 0;
    this.layTicks(state);
    this.layMarks(state.marks);
    if (this.dragging) return;
    this.timeline.max = String(limit ? limit - 1 : CLOCK_WINDOW_MS - 1);
    this.timeline.value = String(limit ? ms : (ms - this.windowStart) >>> 0);
  }

  // Where shown time `ms` is along the timeline, 0 to 1; null when it is
  // outside fennick's window.
  along(ms) {
    const { limit } = this.state;
    if (limit) return ms / (limit - 1);
    const into = (ms - this.windowStart) >>> 0;
    return into < CLOCK_WINDOW_MS ? into / (CLOCK_WINDOW_MS - 1) : null;
  }

  // A tick at the start of each step of the program's show.
  layTicks({ name, limit, step }) {
    if (this.ticksOf === name) return;
    this.ticksOf = name;
    const ticks = [];
    for (let ms = 0; step && ms < limit; ms += step) {
      const tick = document.createElement("i");
      tick.style.left = `${(100 * this.along(ms)).toFixed(3)}%`;
      ticks.push(tick);
    }
    this.ticks.replaceChildren(...ticks);
  }

  layMarks(marks) {
    const place = (element, ms) => {
      const at = ms === null ? null : this.along(ms);
      element.hidden = at === null;
      if (at !== null) element.style.left = `${(100 * at).toFixed(3)}%`;
      return at;
    };
    const a = place(this.repeat.a, marks.a), b = place(this.repeat.b, marks.b), { stretch } = this.repeat;
    stretch.hidden = a === null || b === null;
    if (stretch.hidden) return;
    stretch.style.left = `${(100 * a).toFixed(3)}%`;
    stretch.style.width = `${(100 * (b - a)).toFixed(3)}%`;
  }
}
