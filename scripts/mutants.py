#!/usr/bin/env python3
"""The mutants of scripts/mutants.sh, one a line: file, first line, rule, the text that replaces
the line (or, split by \\x1e, the lines from there on; empty when deleted) and how to show it,
split by \\x1f, which no source line holds. Same tree, same mutants, same order. Each rule is a
slip a reviewer could miss:

relational  a comparison one step off (< for <=, == for !=)
constant    a number one more or one less
logical     && for || and back
delete      a call or an assignment statement left out (a reset, a redraw, a sound)
swap        two arguments of a call swapped
condition   an if's condition forced true, and forced false
return      an early return left out, or a true returned as false and back
bound       a loop's bound one short and one long; an index one before and one after
table       two neighbouring entries of a constant table swapped
sign        a cast's signedness changed
variable    a variable read where another of the same type in scope was meant
"""
import re
import sys

NEIGHBOUR = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||",
             "||": "&&"}
NOT_CALLS = {"if", "for", "while", "switch", "return", "sizeof", "catch", "static_assert"}
# a parameter, as in a definition: swapping those is not swapping the arguments of a call
PARAMETER = re.compile(r"((const|unsigned|struct)\s+)*[\w:]+(<[^()]*>)?[*&]*\s+\w+(\[\w*\])*")
SIGNED = {"int8_t": "uint8_t", "uint8_t": "int8_t", "int16_t": "uint16_t", "uint16_t": "int16_t",
          "int32_t": "uint32_t", "uint32_t": "int32_t", "int": "unsigned", "unsigned": "int",
          "size_t": "ptrdiff_t", "char": "unsigned char", "unsigned char": "signed char"}
TYPE = r"(?:const )?(?:unsigned )?[A-Za-z_][\w:]*[*&]?"
DECLARATION = re.compile(r"^\s*(?:static |constexpr )*(%s)\s+(\w+)\s*(?:=|;|\[|\{)" % TYPE)
KEYWORDS = {"return", "else", "case", "delete", "new", "goto", "throw", "using", "typedef"}

# comments and string and character literals, blanked before any rule looks at the code
LITERAL = re.compile(r"\"(\\.|[^\"\\\n])*\"|'(\\.|[^'\\\n])*'|//[^\n]*|/\*.*?\*/", re.S)


def operator(code, pattern):  # clang-format spaces operators, never template brackets
    for m in re.finditer(r"(?<= )(%s)(?= )" % pattern, code):
        yield m.start(), m.end(), NEIGHBOUR[m.group()]


def constant(code):  # not the size of an initialised array: the compiler checks that one
    for m in re.finditer(r"(?<![\w.])(\d+)[uUlL]*(?![\w.])", code):
        if code[:m.start()].endswith("[") and code[m.end():].startswith("] = {"):
            continue
        yield m.start(), m.end(1), str(int(m.group(1)) + 1)
        yield m.start(), m.end(1), str(int(m.group(1)) - 1)


def delete(code, previous):
    """A whole statement that is a call or an assignment, not the body of a braceless if."""
    s = code.strip()
    while re.search(r"\([^()]*\)|\[[^\[\]]*\]", s):
        s = re.sub(r"\([^()]*\)|\[[^\[\]]*\]", "#", s)
    call = re.fullmatch(r"[\w.:>*-]*\w#;", s)
    assignment = re.fullmatch(r"\*?[\w.:>#-]+ ([-+*/%&|^]|<<|>>)?= .*;", s)
    step = re.fullmatch(r"(\+\+|--)[\w.>#-]+;|[\w.>#-]+(\+\+|--);", s)
    if (call or assignment or step) and previous[-1:] in ("", ";", "{", "}", ":"):
        yield 0, len(code), ""


def closing(code, start):
    """The index of the bracket that closes the one at start, if it closes on the line."""
    depth = 0
    for i in range(start, len(code)):
        depth += (code[i] in "([{") - (code[i] in ")]}")
        if depth == 0:
            return i
    return None


def arguments(code, start):
    """Spans of the top-level arguments of the call whose ( is at start, if it ends on the line."""
    spans, depth, begin = [], 0, start + 1
    for i in range(start, len(code)):
        depth += (code[i] in "([{") - (code[i] in ")]}")
        if (depth == 1 and code[i] == ",") or depth == 0:
            spans.append((begin, i))
            begin = i + 1
        if depth == 0:
            return spans
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


def condition(code):
    for m in re.finditer(r"\bif \(", code):
        end = closing(code, m.end() - 1)
        if end is not None:
            yield m.end() - 1, end + 1, "(true)"
            yield m.end() - 1, end + 1, "(false)"


def early_return(code):
    """Inside a block of a function body (indented twice or more): a return that ends early."""
    s = code.strip()
    if s in ("return true;", "return false;"):
        start = code.index("return") + len("return ")
        yield start, start + len(s) - len("return ;"), "false" if "true" in s else "true"
    if re.fullmatch(r"return\b[^;]*;", s) and len(code) - len(code.lstrip()) >= 8:
        yield 0, len(code), ""


def bound(code):
    for m in re.finditer(r"\bfor \([^;]*; \w[\w.]* (?:<|<=|>|>=) ([^;]+);", code):
        a, b = m.span(1)
        yield a, b, code[a:b] + " - 1"
        yield a, b, code[a:b] + " + 1"
    if DECLARATION.match(code) and "[" in code.split("=")[0]:
        return  # an array's size, which the compiler checks against its initialiser
    for m in re.finditer(r"(?<=[\w\]])\[([^\[\]]+)\]", code):
        if not re.fullmatch(r"\d+", m.group(1)):  # a number is the constant rule's
            yield m.start(1), m.end(1), m.group(1) + " + 1"
            yield m.start(1), m.end(1), m.group(1) + " - 1"


def table(code, line, next_code, next_line, in_table):
    """Neighbouring entries of a constant table: on one line, or an entry line and the next."""
    for m in re.finditer(r"= \{([^{}]+)\}", code):
        base = m.start(1) - 1
        spans = [(base + a + len(line[base + a:base + b]) - len(line[base + a:base + b].lstrip()),
                  base + b) for a, b in arguments("(" + m.group(1) + ")", 0)]
        for (a1, b1), (a2, b2) in zip(spans, spans[1:]):
            first, second = line[a1:b1].rstrip(), line[a2:b2].rstrip()
            if first != second:
                yield a1, a2 + len(second), second + line[a1 + len(first):a2] + first
    entry = re.compile(r"\s*\{.*\},\s*|\s*[^{};]+,\s*")
    if in_table and entry.fullmatch(code) and entry.fullmatch(next_code) and \
            line.strip() != next_line.strip():
        yield 0, len(line), next_line + "\x1e" + line


def sign(code):
    for m in re.finditer(r"static_cast<((?:unsigned )?\w+)>", code):
        if m.group(1) in SIGNED:
            yield m.start(1), m.end(1), SIGNED[m.group(1)]


class Scope:
    """The variables of the function being read: its parameters and locals, by type."""

    def __init__(self):
        self.names = {}  # name: type, in the order they were met

    def start(self, code):
        self.names = {}
        parameters = code[code.find("(") + 1:code.rfind(")")]
        for parameter in parameters.split(","):
            m = re.fullmatch(r"\s*(%s)\s+(\w+)\s*" % TYPE, parameter)
            if m:
                self.names[m.group(2)] = m.group(1)

    def declare(self, code):
        m = DECLARATION.match(code)
        if m and m.group(1) not in KEYWORDS:
            self.names[m.group(2)] = m.group(1)
            return m.group(2)
        return None

    def replacements(self, code, declared):
        """Each variable read on the line, once, as the nearest other of its type."""
        seen = set()
        for m in re.finditer(r"(?<![\w.>])([A-Za-z_]\w*)\b(?!\s*\()", code):
            name = m.group(1)
            if name in seen or name == declared or name not in self.names:
                continue
            seen.add(name)
            others = [n for n, t in self.names.items() if t == self.names[name] and n != name]
            if others:
                yield m.start(1), m.end(1), others[-1]


def mutants(path, rules):
    source = open(path).read()
    masked = LITERAL.sub(lambda m: re.sub(r"[^\n]", " ", m.group()), source)
    lines, codes = source.split("\n"), masked.split("\n")
    previous, depth, in_table, scope = "", 0, False, Scope()
    for index, (line, code) in enumerate(zip(lines, codes)):
        s = code.strip()
        next_line, next_code = (lines[index + 1], codes[index + 1]) if index + 1 < len(lines) \
            else ("", "")
        if depth == 0 and "(" in s and s.endswith("{"):
            scope.start(code)
        declared = scope.declare(code) if depth > 0 else None
        in_table = (in_table or re.search(r"\] = \{$|\w = \{$", s)) and not s.startswith("}")
        # no preprocessor lines, no lines of braces alone
        if s and not s.startswith("#") and s.strip("{}();"):
            found = {"relational": lambda: operator(code, "<=|>=|==|!=|<|>"),
                     "constant": lambda: constant(code),
                     "logical": lambda: operator(code, r"&&|\|\|"),
                     "delete": lambda: delete(code, previous),
                     "swap": lambda: swap(code, line),
                     "condition": lambda: condition(code),
                     "return": lambda: early_return(code),
                     "bound": lambda: bound(code),
                     "table": lambda: table(code, line, next_code, next_line, in_table),
                     "sign": lambda: sign(code),
                     "variable": lambda: scope.replacements(code, declared) if depth > 0 else ()}
            for rule in rules:
                for a, b, text in found[rule]():
                    mutant = line[:a] + text + line[b:]
                    after = mutant.strip().replace("\x1e", " / ") or "(deleted)"
                    shown = f"{path}:{index + 1}: {line.strip()} -> {after}"
                    yield path, index + 1, rule, mutant, shown
        depth += code.count("{") - code.count("}")
        previous = s or previous


def equivalent(path):
    """The mutants judged equivalent, by file and text (line numbers move): 'file: a -> b'."""
    keys = set()
    for entry in open(path).read().splitlines():
        if entry.strip() and not entry.startswith("#"):
            keys.add(entry.split("  # ", 1)[0].strip())
    return keys


def key(shown):
    return re.sub(r"^([^:]+):\d+: ", r"\1: ", shown)


def main():
    rules, every, most, skip, files = sys.argv[1].split(","), int(sys.argv[2]), \
        int(sys.argv[3]), equivalent(sys.argv[4]), sys.argv[5:]
    everything = [m for path in files for m in mutants(path, rules) if key(m[4]) not in skip]
    for fields in everything[::every][:most or None]:
        print("\x1f".join(map(str, fields)))


if __name__ == "__main__":
    main()
