// Construction of the game record: every pool is allocated here once, at its final length, and marked
// for the collector; nothing of the record is allocated during play.
#include "game/myapp.h"

c_MyApp::c_MyApp()
    : m_NetReply("N/A"),
      m_Images(100),
      m_ImageInfo(300),
      m_Options(25),
      m_HiScores(150),
      m_NoteSounds(33),
      m_DrawList(kDrawListSize),
      m_TouchOn(10),
      m_TouchX(10),
      m_TouchY(10),
      m_Sounds(100),
      m_Player(512),
      m_BgBoxes(50),
      m_Stars(5100),
      m_Lines(26000),
      m_Trail(5000),
      m_Obj(5100),
      m_Particles(5100),
      m_Lives(10),
      m_Grid(5000000),
      m_Pad(20),
      m_PauseTrail(512),
      m_Badges(256),
      m_BadgeNoteId(15),
      m_BadgeNoteTime(15) {}

c_MyApp* c_MyApp::m_new() {
  c_App::m_new();
  return this;
}

void c_MyApp::mark() {
  c_App::mark();
  gc_mark(m_Images);
  gc_mark(m_ImageInfo);
  gc_mark(m_Options);
  gc_mark(m_HiScores);
  gc_mark(m_NoteSounds);
  gc_mark(m_DrawList);
  gc_mark(m_TouchOn);
  gc_mark(m_TouchX);
  gc_mark(m_TouchY);
  gc_mark(m_Sounds);
  gc_mark(m_Player);
  gc_mark(m_BgBoxes);
  gc_mark(m_Stars);
  gc_mark(m_Lines);
  gc_mark(m_Trail);
  gc_mark(m_Obj);
  gc_mark(m_Particles);
  gc_mark(m_Lives);
  gc_mark(m_Grid);
  gc_mark(m_Pad);
  gc_mark(m_PauseTrail);
  gc_mark(m_Badges);
  gc_mark(m_BadgeNoteId);
  gc_mark(m_BadgeNoteTime);
  gc_mark(m_HttpRequest);
}
