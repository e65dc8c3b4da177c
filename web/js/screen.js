// The canvas: sized in device pixels so the picture stays sharp on dense
// screens, fullscreen on request, the pointer hidden in fullscreen once it
// rests, and the player's one-line overlay.
const POINTER_REST_MS = 2000;
const OVERLAY_PX = 14;

class Screen {
  constructor(canvas, stage) {
    this.canvas = canvas;
    this.stage = stage;
    this.context = canvas.getContext("2d");
    this.squarePixels = false;
    this.pointerTimer = 0;
    stage.addEventListener("pointermove", () => this.wakePointer());
    document.addEventListener("fullscreenchange", () => this.wakePointer());
  }

  // Matches the canvas's pixels to its size on the screen; true if changed.
  fitToDevice() {
    const box = this.canvas.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(box.width * ratio)), height = Math.max(1, Math.round(box.height * ratio));
    if (width === this.canvas.width && height === this.canvas.height) return false;
    this.canvas.width = width;
    this.canvas.height = height;
    return true;
  }

  // Shows the core's last frame as the picture, with the one-line `overlay`
  // over the picture's top left when there is one (on the canvas only, never
  // in a frame's PNG).
  present(core, overlay = "") {
    this.fitToDevice();
    const { width, height } = this.canvas;
    this.context.putImageData(core.pictureImage(width, height, this.squarePixels), 0, 0);
    if (overlay) this.drawLine(overlay, core.pictureRect());
  }

  // White monospace text on a dark band at the top left of `box`, 14 CSS
  // pixels high or less, so that the whole line fits the box's width.
  drawLine(text, box) {
    const ratio = window.devicePixelRatio || 1, context = this.context;
    const size = Math.max(8, Math.min(Math.round(OVERLAY_PX * ratio), Math.floor(box.w / (0.6 * text.length + 1))));
    const margin = Math.round(size / 3);
    context.font = `${size}px monospace`;
    context.textBaseline = "top";
    context.fillStyle = "rgba(0, 0, 0, 0.65)";
    context.fillRect(box.x, box.y, context.measureText(text).width + 2 * margin, size + 2 * margin);
    context.fillStyle = "#fff";
    context.fillText(text, box.x + margin, box.y + margin);
  }

  toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else this.stage.requestFullscreen().catch(() => {});
  }

  wakePointer() {
    this.stage.classList.remove("resting");
    clearTimeout(this.pointerTimer);
    if (!document.fullscreenElement) return;
    this.pointerTimer = setTimeout(() => this.stage.classList.add("resting"), POINTER_REST_MS);
  }
}
