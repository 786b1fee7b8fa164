#pragma once
// The Windows headers for the platform layer.
#include <windows.h>
