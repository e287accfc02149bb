#include "setup_check/side_image_check.h"

#include "common/errors.h"
#include "common/stream.h"
#include "setuplogic/jpeg_decoder.h"

std::string SideImageProblem(const std::vector<uint8_t>& jpeg) {
  TMemoryStream stream(jpeg);
  try {
    DecodeJpeg(stream);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}
