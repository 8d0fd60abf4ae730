#!/usr/bin/python3
"""The comparison's peer: the simulated device's contract (docs/device-contract.md) written with
numpy and numba, over the same command blocks and the same recording as `ostrel preview`.

    numba_preview.py BLOCKS.hex RANGE SIGNALS.wav|SIGNALS.csv

BLOCKS.hex holds the blocks as `ostrel apply --hex` prints them, one per line; RANGE is every
input's full scale in volts. A WAV file is read with numpy (16-bit samples, full scale the
range), a CSV file with pandas (a time column, then Input 1 ... in volts). Prints per output its
pulses and ignored triggers, as counts, to check against ostrel's summary.
"""
import math
import struct
import sys
import wave

import numba
import numpy as np

FULL_SCALE = 32000


def read_blocks(path):
    blocks = []
    for line in open(path):
        line = line.strip()
        if len(line) != 224:
            continue
        data = bytes.fromhex(line)
        size, slots, output, mode, limit = struct.unpack_from("<5i", data, 0)
        width, delay, holdoff = struct.unpack_from("<3d", data, 24)
        rules = []
        for k in range(4):
            _, threshold, hysteresis, input_, direction = struct.unpack_from("<3iBB", data, 48 + 16 * k)
            if input_ != 0:
                rules.append((input_ - 1, direction, threshold, hysteresis))
        blocks.append((output, mode, limit, width, delay, holdoff, rules))
    return blocks


def samples_for(seconds, rate):
    periods = seconds * rate
    if not periods > 0:
        return 0
    if periods >= 2.0**60:
        return 2**60
    return int(math.ceil(periods - 1e-9 * periods))


def to_units(values, full_scale):
    """Device units of physical values, as the converters give them."""
    units = values / full_scale * FULL_SCALE
    units = np.where(np.isnan(units), 0.0, units)
    return np.rint(np.clip(units, -32768.0, 32767.0)).astype(np.int16)


def read_units(path, full_scale):
    """The inputs in device units, [input][sample], and the sample rate."""
    if path.endswith(".wav"):
        with wave.open(path) as w:
            rate, channels = w.getframerate(), w.getnchannels()
            frames = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2")
        # Every 16-bit sample's device units at once, then looked up.
        table = to_units(np.arange(-32768, 32768) * (1.0 / 32768) * full_scale, full_scale)
        units = np.take(table, frames.astype(np.int32) + 32768).reshape(-1, channels).T
    else:
        import pandas

        table = pandas.read_csv(path, engine="c")
        times = table.iloc[:, 0].to_numpy()
        rate = (len(times) - 1) / (times[-1] - times[0])
        if abs(rate - round(rate)) <= 1e-6 * round(rate):
            rate = round(rate)
        units = np.stack([to_units(table.iloc[:, k].to_numpy(), full_scale)
                          for k in range(1, table.shape[1])])
    return np.ascontiguousarray(units), float(rate)


@numba.njit(cache=True)
def replay(units, inputs, below, set_level, keep_level, all_rules, follow, delay, width, holdoff,
           limit):
    """One output over every sample: its pulses and ignored triggers, counted."""
    count = units.shape[1]
    slots = len(inputs)
    state = np.zeros(slots, dtype=np.bool_)
    never = -(1 << 62)
    start, opened, pulses, accepted, ignored = never, never, 0, 0, 0
    last = False
    for j in range(count):
        combined = all_rules
        for k in range(slots):
            x = units[inputs[k], j]
            if below[k]:
                if x <= set_level[k]:
                    state[k] = True
                elif x > keep_level[k]:
                    state[k] = False
            else:
                if x >= set_level[k]:
                    state[k] = True
                elif x < keep_level[k]:
                    state[k] = False
            combined = (combined and state[k]) if all_rules else (combined or state[k])
        if j == 0:
            last = False if follow else combined
        if combined == last:
            continue
        last = combined
        if follow:
            if combined:
                if start != never and j < start - delay + holdoff:
                    ignored += 1
                elif limit > 0 and accepted >= limit:
                    ignored += 1
                else:
                    accepted += 1
                    start = j + delay
                    opened = start
            elif opened != never:
                if opened < count:
                    pulses += 1
                opened = never
        elif combined:
            if j < start or j < start + width or j < start + holdoff:
                ignored += 1
            elif limit > 0 and accepted >= limit:
                ignored += 1
            else:
                accepted += 1
                start = j + delay
                if start < count:
                    pulses += 1
    if follow and opened != never and opened < count:
        pulses += 1
    return pulses, ignored


def main():
    blocks_path, full_scale, signals = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    units, rate = read_units(signals, full_scale)
    for output, mode, limit, width, delay, holdoff, rules in read_blocks(blocks_path):
        if mode == 0 or not rules:
            print(f"Output {output}: off")
            continue
        inputs = np.array([r[0] for r in rules], dtype=np.int64)
        below = np.array([r[1] == 1 for r in rules], dtype=np.bool_)
        high = np.array([r[2] for r in rules], dtype=np.int64)
        low = high - np.array([r[3] for r in rules], dtype=np.int64)
        # above: sets at x > T, keeps from T - H; below: sets at x < T - H, keeps up to T
        set_level = np.where(below, low - 1, high + 1)
        keep_level = np.where(below, high, low)
        pulses, ignored = replay(units, inputs, below, set_level, keep_level, mode == 1,
                                 width == 0.0, samples_for(delay, rate), samples_for(width, rate),
                                 samples_for(holdoff, rate), limit)
        print(f"Output {output}: {pulses} pulses, {ignored} ignored")


if __name__ == "__main__":
    main()
