// The display names of outputs, made when their records are created. The texts are strings 225,
// 211 and 212 of the module's string table (resources/), filled in by the positional formatter.
#pragma once

#include <cstdint>
#include <string>

namespace VavazaZavidi {

// Name of analog output `number` on a device with `analogOutputCount` analog outputs:
// "Analog Output" for the only one, "Analog Output 1" for the first of several, then the
// number alone ("2", "3" ...).
std::u16string MakeAnalogOutputName(std::int32_t number, std::int32_t analogOutputCount);

// Name of the digital output whose number has the magnitude `magnitude`: "Digital Output 1",
// then the number alone ("2", "3" ...).
std::u16string MakeDigitalOutputName(std::int64_t magnitude);

}  // namespace VavazaZavidi
