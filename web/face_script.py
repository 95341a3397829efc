#!/usr/bin/env python3
"""face_script.py FONT OUT NAME

Writes FONT as a script for the page, OUT, which hands its bytes over when
loaded: velqorFaceArrived('NAME', '<the bytes in base64>'). A page opened from
a file can load a script where it cannot fetch a file."""
import base64
import sys

font, out, name = sys.argv[1:4]
with open(font, 'rb') as f:
    data = base64.b64encode(f.read()).decode('ascii')
with open(out, 'w', encoding='ascii') as f:
    f.write("velqorFaceArrived('%s', '%s');\n" % (name, data))
