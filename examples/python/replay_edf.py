#!/usr/bin/python3
"""Reads an EDF+ recording with MNE, replays one of its channels through the device, scores the
output's pulses against the recording's annotations and draws what happened.

    examples/python/replay_edf.py [RECORDING] [--channel NAME] [--event TEXT] [--plot FILE]

By default the project's sample recording (examples/noisy-bursts.edf, whose annotations mark
each burst), examples/preview-bursts.txt on the demonstration device, Analog Output 1, and the
picture in bursts.png. Any format MNE reads works alike (BDF, GDF, BrainVision, FIF ...).
"""
import argparse
import os

import matplotlib
import mne
import numpy as np

import tarvel

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (after the backend is chosen)

EXAMPLES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("recording", nargs="?", default=os.path.join(EXAMPLES, "noisy-bursts.edf"))
    parser.add_argument("--config", default=os.path.join(EXAMPLES, "preview-bursts.txt"))
    parser.add_argument("--device", default="", help="ostrel's --device syntax")
    parser.add_argument("--channel", help="the channel on Input 1 (default: the first)")
    parser.add_argument("--event", default="burst", help="the annotations to score against")
    parser.add_argument("--output", type=int, default=1)
    parser.add_argument("--window", type=float, nargs=2, default=(-0.1, 0.1))
    parser.add_argument("--plot", default="bursts.png")
    return parser.parse_args()


def draw(path, raw, channel, events, result, output, references):
    times = raw.times + raw.first_time
    values = raw.get_data(picks=[channel])[0]
    figure, axes = plt.subplots(figsize=(10, 3.2), layout="constrained")
    axes.plot(times, values, linewidth=0.6, color="0.3", label=channel)
    pulses = events[(events["output"] == output) & (events["event"] == "pulse")]
    for k, pulse in enumerate(pulses):
        axes.axvspan(pulse["start"], pulse["end"], color="tab:blue", alpha=0.35,
                     label="pulse" if k == 0 else None)
    top = values.max()
    axes.plot(references, np.full(len(references), top * 1.08), "v", color="tab:green",
              label="reference event")
    axes.plot(result["missed_times"], np.full(len(result["missed_times"]), top * 1.08), "x",
              color="tab:red", markersize=9, label="missed")
    axes.plot(result["false_pulse_times"], np.full(len(result["false_pulse_times"]), top * 1.16),
              "o", color="tab:orange", label="false pulse")
    axes.set_xlabel("time (s)")
    axes.set_ylabel(f"{channel} (V, as MNE holds it)")
    axes.set_title(f"Output {output}: F1 {result['f1']:.3f}, sensitivity "
                   f"{result['sensitivity']:.3f}, positive predictivity "
                   f"{result['positive_predictivity']:.3f}")
    axes.legend(loc="upper left", bbox_to_anchor=(1.01, 1.0), fontsize="small")
    figure.savefig(path, dpi=110)


def main():
    args = arguments()
    raw = mne.io.read_raw(args.recording, preload=True, verbose="error")
    channel = args.channel or raw.ch_names[0]
    dev = tarvel.Device(args.device)
    cfg = tarvel.Configuration.from_file(args.config)
    events = tarvel.replay_raw(dev, cfg, raw, picks={"Input 1": channel})
    annotations = raw.annotations
    references = annotations.onset[annotations.description == args.event]
    result = tarvel.score(events, references, window=tuple(args.window), output=args.output)
    print(f"{os.path.basename(args.recording)}: {channel} on Input 1, "
          f"{len(references)} annotations \"{args.event}\"")
    for event in events[events["output"] == args.output]:
        print(f"  {event['event']:7} {event['start']:7.3f} s  {event['note']}")
    print(f"  hits {result['hits']}, missed {result['missed']} at "
          f"{', '.join(f'{t:.3f}' for t in result['missed_times'])} s, false pulses "
          f"{result['false_pulses']}; sensitivity {result['sensitivity']:.4f}, positive "
          f"predictivity {result['positive_predictivity']:.4f}, F1 {result['f1']:.4f}; latency "
          f"median {result['latency_median'] * 1e3:.1f} ms")
    draw(args.plot, raw, channel, events, result, args.output, references)
    print(f"  drawn in {args.plot}")


if __name__ == "__main__":
    main()
