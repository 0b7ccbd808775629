"""The browser tests' fixtures, for pytest (scripts/browser-tests runs them):

    python3 -m pytest -p no:cacheprovider tests/browser --korvel-panel PATH

One headless Chromium serves the whole run; each test is handed `ctx`, which
starts `korvel-panel serve` servers of its own and stops them when the test
ends. A test also fails when a page it opened wrote an error to the browser
console. The figures the tests measure are printed at the end of the run.
"""

import os
import shutil
import tempfile

import pytest
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

import harness

FIGURES = pytest.StashKey[list]()


def pytest_addoption(parser):
    parser.addoption("--korvel-panel", metavar="PATH",
                     help="the korvel-panel binary whose live panel is tested")


# At the session's start rather than at configure time, so that --help
# works without a binary.
def pytest_sessionstart(session):
    config = session.config
    binary = config.getoption("--korvel-panel")
    if not binary:
        raise pytest.UsageError("--korvel-panel PATH is required: the korvel-panel binary to test")
    if not os.access(binary, os.X_OK):
        raise pytest.UsageError(f"--korvel-panel: {os.path.abspath(binary)} is not an executable korvel-panel")
    config.stash[FIGURES] = []


def pytest_terminal_summary(terminalreporter, exitstatus, config):
    figures = config.stash.get(FIGURES, [])
    if figures:
        terminalreporter.section("figures")
        for name, text in figures:
            terminalreporter.write_line(f"{name}: {text}")


@pytest.fixture(scope="session")
def korvel_panel(pytestconfig):
    return os.path.abspath(pytestconfig.getoption("--korvel-panel"))


@pytest.fixture(scope="session")
def browser():
    """Headless Chromium, shared by every test: starting one costs more than
    most tests take."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    profile = tempfile.mkdtemp(prefix="korvel-chromium-")
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--user-data-dir=" + profile, "--window-size=1800,1400",
                "--force-device-scale-factor=1", "--hide-scrollbars", "--mute-audio",
                "--autoplay-policy=user-gesture-required"):
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    try:
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    except Exception:
        shutil.rmtree(profile, ignore_errors=True)
        raise
    driver.set_script_timeout(30)
    yield driver
    try:
        driver.quit()
    finally:
        shutil.rmtree(profile, ignore_errors=True)


@pytest.fixture(scope="session")
def server_exits():
    """Servers are told to stop at the end of their test and let go of their
    idle connections meanwhile; they are waited for once, at the end of the
    run, and one that would not stop fails it."""
    yield
    stubborn = harness.Server.finish_all()
    if stubborn:
        pytest.fail("korvel-panel serve did not stop within 15 s of SIGTERM on ports "
                    + ", ".join(map(str, stubborn)), pytrace=False)


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

    def serve(self, panel=None, state=None, port=None, edit=False):
        server = harness.Server(self.binary, panel, state, port, edit)
        self.servers.append(server)
        return server

    def open(self, panel=None, state=None, query="", host=None, edit=False):
        """A fresh server and the page on it, painted; `host` names the
        server by another name than its address; `edit` opens the panel
        for editing (give it a copy in self.folder: it may be written)."""
        page = harness.Page(self.driver, self.serve(panel, state, edit=edit), query, host)
        self.pages.append(page)
        return page

    def figure(self, name, text):
        self.figures.append((name, text))
        print(f"{name}: {text}", flush=True)

    def console_errors(self):
        errors = []
        for page in self.pages:
            try:
                errors += page.console_errors()
            except Exception:  # the browser may be gone with the failure
                pass
        return errors

    def close(self):
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


@pytest.fixture
def ctx(korvel_panel, browser, server_exits, pytestconfig):
    context = Context(korvel_panel, browser, pytestconfig.stash[FIGURES])
    yield context
    context.close()


@pytest.fixture(autouse=True)
def clean_console(request, ctx):
    """Fails a test whose pages wrote errors to the browser console. The
    console is read once the test has run and before its pages are left
    (see pytest_runtest_makereport), so that the test itself is the one
    that fails, not its teardown."""
    request.node.korvel_console = ctx.console_errors
    yield


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    console = getattr(item, "korvel_console", None)
    if report.when != "call" or not report.passed or console is None:
        return
    errors = console()
    if errors:
        report.outcome = "failed"
        report.longrepr = "the browser console has errors:\n" + "\n".join(
            f"  {e.get('level')}: {e.get('message')}" for e in errors)
