// Data and networking, the net folder's public face: byte buffers, threads, asynchronous sockets with
// their event pump, URLs and the HTTP/1.0 client. Everything here runs on the main thread except the
// `__UNSAFE__` operations, which run on worker threads and never allocate collected objects.
#pragma once
#include "net/async_event.h"   // c_IAsyncEventSource, rt_asyncevent_*: the event pump
#include "net/async_queue.h"   // c_AsyncQueue and the connect, send and receive operations
#include "net/data_buffer.h"   // RtDataBuffer, c_DataBuffer: clipped byte access and string encodings
#include "net/http_request.h"  // c_HttpRequest, c_IOnHttpRequestComplete
#include "net/native_socket.h"  // RtSocket, RtSocketAddress: the operating-system calls
#include "net/socket.h"        // c_Socket and its completion interfaces
#include "net/thread.h"        // RtThread, c_Thread
#include "net/url.h"           // c_Url

// Program start-up (rtInit) gives the pump its first values, and the root marker keeps them alive:
//
//   gc_assign(rt_asyncevent__sources, (new c_Stack3)->m_new());
//   rt_asyncevent__current = nullptr;
//   ...
//   void gc_mark_roots_of_program() { ...; rt_asyncevent_MarkRoots(); }
//
// The game pumps once at the start of each update:  rt_asyncevent_UpdateAsyncEvents();
//
// A web request from the game (c_MyApp derives from c_IOnHttpRequestComplete and keeps the request in a
// field that its mark() queues):
//
//   int c_MyApp::p_GetURL(String url, String query) {
//     m_NetReply = String("N/A");
//     gc_assign(m_HttpRequest, (new c_HttpRequest)->m_new());
//     m_HttpRequest->p_Open(String("GET"), url + String("?") + query, this);
//     m_HttpRequest->p_Send();
//     rtPrint(String("Requesting URL"));
//     m_HttpDone = 0;
//     return 0;
//   }
//   int c_MyApp::p_OnHttpRequestComplete(c_HttpRequest* request) {
//     if (request != m_HttpRequest) return 0;
//     rtPrint(String("Http GET complete! ") + String(request->p_Status()));
//     m_HttpDone = 1;
//     m_NetReply = request->p_ResponseText();
//     return 0;
//   }
//
// The completion arrives from inside rt_asyncevent_UpdateAsyncEvents, exactly once per sent request: on a
// failed connect, the peer closing, a receive error or timeout (m_Timeout, 30 s by default), or a response
// that is not HTTP. The status stays -1 when no status line was read.
