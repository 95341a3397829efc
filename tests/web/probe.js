// Loaded into every test page before the program: watches what reaches the
// canvas and reads the picture back in the program's own terms: world
// coordinates x from -2.1 to 2.1 and y from -1.25 to 1.25, y up, over the
// picture's rectangle (a page's picture keeps the designed proportion: the
// largest 1002:583 rectangle in the middle of the canvas); the caption band
// is the top 40 designed rows of it, or down to the lowest text the program
// wrote in the upper quarter, where the band took more (the texts' boxes are
// on the live region's paragraphs). layoutFacts reads a given rectangle.
(() => {
  // Wake-ups of the page for its timer (the callbacks the page marks vqWakeUp).
  let wakeups = 0;
  const setTimeout = window.setTimeout;
  window.setTimeout = function (fn, ms, ...rest) {
    if (typeof fn === 'function' && fn.vqWakeUp) {
      const inner = fn;
      fn = function (...args) {
        wakeups++;
        return inner.apply(this, args);
      };
    }
    return setTimeout.call(this, fn, ms, ...rest);
  };

  const puts = [];
  let first = null;
  let firstCount = 0; // puts of the start-up task
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (image, x, y, ...rest) {
    put.call(this, image, x, y, ...rest);
    // With a dirty rectangle (left, top, width, height) only that part is put.
    const [left = 0, top = 0, w = image.width, h = image.height] = rest;
    puts.push({ t: performance.now(), x: x + left, y: y + top, w, h });
    if (first === null) {
      first = 'pending';
      // Everything the program draws at start-up is put in one task: keep the
      // picture as it stands at the end of that task, before any tick.
      queueMicrotask(() => {
        first = read();
        firstCount = puts.length;
      });
    }
  };

  // What the page's live regions announce: each paragraph put into one, in
  // order, as a screen reader would hear them.
  const spoken = [];
  new MutationObserver((records) => {
    for (const r of records)
      for (const n of r.addedNodes)
        if (n.nodeType === 1 && n.parentElement?.closest('[aria-live]')) spoken.push(n.textContent);
  }).observe(document, { childList: true, subtree: true });

  // Opaque colours as they read from a Uint32Array over RGBA bytes.
  const rgba = (r, g, b) => ((255 << 24) | (b << 16) | (g << 8) | r) >>> 0;
  const RED = rgba(255, 0, 0);
  const WHITE = rgba(255, 255, 255);
  const GREY = rgba(192, 192, 192);

  const canvas = () => document.getElementById('velqor');

  // The texts on the canvas as the live region mirrors them, each with its
  // box [left, top, right, bottom] in canvas pixels.
  const texts = () => [...(canvas()?.querySelector('[aria-live]')?.children ?? [])]
    .map((e) => ({ text: e.textContent, box: (e.dataset.box ?? '').split(',').map(Number) }));

  // The picture, or the part of it from row y0 down, as 32-bit pixels, with
  // the picture's rectangle r, the first row below the caption band and the
  // pens' width.
  function read(y0 = 0) {
    const c = canvas();
    const img = c.getContext('2d').getImageData(0, y0, c.width, c.height - y0);
    const r = fitted(c.width, c.height);
    const band = Math.max(r.y + Math.round((40 * r.h) / 583), ...texts()
      .filter((t) => t.box[1] < r.y + r.h / 4).map((t) => t.box[3]));
    return { width: c.width, height: c.height, y0, px: new Uint32Array(img.data.buffer), r, band,
             pen: Math.max(Math.round((2 * r.h) / 583), 1) };
  }
  const at = (p, x, y) => p.px[(y - p.y0) * p.width + x];

  // Window pixel of a world point, as the program maps it (halves to even).
  function px(p, x, y) {
    const even = (v) => {
      const r = Math.round(v);
      return Math.abs(v - Math.trunc(v)) === 0.5 && r % 2 !== 0 ? r - 1 : r;
    };
    const { r } = p;
    return [r.x + even((r.w / 4.2) * (x + 2.1)), r.y + r.h - even((r.h / 2.5) * (y + 1.25))];
  }

  function near(p, X, Y, r, color) {
    for (let y = Math.max(p.y0, Y - r); y <= Math.min(p.height - 1, Y + r); y++)
      for (let x = Math.max(0, X - r); x <= Math.min(p.width - 1, X + r); x++)
        if (at(p, x, y) === color) return true;
    return false;
  }

  // Pixels of `color` below the caption band: count, bounding box, centre.
  function blob(p, color) {
    let n = 0, sx = 0, sy = 0, x0 = 1e9, y0 = 1e9, x1 = -1, y1 = -1;
    const w = p.width;
    for (let y = Math.max(p.band, p.y0); y < p.height; y++) {
      const row = (y - p.y0) * w;
      for (let x = 0; x < w; x++)
        if (p.px[row + x] === color) {
          n++; sx += x; sy += y;
          if (x < x0) x0 = x;
          if (x > x1) x1 = x;
          if (y < y0) y0 = y;
          y1 = y;
        }
    }
    return { n, x: n ? sx / n : NaN, y: n ? sy / n : NaN, x0, y0, x1, y1 };
  }

  // Where the white point is, in world coordinates, its angle in degrees, and
  // its extent in pixels over the extent one point has at this size.
  function point(p) {
    const b = blob(p, WHITE), { r } = p;
    const sx = r.w / 4.2, sy = r.h / 2.5;
    const x = (b.x - r.x) / sx - 2.1, y = (r.y + r.h - b.y) / sy - 1.25;
    // A point is 0.06 by 0.1 wide in the world, drawn with the pen.
    const one = Math.max(0.06 * sx, 0.1 * sy) + 2 * p.pen;
    return { n: b.n, x, y, deg: (Math.atan2(y, x) * 180) / Math.PI,
             span: Math.max(b.x1 - b.x0, b.y1 - b.y0), one };
  }
  const onePoint = (q) => q.n > 100 && q.span <= q.one;

  const opaque = (p) => p.px.every((v) => v >>> 24 === 255);

  // The opening picture: the red circle, black inside, one white point.
  function circleFacts(p) {
    const extremes = [[1, 0], [-1, 0], [0, 1], [0, -1]].map(([x, y]) => {
      const [X, Y] = px(p, x, y);
      return near(p, X, Y, 2, RED);
    });
    const [cx, cy] = px(p, 0, 0);
    let band = 0;
    for (let i = 0; i < p.width * p.band; i++) if ((p.px[i] & 0xffffff) !== 0) band++;
    const q = point(p);
    return { width: p.width, height: p.height, extremes,
             centreBlack: at(p, cx, cy) === rgba(0, 0, 0), point: q, onePoint: onePoint(q),
             opaque: opaque(p), bandInk: band };
  }

  // Red pixels below the band: how many, how many lie within a pen's width
  // (2 pixels at least) of the column of world x, and how many columns they
  // span; and at how many of 19 heights from y = -0.9 to 0.9 the line at x is
  // there.
  function redAround(p, x) {
    const [X] = px(p, x, 0), d = Math.max(2, p.pen);
    const b = blob(p, RED);
    let inColumn = 0;
    for (let y = Math.max(p.band, p.y0); y < p.height; y++)
      for (let xx = Math.max(0, X - d); xx <= Math.min(p.width - 1, X + d); xx++)
        if (at(p, xx, y) === RED) inColumn++;
    let along = 0;
    for (let i = -9; i <= 9; i++) {
      const [PX, PY] = px(p, x, i / 10);
      if (near(p, PX, PY, 2, RED)) along++;
    }
    return { all: b.n, inColumn, along, columns: b.n ? b.x1 - b.x0 + 1 : 0 };
  }

  // How much of the trace y = sin(5 degrees per step) with steps of `dx`
  // from x0 is drawn in light grey, at the points where the ticks put it.
  function traceFacts(p, x0, dx, steps) {
    let hits = 0, tried = 0;
    for (let n = 0; n <= steps; n += 3) {
      const x = x0 + n * dx;
      if (x < -2.1 || x > 1.95) continue;
      const [X, Y] = px(p, x, Math.sin((5 * n * Math.PI) / 180));
      tried++;
      if (near(p, X, Y, 2, GREY)) hits++;
    }
    const g = blob(p, GREY);
    const [, top] = px(p, 0, 1), [, bottom] = px(p, 0, -1);
    return { hits, tried, grey: g.n, reachesTop: Math.abs(g.y0 - top) <= 3,
             reachesBottom: Math.abs(g.y1 - bottom) <= 3 };
  }

  // Samples the point's angle, and the counts of wake-ups and puts so far,
  // every `every` ms for `ms` ms.
  async function track(ms, every) {
    const out = [];
    const end = performance.now() + ms;
    while (performance.now() < end) {
      const q = point(read());
      out.push({ t: performance.now(), deg: q.deg, n: q.n, wakeups, puts: puts.length });
      await new Promise((ok) => setTimeout(ok, every));
    }
    return out;
  }

  // Presses the left button `count` times in one go.
  function burst(count) {
    const c = canvas(), r = c.getBoundingClientRect();
    const at = { button: 0, isPrimary: true, bubbles: true, clientX: r.left + r.width / 2,
                 clientY: r.top + r.height / 2 };
    for (let i = 0; i < count; i++) {
      c.dispatchEvent(new PointerEvent('pointerdown', at));
      c.dispatchEvent(new PointerEvent('pointerup', at));
    }
  }

  // Keeps the page busy for `ms` ms, as a slow machine would.
  function hog(ms) {
    const end = performance.now() + ms;
    while (performance.now() < end);
  }

  // Presentation mode's picture: the largest rectangle of 1002:583 in the
  // middle of a width x height canvas, as the program lays it out.
  function fitted(width, height) {
    let w = width, h = height;
    if (width * 583 >= height * 1002) w = Math.floor((2 * height * 1002 + 583) / 1166);
    else h = Math.floor((2 * width * 583 + 1002) / 2004);
    return { x: Math.floor((width - w) / 2), y: Math.floor((height - h) / 2), w, h };
  }

  // The height in rows of the first glyph's ink in a text's box: of the
  // columns from the first with ink to the next without, the rows that differ
  // from the box's corner pixel (its background).
  function inkHeight(p, [left, top, right, bottom]) {
    const back = at(p, left, top);
    let y0 = Infinity, y1 = -1, inked = false;
    for (let x = left; x < right; x++) {
      let any = false;
      for (let y = top; y < bottom; y++)
        if (at(p, x, y) !== back) {
          any = true;
          y0 = Math.min(y0, y);
          y1 = Math.max(y1, y);
        }
      if (inked && !any) break;
      inked ||= any;
    }
    return y1 < 0 ? 0 : y1 - y0 + 1;
  }

  // Facts of the opening picture within rectangle r (the picture's when none
  // is given): the ring's width over its height, from its outermost red
  // pixels on the row and the column through its centre (doubled from the
  // centre, as the turning point may cover one end); the rows of the caption
  // band (40 of the design's rows) with ink in its middle third, the
  // caption's height; and whether all outside r is black.
  function layoutFacts(p, r = p.r) {
    const cx = Math.round(r.x + (2.1 / 4.2) * r.w), cy = Math.round(r.y + r.h / 2);
    let half = 0, halfHigh = 0;
    for (let x = r.x; x < r.x + r.w; x++)
      if (at(p, x, cy) === RED) half = Math.max(half, Math.abs(x - cx));
    for (let y = r.y; y < r.y + r.h; y++)
      if (at(p, cx, y) === RED) halfHigh = Math.max(halfHigh, Math.abs(y - cy));
    const band = Math.round((40 * r.h) / 583);
    let ink = 0;
    for (let y = r.y; y < r.y + band; y++) {
      let any = false;
      for (let x = r.x + Math.floor(r.w / 3); x < r.x + Math.floor((2 * r.w) / 3) && !any; x++)
        any = (at(p, x, y) & 0xffffff) !== 0;
      ink += any;
    }
    let outside = 0;
    for (let y = 0; y < p.height; y++)
      for (let x = 0; x < p.width; x++)
        if ((x < r.x || x >= r.x + r.w || y < r.y || y >= r.y + r.h) &&
            (at(p, x, y) & 0xffffff) !== 0) outside++;
    return { rect: r, ring: halfHigh ? half / halfHigh : 0, captionRows: ink, scale: r.h / 583,
             blackOutside: outside === 0 };
  }

  window.vqProbe = {
    read, point, circleFacts, redAround, traceFacts, track, burst, hog, layoutFacts, texts,
    inkHeight,
    spoken: () => spoken.slice(),
    // What the canvas's live region holds now.
    live: () => texts().map((t) => t.text),
    // The control bar: shown, taking the pointer, and its opacity as it fades.
    bar: () => {
      const b = document.getElementById('controls'), s = getComputedStyle(b);
      return { shown: b.classList.contains('shown'), clickable: s.pointerEvents !== 'none',
               opacity: s.opacity };
    },
    // A hash of the picture, to tell whether anything on it moved.
    hash: () => read().px.reduce((h, v) => Math.imul(h ^ v, 16777619), 2166136261) >>> 0,
    first: () => (first && first !== 'pending' ? first : null),
    firstCount: () => firstCount,
    puts: () => puts.slice(),
    wakeups: () => wakeups,
    canvasSize: () => {
      const c = canvas(), r = c.getBoundingClientRect();
      return { width: c.width, height: c.height, cssWidth: r.width, cssHeight: r.height };
    },
  };
})();
