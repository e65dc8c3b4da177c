// node web/serve.mjs SITE_DIR: serves the site's files on 127.0.0.1 at a
// free port and prints the page's address. Nothing outside SITE_DIR is served.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";

const TYPES = { ".html": "text/html; charset=utf-8", ".js": "text/javascript",
                ".png": "image/png" };
const site = resolve(process.argv[2] || ".");

// The file under the site for a request path, or null for anything outside.
function fileFor(url) {
  const path = decodeURIComponent(new URL(url, "http://127.0.0.1").pathname);
  const file = normalize(join(site, path.endsWith("/") ? path + "index.html" : path));
  return file.startsWith(site + sep) ? file : null;
}

const server = createServer(async (request, response) => {
  const file = fileFor(request.url);
  try {
    if (!file) throw new Error("outside the site");
    const body = await readFile(file);
    response.writeHead(200, { "Content-Type": TYPES[extname(file)] || "application/octet-stream" });
    response.end(body);
  } catch {
    response.writeHead(404, { "Content-Type": "text/plain" });
    response.end("not found\n");
  }
});
server.listen(0, "127.0.0.1", () => console.log(`http://127.0.0.1:${server.address().port}/`));
