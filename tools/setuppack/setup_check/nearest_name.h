// Spelling suggestions for names a vendor may have mistyped.
#pragma once

#include <string>
#include <vector>

// The candidate that name most likely misspells: the closest one by edit
// distance (a swap of two neighbouring letters counts as one edit, letter
// case is ignored) when it is at most two edits away and less than half the
// name's length; the empty text when none is that close. Of equally close
// candidates the first wins.
std::string NearestName(const std::string& name, const std::vector<std::string>& candidates);
