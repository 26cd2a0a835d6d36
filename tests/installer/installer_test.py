#!/usr/bin/env python3
"""The setup under Wine, as deployment tools and users run it.

installer_test.py CASE --setup SETUP --version VERSION --exe ORVANTA_EXE --prefix PREFIX
                       --wait-for-window EXE --stand-in RECORDING_INSTANCE_EXE
                       --click-through CLICK_THROUGH_SETUP_EXE --work-dir DIR
installer_test.py winget --setup SETUP --version VERSION --manifests DIR --release-manifests DIR
    (DIR: the manifests of Quiremo.Orvanta, one folder per version)

Each Wine case copies the test run's prepared prefix into a fresh one (a copy takes seconds,
a boot fifteen) and runs its own wineserver there, on the run's display; the server and every
process in that prefix end with the case. Wine offers one session, so an instance "in another
session" is played by one on a second desktop, where the setup cannot find its window either.
"""

import argparse
import contextlib
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

INSTALL_DIR = r"C:\Program Files\Orvanta"
INSTALLED_EXE = INSTALL_DIR + r"\orvanta.exe"
UNINSTALLER = INSTALL_DIR + r"\uninstall.exe"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta"
SETTINGS_KEY = r"HKCU\Software\Quiremo\Orvanta"
IDENTITY_KEY = r"HKCU\Software\Classes\AppUserModelId\Quiremo.Orvanta"
TASK_NAME = "OrvantaTaskMachine"
WINDOW_CLASS = "TFrmOrvanta"
SECOND_DESKTOP = "/desktop=Elsewhere,640x480"

# The logon task as the program registers it. Wine keeps the task but not all of its parts.
TASK_XML = """<?xml version="1.0" encoding="UTF-16"?>
<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
  <Triggers><LogonTrigger><Enabled>true</Enabled><Delay>PT1M</Delay></LogonTrigger></Triggers>
  <Principals><Principal id="Author"><LogonType>InteractiveToken</LogonType>
    <RunLevel>HighestAvailable</RunLevel></Principal></Principals>
  <Settings><StartWhenAvailable>true</StartWhenAvailable>
    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>
    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>
    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit></Settings>
  <Actions Context="Author"><Exec><Command>C:\\Program Files\\Orvanta\\orvanta.exe</Command>
    <Arguments>/start</Arguments></Exec></Actions>
</Task>
"""


class Failure(Exception):
    pass


def check(condition, why):
    if not condition:
        raise Failure(why)


def wait_until(what, condition, timeout):
    """Polls condition until it holds or the time runs out; returns its last answer."""
    deadline = time.monotonic() + timeout
    while True:
        answer = condition()
        if answer or time.monotonic() > deadline:
            check(answer, f"{what}: not within {timeout} s")
            return answer
        time.sleep(0.1)


class Prefix:
    """A fresh copy of the prepared prefix with a wineserver of its own."""

    def __init__(self, source, work_dir, wait_for_window, click_through):
        check(os.environ.get("DISPLAY"), "no DISPLAY: the test runs inside the test run's display")
        self.source = source
        self.root = tempfile.mkdtemp(prefix="installer-", dir=work_dir)
        self.path = os.path.join(self.root, "prefix")
        self.env = dict(os.environ, WINEPREFIX=self.path, WINEDEBUG="-all")
        self.wait_for_window_exe = wait_for_window
        self.click_through_exe = click_through
        self.started = []
        self.server = False

    def __enter__(self):
        try:
            subprocess.run(["cp", "-a", self.source, self.path], check=True)
            # The server puts itself in the background, and Wine's helpers outlive the first
            # program: neither may hold a pipe of ours, or every read waits for them.
            for args in (["wineserver", "-p"], ["wine", "cmd", "/c", "exit"]):
                subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=120, check=True)
                self.server = True
            # Nothing of the program from the prepared prefix's earlier tests.
            self.import_registry("".join(f"[-{key}]\n" for key in (r"HKCU\Software\Quiremo", IDENTITY_KEY,
                                                                      UNINSTALL_KEY)))
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        for process in self.started:
            if process.poll() is None:
                process.kill()
        if self.server:
            subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in self.started:
            process.wait()
        # The stopped server leaves its folder, named after the prefix's device and inode.
        with contextlib.suppress(OSError):
            status = os.stat(self.path)
            for folder in glob.glob(f"/tmp/wine-*/server-{status.st_dev:x}-{status.st_ino:x}"):
                shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(self.root, ignore_errors=True)

    def run(self, args, timeout, check_status=True, env=None):
        # Files, not pipes: a program this one starts (and Wine's helpers) may keep them open.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            result = subprocess.run(args, env=env or self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                    timeout=timeout)
            out.seek(0)
            err.seek(0)
            result.stdout = out.read().decode(errors="replace")
            result.stderr = err.read().decode(errors="replace")
        if check_status and result.returncode != 0:
            raise Failure(f"{' '.join(args)} ended with {result.returncode}:\n{result.stdout}{result.stderr}")
        return result

    def wine(self, *args, timeout=120, check_status=True, env=None):
        return self.run(["wine", *args], timeout, check_status, env)

    def start(self, *args, **environment):
        process = subprocess.Popen(["wine", *args], env=dict(self.env, **environment), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(process)
        return process

    def unix_path(self, windows_path):
        check(windows_path[1:3] == ":\\", windows_path)
        return os.path.join(self.path, "drive_c", *windows_path[3:].split("\\"))

    def registry_values(self, key):
        """The key's values by name, or None when the key is missing."""
        result = self.wine("reg", "query", key, timeout=60, check_status=False)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            match = re.match(r"\s+(\S+)\s+(REG_\w+)\s*(.*)$", line)
            if match:
                values[match.group(1)] = match.group(3)
        return values

    def instances(self):
        """Live processes of this prefix whose program is orvanta.exe, from any folder: their
        process ids and arguments."""
        found = {}
        for proc in glob.glob("/proc/[0-9]*"):
            try:
                with open(proc + "/environ", "rb") as f:
                    environment = f.read().split(b"\0")
                with open(proc + "/cmdline", "rb") as f:
                    command = [part.decode(errors="replace") for part in f.read().split(b"\0") if part]
                with open(proc + "/stat") as f:
                    state = f.read().rsplit(")", 1)[1].split()[0]
            except OSError:
                continue
            if ("WINEPREFIX=" + self.path).encode() in environment and command \
                    and command[0].lower().endswith("\\orvanta.exe") and state != "Z":
                found[int(proc[6:])] = command[1:]
        return found

    def instance_pids(self):
        return list(self.instances())

    def setup_processes_running(self):
        """The uninstaller copies itself to the temp folder and goes on from there."""
        for proc in glob.glob("/proc/[0-9]*"):
            try:
                with open(proc + "/environ", "rb") as f:
                    environment = f.read().split(b"\0")
                with open(proc + "/cmdline", "rb") as f:
                    program = f.read().split(b"\0")[0].lower()
            except OSError:
                continue
            if ("WINEPREFIX=" + self.path).encode() in environment and b"~nsu" in program:
                return True
        return False

    def add_logon_task(self):
        with open(self.unix_path(r"C:\orvanta-task.xml"), "w", encoding="utf-16") as f:
            f.write(TASK_XML)
        self.wine("schtasks", "/create", "/xml", r"C:\orvanta-task.xml", "/tn", TASK_NAME)
        check(os.path.exists(self.task_file()), "schtasks made no task file")

    def task_file(self):
        return self.unix_path(r"C:\windows\system32\tasks" + "\\" + TASK_NAME)

    def import_registry(self, text):
        """One regedit run for several changes: each Wine program costs most of a second."""
        keys = {"HKCU": "HKEY_CURRENT_USER", "HKLM": "HKEY_LOCAL_MACHINE"}
        text = re.sub(r"\[(-?)(HKCU|HKLM)", lambda m: f"[{m.group(1)}{keys[m.group(2)]}", text)
        with open(self.unix_path(r"C:\orvanta-test.reg"), "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\n\n" + text)
        self.wine("regedit", "/S", r"C:\orvanta-test.reg", timeout=60)

    def seed_settings(self):
        self.import_registry(f'[{SETTINGS_KEY}]\n"limit_minute"=dword:00000007\n\n'
                             '[HKCU\\Software\\Quiremo]\n"QUID"="test-client"\n')

    def check_settings_kept(self):
        settings = self.registry_values(SETTINGS_KEY)
        check(settings is not None and settings.get("limit_minute") == "0x7", f"settings lost: {settings}")
        quiremo = self.registry_values(r"HKCU\Software\Quiremo")
        check(quiremo is not None and quiremo.get("QUID") == "test-client", f"client identifier lost: {quiremo}")

    def start_instance(self, *args, **environment):
        process = self.start(INSTALLED_EXE, *args, **environment)
        check(self.wait_for_window([], 60, "exists"), "the instance made no TFrmOrvanta window")
        return process

    def wait_for_window(self, desktop, timeout, *mode):
        result = self.wine(*desktop, self.wait_for_window_exe, WINDOW_CLASS, str(timeout * 1000), *mode,
                           timeout=timeout + 60, check_status=False)
        return result.returncode == 0


def shortcut_path(prefix):
    return prefix.unix_path(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Orvanta.lnk")


def install_silently(prefix, setup, trace=None):
    env = dict(prefix.env, WINEDEBUG=trace) if trace else None
    return prefix.wine(setup, "/S", timeout=180, env=env)


def same_file(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def case_silent_install(prefix, args):
    # fixme+shell shows what Wine's shell link does with the identity it is given.
    result = install_silently(prefix, args.setup, trace="fixme+shell")
    check(not prefix.instance_pids(), "a silent install started the program")

    exe = prefix.unix_path(INSTALLED_EXE)
    check(os.path.isfile(exe) and same_file(exe, args.exe), f"{exe} is not the shipped orvanta.exe")
    check(os.path.isfile(prefix.unix_path(UNINSTALLER)), "no uninstaller")

    link = shortcut_path(prefix)
    check(os.path.isfile(link), "no Start-menu shortcut")
    with open(link, "rb") as f:
        check(INSTALLED_EXE.encode() in f.read(), "the shortcut does not point at the installed exe")
    # Wine's shell link accepts the identity but keeps no property store in the file, so it
    # cannot be read back here; what can be seen is that it was set and committed.
    for call in ("propertystore_SetValue", "propertystore_Commit"):
        check(call in result.stderr, f"the shortcut's property store saw no {call}:\n{result.stderr}")

    entry = prefix.registry_values(UNINSTALL_KEY)
    check(entry is not None, "no Apps & features entry")
    expected = {
        "DisplayName": "Orvanta",
        "DisplayVersion": args.version,
        "Publisher": "Quiremo",
        "DisplayIcon": f'"{INSTALLED_EXE}",0',
        "InstallLocation": INSTALL_DIR,
        "UninstallString": f'"{UNINSTALLER}"',
        "QuietUninstallString": f'"{UNINSTALLER}" /S',
        "NoModify": "0x1",
        "NoRepair": "0x1",
    }
    for name, value in expected.items():
        check(entry.get(name) == value, f"entry {name}: {entry.get(name)!r}, expected {value!r}")
    size_kb = int(entry.get("EstimatedSize", "0"), 16)
    check(size_kb >= os.path.getsize(args.exe) // 1024, f"EstimatedSize {size_kb} KB is below the exe's size")

    prefix.start(INSTALLED_EXE)
    check(prefix.wait_for_window([], 60), "the installed exe showed no TFrmOrvanta window")
    check(prefix.instance_pids(), "no orvanta.exe process from the install folder")


def wait_for_uninstall(prefix, instance_gone):
    """Polls until the uninstaller, which goes on from the temp folder, has removed everything."""
    def leftovers():
        left = []
        if not instance_gone():
            left.append("the instance")
        if prefix.instance_pids():
            left.append("an orvanta.exe process")
        for path in (INSTALLED_EXE, UNINSTALLER, INSTALL_DIR):
            if os.path.exists(prefix.unix_path(path)):
                left.append(path)
        if os.path.exists(shortcut_path(prefix)):
            left.append("the shortcut")
        if os.path.exists(prefix.task_file()):
            left.append("the logon task")
        if prefix.registry_values(UNINSTALL_KEY) is not None:
            left.append("the Apps & features entry")
        if prefix.registry_values(IDENTITY_KEY) is not None:
            left.append("the AppUserModelId registration")
        if glob.glob(prefix.unix_path(r"C:\users") + "/*/AppData/Local/Quiremo/Orvanta/AppIcon.png"):
            left.append("the identity's icon")
        if prefix.setup_processes_running():
            left.append("the uninstaller")
        return left

    deadline = time.monotonic() + 60
    while leftovers():
        if time.monotonic() > deadline:
            raise Failure(f"the uninstall left: {', '.join(leftovers())}")
        time.sleep(0.2)


def case_silent_uninstall(prefix, args):
    install_silently(prefix, args.setup)
    prefix.seed_settings()
    prefix.add_logon_task()
    instance = prefix.start_instance()
    # The program registers its identity while its window is being made.
    wait_until("the program's AppUserModelId registration", lambda: prefix.registry_values(IDENTITY_KEY), 30)

    prefix.wine(UNINSTALLER, "/S", timeout=120)
    wait_for_uninstall(prefix, lambda: instance.poll() is not None)
    prefix.check_settings_kept()


def case_setup_ends_unreachable_instance(prefix, args):
    """An instance whose window the setup cannot reach (another session, or every one when the
    setup runs as SYSTEM) is ended by the path of its exe, on upgrade and on uninstall."""
    install_silently(prefix, args.setup)
    prefix.add_logon_task()

    def start_elsewhere():
        desktop = prefix.start("explorer", SECOND_DESKTOP, INSTALLED_EXE)
        # Once the instance runs, that explorer owns the desktop; a second one started earlier
        # would take it over and wait for the instance to end.
        wait_until("the instance on the second desktop", prefix.instance_pids, 60)
        check(prefix.wait_for_window(["explorer", SECOND_DESKTOP], 60, "exists"), "no instance on the second desktop")
        check(not prefix.wait_for_window([], 1, "exists"), "the instance's window is reachable after all")
        return desktop

    desktop = start_elsewhere()
    install_silently(prefix, args.setup)
    check(not prefix.instance_pids(), "the upgrade left the unreachable instance running")
    check(same_file(prefix.unix_path(INSTALLED_EXE), args.exe), "the upgrade did not put the shipped exe in place")
    check(os.path.exists(prefix.task_file()), "the upgrade removed the logon task")
    desktop.wait(timeout=30)

    start_elsewhere()
    prefix.wine(UNINSTALLER, "/S", timeout=120)
    wait_for_uninstall(prefix, lambda: True)


def case_silent_upgrade(prefix, args):
    install_silently(prefix, args.setup)
    prefix.seed_settings()
    prefix.add_logon_task()
    with open(prefix.task_file(), "rb") as f:
        task = f.read()
    # An older exe: the upgrade must put the shipped one in its place.
    with open(prefix.unix_path(INSTALLED_EXE), "ab") as f:
        f.write(b"older build")
    instance = prefix.start_instance("/start")

    install_silently(prefix, args.setup)
    try:
        instance.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("the upgrade left the instance running")
    check(not prefix.instance_pids(), "a silent upgrade started the program")
    check(same_file(prefix.unix_path(INSTALLED_EXE), args.exe), "the upgrade kept the older exe")
    check(os.path.exists(prefix.task_file()), "the upgrade removed the logon task")
    with open(prefix.task_file(), "rb") as f:
        check(f.read() == task, "the upgrade changed the logon task")
    prefix.check_settings_kept()
    entry = prefix.registry_values(UNINSTALL_KEY)
    check(entry is not None and entry.get("DisplayVersion") == args.version, f"entry after the upgrade: {entry}")


def case_setup_asks_instance_to_quit(prefix, args):
    """What the setup asks of the running instance, seen by a stand-in at the exe's path. (Under
    Wine a process ended by TerminateProcess leaves exit status 0 too, so only asking tells.)"""
    install_silently(prefix, args.setup)
    log = r"C:\orvanta-instance.log"

    def requests_seen(action, setup_args):
        with contextlib.suppress(FileNotFoundError):
            os.remove(prefix.unix_path(log))
        shutil.copyfile(args.stand_in, prefix.unix_path(INSTALLED_EXE))
        instance = prefix.start_instance("/start", ORVANTA_TEST_LOG=log)
        action()
        try:
            instance.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure(f"{setup_args} left the instance running")
        with open(prefix.unix_path(log)) as f:
            return f.read().splitlines()

    # An upgrade closes it as log-off does, which keeps the logon task.
    seen = requests_seen(lambda: install_silently(prefix, args.setup), "the upgrade")
    check(seen == ["start /start", "query-end-session"], f"the upgrade should close the instance as log-off does: {seen}")
    check(same_file(prefix.unix_path(INSTALLED_EXE), args.exe), "the upgrade did not put the shipped exe in place")

    # The uninstaller runs the uninstall command, whose instance removes its task and quits.
    # The uninstaller passes its environment, and so the log's name, to the command.
    seen = requests_seen(lambda: prefix.wine(UNINSTALLER, "/S", env=dict(prefix.env, ORVANTA_TEST_LOG=log)),
                         "the uninstall")
    check(seen == ["start /start", "start /uninst", "user 2"], f"the uninstall should run \"orvanta.exe /uninst\": {seen}")
    wait_for_uninstall(prefix, lambda: True)


def run_interactively(prefix, setup):
    """Runs the setup as a user would, pressing its default button on every page."""
    # In English, whose window title the clicking helper looks for.
    process = prefix.start(setup, LC_ALL="C")
    clicked = prefix.wine(prefix.click_through_exe, "Orvanta Setup", "120000", timeout=180, check_status=False)
    try:
        status = process.wait(timeout=60)
    except subprocess.TimeoutExpired:
        raise Failure("the interactive setup did not finish")
    check(clicked.returncode == 0, "the setup's pages could not be clicked through")
    check(status == 0, f"the interactive setup ended with {status}")


def case_interactive_install_and_upgrade(prefix, args):
    run_interactively(prefix, args.setup)
    first = wait_until("the program started by the install", prefix.instances, 30)
    check(list(first.values()) == [["/inst"]], f"the install should start the program once with /inst: {first}")
    check(prefix.wait_for_window([], 60), "the started program showed no window")

    # Running before the upgrade: back afterwards, hidden as after logon, and its own quit.
    run_interactively(prefix, args.setup)
    second = wait_until("the program started again by the upgrade",
                        lambda: {pid: a for pid, a in prefix.instances().items() if pid not in first}, 30)
    check(list(second.values()) == [["/start"]], f"the upgrade should start the program again with /start: {second}")
    check(not set(first) & set(prefix.instance_pids()), "the upgrade left the earlier instance running")

    # Not running before the upgrade: not started by it.
    install_silently(prefix, args.setup)
    check(not prefix.instance_pids(), "a silent upgrade left the program running")
    run_interactively(prefix, args.setup)
    check(not prefix.instance_pids(), f"an upgrade started a program that was not running: {prefix.instances()}")


def read_manifest(path):
    """Top-level and nested 'Key: value' lines of a winget manifest, by key (first wins)."""
    values = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            match = re.match(r"^[\s-]*([A-Za-z0-9]+):\s*(\S.*)?$", line)
            if match and match.group(2) and not line.lstrip().startswith("#"):
                values.setdefault(match.group(1), match.group(2).strip())
    return values


def case_winget(args):
    identifier = "Quiremo.Orvanta"
    setup_name = os.path.basename(args.setup)
    check(os.path.isfile(args.setup), f"no setup at {args.setup}")
    folder = os.path.join(args.manifests, args.version)
    check(os.path.isdir(folder), f"no winget manifest for {args.version} in {args.manifests}: {os.listdir(args.manifests)}")
    kinds = {"version": f"{identifier}.yaml", "installer": f"{identifier}.installer.yaml",
             "defaultLocale": f"{identifier}.locale.en-US.yaml"}
    manifests = {}
    for kind, name in kinds.items():
        path = os.path.join(folder, name)
        check(os.path.isfile(path), f"missing {path}")
        manifests[kind] = read_manifest(path)
        values = manifests[kind]
        check(values.get("PackageIdentifier") == identifier, f"{name}: PackageIdentifier {values.get('PackageIdentifier')}")
        check(values.get("PackageVersion") == args.version, f"{name}: PackageVersion {values.get('PackageVersion')}")
        check(values.get("ManifestType") == kind, f"{name}: ManifestType {values.get('ManifestType')}")
    check(sorted(os.listdir(folder)) == sorted(kinds.values()), f"other files in {folder}")

    installer = manifests["installer"]
    expected = {"InstallerType": "nullsoft", "Scope": "machine", "Silent": "/S", "SilentWithProgress": "/S",
                "Architecture": "x64", "DisplayVersion": args.version, "Publisher": "Quiremo",
                "ProductCode": "Orvanta"}
    for name, value in expected.items():
        check(installer.get(name) == value, f"installer manifest {name}: {installer.get(name)!r}, expected {value!r}")
    url = installer.get("InstallerUrl", "")
    check(url.startswith("https://") and url.rsplit("/", 1)[-1] == setup_name,
          f"InstallerUrl {url!r} does not name the setup the build makes, {setup_name}")

    with open(args.setup, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest().upper()
    release = read_manifest(os.path.join(args.release_manifests, kinds["installer"]))
    check(release.get("InstallerSha256") == digest,
          f"the release manifest's InstallerSha256 {release.get('InstallerSha256')} is not the setup's {digest}")


WINE_CASES = {
    "silent-install": case_silent_install,
    "silent-uninstall": case_silent_uninstall,
    "setup-ends-unreachable-instance": case_setup_ends_unreachable_instance,
    "silent-upgrade": case_silent_upgrade,
    "setup-asks-instance-to-quit": case_setup_asks_instance_to_quit,
    "interactive-install-and-upgrade": case_interactive_install_and_upgrade,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=[*WINE_CASES, "winget"])
    parser.add_argument("--setup", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--exe")
    parser.add_argument("--prefix")
    parser.add_argument("--wait-for-window")
    parser.add_argument("--stand-in")
    parser.add_argument("--click-through")
    parser.add_argument("--work-dir")
    parser.add_argument("--manifests")
    parser.add_argument("--release-manifests")
    args = parser.parse_args()
    try:
        if args.case == "winget":
            case_winget(args)
        else:
            with Prefix(args.prefix, args.work_dir, args.wait_for_window, args.click_through) as prefix:
                WINE_CASES[args.case](prefix, args)
    except (Failure, subprocess.TimeoutExpired, subprocess.CalledProcessError) as error:
        print(f"FAILED {args.case}: {error}", file=sys.stderr)
        return 1
    print(f"passed {args.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
