#pragma once

#include <string>
#include <string_view>

// Writes a whole file so that it is replaced only by a complete copy: a failure leaves an
// existing file as it was. False when the file could not be written.
bool writeFileAtomically(const std::string& path, std::string_view bytes);
