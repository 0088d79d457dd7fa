#pragma once
// The login windows and their dialogs are laid out in device pixels, as
// their pictures are. Their texts are sized for the same 96 pixels per inch,
// so at 125-200 % display scaling they stay inside the pixel boxes made for
// them instead of growing out of them.

const int kLayoutPixelsPerInch = 96;
