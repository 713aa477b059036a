#!/usr/bin/env bash
# Mutation testing of the platform-neutral product code: makes one small fault at a time, rebuilds
# the native unit tests and tells which faults no test notices. Not part of CI: slow by nature.
# Works in a copy of the tree (/tmp/brimzo-mutants), never in the tree itself.
#   bash scripts/mutants.sh [--files "game/shapes.cpp store/*.cpp"] [--rules relational,swap]
#                           [--every K] [--max N] [--list]
# Rules (scripts/mutants.py tells what each does): relational, constant, logical, delete, swap,
# condition, return, bound, table, sign, variable; all by default. --every K keeps every K-th
# mutant of the full ordered list; --max N stops after N; --list prints the mutants without
# building. Mutants listed in scripts/mutants-equivalent.txt, with the reason each changes
# nothing, are skipped.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=/tmp/brimzo-mutants TREE=/tmp/brimzo-mutants/tree
PLAIN=/tmp/brimzo-mutants/build CHECKED=/tmp/brimzo-mutants/build-checked
FILES="game/*.h game/*.cpp store/*.h store/*.cpp render/*.h render/*.cpp shell/focus.cpp shell/input.cpp
       shell/keys.cpp shell/display.cpp dialogs/rules.h dialogs/rules.cpp"
RULES=relational,constant,logical,delete,swap,condition,return,bound,table,sign,variable
EVERY=1 MAX=0 LIST=""

main() {
    parse_options "$@"
    renice -n 10 -p $$ >/dev/null # two cores shared with people at work
    copy_tree
    (cd "$TREE" && python3 "$ROOT/scripts/mutants.py" "$RULES" "$EVERY" "$MAX" \
        "$ROOT/scripts/mutants-equivalent.txt" $FILES) >"$WORK/mutants.txt"
    if [ -n "$LIST" ]; then cut -d $'\x1f' -f3,5 --output-delimiter=$'\t' "$WORK/mutants.txt"; exit 0; fi
    # A fast build first; a mutant it lets through is tried again as the test command builds the
    # tests, under the sanitizers, which catch an index one past the end.
    configure "$PLAIN" Release OFF && configure "$CHECKED" RelWithDebInfo ON
    for build in "$PLAIN" "$CHECKED"; do
        build "$build" && run_tests "$build" ||
            { echo "the unmutated tree fails to build or pass; nothing to measure" >&2; exit 1; }
    done
    run_all_mutants
}

parse_options() {
    while [ $# -gt 0 ]; do
        case $1 in
            --files) FILES=${2//,/ }; shift 2 ;;
            --rules) RULES=$2; shift 2 ;;
            --every) EVERY=$2; shift 2 ;;
            --max) MAX=$2; shift 2 ;;
            --list) LIST=1; shift ;;
            *) sed -n '5,11s/^# \?//p' "$0" >&2; exit 2 ;;
        esac
    done
}

# The tracked and new files as they are now; a file is copied only when it differs, so that
# the build in the copy stays incremental from one run to the next.
copy_tree() {
    mkdir -p "$TREE"
    git -C "$ROOT" ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
        [ -f "$ROOT/$f" ] && ! cmp -s "$ROOT/$f" "$TREE/$f" || continue
        mkdir -p "$(dirname "$TREE/$f")" && cp "$ROOT/$f" "$TREE/$f"
    done
}

configure() {
    cmake -S "$TREE" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE="$2" -DBRIMZO_WINDOWS=OFF -DBRIMZO_WEB=OFF \
        -DBRIMZO_SANITIZE="$3" >/dev/null
}

# Only the two native test programs: the fuzzers are built when clang is there, with no option.
build() { ninja -C "$1" -j2 core_tests render_tests >"$WORK/build.log" 2>&1; }

# Both take a few seconds, so 30 s is a hang, and a hang counts as caught; a runaway
# allocation must not take the shared machine down (the sanitizer's own limit: it maps far more
# address space than a ulimit would let it).
run_tests() {
    (cd "$1/tests" && export ASAN_OPTIONS=hard_rss_limit_mb=3000 &&
        timeout 30 ./core_tests --gtest_fail_fast && timeout 30 ./render_tests --gtest_fail_fast) >/dev/null 2>&1
}

run_all_mutants() {
    local start=$SECONDS n=0 total file line rule text shown outcome
    total=$(wc -l <"$WORK/mutants.txt")
    : >"$WORK/results.txt"
    while IFS=$'\x1f' read -r file line rule text shown; do
        n=$((n + 1))
        outcome=$(try_mutant "$TREE/$file" "$line" "$text")
        printf '%s\t%s\t%s\n' "$outcome" "$rule" "$shown" >>"$WORK/results.txt"
        echo "[$n/$total] $outcome $rule $file:$line" >&2
    done <"$WORK/mutants.txt"
    build "$PLAIN" || true # the last file put back, so that the copies build as the tree does
    build "$CHECKED" || true
    report $((SECONDS - start))
}

# Prints caught, survived or no-compile. The file is put back with a new time stamp, so that
# ninja rebuilds it; should a run be stopped halfway, the next run's copy_tree puts it back.
try_mutant() {
    local saved=$WORK/original outcome
    cp -p "$1" "$saved"
    # the text replaces as many lines as it holds, split by \x1e (a deleted line stays empty)
    L=$2 T=$3 awk 'BEGIN { n = split(ENVIRON["T"], part, "\x1e"); if (n == 0) { n = 1; part[1] = "" } }
        NR >= ENVIRON["L"] && NR < ENVIRON["L"] + n { print part[NR - ENVIRON["L"] + 1]; next }
        { print }' "$saved" >"$1"
    if ! build "$PLAIN"; then
        outcome=no-compile
    elif ! run_tests "$PLAIN"; then
        outcome=caught
    elif ! build "$CHECKED"; then
        outcome=no-compile
    elif ! run_tests "$CHECKED"; then
        outcome=caught
    else
        outcome=survived
    fi
    cp "$saved" "$1"
    echo "$outcome"
}

# A mutant that does not compile tells nothing about the tests, so it is not counted.
report() {
    echo "Mutants per rule and outcome:"
    cut -f1,2 "$WORK/results.txt" | sort | uniq -c
    echo "Survivors:"
    grep '^survived' "$WORK/results.txt" | cut -f3 || true
    awk -F'\t' -v s="$1" '{ n[$1]++ } END { c = n["caught"]; v = n["survived"]
        printf "score %.1f %%: caught %d, survived %d, did not compile %d; %d min\n",
            c + v ? 100 * c / (c + v) : 0, c, v, n["no-compile"], s / 60 }' \
        "$WORK/results.txt" | tee -a "$WORK/results.txt"
    echo "Every outcome: $WORK/results.txt"
}

main "$@"; exit # one line, read whole before it runs: editing this file mid-run is safe
