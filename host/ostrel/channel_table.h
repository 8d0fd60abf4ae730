// The table `ostrel channels FILE` prints: one row per channel of a recording.
#pragma once

#include <string>
#include <vector>

#include "host/preview/formats/channel_survey.h"

namespace ostrel {

// A header row, then per channel its number, label, unit, rate, samples, minimum and maximum,
// in columns as wide as their widest entry:
//   channel  label  unit  rate (1/s)  samples  minimum  maximum
//         1  EEG    uV           360     3600    -52.1     48.7
std::string FormatChannelTable(const std::vector<preview::ChannelSurvey>& channels);

}  // namespace ostrel
