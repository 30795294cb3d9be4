# The table of bench/run: every figure of one run, its target where it has one, and whether it
# holds. Targets compare us with floors and peers measured in the same run, or with a fixed
# limit; our code against itself and `cat` are for information only. Arguments: the run's work
# folder, the pictures folder, then what bench/run already found missing. Exits 1 when anything
# is missing, naming it.
import json, math, os, statistics, sys

work, pictures, missing = sys.argv[1], sys.argv[2], list(sys.argv[3:])


def read(name):
    try:
        return open("%s/%s" % (work, name)).read().split()
    except OSError:
        return []


def pairs(name):
    fields = read(name)
    return dict(zip(fields[0::2], fields[1::2]))


def number(text):
    try:
        value = float(text)
    except (TypeError, ValueError):
        return None
    return value if math.isfinite(value) else None


medians = {}
try:
    for b in json.load(open(work + "/bench.json"))["benchmarks"]:
        if b.get("aggregate_name") == "median" and not b.get("error_occurred"):
            scale = {"ms": 1, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
            medians[b["run_name"].split("/")[0]] = b["real_time"] * scale
except (OSError, ValueError, KeyError):
    pass


def ms(name):
    return medians.get(name)


cat_times = [float(b) - float(a) for a, b in (line.split() for line in open(work + "/cat.txt"))]
cat = statistics.median(cat_times) * 1000 if cat_times else None
pandas = number((read("pandas.txt") or [None])[0])
duck = pairs("duckdb.txt")
duck_one, duck_all = number(duck.get("threads1_ms")), number(duck.get("threadsN_ms"))
draw = pairs("draw.txt")
mpl_day, mpl_month = number(draw.get("day_ms")), number(draw.get("month_ms"))
mpl_day_large = number(draw.get("day_large_ms"))
mpl_month_large = number(draw.get("month_large_ms"))


def memory(name):
    # One line a run; a figure of several runs is their median.
    try:
        lines = open("%s/%s" % (work, name)).read().splitlines()
    except OSError:
        lines = []
    runs = [dict(zip(line.split()[0::2], line.split()[1::2])) for line in lines if line.strip()]

    def median(key):
        values = [v for v in (number(run.get(key)) for run in runs) if v is not None]
        return statistics.median(values) if len(values) == len(runs) and values else None

    mb = lambda key: None if median(key) is None else median(key) * 1024 / 1e6
    return mb("empty_rss_kb"), mb("peak_rss_kb"), mb("rss_kb"), median("load_ms")


year_empty, year_peak, year_rss, year_ms = memory("memory.txt")
decade_empty, decade_peak, decade_rss, decade_ms = memory("decade.txt")
lines_empty, lines_peak, lines_rss, _ = memory("empty-lines.txt")
big_empty, big_peak, _, _ = memory("big-window.txt")
_, big_report_peak, _, _ = memory("big-report.txt")
dense_empty, dense_peak, _, _ = memory("dense-window.txt")


def minus(a, b):
    return None if a is None or b is None else a - b


def ratio(a, b):
    return None if a is None or not b else a / b


rows = []


def section(title):
    rows.append((title, None, None, None, "section"))


def info(name, value):
    rows.append((name, value, "-", None, "info"))


def target(name, value, limit, text):
    holds = None if value is None or limit is None else value <= limit
    rows.append((name, value, text, holds, "target"))


load, read1, readN = ms("LoadYear"), ms("ReadFloorOneThread"), ms("ReadFloorAllCores")
loadN = ms("LoadYearAllCores")
cores = len(os.sched_getaffinity(0))
section("Loading a year: 365 files, 35 MB")
info("load: year into a data set, one thread (ms)", load)
info("load: year into a data set, reading threads on all %s cores (ms)" % cores, loadN)
info("floor: open/read into one reused buffer, one thread (ms)", read1)
info("floor: QFile::readAll as the loader reads, one thread (ms)", ms("ReadAllFloorOneThread"))
info("floor: open/read, all %s cores (ms)" % cores, readN)
info("floor: QFile::readAll, all %s cores (ms)" % cores, ms("ReadAllFloorAllCores"))
info("peer: pandas read_csv + concat + to_datetime (ms)", pandas)
info("peer: DuckDB read_csv, schema given, threads=1 (ms)", duck_one)
info("peer: DuckDB read_csv, schema given, threads=%s (ms)" % cores, duck_all)
info("cat of the files to /dev/null, a process from the shell (ms)", cat)
target("load vs read floor, one thread (ratio)", ratio(load, read1), 8, "<= 8")
target("load vs pandas (ratio)", ratio(load, pandas), 1 / 12, "<= 1/12 = 0.083")
target("load vs DuckDB threads=1 (ratio)", ratio(load, duck_one), 1 / 8, "<= 1/8 = 0.125")
target("load: all %s cores vs one thread (ratio)" % cores, ratio(loadN, load), 0.6, "<= 0.6")
target("load: all %s cores vs DuckDB threads=%s (ratio)" % (cores, cores), ratio(loadN, duck_all),
       1 / 8, "<= 1/8 = 0.125")

section("Our code against itself, for information")
window, ledger, health = ms("LoadYearWindow"), ms("LedgerYear"), ms("HealthYear")
info("load through the window, dialog-driven (ms)", window)
info("window load vs data-set load (ratio)", ratio(window, load))
info("ledger: year, reading threads (ms)", ledger)
info("ledger vs load (ratio)", ratio(ledger, load))
info("health check: year, reading threads (ms)", health)
info("health check vs ledger (ratio)", ratio(health, ledger))

def share(name, value, peer, divisor, peer_text):
    limit = None if peer is None else peer / divisor
    target(name, value, limit, "<= %s/%d = %.1f" % (peer_text, divisor, limit) if limit is not None
           else "<= %s/%d" % (peer_text, divisor))


# The same rows for the window on a desktop screen and filling a 3840x2160 screen.
for size, peer_day, peer_month, day, month, step, cursor in (
        ("", mpl_day, mpl_month, ms("DrawDay"), ms("DrawMonth"), ms("MoveAcrossMidnight"),
         ms("CursorMove")),
        (" at 3840x2160", mpl_day_large, mpl_month_large, ms("DrawDayLarge"), ms("DrawMonthLarge"),
         ms("MoveAcrossMidnightLarge"), ms("CursorMoveLarge"))):
    section("Drawing and moving%s: 10 July 2010 and July 2010, 13 channels" %
            (size or " at 1600x1000"))
    info("peer: matplotlib day redraw%s (ms)" % size, peer_day)
    info("peer: matplotlib month redraw%s (ms)" % size, peer_month)
    share("draw: day span%s (ms)" % size, day, peer_day, 10, "mpl")
    share("draw: month span%s (ms)" % size, month, peer_month, 16, "mpl")
    share("move: scroll step across midnight%s (ms)" % size, step, peer_day, 5, "mpl day")
    if not size:
        target("move: day to month span (ms)", ms("SwitchToMonth"), 60, "<= 60")
        day_ref = ms("DrawDayWithReference")
        info("draw: a day with the week before beneath it (ms)", day_ref)
        target("draw: day with a reference vs without (ratio)", ratio(day_ref, day), 2, "<= 2")
    target("cursor move: year loaded, 13 channels%s (ms)" % size, cursor, 2, "<= 2")

section("Wide lines: the day, every channel a line, width 99 against width 2, at 1600x1000")
for name, thin, wide in (
        ("window", ms("LinesWidth2Window"), ms("LinesWidth99Window")),
        ("picture for an image file", ms("LinesWidth2Picture"), ms("LinesWidth99Picture")),
        ("printed page (PDF)", ms("LinesWidth2Print"), ms("LinesWidth99Print"))):
    info("lines: %s, width 2 (ms)" % name, thin)
    info("lines: %s, width 99 (ms)" % name, wide)
    target("lines: %s, width 99 vs width 2 (ratio)" % name, ratio(wide, thin), 3, "<= 3")

section("Memory: resident size, base the empty window's")
info("memory: empty window, resident (MB)", year_empty)
info("memory: year, peak above the empty window (MB)", minus(year_peak, year_empty))
target("memory: year, resident above the empty window (MB)", minus(year_rss, year_empty), 40,
       "<= 40")
target("memory: ten years, 3650 files, peak resident (MB)", decade_peak, 600, "<= 600")
info("memory: ten years, resident above the empty window (MB)", minus(decade_rss, decade_empty))
info("time: a year into a window (ms)", year_ms)
info("time: ten years into a window (ms)", decade_ms)
target("time: ten years vs a year into a window (ratio)", ratio(decade_ms, year_ms), 10, "<= 10")
target("memory: 100 MB of empty lines opened, peak above the empty window (MB)",
       minus(lines_peak, lines_empty), 200, "<= 200")
target("memory: 1 GB log in a window, peak above the empty window (MB)",
       minus(big_peak, big_empty), 1500, "<= 1500")
target("memory: 1 GB log through solvista-report, peak resident (MB)", big_report_peak, 1500,
       "<= 1500")
target("memory: 1 GB log, every line a point, in a window, peak above the empty window (MB)",
       minus(dense_peak, dense_empty), 1500, "<= 1500")

section("Other limits")
both = ms("LedgerAndHealthYear")
target("ledger + health check: year in one reading (ms)", both,
       None if ledger is None else 1.2 * ledger,
       "<= 1.2 x ledger = %.1f" % (1.2 * ledger) if ledger else "<= 1.2 x ledger")
target("ledger: ten years, the year's files 10 times (ms)", ms("LedgerTenYears"), 1000, "< 1000")
target("files of the widest range, 15 years in folders (ms)", ms("CollectWidestRange"), 1000,
       "< 1000")
target("widest range, 108,000 months: close the window (ms)", ms("CloseWidestRange"),
       ms("LoadWidestRange"), "<= load = %.1f" % ms("LoadWidestRange")
       if ms("LoadWidestRange") is not None else "<= load")
target("start: to first analysis window (ms)", ms("StartProgram"), 500, "<= 500")
target("export: year as log CSV, to a file (ms)", ms("ExportYearLog"), 1000, "<= 1000")
target("export: year as international CSV (ms)", ms("ExportYearInternational"), 1000, "<= 1000")

print()
if duck.get("version"):
    print("DuckDB %s (Node module as pinned in bench/peers/package.json)" % duck["version"])
for name in ("day", "day-large"):
    try:
        layout = json.load(open("%s/layout-%s.json" % (pictures, name)))
        areas = ", ".join("%s %dx%d" % (c["name"], c["area"][2], c["area"][3])
                          for c in layout["charts"])
        print("Both sides drew %dx%d pixels, plot areas %s; pictures in %s" %
              (layout["width"], layout["height"], areas, pictures))
    except (OSError, ValueError, KeyError):
        missing.append("the layout of the charts (%s)" % name)
print("| figure | measured | target | holds |")
print("|---|---:|---|---|")
for name, value, text, holds, kind in rows:
    if kind == "section":
        print("| **%s** | | | |" % name)
        continue
    if value is None:
        missing.append(name)
        shown = "missing"
    else:
        shown = "%.3g" % value if abs(value) < 1 else "%.1f" % value
    verdict = "-" if kind == "info" else ("missing" if holds is None else
                                          ("yes" if holds else "no"))
    print("| %s | %s | %s | %s |" % (name, shown, text, verdict))
failed = [name for name, _, _, holds, kind in rows if kind == "target" and holds is False]
print()
print("targets: %d hold, %d do not%s" % (
    sum(1 for r in rows if r[4] == "target" and r[3]), len(failed),
    (": " + "; ".join(failed)) if failed else ""))
if missing:
    print("run: MISSING, so this run is incomplete: " + "; ".join(missing))
    sys.exit(1)
