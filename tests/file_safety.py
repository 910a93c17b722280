#!/usr/bin/env python3
"""Checks of how sflc treats the files it reads and writes that a case
folder cannot hold: device nodes, FIFOs, symbolic links, a full file
system, signals during a translation, concurrent runs and the umask.

Device nodes are made with mknod in a scratch folder or, where the check is
about the names /dev/null and /dev/full themselves, on a tmpfs mounted over
/dev in a private mount namespace (unshare -m): the machine's own /dev is
never written to. Checks that need root say so and exit with 77 (skipped).
Every check runs in its own scratch folder, which holds x.sfl (translates)
and bad.sfl (a syntax error).

Usage: file_safety.py --sflc PATH CHECK
"""

import argparse
import os
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
GEN_BENCH = os.path.join(os.path.dirname(HERE), "bench", "gen_bench.py")
SKIPPED = 77

GOOD = "module m {\n  input a;\n  output b;\n  b = a;\n}\n"
BAD = "module m {\n  input a;\n  output b c;\n}\n"
BAD_ERR = b"bad.sfl: 3: syntax error\n"
PREVIOUS = b"// the previous translation\n"
NO_SPACE = b"sflc: %s: No space left on device\n"


class Failure(Exception):
    pass


class Skip(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Failure(what)


def expect_file(path, want, what):
    got = Path(path).read_bytes()
    expect(got == want, "%s: %s is %r, expected %r" % (what, path, got, want))


def expect_no_leftovers(folder=".", what=""):
    left = [n for n in os.listdir(folder) if ".sflc-" in n]
    expect(not left, "%stemporary files left: %s" % (what, left))


def sflc_run(sflc, args, **kw):
    try:
        return subprocess.run([sflc] + args, capture_output=True, timeout=30, **kw)
    except subprocess.TimeoutExpired:
        raise Failure("sflc %s did not finish within 30 s" % " ".join(args))


def expect_run(p, status, stderr, what):
    expect(p.returncode == status and p.stderr == stderr, "%s: exit status %d, stderr %r; expected %d, %r"
           % (what, p.returncode, p.stderr, status, stderr))


def need_root():
    if os.geteuid() != 0:
        raise Skip("needs root (mknod, mount)")


def make_char_device(path, major, minor):
    os.mknod(path, stat.S_IFCHR | 0o666, os.makedev(major, minor))


def generate(megabytes):
    """big.sfl, a long design of bench/gen_bench.py."""
    subprocess.run([sys.executable, GEN_BENCH, "a", str(megabytes), "big.sfl"], check=True,
                   stdout=subprocess.DEVNULL)


def in_namespace(script, *args):
    """Runs a shell script in a private mount namespace, with `args` as
    $0, $1, ..."""
    if not shutil.which("unshare"):
        raise Skip("unshare is not installed")
    p = subprocess.run(["unshare", "-m", "sh", "-ec", script] + list(args), capture_output=True, timeout=120)
    expect(p.returncode == 0, "namespace script failed: %r" % p.stderr)


def check_devices(sflc):
    """Device outputs are written directly, never removed; a failed write is
    an error."""
    need_root()
    make_char_device("null", 1, 3)
    make_char_device("full", 1, 7)
    for out, source, status, err in (("full", "x.sfl", 1, NO_SPACE % b"full"), ("full", "bad.sfl", 1, BAD_ERR),
                                     ("null", "x.sfl", 0, b""), ("null", "bad.sfl", 1, BAD_ERR)):
        expect_run(sflc_run(sflc, ["-o", out, source]), status, err, "-o %s %s" % (out, source))
    # -o - on a standard output that cannot be written.
    with open("full", "wb") as full:
        p = subprocess.run([sflc, "-o", "-", "x.sfl"], stdout=full, stderr=subprocess.PIPE, timeout=30)
    expect_run(p, 1, NO_SPACE % b"-", "-o - on a full device")
    for node in ("null", "full"):
        expect(stat.S_ISCHR(os.lstat(node).st_mode), node + " is no longer a device node")
    # A link into /proc, as /dev/stdout is: the translation goes to stdout.
    os.symlink("/proc/self/fd/1", "stdout")
    p = sflc_run(sflc, ["-o", "stdout", "x.sfl"])
    expect_run(p, 0, b"", "-o stdout")
    expect(b"\nmodule m(m_clock, p_reset, a, b);\n" in p.stdout, "no translation on stdout: %r" % p.stdout)
    expect(os.path.islink("stdout"), "the stdout link was replaced")
    # A FIFO gets the translation and stays.
    os.mkfifo("fifo")
    got = []
    reader = threading.Thread(target=lambda: got.append(Path("fifo").read_bytes()))
    reader.start()
    expect_run(sflc_run(sflc, ["-o", "fifo", "x.sfl"]), 0, b"", "-o fifo")
    reader.join(10)
    expect(got and b"\nmodule m(" in got[0], "the FIFO reader got %r" % got)
    expect(stat.S_ISFIFO(os.lstat("fifo").st_mode), "the FIFO was replaced")
    expect_no_leftovers()
    # The names /dev/null and /dev/full themselves, on a private /dev.
    in_namespace(
        'mount -t tmpfs tmpfs /dev; mknod /dev/null c 1 3; mknod /dev/full c 1 7\n'
        'set +e\n'
        '"$0" -o /dev/full x.sfl 2> full.err; echo $? > full.status\n'
        '"$0" -o /dev/null bad.sfl 2> null.err; echo $? > null.status\n'
        'test -c /dev/null && test -c /dev/full && echo nodes kept > nodes\n', sflc)
    for node, err in (("full", NO_SPACE % b"/dev/full"), ("null", BAD_ERR)):
        expect_file(node + ".status", b"1\n", "-o /dev/" + node)
        expect_file(node + ".err", err, "-o /dev/" + node)
    expect(os.path.exists("nodes"), "a device node of the private /dev was removed")


def check_symlinks(sflc):
    """A symbolic link stays; the file it leads to is replaced whole."""
    os.mkdir("sub")
    Path("sub/target.v").write_bytes(PREVIOUS)
    os.symlink("sub/target.v", "link.v")
    os.symlink("link.v", "link2.v")
    os.symlink("sub/new.v", "dangling.v")
    os.symlink("loop.v", "loop.v")
    expect_run(sflc_run(sflc, ["-o", "link.v", "bad.sfl"]), 1, BAD_ERR, "syntax error")
    expect_file("sub/target.v", PREVIOUS, "a syntax error")
    expect_run(sflc_run(sflc, ["-o", "link2.v", "x.sfl"]), 0, b"", "link to a link")
    expect(b"\nmodule m(" in Path("sub/target.v").read_bytes(), "the target was not replaced")
    expect_run(sflc_run(sflc, ["-o", "dangling.v", "x.sfl"]), 0, b"", "dangling link")
    expect(b"\nmodule m(" in Path("sub/new.v").read_bytes(), "the link's target was not created")
    expect_run(sflc_run(sflc, ["-o", "loop.v", "x.sfl"]), 1, b"loop.v: Too many levels of symbolic links\n",
               "link loop")
    for name in ("link.v", "link2.v", "dangling.v", "loop.v"):
        expect(os.path.islink(name), name + " is no longer a link")
    for folder in (".", "sub"):
        expect_no_leftovers(folder)


def check_full_filesystem(sflc):
    """On a full file system the previous output stays whole."""
    need_root()
    generate(1)
    os.mkdir("fs")
    in_namespace(
        'mount -t tmpfs -o size=256k tmpfs fs\n'
        'printf "%s" "$1" > fs/big.v\n'
        'set +e\n'
        '"$0" -o fs/big.v big.sfl 2> err; echo $? > status\n'
        'cat fs/big.v > after; ls -a fs > listing\n', sflc, PREVIOUS)
    expect_file("status", b"1\n", "full file system")
    expect_file("err", NO_SPACE % b"fs/big.v", "full file system")
    expect_file("after", PREVIOUS, "the previous output")
    listing = Path("listing").read_bytes().split()
    expect(listing == [b".", b"..", b"big.v"], "left on the file system: %r" % listing)


def check_signals(sflc):
    """SIGTERM, SIGINT or SIGHUP during a long translation: the previous
    output stays whole and no temporary file is left."""
    generate(8)
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        Path("big.v").write_bytes(PREVIOUS)
        proc = subprocess.Popen([sflc, "-o", "big.v", "big.sfl"], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, preexec_fn=lambda: signal.signal(sig, signal.SIG_DFL))
        deadline = time.time() + 30
        # Sent once the temporary file holds a part of the translation.
        while not any(".sflc-" in n and os.path.getsize(n) > 0 for n in os.listdir(".")):
            expect(proc.poll() is None, "%s: the translation ended before the signal" % sig.name)
            expect(time.time() < deadline, "%s: no temporary file appeared" % sig.name)
            time.sleep(0.01)
        proc.send_signal(sig)
        status = proc.wait(60)
        expect(status == -sig, "%s: exit status %d" % (sig.name, status))
        expect_file("big.v", PREVIOUS, sig.name)
        expect_no_leftovers(what=sig.name + ": ")


def check_concurrent(sflc):
    """Two runs writing one output at once (one of them with -O) leave one
    whole translation, of either."""
    generate(4)
    body = lambda path: Path(path).read_bytes().split(b"\n", 1)[1]  # the translation without its time stamp
    refs = []
    for opts in ([], ["-O"]):
        expect_run(sflc_run(sflc, opts + ["-o", "ref.v", "big.sfl"]), 0, b"", "reference")
        refs.append(body("ref.v"))
    runs = []
    for opts in ([], ["-O"]):
        runs.append(subprocess.Popen([sflc] + opts + ["-o", "big.v", "big.sfl"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE))
        time.sleep(0.05)
    for r in runs:
        err = r.communicate(timeout=60)[1]
        expect(r.returncode == 0 and not err, "a run failed: %d %r" % (r.returncode, err))
    expect(body("big.v") in refs, "the output is not one whole translation")
    expect_no_leftovers()


def check_sources(sflc):
    """Only regular files are read, as the input or through %i."""
    Path("top.sfl").write_text('%i "pipe.sfl"\n' + GOOD)
    Path("dev.sfl").write_text('%i "zero.sfl"\n')
    os.mkfifo("pipe.sfl")
    for source, named in (("pipe.sfl", b"pipe.sfl"), ("top.sfl", b"pipe.sfl"),
                          ("zero.sfl", b"zero.sfl"), ("dev.sfl", b"zero.sfl")):
        if source == "zero.sfl":  # the checks of a device need root
            need_root()
            make_char_device(source, 1, 5)
        expect_run(sflc_run(sflc, [source]), 1, named + b": not a regular file\n", source)
        expect(not os.path.exists(source[:-3] + "v"), source[:-3] + "v was written")


def check_umask(sflc):
    """The output is created as any new file is: 0666 less the umask."""
    for mask, mode in ((0o022, 0o644), (0o077, 0o600), (0o002, 0o664)):
        if os.path.exists("x.v"):
            os.unlink("x.v")
        expect_run(sflc_run(sflc, ["x.sfl"], preexec_fn=lambda: os.umask(mask)), 0, b"", "umask")
        got = stat.S_IMODE(os.stat("x.v").st_mode)
        expect(got == mode, "umask %03o: mode %03o, expected %03o" % (mask, got, mode))


# "umask" runs check_umask, ...
CHECKS = {name[len("check_"):]: f for name, f in globals().items() if name.startswith("check_")}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sflc", required=True)
    ap.add_argument("check", choices=sorted(CHECKS))
    args = ap.parse_args()
    sflc = os.path.abspath(args.sflc)
    tmp = tempfile.mkdtemp(prefix="sflc-files-")
    try:
        os.chdir(tmp)
        Path("x.sfl").write_text(GOOD)
        Path("bad.sfl").write_text(BAD)
        CHECKS[args.check](sflc)
    except Skip as e:
        print("SKIPPED %s: %s" % (args.check, e))
        return SKIPPED
    except Failure as e:
        print("FAIL %s: %s" % (args.check, e))
        return 1
    finally:
        os.chdir("/")
        shutil.rmtree(tmp, ignore_errors=True)
    print("ok %s" % args.check)
    return 0


if __name__ == "__main__":
    sys.exit(main())
