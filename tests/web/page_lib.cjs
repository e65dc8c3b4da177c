// What the page's tests share: one Debian Chromium per test file (headless,
// no network beyond the page's server on 127.0.0.1) and pages that record
// what must never happen: a console error or warning, a failed load, a
// request for anything but the site's own files (served, or from its folder
// through file://).
const { before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { spawnSync } = require("node:child_process");
const puppeteer = require("puppeteer-core");

const base = process.env.PACK_PAGE_URL;
const origin = new URL(base).origin;
const siteFolder = `file://${process.env.PACK_SITE}/`;
const siteFile = `${siteFolder}index.html`;
const work = process.env.PACK_WORK;
const shots = path.join(work, "page");
let browser;

before(async () => {
  browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), "pack-chromium-")),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
});
after(() => browser && browser.close());

// Opens the page at `query` (from the server; from the site's folder with
// `from` siteFile), recording what must never happen.
async function openPage(query, viewport, from = base) {
  const session = await watchedPage(viewport);
  await session.page.goto(from + query);
  return session;
}

// A new tab that records what must never happen, on no page yet.
async function watchedPage(viewport = { width: 1280, height: 960 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const problems = [];
  page.on("console", (m) => ["error", "warn"].includes(m.type()) && problems.push(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", (e) => problems.push(`page error: ${e.message}`));
  page.on("requestfailed", (r) => problems.push(`failed request: ${r.url()}`));
  page.on("response", (r) => r.status() >= 400 && problems.push(`HTTP ${r.status()}: ${r.url()}`));
  page.on("request", (r) => {
    if (![`${origin}/`, siteFolder, "data:"].some((start) => r.url().startsWith(start)))
      problems.push(`outside request: ${r.url()}`);
  });
  return { page, problems };
}

async function closeClean({ page, problems }) {
  await page.close();
  assert.deepEqual(problems, [], "the page logged errors or asked for files not its own");
}

async function openStill(query, viewport, from) {
  const session = await openPage(query, viewport, from);
  await session.page.waitForSelector("body[data-ready]", { timeout: 20000 });
  return session;
}

// The canvas's data-png (a still frame, a paused show) written to `file` in
// the shots folder; its path.
async function savedFrame(page, file) {
  const url = await page.$eval("#screen", (canvas) => canvas.dataset.png || "");
  assert.match(url, /^data:image\/png;base64,/);
  const saved = path.join(shots, file);
  fs.writeFileSync(saved, Buffer.from(url.slice(url.indexOf(",") + 1), "base64"));
  return saved;
}

// Pixels of the canvas's data-png that differ from the native --frame PNG of
// `program` at `ms`.
async function differingFromNative(page, program, ms, tag = "") {
  const saved = await savedFrame(page, `${program}-${ms}${tag}.png`);
  return differingPixels(path.join(work, "reference", `${program}-${ms}.png`), saved);
}

// Waits until a paused show has drawn `program`'s frame at `ms`: the Save
// PNG button names it, and data-png holds it.
async function pausedOn(page, program, ms) {
  await page.waitForSelector(`#save[download="${program}-${ms}.png"]`, { timeout: 5000 });
}

// The "link to this moment" as the page gives it: clicked, it puts the
// moment's address in the address bar.
async function momentLink(page) {
  await page.click("#moment");
  return page.evaluate(() => location.href);  // page.url() may lag a same-page change
}

// Pixels that differ between two PNG files (ImageMagick), a diff image kept.
function differingPixels(expected, actual) {
  const run = spawnSync("compare", ["-metric", "AE", expected, actual, actual.replace(/\.png$/, "-diff.png")]);
  const count = Number.parseFloat(run.stderr.toString());
  assert.ok(run.status !== 2 && Number.isFinite(count), `compare failed: ${run.stderr}`);
  return count;
}

module.exports = { base, openPage, watchedPage, openStill, closeClean, differingFromNative, pausedOn, momentLink,
                   siteFile, shots };
