#pragma once
// A file dragged from a file manager onto a file-name box names that file: its own
// path replaces the box's text, as a paste over the whole text does, where the box
// alone would refuse the drag or insert the file's URL ("file:///..."). Any drop gives
// the box the focus, so that leaving it ends the editing as it ends after typing.
class QLineEdit;

namespace tavrelo {

void TakeFileDrops(QLineEdit* box);

} // namespace tavrelo
