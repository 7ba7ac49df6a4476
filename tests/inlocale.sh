#!/bin/bash
# Runs a test under a locale (LC_ALL), or skips it (CTest's 77) where the system has not that
# locale: a packager's build machine may have only C.UTF-8.
locale=$1
shift
locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}" || { echo "SKIPPED: no locale $locale" && exit 77; }
LC_ALL=$locale LANG=$locale exec "$@"
