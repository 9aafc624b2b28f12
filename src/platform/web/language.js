// The page in its reader's language: the texts index.html marks with data-text, titles and
// labels, and whatever the page hands to polkamootText, from PolkamootCatalogue, which the
// build writes above this from resources/po. English is the page's own, and stands wherever a
// language lacks a text.

// The language the page speaks: the address's ?lang= when it names one, else the first of the
// browser's languages that the page carries; a regional variant falls back to its language
// (de-AT to de), and anything else to English.
function polkamootLanguage(search, preferred) {
  var asked = new URLSearchParams(search).get('lang');
  var wanted = asked === null ? preferred : [asked];
  var carried = Object.keys(PolkamootCatalogue);
  for (var i = 0; i < wanted.length; ++i) {
    var tag = String(wanted[i]).toLowerCase();
    var found = carried.find(function(c) { return c.toLowerCase() == tag; }) ||
                carried.find(function(c) { return c.split('-')[0] == tag.split('-')[0]; });
    if (found) return found;
  }
  return 'en';
}

var polkamootSpoken = polkamootLanguage(location.search, navigator.languages || [navigator.language]);

function polkamootText(english) {
  var texts = PolkamootCatalogue[polkamootSpoken];
  return Object.prototype.hasOwnProperty.call(texts, english) ? texts[english] : english;
}

document.documentElement.lang = polkamootSpoken;
document.addEventListener('DOMContentLoaded', function() {
  document.querySelectorAll('[data-text]').forEach(function(element) {
    var text = polkamootText(element.dataset.text || element.textContent.trim());
    // As in the Windows dialog, & marks the access key of the box the text labels; the page
    // shows no key, so a key in brackets, as Japanese and Chinese write it, goes too.
    var key = /&(.)/.exec(text);
    var box = element.closest('label') && element.closest('label').querySelector('[accesskey]');
    if (key && box) box.accessKey = key[1].toLowerCase();
    element.textContent = text.replace(/\s*\(&.\)|&/, '');
  });
  document.querySelectorAll('[title], [aria-label]').forEach(function(element) {
    ['title', 'aria-label'].forEach(function(name) {
      if (element.hasAttribute(name)) {
        element.setAttribute(name, polkamootText(element.getAttribute(name)));
      }
    });
  });
});
