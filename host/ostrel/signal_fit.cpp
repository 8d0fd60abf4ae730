#include "host/ostrel/signal_fit.h"

#include "host/device/input_converter.h"

namespace ostrel {

void CheckFit(const device::RecordingInfo& signals, const std::string& name,
              const std::vector<device::OutputProgram>& programs) {
    if (!(signals.SampleRate > 0.0 && signals.SampleRate <= device::kMaxSampleRate))
        throw SignalFitError(name + ": the sample rate " + std::to_string(signals.SampleRate) +
                             " per second does not fit the device, which samples each input at "
                             "up to " +
                             std::to_string(static_cast<long>(device::kMaxSampleRate)) +
                             " per second");
    for (const device::OutputProgram& program : programs) {
        if (!program.Active())
            continue;
        for (const device::RuleProgram& rule : program.Rules) {
            if (static_cast<std::size_t>(rule.Input) > signals.Channels.size())
                throw SignalFitError(name + ": output " + std::to_string(program.Output) +
                                     " watches Input " + std::to_string(rule.Input) +
                                     ", but the recording holds " +
                                     std::to_string(signals.Channels.size()) + " inputs");
        }
    }
}

}  // namespace ostrel
