#pragma once

// Past a file-size limit (ulimit -f) the kernel sends SIGXFSZ, whose default action
// kills the program without a word. With this handler installed a write over the limit
// fails with EFBIG instead and is reported like any other failed write. A handler (not
// SIG_IGN) is used on purpose: exec resets it to the default in children, so a sqlite3
// that meets the limit dies and its script fails, where an ignoring sqlite3 would exit
// successfully with its query output cut short.
void reportWritesPastFileSizeLimit();
