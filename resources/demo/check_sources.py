#!/usr/bin/env python3
"""Sanity checks for the demo installation's readable sources.

Run from anywhere:  python3 resources/demo/check_sources.py [--tree]

It checks what the dictionary compiler cannot know: that every property the program
uses is present with the right type, that the lists hold the codes the pages and the
engine rely on, that model descriptions fit the fixed columns the model list reads,
that the occupation tree only names existing entries, and that the hint file has a
section for every help context. --tree prints the occupation tree with its texts.
"""
import json
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
errors = []


def fail(msg):
    errors.append(msg)


# Every property the program uses: identifier -> (type, holding object).
EXPECTED = {
    0x20005: "numeric", 0x2000D: "list", 0x20016: "string", 0x20017: "string",
    0x20018: "string", 0x20019: "string", 0x2001A: "string", 0x2001B: "string",
    0x2001C: "string", 0x2001D: "string", 0x2001E: "string", 0x2001F: "string",
    0x20020: "string",
    0x60001: "date", 0x60003: "list", 0x60004: "list", 0x6000C: "numeric",
    0x6000E: "numeric", 0x60010: "numeric", 0x60011: "list", 0x60012: "list",
    0x60013: "string", 0x60017: "list", 0x60038: "string", 0x6005D: "list",
    0x6005E: "list", 0x6FFFC: "list", 0x6FFFD: "list", 0x6FFFE: "numeric",
    0x6FFFF: "list",
    0x70001: "list", 0x70003: "list",
    0x90008: "list", 0x90009: "list", 0x90010: "list",
    0x600001: "list", 0x600003: "list", 0x600006: "list", 0x600007: "list",
    0x600009: "numeric", 0x60000C: "date",
    0xD0001: "list", 0xD0005: "date", 0xD0006: "list", 0xD0007: "numeric",
    0xD0019: "numeric", 0xDFFFF: "list",
    0xF0004: "list", 0xF0005: "date", 0xF0007: "list", 0xF0008: "list",
    0xF000F: "list", 0xF0010: "date", 0xF0017: "list", 0xF0018: "numeric",
    0xF0019: "list", 0xF001A: "numeric", 0xF001B: "numeric", 0xF001C: "list",
    0xF001D: "date", 0xF002A: "string", 0xF002B: "string", 0xF002F: "list",
    0xF0035: "numeric", 0xF0036: "numeric", 0xF003B: "list", 0xF003C: "list",
    0xF003D: "list", 0xF0041: "date", 0xF0048: "list", 0xF0082: "list",
    0x120001: "list", 0x120002: "date", 0x120005: "numeric", 0x120007: "list",
    0x12000E: "list", 0x120010: "list", 0x12FFFF: "numeric",
    0x130001: "date", 0x130002: "list", 0x130004: "numeric", 0x130005: "numeric",
    0x130006: "numeric", 0x13000F: "date",
    0x150001: "list", 0x150006: "date", 0x150008: "list", 0x15FFFD: "list",
    0x15FFFE: "list", 0x15FFFF: "list",
    0x160001: "list", 0x16FFFF: "list",
    0x220001: "list", 0x220002: "list", 0x220004: "list", 0x220006: "list",
    0x22FFFF: "list",
    0x2B000C: "date",
    0xFF0001: "numeric", 0xFF0003: "string", 0xFF0004: "numeric",
}

# Object nesting: object -> the object it sits under (None: top level).
EXPECTED_OBJECTS = {2: None, 6: None, 7: 6, 9: 6, 96: 6, 13: None, 15: None, 17: 15,
                    18: 17, 19: 17, 21: 15, 22: 15, 34: 15, 43: None, 255: None}

# Codes that the pages, the report and the engine rely on: property -> {code: description}.
FIXED_CODES = {
    0x60011: {1: "No", 2: "Yes"}, 0x6FFFD: {1: "No", 2: "Yes"}, 0x6FFFF: {1: "No", 2: "Yes"},
    0x70003: {6: "Yes", 7: "No"}, 0x90009: {1: "Yes", 2: "No"},
    0x120007: {3: "No", 4: "Yes"}, 0x12000E: {1: "No", 2: "Yes"},
    0xF0007: {1: "Female", 2: "Male"},
    0xD0001: {1: "Comprehensive", 2: "Third Party, Fire and Theft", 3: "Third Party Only"},
    0x6FFFC: {1: "Proposer", 2: "Driver 1", 3: "Driver 2", 4: "Driver 3", 5: "Driver 4",
              6: "Driver 5"},
    0x90008: {266: None, 268: None, 270: None},
    0xD0006: {c: None for c in range(1, 9)},
    0xF0004: {1: "Spouse"},
    0xF0019: {1: None, 6: None, 7: None},
    0xF001C: {0: None, 1: None, 2: None},
    0xF0048: {1: None, 2: None},
    0x15FFFF: {c: None for c in range(1, 6)},
    0x160001: {c: None for c in range(0, 4)},
}
YES_NO = [0x600006, 0x600007, 0xF003B, 0xF003C, 0xF003D, 0xF0082, 0x120010, 0x150008,
          0x15FFFD, 0x15FFFE, 0x16FFFF]
for pid in YES_NO:
    FIXED_CODES[pid] = {1: "No", 2: "Yes"}

# Lists that the vehicle page shows in code order: codes must run without gaps.
ORDERED_BY_CODE = [0x60012, 0x60017, 0xD0006]

HELP_CONTEXTS = (
    [101 + i for i in range(11)]
    + [110100 + n for n in (1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19)]
    + [110200 + n for n in range(1, 25)]
    + [110300 + n for n in (1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19)]
    + [120100 + n for n in range(1, 5)] + [120200 + n for n in range(1, 5)]
    + [120300 + n for n in range(1, 10)] + [120400 + n for n in range(1, 15)]
    + [120500 + n for n in range(1, 11)] + [120600 + n for n in range(1, 8)]
    + [120700 + n for n in range(1, 6)] + [120800 + n for n in range(1, 5)]
    + [121000 + n for n in range(1, 7)] + [121100 + n for n in range(1, 8)])


def cp1252_text(where, text, limit=255):
    if not isinstance(text, str) or not text:
        fail(f"{where}: empty or missing text")
        return
    if len(text) > limit:
        fail(f"{where}: text longer than {limit} characters")
    try:
        text.encode("cp1252")
    except UnicodeEncodeError:
        fail(f"{where}: {text!r} cannot be written as Windows-1252")


def load(path):
    try:
        with open(path, encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError) as e:
        fail(f"{path.name}: {e}")
        return {}


def walk(props, parent, out):
    for p in props:
        pid = int(p["id"], 16)
        if pid in out:
            fail(f"dictionary: identifier {p['id']} appears twice")
        out[pid] = (p, parent)
        if p["type"] == "object":
            if pid >= 0x10000:
                fail(f"dictionary: object {p['id']} is not below 65536")
            walk(p.get("children", []), pid, out)
        elif "children" in p:
            fail(f"dictionary: value property {p['id']} has children")


def check_default(pid, p, lists):
    if "default" not in p:
        return
    text, kind = p["default"], p["type"]
    if kind == "numeric" and not re.fullmatch(r"-?\d+", text):
        fail(f"{hex(pid)}: numeric default {text!r} is not a whole number")
    if kind == "date" and text and not re.fullmatch(r"\d\d/\d\d/\d{4}", text):
        fail(f"{hex(pid)}: date default {text!r} is not dd/MM/yyyy")
    if kind == "list":
        codes = {e["code"] for e in lists.get(p.get("list"), [])}
        if not re.fullmatch(r"-?\d+", text) or int(text) not in codes:
            fail(f"{hex(pid)}: list default {text!r} is not a code of its list")


def check_lists(lists):
    for name, entries in lists.items():
        if not entries:
            fail(f"list {name}: no entries")
        seen = set()
        for e in entries:
            where = f"list {name} code {e.get('code')}"
            if not isinstance(e.get("code"), int) or not -2**31 <= e["code"] < 2**31:
                fail(f"{where}: code is not a 32-bit integer")
            if e.get("code") in seen:
                fail(f"{where}: duplicate code")
            seen.add(e.get("code"))
            cp1252_text(where + " description", e.get("description"))
            cp1252_text(where + " abi", e.get("abi"))
            for k, v in e.items():
                if k not in ("code", "description", "abi") and not isinstance(v, int):
                    fail(f"{where}: extra field {k} is not an integer")


MODEL_RE = re.compile(r" (\d{4})-(\d{4}| {4}) [A-Z ]{3}  (\d)  ([PD])([MA]) ([ \d]{3}\d)  (.{27})")


def check_models(models, makes, year_now):
    make_codes = {m["code"] for m in makes}
    per_make = {c: 0 for c in make_codes}
    for m in models:
        d = m["description"]
        where = f"model {m['code']}"
        g = MODEL_RE.fullmatch(d)
        if not g:
            fail(f"{where}: description {d!r} does not fit the fixed columns")
            continue
        first, last = int(g[1]), int(g[2]) if g[2].strip() else 0
        if not 1900 < first <= year_now or (last and not first <= last <= year_now):
            fail(f"{where}: implausible production years {first}-{last}")
        if not g[7].strip() or g[7] != g[7].rstrip() + " " * (27 - len(g[7].rstrip())):
            fail(f"{where}: model name column is malformed")
        if g[6].strip() != g[6].lstrip() or not 500 <= int(g[6]) <= 7000:
            fail(f"{where}: engine size {g[6]!r} is implausible")
        if m.get("make") not in make_codes:
            fail(f"{where}: make {m.get('make')} does not exist")
        else:
            per_make[m["make"]] += 1
    for code, n in per_make.items():
        if n == 0:
            fail(f"make {code} has no models")
    if len(make_codes) < 30 or len(models) < 400:
        fail(f"only {len(make_codes)} makes and {len(models)} models")


def check_dependencies(deps, props, lists):
    for d in deps:
        ctl = int(d["controlling"], 16)
        if ctl not in props or props[ctl][0]["type"] != "list":
            fail(f"dependency: controlling {d['controlling']} is not a list property")
            continue
        if d["dependent"] not in lists:
            fail(f"dependency: dependent list {d['dependent']} does not exist")
            continue
        ctl_codes = {e["code"] for e in lists[props[ctl][0]["list"]]}
        for e in lists[d["dependent"]]:
            if e.get(d["key"]) not in ctl_codes:
                fail(f"dependency: {d['dependent']} code {e['code']} has no valid {d['key']}")


def check_tree(tree, lists, show):
    text = {n: {e["code"]: e["description"] for e in lists.get(n, [])}
            for n in ("employers_businesses", "occupations", "occupation_qualifiers",
                      "employment_statuses")}
    occupations_used = set()
    for b in tree:
        bname = text["employers_businesses"].get(b["code"])
        if not bname or not 0 < b["code"] < 65536:
            fail(f"occupation tree: business {b['code']} is not in the list")
        if show:
            print(f"{b['code']:3} {bname}")
        seen = set()
        for o in b.get("children", []):
            oname = text["occupations"].get(o["code"])
            if not oname or not 0 < o["code"] < 32768:
                fail(f"occupation tree: occupation {o['code']} is not in the list")
            if o["code"] in seen:
                fail(f"occupation tree: occupation {o['code']} twice under {b['code']}")
            seen.add(o["code"])
            occupations_used.add(o["code"])
            quals = o.get("children", [])
            if not quals:
                fail(f"occupation tree: occupation {o['code']} has no qualifier node")
            for q in quals:
                qname = text["occupation_qualifiers"].get(q["code"])
                if q["code"] and not qname:
                    fail(f"occupation tree: qualifier {q['code']} is not in the list")
                if len(quals) > 1 and not qname:
                    fail(f"occupation tree: {oname} has a qualifier without text")
                st = [s["code"] for s in q.get("children", [])]
                if not st:
                    fail(f"occupation tree: {oname} ({qname}) allows no status")
                for s in st:
                    if not 0 < s < 256 or s not in text["employment_statuses"]:
                        fail(f"occupation tree: status {s} is not a one-byte list code")
                if show:
                    label = f"{oname} ({qname})" if len(quals) > 1 else oname
                    names = ", ".join(text["employment_statuses"].get(s, "?") for s in st)
                    print(f"      {label}: {names}")
    if len(tree) < 40 or len(occupations_used) < 150:
        fail(f"occupation tree: {len(tree)} businesses, {len(occupations_used)} occupations")
    unused = set(text["occupations"]) - occupations_used
    if unused:
        fail(f"occupation tree: occupations never offered: {sorted(unused)}")


def check_hints(path):
    try:
        raw = path.read_bytes()
    except OSError as e:
        fail(f"{path.name}: {e}")
        return
    if not raw.isascii():
        fail(f"{path.name}: not plain ASCII")
    sections, current = {}, None
    for n, line in enumerate(raw.decode("ascii", "replace").splitlines(), 1):
        if not line.strip():
            continue
        m = re.fullmatch(r"\[(\d+)\]", line)
        if m:
            current = int(m[1])
            if current in sections:
                fail(f"{path.name}:{n}: section {current} twice")
            sections[current] = []
            continue
        m = re.fullmatch(r"(Line(\d))=(.+)", line)
        if not m or current is None:
            fail(f"{path.name}:{n}: not a LineN=text key inside a section")
            continue
        keys = sections[current]
        if int(m[2]) != len(keys) + 1:
            fail(f"{path.name}:{n}: keys out of order")
        keys.append(m[3])
        # Commas, semicolons and quotes have special meanings to ini readers.
        if len(m[3]) > 60 or re.search(r'[,;"\\#=%]', m[3]) or m[3].startswith("@"):
            fail(f"{path.name}:{n}: hint line too long or holds an ini special character")
    for ctx in HELP_CONTEXTS:
        if not sections.get(ctx):
            fail(f"{path.name}: no hint for help context {ctx}")
    for ctx in sections:
        if ctx not in HELP_CONTEXTS:
            fail(f"{path.name}: section {ctx} is no help context of the program")


def main():
    show_tree = "--tree" in sys.argv
    dic = load(HERE / "dictionary.json")
    lists, deps = dict(dic.get("lists", {})), list(dic.get("dependencies", []))
    for inc in dic.get("include", []):
        part = load(HERE / inc)
        for name, entries in part.get("lists", {}).items():
            if name in lists:
                fail(f"{inc}: list {name} defined twice")
            lists[name] = entries
        deps += part.get("dependencies", [])
    if dic.get("application") != 1 or not isinstance(dic.get("version"), int):
        fail("dictionary: application must be 1 and version a number")

    props = {}
    walk(dic.get("properties", []), None, props)
    for pid, (p, parent) in props.items():
        if p["type"] not in ("object", "numeric", "string", "date", "list"):
            fail(f"{p['id']}: unknown type {p['type']}")
        if p["type"] != "object" and parent != pid >> 16:
            fail(f"{p['id']}: held by object {parent}, not by {pid >> 16}")
        if p["type"] == "list" and p.get("list") not in lists:
            fail(f"{p['id']}: list {p.get('list')} does not exist")
        if p["type"] != "list" and "list" in p:
            fail(f"{p['id']}: only list properties name a list")
        check_default(pid, p, lists)
    for pid, kind in EXPECTED.items():
        if pid not in props:
            fail(f"{hex(pid)}: missing")
        elif props[pid][0]["type"] != kind:
            fail(f"{hex(pid)}: is {props[pid][0]['type']}, expected {kind}")
    for obj, parent in EXPECTED_OBJECTS.items():
        if obj not in props or props[obj][1] != parent:
            fail(f"object {obj}: missing or not under {parent}")
    for pid, codes in FIXED_CODES.items():
        entries = {e["code"]: e["description"] for e in lists.get(props[pid][0]["list"], [])}
        for code, desc in codes.items():
            if code not in entries or (desc and entries[code] != desc):
                fail(f"{hex(pid)}: code {code} should read {desc or 'something'}")
    for pid in ORDERED_BY_CODE:
        codes = sorted(e["code"] for e in lists[props[pid][0]["list"]])
        if codes != list(range(codes[0], codes[0] + len(codes))) or codes[0] > 1:
            fail(f"{hex(pid)}: codes must run 1, 2, 3, ... without gaps")
    abi = {e["abi"] for e in lists["occupation_kinds"]}, {e["abi"] for e in lists["employment_statuses"]}
    if "N" not in abi[0] or "E" not in abi[1]:
        fail("occupation kinds need ABI code N and employment statuses ABI code E")

    check_lists(lists)
    check_models(lists.get("models", []), lists.get("makes", []), 2026)
    check_dependencies(deps, props, lists)
    check_tree(load(HERE / "occupations.json").get("tree", []), lists, show_tree)
    check_hints(HERE / "TTHelp.dat")

    for e in errors:
        print("error:", e)
    if not show_tree:
        print(f"{len(props)} properties, {len(lists)} lists, "
              f"{sum(len(v) for v in lists.values())} entries: "
              f"{'all good' if not errors else f'{len(errors)} errors'}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
