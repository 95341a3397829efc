// The player's controls and its dialogs, with their style sheet and what makes
// them work. The page loads this once the program's first picture has been
// shown, which does not wait for them, and calls velqorPlayer with its own
// translation of a subtree into the page's language and its text for an
// English one (index.html).
(function () {
  var PLAYER_STYLE = `<style>
/* The player's controls, a row or a column, placed by the page's script: in
   the margin below or beside the picture where they fit there, always shown
   there but in full screen (docked); else over the picture, clear of its
   circle where they can be. Where not docked they show while the pointer
   moves or a control has the keyboard, and are gone when all is still. */
#controls { position: fixed; left: 0; top: 0; width: fit-content; box-sizing: border-box;
            display: flex; flex-wrap: wrap; justify-content: center;
            gap: 6px; padding: 6px; border-radius: 8px;
            background: rgba(0, 0, 0, 0.8); opacity: 0; pointer-events: none;
            transition: opacity 0.3s; }
#controls.column { flex-direction: column; flex-wrap: nowrap; }
#controls.shown, #controls.docked { opacity: 1; pointer-events: auto; }
button { font: 15px/1.2 sans-serif; color: #fff; background: #303030; min-height: 40px;
         padding: 8px 12px; border: 1px solid #9a9a9a; border-radius: 4px; cursor: pointer;
         white-space: nowrap; }
/* A finger's targets. */
@media (pointer: coarse) { button { min-width: 44px; min-height: 44px; } }
button:hover { background: #484848; }
button:focus-visible { outline: 3px solid #ffd700; outline-offset: 1px; }
dialog { color: #fff; background: #181818; border: 1px solid #9a9a9a; border-radius: 8px;
         font: 15px/1.4 sans-serif; max-width: min(34em, calc(100% - 6px - 2em)); }
dialog::backdrop { background: rgba(0, 0, 0, 0.6); }
dialog h2 { font-size: 18px; margin: 0 0 8px; }
dialog th { text-align: left; padding: 3px 16px 3px 0; font-weight: normal; color: #ccc; }
dialog p { color: #ccc; font-size: 15px; margin: 10px 0; }
/* The settings: a group of choices a row, each choice a large target. */
fieldset { border: 1px solid #5a5a5a; border-radius: 6px; margin: 0 0 10px;
           padding: 4px 10px 6px; }
legend { color: #ccc; padding: 0 4px; }
.choice { display: inline-flex; align-items: center; gap: 6px; min-height: 36px;
          margin-right: 16px; cursor: pointer; }
input[type=radio] { width: 18px; height: 18px; margin: 0; accent-color: #ffd700; }
select, input[type=text] { font: 15px sans-serif; color: #fff; background: #303030;
                           min-height: 40px; padding: 4px 8px; border: 1px solid #9a9a9a;
                           border-radius: 4px; box-sizing: border-box; }
input:focus-visible, select:focus-visible { outline: 3px solid #ffd700; outline-offset: 1px; }
.field { display: flex; flex-wrap: wrap; align-items: center; gap: 6px 10px; margin: 10px 0 0; }
.field label { color: #ccc; }
.field input { flex: 1 1 12em; min-width: 0; }
dialog p.hint { font-size: 14px; margin: 2px 0 8px; }
#settings { width: 28em; }
#settings-copied { color: #fff; }
/* A phone held sideways: the settings closer together, to scroll less. */
@media (max-height: 480px) {
  dialog { padding-top: 8px; padding-bottom: 8px; }
  fieldset { margin-bottom: 6px; }
  .choice { min-height: 30px; }
  .field { margin-top: 4px; }
}
kbd { font: 14px monospace; color: #fff; padding: 0 4px; border: 1px solid #9a9a9a;
      border-radius: 3px; }
@media (prefers-reduced-motion: reduce) { #controls { transition: none; } }
</style>`;

  var PLAYER_MARKUP = `
<div id="controls" role="group" aria-label="Player controls" data-t-label>
  <button type="button" data-vq-key="PageUp" aria-keyshortcuts="PageUp"><span aria-hidden="true">&#9664; </span><span data-t>Back</span></button>
  <button type="button" data-vq-key="k" aria-keyshortcuts="K"><span data-t>Pause / play</span></button>
  <button type="button" data-vq-key="PageDown" aria-keyshortcuts="PageDown"><span data-t>Next</span><span aria-hidden="true"> &#9654;</span></button>
  <button type="button" data-vq-key="f" aria-keyshortcuts="F"><span data-t>Full screen</span></button>
  <button type="button" id="keys-open" aria-haspopup="dialog"><span data-t>Keys</span></button>
  <button type="button" id="settings-open" aria-haspopup="dialog"><span data-t>Settings</span></button>
</div>
<dialog id="keys" aria-labelledby="keys-title">
  <h2 id="keys-title" data-t>Keys</h2>
  <table>
    <tr><th scope="row" data-t>Next, as a click</th><td><kbd>PageDown</kbd> <kbd>&rarr;</kbd> <kbd>&darr;</kbd> <kbd>Space</kbd> <kbd>Enter</kbd> <kbd>N</kbd></td></tr>
    <tr><th scope="row" data-t>Back one step</th><td><kbd>PageUp</kbd> <kbd>&larr;</kbd> <kbd>&uarr;</kbd> <kbd>Backspace</kbd> <kbd>P</kbd></td></tr>
    <tr><th scope="row" data-t>Start again</th><td><kbd>Home</kbd></td></tr>
    <tr><th scope="row" data-t>Pause / play</th><td><kbd>K</kbd> <kbd>Pause</kbd></td></tr>
    <tr><th scope="row" data-t>One tick, while paused</th><td><kbd>S</kbd></td></tr>
    <tr><th scope="row" data-t>Slower / faster</th><td><kbd>-</kbd> <kbd>+</kbd></td></tr>
    <tr><th scope="row" data-t>Theme: classic / light</th><td><kbd>T</kbd></td></tr>
    <tr><th scope="row" data-t>Lesson: classic / full, from the start</th><td><kbd>L</kbd></td></tr>
    <tr><th scope="row" data-t>Blank / unblank</th><td><kbd>B</kbd> <kbd>.</kbd></td></tr>
    <tr><th scope="row" data-t>Full screen on / off</th><td><kbd>F</kbd> <kbd>F11</kbd> <kbd>Alt+Enter</kbd></td></tr>
    <tr><th scope="row" data-t>Leave full screen</th><td><kbd>Esc</kbd></td></tr>
  </table>
  <p data-t>A click or a tap on the picture moves on; on a touch screen a swipe to the right goes back.</p>
  <form method="dialog"><button data-t>Close</button></form>
</dialog>
<dialog id="settings" aria-labelledby="settings-title">
  <h2 id="settings-title" data-t>Settings</h2>
  <fieldset>
    <legend data-t>Speed</legend>
    <label class="choice"><input type="radio" name="speed" value="0.25">1/4</label>
    <label class="choice"><input type="radio" name="speed" value="0.5">1/2</label>
    <label class="choice"><input type="radio" name="speed" value="1">1</label>
    <label class="choice"><input type="radio" name="speed" value="2">2</label>
  </fieldset>
  <fieldset>
    <legend data-t>Theme</legend>
    <label class="choice"><input type="radio" name="theme" value="classic"><span data-t>Classic, on black</span></label>
    <label class="choice"><input type="radio" name="theme" value="light"><span data-t>Light, for lit rooms</span></label>
  </fieldset>
  <fieldset aria-describedby="lesson-hint">
    <legend data-t>Lesson</legend>
    <label class="choice"><input type="radio" name="lesson" value="classic"><span data-t>Classic</span></label>
    <label class="choice"><input type="radio" name="lesson" value="full"><span data-t>Full</span></label>
    <p class="hint" id="lesson-hint" data-t>Another lesson starts from the beginning.</p>
  </fieldset>
  <div class="field">
    <label for="settings-lang" data-t>Language</label>
    <!-- The captions' languages, each value a lang parameter. -->
    <select id="settings-lang" name="lang" aria-describedby="lang-hint">
      <option value="" data-t>Automatic</option>
      <option value="en" lang="en">English</option>
    </select>
  </div>
  <p class="hint" id="lang-hint" data-t>Another language opens the page again.</p>
  <div class="field">
    <label for="settings-link" data-t>Link</label>
    <input type="text" id="settings-link" readonly aria-describedby="link-hint">
    <button type="button" id="settings-copy" data-t>Copy link</button>
  </div>
  <p class="hint" id="link-hint" data-t>Opens this stage with these settings.</p>
  <p class="hint" id="settings-copied" role="status"></p>
  <span id="settings-press" data-vq-key="" hidden></span>
  <form method="dialog"><button data-t>Close</button></form>
</dialog>
`;

  window.velqorPlayer = function (translate, pageText) {
    var parts = document.createElement('template');
    parts.innerHTML = PLAYER_STYLE + PLAYER_MARKUP;
    translate(parts.content);
    document.head.appendChild(parts.content.querySelector('style'));
    document.querySelector('main').appendChild(parts.content);

    var bar = document.getElementById('controls');
    var safeArea = document.getElementById('safe-area');
    var STILL_MS = 2000, still = 0, opener = null;

    // The picture's rectangle on the page, in CSS pixels, as the program lays it
    // out: the largest rectangle of 1002:583 in the middle of the canvas, which
    // fills the safe area `a` (reckoned in the screen's pixels, rounded as the
    // program rounds).
    function pictureIn(a) {
      var ratio = window.devicePixelRatio || 1;
      var w = Math.round(a.width * ratio), h = Math.round(a.height * ratio), fw = w, fh = h;
      if (w * 583 >= h * 1002) fw = Math.floor((2 * h * 1002 + 583) / 1166);
      else fh = Math.floor((2 * w * 583 + 1002) / 2004);
      var left = a.left + Math.floor((w - fw) / 2) / ratio;
      var top = a.top + Math.floor((h - fh) / 2) / ratio;
      return { left: left, top: top, right: left + fw / ratio, bottom: top + fh / ratio,
               width: fw / ratio, height: fh / ratio };
    }
    // Places the bar: in the margin below the picture, or beside it, where it
    // fits there, and there always shown but in full screen, where a projected
    // picture stays clean; else over the picture, along its foot or as a column
    // at its right, whichever keeps clear of the circle (radius 1 of the
    // picture's 4.2 by 2.5, with room for its pen), along the foot when neither
    // does.
    var EDGE = 12;
    function place() {
      var a = safeArea.getBoundingClientRect(), p = pictureIn(a);
      var docked = !document.fullscreenElement;
      var ring = { right: p.left + p.width * (0.5 + 1 / 4.2) + EDGE,
                   bottom: p.top + p.height * (0.5 + 1 / 2.5) + EDGE };
      function shape(column) {
        bar.style.left = bar.style.top = '0px';
        bar.classList.toggle('column', column);
        bar.style.maxWidth = Math.max(a.width - 2 * EDGE, 0) + 'px';
        return bar.getBoundingClientRect();
      }
      function put(column, always, left, top) {
        shape(column);
        bar.classList.toggle('docked', always);
        bar.style.left = left + 'px';
        bar.style.top = top + 'px';
      }
      var row = shape(false), middle = (a.left + a.right) / 2;
      if (row.height + 2 * EDGE <= a.bottom - p.bottom)
        return put(false, docked, middle - row.width / 2, p.bottom + EDGE);
      var column = shape(true);
      if (column.width + 2 * EDGE <= a.right - p.right && column.height + 2 * EDGE <= a.height)
        return put(true, docked, p.right + (a.right - p.right - column.width) / 2,
                   (a.top + a.bottom - column.height) / 2);
      var foot = { left: middle - row.width / 2, top: a.bottom - EDGE - row.height };
      if (foot.top < ring.bottom && a.right - EDGE - column.width >= ring.right &&
          column.height + 2 * EDGE <= a.height)
        return put(true, false, a.right - EDGE - column.width,
                   (a.top + a.bottom - column.height) / 2);
      put(false, false, foot.left, foot.top);
    }
    window.addEventListener('resize', place);
    document.addEventListener('fullscreenchange', place);
    matchMedia('(pointer: coarse)').addEventListener('change', place);

    // The bar stays while the pointer rests on it or a control has the
    // keyboard's focus; a move, or the focus leaving, starts the count again.
    function keyboardIn() {
      try {
        return bar.querySelector(':focus-visible') !== null;
      } catch (e) { // a browser without :focus-visible
        return bar.contains(document.activeElement);
      }
    }
    function fade() {
      if (!bar.matches(':hover') && !keyboardIn()) bar.classList.remove('shown');
    }
    function show() {
      bar.classList.add('shown');
      clearTimeout(still);
      still = setTimeout(fade, STILL_MS);
    }
    document.addEventListener('pointermove', show);
    document.addEventListener('pointerdown', function (e) {
      if (e.pointerType !== 'mouse') show();
    });
    bar.addEventListener('focusin', show);
    bar.addEventListener('focusout', show);
    // A click on a control leaves the focus where it was (on the picture, for
    // the keys that follow).
    bar.addEventListener('mousedown', function (e) { e.preventDefault(); });

    // A dialog opened by a button of the bar gives the focus back, on closing,
    // to where it was (the picture, which takes the keys).
    function dialogOf(button, dialog, opening) {
      document.getElementById(button).addEventListener('click', function () {
        opener = document.activeElement;
        dialog.showModal();
        if (opening) opening();
      });
      dialog.addEventListener('close', function () {
        if (opener && opener.focus) opener.focus({ preventScroll: true });
        opener = null;
      });
    }
    dialogOf('keys-open', document.getElementById('keys'));

    // The settings. The program keeps the page's address in step with the
    // demonstration, so the address says what they are; the dialog changes them
    // by the program's keys, as a presenter would, and shows them as the program
    // has them.
    var settings = document.getElementById('settings');
    var language = document.getElementById('settings-lang');
    var link = document.getElementById('settings-link');
    var copied = document.getElementById('settings-copied');
    var SPEEDS = ['0.25', '0.5', '1', '2'];
    function current() {
      var now = { speed: '1', theme: 'classic', lesson: 'classic', lang: '' };
      if (!Module.calledRun) return now;
      Module.ccall('velqor_page_address', 'string', [], []).slice(1).split('&')
        .forEach(function (pair) {
          var equals = pair.indexOf('='), name = pair.slice(0, equals);
          if (equals > 0 && name in now) now[name] = pair.slice(equals + 1);
        });
      return now;
    }
    // Adds a language to the list unless it is there, named in the language
    // `namedIn` (the program's own in their own, one from a link in English).
    function addLanguage(tag, namedIn) {
      for (var i = 0; i < language.options.length; i++)
        if (language.options[i].value === tag) return;
      var name = tag;
      try {
        name = new Intl.DisplayNames([namedIn], { type: 'language' }).of(tag.replace(/_/g, '-'));
      } catch (e) {}
      var option = new Option(name, tag);
      if (namedIn === tag) option.lang = tag;
      language.add(option);
    }
    // The controls as the address has it; the program's languages, each named
    // in itself, listed the first time (naming them takes a while).
    var languagesListed = false;
    function showSettings() {
      var now = current();
      if (!languagesListed && Module.calledRun) {
        languagesListed = true;
        Module.ccall('velqor_page_languages', 'string', [], []).split('\n')
          .forEach(function (other) { addLanguage(other, other); });
      }
      ['speed', 'theme', 'lesson'].forEach(function (name) {
        settings.querySelectorAll('input[name="' + name + '"]').forEach(function (radio) {
          radio.checked = radio.value === now[name];
        });
      });
      addLanguage(now.lang, 'en');
      language.value = now.lang;
      link.value = location.href;
    }
    // Presses the program's key `name` (a KeyboardEvent.key name) `times` times,
    // through the page's way of doing so: a click on an element with data-vq-key.
    var presser = document.getElementById('settings-press');
    function press(name, times) {
      presser.setAttribute('data-vq-key', name);
      for (var i = 0; i < times; i++) presser.click();
    }
    settings.addEventListener('change', function (e) {
      var now = current(), to = e.target.value;
      if (e.target.name === 'speed') {
        var steps = SPEEDS.indexOf(to) - SPEEDS.indexOf(now.speed);
        press(steps > 0 ? '+' : '-', Math.abs(steps));
      } else if (e.target.name === 'theme' && to !== now.theme) {
        press('t', 1);
      } else if (e.target.name === 'lesson' && to !== now.lesson) {
        press('l', 1);
      } else if (e.target === language && to !== now.lang) {
        // The captions are the program's from its start: it starts again. The
        // rest of the query stays as it is (the program reads it undecoded).
        var url = new URL(location.href);
        var pairs = url.search.slice(1).split('&').filter(function (pair) {
          return pair !== '' && pair.split('=')[0] !== 'lang';
        });
        if (to) pairs.push('lang=' + to);
        url.search = pairs.join('&');
        location.replace(url.href);
        return;
      }
      showSettings();
    });
    document.getElementById('settings-copy').addEventListener('click', function () {
      var href = location.href;
      link.value = href;
      copied.textContent = '';
      function said(ok) {
        copied.textContent = pageText(ok ? 'Link copied.'
                                         : 'Copying was refused: select the link and copy it.');
      }
      function byCommand() {
        link.focus();
        link.select();
        var ok = false;
        try { ok = document.execCommand('copy'); } catch (e) {}
        said(ok);
      }
      if (navigator.clipboard && navigator.clipboard.writeText)
        navigator.clipboard.writeText(href).then(function () { said(true); }, byCommand);
      else
        byCommand();
    });
    dialogOf('settings-open', settings, function () {
      showSettings();
      copied.textContent = '';
      settings.querySelector('input[name="speed"]:checked').focus();
    });
    place();
  };
})();
