#!/usr/bin/env python3
"""The operator's servers for the launcher's tests: a generated tree served by nginx.

  operator_site.py start --root DIR [--launcher EXE] [--stage EXE] [--downloads-port N] [--statistics-port N]
  operator_site.py stop --root DIR
  operator_site.py package ARCHIVE.7z FOLDER    (every file below FOLDER, paths kept)
  operator_site.py demo --root DIR --client EXE --player EXE [--self-update] [--downloads-port N]
      adds the demo tree to a site (started or not) and makes its list the one served

The demo tree (downloads/demo/, served at a limited rate so progress bars visibly move):
  client-core.7z    Client.exe (the given demo client) and Data\core.pak
  client-world.7z   Map\world.map
  client-sounds.7z  Wav\theme.wav
and downloads/launcher/player.7z (at full speed): "RidaVadoz.new", a marked copy of the
given player build, named by the list only with --self-update (--list-only rewrites the list).
The portal (portal/) answers every path with a small login page.

The tree under DIR:
  downloads/UpdataAll/Updata_Brannock/list.txt   the update list (no update at first)
  downloads/packages/client-a.7z, client-b.7z     client packages (Data\\a.txt, Data\\b.txt)
  downloads/packages/launcher.7z                  "RidaVadoz.new": a marked copy of --launcher
  downloads/packages/stage.7z                     "RidaVadoz.new": the program given as --stage
  logs/downloads.log, logs/statistics.log         one line per request: METHOD URI STATUS
Tests rewrite list.txt and read the logs; nginx serves whatever is there at request time.
"""
import argparse
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LIST_PATH = "UpdataAll/Updata_Brannock/list.txt"
# Appended to the launcher copy in launcher.7z; Windows ignores bytes after the image.
LAUNCHER_MARK = b"\r\nZORVATH-TEST-MARKED-BUILD\r\n"
DEFAULT_LIST = "[LoginUp]\r\nVer=2.6\r\n"
# Version tags and payload sizes of the demo packages; the payload is random, so 7z keeps it
# at about that size and the download takes a few seconds at the site's limited rate.
DEMO_PACKAGES = [
    ("client-core.7z", "1.0.3", {"Data\\core.pak": 900 * 1024}),
    ("client-world.7z", "1.0.3", {"Map\\world.map": 1400 * 1024}),
    ("client-sounds.7z", "1.0.1", {"Wav\\theme.wav": 600 * 1024}),
]
LOGIN_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Zorvath</title></head>
<body style="margin:0;background:#1c1826;color:#eee;font-family:sans-serif">
<form style="margin:80px auto;width:260px" onsubmit="window.external.LoginGameClient(
  this.account.value, '127.0.0.1', '7000', '12', 'demo-token', 'demo', 's12'); return false">
<h2>Zorvath</h2>
<p><input name="account" value="demo-player"></p>
<p><input type="password" name="password" value="secret"></p>
<p><button>Log in</button></p>
</form></body></html>
"""


def package(archive, folder):
    if os.path.exists(archive):
        os.remove(archive)
    names = sorted(os.listdir(folder))
    subprocess.run(["7zz", "a", "-t7z", "-bd", "-bso0", os.path.abspath(archive)] + names, cwd=folder, check=True)


def make_package(archive, files):
    with tempfile.TemporaryDirectory() as folder:
        for name, data in files.items():
            path = os.path.join(folder, *name.split("\\"))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
        package(archive, folder)


def port_is_free(port):
    with socket.socket() as s:
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            s.bind(("127.0.0.1", port))
        except OSError:
            return False
    return True


def answers(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.5):
            return True
    except OSError:
        return False


def read_pid(root):
    try:
        with open(os.path.join(root, "nginx.pid")) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def alive(pid):
    try:
        os.kill(pid, 0)
    except OSError:
        return False
    return True


def stop(root):
    pid = read_pid(root)
    if pid is None or not alive(pid):
        return 0
    # Fast shutdown: a graceful one would wait for the clients' idle keep-alive connections.
    os.kill(pid, signal.SIGTERM)
    for _ in range(50):
        if not alive(pid):
            return 0
        time.sleep(0.1)
    sys.exit("operator site: nginx (pid %d) did not stop" % pid)


def start(args):
    root = os.path.abspath(args.root)
    stop(root)
    for sub in ("logs", "tmp", "statistics", "portal", "downloads/packages", os.path.dirname("downloads/" + LIST_PATH)):
        os.makedirs(os.path.join(root, sub), exist_ok=True)
    for log in ("portal.log", "downloads.log", "statistics.log", "error.log"):
        open(os.path.join(root, "logs", log), "wb").close()
    with open(os.path.join(root, "downloads", LIST_PATH), "wb") as f:
        f.write(DEFAULT_LIST.encode())
    packages = os.path.join(root, "downloads", "packages")
    make_package(os.path.join(packages, "client-a.7z"), {"Data\\a.txt": b"client package a\r\n"})
    make_package(os.path.join(packages, "client-b.7z"), {"Data\\b.txt": b"client package b\r\n"})
    if args.launcher:
        with open(args.launcher, "rb") as f:
            marked = f.read() + LAUNCHER_MARK
        make_package(os.path.join(packages, "launcher.7z"), {"RidaVadoz.new": marked})
    if args.stage:
        with open(args.stage, "rb") as f:
            make_package(os.path.join(packages, "stage.7z"), {"RidaVadoz.new": f.read()})

    for port in (args.portal_port, args.downloads_port, args.statistics_port):
        if not port_is_free(port):
            sys.exit("operator site: port %d on 127.0.0.1 is taken" % port)
    with open(os.path.join(HERE, "operator_site.nginx.conf.in")) as f:
        conf = f.read()
    conf = (conf.replace("@ROOT@", root)
            .replace("@PORTAL_PORT@", str(args.portal_port))
            .replace("@DOWNLOADS_PORT@", str(args.downloads_port))
            .replace("@STATISTICS_PORT@", str(args.statistics_port))
            # As root, nginx would hand its workers to "nobody", who may not read the tree.
            .replace("@USER@", "user root;" if os.geteuid() == 0 else ""))
    conf_path = os.path.join(root, "nginx.conf")
    with open(conf_path, "w") as f:
        f.write(conf)
    subprocess.run(["nginx", "-p", root + "/", "-c", conf_path, "-e", os.path.join(root, "logs", "error.log")],
                   check=True)
    for _ in range(50):
        if answers(args.portal_port) and answers(args.downloads_port) and answers(args.statistics_port):
            return 0
        time.sleep(0.1)
    stop(root)
    sys.exit("operator site: nginx did not answer")


def demo_list(port, self_update, sizes):
    base = "http://127.0.0.1:%d/demo/" % port
    lines = ["[LoginUp]", "Ver=%s" % ("2.7" if self_update else "2.6"),
             "Url=http://127.0.0.1:%d/launcher/player.7z" % port, "[Stage0_All]"]
    for number, (name, tag, _) in enumerate(DEMO_PACKAGES):
        lines.append("%d=%s|%s%s|%d" % (number, tag, base, name, sizes[name]))
    lines.append("[Stage1_All]")
    return "\r\n".join(lines) + "\r\n"


def demo(args):
    root = os.path.abspath(args.root)
    folder = os.path.join(root, "downloads", "demo")
    os.makedirs(folder, exist_ok=True)
    os.makedirs(os.path.join(root, "portal"), exist_ok=True)
    with open(os.path.join(root, "portal", "login.html"), "w", encoding="utf-8") as f:
        f.write(LOGIN_PAGE)
    if not args.list_only:
        with open(args.client, "rb") as f:
            client = f.read()
        for name, _, payload in DEMO_PACKAGES:
            files = {item: os.urandom(size) for item, size in payload.items()}
            if name == "client-core.7z":
                files["Client.exe"] = client
            make_package(os.path.join(folder, name), files)
        launcher = os.path.join(root, "downloads", "launcher")
        os.makedirs(launcher, exist_ok=True)
        with open(args.player, "rb") as f:
            make_package(os.path.join(launcher, "player.7z"), {"RidaVadoz.new": f.read() + LAUNCHER_MARK})
    sizes = {name: os.path.getsize(os.path.join(folder, name)) for name, _, _ in DEMO_PACKAGES}
    os.makedirs(os.path.dirname(os.path.join(root, "downloads", LIST_PATH)), exist_ok=True)
    with open(os.path.join(root, "downloads", LIST_PATH), "wb") as f:
        f.write(demo_list(args.downloads_port, args.self_update, sizes).encode())
    return 0


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    p = commands.add_parser("start")
    p.add_argument("--root", required=True)
    p.add_argument("--launcher")
    p.add_argument("--stage")
    p.add_argument("--portal-port", type=int, default=18601)
    p.add_argument("--downloads-port", type=int, default=18603)
    p.add_argument("--statistics-port", type=int, default=18604)
    p = commands.add_parser("stop")
    p.add_argument("--root", required=True)
    p = commands.add_parser("demo")
    p.add_argument("--root", required=True)
    p.add_argument("--client")
    p.add_argument("--player")
    p.add_argument("--self-update", action="store_true")
    p.add_argument("--list-only", action="store_true")
    p.add_argument("--downloads-port", type=int, default=18603)
    p = commands.add_parser("package")
    p.add_argument("archive")
    p.add_argument("folder")
    args = parser.parse_args()
    if args.command == "start":
        return start(args)
    if args.command == "demo":
        return demo(args)
    if args.command == "stop":
        return stop(os.path.abspath(args.root))
    package(args.archive, args.folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
