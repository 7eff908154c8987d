// Byte buffers: allocation, file loading through the host, and the clipped byte transfers.
#include "net/data_buffer.h"

#include <cstdint>
#include <cstdlib>  // Required for: calloc(), free()
#include <cstring>  // Required for: memmove()

#include "host/host.h"  // RtGame::LoadData: whole files, "trazel://data/" names mapped

namespace {

// Bytes a transfer of `count` at `address` may move inside `size`; 0 when nothing may move. Positions are
// widened so that a huge address plus count cannot wrap around.
int clip(int address, int count, int size) {
  if (address < 0 || count < 1) return 0;
  int64_t n = count;
  if (int64_t(address) + n > size) n = int64_t(size) - address;
  return n < 1 ? 0 : int(n);
}

}  // namespace

bool RtDataBuffer::_New(int size, void* block) {
  if (data) return false;
  if (size < 0) size = 0;
  if (block) {
    // A block handed over (from the host's LoadData) was counted by whoever allocated it.
    data = static_cast<unsigned char*>(block);
  } else if (size > 0) {
    // Zeroed so that nothing left in the heap can leak out through a peek or a send.
    data = static_cast<unsigned char*>(calloc(size_t(size), 1));
    if (!data) return false;
    gc_ext_malloced(size);
  }
  length = data ? size : 0;
  return true;
}

bool RtDataBuffer::_Load(const String& path) {
  if (data || !RtGame::_game) return false;
  int size = 0;
  unsigned char* block = RtGame::_game->LoadData(path, &size);
  if (!block) return false;
  if (size <= 0) {
    free(block);
    return _New(0);
  }
  return _New(size, block);
}

bool RtDataBuffer::_LoadAsync(const String& path, RtThread* thread) {
  (void)thread;
  String own = RtThread::Strdup(path);
  return _Load(own);
}

void RtDataBuffer::Discard() {
  free(data);
  data = nullptr;
  length = 0;
}

c_DataBuffer* c_DataBuffer::m_new(int size) {
  if (!_New(size)) rtError(String("Allocate DataBuffer failed"));
  return this;
}

c_DataBuffer* c_DataBuffer::m_Load(const String& path) {
  c_DataBuffer* buffer = new c_DataBuffer;
  return buffer->_Load(path) ? buffer : nullptr;
}

void c_DataBuffer::p_PokeBytes(int address, const Array<int>& bytes, int offset, int count) {
  int n = clip(offset, clip(address, count, length), bytes.Length());
  for (int i = 0; i < n; ++i) data[address + i] = static_cast<unsigned char>(bytes[offset + i]);
}

void c_DataBuffer::p_PeekBytes(int address, const Array<int>& bytes, int offset, int count) {
  int n = clip(offset, clip(address, count, length), bytes.Length());
  for (int i = 0; i < n; ++i) bytes[offset + i] = static_cast<signed char>(data[address + i]);
}

Array<int> c_DataBuffer::p_PeekBytes2(int address, int count) {
  int n = clip(address, count, length);
  Array<int> bytes(n);
  for (int i = 0; i < n; ++i) bytes[i] = static_cast<signed char>(data[address + i]);
  return bytes;
}

void c_DataBuffer::p_CopyBytes(int address, c_DataBuffer* destination, int destinationAddress, int count) {
  if (!destination) return;
  int n = clip(destinationAddress, clip(address, count, length), destination->length);
  // memmove picks the direction that keeps overlapping ranges intact.
  if (n > 0) memmove(destination->data + destinationAddress, data + address, size_t(n));
}
