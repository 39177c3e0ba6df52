#!/usr/bin/env python3
"""Load benchmark of tarvo3-server's account service.

    tools/bench/server_load.py [--storage sqlite|postgresql] [--accounts 1000]
                               [--connections 32] [--duration 30] [--rate 0]

Starts build/bin/tarvo3-server on a free loopback port with a fresh data folder (and, for
PostgreSQL, a throwaway cluster made with initdb and pg_ctl), registers the accounts, signs each in
once, then runs wrk with account_mix.lua: a mix of sign-ins, game-record reads and saves, and club
top-ten reads, as fast as the server answers or, with --rate, at about that many requests per
second (each connection pausing between a reply and its next request; the replies' own time comes
on top, so aim a little higher). Prints requests per second, the latency percentiles, the errors
and the first reasons the server gave for them. Everything it started is stopped and removed at
the end.
"""
import argparse
import concurrent.futures
import glob
import http.client
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Cluster:
    """A throwaway PostgreSQL cluster, as the server's tests make one."""

    def __init__(self, folder):
        bins = sorted(glob.glob("/usr/lib/postgresql/*/bin/initdb"))
        if not bins:
            sys.exit("no PostgreSQL server programs under /usr/lib/postgresql")
        self.bin = os.path.dirname(bins[-1])
        self.folder = folder
        self.port = free_port()
        self.as_user = ["runuser", "-u", "postgres", "--"] if os.geteuid() == 0 else []
        if self.as_user:
            subprocess.run(["chown", "-R", "postgres", folder], check=True)
        subprocess.run(self.as_user + [self.bin + "/initdb", "-D", folder + "/data", "-A", "trust", "-U", "tarvo",
                                       "-E", "UTF8", "--no-locale"], check=True, stdout=subprocess.DEVNULL)
        # A club's server keeps its data safe: fsync stays on.
        subprocess.run(self.as_user + [self.bin + "/pg_ctl", "-D", folder + "/data", "-l", folder + "/server.log",
                                       "-w", "-o", f"-p {self.port} -k {folder} -c listen_addresses=127.0.0.1 "
                                       "-c max_connections=200", "start"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["psql", "-q", "-h", "127.0.0.1", "-p", str(self.port), "-U", "tarvo", "-d", "postgres",
                        "-c", "CREATE DATABASE bench"], check=True)
        self.url = f"postgresql://tarvo@127.0.0.1:{self.port}/bench"

    def stop(self):
        subprocess.run(self.as_user + [self.bin + "/pg_ctl", "-D", self.folder + "/data", "-m", "fast", "-w",
                                       "stop"], stdout=subprocess.DEVNULL)


def server_cpu(pid):
    """User and system CPU seconds the process has used."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def post(connection, body):
    connection.request("POST", "/account", body=body.encode("cp1251"),
                       headers={"Content-Type": "application/x-www-form-urlencoded", "User-Agent": "XorBlueWindow"})
    response = connection.getresponse()
    return response.status, response.read()


def prepare(port, accounts):
    """Registers u1..uN and signs each in once, eight at a time."""
    def work(numbers):
        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
        for i in numbers:
            pw = f"pw{i:06d}"
            status, reply = post(connection, f"nick=u{i}&pw={pw}&city=Omsk&country1=Russia&country2=1-001&sex=M"
                                             f"&email=u{i}@club.example&dater=11.12.2026&R01=xxx&R02=xxx&R03=xxx"
                                             "&R04=0&R05=0&R06=0")
            if b"ok" not in reply:
                raise RuntimeError(f"register u{i}: {status} {reply!r}")
            status, reply = post(connection, f"nick=u{i}&&pw={pw}&&label0=0")
            if status != 200:
                raise RuntimeError(f"sign-in u{i}: {status} {reply!r}")
        connection.close()

    lanes = 8
    with concurrent.futures.ThreadPoolExecutor(lanes) as pool:
        list(pool.map(work, [range(k + 1, accounts + 1, lanes) for k in range(lanes)]))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--storage", choices=["sqlite", "postgresql"], default="sqlite")
    parser.add_argument("--accounts", type=int, default=1000)
    parser.add_argument("--connections", type=int, default=32)
    parser.add_argument("--duration", type=int, default=30)
    parser.add_argument("--rate", type=int, default=0, help="requests per second to aim at (0: no limit)")
    parser.add_argument("--server", default=os.path.join(ROOT, "build", "bin", "tarvo3-server"))
    args = parser.parse_args()
    if not shutil.which("wrk"):
        sys.exit("wrk is not installed")

    folder = tempfile.mkdtemp(prefix="tarvo-bench-")
    os.chmod(folder, 0o755)
    cluster = server = None
    try:
        extra = []
        if args.storage == "postgresql":
            os.makedirs(folder + "/pg")
            cluster = Cluster(folder + "/pg")
            extra = ["--database", cluster.url]
        server_log = open(folder + "/server.log", "w+")
        server = subprocess.Popen([args.server, "--data-dir", folder + "/data", "--listen", "127.0.0.1", "--port", "0"]
                                  + extra, stdout=subprocess.PIPE, stderr=server_log, text=True)
        line = server.stdout.readline()
        port = int(re.search(r" port (\d+)", line).group(1))
        started = time.time()
        prepare(port, args.accounts)
        print(f"{args.accounts} accounts registered and signed in once in {time.time() - started:.0f} s")
        env = dict(os.environ, TARVO_ACCOUNTS=str(args.accounts))
        if args.rate > 0:
            env["TARVO_PAUSE_MS"] = str(max(1, round(1000 * args.connections / args.rate)))
        cpu_before = server_cpu(server.pid)
        load = os.getloadavg()[0]
        run = subprocess.run(["wrk", "-t2", f"-c{args.connections}", f"-d{args.duration}s", "--latency",
                              "-s", os.path.join(HERE, "account_mix.lua"), f"http://127.0.0.1:{port}"],
                             env=env, capture_output=True, text=True, check=True)
        cpu = server_cpu(server.pid) - cpu_before
        print(run.stdout)
        rate = re.search(r"Requests/sec:\s+([\d.]+)", run.stdout).group(1)
        p99 = re.search(r"99%\s+([\d.]+\w+)", run.stdout).group(1)
        errors = re.search(r"Non-2xx or 3xx responses: (\d+)", run.stdout)
        socket_errors = re.search(r"Socket errors: (.*)", run.stdout)
        print(f"{args.storage}: {rate} requests/s, p99 {p99}, "
              f"{errors.group(1) if errors else 0} error replies"
              + (f", socket errors {socket_errors.group(1)}" if socket_errors else ", no socket errors"))
        done = int(re.search(r"(\d+) requests in", run.stdout).group(1))
        # The machine may be shared: the server's own CPU time per request does not depend on that.
        print(f"server CPU {1000 * cpu / max(done, 1):.3f} ms per request; load average {load:.1f} at the start")
        # The server tells why it refused a request, one line each: the first few say what went wrong.
        server_log.seek(0)
        refusals = [line for line in server_log if " refused " in line]
        for line in refusals[:5]:
            print("server: " + line.rstrip())
    finally:
        if server:
            server.terminate()
            server.wait(timeout=30)
        if cluster:
            cluster.stop()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
