"""Each executable carries its own bootstrapper address and not the other's: the shipped shell the
configured one, the installer test build the loopback one.

usage: url_check.py <shipped.exe> <shipped url> <test.exe> <test url>
"""

import sys


def main(shipped, shipped_url, test, test_url):
    failures = []
    for exe, own, other in ((shipped, shipped_url, test_url), (test, test_url, shipped_url)):
        with open(exe, "rb") as f:
            data = f.read()
        failures += [f"{exe} lacks {own}"] * ((own + "\0").encode("utf-16-le") not in data)
        failures += [f"{exe} carries the other address {other}"] * ((other + "\0").encode("utf-16-le") in data)
    print("\n".join(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
