// The start of the program's script (linked in with --pre-js).
//
// The program's command line on a page: the page's own query, from which it
// takes its settings (an empty one all the same, so that it knows it is a page).
Module['arguments'] = [location.search || '?'];
// What the program says on stderr are warnings on a page (a parameter left
// out); they go to the console as such.
Module['printErr'] = function (text) { console.warn(text); };

// The program starts once the page's markup is all there, wherever the page
// puts its script.
Module['preRun'] = [function () {
  if (document.readyState !== 'loading') return;
  addRunDependency('velqor-page');
  document.addEventListener('DOMContentLoaded', function () {
    removeRunDependency('velqor-page');
  });
}];

// The bytes of base64 text: Uint8Array.fromBase64 where the browser has it,
// atob elsewhere (also for the faces, library_velqor.js).
function vqBytesOfBase64(base64) {
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
  var text = atob(base64), bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  return bytes;
}

// The WebAssembly: in the page, as base64 in the data block #velqor-wasm
// (web/page_program.py), compiled without a request, from a file as over
// http(s). The block's text is not needed again and goes.
Module['instantiateWasm'] = function (imports, receiveInstance) {
  var block = document.getElementById('velqor-wasm');
  Promise.resolve().then(function () {
    if (!block) throw new Error('the page has no #velqor-wasm');
    var bytes = vqBytesOfBase64(block.textContent);
    block.remove();
    return WebAssembly.compile(bytes);
  }).then(function (module) {
    // Instantiated at once: a module this small may be on the page's own
    // thread, and the program starts a task sooner.
    receiveInstance(new WebAssembly.Instance(module, imports), module);
  }).catch(function (e) {
    abort('cannot start the WebAssembly: ' + e);
  });
  return {};
};
