#!/usr/bin/env python3
"""Checks the shell executable as a file: statically linked (no MinGW runtime DLL imported, nor
WebView2Loader.dll, which start-up loads itself so that its absence can be reported); exports the
32-bit data NvOptimusEnablement and AmdPowerXpressRequestHighPerformance, both 1; carries one
manifest: system DPI aware, UTF-8 code page, asInvoker without UI access, Windows 10 and later.

    exe_check.py corvane.exe
"""

import re
import struct
import sys

FORBIDDEN_IMPORTS = {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll", "webview2loader.dll"}
MANIFEST = {"system DPI aware": r"<(\w+:)?dpiAware[^>]*>\s*true\s*</",
            "UTF-8 active code page": r"<(\w+:)?activeCodePage[^>]*>\s*UTF-8\s*</",
            "asInvoker": r"level\s*=\s*[\"']asInvoker[\"']", "no UI access": r"uiAccess\s*=\s*[\"']false[\"']",
            "Windows 10 and later": re.escape("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")}


class Image:
    """A 64-bit PE image: its data directories, and file offsets of addresses in its sections."""

    def __init__(self, data):
        self.data, pe = data, struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", data, pe + 24)[0] != 0x20B:
            raise ValueError("not a 64-bit PE image")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        self.directories = [struct.unpack_from("<II", data, pe + 24 + 112 + 8 * i) for i in range(16)]
        table = pe + 24 + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def u32(self, rva, width="<I"):
        return struct.unpack_from(width, self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        if not (rva := self.directories[0][0]):
            return {}
        names, functions, name_table, ordinals = struct.unpack_from("<4xIIII", self.data, self.offset(rva) + 20)
        return {self.text(self.u32(name_table + 4 * i)): self.u32(functions + 4 * self.u32(ordinals + 2 * i, "<H"))
                for i in range(names)}

    def imports(self):
        names, at = [], self.directories[1][0]
        while self.u32(at + 12):
            names.append(self.text(self.u32(at + 12)).lower())
            at += 20
        return sorted(names)


def main(path):
    with open(path, "rb") as f:
        image = Image(f.read())
    failures, imports, exports = [], image.imports(), image.exports()
    if FORBIDDEN_IMPORTS.intersection(imports):
        failures.append(f"imports DLLs that must not be needed beside the exe: {imports}")
    for symbol in ("NvOptimusEnablement", "AmdPowerXpressRequestHighPerformance"):
        if (value := image.u32(exports[symbol]) if symbol in exports else None) != 1:
            failures.append(f"{symbol} is {'not exported' if value is None else value}, not 1")
    # The manifest resource is the XML text itself; the toolchain's default one would be a second.
    manifests = re.findall(rb"<\?xml[^>]*>\s*<(?:\w+:)?assembly\b.*?</(?:\w+:)?assembly>", image.data, re.S)
    if len(manifests) != 1:
        failures.append(f"expected one manifest, found {len(manifests)}")
    else:
        failures += [f"manifest lacks {what}" for what, pattern in MANIFEST.items()
                     if not re.search(pattern, manifests[0].decode("utf-8", "replace"), re.IGNORECASE)]
    print(f"FAILED {path}:\n" + "\n".join("  - " + f for f in failures) if failures else f"passed: imports {imports}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
