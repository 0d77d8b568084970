#!/usr/bin/env python3
"""The protocol-round benchmark on a local folder and through an sshfs mount.

Starts a private sshd on 127.0.0.1 and mounts a folder with sshfs (as the multi-computer
tests do), then runs bench_protocol_round once on the folder itself and once on the
mount, and prints both figures.

Usage: tools/bench_protocol_round.py BUILD/tools/bench_protocol_round
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "multi"))
import share_harness as harness  # noqa: E402


def run(bench, shared):
    env = dict(os.environ, VELMO_BENCH_SHARED=shared)
    result = subprocess.run([bench, "--benchmark_format=console"], env=env, text=True,
                            capture_output=True)
    if result.returncode != 0:
        raise SystemExit(f"{bench} failed: {result.stderr}")
    lines = [line for line in result.stdout.splitlines() if line.startswith("BM_")]
    return lines[-1] if lines else result.stdout.strip()


def main():
    bench = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        local = os.path.join(work, "share")
        os.makedirs(local)
        print("local:", run(bench, local))
        harness.require_fuse()
        with harness.ShareSession(work) as session:
            mount = os.path.join(work, "mount")
            os.makedirs(mount)
            os.makedirs(os.path.join(local, "sshfs"))
            session.mount(os.path.join(local, "sshfs"), mount)
            try:
                print("sshfs:", run(bench, mount))
            finally:
                session.unmount(mount)
    return 0


if __name__ == "__main__":
    harness.run_main(main)
