#!/usr/bin/env python3
"""Writes the Japanese main overlay data/overlays/TM5150QJ.OVL (code page 932) from the
English overlay pieces data/overlays/TM5150QE/*.ovl and the translation table
tools/ja/TM5150QJ.tsv.

    tools/make_overlay_ja.py            write the overlay
    tools/make_overlay_ja.py --check    exit 1 when the written overlay is out of date
    tools/make_overlay_ja.py --missing  list the captions of menus, tree, tool bar,
                                        messages and sheet titles that have no translation

Keys, cells, outline depths and directives stay exactly as in English; only the texts
between them change. A text the table does not know stays English. The table has one
line per text: the English text, a tab, the Japanese text (UTF-8). A line "KEY<tab>
English<tab>Japanese" translates the text only inside the entry KEY. Lines starting with
";" are comments."""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PIECES = os.path.join(ROOT, 'data', 'overlays', 'TM5150QE')
TABLE = os.path.join(ROOT, 'tools', 'ja', 'TM5150QJ.tsv')
OUT = os.path.join(ROOT, 'data', 'overlays', 'TM5150QJ.OVL')
COMMAND = 'python3 tools/make_overlays.py'

DIRECTIVE = re.compile(r'%%|%[-+ #0]*[0-9]*(?:\.[0-9]+)?[lh]*[sdiuxXoc]')
# Entries whose lines are data, never texts.
KEEP = {'GI_Sys_MyHelpOvl', 'GI_App_InitialFile', 'GI_CellWidthRegList', 'GI_PCG_Seg_Data',
        'GI_Sys_TreeChangeDelay', 'GI_Sys_LockoutNewerData',
        'GI_Mess_Cli_Usage'}
# Entries whose captions must all be translated (checked by --missing).
CAPTION_KEYS = re.compile(r'^(GI_Menu_|GI_Tree_|GI_ToolBar_|GI_PMenu_|GI_Mess_|GI_AppMess_|'
                          r'GI_Sys_HtmlHelp_Error|GI_Sys_HelpWindow|GI_Sheet_[A-Za-z0-9_]+_Style$)')


def english_lines():
    text = ''
    for piece in sorted(glob.glob(os.path.join(PIECES, '*.ovl'))):
        with open(piece, 'rb') as f:
            text += f.read().decode('cp1252')
    return text.split('\n')


def load_table():
    common, per_key = {}, {}
    with open(TABLE, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line or line.startswith(';'):
                continue
            fields = line.split('\t')
            if len(fields) == 2:
                common[fields[0]] = fields[1]
            elif len(fields) == 3:
                per_key[(fields[0], fields[1])] = fields[2]
            else:
                sys.exit('%s:%d: expected two or three fields separated by tabs' % (TABLE, number))
    for (key, en), ja in list(per_key.items()) + [((None, en), ja) for en, ja in common.items()]:
        if sorted(DIRECTIVE.findall(en)) != sorted(DIRECTIVE.findall(ja)):
            sys.exit('%s: the directives of "%s" and its translation differ' % (TABLE, en))
        for c in '{}|\t':
            if c in ja and c not in en:
                sys.exit('%s: the translation of "%s" holds "%s"' % (TABLE, en, c))
        try:
            ja.encode('cp932')
        except UnicodeEncodeError as e:
            sys.exit('%s: "%s" has a character outside code page 932: %s' % (TABLE, ja, e))
    return common, per_key


def segments(line, key):
    """Splits a line into (is_text, piece) parts: cells in braces, the outline prefix,
    separators and the groups of style lines are structure; the rest is text."""
    parts = []
    i = 0
    m = re.match(r'^ *\+', line)
    if m and key.endswith('_Body'):
        parts.append((False, m.group(0)))
        i = m.end()
    text = ''
    style = key.endswith('_Style')
    while i < len(line):
        c = line[i]
        if c == '{' or (style and c == '('):
            close = '}' if c == '{' else ')'
            depth, j = 0, i
            while j < len(line):
                if line[j] == c:
                    depth += 1
                elif line[j] == close:
                    depth -= 1
                    if depth == 0:
                        break
                j += 1
            group = line[i:j + 1]
            if text:
                parts.append((True, text))
                text = ''
            m = re.match(r'^\(TitleString=(.*)\)$', group) if style else None
            if m:
                parts.append((False, '(TitleString='))
                parts.append((True, m.group(1)))
                parts.append((False, ')'))
            else:
                parts.append((False, group))
            i = j + 1
            continue
        if c in '|\t':
            if text:
                parts.append((True, text))
                text = ''
            parts.append((False, c))
            i += 1
            continue
        text += c
        i += 1
    if text:
        parts.append((True, text))
    return parts


def translate(text, key, common, per_key):
    stripped = text.strip(' ')
    if not stripped:
        return text, True
    ja = per_key.get((key, stripped), common.get(stripped))
    if ja is None:
        # A caption widened with "\\_" padding is translated without it; the padding stays.
        m = re.match(r'^((?:\\_)*)(.*?)((?:\\_)*)$', stripped)
        core = m.group(2).strip(' ')
        found = per_key.get((key, core), common.get(core)) if core and core != stripped else None
        if found is None:
            return text, False
        ja = m.group(1) + found + m.group(3)
    lead = text[:len(text) - len(text.lstrip(' '))]
    trail = text[len(text.rstrip(' ')):]
    return lead + ja + trail, True


def build(report_missing=False):
    common, per_key = load_table()
    out, missing = [], []
    key = None
    for line in english_lines():
        if line.startswith('#') and len(line) > 1:
            key = line[1:]
            out.append(line)
            continue
        if key is None or key in KEEP or line.startswith('#') or key == 'End_Of_Ovl':
            out.append(line if key is not None or not line.startswith('Quorvex main overlay')
                       else 'Quorvex main overlay: Japanese (code page 932), made by '
                       'tools/make_overlay_ja.py from the English pieces; do not edit')
            continue
        pieces = []
        for is_text, piece in segments(line, key):
            if is_text:
                piece, ok = translate(piece, key, common, per_key)
                if not ok and CAPTION_KEYS.match(key) and re.search('[A-Za-z]', piece) \
                        and piece.strip() not in ('-', '/'):
                    missing.append('%s: %s' % (key, piece.strip()))
            pieces.append(piece)
        out.append(''.join(pieces))
    data = '\n'.join(out).encode('cp932')
    return data, missing


def main():
    args = sys.argv[1:]
    data, missing = build()
    if '--missing' in args:
        for m in missing:
            print(m)
        return 1 if missing else 0
    if '--check' in args:
        try:
            with open(OUT, 'rb') as f:
                current = f.read()
        except OSError:
            current = None
        if current != data:
            print('%s is out of date with the English overlay pieces or the translation table; '
                  'run "%s" and commit the result.' % (os.path.relpath(OUT, ROOT), COMMAND))
            return 1
        return 0
    with open(OUT, 'wb') as f:
        f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
