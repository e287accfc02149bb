// Whether the side image "Setup.jpg" decodes as the setup will decode it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The setup's own decoder run on the bytes: its message ("JPEG error #n")
// when the setup could not show the image, else "".
std::string SideImageProblem(const std::vector<uint8_t>& jpeg);
