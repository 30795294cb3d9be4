# The drawing peer: matplotlib (Agg) redraws the day and the month the program draws, laid out as
# the program's two charts are (layout-day.json and layout-month.json, written by solvbench: the
# picture's size, each plot area and its value ranges). Above, the seven temperatures as lines on
# the left axis, Flow and Power (kW) as filled steps on the right axis; below, the four outputs as
# steps at their levels. Lines of width 2, one artist per series. The same again for the window
# filling a 3840x2160 screen (layout-day-large.json, layout-month-large.json). Prints "day_ms A
# month_ms B day_large_ms C month_large_ms D" (medians of 7 redraws after one untimed draw) and
# saves matplotlib-day.png, -month.png, -day-large.png and -month-large.png beside the layouts.
import datetime, glob, json, statistics, sys, time

import matplotlib

matplotlib.use("Agg")
import matplotlib.dates as mdates
import matplotlib.pyplot as plt
import pandas as pd

folder, pictures = sys.argv[1], sys.argv[2]
files = sorted(glob.glob(folder + "/*.csv"))
day_index = int(sys.argv[3])            # the day the program draws
month_first, month_last = int(sys.argv[4]), int(sys.argv[5])  # its month, both included

# The program's default colours of T1 to Tds, Flow and Power, and of the four outputs.
TEMPERATURE_COLOURS = ["#ff0000", "#0000ff", "#ff0080", "#008000", "#ff8000", "#808000", "#000000"]
FILL_COLOURS = ["#0080ff", "#00ff40"]
OUTPUT_COLOURS = ["#0000ff", "#008000", "#000000", "#ff0000"]
WIDTH = 2 * 72 / 100  # two pixels, in points at 100 dots per inch


def date_of(path):
    stem = path.rsplit("/", 1)[-1][:8]
    return datetime.datetime(int(stem[:4]), int(stem[4:6]), int(stem[6:8]))


def day(path):
    data = pd.read_csv(path, sep=";", decimal=",", encoding="cp1252")
    data["DATE & TIME"] = pd.to_datetime(data["DATE & TIME"], format="%Y-%m-%d %H:%M")
    # The logger stamps a day's first record, taken at midnight, with the day before; the program
    # shows it at the start of the file's day, and so does this peer (or a month's line would go
    # back a day at every file).
    data["DATE & TIME"] = data["DATE & TIME"].clip(lower=date_of(path))
    return data


def frame(paths):
    return pd.concat([day(p) for p in paths], ignore_index=True)


def figure(data, first, last, layout):
    width, height = layout["width"], layout["height"]
    fig = plt.figure(figsize=(width / 100, height / 100), dpi=100)
    charts = {chart["name"]: chart for chart in layout["charts"]}

    def axes(chart):
        x, y, w, h = chart["area"]
        ax = fig.add_axes([x / width, 1 - (y + h) / height, w / width, h / height])
        ax.set_xlim(mdates.date2num(first), mdates.date2num(last))
        ax.set_ylim(*chart["left"])
        return ax

    x = mdates.date2num(data["DATE & TIME"])
    top = axes(charts["Chart"])
    for column, colour in zip(range(1, 8), TEMPERATURE_COLOURS):
        top.plot(x, data.iloc[:, column].to_numpy(), color=colour, linewidth=WIDTH)
    right = top.twinx()
    right.set_ylim(*charts["Chart"]["right"])
    # Flow in l/min, Power in kW as the program shows it.
    for column, scale, colour in ((8, 1.0, FILL_COLOURS[0]), (9, 1e-3, FILL_COLOURS[1])):
        right.fill_between(x, 0, data.iloc[:, column].to_numpy() * scale, step="post",
                           color=colour, linewidth=0)
    top.set_zorder(right.get_zorder() + 1)  # the temperatures over the filled steps
    top.patch.set_visible(False)
    bottom = axes(charts["Chart2"])
    for k, (column, colour) in enumerate(zip(range(10, 14), OUTPUT_COLOURS)):
        level = 44.5 - 15 * k + 0.1 * data.iloc[:, column].to_numpy() + 0.5
        bottom.step(x, level, where="post", color=colour, linewidth=WIDTH)
    # The program's grid and labels: every six hours in a day, every few days in a month, the
    # outputs named at their levels.
    one_day = last - first <= datetime.timedelta(days=1)
    bottom.set_yticks([44.5 - 15 * k for k in range(4)], ["R1", "R2", "R3", "RErr"])
    for ax in (top, bottom):
        ax.xaxis.set_major_locator(mdates.HourLocator(byhour=range(0, 24, 6)) if one_day
                                   else mdates.DayLocator(bymonthday=range(1, 32, 7)))
        ax.xaxis.set_major_formatter(mdates.DateFormatter("%H:%M" if one_day else "%d.%m."))
        ax.grid(linestyle=":", color="#a0a0a0")
    return fig


def redraw_ms(fig):
    fig.canvas.draw()
    times = []
    for _ in range(7):
        t0 = time.perf_counter()
        fig.canvas.draw()
        times.append(time.perf_counter() - t0)
    return statistics.median(times) * 1000


figures = []
for name, first, last in (("day", day_index, day_index), ("month", month_first, month_last),
                          ("day-large", day_index, day_index),
                          ("month-large", month_first, month_last)):
    layout = json.load(open("%s/layout-%s.json" % (pictures, name)))
    start = date_of(files[first])
    end = date_of(files[last]) + datetime.timedelta(days=1)
    fig = figure(frame(files[first:last + 1]), start, end, layout)
    figures.append((name.replace("-", "_"), redraw_ms(fig)))
    fig.savefig("%s/matplotlib-%s.png" % (pictures, name), dpi=100)
    plt.close(fig)
print(" ".join("%s_ms %r" % pair for pair in figures))
