// The page's start, before its program.

function failed(why) {
  var notice = document.getElementById('failed');
  notice.textContent = polkamootText('The bears could not start here.') + (why && ' ' + why);
  notice.hidden = false;
}

// A page opened as a file may not fetch its program.
var Module = {
  onAbort: function() {
    failed('');
  },
};
if (location.protocol == 'file:') {
  failed(polkamootText('Serve this folder with a web server and open its address.'));
}

// The panel's buttons act through the program; Enter must not send the form anywhere.
document.getElementById('panel').addEventListener('submit', function(event) {
  event.preventDefault();
});
