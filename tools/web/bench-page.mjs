// The download and the start-up of the page against a bare Qt dialog built
// the same way, with and without asyncify, measured in one run: each
// program's .wasm raw and gzip -9, and the median over loads of the first
// frame after its main() has shown its window, from the start of the page's
// navigation, in headless Chromium from 127.0.0.1.
//
//   node tools/web/bench-page.mjs build-wasm [LOADS]
import { readFileSync } from 'node:fs';
import { basename, dirname, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from './browser.mjs';

const folder = resolve(process.argv[2] ?? 'build-wasm');
const loads = Number(process.argv[3] ?? 5);
const programs = [
    ['Кориндо', `${folder}/korindo.js`],
    ['bare Qt dialog, -sASYNCIFY -Os', `${folder}/bench/korindo_baredialog_asyncify.js`],
    ['bare Qt dialog, -Os, no asyncify', `${folder}/bench/korindo_baredialog.js`],
];

// The window's first frame: the frame after the one in which the page's
// screen first shows a canvas that Qt draws a window on. Qt keeps its windows
// in a shadow root of the screen, each hidden until shown, so every frame
// looks there.
function page(script) {
    return `<!doctype html><meta charset="utf-8"><title>bench</title><link rel="icon" href="data:,">
<div id="screen" style="width: 1024px; height: 768px"></div>
<script src="${script}"></script>
<script>
const screen = document.getElementById('screen');
function windowShown() {
    const roots = [screen, ...[...screen.querySelectorAll('*')].flatMap((e) => e.shadowRoot ?? [])];
    return roots.some((root) => [...root.querySelectorAll('canvas')].some((c) => c.checkVisibility()));
}
requestAnimationFrame(function look() {
    if (!windowShown())
        return requestAnimationFrame(look);
    requestAnimationFrame(() => { window.firstFrame = performance.now(); });
});
createQtAppInstance({ qtContainerElements: [screen] });
</script>`;
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const megabytes = (bytes) => (bytes / 1e6).toFixed(2).replace('.', ',');

const browser = await launch();
const rows = [];
try {
    const served = await Promise.all(programs.map(([, program]) =>
        serve(dirname(program), { '/bench.html': page(basename(program)) })));
    const frames = programs.map(() => []);
    // The programs take turns, load by load, so that a machine busier for a
    // while slows each of them alike.
    for (let load = 0; load < loads; ++load) {
        for (const [index, { origin }] of served.entries()) {
            // A fresh context each time: nothing cached from the load before.
            const context = await browser.newContext();
            const tab = await context.newPage();
            await tab.goto(`${origin}/bench.html`);
            await tab.waitForFunction(() => window.firstFrame !== undefined, null,
                                      { timeout: 120000 });
            frames[index].push(await tab.evaluate(() => window.firstFrame));
            await context.close();
        }
    }
    for (const { server } of served)
        server.close();
    for (const [index, [name, program]] of programs.entries()) {
        const wasm = readFileSync(program.replace(/\.js$/, '.wasm'));
        rows.push({ name, raw: wasm.length, gzip: gzipSync(wasm, { level: 9 }).length,
                    frame: median(frames[index]) });
    }
} finally {
    await browser.close();
}

const bare = rows[2];
console.log(`| build | .wasm gzip -9 (raw) | first frame, median of ${loads} |`);
console.log('|---|---|---|');
for (const row of rows)
    console.log(`| ${row.name} | ${megabytes(row.gzip)} MB (${megabytes(row.raw)} MB) `
                + `| ${Math.round(row.frame)} ms |`);
const [korindo] = rows;
console.log(`Кориндо against the bare dialog without asyncify: download `
            + `${(korindo.gzip / bare.gzip).toFixed(2)}×, first frame `
            + `${(korindo.frame / bare.frame).toFixed(2)}×`);
