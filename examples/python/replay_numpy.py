#!/usr/bin/python3
"""Replays a signal made with numpy through a device with one input in millivolts, and scores the
output's pulses against the times the signal's peaks were put at.

    examples/python/replay_numpy.py
"""
import numpy as np

import tarvel

CONFIGURATION = """\
Version = 1
AnalogOutputCount = 1
DigitalOutputCount = 0
BeginOnlineEvent
Version = 1
Output = 1
On = 1
PulseDuration = 0.01
PulseDelay = 0
RetriggerHoldoffTime = 0.25
LimitedDuration = 1
LimitedNumPulses = 0
RetriggerHoldoff = 1
PulseNumLimit = 1
All = 1
RuleCount = 1
BeginOnlineEventRule
Version = 1
Input = 0
Above = 1
Hysteresis = 5
Level = 40
EndOnlineEventRule
EndOnlineEvent
"""


def heartbeats(seconds=30, rate=1000.0, seed=1):
    """An ECG-like signal in millivolts: a peak of about 2.5 mV every 0.8 s or so, and noise."""
    rng = np.random.default_rng(seed)
    peaks = np.cumsum(rng.uniform(0.6, 1.0, int(seconds / 0.6)))
    peaks = peaks[peaks < seconds - 0.5]
    t = np.arange(int(seconds * rate)) / rate
    signal = rng.normal(0.0, 0.1, t.size)
    for peak, height in zip(peaks, rng.uniform(1.5, 3.0, peaks.size)):
        signal += height * np.exp(-0.5 * ((t - peak) / 0.012) ** 2)
    return signal, rate, peaks


def main():
    signal, rate, peaks = heartbeats()
    dev = tarvel.Device("inputs=1, analog=1, digital=none, range=5mV")
    cfg = tarvel.Configuration.from_text(CONFIGURATION)  # rises above 2 mV (40 % of 5 mV)
    for output in dev.program(cfg):
        print(f"{output['name']}: accepted {output['accepted']}, active {output['active']}")
    events = dev.replay(signal[:, None], rate)  # one column: Input 1, in mV
    print(events[:4])
    s = tarvel.score(events, peaks, window=(-0.05, 0.05), output=1)
    print(f"{s['events']} peaks, {s['pulses']} pulses: {s['hits']} hits, {s['missed']} missed, "
          f"{s['false_pulses']} false pulses; F1 {s['f1']:.4f}, "
          f"latency median {s['latency_median'] * 1e3:.1f} ms")


if __name__ == "__main__":
    main()
