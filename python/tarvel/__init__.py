"""Tarvel from Python: the configuration, the simulated Corvex programmed through the extension
as ostrel programs it, the device's replay of recordings held as numpy arrays or read by MNE, and
the scoring of its pulses against reference events.

    import tarvel
    dev = tarvel.Device("inputs=1, analog=1, digital=none, range=5mV")
    cfg = tarvel.Configuration.from_file("examples/preview-bursts.txt")
    dev.program(cfg)                 # per output: output, name, accepted, active, reason
    events = dev.replay(data, rate)  # data: samples x inputs, each in its input's unit
    s = tarvel.score(events, reference_times, window=(-0.1, 0.1), output=1)

Errors are ValueError (a description, a text, an array or a rate that does not fit, with
ostrel's messages) or OSError (a file that cannot be read).
"""
from ._tarvel import Configuration, Device, combine
from .mne_recordings import replay_raw
from .scores import score

__all__ = ["Configuration", "Device", "combine", "replay_raw", "score"]
