#include "setup_check/nearest_name.h"

#include <algorithm>

#include "common/text.h"

namespace {

constexpr size_t kMaxEdits = 2;

// The optimal string alignment distance: insertions, deletions, changes and
// swaps of neighbours, each one edit.
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string NearestName(const std::string& name, const std::vector<std::string>& candidates) {
  const std::string folded = UpperCaseAscii(name);
  std::string best;
  size_t bestDistance = kMaxEdits + 1;
  for (const std::string& candidate : candidates) {
    const size_t distance = EditDistance(folded, UpperCaseAscii(candidate));
    if (distance < bestDistance && distance * 2 < name.size()) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}
