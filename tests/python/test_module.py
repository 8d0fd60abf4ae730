"""The module's device replays as `ostrel preview` does, its scores are the scoring's figures,
a sweep on a Dask cluster equals the same sweep run here, and what does not fit is refused with
ostrel's messages."""
import json
import math
import os
import shutil
import sys
import wave

import numpy as np
import pytest

import tarvel
from conftest import SOURCE, as_csv_rows, example, ostrel, preview_events, same_events

sys.path.insert(0, os.path.join(SOURCE, "examples", "python"))
import sweep_dataset  # noqa: E402  (from the examples' folder)


def csv_recording(folder):
    return np.loadtxt(example("noisy-bursts.csv"), delimiter=",", skiprows=1)[:, 1:], 1000.0


def wav_recording(folder):
    with wave.open(example("noisy-bursts.wav")) as sound:
        frames = np.frombuffer(sound.readframes(sound.getnframes()), dtype="<i2")
        samples = frames.reshape(-1, sound.getnchannels()).astype(np.float64)
        return samples * (1.0 / 32768) * 10.0, float(sound.getframerate())


def five_inputs(folder):
    """Bursts on five inputs at 10 kS/s, long enough that pulses cross the replay's blocks, kept
    as CSV for ostrel and handed over as the same numbers."""
    rng = np.random.default_rng(7)
    count = 200_000
    signals = rng.normal(0.0, 0.4, (count, 5))
    for start in rng.integers(0, count - 2000, 60):
        signals[start:start + int(rng.integers(20, 1500)), rng.integers(0, 5)] += 7.0
    path = f"{folder}/five.csv"
    times = np.arange(count) / 10_000.0
    header = "time (s)," + ",".join(f"Input {k} (V)" for k in range(1, 6))
    np.savetxt(path, np.column_stack([times, signals]), fmt="%.6f", delimiter=",",
               header=header, comments="")
    return np.loadtxt(path, delimiter=",", skiprows=1)[:, 1:], 10_000.0, path


@pytest.mark.parametrize("config, signals, device, recording", [
    ("preview-bursts.txt", example("noisy-bursts.csv"), "", csv_recording),
    ("preview-bursts.txt", example("noisy-bursts.wav"), "", wav_recording),
    ("pulse-trains.txt", None, "inputs=5, analog=1, digital=4", five_inputs),
])
def test_replay_equals_preview(folder, config, signals, device, recording):
    data, rate, *written = recording(folder)
    signals = signals or written[0]
    expected = preview_events(example(config), signals, device, folder)
    dev = tarvel.Device(device)
    programmed = dev.program(tarvel.Configuration.from_file(example(config)))
    assert all(output["accepted"] for output in programmed)
    events = dev.replay(data, rate)
    assert len(expected) > 10
    decimals = len(expected[0][3].split(".")[1])
    assert as_csv_rows(events, decimals) == expected
    # A transposed view of the same samples replays alike, without a copy.
    assert same_events(dev.replay(np.ascontiguousarray(data.T).T, rate), events)


def test_replay_raw_converts_to_the_inputs_unit(folder):
    """An EDF read by MNE (in volts) on a device whose inputs are in millivolts replays as ostrel
    replays the file."""
    mne = pytest.importorskip("mne")
    device = "inputs=1, analog=1, digital=none, range=10000 mV"
    config = example("preview-bursts.txt")
    expected = preview_events(config, example("noisy-bursts.edf"), device, folder)
    raw = mne.io.read_raw_edf(example("noisy-bursts.edf"), verbose="error")
    events = tarvel.replay_raw(tarvel.Device(device), tarvel.Configuration.from_file(config), raw,
                               picks={"Input 1": "Input 1"})
    assert len(expected) > 10
    assert as_csv_rows(events, 3) == expected


def test_threads_replay_alike_in_parallel():
    data, rate = csv_recording(None)
    dev = tarvel.Device()
    dev.program(tarvel.Configuration.from_file(example("preview-bursts.txt")))
    alone = dev.replay(data, rate)
    from concurrent.futures import ThreadPoolExecutor
    with ThreadPoolExecutor(4) as pool:
        together = list(pool.map(lambda _: dev.replay(data, rate), range(8)))
    assert all(same_events(events, alone) for events in together)


def made_events(rows):
    """Events as Device.replay returns them, from (output, event, start) rows."""
    def name(output):
        return f"Analog Output {output}" if output > 0 else f"Digital Output {-output}"

    return np.array([(o, name(o), e, t, t + 0.01 if e == "pulse" else np.nan, "")
                     for o, e, t in rows],
                    dtype=[("output", "<i4"), ("name", "<U17"), ("event", "<U7"),
                           ("start", "<f8"), ("end", "<f8"), ("note", "<U21")])


HAND_MADE = made_events([(1, "pulse", 1.00), (1, "ignored", 1.01), (1, "pulse", 1.05),
                         (1, "pulse", 2.05), (1, "pulse", 3.50), (-1, "pulse", 4.98)])


@pytest.mark.parametrize("arguments, counts, latencies, missed_at, false_at", [
    # Each event takes the earliest pulse in its window; the second pulse there is false.
    (dict(reference_times=[1.02, 2.0, 5.0]), (3, 4, 2), [-0.02, 0.05], [5.0], [1.05, 3.5]),
    (dict(reference_times=[5.0, 2.0, 1.02], window=(0.0, 0.1)), (3, 4, 2), [0.03, 0.05], [5.0],
     [1.0, 3.5]),
    (dict(reference_times=[1.02, 2.0, 5.0], span=(0.0, 3.0)), (2, 3, 2), [-0.02, 0.05], [],
     [1.05]),
    (dict(reference_times=[1.02, 2.0, 5.0], output=-1), (3, 1, 1), [-0.02], [1.02, 2.0], []),
    (dict(reference_times=[5.0], output="Digital Output 1"), (1, 1, 1), [-0.02], [], []),
    (dict(reference_times=[], output=2), (0, 0, 0), [], [], []),
])
def test_score_gives_the_scorings_figures(arguments, counts, latencies, missed_at, false_at):
    """Hand-made events: the window's edges, unordered events, a span, outputs by number and
    by name, no events at all."""
    s = tarvel.score(HAND_MADE, **arguments)
    events, pulses, hits = counts
    assert (s["events"], s["pulses"], s["hits"]) == counts
    assert (s["missed"], s["false_pulses"]) == (events - hits, pulses - hits)
    assert s["latencies"] == pytest.approx(latencies)
    assert list(s["missed_times"]) == missed_at and list(s["false_pulse_times"]) == false_at
    for key, expected in [("sensitivity", (hits, events)), ("positive_predictivity",
                                                            (hits, pulses)),
                          ("f1", (2 * hits, events + pulses))]:
        assert s[key] == pytest.approx(expected[0] / expected[1]) if expected[1] else \
            math.isnan(s[key])
    if latencies:
        assert s["latency_median"] == pytest.approx(np.median(latencies))
        assert s["latency_p95"] == pytest.approx(np.percentile(latencies, 95))
    # Two recordings scored alike add up: counts, latencies and the ratios of the total.
    twice = tarvel.combine([s, s])
    assert (twice["events"], twice["pulses"], twice["hits"]) == tuple(2 * c for c in counts)
    assert twice["f1"] == s["f1"] or math.isnan(s["f1"])
    assert sorted(twice["latencies"]) == pytest.approx(sorted(latencies * 2))


@pytest.mark.parametrize("window, part", [
    ((-0.1, 0.1), ()), ((0.0, 0.015), ()), ((-0.05, 0.05), ("--from", "1", "--to", "4.5")),
])
def test_score_equals_preview_reference(folder, window, part):
    """Both outputs that are on, scored against the sample EDF+'s annotations read by MNE."""
    mne = pytest.importorskip("mne")
    config, signals = example("preview-bursts.txt"), example("noisy-bursts.edf")
    ostrel("preview", config, "--signals", signals, "--reference", signals, "--label", "burst",
           "--window", f"{window[0]},{window[1]}", "--json", f"{folder}/scores.json", *part)
    with open(f"{folder}/scores.json") as written:
        expected = {o["output"]: o["score"] for o in json.load(written)["outputs"] if o["score"]}
    raw = mne.io.read_raw_edf(signals, verbose="error")
    events = tarvel.replay_raw(tarvel.Device(), tarvel.Configuration.from_file(config), raw)
    span = (float(part[1]), float(part[3])) if part else None
    assert sorted(expected) == [-1, 1]
    for output, figures in expected.items():
        s = tarvel.score(events, raw.annotations.onset, window=window, output=output, span=span)
        flat = {k: v for k, v in figures.items() if k != "latency_ms"}
        flat.update({f"latency_{k}": math.nan if v is None else v / 1e3
                     for k, v in figures["latency_ms"].items()})
        assert {k: s[k] for k in flat} == pytest.approx(flat, rel=1e-9, nan_ok=True), output


def test_sweep_on_two_workers_equals_the_serial_sweep(folder, monkeypatch):
    """Annotated EDF+ recordings read by MNE, on a LocalCluster of two processes."""
    distributed = pytest.importorskip("dask.distributed")
    recordings = [example("noisy-bursts.edf"), shutil.copy(example("noisy-bursts.edf"),
                                                           f"{folder}/copy.edf")]
    grid = {"Level": ["20", "25", "30"], "RetriggerHoldoffTime": ["0.05", "0.2"]}
    config = tarvel.Configuration.from_file(example("preview-bursts.txt"))
    serial = sweep_dataset.sweep(recordings, config, grid)
    # The workers import the example's functions as the test does.
    monkeypatch.setenv("PYTHONPATH", os.pathsep.join([os.path.dirname(sweep_dataset.__file__),
                                                      os.environ.get("PYTHONPATH", "")]))
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        parallel = sweep_dataset.sweep(recordings, config, grid, client=client)
    assert [settings for settings, _ in serial] == sweep_dataset.combinations(grid)
    np.testing.assert_equal(parallel, serial)
    f1 = [s["f1"] for _, s in serial]
    assert len(set(f1)) > 1 and all(s["events"] == 12 for _, s in serial)


def bursts_device():
    dev = tarvel.Device()
    dev.program(tarvel.Configuration.from_file(example("preview-bursts.txt")))
    return dev


def two_input_rule():
    dev = tarvel.Device()
    dev.program(tarvel.Configuration.from_file(example("pulse-trains.txt")))
    return dev


@pytest.mark.parametrize("attempt, error, message", [
    (lambda: tarvel.Device("inputs=2, colour=red"), ValueError,
     'bad device description: device description, item "colour=red": unknown key "colour"'),
    (lambda: tarvel.Device("range=0 V"), ValueError, "range"),
    (lambda: tarvel.Configuration.from_text("Version = 1\nAnalogOutputCount = x\n"), ValueError,
     'line 2: expected a whole number after "AnalogOutputCount = ", found "x"'),
    (lambda: tarvel.Configuration.from_text(open(example("broken-fifth-rule.txt")).read()),
     ValueError, "line 45: output 1 would have more than 4 rules"),
    (lambda: tarvel.Configuration.from_file(example("future-version.txt")), ValueError,
     "future-version.txt:1: version 2 is newer than this Tarvel reads"),
    (lambda: tarvel.Configuration.from_file(example("no-such-file.txt")), OSError,
     "cannot read .*no-such-file.txt: No such file or directory"),
    (lambda: bursts_device().replay(np.zeros(100), 1000.0), ValueError,
     r"two-dimensional array .* the shape \(100,\)"),
    (lambda: bursts_device().replay(np.zeros((100, 9)), 1000.0), ValueError,
     "the array: it has 9 columns, but the device has only 8 inputs"),
    (lambda: bursts_device().replay(np.zeros((0, 1)), 1000.0), ValueError,
     "the array: it holds no sample"),
    (lambda: bursts_device().replay(np.zeros((100, 1)), float("nan")), ValueError,
     "the array: the sample rate nan per second does not fit the device"),
    (lambda: bursts_device().replay(np.zeros((100, 1)), 1000.0, start=float("inf")), ValueError,
     "start must be the time of the first sample in seconds, not inf"),
    (lambda: bursts_device().replay(np.zeros((100, 1)), 200_000.0), ValueError,
     "sample rate 200000.* up to 100000 per second"),
    (lambda: two_input_rule().replay(np.zeros((100, 1)), 1000.0), ValueError,
     "the array: output 1 watches Input 2, but the recording holds 1 inputs"),
    (lambda: bursts_device().replay(np.zeros((100, 1)), 1000.0, units=["s"]), ValueError,
     'the unit "s" of column 0 \\(Input 1\\) is not the unit "V" of the device\'s Input 1'),
    (lambda: bursts_device().replay(np.zeros((100, 1)), 1000.0, units=["V", "V"]), ValueError,
     "one item per column"),
    (lambda: tarvel.score(HAND_MADE, [1.0, float("nan")]), ValueError,
     "reference_times: item 1 is nan, not a time in seconds"),
    (lambda: tarvel.score(HAND_MADE, [[1.0]]), ValueError, "one-dimensional array of seconds"),
    (lambda: tarvel.score(HAND_MADE, [1.0], window=(0.1, -0.1)), ValueError,
     "the match window's start lies after its end"),
    (lambda: tarvel.score(HAND_MADE, [1.0], span=(3.0, 1.0)), ValueError,
     "span: its start 3.0+ does not lie before its end"),
    (lambda: tarvel.score(np.zeros(3), [1.0]), ValueError, "the structured array"),
    (lambda: tarvel.combine([{"events": 1}]), ValueError, 'a score without "pulses"'),
    (lambda: sweep_dataset.configured(tarvel.Configuration.from_file(
        example("preview-bursts.txt")).text, 1, {"Levle": 3}), ValueError,
     "output 1 of the configuration has no setting Levle"),
])
def test_bad_input_raises_with_ostrels_message(attempt, error, message):
    with pytest.raises(error, match=message):
        attempt()
