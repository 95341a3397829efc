// The program's command line on a page: the page's own query, from which it
// takes its settings (an empty one all the same, so that it knows it is a page).
Module['arguments'] = [location.search || '?'];
// What the program says on stderr are warnings on a page (a parameter left
// out); they go to the console as such.
Module['printErr'] = function (text) { console.warn(text); };

// Start-up of the one-file build (linked in with --pre-js): the WebAssembly is
// embedded in this script as a base64 data: URL, which the glue would fetch();
// a browser fetches a data: URL this large slowly, and decoding it here
// (Uint8Array.fromBase64 where the browser has it, atob elsewhere) is quick.
Module['instantiateWasm'] = function (imports, receiveInstance) {
  var url = wasmBinaryFile;
  var base64 = url.slice(url.indexOf(',') + 1);
  var bytes;
  if (Uint8Array.fromBase64) {
    bytes = Uint8Array.fromBase64(base64);
  } else {
    var text = atob(base64);
    bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  }
  WebAssembly.instantiate(bytes, imports).then(function (result) {
    receiveInstance(result.instance, result.module);
  }, function (e) {
    abort('cannot start the WebAssembly: ' + e);
  });
  return {};
};
