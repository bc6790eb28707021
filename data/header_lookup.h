#pragma once
// Whether an estimate has its header, by one exact read of the header number's key.

#include <cstdint>

// False too when the headers' file cannot be used (reported) or the number is beyond the field.
bool HeaderExists(std::int32_t number);
