"""scripts/package end to end: the demo packaged twice for both targets gives the same archives,
the Linux one runs the demo's tour, the Windows one runs under Wine with the stand-in loader and is
branded with the app's icon, name and version."""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import tarfile
import zipfile

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "wine"))
import rig  # noqa: E402

NAME, VERSION, TITLE = "corvane-demo", "2.5.1", "Corvane demo"
ICON_COLOUR = "1F8A70"  # the centre of examples/demo/icon.png
ROOT = os.getuid() == 0  # where Chromium runs only without its sandbox


# The shipped Linux build, as scripts/package makes it: its -O3 warnings differ from the test preset's.
LINUX_BUILD = os.path.join(REPO, "build", "linux-release")


def make_app(work):
    """The demo as its author would ship it: its folder, its chime, its extension library."""
    app = os.path.join(work, "app")
    shutil.copytree(os.path.join(REPO, "examples", "demo"), app,
                    ignore=shutil.ignore_patterns("*.cpp", "*.py", "CMakeLists.txt"))
    os.makedirs(os.path.join(app, "www", "media"))
    subprocess.run([sys.executable, os.path.join(REPO, "examples", "demo", "make_chime.py"),
                    os.path.join(app, "www", "media", "chime.wav")], check=True)
    if not os.path.exists(os.path.join(LINUX_BUILD, "build.ninja")):
        subprocess.run(["cmake", "--preset", "linux-release"], cwd=REPO, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", LINUX_BUILD, "-j2", "--target", "corvane_demo_extension"], check=True,
                   stdout=subprocess.DEVNULL)
    shutil.copy(os.path.join(LINUX_BUILD, "examples", "demo", "Vantor.so"), app)
    flags = "--no-first-run --disable-gpu --disable-background-networking"
    config = pathlib.Path(app, "package.json")
    config.write_text(json.dumps({**json.loads(config.read_text()), "version": VERSION,
                                  "chromium-args": flags + (" --no-sandbox" if ROOT else "")}))
    return app


def package(app, dist, loader):
    done = subprocess.run([sys.executable, os.path.join(REPO, "scripts", "package"), app, "-o", dist,
                           "--loader", loader], capture_output=True, text=True, timeout=3000)
    if done.returncode != 0:
        raise rig.ScenarioFailure(f"scripts/package failed:\n{done.stdout}{done.stderr}")
    if ("holds --no-sandbox" in done.stdout) != ROOT:  # make_app adds it for root only
        raise rig.ScenarioFailure(f"the --no-sandbox warning, wanted exactly when it is set:\n{done.stdout}")
    return sorted(os.listdir(dist))


def run_linux(c, tarball, folder):
    with tarfile.open(tarball) as archive:
        modes = {m.name: m.mode for m in archive.getmembers()}
        archive.extractall(folder)
    c.equal(modes, {NAME: 0o755, "Vantor.so": 0o755, "package.json": 0o644, "www/assets.dat": 0o644,
                    f"{NAME}.desktop": 0o644, f"{NAME}.png": 0o644}, "tarball entries and modes")
    with open(os.path.join(folder, f"{NAME}.desktop")) as f:
        desktop = f.read()
    c.expect(f"Name={TITLE}\n" in desktop and f'Exec="{NAME}"\n' in desktop and f"Icon={NAME}\n" in desktop,
             f"desktop entry: {desktop!r}")
    env = {**os.environ, "HOME": os.path.join(folder, "home"), "XDG_DATA_HOME": os.path.join(folder, "data")}
    env.pop("DISPLAY", None)
    try:
        done = subprocess.run([os.path.join(folder, NAME), "--headless"], capture_output=True, text=True,
                              timeout=120, env=env, cwd="/")
    except subprocess.TimeoutExpired as e:
        raise rig.ScenarioFailure(f"the Linux shell did not finish its tour: {e.stdout}")
    c.expect(done.returncode == 0 and "[demo] tour done, closing the window" in done.stdout
             and '[demo] extension echoed "Hello from the page"' in done.stdout,
             f"the demo's tour (exit {done.returncode}):\n{done.stdout}\n{done.stderr[-2000:]}")


def run_windows(ctx, c, archive_path):
    folder = ctx.folder("windows")
    with zipfile.ZipFile(archive_path) as archive:
        names = sorted(archive.namelist())
        archive.extractall(folder)
    c.equal(names, sorted([f"{NAME}.exe", "WebView2Loader.dll", "package.json", "www/assets.dat"]),
            "zip entries (the Linux extension library stays out)")
    exe_check = subprocess.run([sys.executable, os.path.join(REPO, "tests", "wine", "exe_check.py"),
                                os.path.join(folder, f"{NAME}.exe")], capture_output=True, text=True)
    c.expect(exe_check.returncode == 0, "the branded executable keeps what the plain one has (manifest, "
             f"static runtime, exports):\n{exe_check.stdout}{exe_check.stderr}")
    files = {name: rig.read(os.path.join(folder, name)) for name in names if name != f"{NAME}.exe"}
    ctx.args.shell = os.path.join(folder, f"{NAME}.exe")  # the run starts the branded shell
    result = ctx.run(rig.App(package=files.pop("package.json"), loose={}, loader=None, files=files,
                             exe=f"{NAME}.exe", script=["close"]), label="windows-run")
    rig.check_clean_close(c, result)
    c.equal(result.pluck("navigate", "uri"), [rig.APP_ORIGIN + "index.html"], "the demo's start page opened")
    window = result.window("after-dom-content-loaded")
    c.equal((window["caption"], window["icon"], window["iconColour"]), (TITLE, "1", ICON_COLOUR),
            "caption, and the app's icon on the window class from the executable's resource")
    version = result.one("exe-version")
    c.equal({k: version.get(k) for k in ("ProductName", "FileDescription", "ProductVersion", "FileVersion",
                                          "OriginalFilename", "fixedFileVersion")},
            {"ProductName": TITLE, "FileDescription": TITLE, "ProductVersion": VERSION, "FileVersion": VERSION,
             "OriginalFilename": f"{NAME}.exe", "fixedFileVersion": VERSION + ".0"}, "version resource")


suite = rig.Suite()


@suite
def package_demo(ctx, c):
    shutil.rmtree(ctx.base, ignore_errors=True)
    app = make_app(ctx.base)
    first, second = ctx.folder("dist"), ctx.folder("dist-again")
    archives = package(app, first, ctx.args.loader)
    c.equal(archives, [f"{NAME}-{VERSION}-linux-x64.tar.gz", f"{NAME}-{VERSION}-windows-x64.zip"],
            "archives written")
    c.equal([os.stat(os.path.join(first, name)).st_mode & 0o777 for name in archives], [0o644, 0o644],
            "archives anyone may read, as a download server needs")
    # The second run relinks the Windows shell, which must not change its bytes either.
    os.remove(os.path.join(REPO, "build", "package-windows", "app", "corvane.exe"))
    c.equal(package(app, second, ctx.args.loader), archives, "archives of the second run")
    for name in archives:
        c.expect(rig.read(os.path.join(first, name)) == rig.read(os.path.join(second, name)),
                 f"{name}: the two runs differ")
    with c.case("linux"):
        run_linux(c, os.path.join(first, archives[0]), ctx.folder("linux"))
    with c.case("windows"):
        run_windows(ctx, c, os.path.join(first, archives[1]))


if __name__ == "__main__":
    sys.exit(rig.main(suite))
