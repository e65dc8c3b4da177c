// ?bench: the median time of one frame of each program at its bench times
// (those of ./bench.sh), beside the page's own baseline, a plain Uint32Array
// copy of the same frame size, measured in the same run.
const BENCH_TIMES = { fennick: [0, 3000, 123457] };
const SCENE_BENCH_TIME = 287999;  // the scenes' last frame, their most arcs
const BENCH_BATCHES = 15;
const BENCH_BATCH_MS = 40;

// How many calls of `work` fill one batch; the page's timer is coarse.
function batchSize(work) {
  for (let count = 1; ; count *= 2) {
    const start = performance.now();
    for (let i = 0; i < count; ++i) work();
    const spent = performance.now() - start;
    if (spent >= BENCH_BATCH_MS / 4) return Math.ceil((count * BENCH_BATCH_MS) / spent);
  }
}

// Median over the batches of the milliseconds per call.
function medianMs(work) {
  const count = batchSize(work), samples = [];
  for (let b = 0; b < BENCH_BATCHES; ++b) {
    const start = performance.now();
    for (let i = 0; i < count; ++i) work();
    samples.push((performance.now() - start) / count);
  }
  samples.sort((a, b) => a - b);
  return samples[BENCH_BATCHES >> 1];
}

function copyBaselineMs(width, height) {
  const from = new Uint32Array(width * height), to = new Uint32Array(width * height);
  return medianMs(() => to.set(from));
}

function benchRows(core, names) {
  const rows = [];
  for (const name of names) {
    const { width, height } = core.frameSize(name);
    const copyMs = copyBaselineMs(width, height);
    for (const ms of BENCH_TIMES[name] || [SCENE_BENCH_TIME])
      rows.push({ program: name, ms, frameUs: 1000 * medianMs(() => core.render(name, ms)), copyUs: 1000 * copyMs });
  }
  return rows;
}

function benchReport(rows) {
  const lines = ["program    time ms   frame us   copy us   frame/copy"];
  for (const r of rows)
    lines.push(`${r.program.padEnd(10)} ${String(r.ms).padStart(7)} ${r.frameUs.toFixed(1).padStart(10)}` +
               ` ${r.copyUs.toFixed(2).padStart(9)} ${(r.frameUs / r.copyUs).toFixed(1).padStart(12)}`);
  return lines.join("\n");
}

// Runs after the first paint so the page says what it is doing meanwhile.
function runBench(core, page, names) {
  page.message("Measuring frame times ...");
  setTimeout(() => {
    const rows = benchRows(core, names);
    page.report(benchReport(rows));
    document.body.dataset.bench = JSON.stringify(rows);
    markReady();
  }, 50);
}
