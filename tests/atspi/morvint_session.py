"""A private desktop for the game, reached through the accessibility bus.

Starts, in this order: a private runtime directory, Xvfb on a free display, a
private D-Bus session bus, the AT-SPI bus launcher, and then the game itself.
The game is then read and played through AT-SPI only, as a screen reader would.

Everything started here is stopped again by its process id: the processes this
module starts directly, and the ones that D-Bus activation starts on our behalf
(the accessibility bus and at-spi2-registryd), which are found by a marker
variable in their environment. libatspi can be initialised once per process,
so a process holds one Session.
"""

import ctypes
import os
import secrets
import shutil
import signal
import subprocess
import tempfile
import time

MARKER = "MORVINT_ATSPI_SESSION"
# How long any one condition may take to come true: generous, for the sanitizer
# build on a loaded machine; a passing run never waits this long.
DEFAULT_WAIT = 60.0

_libc = ctypes.CDLL("libc.so.6", use_errno=True)
PR_SET_PDEATHSIG, PR_SET_CHILD_SUBREAPER = 1, 36


class Failure(Exception):
    """A check that did not hold."""


def log(*args):
    print(*args, flush=True)


def wait_for(what, condition, timeout=DEFAULT_WAIT):
    """Polls condition() until it returns a true value, which is returned.

    Other errors count as "not yet" (the bus may not answer yet); a Failure
    ends the wait at once.
    """
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
        time.sleep(0.02)


def _alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            # A zombie has ended; only its parent's wait is missing.
            return f.read().split(") ", 1)[1][0] != "Z"
    except (OSError, IndexError):
        return False


def _reap_orphans():
    try:
        while os.waitpid(-1, os.WNOHANG)[0] != 0:
            pass
    except ChildProcessError:
        pass


class Session:
    def __init__(self):
        self.token = secrets.token_hex(8)
        self.dir = tempfile.mkdtemp(prefix="morvint-atspi-")
        self.runtime = os.path.join(self.dir, "run")
        os.mkdir(self.runtime, 0o700)
        self.children = []  # Popen objects started directly, in start order
        self.display = self.session_address = self.program = None
        self.output_path = os.path.join(self.dir, "program.output")
        # What D-Bus activation starts for us becomes our child when its parent
        # ends, so that we can reap it instead of leaving zombies behind.
        _libc.prctl(PR_SET_CHILD_SUBREAPER, 1)

    def env(self):
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
               "HOME": os.environ.get("HOME", self.dir), "XDG_RUNTIME_DIR": self.runtime,
               "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", MARKER: self.token}
        # The sanitizer build's settings reach the program and its helpers.
        env.update({name: os.environ[name] for name in
                    ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS") if name in os.environ})
        if self.display:
            env["DISPLAY"] = self.display
        if self.session_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.session_address
        return env

    def _spawn(self, argv, env, pass_fds=(), output=subprocess.DEVNULL):
        # A child that outlived a killed test would keep its display or bus busy.
        child = subprocess.Popen(argv, env=env, pass_fds=pass_fds, stdin=subprocess.DEVNULL,
                                 stdout=output, stderr=output, cwd=self.dir,
                                 preexec_fn=lambda: _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL))
        self.children.append(child)
        return child

    def _spawn_announcing(self, what, argv):
        """Starts argv, in which FD stands for a pipe on which it writes one line
        when it is ready, and returns that line."""
        read_end, write_end = os.pipe()
        self._spawn([a.replace("FD", str(write_end)) for a in argv], self.env(), (write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as announcements:
            line = announcements.readline().strip()
        if not line:
            raise Failure(f"{what} ended without announcing itself")
        return line

    def start(self):
        self.display = ":" + self._spawn_announcing("Xvfb", [
            "Xvfb", "-displayfd", "FD", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
            "-noreset"])
        socket = os.path.join(self.dir, "session-bus")
        self.session_address = self._spawn_announcing("the session bus", [
            "dbus-daemon", "--session", "--nofork", "--nopidfile",
            f"--address=unix:path={socket}", "--print-address=FD"])
        a11y_address = self._start_accessibility_bus()
        log(f"display {self.display}, session bus {self.session_address}, "
            f"accessibility bus {a11y_address}")
        # libatspi reads these once, when it is first used.
        os.environ.update({"DISPLAY": self.display, "XDG_RUNTIME_DIR": self.runtime,
                           "DBUS_SESSION_BUS_ADDRESS": self.session_address,
                           "AT_SPI_BUS_ADDRESS": a11y_address})
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi

        Atspi.init()

    def _start_accessibility_bus(self):
        from gi.repository import Gio, GLib

        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
                    dict(self.env(), GSETTINGS_BACKEND="memory"))
        bus = Gio.DBusConnection.new_for_address_sync(
            self.session_address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

        def call(name, path, method, args, reply):
            return bus.call_sync(name, path, name, method, args, GLib.VariantType.new(reply),
                                 Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]

        wait_for("org.a11y.Bus on the session bus",
                 lambda: call("org.freedesktop.DBus", "/org/freedesktop/DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), "(b)"))
        address = call("org.a11y.Bus", "/org/a11y/bus", "GetAddress", None, "(s)")
        bus.close_sync(None)
        return address

    def start_program(self, argv, extra_env=None):
        """Starts the program with accessibility on; returns its Popen.

        Qt 6.4 never registers when it is handed the accessibility bus directly:
        it has to find it through the session bus, so AT_SPI_BUS_ADDRESS stays out.
        """
        env = dict(self.env(), QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   **(extra_env or {}))
        with open(self.output_path, "wb") as output:
            self.program = self._spawn(list(argv), env, output=output)
        log(f"program pid {self.program.pid}: {' '.join(argv)}")
        return self.program

    def program_output(self):
        with open(self.output_path, "rb") as f:
            return f.read().decode(errors="replace")

    def find_application(self, timeout=DEFAULT_WAIT):
        """The program's application object on the accessibility desktop."""
        from gi.repository import Atspi

        def look():
            if self.program.poll() is not None:
                raise Failure(f"the program ended early with status {self.program.returncode}")
            desktop = Atspi.get_desktop(0)
            desktop.clear_cache()
            apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
            return next((a for a in apps if a and a.get_process_id() == self.program.pid), None)

        app = wait_for("the program on the accessibility desktop", look, timeout)
        # Read names and states from the program every time, never from a cache.
        app.set_cache_mask(Atspi.Cache.NONE)
        return app

    def wait_program_exit(self, timeout=DEFAULT_WAIT):
        """Waits for the program to end by itself; returns its exit status."""
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout:.0f} s")

    def _marked_pids(self):
        needle = f"{MARKER}={self.token}".encode()
        pids = []
        for entry in os.listdir("/proc"):
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if needle in f.read().split(b"\0") and int(entry) != os.getpid():
                        pids.append(int(entry))
            except (OSError, ValueError):
                continue
        return pids

    def stop(self):
        """Stops everything this session started, latest first, by process id."""
        for child in reversed(self.children):
            if child.poll() is None:
                child.terminate()
        for child in reversed(self.children):
            try:
                child.wait(timeout=10)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
        # The accessibility bus daemon and at-spi2-registryd, by our marker.
        for sig in (signal.SIGTERM, signal.SIGKILL):
            pids = self._marked_pids()
            for pid in pids:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + 5
            while any(_alive(p) for p in pids) and time.monotonic() < deadline:
                _reap_orphans()
                time.sleep(0.05)
        _reap_orphans()
        left = [p for p in self._marked_pids() if _alive(p)]
        shutil.rmtree(self.dir, ignore_errors=True)
        if left:
            raise Failure(f"processes left running after the test: {left}")


def run(test, *args):
    """Runs test(session, *args) in a new Session; prints FAIL and the program's
    output when a check fails. Returns the exit status for the test driver."""

    def terminated(signum, frame):
        # A test timeout: an exception, so that the clean-up runs.
        raise SystemExit(f"terminated by signal {signum}")

    signal.signal(signal.SIGTERM, terminated)
    signal.signal(signal.SIGINT, terminated)
    session = Session()
    try:
        try:
            test(session, *args)
        except BaseException:
            if session.program:
                log("the program's output:")
                log(session.program_output())
            raise
        finally:
            session.stop()
    except Failure as failure:
        log(f"FAIL: {failure}")
        return 1
    return 0
