// The show on the page: it starts with fennick, Escape moves on to the next
// program, brisklet's eleven lines close it, the menu chooses a program.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { openPage, closeClean, shots } = require("./page_lib.cjs");

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

test("Escape moves on through the show; brisklet's lines end it", async () => {
  const session = await openPage("?program=curves");
  const { page } = session;
  await drawing(page, "curves");
  await page.screenshot({ path: path.join(shots, "show-curves.png") });
  for (const next of ["splines", "splines2"]) {
    await page.keyboard.press("Escape");
    await drawing(page, next);
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
