// The version facts of a file: what the window caption, the about box and the info tips
// show about it.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "core/FileVersionInfo.h"

namespace myHelper {

using fm::TFileVersionInfo;

// Fills Info for the file or folder at FileName; every field is written. What cannot be
// read stays empty, false or 0; nothing is reported.
void ReadFileVersionInfo(TFileVersionInfo& Info, const std::wstring& FileName);

// One string of the version data VersionData (as GetFileVersionInfoW reads it), in the
// first language and code page of its translation table only; empty when it cannot be
// read. Nothing beyond the buffer's end is read, whatever lengths the data claims.
std::wstring QueryVersionString(std::span<const BYTE> VersionData, const std::wstring& Key);

std::wstring FileFunctionText(const VS_FIXEDFILEINFO& Info);
bool HasFileFlag(const VS_FIXEDFILEINFO& Info, DWORD Flag);

}  // namespace myHelper
