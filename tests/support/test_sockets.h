// Loopback sockets for the tests' own peers (the scripted server, datagram receivers), one implementation
// per platform (support/posix_test_sockets.cpp over BSD sockets, support/win32_test_sockets.cpp over
// WinSock). A socket is a small non-negative number, -1 when there is none.
#pragma once
#include <string>

namespace vxtest {

// A TCP socket listening on 127.0.0.1 at a port the system picks (put in `port`).
int ListenLoopback(int* port);
// A UDP socket bound to 127.0.0.1 at a port the system picks.
int BindLoopbackDatagram(int* port);
// A TCP port of 127.0.0.1 that was free a moment ago and has no listener.
int FreeLoopbackPort();

// Waits up to `ms` for `s` to become readable (or, for a listener, to have a connection waiting).
bool WaitReadable(int s, int ms);
// The next waiting connection, with Nagle's delay off; -1 when none.
int Accept(int listener);
// recv and send: the bytes moved, 0 when the peer closed, negative on failure. Sending to a peer that has
// gone never raises a signal.
int Receive(int s, void* bytes, int count);
int Send(int s, const std::string& bytes);
void CloseSocket(int s);

}  // namespace vxtest
