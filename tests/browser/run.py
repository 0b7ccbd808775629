"""Runs the live panel's browser tests against one korvel-panel binary.

    run.py PATH_TO_KORVEL_PANEL [NAME_PART ...]

Every test_* function of the test_*.py modules beside this file runs in
definition order with a fresh `korvel-panel serve` of its own, in one
headless Chromium shared by all. A test also fails when the page wrote an
error to the browser console while it ran. Figures the tests measure are
printed at the end, then the closing line "N passed, M failed"; the exit
status is 1 when any test failed.
"""

import importlib
import os
import shutil
import sys
import tempfile
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import harness  # noqa: E402


class Context:
    """What a test is handed: the binary, the browser, servers to start, a
    scratch folder, and a place for figures."""

    def __init__(self, binary, driver, figures):
        self.binary = binary
        self.driver = driver
        self.figures = figures
        self.servers = []
        self.pages = []
        self.folder = tempfile.mkdtemp(prefix="korvel-browser-")

    def serve(self, panel=None, state=None):
        server = harness.Server(self.binary, panel, state)
        self.servers.append(server)
        return server

    def open(self, panel=None, state=None, query="", host=None):
        """A fresh server and the page on it, painted; `host` names the
        server by another name than its address."""
        page = harness.Page(self.driver, self.serve(panel, state), query, host)
        self.pages.append(page)
        return page

    def figure(self, name, text):
        self.figures.append((name, text))
        print(f"    {name}: {text}", flush=True)

    def close(self):
        errors = []
        for page in self.pages:
            try:
                errors += page.console_errors()
            except Exception:  # the browser may be gone with the failure
                pass
        try:
            # Leave the page before its server stops, so that no reconnect
            # of the event stream is logged into the next test.
            self.driver.get("about:blank")
            self.driver.get_log("browser")
        except Exception:
            pass
        for server in self.servers:
            server.stop(wait=False)
        shutil.rmtree(self.folder, ignore_errors=True)
        return errors


def collect(filters):
    tests = []
    for file in sorted(os.listdir(HERE)):
        if not (file.startswith("test_") and file.endswith(".py")):
            continue
        module = importlib.import_module(file[:-3])
        for name, value in vars(module).items():
            if name.startswith("test_") and callable(value):
                if not filters or any(f in f"{file[:-3]}.{name}" for f in filters):
                    tests.append((f"{file[:-3]}.{name}", value))
    return tests


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    binary = os.path.abspath(argv[1])
    if not os.access(binary, os.X_OK):
        print(f"run.py: {binary} is not an executable korvel-panel", file=sys.stderr)
        return 2
    tests = collect(argv[2:])
    if not tests:
        print("run.py: no test matches", file=sys.stderr)
        print("0 passed, 0 failed")
        return 1

    started = time.monotonic()
    driver = harness.chromium()
    passed = failed = 0
    figures = []
    failures = []
    try:
        for name, test in tests:
            ctx = Context(binary, driver, figures)
            t0 = time.monotonic()
            print(f"RUN  {name}", flush=True)
            problem = None
            try:
                test(ctx)
            except Exception:
                problem = traceback.format_exc()
            errors = ctx.close()
            if problem is None and errors:
                problem = "the browser console has errors:\n" + "\n".join(
                    f"  {e.get('level')}: {e.get('message')}" for e in errors)
            took = time.monotonic() - t0
            if problem is None:
                passed += 1
                print(f"PASS {name} ({took:.1f} s)", flush=True)
            else:
                failed += 1
                failures.append(name)
                print(f"FAIL {name} ({took:.1f} s)\n{problem}", flush=True)
    finally:
        profile = getattr(driver, "korvel_profile", None)
        try:
            driver.quit()
        except Exception:
            pass
        if profile:
            shutil.rmtree(profile, ignore_errors=True)
        stubborn = harness.Server.finish_all()
        if stubborn:
            failed += 1
            failures.append("servers that would not stop: " + ", ".join(map(str, stubborn)))

    if figures:
        print("figures:")
        for name, text in figures:
            print(f"  {name}: {text}")
    if failures:
        print("failed: " + ", ".join(failures))
    print(f"browser tests took {time.monotonic() - started:.1f} s")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
