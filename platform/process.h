// Process-wide set-up that every program's main runs first.
#pragma once

namespace sps {

// Ignores SIGXFSZ, so that writing past the file size limit fails with
// "File too large" (and the save keeps the old file) instead of ending the
// program without a word.
void PrepareProcess();

} // namespace sps
