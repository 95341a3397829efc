// Start-up of the one-file build (linked in with --pre-js): the WebAssembly is
// embedded in this script as a base64 data: URL, which the glue would fetch();
// in Chromium fetching a data: URL of this size costs hundreds of milliseconds.
// Decoding it here with atob takes a few.
Module['instantiateWasm'] = function (imports, receiveInstance) {
  var url = wasmBinaryFile;
  var text = atob(url.slice(url.indexOf(',') + 1));
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  WebAssembly.instantiate(bytes, imports).then(function (result) {
    receiveInstance(result.instance, result.module);
  }, function (e) {
    abort('cannot start the WebAssembly: ' + e);
  });
  return {};
};
