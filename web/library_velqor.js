// The page side of the web backend (platform/portable/backends/web.cpp),
// linked in with --js-library: the canvas, the page title, the wake-ups, full
// screen, the window's texts for screen readers and the browser's events,
// which call the backend's exports _vq_web_tick, _vq_web_pointer, _vq_web_key,
// _vq_web_keyboard_lost, _vq_web_resize, _vq_web_swipe and
// _vq_web_full_screen_ended. What an event means to the program is the
// program's to say: the page only reports what the user and the browser did.
//
// The canvas has the screen's own pixels: its backing store is its CSS size
// times devicePixelRatio, and every size and position the program sees is in
// those pixels (so the layer's DPI is 96 x the ratio). It fills the page's safe
// area: the window less what a phone's notch and rounded corners take.
mergeInto(LibraryManager.library, {
  $VQ: { canvas: null, context: null, live: null, wake: 0, shown: false, full: false,
         page: null, fitted: '' },

  // The screen's pixels for each CSS pixel.
  $vqRatio: function () { return window.devicePixelRatio || 1; },

  // The page's safe area in CSS pixels: the box of the page's element
  // #safe-area (which the page places by env(safe-area-inset-*)), or the
  // whole window on a page without one. Measured when the page's size may
  // have changed, and kept for placing the canvas, which must not ask the
  // browser for its layout at every frame.
  $vqPage__deps: ['$VQ'],
  $vqPage: function () {
    var safe = document.getElementById('safe-area'), r = safe && safe.getBoundingClientRect();
    VQ.page = r ? { left: r.left, top: r.top, width: r.width, height: r.height }
                : { left: 0, top: 0, width: innerWidth, height: innerHeight };
    return VQ.page;
  },
  // Its size in the screen's pixels.
  $vqPageSize__deps: ['$vqPage', '$vqRatio'],
  $vqPageSize: function () {
    var page = vqPage(), ratio = vqRatio();
    return { width: Math.round(page.width * ratio), height: Math.round(page.height * ratio) };
  },

  // Full screen is over without the program's asking (the browser's own Esc,
  // or a refusal).
  $vqFullScreenEnded__deps: ['$VQ', '$vqPageSize'],
  $vqFullScreenEnded: function () {
    VQ.full = false;
    var size = vqPageSize();
    _vq_web_full_screen_ended(size.width, size.height);
  },

  // The Win32 virtual-key code of a keyboard event, 0 for a key without one.
  // Letters and marks by what the layout makes of them (event.key), as
  // Windows' codes go; the number pad's keys by where they are (event.code).
  $vqVirtualKey: function (e) {
    var named = {
      Backspace: 0x08, Tab: 0x09, Enter: 0x0D, Shift: 0x10, Control: 0x11, Alt: 0x12,
      Pause: 0x13, Escape: 0x1B, Esc: 0x1B, ' ': 0x20, Spacebar: 0x20, PageUp: 0x21,
      PageDown: 0x22, End: 0x23, Home: 0x24, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27,
      ArrowDown: 0x28, Left: 0x25, Up: 0x26, Right: 0x27, Down: 0x28, Insert: 0x2D,
      Delete: 0x2E, '.': 0xBE, '-': 0xBD, '+': 0xBB, '=': 0xBB,
    };
    var pad = { NumpadDecimal: 0x6E, NumpadAdd: 0x6B, NumpadSubtract: 0x6D };
    if (Object.prototype.hasOwnProperty.call(pad, e.code)) return pad[e.code];
    var k = e.key;
    if (Object.prototype.hasOwnProperty.call(named, k)) return named[k];
    if (/^F([1-9]|1[0-2])$/.test(k)) return 0x6F + Number(k.slice(1));
    if (k.length === 1) {
      var c = k.toUpperCase().charCodeAt(0);
      if ((c >= 0x41 && c <= 0x5A) || (c >= 0x30 && c <= 0x39)) return c;
    }
    return 0;
  },

  // Finds or makes the canvas (id "velqor") and the live region inside it
  // that mirrors the window's texts, names the page and listens to it.
  vq_web_open_canvas__deps: ['$VQ', '$vqVirtualKey', '$vqRatio', '$vqPageSize',
                             '$vqFullScreenEnded'],
  vq_web_open_canvas: function (title) {
    var canvas = document.getElementById('velqor');
    if (!canvas) {
      canvas = document.createElement('canvas');
      canvas.id = 'velqor';
      canvas.setAttribute('role', 'img');
      canvas.setAttribute('aria-label', UTF8ToString(title));
      document.body.appendChild(canvas);
    }
    VQ.canvas = canvas;
    VQ.context = canvas.getContext('2d', { alpha: false });
    // The canvas's fallback content, which is what assistive technology reads
    // of it; polite, so a new caption is announced once the reader is idle.
    VQ.live = canvas.querySelector('[aria-live]');
    if (!VQ.live) {
      VQ.live = document.createElement('div');
      VQ.live.setAttribute('aria-live', 'polite');
      canvas.appendChild(VQ.live);
    }
    document.title = UTF8ToString(title);
    function pointer(down, x, y) {
      var r = canvas.getBoundingClientRect(), ratio = vqRatio();
      _vq_web_pointer(down, Math.floor((x - r.left) * ratio), Math.floor((y - r.top) * ratio));
    }
    // The mouse presses at once. A touch is known only when it ends: a tap
    // is a click where it began; a swipe across is reported as one, to the
    // right or to the left.
    var SWIPE = 50; // CSS pixels across, and twice as far across as down
    var touch = null;
    canvas.addEventListener('pointerdown', function (e) {
      if (e.button !== 0) return;
      e.preventDefault();
      canvas.focus({ preventScroll: true, focusVisible: false });
      if (e.pointerType === 'touch') {
        if (e.isPrimary) touch = { x: e.clientX, y: e.clientY };
        return;
      }
      pointer(1, e.clientX, e.clientY);
    });
    canvas.addEventListener('pointerup', function (e) {
      if (e.button !== 0) return;
      e.preventDefault();
      if (e.pointerType !== 'touch') {
        pointer(0, e.clientX, e.clientY);
        return;
      }
      var start = touch;
      touch = null;
      if (!start || !e.isPrimary) return;
      var dx = e.clientX - start.x, dy = e.clientY - start.y;
      if (Math.abs(dx) >= SWIPE && Math.abs(dx) >= 2 * Math.abs(dy)) {
        _vq_web_swipe(dx > 0 ? 1 : 0);
      } else {
        pointer(1, start.x, start.y);
        pointer(0, start.x, start.y);
      }
    });
    canvas.addEventListener('pointercancel', function () { touch = null; });
    // The keyboard: the canvas takes the focus at load and on a click, without
    // the focus ring, which shows when the keyboard brings the focus. Keys
    // the page would act on itself (scrolling, the browser's own full screen)
    // are kept from it; Tab still moves the focus on, and shortcuts with Ctrl
    // or the Meta key still reach the browser.
    var pageKeys = [0x08, 0x0D, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x7A];
    function key(e, down) {
      if (e.ctrlKey || e.metaKey) return;
      var vk = vqVirtualKey(e);
      if (vk === 0) return;
      if (pageKeys.indexOf(vk) >= 0 && e.preventDefault) e.preventDefault();
      _vq_web_key(down, vk, e.altKey ? 1 : 0);
    }
    // A press and release of the key named as KeyboardEvent.key names it.
    function tap(name) {
      key({ key: name }, 1);
      key({ key: name }, 0);
    }
    // The page's own controls: a click on an element with data-vq-key="K"
    // presses that key, by the keyboard's path.
    document.addEventListener('click', function (e) {
      var control = e.target.closest && e.target.closest('[data-vq-key]');
      if (control && !control.disabled) tap(control.getAttribute('data-vq-key'));
    });
    canvas.tabIndex = 0;
    canvas.addEventListener('keydown', function (e) { key(e, 1); });
    canvas.addEventListener('keyup', function (e) { key(e, 0); });
    canvas.addEventListener('blur', function () { _vq_web_keyboard_lost(); });
    canvas.focus({ preventScroll: true, focusVisible: false });
    function resize() {
      var size = vqPageSize();
      _vq_web_resize(size.width, size.height, Math.round(96 * vqRatio()));
    }
    window.addEventListener('resize', resize);
    // A zoom or a move to another screen changes the ratio; a media query on
    // the ratio as it is tells when, and is asked anew for the next change.
    (function watchRatio() {
      var query = matchMedia('(resolution: ' + vqRatio() + 'dppx)');
      query.addEventListener('change', function () { resize(); watchRatio(); }, { once: true });
    })();
    // The browser leaves full screen by itself on its own Esc (or when the
    // page loses it): the backend is told, with the page's size now.
    document.addEventListener('fullscreenchange', function () {
      if (VQ.full && !document.fullscreenElement) vqFullScreenEnded();
    });
  },

  // Full screen on (1) or off (0): asked for while the key that wants it is
  // handled, as browsers require. A browser that refuses it leaves the program
  // as if it had left full screen.
  vq_web_full_screen__deps: ['$VQ', '$vqFullScreenEnded'],
  vq_web_full_screen: function (on) {
    VQ.full = !!on;
    var page = document.documentElement;
    if (on && !document.fullscreenElement && page.requestFullscreen) {
      page.requestFullscreen().catch(function () {
        if (VQ.full) vqFullScreenEnded();
      });
    } else if (!on && document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen().catch(function () {});
    }
  },

  // The screen (the monitor), in its own pixels.
  vq_web_screen_width__deps: ['$vqRatio'],
  vq_web_screen_width: function () { return Math.round(screen.width * vqRatio()); },
  vq_web_screen_height__deps: ['$vqRatio'],
  vq_web_screen_height: function () { return Math.round(screen.height * vqRatio()); },
  vq_web_set_title: function (title) { document.title = UTF8ToString(title); },

  // navigator.languages, one a line, into `out` (`size` bytes); its length.
  vq_web_languages: function (out, size) {
    var list = (navigator.languages && navigator.languages.length ? navigator.languages
                : [navigator.language || '']).join('\n');
    return stringToUTF8(list, out, size);
  },

  // A face, loaded as the script fonts/<name>.js beside the page's, which
  // hands its bytes over (web/face_script.py); they go to the program, which
  // draws again with them. A script, unlike a fetch, loads from a file too.
  vq_web_fetch_face__deps: ['malloc', 'free'],
  vq_web_fetch_face: function (face, file) {
    var name = UTF8ToString(file), waiting = window.velqorFacesWaiting;
    if (!waiting) {
      waiting = window.velqorFacesWaiting = {};
      window.velqorFaceArrived = function (arrived, base64) {
        var take = waiting[arrived];
        delete waiting[arrived];
        if (take) take(base64);
      };
    }
    waiting[name] = function (base64) {
      var bytes = vqBytesOfBase64(base64), at = _malloc(bytes.length);
      HEAPU8.set(bytes, at);
      _vq_web_face_arrived(face, at, bytes.length);
      _free(at);
    };
    var script = document.createElement('script');
    script.src = 'fonts/' + name + '.js';
    script.onerror = function () {
      console.warn('velqor: the font ' + name + ' did not load');
      delete waiting[name];
      _vq_web_face_arrived(face, 0, 0);
    };
    document.head.appendChild(script);
  },

  vq_web_touch_primary: function () { return matchMedia('(pointer: coarse)').matches ? 1 : 0; },
  vq_web_reduced_motion: function () {
    return matchMedia('(prefers-reduced-motion: reduce)').matches ? 1 : 0;
  },
  vq_web_dpi__deps: ['$vqRatio'],
  vq_web_dpi: function () { return Math.round(96 * vqRatio()); },

  // One wake-up of the page after `ms` ms, in place of any asked for before.
  // The callback is marked (vqWakeUp) so that a test page can count wake-ups.
  vq_web_wake_after__deps: ['$VQ'],
  vq_web_wake_after: function (ms) {
    clearTimeout(VQ.wake);
    var wake = function () { VQ.wake = 0; _vq_web_tick(); };
    wake.vqWakeUp = true;
    VQ.wake = setTimeout(wake, ms);
  },

  vq_web_stop__deps: ['$VQ'],
  vq_web_stop: function () {
    clearTimeout(VQ.wake);
    VQ.wake = 0;
  },

  vq_web_show_canvas__deps: ['$VQ'],
  vq_web_show_canvas: function (visible) {
    VQ.canvas.style.visibility = visible ? 'visible' : 'hidden';
  },

  vq_web_page_width__deps: ['$vqPageSize'],
  vq_web_page_width: function () { return vqPageSize().width; },
  vq_web_page_height__deps: ['$vqPageSize'],
  vq_web_page_height: function () { return vqPageSize().height; },

  // Gives the canvas this size in the screen's pixels (its CSS size that over
  // the ratio), at the safe area's corner; 1 when its pixels changed, which
  // also cleared them.
  vq_web_fit_canvas__deps: ['$VQ', '$vqRatio', '$vqPage'],
  vq_web_fit_canvas: function (width, height) {
    var c = VQ.canvas, ratio = vqRatio(), page = VQ.page || vqPage();
    var fit = [page.left, page.top, width, height, ratio].join();
    if (fit === VQ.fitted) return 0;
    VQ.fitted = fit;
    c.style.left = page.left + 'px';
    c.style.top = page.top + 'px';
    c.style.width = width / ratio + 'px';
    c.style.height = height / ratio + 'px';
    if (c.width === width && c.height === height) return 0;
    c.width = width;
    c.height = height;
    return 1;
  },

  // The window's texts (`length` bytes of UTF-8, one a line) into the live
  // region, one paragraph each, its box on the canvas (four ints a text at
  // `boxes`: left, top, right, bottom in the canvas's pixels) as its data-box.
  // Paragraphs whose text stays are left alone but for the box, and new ones
  // go in between, so a reader announces only what is new.
  vq_web_show_texts__deps: ['$VQ'],
  vq_web_show_texts: function (lines, length, boxes) {
    var live = VQ.live;
    var bytes = HEAPU8.subarray(lines, lines + length);
    var texts = [];
    new TextDecoder('utf-8').decode(bytes).split('\n').slice(0, -1).forEach(function (t, i) {
      var at = (boxes >> 2) + 4 * i;
      if (t.trim() !== '')
        texts.push({ text: t.trim(), box: Array.prototype.join.call(HEAP32.subarray(at, at + 4)) });
    });
    var old = Array.prototype.slice.call(live.children), next = 0, after = null;
    texts.forEach(function (t) {
      var found = -1;
      for (var i = next; i < old.length && found < 0; i++)
        if (old[i].textContent === t.text) found = i;
      if (found >= 0) {
        while (next < found) live.removeChild(old[next++]);
        after = old[next++];
      } else {
        var p = document.createElement('p');
        p.textContent = t.text;
        live.insertBefore(p, after ? after.nextSibling : live.firstChild);
        after = p;
      }
      after.setAttribute('data-box', t.box);
    });
    while (next < old.length) live.removeChild(old[next++]);
  },

  // The address follows the program: its query replaced in place, without a
  // new history entry (a page opened from a file may refuse: it stays).
  vq_web_show_address: function (query) {
    var url = new URL(location.href);
    url.search = UTF8ToString(query);
    if (url.href === location.href) return;
    try {
      history.replaceState(history.state, '', url.href);
    } catch (e) {}
  },

  // Puts the rectangle (left, top, width, height) of the canvas from `rows`
  // in wasm memory: the RGBA pixels of whole rows of the canvas, from row
  // `top` on. After the first picture, the performance mark
  // "velqor-first-frame" tells when the browser went on to show it.
  vq_web_put__deps: ['$VQ'],
  vq_web_put: function (rows, left, top, width, height) {
    var across = VQ.canvas.width;
    var data = new Uint8ClampedArray(HEAPU8.buffer, rows, across * height * 4);
    VQ.context.putImageData(new ImageData(data, across, height), 0, top, left, 0, width, height);
    if (!VQ.shown) {
      VQ.shown = true;
      requestAnimationFrame(function () { performance.mark('velqor-first-frame'); });
    }
  },
});
