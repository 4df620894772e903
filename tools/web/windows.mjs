// Where the program's windows are on the page, as a user sees them. Qt 6.4
// draws every window into one canvas, so the window that has the keyboard is
// found by its title bar, the one drawn in the highlight colour; Qt 6.8 keeps
// each window as an element of its own, every one but the active window
// marked inactive, and there the active window's title bar is that element's.
//
// Points are in the page's own pixels, which the program's windows are laid
// out in and which a mouse click or a tap takes; a phone's browser may show
// them scaled down, and its picture of the page is in its own pixels.

// Qt's Fusion highlight, the active title bar's colour.
const highlight = [48, 140, 198];
// The frame of a window on the page: the title bar stands `border` below
// the frame's top and is `title` high; the client area starts below it.
const border = 4;
const title = 18;

// The title bars drawn in the highlight colour in a picture of the page,
// widest first: bands of rows with a long run of that colour. Runs in the page.
function findTitleBar({ picture, colour }) {
    return new Promise((resolve, reject) => {
        const image = new Image();
        image.onerror = () => reject(new Error('the page picture does not load'));
        image.onload = () => {
            const canvas = new OffscreenCanvas(image.width, image.height);
            const context = canvas.getContext('2d');
            context.drawImage(image, 0, 0);
            const { data, width, height } = context.getImageData(0, 0, image.width, image.height);
            const near = (i) => Math.abs(data[i] - colour[0]) < 12
                && Math.abs(data[i + 1] - colour[1]) < 12 && Math.abs(data[i + 2] - colour[2]) < 12;
            const bands = [];
            let band = null;
            for (let y = 0; y < height; ++y) {
                let left = -1, right = -1, count = 0;
                for (let x = 0; x < width; ++x) {
                    if (near((y * width + x) * 4)) {
                        if (left < 0)
                            left = x;
                        right = x;
                        ++count;
                    }
                }
                if (count >= 40 && count > (right - left) / 2) {
                    if (!band)
                        bands.push(band = { top: y, bottom: y, left, right });
                    band.bottom = y;
                    band.left = Math.min(band.left, left);
                    band.right = Math.max(band.right, right);
                } else {
                    band = null;
                }
            }
            bands.sort((a, b) => (b.right - b.left) - (a.right - a.left));
            resolve(bands);
        };
        image.src = `data:image/png;base64,${picture}`;
    });
}

// The title bars of the windows that Qt 6.8 has not marked inactive, in the
// page's pixels and widest first, as findTitleBar gives them: those on the
// screen, as a user sees them. None where the page's Qt draws its windows
// into one canvas. Runs in the page.
function activeTitleBarElements({ title }) {
    const roots = [document, ...[...document.querySelectorAll('*')].flatMap((e) => e.shadowRoot ?? [])];
    const screen = window.visualViewport ?? { offsetTop: 0, height: window.innerHeight };
    return roots.flatMap((root) => [...root.querySelectorAll('.qt-window.has-border:not(.inactive)')])
        .filter((shown) => shown.checkVisibility())
        .map((shown) => shown.querySelector(':scope > .title-bar').getBoundingClientRect())
        .filter((bar) => bar.top >= screen.offsetTop - 1 && bar.top + title <= screen.offsetTop + screen.height + 1)
        .map((bar) => ({ top: bar.top, bottom: bar.top + title - 1, left: bar.left, right: bar.right - 1 }))
        .sort((a, b) => (b.right - b.left) - (a.right - a.left));
}

async function activeTitleBars(tab) {
    const elements = await tab.evaluate(activeTitleBarElements, { title });
    if (elements.length > 0)
        return { bars: elements, pixels: 1 };
    const picture = (await tab.screenshot({ scale: 'css' })).toString('base64');
    const bars = await tab.evaluate(findTitleBar, { picture, colour: highlight });
    // The picture is in the phone's own pixels.
    return { bars, pixels: await tab.evaluate(() => window.visualViewport?.scale ?? 1) };
}

// The active window: its title bar's place, and where a point of its client
// area (x, y in the program's pixels from its top left) is on the page.
// Null where no window is active. Waits for the page to settle first.
// A window whose message box or other window is active is drawn active as
// well: the box is the narrower (a message: { narrowest: true }), a window
// of its own covers the other's title bar.
export async function activeWindow(tab, { narrowest = false } = {}) {
    await tab.waitForTimeout(300);
    const { bars, pixels } = await activeTitleBars(tab);
    const bar = narrowest ? bars.at(-1) : bars[0];
    if (!bar)
        return null;
    const scale = await tab.evaluate(() => window.visualViewport?.scale ?? 1);
    const left = bar.left / pixels;
    const right = (bar.right + 1) / pixels;
    // The band may have lost a row to smoothing at a scale below one.
    const top = (bar.bottom + 1) / pixels - title;
    return {
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
