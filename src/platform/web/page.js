// The page's side of the web backend (linked with --js-library): the canvas's pixels, full
// screen, the corner's buttons and the settings panel, the page's showing and its screen's
// density, Web Audio and localStorage. Input for the saver comes through emscripten's HTML5 API;
// everything here is the page's own.
mergeInto(LibraryManager.library, {
  $Page: {
    profileKey: 'polkamoot/control.ini',
    context: null,
    image: null,
    corner: 0,
    audio: null,
    buffers: null,
    playing: null,
    element: function(id) {
      return document.getElementById(id);
    },
    control: function(id) {
      return document.getElementById('c' + id);
    },
    string: function(text) {
      var size = lengthBytesUTF8(text) + 1;
      var at = _malloc(size);
      stringToUTF8(text, at, size);
      return at;
    },
    fullScreen: function() {
      var root = document.documentElement;
      var request = root.requestFullscreen || root.webkitRequestFullscreen;
      if (request && !document.fullscreenElement) {
        var promise = request.call(root);
        if (promise) promise.catch(function() {});
      }
    },
    // The corner's buttons show while the pointer moves, and go after three still seconds.
    wake: function() {
      document.body.classList.add('awake');
      clearTimeout(Page.corner);
      Page.corner = setTimeout(function() {
        document.body.classList.remove('awake');
      }, 3000);
    },
    // A window moved to a screen of another density changes no size in CSS pixels: only the
    // query for the density it had tells (where a query tells anything).
    watchDensity: function() {
      var query = matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      if (!query.addEventListener) return;
      query.addEventListener('change', function() {
        Page.watchDensity();
        _polkamoot_page_resized();
      }, {once: true});
    },
    stopCry: function() {
      if (Page.playing) {
        Page.playing.stop();
        Page.playing = null;
      }
    },
    // A WAVE image of 8- or 16-bit PCM as an AudioBuffer; null for any other.
    decode: function(image, size) {
      var bytes = HEAPU8.subarray(image, image + size);
      var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      var format = null;
      for (var at = 12; at + 8 <= size;) {
        var id = String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
        var declared = view.getUint32(at + 4, true);
        var length = Math.min(declared, size - at - 8);
        if (id == 'fmt ' && length >= 16) {
          format = {tag: view.getUint16(at + 8, true), channels: view.getUint16(at + 10, true),
                    rate: view.getUint32(at + 12, true), bits: view.getUint16(at + 22, true)};
        } else if (id == 'data' && format && format.tag == 1 && format.channels > 0 &&
                   (format.bits == 8 || format.bits == 16)) {
          var step = format.bits / 8 * format.channels;
          var frames = Math.floor(length / step);
          if (!frames) return null;
          var buffer = Page.audio.createBuffer(format.channels, frames, format.rate);
          for (var c = 0; c < format.channels; ++c) {
            var samples = buffer.getChannelData(c);
            for (var f = 0; f < frames; ++f) {
              var p = at + 8 + f * step + c * format.bits / 8;
              samples[f] = format.bits == 8 ? (bytes[p] - 128) / 128 : view.getInt16(p, true) / 32768;
            }
          }
          return buffer;
        }
        at += 8 + declared + (declared & 1); // chunks keep an even length
      }
      return null;
    },
  },

  // Every function below reaches Page, which comes with this one, the first the program calls.
  polkamoot_page_open__deps: ['$Page', 'malloc'],
  polkamoot_page_open: function() {
    Page.context = Page.element('canvas').getContext('2d', {alpha: false});
    Page.buffers = new Map();
    Page.element('full-screen').addEventListener('click', Page.fullScreen);
    Page.element('canvas').addEventListener('dblclick', Page.fullScreen);
    Page.element('settings').addEventListener('click', function() {
      _polkamoot_open_panel();
    });
    [1, 2, 1005].forEach(function(id) {
      Page.control(id).addEventListener('click', function() {
        _polkamoot_panel_command(id);
      });
    });
    // OK is the default button; Escape is Cancel.
    Page.element('panel').addEventListener('keydown', function(event) {
      if (event.key == 'Enter' && event.target.tagName != 'BUTTON') {
        event.preventDefault();
        _polkamoot_panel_command(1);
      } else if (event.key == 'Escape') {
        _polkamoot_panel_command(2);
      }
    });
    document.addEventListener('mousemove', Page.wake);
    var shown = function() {
      _polkamoot_page_shown(document.hidden ? 0 : 1);
    };
    document.addEventListener('visibilitychange', shown);
    window.addEventListener('pageshow', shown);
    window.addEventListener('pagehide', function() {
      _polkamoot_page_shown(0);
    });
    if (document.hidden) shown();
    Page.watchDensity();
  },

  polkamoot_page_size: function(size) {
    var ratio = window.devicePixelRatio || 1;
    var box = Page.element('canvas').getBoundingClientRect();
    HEAP32[size >> 2] = Math.round(box.width * ratio);
    HEAP32[(size >> 2) + 1] = Math.round(box.height * ratio);
    HEAP32[(size >> 2) + 2] = Math.max(1, Math.round(ratio));
  },

  polkamoot_size_canvas: function(width, height) {
    var canvas = Page.element('canvas');
    canvas.width = width;
    canvas.height = height;
    Page.context.fillStyle = '#000';
    Page.context.fillRect(0, 0, width, height);
    Page.image = null;
  },

  // The pixels stay in the program's memory; a view on them is made anew when the memory grows.
  polkamoot_present: function(rgba, width, height, x, y, w, h) {
    var image = Page.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== rgba ||
        image.width !== width || image.height !== height) {
      image = Page.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
    }
    Page.context.putImageData(image, 0, 0, x, y, w, h);
  },

  polkamoot_set_cursor: function(shown) {
    Page.element('canvas').style.cursor = shown ? '' : 'none';
  },

  polkamoot_leave_full_screen: function() {
    if (document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen().catch(function() {});
    }
  },

  polkamoot_address: function() {
    return Page.string(location.search);
  },

  polkamoot_load_profile: function() {
    try {
      var text = localStorage.getItem(Page.profileKey);
      return text === null ? 0 : Page.string(text);
    } catch (error) {
      return 0;
    }
  },

  polkamoot_store_profile: function(text) {
    var storage = null;
    try {
      storage = window.localStorage;
    } catch (error) {}
    if (!storage) return 0;
    try {
      storage.setItem(Page.profileKey, UTF8ToString(text));
      return 1;
    } catch (error) {
      return -1;
    }
  },

  polkamoot_warn: function(text) {
    console.warn(UTF8ToString(text));
  },

  // Closed, the panel gives the focus back to the button that opens it.
  polkamoot_panel_show: function(shown) {
    document.body.classList.toggle('configuring', !!shown);
    var focus = shown ? Page.element('panel').querySelector('input:not(:disabled)') :
                        Page.element('settings');
    if (focus) focus.focus();
  },

  polkamoot_control_check: function(id, checked) {
    Page.control(id).checked = !!checked;
  },

  polkamoot_control_checked: function(id) {
    return Page.control(id).checked ? 1 : 0;
  },

  polkamoot_control_enable: function(id, enabled) {
    Page.control(id).disabled = !enabled;
  },

  polkamoot_control_focus: function(id) {
    Page.control(id).focus();
  },

  polkamoot_control_set_text: function(id, text) {
    Page.control(id).value = UTF8ToString(text);
  },

  polkamoot_control_text: function(id) {
    return Page.string(Page.control(id).value);
  },

  polkamoot_panel_message: function(caption, text) {
    Page.element('refusal-caption').textContent = polkamootText(UTF8ToString(caption));
    Page.element('refusal-text').textContent = polkamootText(UTF8ToString(text));
    Page.element('refusal').hidden = !HEAPU8[text];
  },

  polkamoot_panel_note: function(id, shown) {
    Page.element(UTF8ToString(id)).hidden = !shown;
  },

  polkamoot_audio_devices: function() {
    return window.AudioContext || window.webkitAudioContext ? 1 : 0;
  },

  // A context made in a gesture that does not activate the page (Escape) would never run.
  polkamoot_audio_unlock: function() {
    var Context = window.AudioContext || window.webkitAudioContext;
    var activation = navigator.userActivation;
    if (!Context || (activation && !activation.isActive)) return;
    if (!Page.audio) Page.audio = new Context();
    if (Page.audio.state == 'suspended') Page.audio.resume();
  },

  polkamoot_audio_want: function(wanted) {
    if (!Page.audio) return;
    if (!wanted) {
      Page.stopCry();
      Page.audio.suspend();
    } else if (Page.audio.state == 'suspended') {
      Page.audio.resume();
    }
  },

  // A cry started while the audio does not run would never end, and hold back every later one.
  polkamoot_audio_play: function(image, size) {
    if (!Page.audio || Page.audio.state != 'running') return 0;
    var buffer = Page.buffers.get(image);
    if (buffer === undefined) {
      buffer = Page.decode(image, size);
      Page.buffers.set(image, buffer);
    }
    if (!buffer) return 0;
    if (Page.playing) Page.playing.stop();
    var source = Page.audio.createBufferSource();
    source.buffer = buffer;
    source.connect(Page.audio.destination);
    source.onended = function() {
      if (Page.playing === source) Page.playing = null;
    };
    Page.playing = source;
    source.start();
    return 1;
  },

  polkamoot_audio_playing: function() {
    return Page.playing ? 1 : 0;
  },

  polkamoot_audio_stop: function() {
    Page.stopCry();
  },
});

