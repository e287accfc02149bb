// What the start-up benchmark looks for in its baseline program.
#pragma once

inline constexpr char kPlainWindowClass[] = "SetupBenchPlainWindow";
inline constexpr int kPlainButtonId = 1;
