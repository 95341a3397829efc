#!/usr/bin/env python3
"""page_program.py PAGE LOADER WASM OUT

Writes the page OUT: PAGE (web/index.html) with the program where its marker
stands: the WebAssembly WASM as base64 in a data block (#velqor-wasm), then
LOADER, Emscripten's script, which compiles it from there (web/pre.js). A
page that holds its program asks for nothing more before its first picture,
and opens from a file as it does over http(s)."""
import base64
import sys

MARKER = '<!-- the program -->'

page, loader, wasm, out = sys.argv[1:5]
with open(page, encoding='utf-8') as f:
    html = f.read()
with open(loader, encoding='utf-8') as f:
    script = f.read()
if html.count(MARKER) != 1:
    sys.exit(f'page_program.py: {page} has not one {MARKER}')
# Inside <script> these would end the element early, or change how it ends.
if '</script' in script.lower() or '<!--' in script:
    sys.exit(f'page_program.py: {loader} holds text that would end its <script> early')
with open(wasm, 'rb') as f:
    data = base64.b64encode(f.read()).decode('ascii')
program = (f'<script type="application/octet-stream" id="velqor-wasm">{data}</script>\n'
           f'<script>{script}</script>')
with open(out, 'w', encoding='utf-8') as f:
    f.write(html.replace(MARKER, program))
