// Keeps the whole site in the browser so that a second visit plays without a network: every
// file is fetched fresh while the network is there (and the copy renewed), the copy served when
// it is not.
'use strict';
const kCache = 'skyrend-@sky_version@';
const kFiles = ['./', 'index.html', 'page.js', 'page.css', 'watch.js', 'watch.css', 'painter.js', 'paint-worker.js', 'skyrend.js', 'skyrend.wasm', 'synth.js', 'synth.wasm',
                'synth-worker.js', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];
self.addEventListener('install', (e) => e.waitUntil(caches.open(kCache).then((c) => c.addAll(kFiles)).then(() => self.skipWaiting())));
self.addEventListener('activate', (e) => e.waitUntil(
  caches.keys().then((keys) => Promise.all(keys.filter((k) => k !== kCache).map((k) => caches.delete(k))))
    .then(() => self.clients.claim())));
self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET' || new URL(e.request.url).origin !== location.origin) return;
  e.respondWith(fetch(e.request).then((r) => {
    if (r.ok) { const copy = r.clone(); caches.open(kCache).then((c) => c.put(e.request, copy)); }
    return r;
  }).catch(() => caches.match(e.request, { ignoreSearch: true }).then((r) => r || Response.error())));
});
