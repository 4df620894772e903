// Runs a program of the WebAssembly build as if from a command line: serves
// its folder from 127.0.0.1, opens it in headless Chromium, prints what it
// writes to stdout and stderr, and exits with its exit code. CTest runs the
// test suites of the WebAssembly build through it.
//
//   node tools/web/run-program.mjs build-wasm/tests/tst_circuit.js [argument...]
//
// The program's environment gets the KORINDO_* variables of this one.
//
// Exit codes: the program's own; 124 where it was still running when the
// time was up; 125 where it printed QtTest's last line and then did not end,
// a hang of the runtime rather than a failing test.
import { basename, dirname, resolve } from 'node:path';
import { launch, serve } from './browser.mjs';

const [program, ...programArguments] = process.argv.slice(2);
if (!program) {
    console.error('usage: node run-program.mjs PROGRAM.js [argument...]');
    process.exit(2);
}
// Stays below CTest's timeout, so that a hang is reported with what it printed.
const limitSeconds = Number(process.env.KORINDO_WEB_TIMEOUT ?? 280);
// A test program ends within moments of its last line, however busy the
// machine: what is left is tearing down the application object.
const endSeconds = Number(process.env.KORINDO_WEB_END_TIMEOUT ?? 30);
const timedOut = 124;
const hungAfterTests = 125;

const environment = Object.fromEntries(
    Object.entries(process.env).filter(([name]) => name.startsWith('KORINDO_')));
const settings = JSON.stringify({ arguments: programArguments, environment });
const page = `<!doctype html>
<meta charset="utf-8"><title>${basename(program)}</title><link rel="icon" href="data:,">
<div id="screen" style="width: 1280px; height: 900px"></div>
<script src="${basename(program)}"></script>
<script>
const settings = ${settings.replace(/</g, '\\u003c')};
createQtAppInstance({
    arguments: settings.arguments,
    qtContainerElements: [document.getElementById('screen')],
    preRun: [(module) => Object.assign(module.ENV, settings.environment)],
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onExit: (code) => { window.korindoExitCode = code; },
    // Once the program has ended, the browser may still run a callback that
    // Qt asked for while it ran (a window's animation frame): it aborts in
    // the ended runtime, and the program's own exit code stands.
    onAbort: (what) => {
        console.error((window.korindoExitCode === undefined ? 'aborted: '
                       : 'after the program ended: ') + what);
        window.korindoExitCode ??= 134;
    },
}).catch((error) => { console.error(String(error)); window.korindoExitCode = 1; });
</script>`;

const { server, origin } = await serve(resolve(dirname(program)), { '/run.html': page });
const browser = await launch();
let exitCode = timedOut;
try {
    const tab = await browser.newPage();
    let testsFinished;
    const finished = new Promise((resolve) => { testsFinished = resolve; });
    tab.on('console', (message) => {
        const stream = message.type() === 'error' ? process.stderr : process.stdout;
        stream.write(message.text() + '\n');
        if (/^\*+ Finished testing of /.test(message.text()))
            testsFinished();
    });
    tab.on('pageerror', (error) => process.stderr.write(`page error: ${error.message}\n`));
    await tab.goto(`${origin}/run.html`);
    // An exit code of 0 is falsy, so the wait is for an object that holds it.
    const exited = tab.waitForFunction(
        () => window.korindoExitCode !== undefined && { code: window.korindoExitCode }, null,
        { timeout: limitSeconds * 1000, polling: 100 });
    const hung = finished.then(() => new Promise((resolve) => {
        setTimeout(() => resolve('hung'), endSeconds * 1000).unref();
    }));
    const outcome = await Promise.race([exited, hung]);
    if (outcome === 'hung') {
        exitCode = hungAfterTests;
        console.error(`${basename(program)}: HANG: finished its tests but did not end within `
                      + `${endSeconds} s`);
    } else {
        exitCode = (await outcome.jsonValue()).code;
    }
} catch (error) {
    console.error(`${basename(program)}: ${error.message.split('\n')[0]}`);
} finally {
    await browser.close();
    server.close();
}
process.exit(exitCode);
