#!/usr/bin/env python3
"""The operator's servers for the launcher's tests: a generated tree served by nginx.

  operator_site.py start --root DIR [--launcher EXE] [--stage EXE] [--downloads-port N] [--statistics-port N]
  operator_site.py stop --root DIR
  operator_site.py package ARCHIVE.7z FOLDER    (every file below FOLDER, paths kept)

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
    for sub in ("logs", "tmp", "statistics", "downloads/packages", os.path.dirname("downloads/" + LIST_PATH)):
        os.makedirs(os.path.join(root, sub), exist_ok=True)
    for log in ("downloads.log", "statistics.log", "error.log"):
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

    for port in (args.downloads_port, args.statistics_port):
        if not port_is_free(port):
            sys.exit("operator site: port %d on 127.0.0.1 is taken" % port)
    with open(os.path.join(HERE, "operator_site.nginx.conf.in")) as f:
        conf = f.read()
    conf = (conf.replace("@ROOT@", root)
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
        if answers(args.downloads_port) and answers(args.statistics_port):
            return 0
        time.sleep(0.1)
    stop(root)
    sys.exit("operator site: nginx did not answer")


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    p = commands.add_parser("start")
    p.add_argument("--root", required=True)
    p.add_argument("--launcher")
    p.add_argument("--stage")
    p.add_argument("--downloads-port", type=int, default=18603)
    p.add_argument("--statistics-port", type=int, default=18604)
    p = commands.add_parser("stop")
    p.add_argument("--root", required=True)
    p = commands.add_parser("package")
    p.add_argument("archive")
    p.add_argument("folder")
    args = parser.parse_args()
    if args.command == "start":
        return start(args)
    if args.command == "stop":
        return stop(os.path.abspath(args.root))
    package(args.archive, args.folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
