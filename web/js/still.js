// One frame and nothing more: ?program=NAME&frame=MS draws the frame at MS,
// with the meaning of the native --frame MS, and stops. The 1:1 frame goes
// to the canvas's data-png as a PNG data: URL and to the Save PNG button;
// <body data-ready> says it is there.
const LARGEST_CLOCK = 2 ** 32 - 1;

// MS as a whole number of milliseconds 0 ... 2^32 - 1, else null.
function parseFrameTime(text) {
  if (!/^[0-9]{1,10}$/.test(text || "")) return null;
  const ms = Number(text);
  return ms <= LARGEST_CLOCK ? ms : null;
}

// The ImageData as a PNG data: URL, pixel for pixel.
function pngDataUrl(image) {
  const canvas = document.createElement("canvas");
  canvas.width = image.width;
  canvas.height = image.height;
  canvas.getContext("2d").putImageData(image, 0, 0);
  return canvas.toDataURL("image/png");
}

function showStill(core, screen, page, name, ms) {
  core.render(name, ms);
  const png = pngDataUrl(core.frameImage(name));
  screen.present(core);
  window.addEventListener("resize", () => screen.present(core));
  page.showing(name);
  page.offerDownload(png, `${name}-${ms}.png`);
  screen.canvas.dataset.png = png;
  markReady();
}
