// The URL splitter: "?" and "#" end the address part, then scheme, user information, domain, port and path.
#include "net/url.h"

c_Url* c_Url::m_new(const String& url, const String& defaultScheme, int defaultPort) {
  m_DefaultScheme = defaultScheme;
  m_DefaultPort = defaultPort;
  p_Set2(url);
  return this;
}

void c_Url::p_Set2(const String& u) {
  m_Text = u;
  m_Scheme = m_DefaultScheme;
  m_Username = String();
  m_Password = String();
  m_Domain = String();
  m_Port = m_DefaultPort;
  m_Path = String("/");
  m_Query = String();
  m_Fragment = String();

  int n = u.Length();
  int q = u.Find(String("?"));
  int h = u.Find(String("#"));
  if (q != -1 && h != -1 && h < q) q = -1;  // a "?" after the "#" belongs to the fragment
  int e = n;
  if (q != -1 && q < e) e = q;
  if (h != -1 && h < e) e = h;
  // Searches that find nothing before the end of the address part count as not found.
  auto before_end = [e](int at) { return at != -1 && at < e ? at : -1; };

  int s = 0;
  int i = before_end(u.Find(String("://")));
  if (i != -1) {
    m_Scheme = u.Slice(0, i);
    s = i + 3;
  }

  int a = before_end(u.Find(String("@"), s));
  if (a != -1) {
    int c = u.Find(String(":"), s);
    if (c != -1 && c < a) {
      m_Username = u.Slice(s, c);
      m_Password = u.Slice(c + 1, a);
    } else {
      m_Username = u.Slice(s, a);
    }
    s = a + 1;
  }

  int c = before_end(u.Find(String(":"), s));
  int p = before_end(u.Find(String("/"), s));
  if (c != -1 && (p == -1 || c < p)) {
    m_Domain = u.Slice(s, c);
    int portEnd = p != -1 ? p : e;
    m_Port = u.Slice(c + 1, portEnd).ToInt();
    if (p != -1) m_Path = u.Slice(p, e);
  } else if (p != -1) {
    m_Domain = u.Slice(s, p);
    m_Path = u.Slice(p, e);
  } else {
    m_Domain = u.Slice(s, e);
  }

  if (q != -1) m_Query = h != -1 ? u.Slice(q + 1, h) : u.Slice(q + 1, n);
  if (h != -1) m_Fragment = u.Slice(h + 1, n);
}

String c_Url::p_FullPath() const {
  String path = m_Path;
  if (m_Query.Length() > 0) path = path + String("?") + m_Query;
  if (m_Fragment.Length() > 0) path = path + String("#") + m_Fragment;
  return path;
}
