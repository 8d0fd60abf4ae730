// The headers every test program starts from, parsed once into a precompiled header
// (tests/helpers/CMakeLists.txt): GoogleTest and the standard headers most tests include.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>
