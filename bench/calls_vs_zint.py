#!/usr/bin/env python3
"""The ways strikon-render is called beside zint, in one run: one symbol per process, a row
streamed to a process kept running (from the row written to its report), 1,000 EAN-13 PNGs,
SVGs and PDFs in a batch, and the bytes of one file of each kind. A timing, not a test.

Usage: bench/calls_vs_zint.py STRIKON_RENDER [EARLIER_STRIKON_RENDER] [--rows N] [--calls N]
An earlier build runs in the same rounds, as it is (it may not stream: then its streamed row is
the whole input's time). CPU times are user + system of the process and its children.

Measured on a shared 2-core machine (Release builds, zint 2.12, one run, load about 1.4):
                               this build        the build before      zint
  single call (median wall)    24.2 ms           21.6 ms               1.9 ms
  streamed row (row to report) 1.08 ms           (none: reads all)     -
  1,000 PNG, CPU a row         0.51 ms           0.36 ms               0.40 ms
  1,000 SVG, CPU a row         0.45 ms           1.27 ms               0.13 ms
  EAN-13 PNG bytes             6,792             6,792                 426
  EAN-13 PNG --bilevel bytes   836               -                     426
  EAN-13 SVG bytes             6,475             37,452                2,740
PDF, measured later beside the build before its own writer (same machine, load about 1.7):
  1,000 PDF, CPU a row         0.26 ms           1.30 ms               (zint writes no PDF)
  EAN-13 PDF bytes             2,958             5,712                 -
The single call is Qt's start-up (QtGui alone loads DBus, fontconfig, 50 libraries); the PNG
row's rise came with the batch's memory bounds and scan check merged at the same time (the
same build without this work's changes draws its rows in the same time).
"""
import argparse
import os
import resource
import select
import shutil
import subprocess
import sys
import tempfile
import time


def ean13(i):
    body = f"400{i:09d}"
    s = sum(int(d) * (3 if k % 2 else 1) for k, d in enumerate(body))
    return body + str((10 - s % 10) % 10)


def cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


def timed(cmd, **kw):
    c0, w0 = cpu(), time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
    return time.perf_counter() - w0, cpu() - c0


def per_call(cmd_of, calls, work):
    walls, cpus = [], []
    for i in range(calls):
        w, c = timed(cmd_of(i, work))
        walls.append(w)
        cpus.append(c)
    walls.sort()
    return walls[len(walls) // 2], sum(cpus) / calls


def streamed_row(render, rows, work):
    """Median time from a row written to its line reported, on one process."""
    out = os.path.join(work, "stream")
    p = subprocess.Popen([render, "--batch", "-", "--output-dir", out], stdin=subprocess.PIPE,
                         stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, bufsize=0)
    p.stdin.write(b"type,digits,file\n")
    times, buf = [], b""
    for i in range(rows):
        t0 = time.perf_counter()
        p.stdin.write(f"EAN-13,{ean13(i)},s{i}.png\n".encode())
        want = f"line {i + 2}:".encode()
        while want not in buf:
            ready, _, _ = select.select([p.stderr], [], [], 5.0)
            if not ready:  # it does not report before the end of input
                p.stdin.close()
                p.wait()
                return None
            buf += os.read(p.stderr.fileno(), 65536)
        times.append(time.perf_counter() - t0)
    p.stdin.close()
    p.wait()
    times.sort()
    return times[len(times) // 2]


def batch(render, rows, ext, work, tag):
    csv = os.path.join(work, f"rows.{ext}.csv")
    with open(csv, "w") as f:
        f.write("type,digits,file\n")
        for i in range(rows):
            f.write(f"EAN-13,{ean13(i)},s{i}.{ext}\n")
    out = os.path.join(work, f"out.{tag}.{ext}")
    return timed([render, "--batch", csv, "--output-dir", out, "--jobs", "1"])


def zint_batch(rows, ext, work):
    digits = os.path.join(work, "digits.txt")
    with open(digits, "w") as f:
        f.write("".join(ean13(i)[:12] + "\n" for i in range(rows)))
    out = os.path.join(work, f"zout.{ext}")
    os.mkdir(out)
    return timed(["zint", "--batch", "-b", "EANX", "--scale", "2", f"--filetype={ext.upper()}",
                  "-o", f"{out}/~~~~~.{ext}", "-i", digits])


def size(path):
    return os.path.getsize(path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("render")
    ap.add_argument("earlier", nargs="?")
    ap.add_argument("--rows", type=int, default=1000)
    ap.add_argument("--calls", type=int, default=30)
    a = ap.parse_args()
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    programs = [("strikon-render", a.render)] + ([("earlier build", a.earlier)] if a.earlier else [])
    has_zint = shutil.which("zint") is not None
    work = tempfile.mkdtemp()
    try:
        print(f"EAN-13 at 300 dpi; rows {a.rows}, single calls {a.calls}, one thread; "
              f"load average {open('/proc/loadavg').read().split()[0]}")
        print(f"{'':34}{'wall ms':>10}{'CPU ms':>10}")
        rows = []
        for name, render in programs:
            single = per_call(lambda i, w: [render, "--type", "EAN-13", "--digits", ean13(i),
                                            "--output", os.path.join(w, f"c{i}.png")], a.calls,
                              work)
            rows.append((f"{name}: single call", single))
        if has_zint:
            single = per_call(lambda i, w: ["zint", "-b", "EANX", "--scale", "2", "-d",
                                            ean13(i)[:12], "-o", os.path.join(w, f"z{i}.png")],
                              a.calls, work)
            rows.append(("zint: single call", single))
        for name, render in programs:
            s = streamed_row(render, 200, os.path.join(work, name.replace(" ", "_")))
            rows.append((f"{name}: streamed row", (s, None) if s else None))
        for ext in ("png", "svg", "pdf"):
            for name, render in programs:
                w, c = batch(render, a.rows, ext, work, name.replace(" ", "_"))
                rows.append((f"{name}: {a.rows} {ext.upper()}, per row", (w / a.rows, c / a.rows)))
            if has_zint and ext != "pdf":  # zint writes no PDF
                w, c = zint_batch(a.rows, ext, work)
                rows.append((f"zint: {a.rows} {ext.upper()}, per row", (w / a.rows, c / a.rows)))
        for label, t in rows:
            if t is None:
                print(f"{label:34}{'(reports only at the end of input)':>20}")
            else:
                wall, c = t
                cs = f"{c * 1000:10.3f}" if c is not None else f"{'':>10}"
                print(f"{label:34}{wall * 1000:10.3f}{cs}")
        print("bytes of one file (4006381333931 / zint 400638133393):")
        for name, render in programs:
            for ext, extra in (("png", []), ("png", ["--bilevel"]), ("svg", []), ("pdf", [])):
                path = os.path.join(work, f"one.{ext}")
                r = subprocess.run([render, "--type", "EAN-13", "--digits", "4006381333931",
                                    "--output", path] + extra, stderr=subprocess.DEVNULL)
                shown = size(path) if r.returncode == 0 else "(not known)"
                print(f"  {name}: {ext.upper()} {' '.join(extra):12} {shown}")
        if has_zint:
            for ext in ("png", "svg"):
                path = os.path.join(work, f"z.{ext}")
                subprocess.run(["zint", "-b", "EANX", "--scale", "2", "-d", "400638133393",
                                "-o", path], check=True, stdout=subprocess.DEVNULL)
                print(f"  zint: {ext.upper()} {'':12} {size(path)}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    sys.exit(main())
