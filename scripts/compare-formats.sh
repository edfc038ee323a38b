#!/bin/sh
# Shows that a change keeps every dictionary format byte for byte: builds tallyra-cli and
# Quillet's save path from an earlier revision and from the working tree, runs both on
# examples/ and on generated dictionaries of every format pair, and compares the results,
# the kept work files, the saved files with their companions, pictures of the option frame
# (the window after a job shows its times, so only the one before is compared) and the
# import dialog's tab order. Needs cmake, ninja and the project's build dependencies.
#
#   sh scripts/compare-formats.sh <earlier revision> [later revision]
#
# Without a later revision the working tree is compared. COMPARE_WORK names the work
# folder (default: compare-formats in the temporary folder), COMPARE_ENTRIES the size of
# the generated to-do dictionaries (default 20000; the references are half as large again).
set -eu
cd "$(dirname "$0")/.."
before=${1:?usage: compare-formats.sh <earlier revision> [later revision]}
after=${2:-}
work=${COMPARE_WORK:-${TMPDIR:-/tmp}/compare-formats}
entries=${COMPARE_ENTRIES:-20000}
here=$(pwd)
differences=0

build() { # side, source tree
    cmake -S "$here/scripts/compare-formats" -B "$work/$1-build" -G Ninja -DTREE="$2" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$work/$1-build" --target tallyra-cli resave grab-import tallyra-screenshot bench_datagen >/dev/null
}

# Work file names are drawn at random: each becomes the role it has in the job's scripts,
# counted in the order the scripts first name it, in the file names and in the scripts,
# where the side's own folder becomes RUNS.
normalise_work_files() { # side, app folder
    local app=$2 file name role n=0
    for file in "$app"/tly*.sh; do
        if [ -e "$file" ]; then sed -i "s|$work/runs/$1/|RUNS/|g" "$file"; fi
    done
    for name in $(cd "$app" && { grep -l 'SELECT DISTINCT' tly*.sh; grep -L 'SELECT DISTINCT' tly*.sh; } 2>/dev/null \
        | xargs cat | grep -o 'tly[A-Za-z0-9]*\.[a-z]*' | awk '!seen[$0]++'); do
        n=$((n + 1))
        role="work$n.${name##*.}"
        sed -i "s/$name/$role/g" "$app"/tly*.sh
        if [ -e "$app/$name" ]; then mv "$app/$name" "$app/$role"; fi
    done
    for file in "$app"/tly*.sh; do
        if [ ! -e "$file" ]; then continue; fi
        if grep -q 'SELECT DISTINCT' "$file"; then mv "$file" "$app/first.sh"; else mv "$file" "$app/second.sh"; fi
    done
}

run_job() { # side, case name, to-do, reference, option...
    local side=$1 case=$2 todo=$3 reference=$4
    shift 4
    local out="$work/runs/$side/$case"
    mkdir -p "$out/app"
    "$work/$side-build/tree/processor/tallyra-cli" --app-folder "$out/app" --keep-work-files --todo "$todo" \
        --reference "$reference" --output "$out/result.${todo##*.}" "$@" >"$work/logs/$side-$case" 2>&1 || true
    normalise_work_files "$side" "$out/app"
}

resave_all() { # side, case name, dictionary
    local out="$work/saves/$1/$2" resave="$work/$1-build/resave"
    mkdir -p "$out"
    cp "$3" "$out/same.${3##*.}"
    "$resave" "$3" "$out/g.glo" "$out/t.a.txt" "$out/c.u.csv" >"$out/messages" 2>&1 || true
    "$resave" "$out/same.${3##*.}" "$out/same.${3##*.}" >>"$out/messages" 2>&1 || true
    if [ -e "$out/c.u.csv" ]; then "$resave" "$out/c.u.csv" "$out/r.glo" >>"$out/messages" 2>&1 || true; fi
}

compare() { # what, folder holding before/ and after/
    if diff -r "$work/$2/before" "$work/$2/after" >"$work/$2.diff" 2>&1; then
        echo "same: $1 ($(find "$work/$2/after" -type f | wc -l) files)"
    else
        echo "DIFFERENT: $1, see $work/$2.diff"
        differences=1
    fi
}

rm -rf "$work/runs" "$work/saves" "$work/pictures" "$work/logs" "$work/before-src" "$work/after-src"
mkdir -p "$work/logs" "$work/before-src" "$work/after-src" "$work/data/examples" "$work/data/txt" "$work/data/glo" "$work/data/generated"
git archive "$before" | tar -x -C "$work/before-src"
build before "$work/before-src"
if [ -n "$after" ]; then
    git archive "$after" | tar -x -C "$work/after-src"
    build after "$work/after-src"
else
    build after "$here"
fi

cp examples/* "$work/data/examples/"
for format in txt glo; do
    "$work/after-build/tree/bench/bench_datagen" --entries "$entries" --reference-entries "$((entries * 3 / 2))" \
        --format "$format" --out "$work/data/$format" >/dev/null
done
iconv -f GB18030 -t UTF-8 examples/todo.u.txt >"$work/data/examples/utf8.u.txt"
cp "$work/data/txt/"* "$work/data/glo/"* "$work/data/generated/"

jobs() { # side, folder of the to-do and reference dictionaries, their two names of each format
    local todo reference case
    for todo in "$3" "$4"; do
        for reference in "$5" "$6"; do
            case="$2-$todo-$reference"
            run_job "$1" "$case-full" "$work/data/$2/$todo" "$work/data/$2/$reference" --full
            run_job "$1" "$case-minimal" "$work/data/$2/$todo" "$work/data/$2/$reference" --minimal
        done
    done
}

for side in before after; do
    jobs "$side" examples todo.glo todo.u.txt reference.glo reference.a.txt
    jobs "$side" generated todo.glo todo.u.txt reference.glo reference.a.txt
    run_job "$side" saved-database "$work/data/examples/todo.u.txt" "$work/data/examples/reference.glo" \
        --save-db "$work/runs/$side/saved-database/reference.db"
    run_job "$side" from-database "$work/data/examples/todo.glo" "$work/runs/$side/saved-database/reference.db"
    mkdir -p "$work/runs/$side/batch"
    "$work/$side-build/tree/processor/tallyra-cli" --app-folder "$work/runs/$side/batch" --jobs 1 \
        --todo-dir "$work/data/glo" --reference "$work/data/txt/reference.a.txt" \
        --output-dir "$work/runs/$side/batch/out" >"$work/logs/$side-batch" 2>&1 || true
    for dictionary in examples/todo.glo examples/todo.u.txt examples/reference.a.txt examples/utf8.u.txt \
        generated/todo.u.txt generated/reference.glo; do
        resave_all "$side" "$(echo "$dictionary" | tr '/' '_')" "$work/data/$dictionary"
    done
    mkdir -p "$work/pictures/$side"
    QT_QPA_PLATFORM=offscreen "$work/$side-build/tree/processor/tallyra-screenshot" examples \
        "$work/pictures/$side/tallyra.png" "$work/logs/$side-tallyra-after-job.png" >/dev/null
    "$work/$side-build/grab-import" "$work/pictures/$side/import.png" \
        "$work/pictures/$side/import-tab-order.txt"
done
compare "tallyra-cli results, kept work files and batch results" runs
compare "Quillet saves and companion files" saves
compare "pictures of Tallyra and of the import dialog, and the dialog's tab order" pictures
echo "results: $(find "$work/runs/after" -name 'result.*' | wc -l) jobs; files in $work"
exit $differences
