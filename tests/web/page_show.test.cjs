// The show on the page: it starts with fennick, Escape moves on to the next
// program, brisklet's eleven lines close it, the menu chooses a program;
// t= starts it at a moment and Space holds it; PageUp and PageDown go by
// steps, A and B repeat a stretch, marked on the timeline with its ticks;
// on a touch screen a tap pauses, a swipe changes the program and a double
// tap is fullscreen; ?embed in an <iframe> is the picture alone, with the
// keys after a click.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { base, openPage, openStill, watchedPage, closeClean, momentLink, pausedOn, shots } = require("./page_lib.cjs");

// The program the page says is on, once its canvas shows something.
async function drawing(page, name) {
  await page.waitForFunction((expected) => {
    const canvas = document.getElementById("screen");
    if (document.getElementById("program").value !== expected || canvas.hidden) return false;
    // A copy is read, so that polling never reads the page's own context back.
    const copy = new OffscreenCanvas(canvas.width, canvas.height).getContext("2d", { willReadFrequently: true });
    copy.drawImage(canvas, 0, 0);
    const pixels = copy.getImageData(0, 0, canvas.width, canvas.height).data;
    return pixels.some((value, i) => i % 4 !== 3 && value !== 0);
  }, { timeout: 10000, polling: 100 }, name);
}

async function creditLines(page) {
  await page.waitForSelector("#credits:not([hidden])", { timeout: 5000 });
  return page.$$eval("#credit-lines > div", (lines) => lines.map((line) => line.textContent.replace(/\u00a0/g, "")));
}

test("the show starts with fennick and draws it", async () => {
  const session = await openPage("");
  await drawing(session.page, "fennick");
  await session.page.screenshot({ path: path.join(shots, "show-fennick.png") });
  await closeClean(session);
});

test("Escape moves on through the show and the address follows; brisklet's lines end it", async () => {
  const session = await openPage("?program=curves");
  const { page } = session;
  await drawing(page, "curves");
  await page.screenshot({ path: path.join(shots, "show-curves.png") });
  for (const next of ["splines", "splines2"]) {
    await page.keyboard.press("Escape");
    await drawing(page, next);
    // The address follows the program, so that a reload shows it again.
    await page.waitForFunction((name) => new URLSearchParams(location.search).get("program") === name,
                               { timeout: 5000 }, next);
  }
  await page.keyboard.press("Escape");
  const expected = fs.readFileSync(process.env.PACK_CREDITS, "utf8").replace(/\n$/, "").split("\n");
  assert.equal(expected.length, 11);
  assert.deepEqual(await creditLines(page), expected);
  assert.match(await page.$eval("#credits", (credits) => credits.innerText), /press any key/);
  await page.screenshot({ path: path.join(shots, "show-brisklet.png") });
  await page.keyboard.press("x");
  await page.waitForSelector("#credits[hidden]", { timeout: 5000 });
  assert.match(await page.$eval("#message", (message) => message.textContent), /show is over/);
  await closeClean(session);
});

test("the menu starts the chosen program", async () => {
  const session = await openPage("");
  await drawing(session.page, "fennick");
  await session.page.select("#program", "splines2");
  await drawing(session.page, "splines2");
  await closeClean(session);
});

// The shown time in the "link to this moment", and whether it says paused.
async function linkedMoment(page) {
  const link = new URL(await momentLink(page));
  return { t: Number(link.searchParams.get("t")), paused: link.searchParams.has("paused") };
}

test("t= starts the show there and it plays on; Space holds it; Tab still reaches the toolbar", async () => {
  const session = await openStill("?program=splines&t=123456");
  const { page } = session;
  await page.keyboard.press("Tab");
  assert.equal(await page.evaluate(() => document.activeElement.id), "program");
  const start = await linkedMoment(page);
  assert.ok(start.t >= 123456 && start.t < 128456 && !start.paused, `started at ${start.t}`);
  await new Promise((resolve) => setTimeout(resolve, 300));
  await page.keyboard.press(" ");
  await page.waitForSelector("#screen[data-png]", { timeout: 5000 });
  const held = await linkedMoment(page);
  assert.ok(held.paused && held.t >= start.t + 250, `held at ${held.t}`);
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.deepEqual(await linkedMoment(page), held);
  await closeClean(session);
});

test("curves' timeline ticks its 36 steps; PageDown and PageUp go by them; A and B repeat the stretch, a third A clears it",
     async () => {
  const session = await openStill("?program=curves&t=20000&paused");
  const { page } = session;
  assert.equal(await page.$$eval("#ticks i", (ticks) => ticks.length), 36);
  await page.keyboard.press("PageDown");
  await pausedOn(page, "curves", 24000);
  await page.keyboard.press("PageUp");  // on a step's start: the one before
  await pausedOn(page, "curves", 16000);
  await page.keyboard.press("a");
  await page.keyboard.press("ArrowRight");
  await pausedOn(page, "curves", 17000);
  await page.keyboard.press("b");
  await page.waitForSelector("#stretch:not([hidden])", { timeout: 5000 });
  await page.keyboard.press(" ");
  // Played, the time shown under the picture (m:ss.mmm) stays in [16 s, 17 s)
  // and comes round from its end to its start.
  const seen = await page.waitForFunction(() => {
    const [minutes, seconds] = document.getElementById("time").textContent.split(" / ")[0].split(":");
    const ms = Number(minutes) * 60000 + Math.round(Number(seconds) * 1000), seen = (window.seen ||= { outside: [] });
    if (ms < 16000 || ms >= 17000) seen.outside.push(ms);
    seen.late ||= ms >= 16700;
    return seen.late && ms < 16300 && seen;
  }, { timeout: 10000, polling: 50 });
  assert.deepEqual((await seen.jsonValue()).outside, []);
  await (await page.$("#controls")).screenshot({ path: path.join(shots, "timeline-curves-repeat.png") });
  await page.keyboard.press("a");
  await page.waitForSelector("#mark-a[hidden]", { timeout: 5000 });
  await closeClean(session);
});

// A finger's quick horizontal stroke across the middle of the screen.
async function swipe(page, fromX, toX) {
  await page.touchscreen.touchStart(fromX, 420);
  for (const x of [fromX + (toX - fromX) / 2, toX]) await page.touchscreen.touchMove(x, 425);
  await page.touchscreen.touchEnd();
}

test("on a 390x844 touch screen a tap pauses and resumes, a swipe changes the program, a double tap is fullscreen; " +
     "the controls fit a finger",
     async () => {
  const session = await openStill("?program=curves", { width: 390, height: 844, hasTouch: true, isMobile: true });
  const { page } = session;
  const playLabel = () => page.$eval("#play", (button) => button.textContent);
  await page.touchscreen.tap(195, 420);
  await page.waitForFunction(() => document.getElementById("play").textContent === "play", { timeout: 5000 });
  await page.screenshot({ path: path.join(shots, "touch-curves-paused.png") });
  await page.touchscreen.tap(195, 420);
  await page.waitForFunction(() => document.getElementById("play").textContent === "pause", { timeout: 5000 });
  await swipe(page, 320, 60);
  await drawing(page, "splines");
  await swipe(page, 60, 320);
  await drawing(page, "curves");
  for (const id of ["program", "fullscreen", "play", "timeline", "speed", "moment"]) {
    const box = await (await page.$(`#${id}`)).boundingBox();
    assert.ok(box && box.width >= 44 && box.height >= 44, `#${id} is ${box && `${box.width}x${box.height}`}`);
  }
  await page.touchscreen.tap(195, 420);
  await page.touchscreen.tap(195, 420);
  await page.waitForFunction(() => document.fullscreenElement?.id === "stage", { timeout: 5000 });
  await new Promise((resolve) => setTimeout(resolve, 400));  // past a lone tap's wait
  assert.equal(await playLabel(), "pause", "a double tap also paused");
  await closeClean(session);
});

test("on a phone held sideways (844x390) the bars leave the picture 3 s after the last touch, and a tap brings them back",
     async () => {
  const session = await openStill("?program=curves", { width: 844, height: 390, hasTouch: true, isMobile: true });
  const { page } = session;
  // Waits until what is on top at the picture's top and bottom edge, its
  // middle column, is `ids` (the bars fade in and out).
  const onTop = (ids, what) => page.waitForFunction((want) =>
    [4, innerHeight - 4].map((y) => document.elementFromPoint(innerWidth / 2, y).id).join() === want,
    { timeout: 10000 }, ids).catch(() => assert.fail(what));
  await onTop("screen,screen", "the picture is still covered 10 s after the start");
  await page.screenshot({ path: path.join(shots, "touch-sideways-resting.png") });
  await page.touchscreen.tap(422, 195);
  await onTop("bar,controls", "a tap does not bring the bars back");
  await closeClean(session);
});

test("?embed in an <iframe> shows the picture alone; a click on it gives it the keys", async () => {
  const session = await watchedPage();
  const { page } = session;
  await page.setContent(`<iframe src="${base}?embed&program=curves" width="640" height="480"></iframe>`);
  const frame = await (await page.waitForSelector("iframe")).contentFrame();
  await frame.waitForSelector("body[data-ready]", { timeout: 20000 });
  const shown = await frame.evaluate(() => ["bar", "controls", "screen"].map((id) =>
    getComputedStyle(document.getElementById(id)).display));
  assert.deepEqual(shown, ["none", "none", "block"]);
  await page.keyboard.press(" ");
  await page.mouse.click(320, 240);
  await page.keyboard.press(" ");
  await frame.waitForSelector("#screen[data-png]", { timeout: 5000 });
  assert.equal(await frame.$eval("#play", (button) => button.textContent), "play");
  await closeClean(session);
});
