// Still frames of every program, flash frames and the clock's wrap edge
// among them, equal the native build's --frame PNGs pixel for pixel; so does
// a paused show, from a link, from file:// and after the keys and the
// timeline moved it; an address the page cannot show still makes it ready,
// with the error.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const { base, openStill, closeClean, differingFromNative, pausedOn, momentLink, siteFile } = require("./page_lib.cjs");

const frames = fs.readFileSync(process.env.PACK_FRAMES, "utf8").split("\n")
  .filter((line) => line.trim() && !line.startsWith("#")).map((line) => line.trim().split(/\s+/));

for (const [program, ms] of frames) {
  test(`${program} at ${ms} ms equals the native --frame PNG`, async () => {
    const session = await openStill(`?program=${program}&frame=${ms}`);
    assert.equal(await differingFromNative(session.page, program, ms), 0);
    await closeClean(session);
  });
}

test("a paused link shows the native frame: at fennick's wrap edge, and from file:// with no server", async () => {
  for (const [program, ms, from] of [["splines2", 47999], ["fennick", 4294967295], ["splines2", 4800, siteFile]]) {
    const session = await openStill(`?program=${program}&t=${ms}&paused`, undefined, from);
    assert.equal(await differingFromNative(session.page, program, ms, from ? "-file" : "-paused"), 0, `${program} ${ms}`);
    await closeClean(session);
  }
});

test("paused, . steps a tick, Right moves 1 s, Shift+Left 10 s but not below 0, the timeline seeks; I's line is on the canvas only",
     async () => {
  const session = await openStill("?program=curves&t=6984&paused");
  const { page } = session;
  await page.keyboard.press("i");
  await page.keyboard.press(".");
  await page.keyboard.press("ArrowRight");
  await pausedOn(page, "curves", 8000);
  assert.equal(await differingFromNative(page, "curves", 8000, "-keys"), 0);  // a white flash frame
  const corner = await page.$eval("#screen", (canvas) => [...canvas.getContext("2d").getImageData(2, 2, 1, 1).data]);
  assert.ok(corner[0] < 128, `the line's dark band is not on the canvas: ${corner}`);
  assert.equal(await momentLink(page), `${base}?program=curves&t=8000&paused`);
  await page.keyboard.down("Shift");
  await page.keyboard.press("ArrowLeft");
  await page.keyboard.up("Shift");
  await pausedOn(page, "curves", 0);
  assert.equal(await differingFromNative(page, "curves", 0, "-keys"), 0);
  await page.$eval("#timeline", (line) => {
    line.value = "150017";
    line.dispatchEvent(new Event("input"));
  });
  await pausedOn(page, "curves", 150017);
  assert.equal(await differingFromNative(page, "curves", 150017, "-timeline"), 0);
  await closeClean(session);
});

test("paused, G (or the switch) draws the guides over the frame, into its PNG too; G again gives the plain frame back exactly",
     async () => {
  const session = await openStill("?program=splines2&t=47999&paused");
  const { page } = session;
  await page.keyboard.press("g");
  await page.waitForSelector('canvas[data-still="splines2-47999-guides"]', { timeout: 5000 });
  assert.equal(await page.$eval("#save", (link) => link.download), "splines2-47999.png");
  assert.ok(await page.$eval("#guides", (box) => box.checked), "the switch follows G");
  assert.ok(await differingFromNative(page, "splines2", 47999, "-guides") > 100);
  await page.keyboard.press("g");
  await pausedOn(page, "splines2", 47999);
  assert.equal(await differingFromNative(page, "splines2", 47999, "-plain-again"), 0);
  await page.$eval("#guides", (box) => box.click());  // the switch, wherever the bars are
  await page.waitForSelector('canvas[data-still="splines2-47999-guides"]', { timeout: 5000 });
  await closeClean(session);
});

test("a bad ?program= or frame= sets data-ready with the message in data-error", async () => {
  for (const [query, expected] of [["?program=nosuch", /^No program "nosuch" \(have: fennick, /],
                                   ["?program=curves&frame=0x10", /^A still frame needs \?program=fennick\|/]]) {
    const session = await openStill(query);
    const { error, shown } = await session.page.evaluate(() => ({
      error: document.body.dataset.error, shown: document.getElementById("message").textContent }));
    assert.match(error, expected);
    assert.equal(shown, error);
    await closeClean(session);
  }
});
