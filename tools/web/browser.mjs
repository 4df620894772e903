// What the WebAssembly build's tests share: a folder served from 127.0.0.1
// and Debian's Chromium, headless, driven by playwright-core.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
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
// path, on a free port, as a plain static server does: with the file's date
// and tag, answering "not modified" where the browser's copy is current.
// Resolves to { server, origin, served }, where served(path) counts the
// bytes of the bodies sent for a path so far (all paths without one).
export async function serve(root, extraPages = {}) {
    const sent = new Map();
    const count = (path, bytes) => sent.set(path, (sent.get(path) ?? 0) + bytes);
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
            const { size, mtime } = await stat(file);
            const tag = `"${size.toString(16)}-${mtime.getTime().toString(16)}"`;
            const headers = { ETag: tag, 'Last-Modified': mtime.toUTCString() };
            if (request.headers['if-none-match'] === tag) {
                response.writeHead(304, headers).end();
                return;
            }
            const body = await readFile(file);
            response.writeHead(200, {
                ...headers,
                'Content-Type': types[extname(file)] ?? 'application/octet-stream',
            });
            response.end(body);
            count(path, body.length);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const served = (path) => (path === undefined
        ? [...sent.values()].reduce((sum, bytes) => sum + bytes, 0)
        : sent.get(path) ?? 0);
    return { server, origin: `http://127.0.0.1:${server.address().port}`, served };
}

// The machine has no network beyond its package mirrors: Chromium is kept
// from reaching out for updates, sync and the like.
export const chromiumOptions = {
    executablePath: process.env.KORINDO_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};

export function launch() {
    return chromium.launch(chromiumOptions);
}
