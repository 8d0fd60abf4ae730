"""How well an output of a replay catches reference events, by the host's own scoring."""
import math

import numpy as np

from ._tarvel import _score


def score(events, reference_times, window=(-0.1, 0.1), output=1, span=None):
    """The figures of `output`'s pulses in `events` against `reference_times`, as a dict.

    events is what Device.replay returns; output an output's number (1, 2 ... analog, -1, -2 ...
    digital) or its name ("Analog Output 1"). A pulse starting at p catches the event at r when
    window[0] <= p - r <= window[1] (seconds); each event takes the earliest pulse in its window
    that no earlier event took. span=(from, to) counts only the events and pulses from `from`
    up to `to` seconds, as preview's --from and --to do.

    The dict holds the counts (events, pulses, hits, missed, false_pulses), the ratios
    (sensitivity, positive_predictivity, f1: NaN without a denominator), the hits' latencies
    (latencies, and their latency_median, latency_p5, latency_p95 in seconds, NaN without hits)
    and where it went wrong (missed_times, false_pulse_times). tarvel.combine adds the scores of
    several recordings.
    """
    fields = events.dtype.names or ()
    if not {"output", "name", "event", "start"} <= set(fields):
        raise ValueError("events must be the structured array that Device.replay returns, "
                         "with the fields output, name, event and start")
    if isinstance(output, str):
        ours = events["name"] == output
    else:
        ours = events["output"] == output
    starts = np.sort(events["start"][ours & (events["event"] == "pulse")])
    early, late = window
    start, end = span if span is not None else (-math.inf, math.inf)
    return _score(starts, np.asarray(reference_times, dtype=np.float64), early, late, start, end)
