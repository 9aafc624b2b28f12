// Keeps the page for visits without a network. Its files are cached on install under this
// version's name, and answer whenever the network does not; the network comes first, so that a
// page rebuilt under the same version never shows stale while its server is there. A new version
// takes over at once and drops the caches of the old.
var cacheName = 'polkamoot-@PROJECT_VERSION@';
var files = './;@POLKAMOOT_PAGE_FILES@'.split(';');

self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(cacheName).then(function(cache) {
    return cache.addAll(files);
  }).then(function() {
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.startsWith('polkamoot-') && name != cacheName;
    }).map(function(name) {
      return caches.delete(name);
    }));
  }));
});

// A page's address carries its settings in the query, which the cached page reads all the same.
self.addEventListener('fetch', function(event) {
  if (event.request.method != 'GET') return;
  event.respondWith(fetch(event.request).catch(function(error) {
    return caches.open(cacheName).then(function(cache) {
      return cache.match(event.request, {ignoreSearch: true});
    }).then(function(cached) {
      return cached || Promise.reject(error);
    });
  }));
});
