// Byte streams: the one abstraction through which packages, records, support
// files and extracted files are read and written.
//
// Positions are 64-bit. Read and Write move what they can and answer how much
// that was; ReadBuffer and WriteBuffer insist on the full count and raise the
// stream errors otherwise. Integers on streams are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Reads up to count bytes; answers the number read (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes up to count bytes; answers the number written.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  // Moves the position and answers the new one; raises EStreamError when the
  // position cannot be set.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }
  int64_t Size();

  // Exactly count bytes, or EReadError "Stream read error".
  void ReadBuffer(void* buffer, size_t count);
  // Exactly count bytes, or EWriteError "Stream write error".
  void WriteBuffer(const void* buffer, size_t count);

  int32_t ReadInt32();
  uint32_t ReadUInt32();
  uint8_t ReadByte();
  void WriteInt32(int32_t value);
  void WriteUInt32(uint32_t value);
  void WriteByte(uint8_t value);
  void WriteText(const std::string& text) { WriteBuffer(text.data(), text.size()); }
};

// A growable stream in memory.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t>& Bytes() { return bytes_; }
  std::string Text() const { return std::string(bytes_.begin(), bytes_.end()); }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

// Little-endian access to byte buffers.
int32_t LoadInt32(const uint8_t* bytes);
uint32_t LoadUInt32(const uint8_t* bytes);
void StoreInt32(uint8_t* bytes, int32_t value);
void StoreUInt32(uint8_t* bytes, uint32_t value);

// Copies count bytes from source to target (both at their positions);
// EReadError when the source ends first.
void CopyStream(TStream& source, TStream& target, int64_t count);
