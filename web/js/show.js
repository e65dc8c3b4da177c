// The show: the pack's programs one after another, as ./run.sh plays them.
// fennick draws from the page's millisecond clock wrapped to 32 bits, the
// scenes from the milliseconds since they started and end by themselves;
// brisklet's lines close the show. Escape moves on to the next program.
const CLOCK_WRAP = 2 ** 32;
const MODIFIER_KEYS = ["Shift", "Control", "Alt", "Meta", "AltGraph", "CapsLock"];

class Show {
  constructor(core, screen, page) {
    this.core = core;
    this.screen = screen;
    this.page = page;
    this.order = PACK_SHOW_ORDER.filter((name) => core.has(name) || name === "brisklet");
    this.current = null;
    this.startedAt = 0;
    this.scheduled = false;
    this.drawFrame = (now) => this.frame(now);
  }

  programs() { return this.order.slice(); }

  start(name) {
    this.current = this.order.includes(name) ? name : this.order[0];
    this.startedAt = performance.now();
    this.page.showing(this.current);
    if (this.current === "brisklet") this.page.showCredits(this.core.creditLines());
    else this.schedule();
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

  end() {
    this.current = null;
    this.page.showing(null);
  }

  // The program's clock at `now`: fennick's wrapped count, or the scene's
  // milliseconds since its start.
  clockAt(now) {
    if (this.current === "fennick") return Math.floor(now) % CLOCK_WRAP;
    return Math.max(0, Math.floor(now - this.startedAt));
  }

  frame(now) {
    this.scheduled = false;
    const name = this.current;
    if (!name || name === "brisklet") return;
    const ms = this.clockAt(now), limit = this.core.endsAfter(name);
    if (limit && ms >= limit) return this.next();
    // The clock goes on while the tab is hidden; only the drawing stops.
    if (!document.hidden) {
      this.core.render(name, ms);
      this.screen.present(this.core);
    }
    this.schedule();
  }

  // Keys of the running show: Escape moves on; on brisklet's page any key.
  onKey(event) {
    if (this.current === "brisklet") return MODIFIER_KEYS.includes(event.key) || this.next();
    if (event.key === "Escape" && this.current) this.next();
  }
}
