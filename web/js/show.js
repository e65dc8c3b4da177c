// The show: the pack's programs one after another, as ./run.sh plays them.
// A graphics program is drawn at the shown time that the core keeps for it
// (fennick: the page's millisecond clock wrapped to 32 bits; the scenes: the
// milliseconds since they started, ending by themselves when that reaches
// their end), which the viewer can pause, step, move, restart, speed up and
// repeat between two marks; brisklet's lines close the show. Escape moves on to the next program.
const MODIFIER_KEYS = ["Shift", "Control", "Alt", "Meta", "AltGraph", "CapsLock"];
const SECOND_MS = 1000;
const TEN_SECONDS_MS = 10000;

// The player's keys and what each does to the show; Shift makes the moves 10 s.
const PLAYER_KEYS = {
  " ": (show) => show.togglePause(),
  ",": (show) => show.step(-1),
  ".": (show) => show.step(1),
  ArrowLeft: (show, shift) => show.move(shift ? -TEN_SECONDS_MS : -SECOND_MS),
  ArrowRight: (show, shift) => show.move(shift ? TEN_SECONDS_MS : SECOND_MS),
  "[": (show) => show.slower(),
  "]": (show) => show.faster(),
  Home: (show) => show.restart(),
  PageUp: (show) => show.toStep(-1),
  PageDown: (show) => show.toStep(1),
  i: (show) => show.toggleOverlay(),
  I: (show) => show.toggleOverlay(),
  a: (show) => show.markA(),
  A: (show) => show.markA(),
  b: (show) => show.markB(),
  B: (show) => show.markB(),
  g: (show) => show.setGuides(!show.guides),
  G: (show) => show.setGuides(!show.guides),
  s: (show) => show.saveStill(),
  S: (show) => show.saveStill(),
};

// The speeds, in quarters of the clock's own, as the controls write them.
const SPEED_LABELS = new Map([[1, "¼×"], [2, "½×"], [4, "1×"], [8, "2×"], [16, "4×"]]);

// Frames presented over the last whole second.
class FrameStats {
  constructor() {
    this.since = performance.now();
    this.count = 0;
    this.fps = 0;
  }

  add() { ++this.count; }

  // Closes the second once it is over.
  roll(now) {
    if (now - this.since < 1000) return;
    this.fps = Math.floor((this.count * 1000) / (now - this.since));
    this.since = now;
    this.count = 0;
  }
}

class Show {
  constructor(core, screen, page) {
    this.core = core;
    this.screen = screen;
    this.page = page;
    this.order = PACK_SHOW_ORDER.filter((name) => core.has(name) || name === "brisklet");
    this.current = null;
    this.scheduled = false;
    this.drawFrame = () => this.frame();
    this.watchers = [];
    this.movedWatchers = [];
    this.started = false;
    this.stats = new FrameStats();
    this.overlay = false;
    this.guides = false;  // the frame's construction over it (G, the switch)
    this.drawn = "";     // what the canvas shows: program, time, square pixels, guides, overlay
    this.stillOf = "";   // the program, time and guides of the paused frame's data-png
  }

  programs() { return this.order.slice(); }

  // `watcher(state)` hears of every change of the program or its time.
  watch(watcher) { this.watchers.push(watcher); }
  // `watcher()` hears of each move of the show after its first start: the
  // program changed, or its time paused, stepped, moved or sped (not the
  // time passing).
  onMoved(watcher) { this.movedWatchers.push(watcher); }
  moved() {
    for (const watcher of this.movedWatchers) watcher();
  }

  // Starts program `name` (the first if unknown); `moment` ({ ms, paused })
  // starts it at shown time ms (null: its start), paused or playing.
  start(name, moment = null) {
    this.current = this.order.includes(name) ? name : this.order[0];
    this.drawn = "";
    this.forgetStill();
    this.page.showing(this.current);
    if (this.current === "brisklet") {
      this.page.showCredits(this.core.creditLines());
      markReady();
    } else {
      this.core.startShow(this.current);
      // Paused before the seek, so that no millisecond passing between the
      // two calls moves a paused moment off its time.
      if (moment && moment.paused) this.core.togglePause();
      if (moment && moment.ms !== null) this.core.seek(moment.ms);
      this.schedule();
    }
    this.report();
    if (this.started) this.moved();
    this.started = true;
  }

  // One pending animation frame at most, however often the program changes.
  schedule() {
    if (this.scheduled) return;
    this.scheduled = true;
    requestAnimationFrame(this.drawFrame);
  }

  next() {
    const following = this.order[this.order.indexOf(this.current) + 1];
    if (following) this.start(following);
    else this.end();
  }

  // The program before the one showing; the first stays.
  previous() {
    const at = this.order.indexOf(this.current);
    if (at > 0) this.start(this.order[at - 1]);
  }

  end() {
    this.current = null;
    this.page.showing(null);
    this.report();
  }

  // True while a graphics program shows (not brisklet's lines, not the end).
  playing() { return this.current !== null && this.current !== "brisklet"; }

  // What the player's controls show: the time, the show's end and steps (0
  // for none), the A-B marks.
  state() {
    if (!this.playing())
      return { name: this.current, ms: 0, paused: false, quarters: 4, limit: 0, step: 0, marks: { a: null, b: null },
               guides: this.guides };
    return { name: this.current, ms: this.core.showTime(), paused: this.core.showPaused(),
             quarters: this.core.showSpeed(), limit: this.core.endsAfter(this.current),
             step: this.core.stepMs(this.current), marks: this.core.showMarks(), guides: this.guides };
  }

  report() {
    const state = this.state();
    for (const watcher of this.watchers) watcher(state);
  }

  // The viewer's changes to the shown time; the next frame draws them.
  change(apply) {
    if (!this.playing()) return;
    apply(this.core);
    this.report();
    this.moved();
  }
  togglePause() { this.change((core) => core.togglePause()); }
  step(ticks) { this.change((core) => core.step(ticks)); }
  move(ms) { this.change((core) => core.move(ms)); }
  restart() { this.change((core) => core.restart()); }
  faster() { this.change((core) => core.faster()); }
  slower() { this.change((core) => core.slower()); }
  seek(ms) { this.change((core) => core.seek(ms)); }
  toStep(way) { this.change((core) => core.toStep(way)); }
  markA() { this.change((core) => core.markA()); }
  markB() { this.change((core) => core.markB()); }
  setSpeed(quarters) {
    this.change((core) => {
      while (core.showSpeed() < quarters && core.showSpeed() < 16) core.faster();
      while (core.showSpeed() > quarters && core.showSpeed() > 1) core.slower();
    });
  }
  toggleOverlay() { this.overlay = !this.overlay; }
  setGuides(on) {
    this.guides = on;
    this.report();
  }

  frame() {
    this.scheduled = false;
    if (!this.playing()) return;
    const name = this.current, ms = this.core.showTime(), limit = this.core.endsAfter(name);
    if (limit && ms >= limit) return this.next();
    this.stats.roll(performance.now());
    // The clock goes on while the tab is hidden; only the drawing stops.
    if (!document.hidden) this.draw(name, ms);
    this.schedule();
  }

  // Draws the frame at `ms` unless the canvas shows it already (a paused
  // show draws only what changes, so the I key's line, the core's, tells a
  // rate falling to 0); a paused frame's 1:1 PNG goes to data-png.
  draw(name, ms) {
    const line = this.overlay ? this.core.overlayLine(ms, this.stats.fps) : "";
    const look = `${name} ${ms} ${this.screen.squarePixels} ${this.guides} ${line}`;
    if (!this.screen.fitToDevice() && look === this.drawn) return;
    this.core.render(name, ms, this.guides);
    this.keepStill(name, ms);
    this.screen.present(this.core, line);
    this.stats.add();
    if (!this.drawn) markReady();
    this.drawn = look;
    this.report();
  }

  // While paused, the frame 1:1 as shown: as the still-frame mode gives it,
  // or with its guides while they are on; data-png on the canvas and the
  // Save PNG button, which offers it as NAME-MS.png, as S saves it natively.
  keepStill(name, ms) {
    if (!this.core.showPaused()) return this.forgetStill();
    const still = `${name}-${ms}${this.guides ? "-guides" : ""}`;
    if (this.stillOf === still) return;
    this.stillOf = still;
    const canvas = this.screen.canvas;
    canvas.dataset.png = pngDataUrl(this.core.frameImage(name));
    canvas.dataset.still = still;  // what data-png holds: NAME-MS, -guides with them
    this.page.offerDownload(canvas.dataset.png, `${name}-${ms}.png`);
  }

  // S: the paused frame's PNG, as the Save PNG button gives it.
  saveStill() {
    const link = this.page.find("save");
    if (!link.hidden) link.click();
  }

  forgetStill() {
    if (!this.stillOf) return;
    delete this.screen.canvas.dataset.png;
    delete this.screen.canvas.dataset.still;
    this.page.find("save").hidden = true;
    this.stillOf = "";
  }

  // Keys of the running show: Escape moves on, and the player's keys; on
  // brisklet's page any key moves on. True if the key did something.
  onKey(event) {
    const moveOn = this.current === "brisklet" ? !MODIFIER_KEYS.includes(event.key) : event.key === "Escape";
    const action = moveOn ? (show) => show.next()
      : this.playing() && !event.ctrlKey && !event.metaKey && !event.altKey && PLAYER_KEYS[event.key];
    if (!action || !this.current) return false;
    action(this, event.shiftKey);
    return true;
  }
}

// <body data-ready>: the page shows what its address asks for.
function markReady() { document.body.dataset.ready = ""; }
