// URLs split into scheme, user, password, domain, port, path, query and fragment.
#pragma once
#include "runtime/runtime.h"

class c_Url : public Object {
 public:
  String m_DefaultScheme;
  int m_DefaultPort = 0;
  String m_Text;
  String m_Scheme;
  String m_Username;
  String m_Password;
  String m_Domain;
  int m_Port = 0;
  String m_Path;
  String m_Query;
  String m_Fragment;

  // Keeps the defaults and parses `url`.
  c_Url* m_new(const String& url, const String& defaultScheme, int defaultPort);
  // Parses `url`; every part not present gets its initial value (scheme and port the defaults, path "/").
  void p_Set2(const String& url);
  // The path, then "?" and the query and "#" and the fragment, each only when not empty.
  String p_FullPath() const;
  String p_Domain() const { return m_Domain; }
  int p_Port() const { return m_Port; }
};
