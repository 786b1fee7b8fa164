#pragma once
// Resource identifiers shared by the resource script and the program.
#define IDI_SORVANE 1
// The progress window's looping clip (made by tools/make-busy-clip.py).
#define IDR_BUSY_CLIP 2
