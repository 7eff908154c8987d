// A minimal HTTP/1.0 client on the asynchronous sockets: one request, one response, one completion.
#pragma once
#include "net/socket.h"
#include "net/url.h"

class c_HttpRequest;

class c_IOnHttpRequestComplete : public gc_interface {
 public:
  // Called exactly once per sent request, on the main thread, from inside the event pump.
  virtual int p_OnHttpRequestComplete(c_HttpRequest* request) = 0;
};

class c_HttpRequest : public Object,
                      public c_IOnConnectComplete,
                      public c_IOnReceiveComplete,
                      public c_IOnSendComplete {
 public:
  static constexpr int kSendBufferSize = 4096;
  static constexpr int kReceiveBufferSize = 16384;
  static constexpr int kDefaultTimeout = 30000;  // milliseconds a connect, send or receive may block

  String m_Method;
  c_Url* m_Url = nullptr;
  c_IOnHttpRequestComplete* m_OnComplete = nullptr;
  c_DataBuffer* m_Body = nullptr;
  int m_BodyLength = 0;
  int m_Status = -1;
  c_StringStack* m_ResponseLines = nullptr;  // body pieces; null until the response header has ended
  String m_ResponseText;
  int m_BytesReceived = 0;
  c_StringStack* m_HeaderLines = nullptr;  // request lines before sending; response lines while receiving
  c_Socket* m_Socket = nullptr;
  c_DataBuffer* m_SendBuffer = nullptr;
  c_DataBuffer* m_ReceiveBuffer = nullptr;
  int m_Timeout = kDefaultTimeout;  // applied to the socket by p_Send
  // Where the next receive writes: after a partial header line or an unfinished UTF-8 sequence.
  int m_ReceiveOffset = 0;
  bool m_Finished = false;

  // Makes the 4096-byte send buffer and the 16384-byte receive buffer.
  c_HttpRequest* m_new();
  c_HttpRequest* m_new2(const String& method, const String& url, c_IOnHttpRequestComplete* onComplete);
  // Resets the request: status -1, no body, header lines "<method> <full path> HTTP/1.0" and "Host: <domain>".
  void p_Open(const String& method, const String& url, c_IOnHttpRequestComplete* onComplete);
  // Connects to the URL's domain and port; the exchange then runs from the event pump.
  void p_Send();
  // Sends `data` as the body, encoded ("utf8" or "ascii"), with Content-Type (when given) and Content-Length.
  void p_Send2(const String& data, const String& mimeType, const String& encoding);
  int p_Status() const { return m_Status; }
  String p_ResponseText() const { return m_ResponseText; }

  int p_OnConnectComplete(bool connected, c_Socket* source) override;
  int p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;
  int p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;
  // Closes the socket, joins the body pieces into the response text and notifies the target, once.
  void p_Finish();
  void mark() override;

 private:
  // Queues a receive at `offset` for the rest of the receive buffer (when connected).
  void ReceiveFrom(int offset);
  // Reads header lines from bytes [0, end): ends the request, starts the body, or waits for more.
  void ReadHeader(int end);
  // Pushes the body bytes [from, end) as one piece, keeping an unfinished UTF-8 sequence for the next one.
  void TakeBody(int from, int end);
};
