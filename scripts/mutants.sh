#!/usr/bin/env bash
# Mutation testing of the platform-neutral product code: makes one small fault at a time, rebuilds
# the native unit tests and tells which faults no test notices. Not part of CI: slow by nature.
# Works in a copy of the tree (/tmp/brimzo-mutants), never in the tree itself.
#   bash scripts/mutants.sh [--files "game/shapes.cpp store/*.cpp"] [--rules relational,swap]
#                           [--every K] [--max N] [--list]
# Rules: relational, constant, logical, delete, swap. --every K keeps every K-th mutant of the
# full ordered list; --max N stops after N; --list prints the mutants without building.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=/tmp/brimzo-mutants TREE=/tmp/brimzo-mutants/tree BUILD=/tmp/brimzo-mutants/build
FILES="game/*.cpp store/*.cpp render/*.cpp shell/input.cpp shell/keys.cpp shell/display.cpp dialogs/rules.cpp"
RULES=relational,constant,logical,delete,swap
EVERY=1 MAX=0 LIST=""

# The mutants, one a line: file, line number, rule, the mutated line (empty when deleted) and
# how to show it, split by \x1f, which no source line holds. Same tree, same mutants, same order.
read -r -d '' MAKE_MUTANTS <<'PY' || true
import re, sys
rules, every, most, files = sys.argv[1].split(","), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
NEIGHBOUR = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
NOT_CALLS = {"if", "for", "while", "switch", "return", "sizeof", "catch", "static_assert"}
# a parameter, as in a definition: swapping those is not swapping the arguments of a call
PARAMETER = re.compile(r"((const|unsigned|struct)\s+)*[\w:]+(<[^()]*>)?[*&]*\s+\w+(\[\w*\])*")

# comments and string and character literals, blanked before any rule looks at the code
LITERAL = re.compile(r"\"(\\.|[^\"\\\n])*\"|'(\\.|[^'\\\n])*'|//[^\n]*|/\*.*?\*/", re.S)

def operator(code, pattern):  # clang-format spaces operators, never template brackets
    for m in re.finditer(r"(?<= )(%s)(?= )" % pattern, code):
        yield m.start(), m.end(), NEIGHBOUR[m.group()]

def constant(code):  # not the size of an initialised array: the compiler checks that one
    for m in re.finditer(r"(?<![\w.])(\d+)[uUlL]*(?![\w.])", code):
        if code[:m.start()].endswith("[") and code[m.end():].startswith("] = {"): continue
        yield m.start(), m.end(1), str(int(m.group(1)) + 1)
        yield m.start(), m.end(1), str(int(m.group(1)) - 1)

def delete(code, previous):
    """A whole statement that is a call or an assignment, not the body of a braceless if."""
    s = code.strip()
    while re.search(r"\([^()]*\)|\[[^\[\]]*\]", s): s = re.sub(r"\([^()]*\)|\[[^\[\]]*\]", "#", s)
    call = re.fullmatch(r"[\w.:>*-]*\w#;", s)
    assignment = re.fullmatch(r"\*?[\w.:>#-]+ ([-+*/%&|^]|<<|>>)?= .*;", s)
    step = re.fullmatch(r"(\+\+|--)[\w.>#-]+;|[\w.>#-]+(\+\+|--);", s)
    if (call or assignment or step) and previous[-1:] in ("", ";", "{", "}", ":"):
        yield 0, len(code), ""

def arguments(code, start):
    """Spans of the top-level arguments of the call whose ( is at start, if it ends on the line."""
    spans, depth, begin = [], 0, start + 1
    for i in range(start, len(code)):
        depth += (code[i] in "([{") - (code[i] in ")]}")
        if (depth == 1 and code[i] == ",") or depth == 0:
            spans.append((begin, i)); begin = i + 1
        if depth == 0: return spans
    return []

def swap(code, line):
    for m in re.finditer(r"\b(\w+)\(", code):
        spans = arguments(code, m.end() - 1)
        args = [(a + len(line[a:b]) - len(line[a:b].lstrip()), b) for a, b in spans]
        if m.group(1) in NOT_CALLS or any(PARAMETER.fullmatch(line[a:b].strip()) for a, b in args):
            continue
        for (a1, b1), (a2, b2) in zip(args, args[1:]):
            if line[a1:b1].strip() != line[a2:b2].strip():
                yield a1, b2, line[a2:b2].strip() + line[b1:a2] + line[a1:b1].rstrip()

def mutants(path):
    source, previous = open(path).read(), ""
    masked = LITERAL.sub(lambda m: re.sub(r"[^\n]", " ", m.group()), source)
    for number, (line, code) in enumerate(zip(source.split("\n"), masked.split("\n")), 1):
        s = code.strip()  # no preprocessor lines, no lines of braces alone
        if s and not s.startswith("#") and s.strip("{}();"):
            found = {"relational": operator(code, "<=|>=|==|!=|<|>"), "constant": constant(code),
                     "logical": operator(code, r"&&|\|\|"), "delete": delete(code, previous),
                     "swap": swap(code, line)}
            for rule in rules:
                for a, b, text in found[rule]:
                    mutant = line[:a] + text + line[b:]
                    shown = f"{path}:{number}: {line.strip()} -> {mutant.strip() or '(deleted)'}"
                    yield path, number, rule, mutant, shown
        previous = s or previous

everything = [m for path in files for m in mutants(path)]
for fields in everything[::every][:most or None]:
    print("\x1f".join(map(str, fields)))
PY

main() {
    parse_options "$@"
    renice -n 10 -p $$ >/dev/null # two cores shared with people at work
    copy_tree
    (cd "$TREE" && python3 -c "$MAKE_MUTANTS" "$RULES" "$EVERY" "$MAX" $FILES) >"$WORK/mutants.txt"
    if [ -n "$LIST" ]; then cut -d $'\x1f' -f3,5 --output-delimiter=$'\t' "$WORK/mutants.txt"; exit 0; fi
    cmake -S "$TREE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIMZO_WINDOWS=OFF \
        -DBRIMZO_SANITIZE=OFF >/dev/null
    build && run_tests || { echo "the unmutated tree fails to build or pass; nothing to measure" >&2; exit 1; }
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
            *) sed -n '5,8s/^# \?//p' "$0" >&2; exit 2 ;;
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

# Only the two native test programs: the fuzzers are built when clang is there, with no option.
build() { ninja -C "$BUILD" -j2 core_tests render_tests >"$WORK/build.log" 2>&1; }

# Both take well under a second, so 20 s is a hang, and a hang counts as caught; a runaway
# allocation must not take the shared machine down.
run_tests() {
    (cd "$BUILD/tests" && ulimit -v 4000000 &&
        timeout 20 ./core_tests --gtest_fail_fast && timeout 20 ./render_tests --gtest_fail_fast) >/dev/null 2>&1
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
    build || true # the last file put back, so that the copy builds as the tree does
    report $((SECONDS - start))
}

# Prints caught, survived or no-compile. The file is put back with a new time stamp, so that
# ninja rebuilds it; should a run be stopped halfway, the next run's copy_tree puts it back.
try_mutant() {
    local saved=$WORK/original outcome
    cp -p "$1" "$saved"
    L=$2 T=$3 awk 'NR == ENVIRON["L"] { print ENVIRON["T"]; next } { print }' "$saved" >"$1"
    if ! build; then outcome=no-compile; elif run_tests; then outcome=survived; else outcome=caught; fi
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
