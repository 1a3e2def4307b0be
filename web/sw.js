// Keeps a copy of every file the page loads, so that after one visit the
// trainer starts without a network: the network first (a rebuilt page is
// seen at once), the kept copy when it cannot be reached.
'use strict';
const CACHE = 'vxr-page';

// What a visit needs again, kept at once: the page and every task's files.
const PAGE = ['./', 'index.html', 'page.css', 'page.js', 'tabs.js', 'vxr.js', 'vxr.wasm', 'vxr.data', 'vxrdat.js', 'vxrdat.wasm',
              'tasks/index.json'];

self.addEventListener('install', event => {
    event.waitUntil((async () => {
        const cache = await caches.open(CACHE);
        await cache.addAll(PAGE);
        const tasks = await (await cache.match('tasks/index.json')).json();
        await cache.addAll(tasks.flatMap(task => [`tasks/${task}/task.json`, `tasks/${task}/VXR.DAT`]));
        await self.skipWaiting();
    })());
});
self.addEventListener('activate', event => event.waitUntil(self.clients.claim()));
self.addEventListener('fetch', event => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
    event.respondWith(fetch(request).then(response => {
        if (response.ok) {
            const copy = response.clone();
            event.waitUntil(caches.open(CACHE).then(cache => cache.put(request, copy)));
        }
        return response;
    }).catch(() => caches.match(request, { ignoreSearch: true }).then(kept => kept || Response.error())));
});
