// The page's start, before its program: a notice in the reader's language whenever the bears
// cannot dance, and the service worker that keeps the page for visits without a network.

// Without its texts the page speaks English.
var polkamootText = window.polkamootText || String;

function failed(why) {
  var notice = document.getElementById('failed');
  if (!notice.hidden) return; // the first cause is the one to tell
  notice.textContent = polkamootText('The bears could not start here.') + (why && ' ' + why);
  notice.hidden = false;
}

// The one-file page brings its program along; a served page fetches it, which a page opened as
// a file may not do.
var Module = window.Module || {};
var fetchesProgram = !Module.wasmBinary;
Module.onAbort = function() {
  failed('');
};
if (location.protocol == 'file:' && fetchesProgram) {
  failed(polkamootText('Serve this folder with a web server and open its address.'));
}

// Every script here is the page's own, so a script that does not load, or an error that nobody
// caught, leaves the program missing or stuck where it stopped. An error event without an error
// (a layout loop's) is no failure, and a rejection is one only while the program is starting.
addEventListener('error', function(event) {
  if (event.target instanceof HTMLScriptElement || event.error != null) failed('');
}, true);
addEventListener('unhandledrejection', function() {
  if (!Module.calledRun) failed('');
});

// The panel's buttons act through the program; Enter must not send the form anywhere.
document.getElementById('panel').addEventListener('submit', function(event) {
  event.preventDefault();
});

// Each visit asks for a new worker, which a browser left to itself does only now and then.
if (fetchesProgram && location.protocol.startsWith('http') && 'serviceWorker' in navigator) {
  addEventListener('load', function() {
    navigator.serviceWorker.register('service-worker.js').then(function(registration) {
      return registration.update();
    }).catch(function() {});
  });
}
