#!/usr/bin/env python3
"""The page with the program inside (web/page_program.py): the WebAssembly
comes back byte for byte from the data block, the loader follows it and the
page around them is kept; a loader or a page that would make a broken page
stops the build, saying why."""
import base64
import os
import re
import subprocess
import sys
import tempfile

TOOL = os.path.join(os.path.dirname(__file__), '..', '..', 'web', 'page_program.py')
PAGE = '<body>\n<canvas></canvas>\n<!-- the program -->\n</body>\n'
WASM = bytes(range(256)) * 3
PROGRAM = re.compile(r'<body>\n<canvas></canvas>\n<script type="application/octet-stream" '
                     r'id="velqor-wasm">([^<]*)</script>\n<script>(.*?)</script>\n</body>\n$', re.S)

# (what, page, loader, whether it makes a page)
cases = [
    ('a page and its loader', PAGE, 'var Module = {};', True),
    ('a loader that would end its element', PAGE, 'var s = "</SCRIPT>";', False),
    ('a loader that opens a comment', PAGE, 'var s = "<!--";', False),
    ('a page without the marker', '<body></body>', 'var Module = {};', False),
    ('a page with two markers', PAGE + PAGE, 'var Module = {};', False),
]
failures = []
with tempfile.TemporaryDirectory() as scratch:
    for i, (what, page, loader, makes) in enumerate(cases):
        page_in, loader_in, wasm_in, out = (os.path.join(scratch, f'{i}{n}')
                                            for n in ('.html', '.js', '.wasm', 'out.html'))
        for path, data in ((page_in, page.encode()), (loader_in, loader.encode()), (wasm_in, WASM)):
            with open(path, 'wb') as f:
                f.write(data)
        run = subprocess.run([sys.executable, TOOL, page_in, loader_in, wasm_in, out],
                             capture_output=True, text=True)
        made = os.path.exists(out)
        if not makes:
            if run.returncode == 0 or made or 'page_program.py' not in run.stderr:
                failures.append(f'{what}: made a page, or failed without saying why')
            continue
        with open(out, encoding='utf-8') as f:
            found = PROGRAM.match(f.read())
        if run.returncode != 0 or not found:
            failures.append(f'{what}: not the page with the program ({run.stderr.strip()})')
        elif base64.b64decode(found.group(1)) != WASM or found.group(2) != loader:
            failures.append(f'{what}: the WebAssembly or the loader changed on the way')
for failure in failures:
    print('FAIL', failure)
print(f'page_program: {len(cases) - len(failures)} of {len(cases)} cases as they should be')
sys.exit(1 if failures else 0)
