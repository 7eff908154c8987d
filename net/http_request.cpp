// The HTTP/1.0 exchange: connect, send the header (and body), read the status line, header and body.
#include "net/http_request.h"

#include <cstring>  // Required for: memchr()

c_HttpRequest* c_HttpRequest::m_new() {
  gc_assign(m_SendBuffer, (new c_DataBuffer)->m_new(kSendBufferSize));
  gc_assign(m_ReceiveBuffer, (new c_DataBuffer)->m_new(kReceiveBufferSize));
  return this;
}

c_HttpRequest* c_HttpRequest::m_new2(const String& method, const String& url,
                                     c_IOnHttpRequestComplete* onComplete) {
  m_new();
  p_Open(method, url, onComplete);
  return this;
}

void c_HttpRequest::p_Open(const String& method, const String& url, c_IOnHttpRequestComplete* onComplete) {
  m_Method = method;
  gc_assign(m_Url, (new c_Url)->m_new(url, String("http"), 80));
  gc_assign(m_OnComplete, onComplete);
  m_Body = nullptr;
  m_BodyLength = 0;
  m_ResponseLines = nullptr;
  m_BytesReceived = 0;
  m_Status = -1;
  m_ResponseText = String();
  m_ReceiveOffset = 0;
  m_Finished = false;
  gc_assign(m_HeaderLines, (new c_StringStack)->m_new());
  m_HeaderLines->p_Push(m_Method + String(" ") + m_Url->p_FullPath() + String(" HTTP/1.0"));
  m_HeaderLines->p_Push(String("Host: ") + m_Url->p_Domain());
}

void c_HttpRequest::p_Send() {
  gc_assign(m_Socket, (new c_Socket)->m_new(String("stream")));
  m_Socket->p_SetTimeout(m_Timeout);
  m_Socket->p_ConnectAsync(m_Url->p_Domain(), m_Url->p_Port(), this);
}

void c_HttpRequest::p_Send2(const String& data, const String& mimeType, const String& encoding) {
  gc_assign(m_Body, (new c_DataBuffer)->m_new(data.Length() * 3));
  m_BodyLength = m_Body->p_PokeString(0, data, encoding);
  if (mimeType.Length() > 0) m_HeaderLines->p_Push(String("Content-Type: ") + mimeType);
  m_HeaderLines->p_Push(String("Content-Length: ") + String(m_BodyLength));
  p_Send();
}

int c_HttpRequest::p_OnConnectComplete(bool connected, c_Socket* source) {
  (void)source;
  if (m_Finished) return 0;
  if (!connected) {
    p_Finish();
    return 0;
  }
  m_HeaderLines->p_Push(String());
  m_HeaderLines->p_Push(String());
  String header = m_HeaderLines->p_Join(String("\r\n"));
  // A header longer than the send buffer gets a buffer of its own size rather than being cut short.
  if (header.Length() > m_SendBuffer->length) gc_assign(m_SendBuffer, (new c_DataBuffer)->m_new(header.Length()));
  int length = m_SendBuffer->p_PokeString(0, header, String("ascii"));
  m_HeaderLines->p_Clear();
  if (m_Socket && m_Socket->p_IsConnected()) m_Socket->p_SendAsync(m_SendBuffer, 0, length, this);
  ReceiveFrom(0);
  return 0;
}

int c_HttpRequest::p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) {
  (void)data;
  (void)offset;
  (void)count;
  (void)source;
  if (m_Finished || m_BodyLength == 0) return 0;
  if (m_Socket && m_Socket->p_IsConnected()) m_Socket->p_SendAsync(m_Body, 0, m_BodyLength, this);
  m_BodyLength = 0;
  return 0;
}

int c_HttpRequest::p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) {
  (void)data;
  (void)source;
  if (m_Finished) return 0;
  // 0: the peer closed; negative: the receive failed or timed out. Either way the response is over.
  if (count <= 0) {
    p_Finish();
  } else if (!m_ResponseLines) {
    ReadHeader(offset + count);
  } else {
    m_BytesReceived += count;
    TakeBody(0, offset + count);
    ReceiveFrom(m_ReceiveOffset);
  }
  return 0;
}

void c_HttpRequest::ReadHeader(int end) {
  const unsigned char* bytes = m_ReceiveBuffer->data;
  int start = 0;
  while (start < end) {
    const void* found = memchr(bytes + start, '\n', size_t(end - start));
    if (!found) break;
    int newline = int(static_cast<const unsigned char*>(found) - bytes);
    String line = m_ReceiveBuffer->p_PeekString(start, newline - start, String("ascii")).Trim();
    start = newline + 1;
    if (line.Length() > 0) {
      m_HeaderLines->p_Push(line);
      continue;
    }
    // The empty line ends the header; the first line collected must be the status line.
    if (m_HeaderLines->p_Length() == 0) {
      p_Finish();
      return;
    }
    Array<String> parts = m_HeaderLines->p_Get(0).ToUpper().Split(String(" "));
    // An empty reason phrase is valid HTTP; trimming leaves such a status line with two parts.
    if (parts.Length() < 2 || !parts[0].StartsWith(String("HTTP/"))) {
      p_Finish();
      return;
    }
    m_Status = parts[1].ToInt();
    gc_assign(m_ResponseLines, (new c_StringStack)->m_new());
    m_BytesReceived += end - start;
    TakeBody(start, end);
    ReceiveFrom(m_ReceiveOffset);
    return;
  }
  // The buffer ends inside a line: keep it at the start and receive after it.
  int partial = end - start;
  if (partial >= m_ReceiveBuffer->length) {
    // A line that fills the whole buffer leaves no room to read its end.
    p_Finish();
    return;
  }
  if (partial > 0 && start > 0) m_ReceiveBuffer->p_CopyBytes(start, m_ReceiveBuffer, 0, partial);
  ReceiveFrom(partial);
}

void c_HttpRequest::TakeBody(int from, int end) {
  const unsigned char* bytes = m_ReceiveBuffer->data;
  // A character split between two receives is decoded whole with the next piece.
  int tail = rt_databuffer_Utf8CutTail(bytes + from, end - from);
  int piece = end - from - tail;
  if (piece > 0) m_ResponseLines->p_Push(m_ReceiveBuffer->p_PeekString(from, piece, String("utf8")));
  if (tail > 0) m_ReceiveBuffer->p_CopyBytes(end - tail, m_ReceiveBuffer, 0, tail);
  m_ReceiveOffset = tail;
}

void c_HttpRequest::ReceiveFrom(int offset) {
  m_ReceiveOffset = offset;
  if (m_Socket && m_Socket->p_IsConnected()) {
    m_Socket->p_ReceiveAsync(m_ReceiveBuffer, offset, m_ReceiveBuffer->length - offset, this);
  }
}

void c_HttpRequest::p_Finish() {
  if (m_Finished) return;
  m_Finished = true;
  if (m_Socket) m_Socket->p_Close();
  if (m_ResponseLines) {
    // Bytes of an unfinished UTF-8 sequence left at the end are kept as they are.
    if (m_ReceiveOffset > 0) m_ResponseLines->p_Push(m_ReceiveBuffer->p_PeekString(0, m_ReceiveOffset, String("utf8")));
    m_ResponseText = m_ResponseLines->p_Join(String());
  }
  if (m_OnComplete) m_OnComplete->p_OnHttpRequestComplete(this);
}

void c_HttpRequest::mark() {
  gc_queue(m_Url);
  gc_queue_iface(m_OnComplete);
  gc_queue(m_Body);
  gc_queue(m_ResponseLines);
  gc_queue(m_HeaderLines);
  gc_queue(m_Socket);
  gc_queue(m_SendBuffer);
  gc_queue(m_ReceiveBuffer);
}
