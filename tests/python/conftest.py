"""What the module's tests share: ostrel of the same build, the examples, and ostrel's events."""
import csv
import os
import subprocess

import numpy as np
import pytest

SOURCE = os.environ.get("TARVEL_SOURCE_DIR",
                        os.path.dirname(os.path.dirname(os.path.dirname(__file__))))
OSTREL = os.environ.get("TARVEL_OSTREL", os.path.join(SOURCE, "build", "bin", "ostrel"))


def example(name):
    return os.path.join(SOURCE, "examples", name)


def ostrel(*arguments):
    """Runs ostrel; its standard output, or the failure with both outputs."""
    done = subprocess.run([OSTREL, *arguments], capture_output=True, text=True)
    assert done.returncode == 0, f"ostrel {' '.join(arguments)}:\n{done.stdout}{done.stderr}"
    return done.stdout


def preview_events(config, signals, device, folder, *options):
    """The rows of `ostrel preview --events` as lists of the CSV's text fields."""
    events = os.path.join(folder, "events.csv")
    ostrel("preview", config, "--signals", signals, "--device", device, "--events", events,
           *options)
    with open(events, newline="") as rows:
        return list(csv.reader(rows))[1:]


def as_csv_rows(events, decimals):
    """A structured array of events as the CSV writes its rows, times with `decimals`."""
    def seconds(value):
        return "" if np.isnan(value) else f"{value:.{decimals}f}"

    return [[str(e["output"]), e["name"], e["event"], seconds(e["start"]), seconds(e["end"]),
             e["note"]] for e in events]


def same_events(a, b):
    """Two structured arrays of events alike, field by field, an end that is NaN (no pulse's)
    alike too."""
    return a.dtype == b.dtype and all(
        np.array_equal(a[f], b[f], equal_nan=a.dtype[f].kind == "f") for f in a.dtype.names)


@pytest.fixture
def folder(tmp_path):
    return str(tmp_path)
