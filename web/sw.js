// The page's service worker: keeps the page's files in a cache of its own, so
// that the page opens with no network and installs as an app. The build fills
// in the version, the files and a digest of them: a new build is a new worker,
// which the browser installs at a later load, replacing the cache. Registered
// by index.html when the page is served over http(s).
'use strict';
const CACHE = 'velqor-@VELQOR_VERSION@-@VELQOR_WEB_DIGEST@';
const FILES = '@VELQOR_WEB_FILES@'.split(' ');
const scope = () => new URL(self.registration.scope);

// A language's face and the page's texts in it are fetched only where that
// language is chosen, and kept from then on; the rest is kept at install.
const onDemand = (name) => name.startsWith('fonts/') || name.startsWith('texts/');

// The name of the page's file that answers a request, or null for one the
// network takes; the folder's own address is the page, whatever the query.
function fileFor(request) {
  if (request.method !== 'GET') return null;
  const url = new URL(request.url), base = scope();
  if (url.origin !== base.origin || !url.pathname.startsWith(base.pathname)) return null;
  const name = url.pathname.slice(base.pathname.length) || 'index.html';
  return FILES.includes(name) ? name : null;
}

self.addEventListener('install', (event) => {
  // Checked with the host, past the browser's HTTP cache, which may hold the
  // last build.
  const fresh = FILES.filter((name) => !onDemand(name))
    .map((name) => new Request(new URL(name, scope()), { cache: 'no-cache' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh))
    .then(() => self.skipWaiting()));
});

// Earlier builds' caches of this folder go; those of another copy of the page
// elsewhere on the site, and the site's other caches, stay.
self.addEventListener('activate', (event) => {
  const page = new URL('index.html', scope()).href;
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith('velqor-') && name !== CACHE)
    .map((name) => caches.open(name).then((cache) => cache.match(page))
      .then((ours) => ours && caches.delete(name))))));
});

self.addEventListener('fetch', (event) => {
  const name = fileFor(event.request);
  if (name === null) return;
  const file = new URL(name, scope()).href;
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(file).then((cached) => {
    if (cached) return cached;
    return fetch(event.request).then((response) => {
      if (response.ok && onDemand(name)) cache.put(file, response.clone());
      return response;
    });
  })));
});
