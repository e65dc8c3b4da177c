// The canvas: sized in device pixels so the picture stays sharp on dense
// screens, fullscreen on request, the pointer hidden in fullscreen once it
// rests.
const POINTER_REST_MS = 2000;

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

  // Shows the core's last frame as the picture.
  present(core) {
    this.fitToDevice();
    const { width, height } = this.canvas;
    this.context.putImageData(core.pictureImage(width, height, this.squarePixels), 0, 0);
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
