#!/usr/bin/env python3
"""The page with the program inside (web/page_program.py): the WebAssembly
comes back byte for byte from the data block, the loader follows it, and a
loader or a page that would make a broken page stops the build instead."""
import base64
import os
import re
import subprocess
import sys
import tempfile

TOOL = os.path.join(os.path.dirname(__file__), '..', '..', 'web', 'page_program.py')
PAGE = '<body>\n<canvas></canvas>\n<!-- the program -->\n</body>\n'
WASM = bytes(range(256)) * 3

failures = []
# (what, page, loader, whether it makes a page)
cases = [
    ('a page and its loader', PAGE, 'var Module = {};', True),
    ('a loader that would end its element', PAGE, 'var s = "</SCRIPT>";', False),
    ('a loader that opens a comment', PAGE, 'var s = "<!--";', False),
    ('a page without the marker', '<body></body>', 'var Module = {};', False),
    ('a page with two markers', PAGE + PAGE, 'var Module = {};', False),
]
with tempfile.TemporaryDirectory() as scratch:
    for what, page, loader, makes in cases:
        paths = [os.path.join(scratch, n) for n in ('page.html', 'loader.js', 'p.wasm', 'out.html')]
        for path, text in zip(paths[:2], (page, loader)):
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
        with open(paths[2], 'wb') as f:
            f.write(WASM)
        if os.path.exists(paths[3]):
            os.remove(paths[3])
        run = subprocess.run([sys.executable, TOOL, *paths], capture_output=True, text=True)
        if not makes:
            said = 'page_program.py' in run.stderr
            if run.returncode == 0 or os.path.exists(paths[3]) or not said:
                failures.append(f'{what}: made a page, or failed without saying why')
            continue
        with open(paths[3], encoding='utf-8') as f:
            out = f.read()
        found = re.search(r'<script type="application/octet-stream" id="velqor-wasm">([^<]*)'
                          r'</script>\n<script>(.*?)</script>', out, re.S)
        if run.returncode != 0 or not found or '<!-- the program -->' in out:
            failures.append(f'{what}: no program in the page ({run.stderr.strip()})')
        elif base64.b64decode(found.group(1)) != WASM or found.group(2) != loader:
            failures.append(f'{what}: the WebAssembly or the loader changed on the way')
        elif not out.startswith('<body>\n<canvas></canvas>\n') or not out.endswith('\n</body>\n'):
            failures.append(f'{what}: the page around the program changed')
for failure in failures:
    print('FAIL', failure)
print(f'page_program: {len(cases) - len(failures)} of {len(cases)} cases as they should be')
sys.exit(1 if failures else 0)
