#!/usr/bin/env python3
"""Checks a SARIF 2.1.0 log against the rules of the format that tools rely on, field by field:
the version and the tool, each rule's id and level, and each result's rule (its id and index
agreeing), level, message and place (a relative URI and, where given, a line of 1 or more).

Usage: sarif_check.py LOG    (exit 0 when the log holds to them; each fault is named)
"""
import json
import re
import sys

LEVELS = {"none", "note", "warning", "error"}
# A relative reference of the application folder: no scheme, no leading "/", no "..", and every
# byte outside the unreserved characters and "/" percent-encoded.
URI = re.compile(r"^(?!/)(?![A-Za-z][A-Za-z0-9+.-]*:)(?:[A-Za-z0-9._~/-]|%[0-9A-F]{2})+$")


def faults(log):
    if not isinstance(log, dict):
        yield "the log is not an object"
        return
    if log.get("version") != "2.1.0":
        yield f"version: {log.get('version')!r}, not \"2.1.0\""
    runs = log.get("runs")
    if not isinstance(runs, list) or len(runs) != 1:
        yield "runs: one run expected"
        return
    run = runs[0]
    driver = run.get("tool", {}).get("driver", {})
    if not isinstance(driver.get("name"), str) or not driver["name"]:
        yield "tool.driver.name missing"
    rules = driver.get("rules", [])
    ids = []
    for at, rule in enumerate(rules):
        where = f"rules[{at}]"
        if not isinstance(rule.get("id"), str) or not rule["id"]:
            yield f"{where}.id missing"
        ids.append(rule.get("id"))
        if rule.get("defaultConfiguration", {}).get("level") not in LEVELS:
            yield f"{where}.defaultConfiguration.level not a SARIF level"
        if not rule.get("shortDescription", {}).get("text"):
            yield f"{where}.shortDescription.text missing"
    if len(set(ids)) != len(ids):
        yield "rule ids are not unique"
    results = run.get("results")
    if not isinstance(results, list):
        yield "results: not a list"
        return
    for at, result in enumerate(results):
        where = f"results[{at}]"
        index = result.get("ruleIndex")
        if not isinstance(index, int) or not 0 <= index < len(rules):
            yield f"{where}.ruleIndex {index!r} names no rule"
        elif ids[index] != result.get("ruleId"):
            yield f"{where}.ruleId {result.get('ruleId')!r} is not rules[{index}].id {ids[index]!r}"
        elif result.get("level") != rules[index]["defaultConfiguration"]["level"]:
            yield f"{where}.level differs from its rule's"
        if result.get("level") not in LEVELS:
            yield f"{where}.level not a SARIF level"
        if not isinstance(result.get("message", {}).get("text"), str):
            yield f"{where}.message.text missing"
        locations = result.get("locations")
        if not isinstance(locations, list) or len(locations) != 1:
            yield f"{where}.locations: one place expected"
            continue
        place = locations[0].get("physicalLocation", {})
        uri = place.get("artifactLocation", {}).get("uri")
        if not isinstance(uri, str) or not URI.match(uri) or ".." in uri.split("/"):
            yield f"{where}: {uri!r} is no relative URI within the application"
        if "region" in place:
            line = place["region"].get("startLine")
            if not isinstance(line, int) or line < 1:
                yield f"{where}.region.startLine {line!r} is no line"


def main():
    if len(sys.argv) != 2:
        print("usage: sarif_check.py LOG", file=sys.stderr)
        return 2
    try:
        with open(sys.argv[1], encoding="utf-8") as file:
            log = json.load(file)
    except (OSError, ValueError) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        return 1
    found = list(faults(log))
    for fault in found[:20]:
        print(f"{sys.argv[1]}: {fault}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
