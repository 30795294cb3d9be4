# The loading peer a user would reach for: pandas reads every day file (its C parser, the
# separator, decimal comma and encoding given), concatenates them and parses the time stamps with
# their format, all inside the timed part, as the program's load turns every time stamp into a
# moment. One thread, as pandas reads. Prints the median of 5 in one interpreter, in ms; exits 1
# when the frame misses rows or a column was not read as numbers or moments.
import glob, statistics, sys, time

import pandas as pd

files = sorted(glob.glob(sys.argv[1] + "/*.csv"))
expected_rows = int(sys.argv[2])
times = []
for _ in range(5):
    t0 = time.perf_counter()
    frame = pd.concat([pd.read_csv(f, sep=";", decimal=",", encoding="cp1252") for f in files],
                      ignore_index=True)
    frame["DATE & TIME"] = pd.to_datetime(frame["DATE & TIME"], format="%Y-%m-%d %H:%M")
    times.append(time.perf_counter() - t0)
if len(frame) < expected_rows:
    sys.exit("pandas: %d rows, expected %d" % (len(frame), expected_rows))
kinds = frame.dtypes
if kinds.iloc[0].kind != "M" or any(kind.kind not in "fi" for kind in kinds.iloc[1:]):
    sys.exit("pandas: columns not read as moments and numbers: %s" % list(kinds))
print(statistics.median(times) * 1000)
