// JPEG pictures decoded with libjpeg. libjpeg reports a fatal
// error by calling back and never returning; the callback longjmps out of the
// C library (a C++ exception must not unwind through it), and only then is the
// error raised, from C++ code.
#include "setuplogic/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <new>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

#include "common/errors.h"
#include "common/stream.h"

namespace {

// The side image is a few hundred pixels; a picture that would need more than
// this is no side image and is refused before its pixels are allocated.
constexpr uint64_t kMaxPixelBytes = uint64_t{256} << 20;

// Everything the decoder touches lives here, outside the frame that calls
// setjmp, so that nothing in that frame changes between setjmp and longjmp.
struct TJpegSession {
  jpeg_error_mgr Errors;  // libjpeg knows only this part of the session
  std::jmp_buf Escape;
  jpeg_decompress_struct Info;
  int ErrorCode = 0;
};

TJpegSession& SessionOf(j_common_ptr info) {
  // Errors is the first member, so the pointer libjpeg holds is the session's.
  return *reinterpret_cast<TJpegSession*>(info->err);
}

[[noreturn]] void LeaveOnError(j_common_ptr info) {
  TJpegSession& session = SessionOf(info);
  session.ErrorCode = session.Errors.msg_code;
  std::longjmp(session.Escape, 1);
}

// Warnings (a stream cut short inside the picture, for one) leave a picture
// that is still worth showing, and there is no console to write them to.
void IgnoreMessage(j_common_ptr, int) {}
void IgnoreOutput(j_common_ptr) {}
// Errors are reported by their code alone, so no text is ever formatted.
void FormatNothing(j_common_ptr, char* buffer) { buffer[0] = '\0'; }
void ResetErrors(j_common_ptr info) {
  info->err->num_warnings = 0;
  info->err->msg_code = 0;
}

// Decodes size bytes into image; false with session.ErrorCode set when
// libjpeg gave up. Only trivially destructible locals here: a longjmp back
// into this frame would skip their destructors.
bool Decode(TJpegSession& session, const unsigned char* data, unsigned long size, TDecodedImage& image) {
  jpeg_decompress_struct& info = session.Info;
  if (setjmp(session.Escape) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;  // the byte order of a Windows 24-bit bitmap
  jpeg_start_decompress(&info);

  const uint64_t rowBytes = uint64_t{info.output_width} * 3;
  if (rowBytes * info.output_height > kMaxPixelBytes) ERREXIT1(&info, JERR_IMAGE_TOO_BIG, JPEG_MAX_DIMENSION);
  image.Width = static_cast<int>(info.output_width);
  image.Height = static_cast<int>(info.output_height);
  try {
    image.Pixels.resize(static_cast<size_t>(rowBytes * info.output_height));
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    throw;
  }

  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.Pixels.data() + static_cast<size_t>(rowBytes) * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

std::vector<unsigned char> ReadRest(TStream& stream) {
  std::vector<unsigned char> bytes;
  unsigned char buffer[16384];
  while (const size_t count = stream.Read(buffer, sizeof buffer)) bytes.insert(bytes.end(), buffer, buffer + count);
  return bytes;
}

[[noreturn]] void RaiseJpegError(int code) { throw EJPEG("JPEG error #" + std::to_string(code)); }

}  // namespace

TDecodedImage DecodeJpeg(TStream& stream) {
  const std::vector<unsigned char> data = ReadRest(stream);
  // The memory source counts in unsigned long, which has 32 bits on Windows.
  if (data.size() > static_cast<unsigned long>(-1)) RaiseJpegError(JERR_IMAGE_TOO_BIG);

  // The error manager is filled here rather than by jpeg_std_error, whose
  // message texts and formatting would add their weight to every setup
  // program for texts nobody reads.
  TJpegSession session{};
  session.Info.err = &session.Errors;
  session.Errors.error_exit = LeaveOnError;
  session.Errors.emit_message = IgnoreMessage;
  session.Errors.output_message = IgnoreOutput;
  session.Errors.format_message = FormatNothing;
  session.Errors.reset_error_mgr = ResetErrors;

  TDecodedImage image;
  if (!Decode(session, data.data(), static_cast<unsigned long>(data.size()), image)) RaiseJpegError(session.ErrorCode);
  return image;
}
