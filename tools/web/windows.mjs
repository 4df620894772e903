// Where the program's windows are on the page, as a user sees them. Qt keeps
// each window as an element of its own, every one but the active window
// marked inactive, and the active window's title bar is that element's.
//
// Points are in the page's own pixels, which the program's windows are laid
// out in and which a mouse click or a tap takes; a phone's browser may show
// them scaled down.

// The frame of a window on the page: the title bar stands `border` below
// the frame's top and is `title` high; the client area starts below it.
const border = 4;
const title = 18;

// The title bars of the windows that Qt has not marked inactive, in the
// page's pixels and widest first: those on the screen, as a user sees them.
// Runs in the page.
function activeTitleBarElements({ title }) {
    const roots = [document, ...[...document.querySelectorAll('*')].flatMap((e) => e.shadowRoot ?? [])];
    const screen = window.visualViewport ?? { offsetTop: 0, height: window.innerHeight };
    return roots.flatMap((root) => [...root.querySelectorAll('.qt-window.has-border:not(.inactive)')])
        .filter((shown) => shown.checkVisibility())
        .map((shown) => ({ shown, bar: shown.querySelector(':scope > .title-bar').getBoundingClientRect() }))
        .filter(({ bar }) => bar.top >= screen.offsetTop - 1 && bar.top + title <= screen.offsetTop + screen.height + 1)
        .map(({ shown, bar }) => ({ top: bar.top, left: bar.left, right: bar.right,
                                    name: shown.querySelector('.window-name')?.textContent ?? '' }))
        .sort((a, b) => (b.right - b.left) - (a.right - a.left));
}

// The active window: its title bar's place, and where a point of its client
// area (x, y in the program's pixels from its top left) is on the page.
// Null where no window is active. Waits for the page to settle first.
// A window whose message box or other window is active is drawn active as
// well: the box is the narrower (a message: { narrowest: true }), a window
// of its own covers the other's title bar.
export async function activeWindow(tab, { narrowest = false } = {}) {
    await tab.waitForTimeout(300);
    const bars = await tab.evaluate(activeTitleBarElements, { title });
    const bar = narrowest ? bars.at(-1) : bars[0];
    if (!bar)
        return null;
    const scale = await tab.evaluate(() => window.visualViewport?.scale ?? 1);
    const { left, right, top, name } = bar;
    return {
        name,
        scale,
        left,
        right,
        top,
        at: (x, y) => ({ x: left + x, y: top + title + border + y }),
        closeBox: { x: right - 9, y: top + title / 2 },
        // Whether a client area of this size is whole on a page of this size,
        // give or take the pixel that a page scaled to a phone rounds off.
        isWhole(client, page) {
            return left >= -1 && top - border >= -1 && left + client.width <= page.width + 1
                && top + title + border + client.height + border <= page.height + 1;
        },
    };
}

// A window's client size from its twips, 15 to a pixel.
export function clientOf(widthTwips, heightTwips) {
    return { width: Math.floor((widthTwips + 7) / 15), height: Math.floor((heightTwips + 7) / 15) };
}

// The middle of a control placed at these twips, in its window's client area.
export function middleOf(left, top, width, height) {
    const px = (t) => Math.floor((t + 7) / 15);
    return { x: px(left) + px(width) / 2, y: px(top) + px(height) / 2, width: px(width) };
}

// The share of a window's client area that the page shows otherwise than Qt
// draws it now: each picture brought to the page's pixels, and a pixel
// counted where a channel differs by more than smoothing moves it. A window
// drawn twice, or at a scale it has left, differs over much of its area.
// Only the part that the screen shows is compared: a narrow desktop
// browser's page scrolls to the rest of a wider window.
// Resolves to { share, pictures }, pictures a PNG data address of both side
// by side, the page's on the left; or to a text where either is missing.
export async function differentlyDrawn(tab, name) {
    const box = await tab.evaluate((name) => {
        const roots = [...document.querySelectorAll('*')].flatMap((e) => e.shadowRoot ?? []);
        const shown = roots.flatMap((root) => [...root.querySelectorAll('.qt-window')])
            .find((window) => window.checkVisibility()
                && window.querySelector('.window-name')?.textContent === name);
        const whole = shown?.querySelector('canvas').getBoundingClientRect();
        if (!whole)
            return null;
        // A screenshot holds what the screen shows: the page's pixels as the
        // phone's browser scales them, from the part of the page it shows.
        const seen = window.visualViewport;
        const perPixel = seen.scale * window.devicePixelRatio;
        const left = Math.max(whole.left, seen.offsetLeft);
        const top = Math.max(whole.top, seen.offsetTop);
        const right = Math.min(whole.right, seen.offsetLeft + seen.width);
        const bottom = Math.min(whole.bottom, seen.offsetTop + seen.height);
        if (right - left < 1 || bottom - top < 1)
            return null;
        return { x: (left - seen.offsetLeft) * perPixel, y: (top - seen.offsetTop) * perPixel,
                 width: right - left, height: bottom - top, perPixel,
                 part: [(left - whole.left) / whole.width, (top - whole.top) / whole.height,
                        (right - left) / whole.width, (bottom - top) / whole.height] };
    }, name);
    if (!box)
        return `no window «${name}» on the screen`;
    const png = (await tab.screenshot()).toString('base64');
    return tab.evaluate(async ({ name, png, box }) => {
        const picture = window.korindoWindowPicture(name);
        if (!picture)
            return `Qt shows no window «${name}»`;
        const width = Math.round(box.width);
        const height = Math.round(box.height);
        const pixelsOf = (source, from = [0, 0, source.width, source.height]) => {
            const canvas = new OffscreenCanvas(width, height);
            const context = canvas.getContext('2d');
            context.imageSmoothingQuality = 'high';
            context.drawImage(source, ...from, 0, 0, width, height);
            return context.getImageData(0, 0, width, height).data;
        };
        const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
        const screen = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
        const shown = pixelsOf(screen, [box.x, box.y, box.width * box.perPixel, box.height * box.perPixel]);
        const drawn = new OffscreenCanvas(picture.width, picture.height);
        drawn.getContext('2d').putImageData(
            new ImageData(picture.pixels, picture.width, picture.height), 0, 0);
        const [x, y, across, down] = box.part;
        const qt = pixelsOf(drawn, [x * picture.width, y * picture.height,
                                    across * picture.width, down * picture.height]);
        let differing = 0;
        for (let i = 0; i < shown.length; i += 4) {
            const most = Math.max(Math.abs(shown[i] - qt[i]), Math.abs(shown[i + 1] - qt[i + 1]),
                                  Math.abs(shown[i + 2] - qt[i + 2]));
            if (most > 96)
                differing += 1;
        }
        // Both side by side, for a look where they differ.
        const both = document.createElement('canvas');
        both.width = 2 * width;
        both.height = height;
        both.getContext('2d').putImageData(new ImageData(shown, width, height), 0, 0);
        both.getContext('2d').putImageData(new ImageData(qt, width, height), width, 0);
        return { share: differing / (width * height), pictures: both.toDataURL() };
    }, { name, png, box });
}

// The elements a screen reader finds by touch in the window of this name
// that do not lie where the window draws: outside its drawing, or outside
// the part of the page the screen shows. Each as "tag «text» at its box";
// an empty list where every element lies within both.
export async function readerBoxesAstray(tab, name) {
    return tab.evaluate((name) => {
        const roots = [...document.querySelectorAll('*')].flatMap((e) => e.shadowRoot ?? []);
        const shown = roots.flatMap((root) => [...root.querySelectorAll('.qt-window')])
            .find((window) => window.checkVisibility()
                && window.querySelector('.window-name')?.textContent === name);
        if (!shown)
            return [`no window «${name}» on the page`];
        const elements = [...shown.querySelectorAll('.qt-window-a11y-container *')];
        if (elements.length === 0)
            return ['no elements for a screen reader'];
        const drawing = shown.querySelector('canvas').getBoundingClientRect();
        const seen = window.visualViewport;
        const screen = { left: seen.offsetLeft, top: seen.offsetTop,
                         right: seen.offsetLeft + seen.width, bottom: seen.offsetTop + seen.height };
        const within = (box, area) => box.left >= area.left - 1 && box.top >= area.top - 1
            && box.right <= area.right + 1 && box.bottom <= area.bottom + 1;
        return elements.map((element) => ({ element, box: element.getBoundingClientRect() }))
            .filter(({ box }) => box.width > 0 && box.height > 0)
            .filter(({ box }) => !within(box, drawing) || !within(box, screen))
            .map(({ element, box }) => `${element.tagName.toLowerCase()} «${
                (element.getAttribute('aria-label') ?? element.textContent).slice(0, 30)}» at ${
                [box.left, box.top, box.width, box.height].map(Math.round)}`);
    }, name);
}
