#!/usr/bin/env python3
"""Checks of how sflc treats the files it reads and writes that a case
folder cannot hold: device nodes, FIFOs, symbolic links, a full file
system, signals during a translation, concurrent runs and the umask.

Device nodes are made with mknod in a scratch folder or, where the check is
about the names /dev/null and /dev/full themselves, on a tmpfs mounted over
/dev in a private mount namespace (unshare -m): the machine's own /dev is
never written to. Checks that need root say so and exit with 77 (skipped).

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

HERE = os.path.dirname(os.path.abspath(__file__))
GEN_BENCH = os.path.join(os.path.dirname(HERE), "bench", "gen_bench.py")
SKIPPED = 77

GOOD = "module m {\n  input a;\n  output b;\n  b = a;\n}\n"
BAD = "module m {\n  input a;\n  output b c;\n}\n"
BAD_ERR = b"bad.sfl: 3: syntax error\n"
PREVIOUS = "// the previous translation\n"


class Failure(Exception):
    pass


class Skip(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Failure(what)


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def body(path):
    """The translation without its first line, the time stamp."""
    return read(path).split(b"\n", 1)[1]


def leftovers(folder):
    return [n for n in os.listdir(folder) if ".sflc-" in n]


def sflc_run(sflc, args, cwd, **kw):
    try:
        return subprocess.run([sflc] + args, cwd=cwd, capture_output=True, timeout=30, **kw)
    except subprocess.TimeoutExpired:
        raise Failure("sflc %s did not finish within 30 s" % " ".join(args))


def expect_run(p, status, stderr=None, what=""):
    expect(p.returncode == status, "%s: exit status %d, expected %d; stderr %r"
           % (what, p.returncode, status, p.stderr))
    if stderr is not None:
        expect(p.stderr == stderr, "%s: stderr %r, expected %r" % (what, p.stderr, stderr))


def need_root():
    if os.geteuid() != 0:
        raise Skip("needs root (mknod, mount)")


def make_char_device(path, major, minor):
    os.mknod(path, stat.S_IFCHR | 0o666, os.makedev(major, minor))


def is_char_device(path):
    return stat.S_ISCHR(os.lstat(path).st_mode)


def generate(shape, megabytes, path):
    subprocess.run([sys.executable, GEN_BENCH, shape, str(megabytes), path], check=True,
                   stdout=subprocess.DEVNULL)


def in_namespace(script, cwd, *args):
    """Runs a shell script in a private mount namespace, with `args` as
    $0, $1, ..."""
    if not shutil.which("unshare"):
        raise Skip("unshare is not installed")
    return subprocess.run(["unshare", "-m", "sh", "-ec", script] + list(args), cwd=cwd,
                          capture_output=True, timeout=120)


def check_devices(sflc, tmp):
    """Device outputs are written directly, never removed; a failed write is
    an error."""
    need_root()
    write(os.path.join(tmp, "x.sfl"), GOOD)
    write(os.path.join(tmp, "bad.sfl"), BAD)
    make_char_device(os.path.join(tmp, "null"), 1, 3)
    make_char_device(os.path.join(tmp, "full"), 1, 7)
    expect_run(sflc_run(sflc, ["-o", "full", "x.sfl"], tmp), 1,
               b"sflc: full: No space left on device\n", "-o full")
    expect_run(sflc_run(sflc, ["-o", "full", "bad.sfl"], tmp), 1, BAD_ERR, "-o full, syntax error")
    expect_run(sflc_run(sflc, ["-o", "null", "x.sfl"], tmp), 0, b"", "-o null")
    expect_run(sflc_run(sflc, ["-o", "null", "bad.sfl"], tmp), 1, BAD_ERR, "-o null, syntax error")
    # -o - on a standard output that cannot be written.
    with open(os.path.join(tmp, "full"), "wb") as full:
        p = subprocess.run([sflc, "-o", "-", "x.sfl"], cwd=tmp, stdout=full, stderr=subprocess.PIPE,
                           timeout=30)
    expect_run(p, 1, b"sflc: -: No space left on device\n", "-o - on a full device")
    for node in ("null", "full"):
        expect(is_char_device(os.path.join(tmp, node)), node + " is no longer a device node")
    # A link into /proc, as /dev/stdout is: the translation goes to stdout.
    os.symlink("/proc/self/fd/1", os.path.join(tmp, "stdout"))
    p = sflc_run(sflc, ["-o", "stdout", "x.sfl"], tmp)
    expect_run(p, 0, b"", "-o stdout")
    expect(b"\nmodule m(m_clock, p_reset, a, b);\n" in p.stdout, "no translation on stdout: %r" % p.stdout)
    expect(os.path.islink(os.path.join(tmp, "stdout")), "the stdout link was replaced")
    # A FIFO gets the translation and stays.
    fifo = os.path.join(tmp, "fifo")
    os.mkfifo(fifo)
    got = []
    reader = threading.Thread(target=lambda: got.append(read(fifo)))
    reader.start()
    expect_run(sflc_run(sflc, ["-o", "fifo", "x.sfl"], tmp), 0, b"", "-o fifo")
    reader.join(10)
    expect(got and b"\nmodule m(" in got[0], "the FIFO reader got %r" % got)
    expect(stat.S_ISFIFO(os.lstat(fifo).st_mode), "the FIFO was replaced")
    expect(not leftovers(tmp), "temporary files left: %s" % leftovers(tmp))
    # The names /dev/null and /dev/full themselves, on a private /dev.
    p = in_namespace(
        'mount -t tmpfs tmpfs /dev; mknod /dev/null c 1 3; mknod /dev/full c 1 7\n'
        'set +e\n'
        '"$0" -o /dev/full x.sfl 2> full.err; echo $? > full.status\n'
        '"$0" -o /dev/null bad.sfl 2> null.err; echo $? > null.status\n'
        'test -c /dev/null && test -c /dev/full && echo nodes kept > nodes\n', tmp, sflc)
    expect(p.returncode == 0, "namespace script failed: %r" % p.stderr)
    expect(read(os.path.join(tmp, "full.status")) == b"1\n", "-o /dev/full did not exit 1")
    expect(read(os.path.join(tmp, "full.err")) == b"sflc: /dev/full: No space left on device\n",
           "-o /dev/full: %r" % read(os.path.join(tmp, "full.err")))
    expect(read(os.path.join(tmp, "null.status")) == b"1\n", "-o /dev/null with an error did not exit 1")
    expect(read(os.path.join(tmp, "null.err")) == BAD_ERR, "-o /dev/null: %r" % read(os.path.join(tmp, "null.err")))
    expect(os.path.exists(os.path.join(tmp, "nodes")), "a device node of the private /dev was removed")


def check_symlinks(sflc, tmp):
    """A symbolic link stays; the file it leads to is replaced whole."""
    write(os.path.join(tmp, "x.sfl"), GOOD)
    write(os.path.join(tmp, "bad.sfl"), BAD)
    os.mkdir(os.path.join(tmp, "sub"))
    write(os.path.join(tmp, "sub", "target.v"), PREVIOUS)
    os.symlink("sub/target.v", os.path.join(tmp, "link.v"))
    os.symlink("link.v", os.path.join(tmp, "link2.v"))
    os.symlink("sub/new.v", os.path.join(tmp, "dangling.v"))
    expect_run(sflc_run(sflc, ["-o", "link.v", "bad.sfl"], tmp), 1, BAD_ERR, "syntax error")
    expect(os.path.islink(os.path.join(tmp, "link.v")), "a syntax error removed the link")
    expect(read(os.path.join(tmp, "sub", "target.v")) == PREVIOUS.encode(), "a syntax error changed the target")
    expect_run(sflc_run(sflc, ["-o", "link2.v", "x.sfl"], tmp), 0, b"", "link to a link")
    for name in ("link.v", "link2.v"):
        expect(os.path.islink(os.path.join(tmp, name)), name + " is no longer a link")
    expect(b"\nmodule m(" in read(os.path.join(tmp, "sub", "target.v")), "the target was not replaced")
    expect_run(sflc_run(sflc, ["-o", "dangling.v", "x.sfl"], tmp), 0, b"", "dangling link")
    expect(os.path.islink(os.path.join(tmp, "dangling.v")), "the dangling link was replaced")
    expect(b"\nmodule m(" in read(os.path.join(tmp, "sub", "new.v")), "the link's target was not created")
    os.symlink("loop.v", os.path.join(tmp, "loop.v"))
    expect_run(sflc_run(sflc, ["-o", "loop.v", "x.sfl"], tmp), 1,
               b"loop.v: Too many levels of symbolic links\n", "link loop")
    for folder in (tmp, os.path.join(tmp, "sub")):
        expect(not leftovers(folder), "temporary files left: %s" % leftovers(folder))


def check_full_filesystem(sflc, tmp):
    """On a full file system the previous output stays whole."""
    need_root()
    generate("a", 1, os.path.join(tmp, "big.sfl"))
    os.mkdir(os.path.join(tmp, "fs"))
    p = in_namespace(
        'mount -t tmpfs -o size=256k tmpfs fs\n'
        'printf "%s" "$1" > fs/big.v\n'
        'set +e\n'
        '"$0" -o fs/big.v big.sfl 2> err; echo $? > status\n'
        'cat fs/big.v > after; ls -a fs > listing\n', tmp, sflc, PREVIOUS)
    expect(p.returncode == 0, "namespace script failed: %r" % p.stderr)
    expect(read(os.path.join(tmp, "status")) == b"1\n", "exit status " + repr(read(os.path.join(tmp, "status"))))
    expect(read(os.path.join(tmp, "err")) == b"sflc: fs/big.v: No space left on device\n",
           "stderr %r" % read(os.path.join(tmp, "err")))
    expect(read(os.path.join(tmp, "after")) == PREVIOUS.encode(), "the previous output was changed")
    expect(read(os.path.join(tmp, "listing")).split() == [b".", b"..", b"big.v"],
           "left on the file system: %r" % read(os.path.join(tmp, "listing")))


def check_signals(sflc, tmp):
    """SIGTERM, SIGINT or SIGHUP during a long translation: the previous
    output stays whole and no temporary file is left."""
    generate("a", 8, os.path.join(tmp, "big.sfl"))
    out = os.path.join(tmp, "big.v")
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        write(out, PREVIOUS)
        proc = subprocess.Popen([sflc, "-o", "big.v", "big.sfl"], cwd=tmp, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                preexec_fn=lambda: signal.signal(sig, signal.SIG_DFL))
        deadline = time.time() + 30
        # Sent once the temporary file holds a part of the translation.
        while True:
            temps = leftovers(tmp)
            if temps and os.path.getsize(os.path.join(tmp, temps[0])) > 0:
                break
            expect(proc.poll() is None, "%s: the translation ended before the signal" % sig.name)
            expect(time.time() < deadline, "%s: no temporary file appeared" % sig.name)
            time.sleep(0.01)
        proc.send_signal(sig)
        status = proc.wait(60)
        expect(status == -sig, "%s: exit status %d" % (sig.name, status))
        expect(read(out) == PREVIOUS.encode(), "%s: the previous output was changed" % sig.name)
        expect(not leftovers(tmp), "%s: temporary files left: %s" % (sig.name, leftovers(tmp)))


def check_concurrent(sflc, tmp):
    """Two runs writing one output at once (one of them with -O) leave one
    whole translation, of either."""
    generate("a", 4, os.path.join(tmp, "big.sfl"))
    refs = []
    for opts in ([], ["-O"]):
        ref = "ref%d.v" % len(refs)
        expect_run(sflc_run(sflc, opts + ["-o", ref, "big.sfl"], tmp), 0, b"", "reference")
        refs.append(body(os.path.join(tmp, ref)))
    runs = []
    for opts in ([], ["-O"]):
        runs.append(subprocess.Popen([sflc] + opts + ["-o", "big.v", "big.sfl"], cwd=tmp,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE))
        time.sleep(0.05)
    for r in runs:
        err = r.communicate(timeout=60)[1]
        expect(r.returncode == 0 and not err, "a run failed: %d %r" % (r.returncode, err))
    expect(body(os.path.join(tmp, "big.v")) in refs, "the output is not one whole translation")
    expect(not leftovers(tmp), "temporary files left: %s" % leftovers(tmp))


def check_sources(sflc, tmp):
    """Only regular files are read, as the input or through %i."""
    write(os.path.join(tmp, "top.sfl"), '%i "pipe.sfl"\n' + GOOD)
    os.mkfifo(os.path.join(tmp, "pipe.sfl"))
    expect_run(sflc_run(sflc, ["pipe.sfl"], tmp), 1, b"pipe.sfl: not a regular file\n", "FIFO input")
    expect_run(sflc_run(sflc, ["top.sfl"], tmp), 1, b"pipe.sfl: not a regular file\n", "FIFO include")
    need_root()
    make_char_device(os.path.join(tmp, "zero.sfl"), 1, 5)
    write(os.path.join(tmp, "dev.sfl"), '%i "zero.sfl"\n')
    expect_run(sflc_run(sflc, ["zero.sfl"], tmp), 1, b"zero.sfl: not a regular file\n", "device input")
    expect_run(sflc_run(sflc, ["dev.sfl"], tmp), 1, b"zero.sfl: not a regular file\n", "device include")
    for name in ("pipe.v", "top.v", "zero.v", "dev.v"):
        expect(not os.path.exists(os.path.join(tmp, name)), name + " was written")


def check_umask(sflc, tmp):
    """The output is created as any new file is: 0666 less the umask."""
    write(os.path.join(tmp, "x.sfl"), GOOD)
    for mask, mode in ((0o022, 0o644), (0o077, 0o600), (0o002, 0o664)):
        if os.path.exists(os.path.join(tmp, "x.v")):
            os.unlink(os.path.join(tmp, "x.v"))
        expect_run(sflc_run(sflc, ["x.sfl"], tmp, preexec_fn=lambda: os.umask(mask)), 0, b"", "umask")
        got = stat.S_IMODE(os.stat(os.path.join(tmp, "x.v")).st_mode)
        expect(got == mode, "umask %03o: mode %03o, expected %03o" % (mask, got, mode))


CHECKS = {
    "devices": check_devices,
    "symlinks": check_symlinks,
    "full_filesystem": check_full_filesystem,
    "signals": check_signals,
    "concurrent": check_concurrent,
    "sources": check_sources,
    "umask": check_umask,
}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sflc", required=True)
    ap.add_argument("check", choices=sorted(CHECKS))
    args = ap.parse_args()
    sflc = os.path.abspath(args.sflc)
    tmp = tempfile.mkdtemp(prefix="sflc-files-")
    try:
        CHECKS[args.check](sflc, tmp)
    except Skip as e:
        print("SKIPPED %s: %s" % (args.check, e))
        return SKIPPED
    except Failure as e:
        print("FAIL %s: %s" % (args.check, e))
        return 1
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print("ok %s" % args.check)
    return 0


if __name__ == "__main__":
    sys.exit(main())
