// Still frames of every program, flash frames and the clock's wrap edge
// among them, equal the native build's --frame PNGs pixel for pixel; so does
// a paused show, from a link, from file:// and after the keys and the
// timeline moved it.
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
