"""Recordings read by MNE (EDF+, BDF, GDF, BrainVision, FIF ...) replayed by the device."""


def replay_raw(dev, cfg, raw, picks=None):
    """Programs `dev` with `cfg` and replays the channels of `raw` (an mne.io.Raw) on its inputs.

    picks maps the device's inputs to the recording's channels, {"Input 1": "ECG", ...}, naming
    every input from Input 1 up to the highest one; a list of channel names is Input 1, 2 ... in
    order; None takes every channel in the recording's order, as ostrel takes a file's. Each
    channel is converted from the unit MNE holds it in (volts for EEG, ECG, EMG ...) to its
    input's unit (mV on a device of range=5mV). Returns the events of Device.replay, with times
    in the recording's time as MNE's annotations give them (raw.first_time at the first sample).
    """
    names = _picked_channels(raw, picks)
    units = [_unit_of(raw, name) for name in names]
    dev.program(cfg)
    data = raw.get_data(picks=names)  # channels x samples, in MNE's units
    return dev.replay(data.T, raw.info["sfreq"], start=raw.first_time, units=units, names=names)


def _picked_channels(raw, picks):
    if picks is None:
        return list(raw.ch_names)
    if isinstance(picks, dict):
        inputs = {}
        for key, channel in picks.items():
            number = key.removeprefix("Input ").strip() if isinstance(key, str) else key
            if not str(number).isdigit() or int(number) < 1:
                raise ValueError(f'picks: "{key}" is not an input such as "Input 1"')
            inputs[int(number)] = channel
        missing = [k for k in range(1, max(inputs) + 1) if k not in inputs]
        if missing:
            raise ValueError(f"picks name Input {max(inputs)} but not Input {missing[0]}: name "
                             "every input from Input 1 up to the highest one")
        picks = [inputs[k] for k in sorted(inputs)]
    unknown = [name for name in picks if name not in raw.ch_names]
    if unknown:
        raise ValueError(f"the recording has no channel {unknown[0]!r}; it has "
                         + ", ".join(repr(name) for name in raw.ch_names))
    return list(picks)


def _unit_of(raw, name):
    """The unit MNE holds the channel's values in, as the device's inputs name units."""
    from mne.io.constants import FIFF

    channel = raw.info["chs"][raw.ch_names.index(name)]
    units = {FIFF.FIFF_UNIT_V: "V", FIFF.FIFF_UNIT_T: "T", FIFF.FIFF_UNIT_NONE: ""}
    if channel["unit"] not in units:
        raise ValueError(f"the channel {name!r} is in a unit the device's inputs do not take "
                         f"({channel['unit']})")
    return units[channel["unit"]]
