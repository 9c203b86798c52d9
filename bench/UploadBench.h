#pragma once

namespace tavrelo::bench {

// tavrelo-bench upload: a coordinate list of 100 000 points built into upload lines
// and sent line by line through the program's port and line sender to a simulated
// instrument over a pseudo-terminal; lines per second of the build and of the send,
// and whether the instrument received every line. Returns 0 when nothing was lost.
int UploadBench(int argc, char** argv);

} // namespace tavrelo::bench
