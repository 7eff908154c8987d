// The start-up web request: one HTTP GET whose reply text the game keeps. This configuration never sends
// it (rt_Quorva_J_On_Allow is 0), but the path stays whole.
#include "game/myapp.h"

int c_MyApp::p_GetURL(String url, String query) {
  m_NetReply = String("N/A");
  gc_assign(m_HttpRequest, (new c_HttpRequest)->m_new());
  m_HttpRequest->p_Open(String("GET"), url + String("?") + query, this);
  m_HttpRequest->p_Send();
  rtPrint(String("Requesting URL"));
  m_HttpDone = 0;
  return 0;
}

int c_MyApp::p_OnHttpRequestComplete(c_HttpRequest* request) {
  if (request != m_HttpRequest) return 0;
  rtPrint(String("Http GET complete! ") + String(request->p_Status()));
  m_HttpDone = 1;
  m_NetReply = request->p_ResponseText();
  return 0;
}
