"""A private desktop for the game, reached through the accessibility bus.

Starts, in this order: a private runtime directory, Xvfb on a free display, a
private D-Bus session bus, the AT-SPI bus launcher, and then the game itself.
The game is then read and played through AT-SPI only, as a screen reader would.

Everything started here is stopped again by its process id: the processes this
module starts directly, and the ones that D-Bus activation starts on our behalf
(the accessibility bus and at-spi2-registryd), which are found by a marker
variable in their environment.

libatspi can be initialised once per process, so a process holds one Session.
"""

import ctypes
import os
import secrets
import shutil
import signal
import subprocess
import sys
import tempfile
import time

MARKER = "MORVINT_ATSPI_SESSION"

# How long any one condition may take to come true before the test gives up.
# Generous, because the sanitizer build and a loaded machine are slow; a passing
# run never waits this long.
DEFAULT_WAIT = 60.0


class Failure(Exception):
    """A check that did not hold."""


def _become_subreaper():
    # Processes that D-Bus activation starts for us (the accessibility bus and
    # at-spi2-registryd) become our children when their parents end, so that we
    # can reap them instead of leaving zombies behind.
    try:
        libc = ctypes.CDLL("libc.so.6", use_errno=True)
        PR_SET_CHILD_SUBREAPER = 36
        libc.prctl(PR_SET_CHILD_SUBREAPER, 1)
    except OSError:
        pass


def _reap_orphans():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


def _die_with_parent():
    # A child that outlives a killed test would keep its display or bus busy.
    try:
        libc = ctypes.CDLL("libc.so.6", use_errno=True)
        PR_SET_PDEATHSIG = 1
        libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)
    except OSError:
        pass


def wait_for(what, condition, timeout=DEFAULT_WAIT, interval=0.02):
    """Polls condition() until it returns a true value, which is returned.

    Raises Failure naming `what` when it is still false after `timeout` seconds.
    """
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # the bus may not answer yet
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise Failure(f"timed out waiting for {what}{detail}")
        time.sleep(interval)


def _read_fd_line(fd, what, timeout=DEFAULT_WAIT):
    """Reads one line that a child writes to the pipe `fd` when it is ready."""
    import select

    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0:
            raise Failure(f"timed out waiting for {what}")
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            continue
        chunk = os.read(fd, 4096)
        if not chunk:
            raise Failure(f"{what}: the process closed its pipe without an answer")
        data += chunk
    return data.decode().strip()


class Session:
    def __init__(self, log=print):
        self.log = log
        self.token = secrets.token_hex(8)
        self.dir = tempfile.mkdtemp(prefix="morvint-atspi-")
        self.runtime = os.path.join(self.dir, "run")
        os.mkdir(self.runtime, 0o700)
        self.children = []  # Popen objects started directly, in start order
        self.display = None
        self.session_address = None
        self.a11y_address = None
        self.program = None
        self.program_stderr_path = os.path.join(self.dir, "program.stderr")
        self._stderr_file = None
        self._Atspi = None
        _become_subreaper()

    # ----------------------------------------------------------------- start-up

    def _base_env(self):
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": os.environ.get("HOME", self.dir),
            "XDG_RUNTIME_DIR": self.runtime,
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            MARKER: self.token,
        }
        # The sanitizer build's settings reach the program and its helpers.
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        if self.display:
            env["DISPLAY"] = self.display
        if self.session_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.session_address
        return env

    def _spawn(self, argv, env, pass_fds=(), stdout=subprocess.DEVNULL, stderr=None):
        if stderr is None:
            stderr = subprocess.DEVNULL
        child = subprocess.Popen(argv, env=env, pass_fds=pass_fds, stdin=subprocess.DEVNULL,
                                 stdout=stdout, stderr=stderr, preexec_fn=_die_with_parent,
                                 cwd=self.dir)
        self.children.append(child)
        return child

    def start_display(self):
        read_end, write_end = os.pipe()
        try:
            self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                         "-nolisten", "tcp", "-noreset"], self._base_env(), pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            number = _read_fd_line(read_end, "Xvfb to announce its display")
        finally:
            if write_end is not None:
                os.close(write_end)
            os.close(read_end)
        self.display = ":" + number
        self.log(f"display {self.display}")

    def start_session_bus(self):
        read_end, write_end = os.pipe()
        socket = os.path.join(self.dir, "session-bus")
        try:
            self._spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                         f"--address=unix:path={socket}", f"--print-address={write_end}"],
                        self._base_env(), pass_fds=(write_end,))
            os.close(write_end)
            write_end = None
            self.session_address = _read_fd_line(read_end, "the session bus to announce itself")
        finally:
            if write_end is not None:
                os.close(write_end)
            os.close(read_end)
        self.log(f"session bus {self.session_address}")

    def start_accessibility_bus(self):
        from gi.repository import Gio, GLib

        env = self._base_env()
        env["GSETTINGS_BACKEND"] = "memory"
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"], env)

        bus = Gio.DBusConnection.new_for_address_sync(
            self.session_address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

        def call(name, path, interface, method, args, reply):
            return bus.call_sync(name, path, interface, method, args,
                                 GLib.VariantType.new(reply), Gio.DBusCallFlags.NONE, 5000,
                                 None).unpack()[0]

        wait_for("org.a11y.Bus on the session bus",
                 lambda: call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), "(b)"))
        self.a11y_address = call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                 None, "(s)")
        bus.close_sync(None)
        self.log(f"accessibility bus {self.a11y_address}")

    def start(self):
        self.start_display()
        self.start_session_bus()
        self.start_accessibility_bus()
        # libatspi reads these once, when it is first used.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.session_address
        os.environ["AT_SPI_BUS_ADDRESS"] = self.a11y_address
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi

        Atspi.init()
        self._Atspi = Atspi

    def start_program(self, argv, extra_env=None):
        """Starts the program with accessibility on; returns its Popen."""
        env = self._base_env()
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        if extra_env:
            env.update(extra_env)
        # Qt 6.4 never registers when it is handed the accessibility bus directly:
        # it has to find it through the session bus.
        env.pop("AT_SPI_BUS_ADDRESS", None)
        self._stderr_file = open(self.program_stderr_path, "wb")
        self.program = self._spawn(list(argv), env, stdout=self._stderr_file,
                                   stderr=self._stderr_file)
        self.log(f"program pid {self.program.pid}: {' '.join(argv)}")
        return self.program

    def program_output(self):
        if self._stderr_file:
            self._stderr_file.flush()
        with open(self.program_stderr_path, "rb") as f:
            return f.read().decode(errors="replace")

    # ------------------------------------------------------------------ finding

    @property
    def Atspi(self):
        return self._Atspi

    def find_application(self, pid, timeout=DEFAULT_WAIT):
        """The program's application object on the accessibility desktop."""
        Atspi = self._Atspi

        def look():
            if self.program is not None and self.program.poll() is not None:
                raise Failure(f"the program ended early with status {self.program.returncode}")
            desktop = Atspi.get_desktop(0)
            desktop.clear_cache()
            for i in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(i)
                if app is not None and app.get_process_id() == pid:
                    return app
            return None

        app = self._wait_raising("the program on the accessibility desktop", look, timeout)
        # Read names and states from the program every time, never from a cache.
        app.set_cache_mask(Atspi.Cache.NONE)
        return app

    def _wait_raising(self, what, condition, timeout=DEFAULT_WAIT):
        # Like wait_for, but a Failure raised by the condition ends the wait at once.
        deadline = time.monotonic() + timeout
        last_error = None
        while True:
            try:
                value = condition()
                if value:
                    return value
            except Failure:
                raise
            except Exception as error:
                last_error = error
            if time.monotonic() > deadline:
                detail = f" (last error: {last_error})" if last_error else ""
                raise Failure(f"timed out waiting for {what}{detail}")
            time.sleep(0.05)

    # ---------------------------------------------------------------- shut-down

    def _marked_pids(self):
        pids = []
        needle = f"{MARKER}={self.token}".encode()
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == os.getpid():
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if needle in f.read().split(b"\0"):
                        pids.append(int(entry))
            except OSError:
                continue
        return pids

    def wait_program_exit(self, timeout=DEFAULT_WAIT):
        """Waits for the program to end by itself; returns its exit status."""
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout:.0f} s")

    def stop(self):
        """Stops everything this session started, latest first, by process id."""
        # The program and then the rest of what we started directly.
        for child in reversed(self.children):
            if child.poll() is None:
                child.terminate()
        for child in reversed(self.children):
            try:
                child.wait(timeout=10)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
        # What D-Bus activation started for us: the accessibility bus daemon and
        # at-spi2-registryd, recognised by our marker.
        for attempt in range(2):
            pids = self._marked_pids()
            if not pids:
                break
            for pid in pids:
                try:
                    os.kill(pid, signal.SIGTERM if attempt == 0 else signal.SIGKILL)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and any(_alive(p) for p in pids):
                # Every child started directly has been waited for above, so
                # this reaps only the orphans that came to us.
                _reap_orphans()
                time.sleep(0.05)
        _reap_orphans()
        left = [p for p in self._marked_pids() if _alive(p)]
        if self._stderr_file:
            self._stderr_file.close()
            self._stderr_file = None
        shutil.rmtree(self.dir, ignore_errors=True)
        if left:
            raise Failure(f"processes left running after the test: {left}")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        return False


def _alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            # A zombie has ended; only its parent's wait is missing.
            return f.read().split(") ", 1)[1][0] != "Z"
    except (OSError, IndexError):
        return False


def install_termination_handler():
    """Turns SIGTERM (a test timeout) into an exception, so clean-up runs."""

    def handler(signum, frame):
        raise SystemExit(f"terminated by signal {signum}")

    signal.signal(signal.SIGTERM, handler)
    signal.signal(signal.SIGINT, handler)


def print_and_flush(*args):
    print(*args, flush=True)
    sys.stdout.flush()
