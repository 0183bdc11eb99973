// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// Runs `body` in a child process whose files cannot grow past `maxFileBytes`, as on a full
// disk: a write beyond fails (EFBIG, with SIGXFSZ ignored) while reading and everything else
// works. The result is the body's, passed back through the exit status; false when the child
// did not finish normally. The child's changes to memory stay in the child; its files are
// what the test then looks at. POSIX only.
bool underFileSizeLimit(std::uintmax_t maxFileBytes, const std::function<bool()>& body);
