// The page of the WebAssembly build as a user meets it, in headless Chromium:
// it loads, shows the main window, finds the ignition capacitors of the worked
// example in «Расчет емкости С», opens the discussion page in a new tab, keeps
// the keyboard working after a message and after a window is closed, says
// that the program ended once the main window is closed, and opens again
// without a network.
//
//   node tools/web/test-page.mjs build-wasm
//
// The results are read the way a user takes them elsewhere: the field is
// selected and copied, and the page's clipboard is read.
import { resolve } from 'node:path';
import { launch, serve } from './browser.mjs';

const folder = resolve(process.argv[2] ?? 'build-wasm');
// The page is as large as the browser's window; each program window opens
// in its middle. Sizes of client areas in twips, 15 to a pixel.
const viewport = { width: 1024, height: 768 };
const form1Client = { width: 6420 / 15, height: 5895 / 15 };
// Where a point of a window's client area (x, y from its top left) is on the
// page, for a window of that client size in the middle of the page.
function inWindow(client) {
    const left = Math.floor((viewport.width - client.width) / 2);
    const top = Math.floor((viewport.height - client.height) / 2);
    return (x, y) => ({ x: left + x, y: top + y });
}
const atForm1 = inWindow(form1Client);
// The link picture (twips 4800, 4800, 1320 × 480) and the close box, which
// stands in the title bar above the client area's right end.
const linkPicture = atForm1(364, 336);
const closeBox = atForm1(form1Client.width - 10, -12);
const form5Client = { width: 7320 / 15, height: 8055 / 15 };
const atForm5 = inWindow(form5Client);
const form5CloseBox = atForm5(form5Client.width - 10, -12);
const form4Client = { width: 5115 / 15, height: 5070 / 15 };
const form4CloseBox = inWindow(form4Client)(form4Client.width - 10, -12);
// The middles of the two result fields (twips 4800, 2640 and 3000; 2415 wide).
const text8 = atForm5(400, 186);
const text12 = atForm5(400, 210);
const discussionPage = 'https://example.org/forum/35-825-1';
// Supply, ignition, capacitor limit, choke limit, resistance, inductance, step.
const workedExample = ['220', '300', '630', '990', '20', '1', '0.001'];

let failures = 0;
function check(name, actual, expected) {
    const pass = actual === expected;
    if (!pass)
        failures += 1;
    console.log(`${pass ? 'PASS' : 'FAIL!'}  : ${name}${pass ? '' : `: got «${actual}», expected «${expected}»`}`);
}

async function pressKeys(tab, ...keys) {
    for (const key of keys) {
        await tab.keyboard.press(key);
        await tab.waitForTimeout(60);
    }
}

// The text of the focused field, through select all, copy and the clipboard.
// Qt writes the clipboard a moment after the key, so it is read until it
// holds something or a few seconds have gone.
async function copiedField(tab) {
    await tab.evaluate(() => navigator.clipboard.writeText(''));
    await pressKeys(tab, 'Control+A', 'Control+C');
    for (let tries = 0; tries < 30; ++tries) {
        const text = await tab.evaluate(() => navigator.clipboard.readText());
        if (text !== '')
            return text;
        await tab.waitForTimeout(100);
    }
    return '';
}

// Until the main window shows, with its canvas on the page. Qt keeps its
// windows in a shadow root, which the locator looks into.
async function mainWindowShown(tab) {
    await tab.waitForFunction(() => document.getElementById('status').hidden, null,
        { timeout: 120000 });
    await tab.locator('#screen canvas').first().waitFor({ timeout: 120000 });
}

// In «Расчет индуктивности дросселя», from its first field: the three values
// typed, and «Вычислить!» pressed with Enter.
async function typeChoke(tab, values) {
    for (const value of values) {
        await tab.keyboard.type(value, { delay: 20 });
        await pressKeys(tab, 'Tab');
    }
    await pressKeys(tab, 'Tab', 'Enter'); // past Text4 to «Вычислить!»
    await tab.waitForTimeout(500);
}

// What «Вычислить!» wrote, from the field before it.
async function chokeInductance(tab) {
    await pressKeys(tab, 'Shift+Tab');
    return copiedField(tab);
}

// R 10 Ом, U 220 В, I 1 А, with the mains' W of 314.
const inductance = '0,69991277';

// «Расчет индуктивности дросселя» by the keyboard alone, from the main window
// with the focus on «Расчет емкости С»: a wrong value is refused with a
// message, and after it the field is corrected and the choke computed.
async function checkKeyboardAfterMessage(tab) {
    await pressKeys(tab, 'Tab', 'Tab', 'Tab', 'Enter'); // «Расчет индуктивности дросселя»
    await tab.waitForTimeout(1000);
    await typeChoke(tab, ['10', 'abc', '1']);
    await pressKeys(tab, 'Enter'); // «Введите верные данные»
    await tab.waitForTimeout(500);
    await pressKeys(tab, 'Shift+Tab', 'Shift+Tab', 'Shift+Tab'); // back to Text2
    await tab.keyboard.type('220', { delay: 20 });
    await pressKeys(tab, 'Tab', 'Tab', 'Tab', 'Enter');
    await tab.waitForTimeout(500);
    check('Text4 computed by the keyboard after the input-error message',
        await chokeInductance(tab), inductance);
}

const { server, origin } = await serve(folder);
const browser = await launch();
try {
    const context = await browser.newContext({ viewport });
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin });
    const tab = await context.newPage();
    // An error the page did not catch is a fault, whatever else went well.
    tab.on('pageerror', (error) => {
        failures += 1;
        console.log(`FAIL!  : page error: ${error.message}`);
        console.log(error.stack);
    });
    tab.on('console', (message) => {
        if (message.type() === 'error')
            console.log(`page console: ${message.text()}`);
    });

    const started = Date.now();
    await tab.goto(`${origin}/index.html`);
    check('title', await tab.title(), 'Кориндо');
    await mainWindowShown(tab);
    console.log(`The main window shows after ${((Date.now() - started) / 1000).toFixed(1)} s.`);
    check('the page keeps its files for use without a network',
        await tab.evaluate(() => navigator.serviceWorker.ready.then((ready) => !!ready.active)), true);
    const links = await tab.$$eval('#about a, link[rel=manifest]', (all) => all.map((a) => a.href));
    const missing = [];
    for (const link of links) {
        if (!(await context.request.get(link)).ok())
            missing.push(link);
    }
    check('the source, the licences and the manifest are beside the page', missing.join(' '), '');
    await tab.waitForTimeout(1000);

    // The machine may have no way out: the discussion page is answered here.
    await context.route((url) => url.hostname !== '127.0.0.1',
        (route) => route.fulfill({ contentType: 'text/html', body: '<title>discussion</title>' }));
    const [discussion] = await Promise.all([
        context.waitForEvent('page', { timeout: 10000 }).catch(() => null),
        tab.mouse.click(linkPicture.x, linkPicture.y),
    ]);
    await discussion?.waitForLoadState().catch(() => {});
    check('the link picture opens the discussion page in a new tab',
        discussion ? discussion.url() : 'no new tab', discussionPage);
    await discussion?.close();

    await tab.bringToFront();

    // From «Принцип работы» past the disabled «Лампы» to «Расчет емкости С».
    await pressKeys(tab, 'Tab', 'Enter');
    await tab.waitForTimeout(1000);
    for (const [index, value] of workedExample.entries()) {
        await tab.keyboard.type(value, { delay: 20 });
        await pressKeys(tab, 'Tab');
        if (index === workedExample.length - 1)
            await pressKeys(tab, 'Enter'); // the search button comes after the step
    }
    await tab.waitForTimeout(1000);
    await pressKeys(tab, 'Enter'); // «Решение успешно найдено»
    await tab.waitForTimeout(500);
    // A click on a field gives it the focus, whichever window had it.
    await tab.mouse.click(text8.x, text8.y);
    check('Text8 after the search', await copiedField(tab), '5,14339929');
    await tab.mouse.click(text12.x, text12.y);
    check('Text12 after the search', await copiedField(tab), '2,70739929');
    await tab.screenshot({ path: `${folder}/page-form5.png` });

    // Once «Расчет емкости С» is closed, the main window has the keyboard.
    await tab.mouse.click(form5CloseBox.x, form5CloseBox.y);
    await tab.waitForTimeout(500);
    await checkKeyboardAfterMessage(tab);
    await tab.mouse.click(form4CloseBox.x, form4CloseBox.y);
    await tab.waitForTimeout(500);
    await tab.mouse.click(closeBox.x, closeBox.y);
    await tab.waitForFunction(() => !document.getElementById('status').hidden, null,
        { timeout: 10000 }).catch(() => {});
    check('closing the main window ends the program',
        await tab.textContent('#status'), 'Программа завершена.');

    await context.setOffline(true);
    await tab.reload();
    await mainWindowShown(tab);
    await tab.waitForTimeout(1000);
    // The title bar's click gives the page's keyboard to the program.
    await tab.mouse.click(atForm1(100, -12).x, atForm1(100, -12).y);
    await pressKeys(tab, 'Tab', 'Tab', 'Tab', 'Tab', 'Enter'); // «Расчет индуктивности дросселя»
    await tab.waitForTimeout(1000);
    await typeChoke(tab, ['10', '220', '1']);
    check('without a network the page opens again, its windows working',
        await chokeInductance(tab), inductance);
} catch (error) {
    failures += 1;
    console.log(`FAIL!  : ${error.message.split('\n')[0]}`);
} finally {
    await browser.close();
    server.close();
}
console.log(`Page test: ${failures === 0 ? 'passed' : `${failures} failed`}`);
process.exit(failures === 0 ? 0 : 1);
