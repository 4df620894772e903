// Keeps the page for use without a network. Each build has a cache of its
// own, filled whole when the browser installs this worker; the worker of a new
// build takes over once no tab runs the old one, and then deletes the old
// cache, so that a page never mixes the files of two builds.
const cacheName = 'korindo-@KORINDO_BUILD@';
const files = [@KORINDO_FILES@];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(cacheName).then((cache) =>
        cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })))));
});

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
