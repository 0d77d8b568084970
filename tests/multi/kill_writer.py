"""A writer killed with SIGKILL in the middle of a shared edit loses nothing.

PC1 runs `velmo-tool add-line` and is killed right after taking the month's lock, after
writing the replacement of the month file but before renaming it into place, and after
the rename but before raising the update counter. Each time the month file holds the
old or the new contents byte for byte, PC2 is refused while PC1's stale lock is there,
the lock search names it, and PC1 itself takes it again at once and completes its next
edit. A lock left for good goes with another computer's forced unlock.

Usage: kill_writer.py VELMO_TOOL
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import share_harness as harness  # noqa: E402

DAY = "2031-05-14"
MONTH_FILE = os.path.join("Data", "Files1", "Ca203105.myc")
LOCK_FILE = os.path.join("Data", "Files1", "Ca203105.lock")


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def stopped(pid):
    with open(f"/proc/{pid}/stat") as f:
        return f.read().rsplit(")", 1)[1].split()[0] == "T"


def add_line(tool, computer, text, crash_point=None):
    env = dict(computer.env)
    if crash_point:
        env["VELMO_CRASH_POINT"] = crash_point
    return subprocess.Popen([tool, "add-line", DAY, text], env=env, cwd=computer.root,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def kill_at(tool, computer, point, text):
    """Starts an add-line that stops itself at point and kills it there."""
    process = add_line(tool, computer, text, point)
    deadline = time.monotonic() + 20
    while not stopped(process.pid):
        if process.poll() is not None:
            raise AssertionError(f"{point}: add-line ended ({process.returncode}) before "
                                 f"its crash point: {process.stderr.read().decode()}")
        if time.monotonic() > deadline:
            raise AssertionError(f"{point}: the crash point was never reached")
        time.sleep(0.01)
    os.kill(process.pid, signal.SIGKILL)
    process.wait()


def finished(process):
    out, err = process.communicate(timeout=60)
    return process.returncode, err.decode(errors="replace")


def whole_new_month(before, after, added):
    """True when after is a complete month file: every line of before and one more."""
    if after is None or not after.endswith(b"\r\n"):
        return False
    old = before.decode("cp932").split("\r\n")[:-1]
    new = after.decode("cp932").split("\r\n")[:-1]
    extra = [line for line in new if line not in old]
    # The day's lines are written back renumbered, so compare their texts.
    texts = lambda lines: sorted(line.split(",")[3] for line in lines if "," in line)
    return len(new) == len(old) + 1 and texts(new) == sorted(texts(old) + [added]) and extra


def main():
    tool = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as root:
        shared = os.path.join(root, "share")
        harness.prepare_shared_folder(shared)
        pc1 = harness.make_computer(root, 1, shared)
        pc2 = harness.make_computer(root, 2, shared)
        month = os.path.join(shared, MONTH_FILE)
        code, err = finished(add_line(tool, pc1, "最初の予定"))
        if code != 0:
            raise AssertionError(f"the first add-line failed ({code}): {err}")

        for number, point in enumerate(("lock-created", "temporary-written", "before-counter")):
            before = read_bytes(month)
            counter = harness.read_counter(shared)
            kill_at(tool, pc1, point, f"途中で止まる予定{number}")
            after = read_bytes(month)
            if point != "before-counter":
                if after != before:
                    failures.append(f"{point}: the month file changed before the rename")
            elif not whole_new_month(before, after, f"途中で止まる予定{number}"):
                failures.append(f"{point}: the month file is neither old nor new: {after!r}")
            if harness.read_counter(shared) != counter:
                failures.append(f"{point}: the counter moved although no bump ran")
            if not os.path.exists(os.path.join(shared, LOCK_FILE)):
                failures.append(f"{point}: the killed writer's lock is gone")

            code, err = finished(add_line(tool, pc2, f"PC2の予定{number}"))
            if code != 3 or "【PC1】" not in err:
                failures.append(f"{point}: PC2 was not refused by PC1's lock ({code}): {err}")
            locks = subprocess.run([tool, "locks"], env=pc2.env, cwd=pc2.root,
                                   capture_output=True, text=True)
            if "Ca203105.myc" not in locks.stdout or "PC1" not in locks.stdout:
                failures.append(f"{point}: the lock search does not list the lock: "
                                f"{locks.stdout!r}")

            code, err = finished(add_line(tool, pc1, f"再開した予定{number}"))
            if code != 0:
                failures.append(f"{point}: PC1 could not take its own stale lock ({code}): {err}")
            if harness.find_lock_files(shared):
                failures.append(f"{point}: locks left: {harness.find_lock_files(shared)}")

        # A lock nobody will come back for goes with the forced unlock of another computer.
        kill_at(tool, pc1, "lock-created", "放置される予定")
        refused = subprocess.run([tool, "unlock-all"], env=pc2.env, cwd=pc2.root,
                                 capture_output=True, text=True)
        if refused.returncode != 1 or not harness.find_lock_files(shared):
            failures.append(f"unlock-all without --yes removed the lock: {refused.stderr}")
        unlocked = subprocess.run([tool, "unlock-all", "--yes"], env=pc2.env, cwd=pc2.root,
                                  capture_output=True, text=True)
        if unlocked.returncode != 0 or harness.find_lock_files(shared):
            failures.append(f"the forced unlock left {harness.find_lock_files(shared)}: "
                            f"{unlocked.stderr}")
        code, err = finished(add_line(tool, pc2, "解除後の予定"))
        if code != 0:
            failures.append(f"PC2 could not edit after the forced unlock ({code}): {err}")

        text = read_bytes(month).decode("cp932")
        for expected in ("最初の予定", "再開した予定0", "再開した予定1", "再開した予定2",
                         "解除後の予定"):
            if text.count(expected) != 1:
                failures.append(f"{expected} occurs {text.count(expected)} times")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("ok: every kill left the old or the new month and a lock PC1 took back")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
