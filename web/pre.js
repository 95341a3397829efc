// The start of both scripts (linked in with --pre-js).
//
// The program's command line on a page: the page's own query, from which it
// takes its settings (an empty one all the same, so that it knows it is a page).
Module['arguments'] = [location.search || '?'];
// What the program says on stderr are warnings on a page (a parameter left
// out); they go to the console as such.
Module['printErr'] = function (text) { console.warn(text); };

// The page loads the script without waiting for its own markup: the program
// starts once the canvas is there.
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

// The WebAssembly. velqor-http.js: index.html began compiling velqor-http.wasm
// as it downloads (Module.compiledWasm, a promise of the module); a page that
// did not have it compiled here the same way. velqor.js: it is embedded as a
// base64 data: URL, which the glue would fetch(); a browser fetches a data:
// URL this large slowly, and decoding it here is quick.
Module['instantiateWasm'] = function (imports, receiveInstance) {
  var url = wasmBinaryFile, compiled = Module['compiledWasm'];
  if (!compiled && url.indexOf('data:') === 0) {
    compiled = WebAssembly.compile(vqBytesOfBase64(url.slice(url.indexOf(',') + 1)));
  } else if (!compiled) {
    // As index.html does it: streaming where the browser can and the host
    // says application/wasm, else once it has arrived.
    compiled = (WebAssembly.compileStreaming ? WebAssembly.compileStreaming(fetch(url))
                                             : Promise.reject()).catch(function () {
      return fetch(url).then(function (r) { return r.arrayBuffer(); }).then(WebAssembly.compile);
    });
  }
  // Instantiated at once when compiled: a module this small may be on the
  // page's own thread, and the program starts a task sooner.
  compiled.then(function (module) {
    receiveInstance(new WebAssembly.Instance(module, imports), module);
  }).catch(function (e) {
    abort('cannot start the WebAssembly: ' + e);
  });
  return {};
};
