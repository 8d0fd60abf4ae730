#!/usr/bin/python3
"""Sweeps a grid of settings of one output over a dataset of recordings on a Dask cluster, and
prints each combination's figures over the whole dataset, the best first.

    examples/python/sweep_dataset.py RECORDING... [--grid KEY=V1,V2,...]... [--output N]
        [--config FILE] [--device D] [--channel NAME] [--event TEXT] [--window EARLY LATE]
        [--scheduler tcp://HOST:8786 | --workers N]

RECORDING: any file MNE reads (EDF+, BDF, GDF, BrainVision, FIF ...); its annotations whose
text is --event (default "burst") are the events the output should catch, --channel (default
the first) goes to Input 1. KEY is a setting of the output (PulseDuration, PulseDelay,
RetriggerHoldoffTime ...) or of its first rule (Level, Hysteresis, Above, Input), as the
configuration text names them. Without --scheduler the sweep runs on a LocalCluster of --workers
processes (default 2). A worker reads each recording once and replays it with every
combination: the recordings are the unit of work.
"""
import argparse
import itertools
import math
import os
import sys
import time

import tarvel

EXAMPLES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RULE_KEYS = {"Input", "Above", "Hysteresis", "Level"}


def combinations(grid):
    """Every combination of a grid {"Level": [20, 25], ...}, as dicts, the last key fastest."""
    keys = list(grid)
    return [dict(zip(keys, values)) for values in itertools.product(*(grid[k] for k in keys))]


def configured(text, output, settings):
    """The configuration text with `settings` of `output` (and of its first rule) changed."""
    lines = text.split("\n")
    current, rules, changed = None, 0, set()
    for number, line in enumerate(lines):
        key, _, value = (part.strip() for part in line.partition("="))
        if key == "BeginOnlineEvent":
            current, rules = None, 0
        elif key == "Output" and current is None:
            current = int(value)
        elif key == "BeginOnlineEventRule":
            rules += 1
        elif current == output and key in settings and rules == (1 if key in RULE_KEYS else 0):
            lines[number] = f"{key} = {settings[key]}"
            changed.add(key)
    missing = sorted(set(settings) - changed)
    if missing:
        raise ValueError(f"output {output} of the configuration has no setting {missing[0]}")
    return tarvel.Configuration.from_text("\n".join(lines))


def score_recording(path, configurations, device, channel, event, output, window):
    """The figures of each configuration on one recording (runs on a worker)."""
    import mne

    raw = mne.io.read_raw(path, verbose="error")
    picks = {"Input 1": channel or raw.ch_names[0]}
    raw.pick(list(picks.values())).load_data(verbose="error")  # only those replayed, once
    references = raw.annotations.onset[raw.annotations.description == event]
    dev = tarvel.Device(device)
    scores = []
    for text in configurations:
        events = tarvel.replay_raw(dev, tarvel.Configuration.from_text(text), raw, picks=picks)
        scores.append(tarvel.score(events, references, window=window, output=output))
    return scores


def sweep(recordings, config, grid, output=1, device="", channel=None, event="burst",
          window=(-0.1, 0.1), client=None):
    """Per combination of `grid`: (settings, figures over every recording), in the grid's order.
    On `client` (a dask.distributed.Client) when given, else here, one recording after another.
    """
    settings = combinations(grid)
    texts = [configured(config.text, output, s).text for s in settings]
    arguments = (texts, device, channel, event, output, tuple(window))
    if client is None:
        per_recording = [score_recording(path, *arguments) for path in recordings]
    else:
        futures = [client.submit(score_recording, path, *arguments, pure=False)
                   for path in recordings]
        per_recording = client.gather(futures)
    return [(s, tarvel.combine([scores[k] for scores in per_recording]))
            for k, s in enumerate(settings)]


def parsed_grid(items):
    grid = {}
    for item in items:
        key, _, values = item.partition("=")
        if not values:
            sys.exit(f"--grid {item}: expected KEY=V1,V2,...")
        grid[key.strip()] = [v.strip() for v in values.split(",")]
    return grid


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("recordings", nargs="+")
    parser.add_argument("--grid", action="append", default=[])
    parser.add_argument("--output", type=int, default=1)
    parser.add_argument("--config", default=os.path.join(EXAMPLES, "preview-bursts.txt"))
    parser.add_argument("--device", default="")
    parser.add_argument("--channel")
    parser.add_argument("--event", default="burst")
    parser.add_argument("--window", type=float, nargs=2, default=(-0.1, 0.1))
    parser.add_argument("--scheduler", help="a running scheduler, tcp://host:8786")
    parser.add_argument("--workers", type=int, default=2, help="of the LocalCluster")
    return parser.parse_args()


def main():
    args = arguments()
    from dask.distributed import Client, LocalCluster

    if args.scheduler:
        client = Client(args.scheduler)
    else:
        client = Client(LocalCluster(n_workers=args.workers, threads_per_worker=1,
                                     dashboard_address=None))
    grid = parsed_grid(args.grid) or {"Level": ["25"]}
    began = time.perf_counter()
    rows = sweep(args.recordings, tarvel.Configuration.from_file(args.config), grid,
                 args.output, args.device, args.channel, args.event, args.window, client)
    seconds = time.perf_counter() - began
    widths = {k: max(6, len(k)) for k in grid}
    print(" ".join(f"{k:>{w}}" for k, w in widths.items()) + "  hits missed  false  "
          "sensitivity  predictivity      F1  latency")
    # The best F1 first, those without one (no events, no pulses) last.
    for settings, s in sorted(rows, key=lambda row: 1.0 if math.isnan(row[1]["f1"])
                              else -row[1]["f1"]):
        print(" ".join(f"{settings[k]:>{w}}" for k, w in widths.items()) +
              f"  {s['hits']:4} {s['missed']:6} {s['false_pulses']:6} {s['sensitivity']:12.4f} "
              f"{s['positive_predictivity']:13.4f} {s['f1']:7.4f} "
              f"{s['latency_median'] * 1e3:5.1f} ms")
    print(f"{len(rows)} combinations x {len(args.recordings)} recording(s) on "
          f"{len(client.scheduler_info()['workers'])} worker(s): {seconds:.2f} s")
    client.close()


if __name__ == "__main__":
    main()
