// The graphics context: initial state, the lazy matrix hand-over and its collector marking.
#include "graphics/graphics.h"

c_GraphicsContext::c_GraphicsContext() : m_matrixStack(192) {}

c_GraphicsContext* c_GraphicsContext::m_new() { return this; }

int c_GraphicsContext::p_Validate() {
  if (m_matrixDirty && rt_graphics_renderDevice) {
    rt_graphics_renderDevice->SetMatrix(m_a, m_b, m_c, m_d, m_tx, m_ty);
    m_matrixDirty = 0;
  }
  return 0;
}

void c_GraphicsContext::mark() {
  gc_mark(m_defaultFont);
  gc_mark(m_font);
  gc_mark(m_matrixStack);
}
