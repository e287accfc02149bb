// The wizard's side image: "Setup.jpg" of the package, or beside the setup.
#include <memory>

#include "common/stream.h"
#include "setuplogic/jpeg_decoder.h"
#include "setuplogic/setup_installer.h"

TDecodedImage TSetupInstaller::LoadSideImage() {
  std::unique_ptr<TStream> stream = OpenSetupFile("Setup.jpg");
  return DecodeJpeg(*stream);
}
