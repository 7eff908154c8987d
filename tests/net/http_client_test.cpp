// The HTTP client against a scripted server on 127.0.0.1: the request text, the response shapes a real
// peer can produce, and exactly one completion for each, with every wait bounded.
#include <gtest/gtest.h>

#include <string>

#include "net_test_util.h"
#include "support/test_server.h"

namespace {

std::string Utf8(const String& s) {
  std::string out(size_t(s.Length()) * 3, '\0');
  out.resize(size_t(s.ToUtf8(&out[0])));
  return out;
}

String Address(const TestServer& server, const char* path) {
  return String("http://127.0.0.1:") + String(server.Port()) + String(path);
}

// Sends a GET to the server and pumps until the completion (or 5 s).
c_HttpRequest* Get(const TestServer& server, HttpRecorder* target, const char* path = "/", int timeout = 3000) {
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), Address(server, path), target);
  req->m_Timeout = timeout;
  req->p_Send();
  PumpUntil([&] { return target->calls > 0; });
  return req;
}

TEST(HttpClient, SendsTheGetHeaderAndReadsTheResponse) {
  TestServer server({Send("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nhello"), Send(" world")});
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = Get(server, target, "/x?y=2");
  EXPECT_EQ(server.Request(), "GET /x?y=2 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  ASSERT_EQ(target->calls, 1);
  EXPECT_EQ(target->last, req);
  EXPECT_EQ(req->p_Status(), 200);
  EXPECT_EQ(Utf8(req->p_ResponseText()), "hello world");
  EXPECT_EQ(req->m_Socket->m_Native->handle, -1);
  EXPECT_EQ(req->m_Socket->m_State, 0);
  PumpFor(50);
  EXPECT_EQ(target->calls, 1);
}

TEST(HttpClient, ResponseShapesEndOnceWithTheirStatus) {
  struct Case {
    const char* name;
    std::vector<ServerStep> script;
    bool readRequest;
    int status;
    const char* text;
  };
  const std::string longLine(20000, 'A');
  const Case cases[] = {
      {"lower case", {Send("http/1.1 200 ok\r\n\r\nbody")}, true, 200, "body"},
      {"no HTTP/", {Send("ICY 200 OK\r\n\r\nbody")}, true, -1, ""},
      {"status line split", {Send("HTT"), Pause(40), Send("P/1.0 404 Not Found\r\n\r\ngone")}, true, 404, "gone"},
      {"body in pieces",
       {Send("HTTP/1.0 200 OK\r\n\r\nab"), Pause(30), Send("cd\xC3"), Pause(30), Send("\xA9!")},
       true, 200, "abcd\xC3\xA9!"},
      {"closes at once", {}, false, -1, ""},
      {"garbage", {Send(std::string("\x00\xFF\xFE junk\n\n\x01", 11))}, true, -1, ""},
      {"line fills the buffer", {Send(longLine), Hold()}, true, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestServer server(c.script, c.readRequest);
    HttpRecorder* target = new HttpRecorder;
    c_HttpRequest* req = Get(server, target);
    ASSERT_EQ(target->calls, 1);
    EXPECT_EQ(req->p_Status(), c.status);
    EXPECT_EQ(Utf8(req->p_ResponseText()), c.text);
    PumpFor(20);
    EXPECT_EQ(target->calls, 1);
  }
}

TEST(HttpClient, APeerThatNeverAnswersEndsAtTheTimeout) {
  TestServer server({Hold()});
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), Address(server, "/"), target);
  req->m_Timeout = 400;
  req->p_Send();
  PumpFor(100);  // the main thread keeps running meanwhile
  EXPECT_EQ(target->calls, 0);
  ASSERT_TRUE(PumpUntil([&] { return target->calls > 0; }));
  EXPECT_EQ(target->calls, 1);
  EXPECT_EQ(req->p_Status(), -1);
  server.Stop();
}

TEST(HttpClient, PostSendsTheBodyWithItsHeaders) {
  TestServer server({Send("HTTP/1.0 201 Created\r\n\r\n")});
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("POST"), Address(server, "/p"), target);
  String::Rep* rep = String::AllocRep(2);
  rep->data[0] = 'a';
  rep->data[1] = 0xE9;
  req->p_Send2(String(rep), String("text/plain"), String("utf8"));
  ASSERT_TRUE(PumpUntil([&] { return target->calls > 0; }));
  EXPECT_EQ(req->p_Status(), 201);
  EXPECT_EQ(server.Request(),
            "POST /p HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: text/plain\r\nContent-Length: 3\r\n\r\n"
            "a\xC3\xA9");
}

TEST(HttpClient, AHeaderLongerThanTheSendBufferIsSentWhole) {
  TestServer server({Send("HTTP/1.0 200 OK\r\n\r\n")});
  HttpRecorder* target = new HttpRecorder;
  std::string path = "/" + std::string(5000, 'p');
  c_HttpRequest* req = Get(server, target, path.c_str());
  EXPECT_EQ(req->p_Status(), 200);
  EXPECT_EQ(server.Request(), "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(HttpClient, AFailedConnectEndsTheRequest) {
  HttpRecorder* target = new HttpRecorder;
  c_HttpRequest* req = (new c_HttpRequest)->m_new2(String("GET"), String("http://:1/"), target);
  req->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return target->calls > 0; }));
  EXPECT_EQ(req->p_Status(), -1);
  PumpFor(20);
  EXPECT_EQ(target->calls, 1);
}

}  // namespace
