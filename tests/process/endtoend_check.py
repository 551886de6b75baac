#!/usr/bin/env python3
"""Checks, from outside, what one run of the road (tools/demo/road.sh) left behind: the
watcher's stages, the game directory on D:, the settings file, the local record, the desktop
shortcut, the launch block as the demo client read it, and the site's access logs."""
import argparse
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import operator_site  # noqa: E402

STATS = "GET /WebApi/svn_pay/LoginStatistics.aspx?type=%d&ver=2.6&serverid=s12 200"
LIST = "GET /UpdataAll/Updata_Brannock/list.txt 200"

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s - %s%s" % ("ok" if ok else "FAIL", name, "" if ok else ": " + str(detail)))


def read(path, encoding=None):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return None
    return data.decode(encoding, "replace") if encoding else data


def new_lines(site, log, offset):
    data = read(os.path.join(site, "logs", log + ".log")) or b""
    return data[offset:].decode("utf-8", "replace").splitlines()


def ini_section(text, section):
    values, inside = {}, False
    for line in (text or "").splitlines():
        line = line.strip()
        if line.startswith("["):
            inside = line == "[%s]" % section
        elif inside and "=" in line:
            key, value = line.split("=", 1)
            values[key.strip()] = value.strip()
    return values


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--work", required=True)
    p.add_argument("--site", required=True)
    p.add_argument("--player", required=True)
    p.add_argument("--road-status", type=int, required=True)
    p.add_argument("--offsets", type=int, nargs=3, required=True)
    a = p.parse_args()
    game = os.path.join(a.work, "d", "BrannockZorvath")

    # The stages, in order, as the watcher saw them.
    road = read(os.path.join(a.work, "road.log"), "utf-8") or ""
    stages = re.findall(r"stage (\S+)(.*)", road)
    names = [s[0] for s in stages if s[0] != "update-progress"]
    check("the watcher saw the whole road", a.road_status == 0 and
          names == ["started", "login", "update", "client", "back", "closed"], road)
    details = dict(stages)
    check("the downloaded launcher ended after installing", "first-process=ended" in details.get("login", ""),
          details.get("login"))
    check("the installed launcher showed its window", "window=visible" in details.get("login", ""))
    check("the window switched to the update layout after the login", "update" in details)
    check("the window was hidden while the client ran", "launcher=hidden" in details.get("client", ""),
          details.get("client"))
    check("the window came back in the login layout", "window=visible layout=login" in details.get("back", ""),
          details.get("back"))

    # The game directory: the launcher's copy, standard folders, the unpacked client.
    check("the installed launcher is the downloaded one",
          read(os.path.join(game, "LoginTarn.exe")) == read(a.player) is not None)
    check("the downloaded launcher stays where it was",
          os.path.exists(os.path.join(a.work, "prefix", "drive_c", "Downloads", "LoginTarn.exe")))
    for folder in ("Data", "ExpData", "Map", "Wav"):
        check("folder %s exists" % folder, os.path.isdir(os.path.join(game, folder)))
    check("Client.exe came with the first package", os.path.isfile(os.path.join(game, "Client.exe")))
    for _, _, payload in operator_site.DEMO_PACKAGES:
        for item, size in payload.items():
            path = os.path.join(game, *item.split("\\"))
            check("%s unpacked whole" % item, os.path.isfile(path) and os.path.getsize(path) == size)
    leftovers = [n for _, _, files in os.walk(game) for n in files if n.endswith((".7z", ".tmp"))]
    check("no package or temporary file left", not leftovers, leftovers)

    settings = ini_section(read(os.path.join(game, "LoginTarn.ini"), "latin-1"), "App")
    check("LoginTarn.ini holds the run marker", settings.get("Run") == "1", settings)
    record = ini_section(read(os.path.join(game, "ExpData", "Updata.ini"), "latin-1"), "Stage0")
    expected = {str(n): tag for n, (_, tag, _) in enumerate(operator_site.DEMO_PACKAGES)}
    check("the local record names every package with its tag", record == expected, record)

    links = [os.path.join(d, n) for d, _, files in os.walk(os.path.join(a.work, "home")) for n in files
             if n == "Brannock-Zorvath.lnk"]
    target = "D:\\BrannockZorvath\\LoginTarn.exe"
    link = read(links[0]) if links else b""
    check("the desktop shortcut points at the installed launcher",
          target.encode("latin-1") in link or target.encode("utf-16-le") in link, links)

    # The launch block, as the demo client read it (ANSI, code page 936).
    report = read(os.path.join(game, "client-report.txt"), "gbk") or ""
    for line in ("server id: s12", "server address: 127.0.0.1  port: 7000", "argument 1: demo-player",
                 "argument 4: 12", "argument 5: demo-token", "argument 6: 天穹",
                 "launcher: %s (version 2.6)" % target, "update stage: Stage1_All"):
        check("the client read '%s'" % line, line in report.splitlines(), report)
    check("the client found the launcher's window alive", re.search(r"launcher window: 0x[0-9A-F]{8} \(alive\)", report))

    # What the operator's servers saw.
    statistics = new_lines(a.site, "statistics", a.offsets[2])
    check("exactly the two usage reports, update first", statistics == [STATS % 2, STATS % 1], statistics)
    portal = new_lines(a.site, "portal", a.offsets[0])
    check("the login page was opened at start and again on return",
          len(portal) == 2 and all(l.startswith("GET /client/index/gid/42?pos=") for l in portal), portal)
    downloads = new_lines(a.site, "downloads", a.offsets[1])
    check("the list was fetched at the login page and again on return", downloads.count(LIST) == 2, downloads)
    for name, _, _ in operator_site.DEMO_PACKAGES:
        check("%s fetched once" % name, downloads.count("GET /demo/%s 200" % name) == 1, downloads)
    check("no launcher package fetched", not any("/launcher/" in d for d in downloads), downloads)

    passed = sum(1 for r in results if r)
    print("%d passed, %d failed" % (passed, len(results) - passed))
    return 0 if passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
