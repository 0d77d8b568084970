#!/usr/bin/env python3
"""Proves the multi-computer harness on its own, with no Velmo code.

Two sshfs mounts of one folder must behave like two computers on one share: an
exclusive create through one is refused through the other, a file renamed into
place through one is read through the other, and afterwards both mounts and the
private sshd are gone, also when the code inside the session fails.
"""

import errno
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean when ctest runs us
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import share_harness as sh  # noqa: E402

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def exclusive_create(path):
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644)
    os.write(fd, b"PC1\r\n")
    os.close(fd)


def main():
    sh.set_time_limit(100)
    sh.require_fuse()
    with sh.temp_root("velmo-harness-") as root:
        shared = os.path.join(root, "shared")
        sh.prepare_shared_folder(shared)
        mount_a = os.path.join(root, "PC1", "mnt")
        mount_b = os.path.join(root, "PC2", "mnt")

        with sh.ShareSession(root) as session:
            session.mount(shared, mount_a)
            session.mount(shared, mount_b, ["dcache_timeout=1"])
            sshd_pid = session.last_pid
            check(sh.pid_alive(sshd_pid), f"sshd runs with the PID of its PidFile ({sshd_pid})")
            check(sh.mounted_type(mount_a) == "fuse.sshfs", "mount A is an sshfs mount")
            check(sh.mounted_type(mount_b) == "fuse.sshfs", "mount B is an sshfs mount")
            check(os.path.isdir(os.path.join(mount_b, "Data", "Files1")),
                  "mount B shows the shared folder's Data/Files1")

            # Exclusive create: first through A, then the same name through B.
            lock_a = os.path.join(mount_a, "Data", "Files1", "CaMe.lock")
            lock_b = os.path.join(mount_b, "Data", "Files1", "CaMe.lock")
            exclusive_create(lock_a)
            check(os.path.exists(os.path.join(shared, "Data", "Files1", "CaMe.lock")),
                  "the lock created through A is in the real folder")
            try:
                exclusive_create(lock_b)
                check(False, "O_EXCL create of an existing lock through B fails")
            except OSError as e:
                check(e.errno in (errno.EEXIST, errno.EPERM),
                      f"O_EXCL create of an existing lock through B fails "
                      f"(errno {errno.errorcode.get(e.errno, e.errno)})")
            check(read_file(lock_b) == b"PC1\r\n", "B reads the owner A wrote into the lock")
            os.unlink(lock_a)
            check(not os.path.exists(os.path.join(shared, "Data", "Files1", "CaMe.lock")),
                  "the lock removed through A is gone from the real folder")

            # Replace a file atomically through A; B reads the new content.
            target_a = os.path.join(mount_a, "Data", "Files1", "Ca203105.myc")
            target_b = os.path.join(mount_b, "Data", "Files1", "Ca203105.myc")
            write_file(target_a, b"old\r\n")
            temp_a = os.path.join(mount_a, "Data", "Files1", ".Ca203105.myc.tmp")
            new = "14,予定 PC1-0001\r\n".encode("cp932")
            write_file(temp_a, new)
            os.rename(temp_a, target_a)
            check(read_file(target_b) == new, "B reads the file renamed into place through A")
            check(read_file(os.path.join(shared, "Data", "Files1", "Ca203105.myc")) == new,
                  "the real folder holds the renamed file")
            check(not os.path.exists(os.path.join(shared, "Data", "Files1", ".Ca203105.myc.tmp")),
                  "no temporary file is left after the rename")

            # The simulated computers' settings point at their own mounts.
            pc1 = sh.make_computer(root, 1, mount_a)
            ini = read_file(os.path.join(pc1.start_folder, "Torka.ini"))
            check(ini.decode("cp932") == "[Settei]\r\ncbNet=1\r\nvNet_flg=1\r\n"
                  f"edtNetFolder={mount_a}/\r\n", "Torka.ini of PC1 names its mount, CR LF")
            check(pc1.env["VELMO_HOME"] == pc1.start_folder
                  and pc1.env["VELMO_COMPUTER_NAME"] == "PC1"
                  and pc1.env["HOME"].startswith(pc1.root), "PC1's environment is its own")

        check(sh.mounted_type(mount_a) is None, "mount A is gone after the session")
        check(sh.mounted_type(mount_b) is None, "mount B is gone after the session")
        check(not sh.pid_alive(sshd_pid), f"sshd {sshd_pid} is gone after the session")

        # A failure inside the session must still clean up.
        mount_c = os.path.join(root, "PC3", "mnt")
        failing_pid = None
        try:
            with sh.ShareSession(os.path.join(root, "second")) as session:
                failing_pid = session.last_pid
                session.mount(shared, mount_c)
                raise RuntimeError("deliberate failure inside the session")
        except RuntimeError as e:
            check(str(e) == "deliberate failure inside the session",
                  "the failure inside the session reaches the caller")
        check(failing_pid is not None and not sh.pid_alive(failing_pid),
              "sshd is stopped after a failure inside the session")
        check(sh.mounted_type(mount_c) is None,
              "the mount is gone after a failure inside the session")

    if failures:
        print(f"{len(failures)} check(s) failed", flush=True)
        return 1
    print("harness self-test passed", flush=True)
    return 0


if __name__ == "__main__":
    sh.run_main(main)
