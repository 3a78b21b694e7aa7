#pragma once
// Whether in-place typing grows the row height or the column width to the
// typed text (read by the in-place editing).
struct TSizeWhileTyping {
    bool Height = false;
    bool Width = false;
};
