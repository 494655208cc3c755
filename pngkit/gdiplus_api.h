// The GDI+ flat API as the kit calls it: one include for the headers' prerequisites.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpStatus;
