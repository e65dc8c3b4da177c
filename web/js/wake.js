// Keeps the screen awake while the show plays, where the browser has the
// Wake Lock API. The browser lets the lock go when the page is hidden; it is
// asked for again when the page is seen and still playing.
class WakeKeeper {
  constructor() {
    // A page that may not hold the lock (an <iframe> of another origin
    // without allow="screen-wake-lock") never asks: each refusal there is
    // logged as a policy violation.
    const policy = document.permissionsPolicy || document.featurePolicy;
    this.allowed = "wakeLock" in navigator && (!policy || policy.allowsFeature("screen-wake-lock"));
    this.wanted = false;
    this.lock = null;
    this.asking = false;
    document.addEventListener("visibilitychange", () => this.apply());
  }

  want(awake) {
    if (awake === this.wanted) return;
    this.wanted = awake;
    this.apply();
  }

  apply() {
    if (!this.allowed) return;
    if (this.wanted && !document.hidden && !this.lock && !this.asking) {
      this.asking = true;
      navigator.wakeLock.request("screen").then((lock) => {
        this.asking = false;
        this.lock = lock;
        lock.addEventListener("release", () => { if (this.lock === lock) this.lock = null; });
        if (!this.wanted) this.apply();
      }, () => { this.asking = false; });  // refused (no permission, battery saver): the screen may sleep
    } else if (!this.wanted && this.lock) {
      const lock = this.lock;
      this.lock = null;
      lock.release().catch(() => {});
    }
  }
}
