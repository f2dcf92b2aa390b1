#pragma once

// Tells the user why a clone file could not be read or written: a warning box with the
// headline and the text of the result code. Code 0 and unknown codes show nothing.
void ShowFileError(int code);
