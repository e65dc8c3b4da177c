// Still frames of every program, flash frames and the clock's wrap edge
// among them, equal the native build's --frame PNGs pixel for pixel; an
// address the page cannot show still makes it ready, with the error.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { openStill, closeClean, differingPixels, shots, work } = require("./page_lib.cjs");

const frames = fs.readFileSync(process.env.PACK_FRAMES, "utf8").split("\n")
  .filter((line) => line.trim() && !line.startsWith("#")).map((line) => line.trim().split(/\s+/));

for (const [program, ms] of frames) {
  test(`${program} at ${ms} ms equals the native --frame PNG`, async () => {
    const session = await openStill(`?program=${program}&frame=${ms}`);
    const url = await session.page.$eval("#screen", (canvas) => canvas.dataset.png);
    assert.match(url, /^data:image\/png;base64,/);
    const file = path.join(shots, `${program}-${ms}.png`);
    fs.writeFileSync(file, Buffer.from(url.slice(url.indexOf(",") + 1), "base64"));
    assert.equal(differingPixels(path.join(work, "reference", `${program}-${ms}.png`), file), 0);
    await closeClean(session);
  });
}

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
