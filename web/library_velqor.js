// The page side of the web backend (platform/portable/backends/web.cpp),
// linked in with --js-library: the canvas, the page title, the wake-ups and
// the browser's events, which call the backend's exports _vq_web_tick,
// _vq_web_pointer and _vq_web_resize.
mergeInto(LibraryManager.library, {
  $VQ: { canvas: null, context: null, wake: 0, shown: false },

  // Finds or makes the canvas (id "velqor"), names the page and listens to it.
  vq_web_open_canvas__deps: ['$VQ'],
  vq_web_open_canvas: function (title) {
    var canvas = document.getElementById('velqor');
    if (!canvas) {
      canvas = document.createElement('canvas');
      canvas.id = 'velqor';
      document.body.appendChild(canvas);
    }
    VQ.canvas = canvas;
    VQ.context = canvas.getContext('2d', { alpha: false });
    document.title = UTF8ToString(title);
    function press(e, down) {
      if (e.button !== 0) return;
      e.preventDefault();
      var r = canvas.getBoundingClientRect();
      _vq_web_pointer(down, Math.floor(e.clientX - r.left), Math.floor(e.clientY - r.top));
    }
    canvas.addEventListener('pointerdown', function (e) { press(e, 1); });
    canvas.addEventListener('pointerup', function (e) { press(e, 0); });
    window.addEventListener('resize', function () { _vq_web_resize(innerWidth, innerHeight); });
  },

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

  vq_web_page_width: function () { return innerWidth; },
  vq_web_page_height: function () { return innerHeight; },

  // Gives the canvas this size in canvas and CSS pixels; 1 when it changed,
  // which also cleared it.
  vq_web_fit_canvas__deps: ['$VQ'],
  vq_web_fit_canvas: function (width, height) {
    var c = VQ.canvas;
    if (c.width === width && c.height === height) return 0;
    c.width = width;
    c.height = height;
    c.style.width = width + 'px';
    c.style.height = height + 'px';
    return 1;
  },

  // Puts width x height RGBA pixels from wasm memory at (x, y). After the first
  // picture, the performance mark "velqor-first-frame" tells when the browser
  // went on to show it.
  vq_web_put__deps: ['$VQ'],
  vq_web_put: function (rgba, x, y, width, height) {
    var data = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    VQ.context.putImageData(new ImageData(data, width, height), x, y);
    if (!VQ.shown) {
      VQ.shown = true;
      requestAnimationFrame(function () { performance.mark('velqor-first-frame'); });
    }
  },
});
