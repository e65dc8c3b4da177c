// What the page's tests share: one Debian Chromium per test file (headless,
// no network beyond the page's server on 127.0.0.1) and pages that record
// what must never happen: a console error or warning, a failed load, a
// request for anything but the site's own files.
const { before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { spawnSync } = require("node:child_process");
const puppeteer = require("puppeteer-core");

const base = process.env.PACK_PAGE_URL;
const origin = new URL(base).origin;
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

// Opens the page at `query`, recording what must never happen.
async function openPage(query, viewport = { width: 1280, height: 960 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const problems = [];
  page.on("console", (m) => ["error", "warn"].includes(m.type()) && problems.push(`console ${m.type()}: ${m.text()}`));
  page.on("pageerror", (e) => problems.push(`page error: ${e.message}`));
  page.on("requestfailed", (r) => problems.push(`failed request: ${r.url()}`));
  page.on("response", (r) => r.status() >= 400 && problems.push(`HTTP ${r.status()}: ${r.url()}`));
  page.on("request", (r) => {
    if (!r.url().startsWith(`${origin}/`) && !r.url().startsWith("data:")) problems.push(`outside request: ${r.url()}`);
  });
  await page.goto(base + query);
  return { page, problems };
}

async function closeClean({ page, problems }) {
  await page.close();
  assert.deepEqual(problems, [], "the page logged errors or asked for files not its own");
}

async function openStill(query, viewport) {
  const session = await openPage(query, viewport);
  await session.page.waitForSelector("body[data-ready]", { timeout: 20000 });
  return session;
}

// Pixels that differ between two PNG files (ImageMagick), a diff image kept.
function differingPixels(expected, actual) {
  const run = spawnSync("compare", ["-metric", "AE", expected, actual, actual.replace(/\.png$/, "-diff.png")]);
  const count = Number.parseFloat(run.stderr.toString());
  assert.ok(run.status !== 2 && Number.isFinite(count), `compare failed: ${run.stderr}`);
  return count;
}

module.exports = { openPage, openStill, closeClean, differingPixels, shots, work };
