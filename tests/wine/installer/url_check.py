"""Checks that each executable carries its own bootstrapper address and not the other's:
the shipped shell the configured (public) one, the installer test build the loopback one.

usage: url_check.py <shipped.exe> <shipped url> <test.exe> <test url>
"""

import sys


def carries(path, url):
    with open(path, "rb") as exe:
        return (url + "\0").encode("utf-16-le") in exe.read()


def main():
    shipped, shipped_url, test, test_url = sys.argv[1:5]
    failures = []
    if not carries(shipped, shipped_url):
        failures.append(f"{shipped} lacks {shipped_url}")
    if carries(shipped, test_url):
        failures.append(f"{shipped} carries the test address {test_url}")
    if not carries(test, test_url):
        failures.append(f"{test} lacks {test_url}")
    if carries(test, shipped_url):
        failures.append(f"{test} carries the shipped address {shipped_url}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
