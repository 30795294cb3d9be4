# The table of bench/run: a target prints "no" when it does not hold, and a missing peer or figure
# fails the run by name instead of dropping its row.
import json, os, re, subprocess, sys, tempfile, unittest

FIGURES = os.path.join(os.path.dirname(__file__), "..", "..", "bench", "figures.py")
BENCHMARKS = sorted(set(re.findall(r'ms\("(\w+)"\)', open(FIGURES).read())))


def benchmark(name, ms, error=False):
    entry = {"run_name": name + "/real_time", "aggregate_name": "median", "time_unit": "ms",
             "real_time": ms}
    if error:
        entry["error_occurred"] = True
    return entry


class Run:
    """A work folder as bench/run leaves it, every figure present and every target holding."""

    def __init__(self, folder):
        self.folder = folder
        self.times = {name: 1.0 for name in BENCHMARKS}
        self.times.update(LoadYear=40.0, ReadFloorOneThread=10.0)
        self.errors = set()
        self.files = {
            "cat.txt": "1.0 1.1\n",
            "pandas.txt": "1000.0\n",
            "duckdb.txt": "version v1 threads1_ms 800 threadsN_ms 500 threads 2\n",
            "draw.txt": "day_ms 100.0 month_ms 300.0 "
                        "day_large_ms 150.0 month_large_ms 400.0\n",
            "memory.txt": "empty_rss_kb 50000 peak_rss_kb 80000 rss_kb 80000 load_ms 80\n",
            "decade.txt": "empty_rss_kb 50000 peak_rss_kb 300000 rss_kb 290000 load_ms 900\n",
            "empty-lines.txt": "empty_rss_kb 50000 peak_rss_kb 150000 rss_kb 60000 load_ms 0\n",
            "big-window.txt": "empty_rss_kb 50000 peak_rss_kb 1200000 rss_kb 1100000 load_ms 0\n",
            "big-report.txt": "peak_rss_kb 1200000\n",
            "dense-window.txt": "empty_rss_kb 50000 peak_rss_kb 1250000 rss_kb 950000 load_ms 0\n",
        }

    def run(self, *missing):
        for name, text in self.files.items():
            if text is not None:
                with open(os.path.join(self.folder, name), "w") as out:
                    out.write(text)
        with open(os.path.join(self.folder, "bench.json"), "w") as out:
            json.dump({"benchmarks": [benchmark(n, t, n in self.errors)
                                      for n, t in self.times.items()]}, out)
        for name in ("day", "day-large"):
            with open(os.path.join(self.folder, "layout-%s.json" % name), "w") as out:
                json.dump({"width": 100, "height": 80,
                           "charts": [{"name": "Chart", "area": [1, 2, 90, 60]}]}, out)
        done = subprocess.run([sys.executable, FIGURES, self.folder, self.folder, *missing],
                              capture_output=True, text=True)
        return done.returncode, done.stdout


def row(output, name):
    for line in output.splitlines():
        if line.startswith("| " + name):
            return [cell.strip() for cell in line.strip("|").split("|")]
    raise AssertionError("no row " + name)


class FiguresTable(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.run = Run(self.tmp.name)

    def tearDown(self):
        self.tmp.cleanup()

    def test_targets_hold_and_fail_by_their_figures(self):
        status, out = self.run.run()
        self.assertEqual(status, 0, out)
        self.assertEqual(row(out, "load vs read floor")[1:], ["4.0", "<= 8", "yes"])
        self.assertEqual(row(out, "load vs DuckDB threads=1")[3], "yes")
        self.assertEqual(row(out, "memory: year, resident above")[1:], ["30.7", "<= 40", "yes"])
        self.assertIn("targets: ", out)
        self.assertNotIn("MISSING", out)

        self.run.times["LoadYear"] = 90.0  # 9 times the floor, above 1/12 of pandas
        self.run.files["memory.txt"] = "empty_rss_kb 50000 peak_rss_kb 99000 rss_kb 90000 load_ms 1\n"
        self.run.times["DrawMonth"] = 19.0  # above 300/16
        self.run.times["DrawDayLarge"] = 16.0  # above 150/10, the large screen's own peer
        self.run.times["LinesWidth99Picture"] = 3.5  # 3.5 times its width-2 picture
        status, out = self.run.run()
        self.assertEqual(status, 0, out)  # a target that does not hold is reported, not fatal
        self.assertEqual(row(out, "load vs read floor")[1:], ["9.0", "<= 8", "no"])
        self.assertEqual(row(out, "load vs pandas")[3], "no")
        self.assertEqual(row(out, "memory: year, resident above")[1:], ["41.0", "<= 40", "no"])
        self.assertEqual(row(out, "memory: year, peak above")[1], "50.2")
        self.assertEqual(row(out, "draw: month span")[3], "no")
        self.assertEqual(row(out, "draw: day span at 3840x2160")[1:], ["16.0", "<= mpl/10 = 15.0",
                                                                       "no"])
        self.assertEqual(row(out, "draw: day span (ms)")[3], "yes")
        self.assertEqual(row(out, "lines: picture for an image file, width 99 vs")[1:],
                         ["3.5", "<= 3", "no"])
        self.assertEqual(row(out, "lines: window, width 99 vs")[3], "yes")
        self.assertIn("load vs read floor, one thread (ratio); load vs pandas", out)

    def test_the_year_and_the_decade_are_medians_of_their_runs(self):
        year = "empty_rss_kb 50000 peak_rss_kb 80000 rss_kb 80000 load_ms %s\n"
        decade = "empty_rss_kb 50000 peak_rss_kb 300000 rss_kb 290000 load_ms %s\n"
        # One fast year alone would put the decade at 20 times it.
        self.run.files["memory.txt"] = "".join(year % ms for ms in (50, 100, 95, 110, 105))
        self.run.files["decade.txt"] = "".join(decade % ms for ms in (990, 1010, 1000, 1200, 980))
        status, out = self.run.run()
        self.assertEqual(status, 0, out)
        self.assertEqual(row(out, "time: a year into a window")[1], "100.0")
        self.assertEqual(row(out, "time: ten years into a window")[1], "1000.0")
        self.assertEqual(row(out, "time: ten years vs a year into a window")[1:],
                         ["10.0", "<= 10", "yes"])

        self.run.files["decade.txt"] = "".join(decade % ms for ms in (1100, 1010, 1120, 1200, 980))
        status, out = self.run.run()
        self.assertEqual(row(out, "time: ten years vs a year into a window")[1:],
                         ["11.0", "<= 10", "no"])

    def test_information_rows_have_no_verdict(self):
        self.run.times["HealthYear"] = 1000.0
        status, out = self.run.run()
        self.assertEqual(status, 0, out)
        self.assertEqual(row(out, "health check vs ledger")[2:], ["-", "-"])
        self.assertEqual(row(out, "cat of the files")[1:], ["100.0", "-", "-"])

    def test_a_missing_peer_fails_the_run_by_name(self):
        self.run.files["duckdb.txt"] = None
        status, out = self.run.run("DuckDB: its Node module 1.2.3 could not be installed")
        self.assertEqual(status, 1)
        self.assertEqual(row(out, "load vs DuckDB threads=1")[1:], ["missing", "<= 1/8 = 0.125",
                                                                    "missing"])
        self.assertRegex(out, r"MISSING.*DuckDB: its Node module 1.2.3.*peer: DuckDB read_csv")

        self.run.files["duckdb.txt"] = "version v1\n"  # ran, but printed no times
        status, out = self.run.run()
        self.assertEqual(status, 1)
        self.assertIn("MISSING", out)

    def test_a_failed_or_absent_figure_fails_the_run(self):
        self.run.errors.add("DrawDay")
        self.run.files["draw.txt"] = ""
        self.run.files["decade.txt"] = "empty_rss_kb 50000\n"
        status, out = self.run.run()
        self.assertEqual(status, 1)
        self.assertEqual(row(out, "draw: day span")[1], "missing")
        self.assertEqual(row(out, "draw: month span")[3], "missing")
        for name in ("draw: day span", "peer: matplotlib day", "memory: ten years, 3650"):
            self.assertRegex(out, "MISSING.*" + re.escape(name))


if __name__ == "__main__":
    unittest.main()
