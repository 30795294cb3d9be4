# The drawing peer: matplotlib (Agg) redraws the same day and the same month the program draws,
# 1600x1000, the 13 day channels at width 2, the outputs as steps on a lower chart. Prints
# "day_ms month_ms", medians of 7 redraws after one untimed draw.
import glob, statistics, sys, time

import matplotlib

matplotlib.use("Agg")
import matplotlib.dates as mdates
import matplotlib.pyplot as plt
import pandas as pd

files = sorted(glob.glob(sys.argv[1] + "/*.csv"))
day_index = int(sys.argv[2])            # the day the program draws
month_first, month_last = int(sys.argv[3]), int(sys.argv[4])  # its month, both included


def frame(paths):
    return pd.concat([pd.read_csv(p, sep=";", decimal=",", encoding="cp1252") for p in paths])


def figure(data):
    x = mdates.date2num(pd.to_datetime(data.iloc[:, 0], format="%Y-%m-%d %H:%M"))
    fig = plt.figure(figsize=(16, 10), dpi=100)
    top = fig.add_subplot(2, 1, 1)
    bottom = fig.add_subplot(2, 1, 2, sharex=top)
    for column in range(1, 10):
        top.plot(x, data.iloc[:, column].to_numpy(), linewidth=2)
    for k, column in enumerate(range(10, 14)):
        bottom.plot(x, 44.5 - 15 * k + 0.1 * data.iloc[:, column].to_numpy() + 0.5,
                    drawstyle="steps-post", linewidth=2)
    top.xaxis_date()
    return fig


def redraw_ms(fig):
    fig.canvas.draw()
    times = []
    for _ in range(7):
        t0 = time.perf_counter()
        fig.canvas.draw()
        times.append(time.perf_counter() - t0)
    return statistics.median(times) * 1000


day = redraw_ms(figure(frame(files[day_index:day_index + 1])))
month = redraw_ms(figure(frame(files[month_first:month_last + 1])))
print(day, month)
