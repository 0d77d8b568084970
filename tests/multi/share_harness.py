"""Several simulated computers on one machine, sharing one data folder.

A simulated computer is an environment: its own HOME, XDG folders, start folder
(VELMO_HOME) and computer name.  The shared folder is either used by its real path
or reached through a real network file system: one sshfs mount per computer
against a private sshd on 127.0.0.1 that this module starts and stops itself.

Standard library only, so the tests run wherever python3 does.
"""

import contextlib
import getpass
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SKIP_CODE = 77
SSHD = "/usr/sbin/sshd"


class SkipTest(Exception):
    """The machine cannot run this test; the message says why."""


def run_main(main):
    """Runs main(); a SkipTest becomes exit code 77 with its reason printed.

    SIGTERM (ctest's timeout) is turned into an exception so the context
    managers below still unmount and stop sshd.
    """

    def on_term(signum, _frame):
        raise SystemExit(f"stopped by signal {signum}")

    signal.signal(signal.SIGTERM, on_term)
    try:
        code = main()
    except SkipTest as skip:
        print(f"SKIP: {skip}", flush=True)
        sys.exit(SKIP_CODE)
    sys.exit(code or 0)


def set_time_limit(seconds):
    """Fails the test after seconds, before ctest's own timeout would kill it.

    ctest's kill reaches only our descendants; sshd and sshfs have detached, so
    this is what gets them unmounted and stopped when a run hangs.
    """

    def on_alarm(_signum, _frame):
        raise SystemExit(f"FAIL: the test did not end within its limit of {seconds} s")

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(int(seconds))


# ---------------------------------------------------------------- computers

class Computer:
    def __init__(self, name, root, start_folder, shared_view, env):
        self.name = name
        self.root = root                  # everything private to this computer
        self.start_folder = start_folder
        self.shared_view = shared_view    # the shared folder as this computer sees it
        self.env = env


def write_torka_ini(start_folder, net_folder):
    """The settings that switch a computer to network mode on net_folder."""
    if not net_folder.endswith("/"):
        net_folder += "/"
    lines = ["[Settei]", "cbNet=1", "vNet_flg=1", f"edtNetFolder={net_folder}"]
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    with open(os.path.join(start_folder, "Torka.ini"), "wb") as f:
        f.write(data)


def make_computer(root, index, shared_view, base_env=None):
    """Creates computer PC<index> under root, seeing the share at shared_view."""
    name = f"PC{index}"
    home = os.path.join(root, name)
    folders = {
        "HOME": os.path.join(home, "home"),
        "XDG_CONFIG_HOME": os.path.join(home, "home", ".config"),
        "XDG_DATA_HOME": os.path.join(home, "home", ".local", "share"),
        "XDG_STATE_HOME": os.path.join(home, "home", ".local", "state"),
        "XDG_CACHE_HOME": os.path.join(home, "home", ".cache"),
        "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
        "VELMO_HOME": os.path.join(home, "start"),
    }
    for path in folders.values():
        os.makedirs(path, exist_ok=True)
    os.chmod(folders["XDG_RUNTIME_DIR"], 0o700)
    env = dict(os.environ if base_env is None else base_env)
    # A computer must not pick up the desktop of whoever runs the tests.
    for key in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        env.pop(key, None)
    env.update(folders)
    env["VELMO_COMPUTER_NAME"] = name
    env["QT_QPA_PLATFORM"] = "offscreen"
    view = shared_view if shared_view.endswith("/") else shared_view + "/"
    write_torka_ini(folders["VELMO_HOME"], view)
    return Computer(name, home, folders["VELMO_HOME"], view, env)


def prepare_shared_folder(shared):
    os.makedirs(os.path.join(shared, "Data", "Files1"), exist_ok=True)


def read_counter(shared):
    """update.myc's first line as a number; an absent file counts as 0."""
    path = os.path.join(shared, "update.myc")
    try:
        with open(path, "rb") as f:
            data = f.read()
    except FileNotFoundError:
        return 0
    first = data.decode("cp932").splitlines()[0].strip() if data else ""
    if not first.isdigit():
        raise AssertionError(f"update.myc line 1 is not a number: {first!r}")
    return int(first)


def find_lock_files(shared):
    found = []
    for folder, _dirs, files in os.walk(shared):
        for name in files:
            if name.lower().endswith(".lock"):
                found.append(os.path.join(folder, name))
    return sorted(found)


# ---------------------------------------------------------------- sshfs

def fuse_missing_reason():
    """Why sshfs mounts cannot work here, or None when they might."""
    if not os.path.exists("/dev/fuse"):
        return "/dev/fuse is missing (no FUSE in this machine or container)"
    if shutil.which("sshfs") is None:
        return "sshfs is not installed (Debian package sshfs)"
    if not os.access(SSHD, os.X_OK):
        return f"{SSHD} is not installed (Debian package openssh-server)"
    if shutil.which("ssh-keygen") is None:
        return "ssh-keygen is not installed"
    if shutil.which("fusermount3") is None and shutil.which("fusermount") is None:
        return "neither fusermount3 nor fusermount is installed"
    return None


def require_fuse():
    reason = fuse_missing_reason()
    if reason:
        raise SkipTest(reason)


# What a mount failure says when FUSE itself is refused to us (a container without
# the device permission or CAP_SYS_ADMIN), as opposed to a broken set-up.
def _fuse_refused(message):
    for line in message.lower().splitlines():
        if "fuse" in line and any(s in line for s in ("not permitted", "permission denied",
                                                       "device not found", "no such device")):
            return True
    return False


def _free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def _pid_alive(pid):
    """True while pid runs; a zombie nobody reaps counts as gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            state = f.read().rsplit(")", 1)[1].split()[0]
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return False
    return state not in ("Z", "X")


def _children_of(pid):
    kids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == pid:
            kids.append(int(entry))
    return kids


def _mounted(path):
    real = os.path.realpath(path)
    with open("/proc/self/mounts") as f:
        for line in f:
            fields = line.split()
            # /proc/mounts escapes spaces as \040; our paths have none.
            if len(fields) >= 3 and fields[1] == real:
                return fields[2]
    return None


class ShareSession:
    """A private sshd on 127.0.0.1 and the sshfs mounts made through it.

    Use as a context manager: leaving it, normally or by an exception, unmounts
    every mount and stops that sshd (and only it) by the PID in its PidFile.
    """

    def __init__(self, workdir):
        self.dir = os.path.join(workdir, "sshd")
        self.port = None
        self.pid = None
        self.last_pid = None  # stays set after stop, so a test can check it is gone
        self.mounts = []
        self.user = getpass.getuser()
        self.user_key = os.path.join(self.dir, "user_ed25519")
        self.pid_file = os.path.join(self.dir, "sshd.pid")
        self.log = os.path.join(self.dir, "sshd.log")

    def __enter__(self):
        require_fuse()
        try:
            self._start_sshd()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    # -- sshd

    def _start_sshd(self):
        os.makedirs(self.dir, exist_ok=True)
        host_key = os.path.join(self.dir, "host_ed25519")
        for key in (host_key, self.user_key):
            subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-C", "velmo-test",
                            "-f", key], check=True, stdout=subprocess.DEVNULL)
        authorized = os.path.join(self.dir, "authorized_keys")
        shutil.copyfile(self.user_key + ".pub", authorized)
        os.chmod(authorized, 0o600)
        # sshd insists on its privilege separation folder even with our own config.
        if os.geteuid() == 0:
            os.makedirs("/run/sshd", mode=0o755, exist_ok=True)

        last_log = ""
        for _attempt in range(5):  # the free port can be taken between probe and bind
            self.port = _free_port()
            config = os.path.join(self.dir, "sshd_config")
            lines = [
                f"Port {self.port}",
                "ListenAddress 127.0.0.1",
                f"HostKey {host_key}",
                f"PidFile {self.pid_file}",
                f"AuthorizedKeysFile {authorized}",
                "PasswordAuthentication no",
                "KbdInteractiveAuthentication no",
                "PubkeyAuthentication yes",
                "UsePAM no",
                "StrictModes no",
                "Subsystem sftp internal-sftp",
                "LogLevel INFO",
            ]
            if os.geteuid() == 0:
                lines.append("PermitRootLogin prohibit-password")
            with open(config, "w") as f:
                f.write("\n".join(lines) + "\n")
            with contextlib.suppress(FileNotFoundError):
                os.unlink(self.pid_file)
            with contextlib.suppress(FileNotFoundError):
                os.unlink(self.log)
            started = subprocess.run([SSHD, "-f", config, "-E", self.log],
                                     capture_output=True, text=True)
            if started.returncode != 0:
                raise RuntimeError(f"sshd did not start (exit {started.returncode}): "
                                   f"{started.stderr.strip()} {self._log_text()}")
            # The daemon writes its PidFile once it listens.
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                pid = self._read_pid()
                if pid and self._port_answers():
                    self.pid = self.last_pid = pid
                    return
                if pid is None and "Address already in use" in self._log_text():
                    break
                time.sleep(0.05)
            last_log = self._log_text()
            pid = self._read_pid()
            if pid:
                self.pid = pid
                self._stop_sshd()
                self.last_pid = None
        raise RuntimeError(f"sshd never answered on 127.0.0.1: {last_log}")

    def _read_pid(self):
        try:
            with open(self.pid_file) as f:
                text = f.read().strip()
        except FileNotFoundError:
            return None
        return int(text) if text.isdigit() else None

    def _port_answers(self):
        try:
            with socket.create_connection(("127.0.0.1", self.port), timeout=1) as s:
                return s.recv(4).startswith(b"SSH-")
        except OSError:
            return False

    def _log_text(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()[-2000:]
        except FileNotFoundError:
            return ""

    def _stop_sshd(self):
        if not self.pid:
            return
        # Connection handlers run in their own sessions; stop those we can see too.
        pids = [self.pid] + _children_of(self.pid)
        for pid in pids:
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGTERM)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and any(_pid_alive(p) for p in pids):
            time.sleep(0.05)
        for pid in pids:
            if _pid_alive(pid):
                with contextlib.suppress(ProcessLookupError):
                    os.kill(pid, signal.SIGKILL)
        self.pid = None

    # -- mounts

    def mount(self, remote_dir, mount_point, options=()):
        """Mounts remote_dir at mount_point through this sshd.

        A mount refused for lack of FUSE permission raises SkipTest; any other
        failure is an error.
        """
        os.makedirs(mount_point, exist_ok=True)
        opts = [f"IdentityFile={self.user_key}", "StrictHostKeyChecking=no",
                "UserKnownHostsFile=/dev/null", "BatchMode=yes", "LogLevel=ERROR"]
        opts.extend(options)
        cmd = ["sshfs", "-p", str(self.port), "-o", ",".join(opts),
               f"{self.user}@127.0.0.1:{remote_dir}", mount_point]
        result = subprocess.run(cmd, capture_output=True, text=True, timeout=60)
        if result.returncode != 0 or _mounted(mount_point) != "fuse.sshfs":
            message = (result.stderr or result.stdout).strip()
            if _fuse_refused(message):
                raise SkipTest(f"sshfs mount refused by FUSE here: {message}")
            raise RuntimeError(f"sshfs mount of {mount_point} failed (exit {result.returncode}): "
                               f"{message}\nsshd log:\n{self._log_text()}")
        self.mounts.append(mount_point)
        return mount_point

    def unmount(self, mount_point):
        tools = [t for t in ("fusermount3", "fusermount") if shutil.which(t)]
        for attempt in range(20):
            if _mounted(mount_point) is None:
                break
            tool = tools[attempt % len(tools)]
            subprocess.run([tool, "-u", mount_point], capture_output=True)
            if _mounted(mount_point) is None:
                break
            time.sleep(0.1)  # busy: someone still has a file open there
        else:
            # Last resort so a stuck mount never outlives the test.
            subprocess.run([tools[0], "-u", "-z", mount_point], capture_output=True)
        if mount_point in self.mounts:
            self.mounts.remove(mount_point)
        return _mounted(mount_point) is None

    def close(self):
        for mount_point in list(self.mounts):
            self.unmount(mount_point)
        self._stop_sshd()


def mounted_type(path):
    """The file system type mounted exactly at path, or None."""
    return _mounted(path)


pid_alive = _pid_alive


@contextlib.contextmanager
def temp_root(prefix):
    """A temporary folder removed afterwards unless VELMO_KEEP_TEST_FILES is set."""
    root = tempfile.mkdtemp(prefix=prefix)
    try:
        yield root
    finally:
        if os.environ.get("VELMO_KEEP_TEST_FILES"):
            print(f"kept test files in {root}", flush=True)
        else:
            # Never descend into a mount that failed to go away.
            with open("/proc/self/mounts") as f:
                busy = [line.split()[1] for line in f if line.split()[1].startswith(root + "/")]
            if busy:
                print(f"warning: left {root} in place, still mounted: {busy}", flush=True)
            else:
                shutil.rmtree(root, ignore_errors=True)
