#!/usr/bin/env python3
"""Compares two JSON files field by field and names each place where they differ.

Usage: same_json.py EXPECTED ACTUAL    (exit 0 when they hold the same values)
"""
import json
import sys


def differences(expected, actual, where):
    if type(expected) is not type(actual):
        yield f"{where}: expected {json.dumps(expected)}, got {json.dumps(actual)}"
    elif isinstance(expected, dict):
        for key in sorted(set(expected) | set(actual)):
            if key not in actual:
                yield f"{where}.{key}: missing"
            elif key not in expected:
                yield f"{where}.{key}: not expected, got {json.dumps(actual[key])}"
            else:
                yield from differences(expected[key], actual[key], f"{where}.{key}")
    elif isinstance(expected, list):
        if len(expected) != len(actual):
            yield f"{where}: expected {len(expected)} entries, got {len(actual)}"
        for at, (one, other) in enumerate(zip(expected, actual)):
            yield from differences(one, other, f"{where}[{at}]")
    elif expected != actual:
        yield f"{where}: expected {json.dumps(expected)}, got {json.dumps(actual)}"


def main():
    if len(sys.argv) != 3:
        print("usage: same_json.py EXPECTED ACTUAL", file=sys.stderr)
        return 2
    loaded = []
    for name in sys.argv[1:]:
        try:
            with open(name, encoding="utf-8") as file:
                loaded.append(json.load(file))
        except (OSError, ValueError) as error:
            print(f"{name}: {error}", file=sys.stderr)
            return 1
    found = list(differences(loaded[0], loaded[1], "$"))
    for difference in found[:20]:
        print(difference, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
