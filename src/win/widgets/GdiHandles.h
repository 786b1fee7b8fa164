#pragma once
// Owners for the drawing resources a control makes for itself: fonts, brushes, bitmaps and
// image lists go back to the system when their owner goes.
#include <windows.h>
#include <commctrl.h>

#include "win/platform/WinHandles.h"

namespace sorvane {

// A font, brush, pen or bitmap from one of the Create functions of GDI.
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

}  // namespace sorvane
