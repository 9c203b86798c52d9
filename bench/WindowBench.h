#pragma once

namespace tavrelo::bench {

// tavrelo-bench download-window: the download window itself (InstrumentDownload's
// port and receive loop with F_DL shown) receiving 10 MB from a simulated instrument
// over a pseudo-terminal. Run it on a real display or under `xvfb-run -a`: the
// offscreen platform does not pay the X server's round trip of a paint. Reports MB/s
// from the first byte to the last line written, how often and how late the byte count
// was painted, and whether every kept byte arrived and the count is exact.
int DownloadWindowBench(int argc, char** argv);

// tavrelo-bench upload-window: the upload window (F_UL) building and sending a
// 100 000-point coordinate list to a simulated instrument after Send; lines per second
// from Send to the end, how often the progress bar was painted, whether it ended at its
// maximum and whether the instrument received every line.
int UploadWindowBench(int argc, char** argv);

} // namespace tavrelo::bench
