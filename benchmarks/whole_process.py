#!/usr/bin/env python3
"""Times yzo-script as a whole process on generated accounts.

For each size it writes an account of that many operations (Windows-1252,
CR LF, the shape of benchmarks/bench_accounts.h), then measures, median of
--runs whole-process runs:

  open      yzo-script opens the account, shows it and quits (wall time and
            peak memory);
  floor     reading the same file and nothing else (cat to /dev/null, wc -l);
  ledger    `ledger reg` on the same operations, when /usr/bin/ledger is
            installed (skipped otherwise; by default only up to 100,000
            operations, since it takes minutes beyond);
  rebuild   a key that rebuilds the whole display (NumDivide: the line under
            the caret is flagged registered or not), per key;
  read      a key that only reads a field (M: the amount), per key;
  switch    F6 between two open accounts of that size, per key;
  save      Ctrl+S of a modified account, per save.

The per-key figures are the difference between a script with the keys and the
same script without them, divided by their number: what a user waits for,
transcript writing included.

  benchmarks/whole_process.py --yzo-script build-rel/yzo-script [--sizes 100000,1000000]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RS = "\x1e"
RUBRIQUES = ["Salaire", "Loyer", "Chèque", "Alimentation", "Essence", "Impôts"]
OBJETS = ["EMPLOYEUR", "AGENCE", "BOULANGERIE", "MARCHÉ", "STATION", "TRÉSOR"]


def operations(n, seed):
    """The operations of a generated account: (day, month, year, flag, code, k, cents, numero)."""
    rng = random.Random(seed)
    for i in range(n):
        day, month = 1 + i % 28, 1 + (i // 28) % 12
        year = 2000 + (i // (28 * 12 * 10)) % 30
        k = rng.randrange(6)
        cents = rng.randrange(500000) - 250000
        # The last line, where the caret starts, is not registered: the rebuilding key
        # registers it without a question, and a question comes when it is undone.
        flag = "/" if rng.randrange(3) == 0 and i < n - 1 else " "
        code = "B" if i == n // 2 else ("D" if cents < 0 else "R")
        numero = str(1000 + i) if k == 2 else ("ES" if k == 3 else "")
        yield day, month, year, flag, code, k, cents, numero


def amount(cents):
    sign = "-" if cents < 0 else ""
    return f"{sign}{abs(cents) // 100},{abs(cents) % 100:02d}"


def write_account(path, n, seed):
    with open(path, "wb") as f:
        f.write(f" 1 12000 T{RS}BENCH{RS}0{RS}0{RS}EUROS{RS}{n}\r\n".encode("cp1252"))
        chunk = []
        for day, month, year, flag, code, k, cents, numero in operations(n, seed):
            chunk.append(f"{day:2d}{month:2d}{year:04d}{flag}{code}{RUBRIQUES[k]}{RS}{OBJETS[k]}{RS}"
                         f"{amount(cents)}{RS}0{RS}{numero}\r\n")
            if len(chunk) == 10000:
                f.write("".join(chunk).encode("cp1252"))
                chunk = []
        f.write("".join(chunk).encode("cp1252"))


def write_journal(path, n, seed):
    """The same operations as a ledger journal."""
    with open(path, "w", encoding="utf-8") as f:
        for day, month, year, flag, code, k, cents, numero in operations(n, seed):
            mark = "* " if flag == "/" else ""
            code_text = f"({numero}) " if numero else ""
            f.write(f"{year:04d}/{month:02d}/{day:02d} {mark}{code_text}{OBJETS[k]}\n"
                    f"    Dépenses:{RUBRIQUES[k]}    {-cents / 100:.2f} EUR\n"
                    f"    Actif:Compte\n\n")


TIME = "/usr/bin/time"


def run_once(command, cwd):
    """Wall time in seconds and peak resident memory in KiB of one run."""
    # The peak memory is taken by /usr/bin/time where it exists: a process
    # started from this script counts this script's own memory in its peak
    # until it runs the program.
    report = os.path.join(cwd, "time-report.txt")
    timed = [TIME, "-f", "%M", "-o", report] + command if os.access(TIME, os.X_OK) else command
    start = time.perf_counter()
    with open(os.devnull, "wb") as null:
        proc = subprocess.Popen(timed, cwd=cwd, stdout=null)
        _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{' '.join(command)} failed ({code})")
    # The processor time wait4 reports counts the processes the child waited
    # for: the program run by /usr/bin/time is in it.
    peak = usage.ru_maxrss
    cpu = usage.ru_utime + usage.ru_stime
    if timed is not command:
        with open(report) as f:
            peak = int(f.read().split()[-1])
    return elapsed, cpu, peak


class Figures:
    """Median wall and processor times in seconds, and the largest peak memory in KiB, of several runs."""

    def __init__(self, runs):
        self.wall = statistics.median(r[0] for r in runs)
        self.cpu = statistics.median(r[1] for r in runs)
        self.peak = max(r[2] for r in runs)


def measure(command, cwd, runs):
    return Figures([run_once(command, cwd) for _ in range(runs)])


class Yzo:
    def __init__(self, program, folder, runs):
        self.program, self.folder, self.runs = program, folder, runs
        self.count = 0

    def script(self, body, quit=True):
        """Runs a script body (the lines after start); by default the program then quits."""
        self.count += 1
        path = os.path.join(self.folder, f"bench-{self.count}.scn")
        with open(path, "w", encoding="utf-8") as f:
            f.write('start "bench.yzo"\n' + body + ("answer no\nanswer no\nmenu mnuQuitterItem\n" if quit else ""))
        # A fresh program folder each time, so that yzo.INI is the same at every run.
        for name in ("yzo.INI", "yzo.INI.bak"):
            if os.path.exists(os.path.join(self.folder, name)):
                os.remove(os.path.join(self.folder, name))
        command = [self.program, "--dossier", ".", "--aujourdhui", "2026-12-06", "--heure", "10:00:00", path]
        return measure(command, self.folder, self.runs)


def ms(seconds):
    return f"{seconds * 1000:.1f} ms"


def per_key(with_keys, without, keys):
    """Wall and processor time of one key: the difference of two scripts over the keys."""
    return (max(with_keys.wall - without.wall, 0.0) / keys, max(with_keys.cpu - without.cpu, 0.0) / keys)


def bench_size(args, n):
    folder = tempfile.mkdtemp(prefix=f"yzo-whole-{n}-")
    try:
        account = os.path.join(folder, "bench.yzo")
        write_account(account, n, 12345)
        write_account(os.path.join(folder, "bench2.yzo"), n, 54321)
        size = os.path.getsize(account)
        yzo = Yzo(os.path.abspath(args.yzo_script), folder, args.runs)

        # The script ends once the ledger is shown; quitting, which writes
        # yzo.INI and its backup and waits for the disk, is measured apart.
        opened = yzo.script("show txt\n", quit=False)
        quitting = yzo.script("show txt\n")
        cat = measure(["sh", "-c", "cat bench.yzo > /dev/null"], folder, args.runs)
        wc = measure(["wc", "-l", "bench.yzo"], folder, args.runs)
        keys = args.keys
        pair = "key NumDivide\nanswer yes\nkey NumDivide\n"
        rebuild = yzo.script(pair * (keys // 2))
        read = yzo.script("key M\n" * args.reads)
        second = 'answer file "bench2.yzo"\nkey ctrl+O\n'
        two = yzo.script(second)
        switch = yzo.script(second + "key F6\n" * keys)
        save = yzo.script("key NumDivide\nkey ctrl+S\nanswer yes\nkey NumDivide\nkey ctrl+S\n" * (keys // 2))

        print(f"\n{n:,} operations, file {size / 1048576:.1f} MiB, median of {args.runs} runs")
        print(f"  {'work':48s} {'wall':>10s} {'processor':>10s} {'peak memory':>12s}")
        rows = [("yzo-script opens the account and shows it", opened),
                ("floor: cat the file to /dev/null", cat),
                ("floor: wc -l the file", wc),
                ("yzo-script opens, shows, quits", quitting),
                ("yzo-script with two such accounts open", two)]
        ledger = None
        if shutil.which("ledger") and n <= args.ledger_max:
            journal = os.path.join(folder, "bench.ledger")
            write_journal(journal, n, 12345)
            ledger = measure(["ledger", "-f", journal, "reg"], folder, args.ledger_runs)
            rows.append(("ledger reg on the same operations", ledger))
        for name, f in rows:
            print(f"  {name:48s} {ms(f.wall):>10s} {ms(f.cpu):>10s} {f.peak / 1024:8.1f} MiB")
        per = [("a key that rebuilds the display (NumDivide)", per_key(rebuild, quitting, keys), 1e3, "ms"),
               ("a key that reads the amount (M)", per_key(read, quitting, args.reads), 1e6, "µs"),
               ("switching between the two accounts (F6)", per_key(switch, two, keys), 1e3, "ms"),
               ("saving the account (Ctrl+S after a change)", per_key(save, rebuild, keys), 1e3, "ms")]
        for name, (wall, cpu), scale, unit in per:
            print(f"  {name:48s} {wall * scale:7.1f} {unit} {cpu * scale:7.1f} {unit}")
        print(f"  ratios: open / cat {opened.wall / cat.wall:.1f}, open / wc {opened.wall / wc.wall:.1f}, "
              f"peak memory / file size {opened.peak * 1024 / size:.1f}", end="")
        if ledger is not None:
            print(f", ledger reg / open {ledger.wall / opened.wall:.0f}")
        else:
            print(" (ledger not run)" if shutil.which("ledger") else " (ledger not installed: skipped)")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--yzo-script", default="build-rel/yzo-script")
    parser.add_argument("--sizes", default="100000,1000000")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--keys", type=int, default=10, help="rebuilding keys, switches and saves per script (even)")
    parser.add_argument("--reads", type=int, default=100000, help="reading keys per script")
    parser.add_argument("--ledger-max", type=int, default=100000, help="largest size ledger is run on")
    parser.add_argument("--ledger-runs", type=int, default=1)
    args = parser.parse_args()
    if not os.access(args.yzo_script, os.X_OK):
        sys.exit(f"{args.yzo_script} is not a program: build it first (Release)")
    print(f"yzo-script: {args.yzo_script}; {os.cpu_count()} cores")
    for n in (int(s) for s in args.sizes.split(",")):
        bench_size(args, n)


if __name__ == "__main__":
    main()
