#pragma once

namespace tavrelo::bench {

// tavrelo-bench long-line [BYTES]: a file of BYTES (1 GB unless given) without a line
// end, sparse, read as a wrong file chosen would be: through map File > Open's two
// loaders (a coordinate list, and a raw-data file through the calculator) and through
// the KOF conversions of a raw-data file and of a coordinate file. Each in a child
// process of its own, so that the peak memory it prints is that road's. Returns 0
// when every road refused the file.
int LongLineBench(int argc, char** argv);

} // namespace tavrelo::bench
