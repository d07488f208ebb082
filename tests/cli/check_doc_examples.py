#!/usr/bin/env python3
"""Every vorda-match example of the README and the help file, run again.

An example is a "$ vorda-match ..." line followed by what it prints, where
"..." stands for anything. Each shown line must be a line of the program's
output now; the figures in the documents drift otherwise whenever the search
improves. The README's examples run at the top of the source tree, the help
file's beside the example files (it names them without their folder).
Usage: check_doc_examples.py VORDA_MATCH SOURCE_DIR
"""
import glob, html, os, re, shlex, subprocess, sys

exe, root = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])


def examples(path):
    text = open(path, encoding="utf-8").read()
    if path.endswith(".htm"):
        for block in re.findall(r"<pre>(\$ vorda-match.*?)</pre>", text, re.S):
            lines = html.unescape(re.sub(r"<[^>]+>", "", block)).split("\n")
            yield lines[0][2:], lines[1:]
        return
    lines = text.split("\n")
    for i, line in enumerate(lines):
        command = re.match(r"    \$ (?:build/cli/)?(vorda-match .*)", line)
        if command:
            shown = []
            for later in lines[i + 1:]:
                if later.startswith("    $ ") or not (later.startswith("    ") or later == ""):
                    break
                shown.append(later[4:])
            yield command.group(1), shown


failures = checked = 0
documents = [os.path.join(root, "README.md")] + sorted(glob.glob(os.path.join(root, "assets/help/*.htm")))
for document in documents:
    folder = root if document.endswith(".md") else os.path.join(root, "docs", "examples")
    for command, shown in examples(document):
        run = subprocess.run([exe] + shlex.split(command)[1:], cwd=folder, capture_output=True, encoding="utf-8", timeout=600)
        printed = [line.strip() for line in (run.stdout + run.stderr).split("\n")]
        checked += 1
        for line in (s.strip() for s in shown):
            if not line or line == "...":
                continue
            pattern = ".*".join(re.escape(part) for part in line.split("..."))
            if not any(re.fullmatch(pattern, p) for p in printed):
                failures += 1
                print(f"{os.path.basename(document)}: {command}\n  shows:  {line}\n  prints no such line")
print(f"{checked} examples, {failures} shown lines the program no longer prints")
sys.exit(1 if failures or checked == 0 else 0)
