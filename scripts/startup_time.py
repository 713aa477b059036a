"""Times, under Wine on a virtual display, how long brimzo.exe takes from its start to its first
picture on the screen, against a minimal window program built the same way (the floor that
Wine itself sets): startup_time.py --build build/native [--runs 10]. Not a test: it prints."""

import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time


def first_window_time(command, folder, title, env):
    """Seconds from the start of the program to its window on the screen (the game draws its
    whole picture before the window is shown)."""
    start = time.perf_counter()
    program = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                             capture_output=True).stdout:
        time.sleep(0.002)
    took = time.perf_counter() - start
    program.kill()
    program.wait()
    return took


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build/native")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    folder = tempfile.mkdtemp(prefix="brimzo-startup-")
    for name in os.listdir(os.path.join(build, "windows-x86_64", "dist")):
        shutil.copy(os.path.join(build, "windows-x86_64", "dist", name), folder)
    shutil.copy(os.path.join(build, "windows-x86_64", "startup_floor.exe"), folder)
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=":" + xvfb.stdout.readline().decode().strip(),
               WINEPREFIX=os.path.join(build, "wine"), WINEDEBUG="-all")
    server = subprocess.Popen(["wineserver", "-f", "-p"], env=env)  # kept up between starts
    try:
        for title, program in (("^Floor$", "startup_floor.exe"), ("^Brimzo!$", "brimzo.exe")):
            first_window_time(["wine", program], folder, title, env)  # warms the caches
            times = [first_window_time(["wine", program], folder, title, env)
                     for _ in range(args.runs)]
            print("%-18s median %.0f ms, fastest %.0f ms over %d starts" % (
                program, 1000 * statistics.median(times), 1000 * min(times), args.runs))
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        server.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(folder)


if __name__ == "__main__":
    main()
