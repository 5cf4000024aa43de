"""The shell executable as a file: no MinGW runtime DLL or WebView2Loader.dll imported (start-up loads
it to report its absence), NvOptimusEnablement and AmdPowerXpressRequestHighPerformance exported as 1,
one manifest. With four arguments: each executable carries its own bootstrapper address, not the other's.

    exe_check.py corvane.exe | exe_check.py shipped.exe URL installer_test.exe LOOPBACK_URL
"""

import re
import subprocess
import sys

FORBIDDEN_IMPORTS = {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll", "webview2loader.dll"}
MANIFEST = {"system DPI aware": r"<(\w+:)?dpiAware[^>]*>\s*true\s*</",
            "UTF-8 active code page": r"<(\w+:)?activeCodePage[^>]*>\s*UTF-8\s*</",
            "asInvoker": r"level\s*=\s*[\"']asInvoker[\"']", "no UI access": r"uiAccess\s*=\s*[\"']false[\"']",
            "Windows 10 and later": re.escape("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")}


def objdump(*args):
    return subprocess.run(["x86_64-w64-mingw32-objdump", *args], capture_output=True, text=True, check=True).stdout


def main(path):
    headers, failures = objdump("-p", path), []
    imports = sorted(name.lower() for name in re.findall(r"DLL Name: (\S+)", headers))
    if FORBIDDEN_IMPORTS.intersection(imports):
        failures.append(f"imports DLLs that must not be needed beside the exe: {imports}")
    base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", headers)[1], 16)
    addresses = dict(re.findall(r"\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-fA-F]+) Export RVA", headers))
    names = re.findall(r"^\s+\[\s*(\d+)\] (\w+)$", headers.partition("[Ordinal/Name Pointer] Table")[2], re.M)
    for symbol in ("NvOptimusEnablement", "AmdPowerXpressRequestHighPerformance"):
        at = next((base + int(addresses[i], 16) for i, name in names if name == symbol and i in addresses), None)
        words = at and re.findall(r"^ [0-9a-f]+ ([0-9a-f]{8})", objdump("-s", f"--start-address={at:#x}",
                                                                         f"--stop-address={at + 4:#x}", path), re.M)
        if words != ["01000000"]:
            failures.append(f"{symbol} is {'not exported' if at is None else words}, not 1")
    with open(path, "rb") as f:  # the manifest resource is the XML text; a toolchain default would be a second
        manifests = re.findall(rb"<\?xml[^>]*>\s*<(?:\w+:)?assembly\b.*?</(?:\w+:)?assembly>", f.read(), re.S)
    if len(manifests) != 1:
        failures.append(f"expected one manifest, found {len(manifests)}")
    else:
        failures += [f"manifest lacks {what}" for what, pattern in MANIFEST.items()
                     if not re.search(pattern, manifests[0].decode("utf-8", "replace"), re.IGNORECASE)]
    print(f"FAILED {path}:\n" + "\n".join("  - " + f for f in failures) if failures else f"passed: imports {imports}")
    return 1 if failures else 0


def check_urls(shipped, shipped_url, test, test_url):
    failures = []
    for exe, own, other in ((shipped, shipped_url, test_url), (test, test_url, shipped_url)):
        with open(exe, "rb") as f:
            data = f.read()
        failures += [f"{exe} lacks {own}"] * ((own + "\0").encode("utf-16-le") not in data)
        failures += [f"{exe} carries the other address {other}"] * ((other + "\0").encode("utf-16-le") in data)
    print("\n".join(failures) or "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit((check_urls if len(sys.argv) == 5 else main)(*sys.argv[1:]))
