// The picture on the page's canvas, read back from the canvas itself: the
// 4:3 picture of a 320x200 frame, square pixels between bars, side bars,
// fennick at whole factors, and a canvas of device pixels.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const path = require("node:path");
const { openStill, closeClean, shots } = require("./page_lib.cjs");

// In the page: the canvas's size, the box of its non-black pixels and, when
// `block` is given, how many pixels of the block picture at (x, y) differ
// from the 1:1 frame (data-png) scaled by block.scale with nearest neighbour.
async function canvasFacts(block) {
  const canvas = document.getElementById("screen");
  const { width, height } = canvas;
  const pixels = new Uint32Array(canvas.getContext("2d").getImageData(0, 0, width, height).data.buffer);
  const facts = { width, height, top: height, bottom: -1, left: width, right: -1 };
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x)
      if (pixels[y * width + x] & 0xffffff) {
        facts.top = Math.min(facts.top, y), facts.bottom = Math.max(facts.bottom, y);
        facts.left = Math.min(facts.left, x), facts.right = Math.max(facts.right, x);
      }
  if (!block) return facts;
  const image = new Image();
  image.src = canvas.dataset.png;
  await image.decode();
  const copy = new OffscreenCanvas(image.width, image.height).getContext("2d");
  copy.drawImage(image, 0, 0);
  const frame = new Uint32Array(copy.getImageData(0, 0, image.width, image.height).data.buffer);
  facts.differing = 0;
  for (let y = 0; y < image.height * block.scale; ++y)
    for (let x = 0; x < image.width * block.scale; ++x)
      if (pixels[(block.y + y) * width + block.x + x] !== frame[((y / block.scale) | 0) * image.width + ((x / block.scale) | 0)])
        ++facts.differing;
  return facts;
}

async function pictureOf(query, viewport, block) {
  const session = await openStill(query, viewport);
  const facts = await session.page.evaluate(canvasFacts, block);
  return { session, facts };
}

test("in 1280x960 the 4:3 picture of a 320x200 frame fills the canvas", async () => {
  const { session, facts } = await pictureOf("?program=curves&frame=1234");
  assert.deepEqual(facts, { width: 1280, height: 960, top: 0, bottom: 959, left: 0, right: 1279 });
  await session.page.screenshot({ path: path.join(shots, "picture-curves-4x3.png") });
  await closeClean(session);
});

test("square pixels: the frame at 4 times, 80-pixel bars above and below", async () => {
  const { session, facts } = await pictureOf("?program=curves&frame=1234&square-pixels", undefined,
                                             { scale: 4, x: 0, y: 80 });
  assert.deepEqual(facts, { width: 1280, height: 960, top: 80, bottom: 879, left: 0, right: 1279, differing: 0 });
  await session.page.screenshot({ path: path.join(shots, "picture-curves-square.png") });
  await closeClean(session);
});

test("in 1280x720 the 4:3 picture is 960x720 between bars left and right", async () => {
  const { session, facts } = await pictureOf("?program=splines&frame=123456", { width: 1280, height: 720 });
  assert.deepEqual(facts, { width: 1280, height: 720, top: 0, bottom: 719, left: 160, right: 1119 });
  await closeClean(session);
});

test("fennick's 320x240 fills 1280x960 at 4 times, pixel for pixel", async () => {
  const { session, facts } = await pictureOf("?program=fennick&frame=3000", undefined, { scale: 4, x: 0, y: 0 });
  assert.equal(facts.differing, 0);
  assert.deepEqual([facts.width, facts.height], [1280, 960]);
  await closeClean(session);
});

test("at device pixel ratio 2 a 640x480 page has a 1280x960 canvas", async () => {
  const { session, facts } = await pictureOf("?program=curves&frame=1234",
                                             { width: 640, height: 480, deviceScaleFactor: 2 });
  assert.deepEqual(facts, { width: 1280, height: 960, top: 0, bottom: 959, left: 0, right: 1279 });
  await closeClean(session);
});
