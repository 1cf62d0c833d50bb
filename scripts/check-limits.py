#!/usr/bin/env python3
"""Fails on a function longer than 60 lines in src/ or tools/, and on scenario goldens that hold
more than 3,650 lines together. A function's length is its lines from the first of its head up to
its closing brace (that line not counted); lambdas and local classes count with the function
that holds them. Prints the file, line and length of each function over the limit."""
import pathlib
import re
import sys

MAX_FUNCTION_LINES = 60
MAX_GOLDEN_LINES = 3650
SOURCES = ("src", "tools")
GOLDENS = "tests/scenarios/*.expected"

RAW_STRING = re.compile(r'R"([^()\\ ]{0,16})\(')


def blank_out(text):
    """The text with comments and string and character literals turned into blanks (line feeds
    kept), so that braces in them are not counted and line numbers stay."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c == "R" and RAW_STRING.match(text, i) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = RAW_STRING.match(text, i)
            close = text.find(")" + m.group(1) + '"', m.end())
            end = n if close < 0 else close + len(m.group(1)) + 2
            out.append('""')
            i = end
            out.append("\n" * text.count("\n", m.end(), end))
            continue
        elif c in "\"'" and not (c == "'" and i and text[i - 1].isalnum()):
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            end = min(end + 1, n)
            out.append(c + c)
            out.append("\n" * text.count("\n", i, end))
            i = end
            continue
        else:
            out.append(c)
            i += 1
            continue
        out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
        i = end
    return "".join(out)


PREPROCESSOR = re.compile(r"^[ \t]*#(?:[^\n]*\\\n)*[^\n]*", re.M)
SCOPE_HEAD = re.compile(r"^(template\s*<.*>\s*)?(namespace|extern|(class|struct|union|enum)\b[^(]*$)", re.S)
# A head that ends in its parameter list, perhaps with qualifiers or a trailing return type.
FUNCTION_TAIL = re.compile(r"\)\s*((const|noexcept|override|final|&|&&)\s*)*(->.*)?$", re.S)
# A constructor's member initializers: after them, or at a member's brace initializer.
MEMBER_LIST = re.compile(r"\)[^:]*(?<!:):(?!:)", re.S)


def without_parentheses(head):
    """`head` with what stands in parentheses and in a template's brackets dropped."""
    depth, out = 0, []
    for ch in head:
        if ch == ")":
            depth = max(0, depth - 1)
        if depth == 0:
            out.append(ch)
        if ch == "(":
            depth += 1
    return re.sub(r"template\s*<[^{]*?>", "", "".join(out))


def kind_of(head):
    """What a brace opens at namespace or class scope, given the text before it."""
    if SCOPE_HEAD.match(head):
        return "scope"
    if MEMBER_LIST.search(head):
        return "function" if head.endswith((")", "}")) else "member"
    bare = re.sub(r"operator\s*[^\s(]+\s*\(|operator\s*\(\)\s*\(", "(", without_parentheses(head))
    if FUNCTION_TAIL.search(bare) and not re.search(r"(?<![=!<>])=(?!=)", bare):
        return "function"
    return "data"


def functions(text):
    """(first line, last line) of every function body in `text` at namespace or class scope."""
    code = PREPROCESSOR.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), blank_out(text))
    found = []
    stack = []  # what each open brace opened: scope, function, member, data or inner
    head_start = 0
    for i, c in enumerate(code):
        at_scope = all(k == "scope" for k in stack)
        if at_scope and c in ";{}":
            if c == "{":
                head = code[head_start:i]
                kind = kind_of(head.strip())
                if kind == "function":
                    first = head_start + len(head) - len(head.lstrip())
                    found.append([code.count("\n", 0, first) + 1, 0])
                stack.append(kind)
                if kind == "scope":
                    head_start = i + 1
            else:
                if c == "}" and stack:
                    stack.pop()
                head_start = i + 1
        elif c == "{":
            stack.append("inner")
        elif c == "}" and stack:
            kind = stack.pop()
            if all(k == "scope" for k in stack) and kind != "member":
                if kind == "function":
                    found[-1][1] = code.count("\n", 0, i) + 1
                head_start = i + 1
    return [tuple(f) for f in found if f[1]]


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    failed = False
    for folder in SOURCES:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h") or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for first, last in functions(text):
                length = last - first
                if length > MAX_FUNCTION_LINES:
                    print(f"{path.relative_to(root)}:{first}: function of {length} lines "
                          f"(at most {MAX_FUNCTION_LINES})")
                    failed = True
    goldens = sorted(root.glob(GOLDENS))
    total = sum(len(p.read_text(encoding="utf-8", errors="replace").splitlines()) for p in goldens)
    if total > MAX_GOLDEN_LINES:
        print(f"{GOLDENS}: {total} lines in {len(goldens)} goldens (at most {MAX_GOLDEN_LINES})")
        failed = True
    if failed:
        print("== Limits check failed", file=sys.stderr)
        return 1
    print(f"== Limits check: no function over {MAX_FUNCTION_LINES} lines, goldens {total} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
