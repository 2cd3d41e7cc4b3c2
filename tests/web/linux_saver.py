"""The Linux saver (ZORBEL_LINUX_SAVER) drawing its first item on the root
window of an Xvfb of its own, for the pictures the page is held to."""
import os
import subprocess
import tempfile
import time


def _free_display():
    for n in range(420, 520):
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            return n
    raise RuntimeError("no free X display")


def _root_rgb(env, width, height):
    out = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=env,
                         capture_output=True, check=False).stdout
    return out if len(out) == 3 * width * height else None


def first_item(folder, settings, seed, width=1024, height=768):
    """RGB bytes of the screen once the saver has drawn its first item."""
    saver = os.environ.get("ZORBEL_LINUX_SAVER", "")
    if not os.access(saver, os.X_OK):
        raise FileNotFoundError(f"no Linux saver at {saver!r} (ZORBEL_LINUX_SAVER)")
    display = _free_display()
    home = tempfile.mkdtemp(prefix="zorbel-web-linux-")
    env = dict(os.environ, DISPLAY=f":{display}", HOME=home, XDG_STATE_HOME=home + "/state",
               ZORBEL_SEED=str(seed), ASAN_OPTIONS="detect_leaks=0")
    xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    saver_proc = None
    try:
        end = time.time() + 10
        while _root_rgb(env, width, height) is None:
            if time.time() > end:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.1)
        root = subprocess.run(["xwininfo", "-root"], env=env, capture_output=True, text=True).stdout
        args = [saver, "-window-id", root.split("Window id: ")[1].split()[0], "-directory", folder]
        for name, value in settings.items():
            args += ["-" + name.lower().replace(" ", "-"), str(value)]
        saver_proc = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        last = None
        end = time.time() + 15
        while time.time() < end:
            time.sleep(0.2)
            now = _root_rgb(env, width, height)
            if now and any(now) and now == last:
                return now
            last = now
        raise RuntimeError("the Linux saver drew nothing")
    finally:
        if saver_proc:
            saver_proc.terminate()
            saver_proc.wait()
        xvfb.terminate()
        xvfb.wait()
        subprocess.run(["rm", "-rf", home])
