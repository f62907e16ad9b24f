#!/usr/bin/env python3
"""Writes src/hosts/blocklist.txt, the built-in blocklist of the HOSTS window,
and src/hosts/blocklist_provenance.tsv, where every name on it comes from.

The list is a HOSTS file: a five-line banner, the loopback line, then 964
entries that send host names of malware and malicious sites to the sink
address 0.0.0.0. Every name comes from the static trails of maltrail
(github.com/stamparm/maltrail, MIT licence), a curated list of host names
seen in published threat reports, block by block under "# Reference:" links.

The rule, applied to a maltrail checkout:

 1. Files: trails/static/malware/*.txt and trails/static/malicious/*.txt,
    never suspicious/. Not the malicious files that list hacked legitimate
    sites beside the attackers' own names (LEFT_OUT_FILES): the registered
    domains there may belong to the victims. Host names only: no URLs,
    addresses, ports or wildcards; the top-level label must be one that the
    ICANN section of the public suffix list knows, and not onion. A name
    whose block has no "# Reference:" line is left out.
 2. Recency: a name's date is the newest date among the reference lines of
    its block: a date written in the link or in a note after it (2024/05/,
    2024-05-17) or, for a post on X (twitter.com, x.com), the day its status
    number encodes; a date after the commit (a mistyped number) counts for
    nothing. maltrail restarted its history on 3 January 2026: the first
    commit of the checkout holds every name listed before, and git cannot
    date them. A name that no static trail file held at that first commit
    was added since; unless its references date it 2024 or later, it is
    dated by the commit that added it. A name is recent if its date is
    2024 or later. Old lists (most of the APT files) fall away here:
    their domains may have expired and been registered by someone else.
 3. Exclusions: a name is left out if it, or a parent of it down to its
    registered domain, is listed by maltrail's own whitelist
    (data/whitelist.txt), by v2fly/domain-list-community (its domain and full
    rules, except those tagged @ads and the category-ads files), or by the
    popularity list (the first 100 000 names of the Cisco Umbrella top
    million).
 4. Platforms: a name whose registered domain belongs to a shared platform (a
    name in the private section of the public suffix list, such as a dynamic
    DNS, hosting or free-subdomain provider) is left out, whether it is the
    platform's own host or one handed out to a customer.
 5. Spread: no trail file gives more than a quarter of the list.
 6. Make-up: the names are drawn from the pool in the order newest first
    (then by trail file and line), into the quotas of PLAN: so many names of
    so many labels under com, cn, net or another top-level domain, bare, with
    "www." or both. Where maltrail lists a registered domain D itself (the
    attackers own every name under it), "www.D" may be added; that is never
    done under a platform, and the provenance file says where it was done.
    Nine names are written with their first label in capitals (HOSTS
    look-ups ignore case). Which pairs stand apart and which put the bare
    name first, and the order of the entries, follow a SHA-256 of the names:
    fixed, and in no sorted order.

Same inputs, same bytes. Before writing, the script checks the shape and the
make-up of what it made, and exits with status 1 if anything is off, writing
nothing. The provenance file gives the maltrail commit and its date, and the
other inputs, in its header.

Python standard library and git. Usage:
  generate_blocklist.py --maltrail DIR --v2fly DIR --popular FILE [--psl FILE]
      write both files from the checkouts (git clones) of maltrail and v2fly,
      the popularity list (one name a line) and the public suffix list
      (default: /usr/share/publicsuffix/public_suffix_list.dat)
  generate_blocklist.py --check
      check the shape and the make-up of the committed files
  generate_blocklist.py --check --maltrail DIR --v2fly DIR --popular FILE
      also check that they are byte for byte what the rule makes from these
      inputs, which must be at the recorded commits
"""

import argparse
import datetime
import hashlib
import io
import re
import subprocess
import sys
import tarfile
from collections import Counter, namedtuple
from pathlib import Path

SINK = "0.0.0.0"
RULE = "*" * 35
HEADER = [
    RULE,
    "Quellbrook",
    "HOSTS迷你防火墙文件库-09.12.30",
    "Morvale软件论坛.Varnock",
    RULE,
    "127.0.0.1 localhost",
]
HOSTS_DIR = Path(__file__).resolve().parents[2] / "src" / "hosts"
BLOCKLIST = HOSTS_DIR / "blocklist.txt"
PROVENANCE = HOSTS_DIR / "blocklist_provenance.tsv"
DEFAULT_PSL = Path("/usr/share/publicsuffix/public_suffix_list.dat")

TRAIL_DIRS = ("trails/static/malware", "trails/static/malicious")
# Files that list hacked legitimate sites beside the attackers' own names.
LEFT_OUT_FILES = {"trails/static/malicious/" + name + ".txt"
                  for name in ("domain_shadowing", "ek_clearfake", "ek_clearfake-1", "socgholish", "wp_inject")}
# Dates are written YYYY-MM-DD, or YYYY-MM where a link gives no day: as text
# they compare in time order, and with RECENT.
RECENT = "2024"
LIST_SIZE = 964
MOST_FROM_ONE_FILE = LIST_SIZE // 4

# The quotas, filled in this order. kind:
#  pair  - a registered domain and the same with "www." in front
#  www   - "www." in front of a registered domain that is not listed bare
#  other - a name that does not begin with "www", listed as maltrail has it
# labels: of the name as maltrail has it; group: com, cn, net, or "other" for
# any other top-level domain; length: where set, of every name of the quota
# (the list's shortest and longest name).
Quota = namedtuple("Quota", "kind labels group count length", defaults=[None])
PLAN = [
    Quota("other", 2, "other", 1, length=5),
    Quota("other", 3, "com", 1, length=58),
    Quota("other", 6, "com", 1),
    Quota("pair", 2, "cn", 48),
    Quota("www", 2, "cn", 50),
    Quota("other", 2, "cn", 12),
    Quota("other", 3, "cn", 102),
    Quota("other", 4, "cn", 7),
    Quota("other", 5, "cn", 1),
    Quota("pair", 2, "com", 110),
    Quota("www", 2, "com", 122),
    Quota("other", 2, "com", 25),
    Quota("other", 3, "com", 165),
    Quota("other", 4, "com", 8),
    Quota("other", 5, "com", 3),
    Quota("pair", 2, "net", 14),
    Quota("www", 2, "net", 17),
    Quota("other", 2, "net", 7),
    Quota("other", 3, "net", 21),
    Quota("other", 4, "net", 3),
    Quota("other", 5, "net", 1),
    Quota("pair", 2, "other", 13),
    Quota("www", 2, "other", 16),
    Quota("other", 2, "other", 7),
    Quota("other", 3, "other", 20),
    Quota("other", 4, "other", 3),
    Quota("other", 5, "other", 1),
]
SPLIT_PAIRS = 9        # pairs whose two names do not stand together
BARE_FIRST_PAIRS = 43  # pairs that stand together with the bare name first
CAPITALISED = 9
SHORTEST, LONGEST = 5, 58

# The make-up the program's tests check (tests/unit/blocklist_test.cpp).
MAKE_UP = {
    "distinct names": 964, "malformed names": 0, "shortest": 5, "longest": 58,
    "fewest labels": 2, "most labels": 6, "labels 2": 237, "labels 3": 699,
    "labels 4+": 28, "tld com": 545, "tld cn": 268, "tld net": 77,
    "tld other": 74, "with capitals": 9, "www": 390, "pairs": 185,
    "adjacent pairs": 176, "www first": 133, "bare first": 43, "unpaired www": 205,
}

HOST = re.compile(r"(?=.{4,253}$)([a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?\.)+[a-z][a-z0-9-]*[a-z0-9]")
LABEL = re.compile(r"[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?")
REFERENCE = re.compile(r"#\s*Ref\w*:?\s+(\S.*)")
POST = re.compile(r"(?:twitter|x)\.com/\w+/status(?:es)?/(\d+)")
FULL_DATE = re.compile(r"(?<![0-9])(20[0-3][0-9])([-/_])(0[1-9]|1[0-2])\2(0[1-9]|[12][0-9]|3[01])(?![0-9])")
MONTH = re.compile(r"/(20[0-3][0-9])/(0[1-9]|1[0-2])/")
PROVENANCE_COLUMNS = ["host", "www added", "trail file", "line", "date", "dated by", "reference"]


def git(checkout, *args):
    return subprocess.run(["git", "-C", str(checkout), *args], check=True, capture_output=True).stdout


# ----------------------------------------------------------- public suffixes --

class SuffixList:
    """The public suffix list: which part of a name is a public suffix, and
    whether that suffix belongs to a shared platform (the private section)."""

    def __init__(self, text):
        self.rules = {}  # rule -> True if it is in the private section
        private = False
        for line in text.splitlines():
            line = line.strip()
            if "===BEGIN PRIVATE DOMAINS===" in line:
                private = True
            if line and not line.startswith("//"):
                self.rules[line.split()[0]] = private
        self.platforms = set()
        for rule, is_private in self.rules.items():
            if is_private:
                self.platforms.add(self.registered(rule.lstrip("!*."), icann_only=True) or rule.lstrip("!*."))

    def suffix(self, name, icann_only=False):
        """(length of the public suffix in labels, private?) by the longest
        matching rule; None where only the implicit "*" rule matches."""
        labels = name.split(".")
        best = None
        for size in range(1, len(labels) + 1):
            tail = ".".join(labels[-size:])
            wild = ".".join(["*"] + labels[-size + 1:]) if size > 1 else "*"
            for rule in (tail, wild):
                private = self.rules.get(rule)
                if private is None or (icann_only and private):
                    continue
                if "!" + tail in self.rules and not (icann_only and self.rules["!" + tail]):
                    return size - 1, self.rules["!" + tail]
                best = (size, private)
        return best

    def registered(self, name, icann_only=False):
        """The registered domain: the public suffix and one label more."""
        found = self.suffix(name, icann_only)
        if found is None or found[0] >= len(name.split(".")):
            return None
        return ".".join(name.split(".")[-found[0] - 1:])

    def on_platform(self, name):
        """Whether the name's registered domain is a shared platform's, or
        one handed out under a platform's suffix."""
        found = self.suffix(name)
        return (found is not None and found[1]) or self.registered(name, icann_only=True) in self.platforms


# ------------------------------------------------------------------- trails --

class Trail:
    """One host name on one line of a trail file, with its block's references."""

    def __init__(self, name, file, line, references):
        self.name, self.file, self.line, self.references = name, file, line, references
        self.date, self.dated_by = None, None
        self.reference = references[0].split()[0] if references else None


def read_trails(checkout):
    trails = []
    for directory in TRAIL_DIRS:
        for path in sorted((Path(checkout) / directory).glob("*.txt")):
            file = "%s/%s" % (directory, path.name)
            if file in LEFT_OUT_FILES:
                continue
            references, in_entries = [], False
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                line = line.strip()
                reference = REFERENCE.match(line)
                if reference:
                    if in_entries:
                        references, in_entries = [], False
                    references.append(reference.group(1))
                elif line and not line.startswith("#"):
                    in_entries = True
                    name = line.split("#")[0].strip().lower()
                    if HOST.fullmatch(name) and not name.endswith(".onion"):
                        trails.append(Trail(name, file, number, list(references)))
    return trails


def names_in(text):
    return {line.split("#")[0].strip().lower() for line in text.splitlines() if line.strip()[:1] not in ("", "#")}


def names_at_reset(checkout, root):
    """Every name in any static trail file at the first commit of the history."""
    archive = git(checkout, "archive", root, "trails/static")
    names = set()
    with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
        for member in tar.getmembers():
            if member.isfile() and member.name.endswith(".txt"):
                names |= names_in(tar.extractfile(member).read().decode("utf-8"))
    return names


def added_since(checkout, root):
    """Name -> the date of the first commit after `root` that added it to a
    malware or malicious trail file."""
    log = git(checkout, "log", "--reverse", "--no-renames", "-p", "-U0", "--format=commit %cI",
              root + "..HEAD", "--", *TRAIL_DIRS).decode("utf-8", "replace")
    added, date = {}, None
    for line in log.splitlines():
        if line.startswith("commit "):
            date = line[7:17]
        elif line.startswith("+") and not line.startswith("+++"):
            added.setdefault(line[1:].split("#")[0].strip().lower(), date)
    return added


def link_date(link):
    """The date a reference line carries, in its link or in a note after it,
    as YYYY-MM-DD or YYYY-MM, and how it was found."""
    post = POST.search(link)
    if post and int(post.group(1)) > 1 << 32:
        millis = (int(post.group(1)) >> 22) + 1288834974657
        return datetime.datetime.fromtimestamp(millis / 1000, datetime.timezone.utc).strftime("%Y-%m-%d"), "post"
    full = FULL_DATE.search(link)
    if full:
        return "%s-%s-%s" % (full.group(1), full.group(3), full.group(4)), "reference"
    month = MONTH.search(link)
    if month:
        return "%s-%s" % month.groups(), "reference"
    return None, None


def date_trails(trails, at_reset, added, today):
    """Dates each trail by its references, or by when it was added; a date
    after the commit (a mistyped status number) counts for nothing."""
    for trail in trails:
        for link in trail.references:
            date, how = link_date(link)
            if date and date <= today and (trail.date is None or date > trail.date):
                trail.date, trail.dated_by, trail.reference = date, how, link.split()[0]
        if (trail.date is None or trail.date < RECENT) and trail.name not in at_reset and trail.name in added:
            trail.date, trail.dated_by = added[trail.name], "added"


# --------------------------------------------------------------- exclusions --

def v2fly_names(checkout):
    """The names v2fly/domain-list-community lists as services, but not its ads."""
    names = set()
    for path in sorted((Path(checkout) / "data").iterdir()):
        if path.name.startswith("category-ads"):
            continue
        for line in path.read_text(encoding="utf-8").splitlines():
            words = line.split("#")[0].split()
            if not words or "@ads" in words[1:]:
                continue
            kind, _, value = words[0].rpartition(":")
            if kind in ("", "domain", "full"):
                names.add(value.lower())
    return names


def plain_names(path):
    return names_in(Path(path).read_text(encoding="utf-8"))


class Exclusions:
    def __init__(self, suffixes, lists):
        self.suffixes, self.lists = suffixes, lists

    def listing(self, name):
        """The first list that names `name` or a parent of it down to its
        registered domain, or None."""
        registered = self.suffixes.registered(name, icann_only=True)
        labels = name.split(".")
        for size in range(len(labels), len(registered.split(".")) - 1, -1):
            tail = ".".join(labels[-size:])
            for title, names in self.lists:
                if tail in names:
                    return title
        return None


# ---------------------------------------------------------------- selection --

def group_of(name):
    tld = name.rsplit(".", 1)[1].lower()
    return tld if tld in ("com", "cn", "net") else "other"


class Row:
    """One entry of the list: the name as written, and the trail it comes from."""

    def __init__(self, host, trail, www_added):
        self.host, self.trail, self.www_added = host, trail, www_added


def select(pool, suffixes, excluded):
    """Fills PLAN from the pool, newest first. Returns the chosen (kind, trail)
    in plan order and the number of names per trail file."""
    order = sorted(pool, key=lambda t: (t.file, t.line))
    order.sort(key=lambda t: t.date, reverse=True)
    taken, per_file, chosen = set(), Counter(), []
    for quota in PLAN:
        filled = 0
        for trail in order:
            if filled == quota.count:
                break
            name, www = trail.name, "www." + trail.name
            names = (www, name) if quota.kind == "pair" else (www,) if quota.kind == "www" else (name,)
            if name in taken or www in taken or name.startswith("www.") or group_of(name) != quota.group:
                continue
            if len(name.split(".")) != quota.labels or per_file[trail.file] + len(names) > MOST_FROM_ONE_FILE:
                continue
            if any(not SHORTEST <= len(host) <= LONGEST or quota.length not in (None, len(host)) for host in names):
                continue
            if quota.kind != "other" and (suffixes.registered(name) != name or excluded(www)):
                continue
            taken.update((name, www))
            per_file[trail.file] += len(names)
            chosen.append((quota.kind, trail))
            filled += 1
        if filled < quota.count:
            raise SystemExit("the pool holds only %d of the %d names for %s" % (filled, quota.count, quota))
    return chosen, per_file


def rank(purpose, name):
    """A fixed, evenly spread order of names, a different one for each purpose."""
    return hashlib.sha256(("%s %s" % (purpose, name)).encode("ascii")).hexdigest()


def arrange(chosen):
    """The rows in list order: blocks of one name or of a pair standing
    together, ordered by the hash of their first name."""
    pairs = sorted((trail for kind, trail in chosen if kind == "pair"), key=lambda t: rank("pair", t.name))
    split = {t.name for t in pairs[:SPLIT_PAIRS]}
    bare_first = {t.name for t in pairs[SPLIT_PAIRS:SPLIT_PAIRS + BARE_FIRST_PAIRS]}
    lettered = [trail for kind, trail in chosen if kind == "other" and re.search("[a-z]", trail.name.split(".")[0])]
    others = sorted(lettered, key=lambda t: rank("capitals", t.name))
    capitalised = {t.name for t in others[:CAPITALISED]}

    blocks = []
    for kind, trail in chosen:
        bare = Row(trail.name, trail, False)
        www = Row("www." + trail.name, trail, True)
        if kind == "other":
            if trail.name in capitalised:
                first, _, rest = trail.name.partition(".")
                bare.host = first.upper() + "." + rest
            blocks.append([bare])
        elif kind == "www":
            blocks.append([www])
        elif trail.name in split:
            blocks.extend([[www], [bare]])
        else:
            blocks.append([bare, www] if trail.name in bare_first else [www, bare])
    blocks.sort(key=lambda block: rank("order", block[0].host.lower()))
    return [row for block in blocks for row in block]


# ------------------------------------------------------------------- output --

def render_blocklist(rows):
    return "".join(line + "\n" for line in HEADER + ["%s %s" % (SINK, row.host) for row in rows])


def render_provenance(rows, inputs):
    lines = [
        "# Where each name of blocklist.txt comes from, one row a name in the list's order.",
        "# Written by tools/blocklist/generate_blocklist.py; the rule is in its docstring.",
        "# maltrail: github.com/stamparm/maltrail commit %s of %s" % inputs["maltrail"],
        "# excluded: maltrail data/whitelist.txt at that commit;",
        "#   v2fly/domain-list-community commit %s;" % inputs["v2fly"],
        "#   popularity list %s (SHA-256 %s);" % inputs["popular"],
        "#   public suffix list (SHA-256 %s)." % inputs["psl"],
        "# host: the name in small letters; www added: yes where the trail lists the",
        "# name without \"www.\"; line: the line of the trail file that lists it;",
        "# date and dated by: the newest date of its references, from the day an X post's",
        "# number encodes (post) or a date written in the reference line (reference); or",
        "# the day of the commit that added the name (added).",
        "# " + "\t".join(PROVENANCE_COLUMNS),
    ]
    for row in rows:
        trail = row.trail
        lines.append("\t".join([row.host.lower(), "yes" if row.www_added else "no", trail.file, str(trail.line),
                                trail.date, trail.dated_by, trail.reference]))
    return "".join(line + "\n" for line in lines)


# ------------------------------------------------------------------- checks --

def tally(hosts):
    """The counts the program's make-up test takes over the host names."""
    n = Counter({"shortest": 1000, "fewest labels": 1000})
    line_of = {}
    for i, host in enumerate(hosts):
        line_of.setdefault(host.lower(), i)
    n["distinct names"] = len(line_of)
    for i, host in enumerate(hosts):
        labels = host.split(".")
        n["malformed names"] += not all(LABEL.fullmatch(label) for label in labels)
        n["shortest"] = min(n["shortest"], len(host))
        n["longest"] = max(n["longest"], len(host))
        n["fewest labels"] = min(n["fewest labels"], len(labels))
        n["most labels"] = max(n["most labels"], len(labels))
        n["labels 4+" if len(labels) >= 4 else "labels %d" % len(labels)] += 1
        n["tld " + group_of(host)] += 1
        n["with capitals"] += host != host.lower()
        if labels[0].lower() != "www":
            continue
        n["www"] += 1
        bare = line_of.get(host.lower()[4:])
        if bare is None:
            n["unpaired www"] += 1
            continue
        n["pairs"] += 1
        n["www first"] += bare == i + 1
        n["bare first"] += bare + 1 == i
        n["adjacent pairs"] += abs(bare - i) == 1
    return n


def blocklist_problems(text):
    """What is wrong with a blocklist file's text: its shape and make-up."""
    problems = []
    if not text.endswith("\n") or text.endswith("\n\n") or "\r" in text or "\t" in text:
        problems.append("the file must have LF line ends, one after the last line, and no tabs")
    lines = text.rstrip("\n").split("\n")
    if lines[:len(HEADER)] != HEADER:
        problems.append("the file does not begin with the banner and the loopback line")
    hosts = []
    for number, line in enumerate(lines[len(HEADER):], len(HEADER) + 1):
        sink, _, host = line.partition(" ")
        if sink != SINK or not host or " " in host:
            problems.append("line %d is not '%s <host>': %r" % (number, SINK, line))
        hosts.append(host)
    counts = tally(hosts)
    for what, expected in MAKE_UP.items():
        if counts[what] != expected:
            problems.append("%s: %d, not %d" % (what, counts[what], expected))
    if hosts in (sorted(hosts), sorted(hosts, reverse=True)):
        problems.append("the names are sorted")
    return problems, hosts


def provenance_problems(text, hosts, suffixes):
    """What is wrong with the provenance file: a row for each name of the
    list, in its order, and no "www." added under a platform."""
    problems = []
    if not re.search(r"^# maltrail: \S+ commit [0-9a-f]{40} of \S+$", text, re.M):
        problems.append("the header does not give the maltrail commit")
    rows = [line.split("\t") for line in text.splitlines() if not line.startswith("#")]
    if [row[0] for row in rows] != [host.lower() for host in hosts]:
        problems.append("the rows do not name the list's hosts in its order")
    per_file = Counter()
    for row in rows:
        fields = dict(zip(PROVENANCE_COLUMNS, row))
        host = fields["host"]
        if (len(row) != len(PROVENANCE_COLUMNS) or fields["www added"] not in ("yes", "no")
                or not fields["line"].isdigit() or not fields["date"] >= RECENT
                or fields["dated by"] not in ("post", "reference", "added")
                or not fields["trail file"].startswith(TRAIL_DIRS)):
            problems.append("malformed row: %r" % "\t".join(row))
            continue
        per_file[fields["trail file"]] += 1
        if fields["www added"] == "yes" and (not host.startswith("www.") or suffixes.on_platform(host[4:])
                                              or suffixes.registered(host[4:]) != host[4:]):
            problems.append("%s: www. added to a name that is not a registered domain off any platform" % host)
    for file, count in per_file.items():
        if count > MOST_FROM_ONE_FILE:
            problems.append("%s gives %d names, more than %d" % (file, count, MOST_FROM_ONE_FILE))
    return problems


# -------------------------------------------------------------------- build --

def file_sha256(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def commit_of(checkout):
    return git(checkout, "log", "-1", "--format=%H %cs").decode().split()


def build(args, suffixes):
    """The two files' texts, and the figures of each step of the rule."""
    figures = []

    def step(what, trails):
        figures.append("%-52s %8d names" % (what, len({t.name for t in trails})))

    maltrail = args.maltrail
    trails = [t for t in read_trails(maltrail) if t.references]
    step("1. host names with a reference", trails)
    trails = [t for t in trails if suffixes.suffix(t.name, icann_only=True) and suffixes.registered(t.name)]
    step("   ... under a known top-level domain", trails)
    commit, commit_date = commit_of(maltrail)
    root = git(maltrail, "rev-list", "--max-parents=0", "HEAD").decode().split()[0]
    date_trails(trails, names_at_reset(maltrail, root), added_since(maltrail, root), commit_date)
    trails = [t for t in trails if t.date and t.date >= RECENT]
    step("2. dated %s or later" % RECENT, trails)
    exclusions = Exclusions(suffixes, [
        ("maltrail whitelist", plain_names(Path(maltrail) / "data" / "whitelist.txt")),
        ("v2fly", v2fly_names(args.v2fly)),
        ("popularity list", plain_names(args.popular)),
    ])
    listed = {t.name: exclusions.listing(t.name) for t in trails}
    for title, _ in exclusions.lists:
        figures.append("   listed by the %-35s %8d names" % (title, sum(1 for v in listed.values() if v == title)))
    trails = [t for t in trails if listed[t.name] is None]
    step("3. listed by none of them", trails)
    trails = [t for t in trails if not suffixes.on_platform(t.name)]
    step("4. not on a shared platform", trails)

    chosen, per_file = select(trails, suffixes, lambda name: exclusions.listing(name) is not None)
    rows = arrange(chosen)
    figures.append("5-6. chosen: %d names, %d with www. added" % (len(rows), sum(row.www_added for row in rows)))
    for file, count in sorted(per_file.items(), key=lambda item: (-item[1], item[0])):
        figures.append("   %4d  %s" % (count, file))
    inputs = {
        "maltrail": (commit, commit_date),
        "v2fly": commit_of(args.v2fly)[0],
        "popular": (Path(args.popular).name, file_sha256(args.popular)),
        "psl": file_sha256(args.psl),
    }
    return render_blocklist(rows), render_provenance(rows, inputs), figures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--maltrail", type=Path, help="a git clone of stamparm/maltrail")
    parser.add_argument("--v2fly", type=Path, help="a git clone of v2fly/domain-list-community")
    parser.add_argument("--popular", type=Path, help="the popularity list, one name a line")
    parser.add_argument("--psl", type=Path, default=DEFAULT_PSL, help="the public suffix list")
    parser.add_argument("--check", action="store_true", help="check the committed files, write nothing")
    args = parser.parse_args()
    if args.maltrail and not (args.v2fly and args.popular):
        parser.error("--maltrail needs --v2fly and --popular")
    if not args.maltrail and not args.check:
        parser.error("give the inputs, or --check")

    if not args.psl.is_file():
        parser.error("no public suffix list at %s (Debian package publicsuffix)" % args.psl)
    suffixes = SuffixList(args.psl.read_text(encoding="utf-8"))
    problems = []
    if args.check:
        blocklist, provenance = BLOCKLIST.read_text(encoding="utf-8"), PROVENANCE.read_text(encoding="utf-8")
        if args.maltrail:
            recorded = re.search(r"commit ([0-9a-f]{40})", provenance)
            commit = commit_of(args.maltrail)[0]
            if recorded and recorded.group(1) != commit:
                problems.append("the list was made from maltrail %s; the checkout is at %s"
                                % (recorded.group(1), commit))
            else:
                made_blocklist, made_provenance, _ = build(args, suffixes)
                if (made_blocklist, made_provenance) != (blocklist, provenance):
                    problems.append("the files are not what the rule makes from these inputs")
    else:
        blocklist, provenance, figures = build(args, suffixes)
        print("\n".join(figures))
    list_problems, hosts = blocklist_problems(blocklist)
    problems += list_problems + provenance_problems(provenance, hosts, suffixes)
    for problem in problems:
        print("generate_blocklist.py: " + problem, file=sys.stderr)
    if problems:
        return 1
    if args.check:
        print("%s and %s are in order" % (BLOCKLIST.name, PROVENANCE.name))
    else:
        BLOCKLIST.write_bytes(blocklist.encode("utf-8"))
        PROVENANCE.write_bytes(provenance.encode("utf-8"))
        print("wrote %s and %s" % (BLOCKLIST, PROVENANCE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
