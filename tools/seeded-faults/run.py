#!/usr/bin/env python3
"""Seeded-fault harness for the engine tests.

usage: run.py [TREE] [OUTPUT] [NAME...]
  TREE    a Sorvane source tree with a configured build/host (default: this one)
  OUTPUT  results file (default TREE/build/seeded-faults.txt): one line per fault,
          "caught|MISSED|NOAPPLY|BUILDFAIL <name>  <what it breaks>"
  NAME    run only these faults
Each fault is a text replacement in one file of src/core; the file is rebuilt into core_tests,
the tests run, and the file is put back (byte for byte) whatever happens.
"""
import os, subprocess, sys, time
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faults import M

here = os.path.dirname(os.path.abspath(__file__))
tree = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(here))
out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(tree, "build", "seeded-faults.txt")
only = set(sys.argv[3:])
env = dict(os.environ)

def build():
    r = subprocess.run(["cmake", "--build", "build/host", "--target", "core_tests", "-j2"],
                       cwd=tree, env=env, capture_output=True, text=True)
    return r.returncode == 0, r.stdout[-3000:] + r.stderr[-3000:]

def test():
    try:
        r = subprocess.run(["timeout", "300", "build/host/core_tests", "--gtest_brief=1"],
                           cwd=tree, env=env, capture_output=True, text=True)
    except Exception as e:
        return True, str(e)
    failed = [l for l in r.stdout.splitlines() if l.startswith("[  FAILED  ]") and "." in l]
    return r.returncode != 0, "; ".join(sorted(set(l.split()[3] for l in failed if len(l.split()) > 3)))[:400] or "rc=%d" % r.returncode

ok, log = build()
if not ok: sys.exit("the unmutated tree does not build:\n" + log)
bad, why = test()
if bad: sys.exit("the unmutated tree fails its tests: " + why)

lines = []
for name, rel, old, new, what in M:
    if only and name not in only: continue
    path = os.path.join(tree, "src/core", rel)
    original = open(path, "rb").read()
    text = original.decode()
    if text.count(old) != 1:
        status, detail = "NOAPPLY", "found %d times" % text.count(old)
    else:
        try:
            open(path, "w").write(text.replace(old, new))
            t0 = time.time()
            ok, log = build()
            if not ok:
                status, detail = "BUILDFAIL", log.strip().splitlines()[-1] if log.strip() else ""
            else:
                bad, detail = test()
                status = "caught" if bad else "MISSED"
        finally:
            open(path, "wb").write(original)
    line = "%-9s %-38s %s   [%s]" % (status, name, what, detail)
    print(line, flush=True)
    lines.append(line)
build()
open(out, "w").write("\n".join(lines) + "\n")
print("caught %d of %d" % (sum(l.startswith("caught") for l in lines), len(lines)))
