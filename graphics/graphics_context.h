// c_GraphicsContext: the graphics module's drawing state (font, matrix and its stack, colour, alpha,
// blend, scissor). The matrix reaches the device lazily, just before a draw needs it.
#pragma once
#include "runtime/runtime.h"

class c_Image;

class c_GraphicsContext : public Object {
 public:
  c_Image* m_defaultFont = nullptr;  // loaded on first need
  c_Image* m_font = nullptr;
  int m_firstChar = 0;
  int m_matrixSp = 0;  // floats in use on m_matrixStack, 6 per saved matrix
  float m_a = 1, m_b = 0, m_c = 0, m_d = 1, m_tx = 0, m_ty = 0;
  int m_transformed = 0;  // 1 when the matrix is not the identity
  int m_matrixDirty = 0;  // 1 when the matrix changed since the render device last got it
  float m_red = 0, m_green = 0, m_blue = 0;
  float m_alpha = 0;
  int m_blend = 0;
  float m_scissorX = 0, m_scissorY = 0, m_scissorW = 0, m_scissorH = 0;
  Array<float> m_matrixStack;  // 192 floats: room for 32 matrices before it grows

  c_GraphicsContext();
  // The translated constructor: returns this, with the initial values above and a fresh 192-float stack.
  c_GraphicsContext* m_new();
  // Sends the matrix to the render device if it changed since last sent.
  int p_Validate();
  void mark() override;
};
