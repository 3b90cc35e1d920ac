// Identifiers of the resources built into Foldmere.exe. Shared by the resource script
// and the C++ code, so it holds preprocessor constants only.
#pragma once

#define IDI_MAINICON 1
