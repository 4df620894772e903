// What the WebAssembly build's tests share: a folder served from 127.0.0.1
// and Debian's Chromium, headless, driven by playwright-core.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';
import { chromium } from 'playwright-core';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
    '.json': 'application/json',
};

// Serves the files under root, and any page that extraPages names by its
// path, on a free port. Resolves to { server, origin }.
export async function serve(root, extraPages = {}) {
    const server = createServer(async (request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        if (extraPages[path] !== undefined) {
            response.writeHead(200, { 'Content-Type': types['.html'] });
            response.end(extraPages[path]);
            return;
        }
        const file = normalize(join(root, path));
        if (!file.startsWith(normalize(root) + sep)) {
            response.writeHead(403).end();
            return;
        }
        try {
            const body = await readFile(file);
            response.writeHead(200, {
                'Content-Type': types[extname(file)] ?? 'application/octet-stream',
            });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { server, origin: `http://127.0.0.1:${server.address().port}` };
}

// The machine has no network beyond its package mirrors: Chromium is kept
// from reaching out for updates, sync and the like.
export function launch() {
    return chromium.launch({
        executablePath: process.env.KORINDO_CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
}
