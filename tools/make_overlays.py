#!/usr/bin/env python3
"""The one command that brings the generated overlays up to date after English keys,
sheets or translations change: the help pages and help overlay, then the Japanese main
overlay.

    tools/make_overlays.py           write them
    tools/make_overlays.py --check   exit 1 (naming this command) when any is out of date"""
import sys

import make_help
import make_overlay_ja

if __name__ == '__main__':
    sys.argv[1:] = [a for a in sys.argv[1:] if a == '--check']
    results = [make_help.main(), make_overlay_ja.main()]
    sys.exit(1 if any(results) else 0)
