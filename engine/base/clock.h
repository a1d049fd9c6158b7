// Milliseconds since program start, for budgets and log lines.
#pragma once

#include <cstdint>

std::uint32_t clockMs();
