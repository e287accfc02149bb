// The [Setup] DefaultFolder template: a folder name in which "%d" stands for
// the package's major version, so that major versions install side by side.
#pragma once

#include <cstdint>
#include <string>

// Whether the template uses only "%d" and "%%" as directives.
bool IsValidFolderTemplate(const std::string& folderTemplate);

// Every "%d" replaced by major and every "%%" by "%"; a template without
// directives comes back unchanged. Raises Exception naming the template when
// it holds any other directive. The vendor's text never reaches printf, so a
// "%s" or "%n" in it cannot read or write memory.
std::string FormatFolderTemplate(const std::string& folderTemplate, int32_t major);
