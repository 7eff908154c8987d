// Response reading without a network: bytes are handed to the request as its receive completions would be,
// which makes every split of a response reproducible.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net_test_util.h"

namespace {

struct Result {
  int status;
  std::string text;  // the response text as UTF-8
  int calls;
  int bytes;
};

std::string Utf8(const String& s) {
  std::string out(size_t(s.Length()) * 3, '\0');
  out.resize(size_t(s.ToUtf8(&out[0])));
  return out;
}

// Connects, then delivers `pieces` as consecutive receives (each clipped to the room the request asks for), then the close.
Result Feed(const std::vector<std::string>& pieces, bool close = true) {
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), String("http://h/"), target);
  c_DataBuffer* buf = req->m_ReceiveBuffer;
  req->p_OnConnectComplete(true, nullptr);  // the request header is written out; nothing is connected
  for (const std::string& piece : pieces) {
    size_t at = 0;
    while (at < piece.size() && !req->m_Finished) {
      int offset = req->m_ReceiveOffset;
      int n = int(std::min(piece.size() - at, size_t(buf->length - offset)));
      for (int i = 0; i < n; ++i) buf->data[offset + i] = static_cast<unsigned char>(piece[at + size_t(i)]);
      req->p_OnReceiveComplete(buf, offset, n, nullptr);
      at += size_t(n);
    }
  }
  if (close) req->p_OnReceiveComplete(buf, req->m_ReceiveOffset, 0, nullptr);
  return {req->p_Status(), Utf8(req->p_ResponseText()), target->calls, req->m_BytesReceived};
}

TEST(HttpResponse, EverySplitIntoTwoOrThreeReceivesGivesTheSameResult) {
  const std::string response = "HTTP/1.1 200 OK\r\nServer: t\r\n\r\nbody \xC3\xA9 \xE2\x82\xAC!";
  Result whole = Feed({response});
  ASSERT_EQ(whole.status, 200);
  ASSERT_EQ(whole.text, "body \xC3\xA9 \xE2\x82\xAC!");
  ASSERT_EQ(whole.bytes, 12);
  for (size_t i = 1; i < response.size(); ++i) {
    for (size_t j = i; j < response.size(); ++j) {
      Result r = Feed({response.substr(0, i), response.substr(i, j - i), response.substr(j)});
      ASSERT_EQ(r.status, 200) << i << " " << j;
      ASSERT_EQ(r.text, whole.text) << i << " " << j;
      ASSERT_EQ(r.bytes, whole.bytes) << i << " " << j;
      ASSERT_EQ(r.calls, 1);
    }
  }
}

TEST(HttpResponse, StatusLineRules) {
  struct Case {
    const char* response;
    int status;
    const char* text;
  };
  const Case cases[] = {
      {"http/1.1 200 ok\r\n\r\nhi", 200, "hi"},               // upper-cased before the check
      {"HTTP/1.0 404 Not Found\nX: y\n\nno", 404, "no"},      // bare line feeds
      {"  HTTP/1.1 301 Moved  \r\n\r\n", 301, ""},            // trimmed
      {"HTTP/1.0 204 \r\n\r\n", 204, ""},                     // empty reason phrase
      {"ICY 200 OK\r\n\r\nx", -1, ""},                        // not HTTP
      {"HTTP/1.0\r\n\r\nx", -1, ""},                          // no status
      {"\r\nHTTP/1.0 200 OK\r\n\r\nx", -1, ""},               // empty line before any header line
      {"HTTP/1.0 200 OK\r\nX: y\r\n", -1, ""},                // closed before the header ended
      {"HTTP/1.0 200 OK\r\n\r\n\xE9t\xE9", 200, "\xC3\xA9t\xC3\xA9"},  // not UTF-8: byte for byte
      {"", -1, ""},
  };
  for (const Case& c : cases) {
    Result r = Feed({c.response});
    EXPECT_EQ(r.status, c.status) << c.response;
    EXPECT_EQ(r.text, c.text) << c.response;
    EXPECT_EQ(r.calls, 1) << c.response;
  }
}

TEST(HttpResponse, ALineFillingTheReceiveBufferEndsTheRequest) {
  // One byte short of the buffer still waits for the rest of the line.
  Result almost = Feed({std::string(16383, 'A')}, false);
  EXPECT_EQ(almost.calls, 0);
  Result full = Feed({std::string(16384, 'A')}, false);
  EXPECT_EQ(full.calls, 1);
  EXPECT_EQ(full.status, -1);
  // A long header line that does fit is read whole.
  Result longLine = Feed({"HTTP/1.0 200 OK\r\nX: " + std::string(16000, 'v') + "\r\n\r\nok"});
  EXPECT_EQ(longLine.status, 200);
  EXPECT_EQ(longLine.text, "ok");
}

TEST(HttpResponse, AFailedReceiveEndsTheRequestOnce) {
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), String("h"), target);
  req->p_OnReceiveComplete(req->m_ReceiveBuffer, 0, -1, nullptr);
  req->p_OnReceiveComplete(req->m_ReceiveBuffer, 0, 0, nullptr);
  req->p_OnConnectComplete(false, nullptr);
  EXPECT_EQ(target->calls, 1);
  EXPECT_EQ(req->p_Status(), -1);
  EXPECT_EQ(req->p_ResponseText().Length(), 0);
}

}  // namespace
