#!/usr/bin/env python3
"""The web page (ZORBEL_WEB_PAGE, served from 127.0.0.1) in headless
Chromium:
 1. page load to the first item on the screen with the sample data, the
    browser's cache off: median of 5 loads;
 2. forced step to the strip on the canvas at 1920 x 1080 (one template of
    20 strips, bench/saver_bench_data.py): the step itself (the core in
    wasm and the canvas written) and to the next frame shown; median and
    90th percentile of 200 steps after 20 warm-up steps;
 3. Chromium's CPU time over 20 s with the first item shown and a delay
    longer than that, beside the same browser on a blank page.
Usage: web_bench.py STRIP_FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser  # noqa: E402


def chromium_cpu_ns(driver_pid):
    """CPU time of every process under the driver (the browser and its helpers)."""
    children = {}
    for pid in os.listdir("/proc"):
        if pid.isdigit():
            try:
                with open(f"/proc/{pid}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(ppid, []).append(int(pid))
            except OSError:
                pass
    total, todo = 0, [driver_pid]
    while todo:
        pid = todo.pop()
        todo += children.get(pid, [])
        try:
            with open(f"/proc/{pid}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total


def percentile(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(len(values) * p))]


def main():
    strips = sys.argv[1]
    with browser.Page() as page:
        page.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        times = []
        for _ in range(5):
            page.driver.get(page.url)
            page.ready()
            times.append(page.poll("return zorbelPage.firstItemMs", 10))
        print(f"page load to the first item, sample data: median {percentile(times, 0.5):.0f} ms of "
              + " ".join(f"{t:.0f}" for t in times))

    with browser.Page("size=1920x1080&seed=1", width=1920, height=1080) as page:
        page.ready()
        files = {}
        for name in os.listdir(strips):
            with open(os.path.join(strips, name), "rb") as f:
                files[name] = f.read()
        page.write_folder("/data/own", files)
        page.js("zorbelPage.play('/data/own', {'Time Delay': 0, 'Display Logo': 0})")
        page.driver.set_script_timeout(120)
        step, frame = page.driver.execute_async_script("""
            const done = arguments[0], show = zorbelPage.show, step = [], frame = [];
            let i = 0;
            function one() {
              const t0 = performance.now();
              show.next();
              const t1 = performance.now();
              requestAnimationFrame(() => {
                if (i++ >= 20) { step.push(t1 - t0); frame.push(performance.now() - t0); }
                if (i < 220) setTimeout(one, 0); else done([step, frame]);
              });
            }
            one();""")
        print(f"forced step to strip, 1920x1080: step median {percentile(step, 0.5):.2f} ms, "
              f"p90 {percentile(step, 0.9):.2f} ms; to the next frame median {percentile(frame, 0.5):.2f} ms, "
              f"p90 {percentile(frame, 0.9):.2f} ms")

    for label, url_query in (("the page, first item shown", "delay"), ("a blank page", None)):
        with browser.Page() as page:
            page.ready()
            if url_query:
                page.js("zorbelPage.play('/data/sample', {'Time Delay': 60})")
            else:
                page.driver.get("about:blank")
            time.sleep(2)
            pid = page.driver.service.process.pid
            before = chromium_cpu_ns(pid)
            time.sleep(20)
            after = chromium_cpu_ns(pid)
            print(f"Chromium CPU over 20 s, {label}: {100 * (after - before) / 1e9 / 20:.3f} %")


if __name__ == "__main__":
    main()
