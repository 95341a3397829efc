#!/usr/bin/env python3
"""The program's catalogues at build time, without libintl.

  catalogues.py text OUT FILE.po...     the characters of the files' translations
                                        (one line; a font is cut to them)
  catalogues.py table OUT.cpp FILE.po...  the translations as a C++ table
                                          (scenes/catalogue.h)
Text and table take the texts the program draws; page the web page's.
  catalogues.py page DIR FILE.po...     the web page's own texts, DIR/<language>.js
                                        each, for the page's script
  catalogues.py say FILE.po TEXT        TEXT in the file's language (the checks)

A catalogue's language is its Language header (de, pt_BR, zh_CN, ...)."""
import json
import os
import re
import sys


def unquote(text):
    """The C escapes of a PO string, undone."""
    out, i = [], 0
    escapes = {'n': '\n', 't': '\t', '"': '"', '\\': '\\', 'r': '\r'}
    while i < len(text):
        if text[i] == '\\' and i + 1 < len(text):
            out.append(escapes.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return ''.join(out)


def read(path, page_texts=False):
    """The language and the (msgid, msgstr) pairs of a PO file, header and
    untranslated or fuzzy entries left out: the texts the program draws, or
    with page_texts the web page's own (web/), which the browser draws."""
    entries, fields, current, fuzzy, page = [], {}, None, False, False

    def close():
        nonlocal fields, fuzzy, page
        if fields.get('msgid') and fields.get('msgstr') and not fuzzy and page == page_texts:
            entries.append((fields['msgid'], fields['msgstr']))
        header = fields.get('msgstr', '') if fields.get('msgid') == '' else None
        fields, fuzzy, page = {}, False, False
        return header

    def language_of(header):
        found = header is not None and re.search(r'^Language: *(\S+)', header, re.M)
        return found.group(1) if found else None

    language = None
    with open(path, encoding='utf-8') as f:
        for raw in f:
            line = raw.strip()
            if line.startswith('#,') and 'fuzzy' in line:
                fuzzy = True
            if line.startswith('#:') and 'web/' in line:
                page = True
            if line.startswith('#') or not line:
                if not line and fields:
                    language = language_of(close()) or language
                continue
            keyword = re.match(r'(msgid|msgstr|msgctxt)\s+"(.*)"$', line)
            if keyword:
                current = keyword.group(1)
                fields[current] = unquote(keyword.group(2))
            elif line.startswith('"') and current:
                fields[current] += unquote(line[1:-1])
    if fields:
        language = language_of(close()) or language
    if not language:
        sys.exit(f'catalogues: {path} names no Language')
    return language, entries


def c_string(text):
    """A C++ string literal holding `text` as UTF-8, every byte outside
    printable ASCII escaped (so that no compiler's source charset matters)."""
    out = []
    for byte in text.encode('utf-8'):
        if byte in (0x22, 0x5C):
            out.append('\\' + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append('\\%03o' % byte)
    return '"' + ''.join(out) + '"'


def main():
    if len(sys.argv) == 4 and sys.argv[1] == 'say':
        print(dict(read(sys.argv[2])[1]).get(sys.argv[3], sys.argv[3]))
        return
    if len(sys.argv) < 3 or sys.argv[1] not in ('text', 'table', 'page'):
        sys.exit(__doc__)
    what, out, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
    catalogues = [read(p, page_texts=what == 'page') for p in sorted(paths)]
    if what == 'page':
        os.makedirs(out, exist_ok=True)
        for language, entries in catalogues:
            with open(os.path.join(out, language + '.js'), 'w', encoding='utf-8') as f:
                f.write('velqorPageTexts(%s);\n' %
                        json.dumps(dict(entries), ensure_ascii=False, indent=0))
        return
    if what == 'text':
        chars = sorted({c for _, entries in catalogues for _, s in entries for c in s})
        text = ''.join(c for c in chars if c >= ' ')
    else:
        lines = ['// Made from po/*.po by po/catalogues.py at build time; do not edit.',
                 '#include "scenes/catalogue.h"', '',
                 'const CatalogueEntry CatalogueEntries[] = {']
        for language, entries in catalogues:
            for msgid, msgstr in entries:
                lines.append('    {%s, %s, %s},' % (c_string(language), c_string(msgid),
                                                     c_string(msgstr)))
        count = sum(len(e) for _, e in catalogues)
        if count == 0:
            lines.append('    {"", "", ""}, // none: English only')
        lines.append('};')
        lines.append('const int CatalogueEntryCount = %d;' % count)
        lines.append('const char *const CatalogueLanguages[] = {%s};' %
                     (', '.join(c_string(l) for l, _ in catalogues) or '""'))
        lines.append('const int CatalogueLanguageCount = %d;' % len(catalogues))
        text = '\n'.join(lines) + '\n'
    with open(out, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()
