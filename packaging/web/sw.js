// Keeps the page for use without a network: the program, and the source and
// the licences that its corner line links. Each build has a cache of its own,
// filled whole when the browser installs this worker; the worker of a new
// build takes over once no tab runs the old one, and then deletes the old
// cache, so that a page never mixes the files of two builds.
const cacheName = 'korindo-@KORINDO_BUILD@';
const files = [@KORINDO_FILES@];

// The first visit's page hands over the program it fetched; each other file
// is asked of the server, which answers "not modified" where the browser
// still has the copy it fetched for the page, and sends a file it has since
// changed anew, so that a new build never takes an old file.
const handedOver = 'korindo-first-visit';

async function fill() {
    const cache = await caches.open(cacheName);
    const kept = await caches.open(handedOver);
    await Promise.all(files.map(async (file) => {
        const copy = await kept.match(file);
        return copy ? cache.put(file, copy) : cache.add(new Request(file, { cache: 'no-cache' }));
    }));
    await caches.delete(handedOver);
}

self.addEventListener('install', (event) => event.waitUntil(fill()));

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys().then((names) => Promise.all(names
        .filter((name) => name.startsWith('korindo-') && name !== cacheName)
        .map((name) => caches.delete(name)))));
});

// The page's own files come from the cache, the folder's address standing for
// index.html; anything else goes to the network as it would without a worker.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    const url = new URL(request.url);
    if (request.method !== 'GET' || url.origin !== self.location.origin)
        return;
    const scope = new URL(self.registration.scope);
    const key = url.pathname === scope.pathname ? 'index.html' : request;
    event.respondWith(caches.open(cacheName)
        .then((cache) => cache.match(key, { ignoreSearch: true }))
        .then((cached) => cached ?? fetch(request)));
});
