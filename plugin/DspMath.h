#pragma once

// Spelled out because M_PI is not part of standard C++ and some toolchains
// hide it in strict mode.
constexpr double kPi = 3.141592653589793;
