#pragma once

namespace tavrelo::bench {

// tavrelo-bench settings-save [RUNS]: the settings file's saves as the user meets them,
// on a fresh copy of the file written with its defaults (29 655 bytes) each run: OK
// of the real DXF, KOF, SDR-33, coordinate calculation and field-order windows (each
// with one choice changed, so every key is written), OK of the DXF window in setup
// mode (its control texts), and Exit's save (the 100 window sections and [Default],
// one choice changed). A box shown by any of them ends the run with its text. Prints
// the median, fastest and slowest time of each over RUNS runs (default 20) and a
// checksum of the file after all of them, the same for two builds that write the
// same bytes. Runs on the offscreen platform unless another is set.
int SettingsSaveBench(int argc, char** argv);

} // namespace tavrelo::bench
