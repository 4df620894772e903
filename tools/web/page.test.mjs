// The page of the WebAssembly build as a user meets it, in headless Chromium.
//
// On a wide screen, by the mouse and the keyboard: it loads, shows the main
// window, finds the ignition capacitors of the worked example in «Расчет
// емкости С», opens the discussion page in a new tab, keeps the keyboard
// working after a message and after a window is closed, says that the
// program ended once the main window is closed, and opens again without a
// network.
//
// In a desktop browser's window as narrow as a phone: every window is whole
// on the page, which scrolls sideways to it, and drawn once.
//
// On the wide screen and on each phone, the worked examples of «Расчет
// индуктивности дросселя» and «Расчет емкости С» by the keyboard alone, with
// what a screen reader announces at each step: it follows the focus into a
// window as it opens, onto a message box and back, and out with Escape.
//
// On phones (360 × 640 and 390 × 844, touch, an Android browser), by taps
// and the phone's keyboard alone: the first visit fetches the program once;
// every window is whole on the screen; the choke is computed, with keys that
// are not characters acting as keys; «Расчет емкости С» searches and checks,
// its plot opens and its table is read; the screen turns; and every window
// closes with its close box.
//
//   KORINDO_PAGE_BUILD=build-wasm npx playwright test -c tools/web/playwright.config.mjs
//                                 [--project wide|narrow|360|390]
//
// Each profile is a project of tools/web/playwright.config.mjs, and each is
// told in named steps; a step that fails leaves a picture of the page then
// beside the test's results, and says where.
//
// The results are read as a screen reader reads them, from Chromium's
// accessibility tree, and once in each profile the way a user takes them
// elsewhere: the field is selected and copied, and the clipboard is read.
// Every window's controls are read from that tree too, with the names and
// roles they have on the desktop.
import { expect, test } from '@playwright/test';
import { readFileSync, statSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { serve } from './browser.mjs';
import { accessibleTree, descendants, fieldValue, focusedControl, tableRows, textsOf,
         windowNamed as readWindow }
    from './accessibility.mjs';
import { activeWindow, clientOf, differentlyDrawn, middleOf, readerBoxesAstray } from './windows.mjs';

const folder = resolve(process.env.KORINDO_PAGE_BUILD ?? 'build-wasm');

// Each window's client size and the middles of its controls, from the one
// table of the windows' layouts that tst_layout checks the windows against.
const layouts = JSON.parse(readFileSync(new URL('../../tests/windows.json', import.meta.url)));
function windowLayout(name) {
    const { client, controls } = layouts.windows.find((window) => window.name === name);
    const layout = { client: clientOf(...client) };
    for (const [control, twips] of Object.entries(controls))
        layout[control] = middleOf(...twips);
    return layout;
}
const form1 = windowLayout('Form1');
const form4 = windowLayout('Form4');
const form5 = windowLayout('Form5');
form5.inputs = ['Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6'].map((name) => form5[name]);
const form6 = windowLayout('Form6');
form6.inputs = ['Text1', 'Text2', 'Text3', 'Text4'].map((name) => form6[name]);
const form2 = windowLayout('Form2');
// Each window as a screen reader reads it: its buttons by their captions
// (disabled where marked), its fields by their captions (read-only where
// marked true), and its table by name.
const readWindows = {
    'Кориндо V1.0': {
        buttons: ['Принцип работы', 'Лампы (disabled)', 'Расчет емкости С', 'КРМ', 'О программе',
                  'Расчет индуктивности'],
        images: ['Схема включения лампы'], links: ['Обсуждение схемы на форуме'], fields: {},
    },
    'Расчет индуктивности дросселя': {
        buttons: ['Вычислить!'], images: ['Схема измерения индуктивности'], links: [],
        fields: { 'Активное сопротивление дросселя (Ом)': false, 'Напряжение на вольтметре (В)': false,
                  'Сила тока на амперметре (А)': false, 'Индуктивность дросселя (Гн)': true },
    },
    'Расчет емкости С': {
        buttons: ['Рассчитать емкость зажигающего конденсатора',
                  'Проверка напряжений на дросселе и конденсаторе в момент зажигания', 'График'],
        images: [], links: [],
        fields: { 'Напряжение питания (В) (RMS)': false, 'Напряжение зажигания лампы (В) (RMS)': false,
                  'Максимальное напряжение конденсатора (В) (амп)': false,
                  'Напряжение пробоя дросселя (В) (амп)': false,
                  'Активное сопротивление дросселя (Ом)': false, 'Индуктивность дросселя (Гн)': false,
                  'Шаг поиска (мкФ)': false, 'Максимально возможная емкость С (мкФ)': true,
                  'Минимально возможная емкость С (мкФ)': true, 'Реальная емкость С (мкФ)': false,
                  'Реальное напряжение на конденсаторе (В) (RMS)': true,
                  'Реальное напряжение на дросселе (В) (RMS)': true },
    },
    'Компенсация реактивной мощности': {
        buttons: ['Рассчитать!'], images: [], links: [],
        fields: { 'Напряжение питания (В) (RMS)': false, 'Рабочее напряжение лампы (В) (RMS)': false,
                  'Сила тока в цепи (А) (RMS)': false, 'Активное сопротивление дросселя (Ом)': false,
                  'Емкость компенсирующего конденсатора Ск (мкФ)': true, 'КПД (%)': true,
                  'Коэффициент мощности без КРМ (%)': true },
    },
    'Принцип работы': {
        buttons: ['Мне все понятно', 'Ничего не понятно'], images: [], links: [],
        fields: { 'Принцип работы': true },
    },
    'График — расчет емкости С': {
        buttons: ['Сохранить…'], images: [], links: [], fields: {},
        table: 'Номиналы ряда E12 в найденном диапазоне',
    },
};

// What a screen reader reads differently from the desktop in the window of
// this name, as one line: empty where it reads every control as expected.
async function misread(reader, name) {
    const expected = readWindows[name];
    const shown = readWindow(await accessibleTree(reader), name);
    if (!shown)
        return `no window «${name}» in the accessibility tree`;
    const nodes = descendants(shown);
    const named = (role) => nodes.filter((node) => node.role === role)
        .map((node) => node.name + (node.disabled ? ' (disabled)' : ''));
    const fields = Object.fromEntries(nodes.filter((node) => node.role === 'textbox')
        .map((node) => [node.name, node.readonly]));
    const problems = [];
    const compare = (what, actual, wanted) => {
        if (JSON.stringify(actual) !== JSON.stringify(wanted))
            problems.push(`${what} ${JSON.stringify(actual)}, not ${JSON.stringify(wanted)}`);
    };
    compare('buttons', named('button').sort(), [...expected.buttons].sort());
    compare('images', named('image'), expected.images);
    compare('links', named('link'), expected.links);
    compare('fields', fields, expected.fields);
    const texts = textsOf(shown);
    const unlabelled = Object.keys(fields).filter((field) => field !== name && !texts.includes(field));
    if (unlabelled.length)
        problems.push(`fields without a caption to read: ${unlabelled.join(', ')}`);
    if (expected.table)
        compare('tables', named('table'), [expected.table]);
    return problems.join('; ');
}

// Whether the message box that shows reads this title and text to a screen
// reader; what it reads otherwise.
async function messageRead(reader, title, text) {
    const box = descendants(await accessibleTree(reader)).find((node) => node.role === 'alertdialog');
    if (!box)
        return 'no message in the accessibility tree';
    return box.name === title && textsOf(box).includes(text) ? true : `«${box.name}»: ${textsOf(box)}`;
}

const discussionPage = 'https://example.org/forum/35-825-1';
// Supply, ignition, capacitor limit, choke limit, resistance, inductance, step.
const workedExample = ['220', '300', '630', '990', '20', '1', '0.001'];
// R 10 Ом, U 220 В, I 1 А, with the mains' W of 314.
const inductance = '0,69991277';

// A check that lets the test go on when it fails, as a user would see the
// rest of the page; each that passes is printed.
function check(name, actual, expected) {
    expect.soft(actual, name).toBe(expected);
    if (actual === expected)
        console.log(`PASS   : ${name}`);
}

// One named step of a profile. Where it fails, by a check or by an error, the
// page as it is then is pictured beside the test's results and attached.
async function step(tab, name, body) {
    await test.step(name, async () => {
        const errorsBefore = test.info().errors.length;
        try {
            await body();
        } catch (error) {
            await pictureFailedStep(tab, name);
            throw error;
        }
        if (test.info().errors.length > errorsBefore)
            await pictureFailedStep(tab, name);
    });
}

async function pictureFailedStep(tab, name) {
    const file = name.replace(/[^\p{L}\p{N}]+/gu, '-').replace(/^-|-$/g, '');
    const path = test.info().outputPath(`${file}.png`);
    try {
        await tab.screenshot({ path });
        await test.info().attach(name, { path, contentType: 'image/png' });
        console.log(`FAIL!  : the step «${name}»; the page then: ${path}`);
    } catch {
        console.log(`FAIL!  : the step «${name}»; the page could not be pictured`);
    }
}

async function pressKeys(tab, ...keys) {
    for (const key of keys) {
        await tab.keyboard.press(key);
        await tab.waitForTimeout(60);
    }
}

// What the clipboard holds once Qt has written it, a moment after the copy:
// read until it holds something or a few seconds have gone.
async function clipboardText(tab) {
    for (let tries = 0; tries < 30; ++tries) {
        const text = await tab.evaluate(() => navigator.clipboard.readText());
        if (text !== '')
            return text;
        await tab.waitForTimeout(100);
    }
    return '';
}

async function emptyClipboard(tab) {
    await tab.evaluate(() => navigator.clipboard.writeText(''));
}

// The text of the focused field, through select all, copy and the clipboard.
async function copiedField(tab) {
    await emptyClipboard(tab);
    await pressKeys(tab, 'Control+A', 'Control+C');
    return clipboardText(tab);
}

// Until the main window shows, with its canvas on the page. Qt 6.8 keeps its
// windows in a shadow root, which the locator looks into.
async function mainWindowShown(tab) {
    await tab.waitForFunction(() => document.getElementById('status').hidden, null,
        { timeout: 120000 });
    await tab.locator('#screen canvas').first().waitFor({ timeout: 120000 });
}

async function programEnded(tab) {
    await tab.waitForFunction(() => !document.getElementById('status').hidden, null,
        { timeout: 10000 }).catch(() => {});
    return tab.textContent('#status');
}

function watchErrors(tab) {
    // An error the page did not catch is a fault, whatever else went well.
    tab.on('pageerror', (error) => {
        failures += 1;
        console.log(`FAIL!  : page error: ${error.message}`);
        console.log(error.stack);
    });
    tab.on('crash', () => console.log('FAIL!  : the page crashed'));
    tab.on('console', (message) => {
        if (message.type() === 'error')
            console.log(`page console: ${message.text()}`);
    });
}

// The active window, or a failure named after what was expected.
async function windowNamed(tab, name) {
    const found = await activeWindow(tab);
    if (!found) {
        await tab.screenshot({ path: join(folder, 'page-failure.png') });
        throw new Error(`no active window where ${name} was expected (page-failure.png)`);
    }
    return found;
}

// ---------------------------------------------------------------- wide

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
async function chokeInductance(reader) {
    return fieldValue(reader, 'Расчет индуктивности дросселя', 'Индуктивность дросселя (Гн)');
}

// «Расчет индуктивности дросселя» by the keyboard alone, from the main window
// with the focus on «Расчет емкости С»: a wrong value is refused with a
// message, and after it the field is corrected and the choke computed.
async function checkKeyboardAfterMessage(tab, reader) {
    await pressKeys(tab, 'Tab', 'Tab', 'Tab', 'Enter'); // «Расчет индуктивности дросселя»
    await tab.waitForTimeout(1000);
    await typeChoke(tab, ['10', 'abc', '1']);
    check('a message read by a screen reader',
        await messageRead(reader, 'Ошибка ввода данных', 'Введите верные данные'), true);
    await pressKeys(tab, 'Enter'); // «Введите верные данные»
    await tab.waitForTimeout(500);
    await pressKeys(tab, 'Shift+Tab', 'Shift+Tab', 'Shift+Tab'); // back to Text2
    check('a screen reader follows the focus back to the field',
        await focusedControl(reader), 'textbox «Напряжение на вольтметре (В)»');
    await tab.keyboard.type('220', { delay: 20 });
    await pressKeys(tab, 'Tab', 'Tab', 'Tab');
    check('a screen reader follows the focus on to the button',
        await focusedControl(reader), 'button «Вычислить!»');
    await pressKeys(tab, 'Enter');
    await tab.waitForTimeout(500);
    check('Text4 computed by the keyboard after the input-error message',
        await chokeInductance(reader), inductance);
    check('«Расчет индуктивности дросселя» read by a screen reader',
        await misread(reader, 'Расчет индуктивности дросселя'), '');
}

// The worked examples of «Расчет индуктивности дросселя» and «Расчет емкости
// С» by the keyboard alone, from the main window as it opens, with the focus
// on «Принцип работы»: each step's typing and keys, and then the control a
// screen reader announces, with the value it reads from a field where the
// step computed one. Ends in «Расчет емкости С» with its results.
const button = (name) => `button «${name}»`;
const textbox = (name) => `textbox «${name}»`;
// Its input fields in their tab order, as the window's reading lists them first.
const capacitorFields = Object.keys(readWindows['Расчет емкости С'].fields).slice(0, workedExample.length);
const searchButton = 'Рассчитать емкость зажигающего конденсатора';
const readerSteps = [
    { keys: [], reads: button('Принцип работы') },
    { keys: ['Shift+Tab'], reads: button('Расчет индуктивности') },
    { keys: ['Enter'], reads: textbox('Активное сопротивление дросселя (Ом)') },
    { type: '10', keys: ['Tab'], reads: textbox('Напряжение на вольтметре (В)') },
    { type: '220', keys: ['Tab'], reads: textbox('Сила тока на амперметре (А)') },
    { type: '1', keys: ['Tab'], reads: textbox('Индуктивность дросселя (Гн)') },
    { keys: ['Tab'], reads: button('Вычислить!') },
    { keys: ['Enter'], reads: button('Вычислить!'),
      value: ['Расчет индуктивности дросселя', 'Индуктивность дросселя (Гн)', inductance] },
    { keys: ['Escape'], reads: button('Расчет индуктивности') },
    { keys: ['Tab', 'Tab'], reads: button('Расчет емкости С') },
    { keys: ['Enter'], reads: textbox(capacitorFields[0]) },
    ...workedExample.map((value, index) => ({
        type: value, keys: ['Tab'],
        reads: index + 1 < capacitorFields.length ? textbox(capacitorFields[index + 1]) : button(searchButton),
    })),
    { keys: ['Enter'], reads: button('OK'), message: ['Поиск завершен', 'Решение успешно найдено'] },
    { keys: ['Enter'], reads: button(searchButton),
      value: ['Расчет емкости С', 'Минимально возможная емкость С (мкФ)', '2,70739929'] },
];

// What a screen reader announces, once it announces what is expected or ten
// seconds have gone: a window opens, and a search runs, at the speed of a
// busy machine.
async function announced(tab, reader, expected) {
    let now = await focusedControl(reader);
    for (let tries = 0; tries < 50 && now !== expected; ++tries) {
        await tab.waitForTimeout(200);
        now = await focusedControl(reader);
    }
    return now;
}

// The keyboard pass: each step's announcement printed, the steps that read
// otherwise than expected checked as one.
async function checkReaderFollowsKeys(tab, reader, profile) {
    const misread = [];
    for (const [index, step] of readerSteps.entries()) {
        if (step.type)
            await tab.keyboard.type(step.type, { delay: 20 });
        await pressKeys(tab, ...step.keys);
        const now = await announced(tab, reader, step.reads);
        const keys = [step.type ? `«${step.type}»` : '', ...step.keys].filter(Boolean).join(' ');
        console.log(`       ${profile}, keys ${keys || '(none)'}: the reader announces ${now}`);
        if (now !== step.reads)
            misread.push(`step ${index + 1} (${keys}): ${now}, not ${step.reads}`);
        if (step.message && (await messageRead(reader, ...step.message)) !== true)
            misread.push(`step ${index + 1}: no message «${step.message.join('», «')}»`);
        const read = step.value && await fieldValue(reader, step.value[0], step.value[1]);
        if (step.value && read !== step.value[2])
            misread.push(`step ${index + 1}: «${step.value[1]}» reads ${read}, not ${step.value[2]}`);
    }
    check(`${profile}: a screen reader follows the worked examples by the keyboard`,
        misread.join('; '), '');
}

// The rows of the plot's table, as a screen reader reads them cell by cell.
async function plotRows(reader) {
    const plot = readWindow(await accessibleTree(reader), 'График — расчет емкости С');
    const table = plot && descendants(plot).find((node) => node.role === 'table');
    return table ? tableRows(table) : [];
}

// «Принцип работы» and «Компенсация реактивной мощности», each opened from
// the main window and closed again, read by a screen reader.
async function readTheHelpWindows(tab, reader) {
    await click(tab, (await windowNamed(tab, '«Расчет индуктивности дросселя»')).closeBox);
    for (const [button, name] of [[form1.Command1, 'Принцип работы'],
                                  [form1.Command4, 'Компенсация реактивной мощности']]) {
        await click(tab, (await windowNamed(tab, 'the main window')).at(button.x, button.y));
        await tab.waitForTimeout(700);
        check(`«${name}» read by a screen reader`, await misread(reader, name), '');
        await click(tab, (await windowNamed(tab, `«${name}»`)).closeBox);
        await tab.waitForTimeout(500);
    }
}

// A link copied (by copy) from «Расчет емкости С» after the worked example,
// opened in a new tab: the page opens the window over the main window and
// searches as a press of its button does.
const workedLink = /#v=1&window=capacitor&Usupply=220&Uignition=300&UcapMax=630&Ubreakdown=990&Rchoke=2(0|E1)&Lchoke=1&Cstep=0.001(&Creal=4.7)?$/;
async function checkLinkOpens(context, tab, profile, copy) {
    await emptyClipboard(tab);
    await copy();
    const link = await clipboardText(tab);
    check(`${profile}: the copied link names the window and the worked example`, workedLink.test(link), true);
    const opened = await context.newPage();
    watchErrors(opened);
    try {
        await opened.goto(link);
        await mainWindowShown(opened);
        const reader = await context.newCDPSession(opened);
        const field = (name) => fieldValue(reader, 'Расчет емкости С', name);
        let smallest = '';
        for (let tries = 0; tries < 150 && smallest !== '2,70739929'; ++tries) {
            await opened.waitForTimeout(200);
            smallest = await field('Минимально возможная емкость С (мкФ)');
        }
        check(`${profile}: the link opened in a new tab shows Text12`, smallest, '2,70739929');
        check(`${profile}: the link opened in a new tab shows Text8`,
            await field('Максимально возможная емкость С (мкФ)'), '5,14339929');
        await opened.screenshot({ path: join(folder, `page-link-${profile.replace(/\W+/g, '-')}.png`) });
        // Another link typed over the fragment of the open page opens too.
        await opened.evaluate(() => { location.hash = '#v=1&window=inductance&R=10&U=220&I=1'; });
        await opened.waitForTimeout(1000);
        await mainWindowShown(opened);
        let computed = '';
        for (let tries = 0; tries < 100 && computed !== inductance; ++tries) {
            await opened.waitForTimeout(200);
            computed = await fieldValue(reader, 'Расчет индуктивности дросселя', 'Индуктивность дросселя (Гн)');
        }
        check(`${profile}: a link typed over the page's fragment opens its calculation`, computed, inductance);
    } finally {
        await opened.close();
        await tab.bringToFront();
    }
}

async function click(tab, point) {
    await tab.mouse.click(point.x, point.y);
}

async function onWideScreen(browser) {
    const viewport = { width: 1024, height: 768 };
    const { server, origin } = await serve(folder);
    const context = await browser.newContext({ viewport });
    try {
        await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin });
        const tab = await context.newPage();
        watchErrors(tab);
        const reader = await context.newCDPSession(tab);
        let links = [];
        await step(tab, 'the page loads, keeps its files and links its source', async () => {
            links = await pageLoads(context, tab, origin);
        });
        await step(tab, 'the main window is whole, drawn once and read', async () => {
            const main = await windowNamed(tab, 'the main window');
            check('the main window is whole on the page', main.isWhole(form1.client, viewport), true);
            await checkDrawnOnce(tab, main, 'the main window');
            await checkReaderBoxes(tab, main, 'the main window');
            await linkPictureOpensDiscussion(context, tab, main);
            check('the main window read by a screen reader', await misread(reader, 'Кориндо V1.0'), '');
        });
        await step(tab, 'the keyboard alone, with what a screen reader announces', async () => {
            await checkReaderFollowsKeys(tab, reader, 'wide screen');
        });
        let capacitor;
        await step(tab, '«Расчет емкости С» after the worked example', async () => {
            capacitor = await windowNamed(tab, '«Расчет емкости С»');
            await workedSearchShown(tab, reader, capacitor, viewport);
        });
        await step(tab, 'the plot window and its table', async () => {
            await click(tab, capacitor.at(form5.Command3.x, form5.Command3.y));
            await tab.waitForTimeout(3000);
            check('the plot window read by a screen reader',
                await misread(reader, 'График — расчет емкости С'), '');
            await checkReaderBoxes(tab, await windowNamed(tab, 'the plot window'), 'the plot window');
            check('the plot\'s table read cell by cell by a screen reader',
                (await plotRows(reader))[2], '3,9\t311,7 В\t573,5 В\t231,5 В\tподходит');
            await pressKeys(tab, 'Escape');
            await tab.waitForTimeout(500);
        });
        await step(tab, 'a link to the calculation opens in a new tab', async () => {
            await checkLinkOpens(context, tab, 'wide screen', async () => {
                await click(tab, capacitor.at(form5.Text8.x, form5.Text8.y));
                await pressKeys(tab, 'Control+Shift+L');
                const link = await clipboardText(tab);
                await pressKeys(tab, 'Enter'); // the message that says it was copied
                return link;
            });
        });
        await step(tab, 'a window larger than the browser\'s keeps its title bar on the page', async () => {
            await tab.setViewportSize({ width: 900, height: 420 });
            const low = await windowNamed(tab, '«Расчет емкости С» in a low browser window');
            check('a window larger than the page keeps its title bar on the page',
                low.left >= 0 && low.top >= 0 && low.right <= 900, true);
            await tab.setViewportSize(viewport);
            await tab.waitForTimeout(500);
        });
        await step(tab, 'the keyboard after a message, and the windows closed', async () => {
            await windowsClosed(tab, reader);
        });
        await step(tab, 'without a network the page opens again', async () => {
            await opensOffline(context, tab, reader, links);
        });
    } finally {
        await context.close();
        server.close();
    }
}

// Loads the page and checks what it keeps for use without a network and what
// its corner line links; the addresses of those links.
async function pageLoads(context, tab, origin) {
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
    return links;
}

async function linkPictureOpensDiscussion(context, tab, main) {
    // The machine may have no way out: the discussion page is answered here.
    await context.route((url) => url.hostname !== '127.0.0.1',
        (route) => route.fulfill({ contentType: 'text/html', body: '<title>discussion</title>' }));
    const [discussion] = await Promise.all([
        context.waitForEvent('page', { timeout: 10000 }).catch(() => null),
        click(tab, main.at(form1.Image2.x, form1.Image2.y)),
    ]);
    await discussion?.waitForLoadState().catch(() => {});
    check('the link picture opens the discussion page in a new tab',
        discussion ? discussion.url() : 'no new tab', discussionPage);
    await discussion?.close();
    await tab.bringToFront();
}

// «Расчет емкости С» as the keyboard pass left it: the worked example found.
async function workedSearchShown(tab, reader, capacitor, viewport) {
    check('«Расчет емкости С» is whole on the page', capacitor.isWhole(form5.client, viewport), true);
    await checkDrawnOnce(tab, capacitor, '«Расчет емкости С»');
    await checkReaderBoxes(tab, capacitor, '«Расчет емкости С»');
    // A click on a field gives it the focus, whichever window had it.
    await click(tab, capacitor.at(form5.Text8.x, form5.Text8.y));
    check('Text8 after the search', await copiedField(tab), '5,14339929');
    check('Text12 after the search, read by a screen reader',
        await fieldValue(reader, 'Расчет емкости С', 'Минимально возможная емкость С (мкФ)'),
        '2,70739929');
    await tab.screenshot({ path: `${folder}/page-form5.png` });
    check('«Расчет емкости С» read by a screen reader', await misread(reader, 'Расчет емкости С'), '');
}

// Once «Расчет емкости С» is closed, the main window has the keyboard; the
// window stays where the low browser window moved it. Then every window is
// closed, the main window last, which ends the program.
async function windowsClosed(tab, reader) {
    await click(tab, (await windowNamed(tab, '«Расчет емкости С» again')).closeBox);
    await tab.waitForTimeout(500);
    await checkKeyboardAfterMessage(tab, reader);
    await click(tab, (await windowNamed(tab, '«Расчет индуктивности дросселя»')).closeBox);
    await tab.waitForTimeout(500);
    await click(tab, (await windowNamed(tab, 'the main window')).closeBox);
    check('closing the main window ends the program', await programEnded(tab),
        'Программа завершена.');
}

async function opensOffline(context, tab, reader, links) {
    await context.setOffline(true);
    await tab.reload();
    await mainWindowShown(tab);
    await tab.waitForTimeout(1000);
    // The title bar's click gives the page's keyboard to the program.
    const again = await windowNamed(tab, 'the main window');
    await click(tab, again.at(100, -12));
    await pressKeys(tab, 'Tab', 'Tab', 'Tab', 'Tab', 'Enter'); // «Расчет индуктивности дросселя»
    await tab.waitForTimeout(1000);
    await typeChoke(tab, ['10', '220', '1']);
    check('without a network the page opens again, its windows working',
        await chokeInductance(reader), inductance);
    await readTheHelpWindows(tab, reader);
    const offline = [];
    for (const link of links) {
        const answer = await tab.evaluate((address) => fetch(address).then((r) => r.ok, () => false),
            link);
        if (!answer)
            offline.push(link);
    }
    check('without a network the corner line\'s links still open', offline.join(' '), '');
}

// ---------------------------------------------------------------- narrow desktop

// A desktop browser's window as narrow as a phone, beside another on the
// screen. Such a browser does not scale its page: the page scrolls sideways
// to a window wider than the browser's. Every window that the main window
// opens is whole on the page and drawn once, seen at either end.
async function onNarrowDesktop(browser) {
    const viewport = { width: 360, height: 640 };
    const profile = 'a narrow desktop browser';
    console.log(`-- ${profile} of 360 × 640`);
    const { server, origin } = await serve(folder);
    const context = await browser.newContext({ viewport });
    try {
        const tab = await context.newPage();
        watchErrors(tab);
        await step(tab, 'the main window', async () => {
            await tab.goto(`${origin}/index.html`);
            await mainWindowShown(tab);
            await tab.waitForTimeout(1000);
            await checkWholeOnScrolledPage(tab, form1.client, `${profile}: the main window`);
        });
        const opened = [[form1.Command6, 'Расчет индуктивности дросселя', form4.client],
                        [form1.Command3, 'Расчет емкости С', form5.client],
                        [form1.Command4, 'Компенсация реактивной мощности', form6.client],
                        [form1.Command1, 'Принцип работы', form2.client]];
        for (const [opener, name, client] of opened) {
            await step(tab, `«${name}»`, async () => {
                await scrollPage(tab, 0);
                await click(tab, (await windowNamed(tab, 'the main window')).at(opener.x, opener.y));
                await tab.waitForTimeout(700);
                await checkWholeOnScrolledPage(tab, client, `${profile}: «${name}»`);
                await pressKeys(tab, 'Escape');
            });
        }
    } finally {
        await context.close();
        server.close();
    }
}

async function scrollPage(tab, left) {
    await tab.evaluate((left) => window.scrollTo(left, 0), left);
    await tab.waitForTimeout(300);
}

// The active window whole on the page from its left to its right end, and
// drawn once as the screen shows it scrolled to either.
async function checkWholeOnScrolledPage(tab, client, name) {
    await scrollPage(tab, 0);
    const page = await tab.evaluate(() => ({ width: document.documentElement.scrollWidth,
                                             height: window.innerHeight }));
    const shown = await windowNamed(tab, name);
    check(`${name} is whole on the page`, shown.isWhole(client, page), true);
    await checkDrawnOnce(tab, shown, `${name}, its left end`);
    await scrollPage(tab, page.width);
    await checkDrawnOnce(tab, shown, `${name}, its right end`);
}

// ---------------------------------------------------------------- phones

const android = 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 '
    + '(KHTML, like Gecko) Chrome/156.0.0.0 Mobile Safari/537.36';

// A finger on the screen, through the browser's own touch input.
class Finger {
    constructor(tab, session) {
        this.tab = tab;
        this.session = session;
    }

    async tap(point, holdMilliseconds = 30) {
        const touchPoints = [{ x: Math.round(point.x), y: Math.round(point.y) }];
        await this.session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints });
        await this.tab.waitForTimeout(holdMilliseconds);
        await this.session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
        await this.tab.waitForTimeout(150);
    }

    // A finger drawn from one point to another.
    async drag(from, to) {
        const at = (p) => [{ x: Math.round(p.x), y: Math.round(p.y) }];
        await this.session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(from) });
        for (let step = 1; step <= 8; ++step) {
            const p = { x: from.x + (to.x - from.x) * step / 8, y: from.y + (to.y - from.y) * step / 8 };
            await this.session.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(p) });
            await this.tab.waitForTimeout(20);
        }
        await this.session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
        await this.tab.waitForTimeout(150);
    }

    // Held still: the field's or the table's menu opens there.
    async hold(point) {
        await this.tap(point, 800);
    }

    // Taps the first entry of the menu that a hold opened at point: the menu
    // hangs from the point, moved left as far as keeps it on the page.
    async firstMenuEntry(point) {
        const pageWidth = await this.tab.evaluate(() => window.visualViewport.width);
        await this.tap({ x: Math.min(point.x + 40, pageWidth - 60), y: point.y + 11 });
    }
}

// The input a phone's keyboard types into, as { inputMode }, or null where
// the focused control takes no text. Qt keeps its input in a shadow root.
async function typedInto(tab) {
    return tab.evaluate(() => {
        let focused = document.activeElement;
        while (focused?.shadowRoot?.activeElement)
            focused = focused.shadowRoot.activeElement;
        return focused instanceof HTMLInputElement && !focused.readOnly
            ? { inputMode: focused.inputMode } : null;
    });
}

// Types as a phone's keyboard does: each character as it is committed.
async function typeOnPhone(tab, text) {
    for (const character of text) {
        await tab.keyboard.insertText(character);
        await tab.waitForTimeout(40);
    }
}

// A result field's text, as a phone user copies it: a finger drawn across
// the field selects its text, a hold opens the field's menu, «Копировать»
// copies.
async function copiedOnPhone(tab, finger, window, field) {
    await emptyClipboard(tab);
    const point = window.at(field.x, field.y);
    const across = field.width / 2 - 2;
    await finger.drag(window.at(field.x - across, field.y), window.at(field.x + across, field.y));
    await finger.hold(point);
    await finger.firstMenuEntry(point);
    return clipboardText(tab);
}

// A message box that reports the end of a press, once it shows (narrower
// than any calculator window): closed with its close box.
async function closeMessage(tab, finger, what) {
    for (let tries = 0; tries < 40; ++tries) {
        const box = await activeWindow(tab, { narrowest: true });
        if (box && box.right - box.left < 300) {
            await finger.tap(box.closeBox);
            await tab.waitForTimeout(300);
            return;
        }
    }
    throw new Error(`no message box where ${what} was expected`);
}

function pageSize(tab) {
    return tab.evaluate(() => ({ width: window.visualViewport.width,
                                 height: window.visualViewport.height }));
}

async function checkWhole(tab, window, client, name) {
    const page = await pageSize(tab);
    check(`${name} is whole on the screen`, window.isWhole(client, page), true);
    console.log(`       ${name}: the page is scaled by ${window.scale.toFixed(3)}`);
    await checkDrawnOnce(tab, window, name);
    await checkReaderBoxes(tab, window, name);
}

// Where a screen reader explored by touch finds each control: where the
// window draws it, on the screen.
async function checkReaderBoxes(tab, window, name) {
    check(`${name}: a screen reader finds its controls where they are drawn`,
        (await readerBoxesAstray(tab, window.name)).join('; '), '');
}

// The share of a window's pixels that may differ from Qt's own drawing of it:
// text and lines smoothed at the page's scale, and a window's last row of
// pixels covering part of one. A window drawn twice, or with what is left of
// a drawing at another scale, differs over far more.
const mostDifferentlyDrawn = 0.005;

// A window still being drawn on a busy machine is given a moment more; what
// is left of an earlier drawing stays.
async function checkDrawnOnce(tab, window, name) {
    let compared = await differentlyDrawn(tab, window.name);
    for (let tries = 0; tries < 5 && compared.share > mostDifferentlyDrawn; ++tries) {
        await tab.waitForTimeout(300);
        compared = await differentlyDrawn(tab, window.name);
    }
    if (typeof compared === 'string') {
        check(`${name} is drawn once, as Qt draws it`, compared, true);
        return;
    }
    const once = compared.share <= mostDifferentlyDrawn;
    const pictures = `page-drawn-${++drawingsCompared}.png`;
    check(`${name} is drawn once, as Qt draws it`, once ? true : `no (${pictures})`, true);
    console.log(`       ${name}: ${(100 * compared.share).toFixed(2)} % of its pixels shown otherwise`);
    if (!once)
        writeFileSync(join(folder, pictures), Buffer.from(compared.pictures.split(',')[1], 'base64'));
}
let drawingsCompared = 0;

async function onPhone(browser, size) {
    const profile = `${size.width} × ${size.height}`;
    console.log(`-- a phone of ${profile}`);
    const { server, origin, served } = await serve(folder);
    const context = await browser.newContext({
        viewport: size, screen: size, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
        userAgent: android,
    });
    try {
        await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin });
        const tab = await context.newPage();
        watchErrors(tab);
        const finger = new Finger(tab, await context.newCDPSession(tab));
        const phone = { tab, finger, profile, size };

        await step(tab, 'a first visit fetches the program once', async () => {
            await firstVisit(phone, origin, served);
        });
        await step(tab, 'the keyboard alone, with what a screen reader announces', async () => {
            const main = await windowNamed(tab, 'the main window');
            await checkWhole(tab, main, form1.client, `${profile}: the main window`);
            // A phone with a keyboard, and a screen reader.
            await checkReaderFollowsKeys(tab, finger.session, profile);
            await pressKeys(tab, 'Escape');
            check(`${profile}: Escape leaves «Расчет емкости С» for the button that opened it`,
                await announced(tab, finger.session, button('Расчет емкости С')),
                button('Расчет емкости С'));
        });
        await step(tab, 'the choke by touch', async () => {
            await chokeByTouch(phone);
        });
        let capacitor;
        await step(tab, 'the worked example\'s search by touch', async () => {
            capacitor = await searchByTouch(phone);
        });
        await step(tab, 'the check by touch, the keyboard over the field', async () => {
            capacitor = await checkByTouch(phone, capacitor);
        });
        await step(tab, 'a link to the calculation from the window\'s menu', async () => {
            // A finger held on a caption opens the window's menu.
            await checkLinkOpens(context, tab, profile, async () => {
                const caption = capacitor.at(form5.Label7.x, form5.Label7.y);
                await finger.hold(caption);
                await finger.firstMenuEntry(caption);
                await closeMessage(tab, finger, 'the message that says the link was copied');
            });
        });
        await step(tab, 'the plot window and its table', async () => {
            await plotOnPhone(phone, capacitor);
            await finger.tap((await windowNamed(tab, '«Расчет емкости С»')).closeBox);
        });
        await step(tab, '«Компенсация реактивной мощности» and «Принцип работы»', async () => {
            await compensationAndPrinciple(tab, finger, profile);
        });
        await step(tab, 'the phone turned', async () => {
            await turnTheScreen(tab, size, profile);
        });
        await step(tab, 'the main window\'s close box ends the program', async () => {
            await finger.tap((await windowNamed(tab, 'the main window')).closeBox);
            check(`${profile}: the main window's close box ends the program`, await programEnded(tab),
                'Программа завершена.');
        });
    } finally {
        await context.close();
        server.close();
    }
}

async function firstVisit({ tab, profile }, origin, served) {
    await tab.goto(`${origin}/index.html`);
    await mainWindowShown(tab);
    await tab.evaluate(() => navigator.serviceWorker.ready);
    // The worker has filled its cache once it is active.
    await tab.waitForFunction(() => navigator.serviceWorker.controller
        || navigator.serviceWorker.ready.then((ready) => ready.active?.state === 'activated'),
    null, { timeout: 60000 });
    await tab.waitForTimeout(1000);
    const wasm = statSync(join(folder, 'korindo.wasm')).size;
    check(`${profile}: a first visit fetches korindo.wasm once`, served('/korindo.wasm'), wasm);
    console.log(`       ${profile}: a first visit fetched ${served()} bytes in all`);
}

// A tap on a field raises the keyboard; keys that are not characters move in
// the field instead of typing their names.
async function chokeByTouch({ tab, finger, profile }) {
    const main = await windowNamed(tab, 'the main window');
    await finger.tap(main.at(form1.Command6.x, form1.Command6.y));
    const choke = await windowNamed(tab, '«Расчет индуктивности дросселя»');
    await checkWhole(tab, choke, form4.client, `${profile}: «Расчет индуктивности дросселя»`);
    await finger.tap(choke.at(form4.Text1.x, form4.Text1.y));
    check(`${profile}: a tap on a field raises a keyboard of digits`,
        (await typedInto(tab))?.inputMode, 'decimal');
    await typeOnPhone(tab, '10');
    await finger.tap(choke.at(form4.Text2.x, form4.Text2.y));
    await typeOnPhone(tab, '20');
    await pressKeys(tab, 'ArrowLeft', 'Home');
    await typeOnPhone(tab, '2');
    await pressKeys(tab, 'End', 'Backspace');
    await typeOnPhone(tab, '0');
    await finger.tap(choke.at(form4.Text3.x, form4.Text3.y));
    await typeOnPhone(tab, '1');
    await pressKeys(tab, 'Enter'); // in a field, Enter does nothing
    await finger.tap(choke.at(form4.Command1.x, form4.Command1.y));
    await tab.waitForTimeout(300);
    check(`${profile}: Text4 computed by touch, keys acting as keys`,
        await chokeInductance(finger.session), inductance);
    await finger.tap(choke.closeBox);
}

// The worked example, the resistance typed as 2E1 with the key that a
// keyboard of digits lacks; the window as the search left it.
async function searchByTouch({ tab, finger, profile }) {
    await finger.tap((await windowNamed(tab, 'the main window')).at(form1.Command3.x, form1.Command3.y));
    await tab.waitForTimeout(500);
    let capacitor = await windowNamed(tab, '«Расчет емкости С»');
    await checkWhole(tab, capacitor, form5.client, `${profile}: «Расчет емкости С»`);
    const typed = [...workedExample.slice(0, 4), '2', '1'];
    for (const [index, field] of form5.inputs.entries()) {
        await finger.tap(capacitor.at(field.x, field.y));
        await typeOnPhone(tab, typed[index]);
        if (index === 4) {
            check(`${profile}: the keys a keyboard of digits lacks show while typing`,
                await tab.isVisible('#keys'), true);
            await tab.tap('#keys button[data-key=E]');
            await typeOnPhone(tab, '1');
        }
    }
    await finger.tap(capacitor.at(form5.Command1.x, form5.Command1.y));
    check(`${profile}: no keyboard once a button has the focus`, await typedInto(tab), null);
    await closeMessage(tab, finger, '«Решение успешно найдено»');
    capacitor = await windowNamed(tab, '«Расчет емкости С»');
    check(`${profile}: Text8 after the search by touch`,
        await copiedOnPhone(tab, finger, capacitor, form5.Text8), '5,14339929');
    check(`${profile}: no keyboard for a result field`, await typedInto(tab), null);
    check(`${profile}: Text12 after the search by touch`, await fieldValue(finger.session,
        'Расчет емкости С', 'Минимально возможная емкость С (мкФ)'), '2,70739929');
    return capacitor;
}

// The keyboard takes most of the screen: the window rises as far as shows the
// field, the title bar going above the screen, and comes back down once the
// keyboard has gone. The window as the check left it.
async function checkByTouch({ tab, finger, profile, size }, capacitor) {
    await finger.tap(capacitor.at(form5.Text9.x, form5.Text9.y));
    await tab.setViewportSize({ width: size.width, height: 200 });
    await tab.waitForTimeout(700);
    check(`${profile}: the field being typed in is lifted above the keyboard`,
        await activeWindow(tab), null);
    await typeOnPhone(tab, '4.7');
    await tab.setViewportSize(size);
    await tab.waitForTimeout(700);
    const lowered = await windowNamed(tab, '«Расчет емкости С»');
    await checkWhole(tab, lowered, form5.client, `${profile}: «Расчет емкости С» after the keyboard`);
    await finger.tap(lowered.at(form5.Command2.x, form5.Command2.y));
    await closeMessage(tab, finger, '«Проверка успешно пройдена»');
    check(`${profile}: Text10 after the check by touch`, (await fieldValue(finger.session,
        'Расчет емкости С', 'Реальное напряжение на конденсаторе (В) (RMS)')).slice(0, 6), '409,37');
    await checkDrawnOnce(tab, await windowNamed(tab, '«Расчет емкости С»'),
        `${profile}: «Расчет емкости С» after the check`);
    if (size.width === 390)
        await tab.screenshot({ path: join(folder, 'page-form5-phone.png') });
    return lowered;
}

// The plot: whole on the screen, its table read through its menu.
async function plotOnPhone({ tab, finger, profile, size }, capacitor) {
    await finger.tap(capacitor.at(form5.Command3.x, form5.Command3.y));
    await tab.waitForTimeout(3000);
    const plot = await windowNamed(tab, 'the plot window');
    const page = await pageSize(tab);
    // The window fits itself to the screen where the screen is smaller.
    const client = { width: plot.right - plot.left, height: Math.min(720, page.height - 30) };
    check(`${profile}: the plot window is whole on the screen`, plot.isWhole(client, page), true);
    await checkDrawnOnce(tab, plot, `${profile}: the plot window`);
    await checkReaderBoxes(tab, plot, `${profile}: the plot window`);
    await finger.tap(plot.at(client.width / 2, 150)); // the readout under the finger
    check(`${profile}: the plot's table read cell by cell`, (await plotRows(finger.session))[2],
        '3,9\t311,7 В\t573,5 В\t231,5 В\tподходит');
    await tab.screenshot({ path: join(folder, `page-plot-phone-${size.width}.png`) });
    await finger.tap(plot.closeBox);
}

// «Компенсация реактивной мощности» computed by touch and «Принцип работы»
// opened, each whole on the screen and closed by its close box, after which
// the main window is the active one again.
async function compensationAndPrinciple(tab, finger, profile) {
    const main = await windowNamed(tab, 'the main window');
    const closes = async (window, name) => {
        await finger.tap(window.closeBox);
        const active = await windowNamed(tab, 'the main window');
        check(`${profile}: ${name} closes with its close box`,
            Math.round(active.right - active.left), Math.round(main.right - main.left));
    };

    await finger.tap(main.at(form1.Command4.x, form1.Command4.y));
    const compensation = await windowNamed(tab, '«Компенсация реактивной мощности»');
    await checkWhole(tab, compensation, form6.client, `${profile}: «Компенсация реактивной мощности»`);
    for (const [index, field] of form6.inputs.entries()) {
        await finger.tap(compensation.at(field.x, field.y));
        await typeOnPhone(tab, ['220', '100', '0.5', '20'][index]);
    }
    await finger.tap(compensation.at(form6.Command1.x, form6.Command1.y));
    await tab.waitForTimeout(300);
    check(`${profile}: Text5 computed by touch`,
        await fieldValue(finger.session, 'Компенсация реактивной мощности',
            'Емкость компенсирующего конденсатора Ск (мкФ)'), '6,26827883');
    await closes(compensation, '«Компенсация реактивной мощности»');

    await finger.tap(main.at(form1.Command1.x, form1.Command1.y));
    await tab.waitForTimeout(500);
    const principle = await windowNamed(tab, '«Принцип работы»');
    await checkWhole(tab, principle, form2.client, `${profile}: «Принцип работы»`);
    await closes(principle, '«Принцип работы»');
}

// Turned on its side and back, the phone keeps the windows on its screen.
async function turnTheScreen(tab, size, profile) {
    const turned = { width: size.height, height: size.width };
    await tab.setViewportSize(turned);
    await tab.waitForTimeout(700);
    const main = await windowNamed(tab, 'the main window');
    await checkWhole(tab, main, form1.client, `${profile} turned: the main window`);
    await tab.setViewportSize(size);
    await tab.waitForTimeout(700);
    const back = await windowNamed(tab, 'the main window');
    await checkWhole(tab, back, form1.client, `${profile} turned back: the main window`);
}

// Each project of the configuration is one profile.
test('the page as a user meets it', async ({ browser }, testInfo) => {
    const { phone } = testInfo.project.metadata;
    if (phone)
        await onPhone(browser, phone);
    else if (testInfo.project.name === 'narrow')
        await onNarrowDesktop(browser);
    else
        await onWideScreen(browser);
});
