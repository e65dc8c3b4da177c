// node bench_page.cjs URL: opens URL?bench in Debian's headless Chromium and
// prints the page's frame timings (NODE_PATH must find puppeteer-core).
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

async function main(url) {
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), "pack-chromium-")),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
  try {
    const page = await browser.newPage();
    await page.goto(`${url}?bench`);
    await page.waitForSelector("body[data-ready]", { timeout: 120000 });
    console.log(await page.$eval("#report", (report) => report.textContent));
  } finally {
    await browser.close();
  }
}

main(process.argv[2]).catch((error) => {
  console.error(error);
  process.exit(1);
});
