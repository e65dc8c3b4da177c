// The WebAssembly core (web/pack_web.cpp) behind a few plain methods. Frames
// and pictures come back as ImageData over the module's memory: draw them
// before the next call into the core.
class PackCore {
  constructor(module) {
    this.module = module;
    this.index = new Map();
    for (let i = 0; i < module._pack_program_count(); ++i)
      this.index.set(module.UTF8ToString(module._pack_program_name(i)), i);
  }

  static async load() {
    return new PackCore(await createPackCore());
  }

  // Names of the programs the core draws.
  has(name) { return this.index.has(name); }

  frameSize(name) {
    const i = this.index.get(name);
    return { width: this.module._pack_program_width(i), height: this.module._pack_program_height(i) };
  }

  // Milliseconds after which the program ends by itself; 0 for never.
  endsAfter(name) { return this.module._pack_program_ends_after(this.index.get(name)) >>> 0; }
  // Milliseconds from one step of the program's show to the next; 0 for none.
  stepMs(name) { return this.module._pack_program_step_ms(this.index.get(name)) >>> 0; }

  creditLines() {
    const m = this.module, lines = [];
    for (let i = 0; i < m._pack_credit_line_count(); ++i) lines.push(m.UTF8ToString(m._pack_credit_line(i)));
    return lines;
  }

  // Draws the program's frame at `ms` (an unsigned 32-bit count), with its
  // guides over it when `guides` is true.
  render(name, ms, guides = false) { this.module._pack_render(this.index.get(name), ms >>> 0, guides ? 1 : 0); }

  // The last frame 1:1.
  frameImage(name) {
    const { width, height } = this.frameSize(name);
    return this.image(this.module._pack_frame_rgba(), width, height);
  }

  // The last frame as the picture on a width x height canvas, bars included.
  pictureImage(width, height, squarePixels) {
    return this.image(this.module._pack_picture(width, height, squarePixels ? 1 : 0), width, height);
  }

  // Where the last picture is on its canvas: { x, y, w, h }.
  pictureRect() {
    const [x, y, w, h] = new Int32Array(this.module.HEAPU8.buffer, this.module._pack_picture_rect(), 4);
    return { x, y, w, h };
  }

  // The shown time of the program showing, kept by the core over the page's
  // clock: started for a program, then paused, stepped by ticks, moved by
  // milliseconds or to a step (way 1 or -1), restarted, sped up or slowed
  // down, set (seek), or repeated between the marks A and B.
  startShow(name) { this.module._pack_show_start(this.index.get(name)); }
  showTime() { return this.module._pack_show_time() >>> 0; }
  showPaused() { return this.module._pack_show_paused() !== 0; }
  // The speed in quarters of the clock's: 1, 2, 4 (1x), 8 or 16.
  showSpeed() { return this.module._pack_show_speed_quarters(); }
  togglePause() { this.module._pack_show_toggle_pause(); }
  step(ticks) { this.module._pack_show_step(ticks); }
  move(ms) { this.module._pack_show_move(ms); }
  restart() { this.module._pack_show_restart(); }
  faster() { this.module._pack_show_faster(); }
  slower() { this.module._pack_show_slower(); }
  seek(ms) { this.module._pack_show_seek(ms >>> 0); }
  toStep(way) { this.module._pack_show_to_step(way); }
  markA() { this.module._pack_show_mark_a(); }
  markB() { this.module._pack_show_mark_b(); }
  // The marks: { a, b }, each a shown time or null when not set.
  showMarks() {
    const [hasA, a, hasB, b] = new Uint32Array(this.module.HEAPU8.buffer, this.module._pack_show_marks(), 4);
    return { a: hasA ? a : null, b: hasB ? b : null };
  }
  // The I key's line at shown time `ms` with `fps` frames a second, as the
  // native players write it.
  overlayLine(ms, fps) { return this.module.UTF8ToString(this.module._pack_show_overlay_line(ms >>> 0, fps)); }

  image(pointer, width, height) {
    const bytes = new Uint8ClampedArray(this.module.HEAPU8.buffer, pointer, width * height * 4);
    return new ImageData(bytes, width, height);
  }
}
