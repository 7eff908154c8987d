// Fuzzes the HTTP response reader: the input is cut into receives by its first bytes and handed to a
// request as its receive completions would be; the request must end exactly once, inside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "net/net.h"

namespace {

struct Counter : Object, c_IOnHttpRequestComplete {
  int calls = 0;
  int p_OnHttpRequestComplete(c_HttpRequest*) override {
    ++calls;
    return 0;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 65536) return 0;
  // The first byte picks the receive sizes: 1 + (seed * k) % 97 bytes for the k-th receive, or whole
  // receives when it is 0.
  unsigned seed = data[0];
  data += 1;
  size -= 1;

  Counter* counter = new Counter;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), String("http://h/x?y=1"), counter);
  req->p_OnConnectComplete(true, nullptr);
  c_DataBuffer* buf = req->m_ReceiveBuffer;
  size_t at = 0;
  for (unsigned k = 1; at < size && !req->m_Finished; ++k) {
    int offset = req->m_ReceiveOffset;
    if (offset < 0 || offset >= buf->length) __builtin_trap();
    size_t want = seed ? 1 + (seed * k) % 97 : size;
    size_t room = size_t(buf->length - offset);
    size_t n = want < size - at ? want : size - at;
    if (n > room) n = room;
    memcpy(buf->data + offset, data + at, n);
    req->p_OnReceiveComplete(buf, offset, int(n), nullptr);
    at += n;
  }
  if (!req->m_Finished) req->p_OnReceiveComplete(buf, req->m_ReceiveOffset, 0, nullptr);
  if (counter->calls != 1) __builtin_trap();
  if (req->m_Status != -1 && !req->m_ResponseLines) __builtin_trap();
  if (req->p_ResponseText().Length() > req->m_BytesReceived) __builtin_trap();

  gc_collect_step(nullptr);
  return 0;
}
