#!/usr/bin/env bash
# The launcher directory may be deeper than MAX_PATH: the driver, started
# from such a directory, must report all of it as its launcher directory.
set -euo pipefail
bin=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir=$work/$(printf 'a%.0s' {1..120})/$(printf 'b%.0s' {1..120})/launcher
mkdir -p "$dir"
cp "$bin/login_driver.exe" "$dir/"
[ ${#dir} -gt 260 ]
got=$(cd "$work" && "$root/scripts/wine" "$dir/login_driver.exe" moduledir | tr -d '\r')
want="Z:$dir"
if [ "$got" != "$want" ]; then
    printf 'launcher directory\n  got:  %s\n  want: %s\n' "$got" "$want" >&2
    exit 1
fi
echo "1 passed, 0 failed"
