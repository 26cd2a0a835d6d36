#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/VersionFormat.h"

// The running exe's file version, formatted as "%d.%d.%d.%d" or "%d.%d.%d";
// "0.0.0.0" whatever the format when the exe carries no version information.
std::u16string GetVersionText(std::u16string_view format);

// The same for any file.
std::u16string GetVersionTextOf(const std::u16string& path, std::u16string_view format);

// The fixed file version of a file, if it has one.
std::optional<TFileVersion> ReadFileVersion(const std::u16string& path);
