// A touch screen's gestures on an element: a tap, a double tap (two taps
// within DOUBLE_TAP_MS; the first then does nothing) and a horizontal swipe
// (+1 to the left, -1 to the right). Other touches are left alone.
const TAP_SLOP_PX = 16;
const SWIPE_PX = 60;
const SWIPE_MS = 800;
const DOUBLE_TAP_MS = 300;

function watchGestures(element, { tap, doubleTap, swipe }) {
  let start = null, tapTimer = 0;
  element.addEventListener("touchstart", (event) => {
    const touch = event.touches[0];
    start = event.touches.length === 1 ? { x: touch.clientX, y: touch.clientY, at: event.timeStamp } : null;
  }, { passive: true });
  element.addEventListener("touchcancel", () => { start = null; });
  element.addEventListener("touchend", (event) => {
    if (!start || event.touches.length) return;
    const touch = event.changedTouches[0], dx = touch.clientX - start.x, dy = touch.clientY - start.y;
    const quick = event.timeStamp - start.at < SWIPE_MS;
    start = null;
    if (event.cancelable) event.preventDefault();  // no mouse events and click after the touch
    if (quick && Math.abs(dx) >= SWIPE_PX && Math.abs(dx) > 2 * Math.abs(dy)) return swipe(dx < 0 ? 1 : -1);
    if (Math.abs(dx) > TAP_SLOP_PX || Math.abs(dy) > TAP_SLOP_PX) return;
    if (tapTimer) {
      clearTimeout(tapTimer);
      tapTimer = 0;
      return doubleTap();  // inside the touch's handler, so fullscreen is allowed
    }
    tapTimer = setTimeout(() => { tapTimer = 0; tap(); }, DOUBLE_TAP_MS);
  });
}
