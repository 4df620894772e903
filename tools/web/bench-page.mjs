// The download and the start-up of the page against a bare Qt dialog, in one
// run: the dialog in the same page, linked as the page's program is, and the
// dialog as a Qt developer gets it (a Release build on Qt's own page and
// loader). For each, the .wasm raw and gzip -9, and the median over loads of
// the first frame after main() has shown its window, from the start of the
// page's navigation, in headless Chromium from 127.0.0.1.
//
//   node tools/web/bench-page.mjs build-wasm [LOADS]
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from './browser.mjs';

const folder = resolve(process.argv[2] ?? 'build-wasm');
// A median of 7 loads still moved by a tenth from run to run on two cores.
const loads = Number(process.argv[3] ?? 15);
// The page with the bare dialog in place of the program.
const pageWithBareDialog = readFileSync(`${folder}/index.html`, 'utf8')
    .replaceAll('korindo.js', 'bench/korindo_baredialog.js')
    .replaceAll("'korindo.wasm'", "'bench/korindo_baredialog.wasm'");
const programs = [
    { name: 'Кориндо', path: '/index.html', wasm: 'korindo.wasm' },
    { name: 'bare Qt dialog, the same page and settings', path: '/bare.html',
      wasm: 'bench/korindo_baredialog.wasm' },
    { name: "bare Qt dialog, Qt's stock settings", path: '/bench/korindo_baredialog_stock.html',
      wasm: 'bench/korindo_baredialog_stock.wasm' },
];

// The window's first frame: the frame after the one in which a canvas that
// Qt draws a window on is first seen. Qt keeps its windows in shadow roots,
// each hidden until shown, so every frame looks there.
function watchFirstFrame() {
    const windowShown = () => [document, ...[...document.querySelectorAll('*')]
        .flatMap((element) => element.shadowRoot ?? [])]
        .some((root) => [...root.querySelectorAll('canvas')].some((canvas) => canvas.checkVisibility()));
    requestAnimationFrame(function look() {
        if (!windowShown())
            return requestAnimationFrame(look);
        requestAnimationFrame(() => { window.firstFrame = performance.now(); });
    });
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const megabytes = (bytes) => (bytes / 1e6).toFixed(2).replace('.', ',');
const ratio = (a, b) => (a / b).toFixed(2).replace('.', ',');

const browser = await launch();
const { server, origin } = await serve(folder, { '/bare.html': pageWithBareDialog });
const frames = programs.map(() => []);
try {
    // The programs take turns, load by load, so that a machine busier for a
    // while slows each of them alike.
    for (let load = 0; load < loads; ++load) {
        for (const [index, { path }] of programs.entries()) {
            // A fresh context each time: nothing cached from the load before.
            const context = await browser.newContext();
            await context.addInitScript(watchFirstFrame);
            const tab = await context.newPage();
            await tab.goto(`${origin}${path}`);
            await tab.waitForFunction(() => window.firstFrame !== undefined, null,
                                      { timeout: 120000 });
            frames[index].push(await tab.evaluate(() => window.firstFrame));
            await context.close();
        }
    }
} finally {
    server.close();
    await browser.close();
}

const rows = programs.map(({ name, wasm }, index) => {
    const bytes = readFileSync(`${folder}/${wasm}`);
    return { name, raw: bytes.length, gzip: gzipSync(bytes, { level: 9 }).length,
             frame: median(frames[index]) };
});
console.log(`| build | .wasm gzip -9 (raw) | first frame, median of ${loads} |`);
console.log('|---|---|---|');
for (const row of rows)
    console.log(`| ${row.name} | ${megabytes(row.gzip)} MB (${megabytes(row.raw)} MB) `
                + `| ${Math.round(row.frame)} ms |`);
const [korindo, bare, stock] = rows;
console.log(`Кориндо against the bare dialog on the same page: download ${ratio(korindo.gzip, bare.gzip)}×, `
            + `first frame ${ratio(korindo.frame, bare.frame)}×; against Qt's stock settings: `
            + `first frame ${ratio(korindo.frame, stock.frame)}×`);
