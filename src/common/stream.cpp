#include "common/stream.h"

#include <algorithm>
#include <cstring>

#include "common/errors.h"

int64_t TStream::Size() {
  const int64_t here = Position();
  const int64_t end = Seek(0, SeekOrigin::End);
  SetPosition(here);
  return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(kStreamReadError);
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(kStreamWriteError);
}

int32_t TStream::ReadInt32() {
  uint8_t bytes[4];
  ReadBuffer(bytes, 4);
  return LoadInt32(bytes);
}

uint32_t TStream::ReadUInt32() {
  uint8_t bytes[4];
  ReadBuffer(bytes, 4);
  return LoadUInt32(bytes);
}

uint8_t TStream::ReadByte() {
  uint8_t byte;
  ReadBuffer(&byte, 1);
  return byte;
}

void TStream::WriteInt32(int32_t value) {
  uint8_t bytes[4];
  StoreInt32(bytes, value);
  WriteBuffer(bytes, 4);
}

void TStream::WriteUInt32(uint32_t value) {
  uint8_t bytes[4];
  StoreUInt32(bytes, value);
  WriteBuffer(bytes, 4);
}

void TStream::WriteByte(uint8_t value) { WriteBuffer(&value, 1); }

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  const size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = static_cast<int64_t>(position_);
  if (origin == SeekOrigin::End) base = static_cast<int64_t>(bytes_.size());
  const int64_t target = base + offset;
  if (target < 0) throw EStreamError("Invalid stream position");
  position_ = static_cast<size_t>(target);
  return target;
}

int32_t LoadInt32(const uint8_t* bytes) { return static_cast<int32_t>(LoadUInt32(bytes)); }

uint32_t LoadUInt32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void StoreInt32(uint8_t* bytes, int32_t value) { StoreUInt32(bytes, static_cast<uint32_t>(value)); }

void StoreUInt32(uint8_t* bytes, uint32_t value) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
  bytes[2] = static_cast<uint8_t>(value >> 16);
  bytes[3] = static_cast<uint8_t>(value >> 24);
}

void CopyStream(TStream& source, TStream& target, int64_t count) {
  uint8_t buffer[65536];
  while (count > 0) {
    const size_t chunk = static_cast<size_t>(std::min<int64_t>(count, sizeof buffer));
    source.ReadBuffer(buffer, chunk);
    target.WriteBuffer(buffer, chunk);
    count -= static_cast<int64_t>(chunk);
  }
}
