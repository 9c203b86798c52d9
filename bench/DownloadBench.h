#pragma once

#include <QByteArray>

namespace tavrelo::bench {

// tavrelo-bench download: 10 MB from a simulated instrument over a pseudo-terminal at
// full speed through the program's port and receive loop into a file; bytes per
// second and CPU seconds per MB of the receiving thread, and whether every kept byte
// arrived. Returns 0 when nothing was lost.
int DownloadBench(int argc, char** argv);

// The 10 MB the simulated instrument sends: survey lines with a dropped byte now and
// then; `kept` receives what the file must hold.
QByteArray InstrumentData(QByteArray& kept);

} // namespace tavrelo::bench
