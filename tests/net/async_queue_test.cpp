// The operation ring and the event pump: order across wrap-around, worker/main thread split, overflow,
// re-entry, double registration, and the socket's protocol table and state rules.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "net_test_util.h"
#include "support/test_os.h"
#include "support/test_sockets.h"

namespace {

std::vector<int> completedOrder;

struct RecordingOp : c_AsyncOp {
  int id = 0;
  std::thread::id executedOn;
  std::thread::id completedOn;
  int executeCount = 0;
  void p_Execute__UNSAFE__(c_Socket*) override {
    executedOn = std::this_thread::get_id();
    ++executeCount;
  }
  void p_Complete(c_Socket*) override {
    completedOn = std::this_thread::get_id();
    completedOrder.push_back(id);
  }
};

// A queue registered with the pump as a source of its own.
c_AsyncQueue* PumpedQueue() {
  c_AsyncQueue* q = (new c_AsyncQueue)->m_new(nullptr);
  rt_asyncevent_AddAsyncEventSource(q);
  return q;
}

TEST(AsyncQueue, ExecutesOnTheWorkerAndCompletesInOrderOnTheMainThread) {
  c_AsyncQueue* q = PumpedQueue();
  completedOrder.clear();
  std::vector<RecordingOp*> ops;
  int next = 0;
  // 700 operations in batches of 200 take the indices around the ring more than twice.
  for (int batch = 0; batch < 4; ++batch) {
    for (int i = 0; i < 200 && next < 700; ++i) {
      RecordingOp* op = new RecordingOp;
      op->id = next++;
      ops.push_back(op);
      q->p_Enqueue(op);
    }
    size_t want = size_t(next);
    ASSERT_TRUE(PumpUntil([&] { return completedOrder.size() == want; }));
  }
  for (int i = 0; i < 700; ++i) {
    ASSERT_EQ(completedOrder[size_t(i)], i);
    EXPECT_EQ(ops[size_t(i)]->executeCount, 1);
    EXPECT_NE(ops[size_t(i)]->executedOn, std::this_thread::get_id());
    EXPECT_EQ(ops[size_t(i)]->completedOn, std::this_thread::get_id());
  }
  EXPECT_EQ(q->m_Put.load(), 700 % 256);
  EXPECT_EQ(q->m_Completed.load(), q->m_Put.load());
}

TEST(AsyncQueueDeathTest, The256thPendingOperationOverflows) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  c_AsyncQueue* q = (new c_AsyncQueue)->m_new(nullptr);
  // Nothing is completed without the pump, so every operation stays pending.
  for (int i = 0; i < 255; ++i) q->p_Enqueue(new RecordingOp);
  EXPECT_EXIT({ vxtest::StdoutToStderr(); q->p_Enqueue(new RecordingOp); }, ::testing::ExitedWithCode(255),
              "Trazel Runtime Error : AsyncQueue queue overflow!");
}

struct ReentrantSource : Object, c_IAsyncEventSource {
  int calls = 0;
  int p_UpdateAsyncEvents() override {
    ++calls;
    EXPECT_EQ(rt_asyncevent__current, static_cast<c_IAsyncEventSource*>(this));
    rt_asyncevent_UpdateAsyncEvents();  // ignored: the pump is already running
    return 0;
  }
};

TEST(AsyncEvents, PumpVisitsEachSourceOnceAndIgnoresReentry) {
  ReentrantSource* a = new ReentrantSource;
  ReentrantSource* b = new ReentrantSource;
  rt_asyncevent_AddAsyncEventSource(a);
  rt_asyncevent_AddAsyncEventSource(b);
  rt_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(a->calls, 1);
  EXPECT_EQ(b->calls, 1);
  EXPECT_EQ(rt_asyncevent__current, nullptr);
}

TEST(AsyncEventsDeathTest, RegisteringTwiceAndUnknownProtocolAreFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ReentrantSource* a = new ReentrantSource;
  rt_asyncevent_AddAsyncEventSource(a);
  EXPECT_EXIT({ vxtest::StdoutToStderr(); rt_asyncevent_AddAsyncEventSource(a); }, ::testing::ExitedWithCode(255),
              "Async event source is already active");
  EXPECT_EXIT({ vxtest::StdoutToStderr(); (new c_Socket)->m_new(String("Stream")); }, ::testing::ExitedWithCode(255),
              "Illegal socket protocol");
  c_Socket* s = (new c_Socket)->m_new(String("stream"));
  EXPECT_EXIT({ vxtest::StdoutToStderr(); s->p_Start(); }, ::testing::ExitedWithCode(255),
              "Async event source is already active");
}

struct ConnectRecorder : Object, c_IOnConnectComplete, c_IOnSendComplete {
  int connects = 0, sends = 0, sent = 0;
  bool connected = false;
  int p_OnConnectComplete(bool ok, c_Socket*) override {
    ++connects;
    connected = ok;
    return 0;
  }
  int p_OnSendComplete(c_DataBuffer*, int, int count, c_Socket*) override {
    ++sends;
    sent = count;
    return 0;
  }
};

TEST(Socket, DatagramConnectsSendsAndCloses) {
  int port = 0;
  const int receiver = vxtest::BindLoopbackDatagram(&port);
  ASSERT_GE(receiver, 0);

  c_Socket* s = (new c_Socket)->m_new(String("datagram"));
  EXPECT_EQ(s->m_Protocol, kProtocolDatagram);
  EXPECT_TRUE(s->p_IsOpen());
  ConnectRecorder* r = new ConnectRecorder;
  c_DataBuffer* data = (new c_DataBuffer)->m_new(8);
  data->p_PokeString(0, String("ping"), String("ascii"));
  s->p_SendAsync(data, 0, 4, r);  // not connected yet: nothing happens
  EXPECT_EQ(s->m_WriteQueue->m_Put.load(), 0);

  s->p_ConnectAsync(String("127.0.0.1"), port, r);
  ASSERT_TRUE(PumpUntil([&] { return r->connects == 1; }));
  EXPECT_TRUE(r->connected);
  EXPECT_EQ(s->m_State, kSocketOpen | kSocketConnectedOnce | kSocketConnected);
  s->p_ConnectAsync(String("127.0.0.1"), 9, r);  // already connected: ignored
  EXPECT_EQ(s->m_ReadQueue->m_Put.load(), 1);

  s->p_SendAsync(data, 2, 100, r);  // the count is clipped to the buffer
  ASSERT_TRUE(PumpUntil([&] { return r->sends == 1; }));
  EXPECT_EQ(r->sent, 6);
  char got[16] = {};
  EXPECT_EQ(vxtest::Receive(receiver, got, sizeof got), 6);
  EXPECT_STREQ(got, "ng");

  s->p_Close();
  EXPECT_EQ(s->m_Native->handle, -1);
  EXPECT_EQ(s->m_State, 0);
  EXPECT_FALSE(s->p_IsOpen());
  vxtest::CloseSocket(receiver);
}

TEST(Socket, ConnectFailsForARefusedPortAndAnEmptyHost) {
  const int port = vxtest::FreeLoopbackPort();

  for (const char* host : {"127.0.0.1", ""}) {
    c_Socket* s = (new c_Socket)->m_new(String("stream"));
    ConnectRecorder* r = new ConnectRecorder;
    r->connected = true;
    s->p_ConnectAsync(String(host), port, r);
    ASSERT_TRUE(PumpUntil([&] { return r->connects == 1; })) << host;
    EXPECT_FALSE(r->connected) << host;
    EXPECT_FALSE(s->p_IsConnected());
  }
}

}  // namespace
