#!/bin/sh
# Set-up and build, then the main job on the bundled sample dictionaries: the two-line
# to-do dictionary pre-translated from the glossary reference, and the glossary to-do
# from the two-line reference.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

demo=build/demo
mkdir -p "$demo"
cli=build/processor/tallyra-cli

echo
echo "== examples/todo.u.txt + examples/reference.glo -> $demo/todo.translated.u.txt"
"$cli" --todo examples/todo.u.txt --reference examples/reference.glo \
       --output "$demo/todo.translated.u.txt" --app-folder "$demo/app"
echo
echo "== examples/todo.glo + examples/reference.a.txt -> $demo/todo.translated.glo"
"$cli" --todo examples/todo.glo --reference examples/reference.a.txt \
       --output "$demo/todo.translated.glo" --app-folder "$demo/app"
echo
echo "== The first entries of $demo/todo.translated.u.txt (GB18030, shown as UTF-8):"
iconv -f GB18030 -t UTF-8 "$demo/todo.translated.u.txt" | head -n 24
