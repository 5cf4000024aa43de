#!/usr/bin/env python3
"""Checks the shipped shell executable as a file, without running it.

    exe_check.py corvane.exe

- statically linked: it imports no MinGW runtime DLL, and not WebView2Loader.dll (the loader is
  loaded from the app folder at start-up, so its absence can be reported);
- exports the 32-bit data symbols NvOptimusEnablement and AmdPowerXpressRequestHighPerformance,
  both 1;
- carries a manifest: system DPI aware, UTF-8 active code page, asInvoker without UI access,
  Windows 10 and later.
"""

import re
import struct
import sys

RT_MANIFEST = 24
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
FORBIDDEN_IMPORTS = {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll",
                     "webview2loader.dll"}


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            raise ValueError("not a 64-bit image")
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i)
                            for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((address, max(size, raw_size), raw))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        rva, _ = self.directories[0]
        if not rva:
            return {}
        base = self.offset(rva)
        _, names, functions, name_table, ordinals = struct.unpack_from("<IIIII", self.data, base + 20)
        result = {}
        for i in range(names):
            name = self.text(struct.unpack_from("<I", self.data, self.offset(name_table) + 4 * i)[0])
            ordinal = struct.unpack_from("<H", self.data, self.offset(ordinals) + 2 * i)[0]
            result[name] = struct.unpack_from("<I", self.data, self.offset(functions) + 4 * ordinal)[0]
        return result

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            name_rva = struct.unpack_from("<I", self.data, at + 12)[0]
            if name_rva == 0:
                return names
            names.append(self.text(name_rva))
            at += 20

    def resources(self, wanted_type):
        rva, _ = self.directories[2]
        if not rva:
            return []
        root = self.offset(rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + ids):
                yield struct.unpack_from("<II", self.data, directory + 16 + 8 * i)

        found = []

        def walk(directory, depth):
            for ident, target in entries(directory):
                if depth == 0 and ident != wanted_type:
                    continue
                if target & 0x80000000:
                    walk(root + (target & 0x7FFFFFFF), depth + 1)
                else:
                    data_rva, size = struct.unpack_from("<II", self.data, root + target)
                    start = self.offset(data_rva)
                    found.append(self.data[start:start + size])

        walk(root, 0)
        return found


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as f:
        image = Image(f.read())
    failures = []

    imports = [name.lower() for name in image.imports()]
    bad = sorted(FORBIDDEN_IMPORTS.intersection(imports))
    if bad:
        failures.append(f"imports DLLs that must not be needed beside the exe: {bad}")

    exports = image.exports()
    for symbol in ("NvOptimusEnablement", "AmdPowerXpressRequestHighPerformance"):
        if symbol not in exports:
            failures.append(f"{symbol} is not exported")
            continue
        value = struct.unpack_from("<I", image.data, image.offset(exports[symbol]))[0]
        if value != 1:
            failures.append(f"{symbol} is {value}, not 1")

    manifests = image.resources(RT_MANIFEST)
    if len(manifests) != 1:
        failures.append(f"expected one manifest resource, found {len(manifests)}")
    else:
        text = manifests[0].decode("utf-8", errors="replace")
        checks = {
            "system DPI aware": r"<(\w+:)?dpiAware[^>]*>\s*true\s*</",
            "UTF-8 active code page": r"<(\w+:)?activeCodePage[^>]*>\s*UTF-8\s*</",
            "asInvoker": r"level\s*=\s*[\"']asInvoker[\"']",
            "no UI access": r"uiAccess\s*=\s*[\"']false[\"']",
            "Windows 10 and later": re.escape(WINDOWS_10),
        }
        for what, pattern in checks.items():
            if not re.search(pattern, text, re.IGNORECASE):
                failures.append(f"manifest lacks {what}")

    if failures:
        print(f"FAILED {sys.argv[1]}:")
        for failure in failures:
            print("  - " + failure)
        return 1
    print(f"passed: imports {sorted(imports)}; both GPU exports 1; manifest as required")
    return 0


if __name__ == "__main__":
    sys.exit(main())
