// The graphics module's matrix: setting, composition, translate, rotate, scale and the growing stack.
#include <cmath>

#include "graphics/graphics.h"

int rt_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* ctx = rt_graphics_context;
  ctx->m_a = a;
  ctx->m_b = b;
  ctx->m_c = c;
  ctx->m_d = d;
  ctx->m_tx = tx;
  ctx->m_ty = ty;
  ctx->m_transformed = !(a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0);
  ctx->m_matrixDirty = 1;
  return 0;
}

int rt_graphics_SetMatrix2(Array<float> m) {
  if (m.Length() < 6) return 0;
  return rt_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

void ComposeMatrix(float m[6], float a, float b, float c, float d, float tx, float ty) {
  const float a0 = m[0], b0 = m[1], c0 = m[2], d0 = m[3], tx0 = m[4], ty0 = m[5];
  m[0] = a * a0 + b * c0;
  m[1] = a * b0 + b * d0;
  m[2] = c * a0 + d * c0;
  m[3] = c * b0 + d * d0;
  m[4] = tx * a0 + ty * c0 + tx0;
  m[5] = tx * b0 + ty * d0 + ty0;
}

void RotationCosSin(float angle, float* cs, float* sn) {
  const float theta = angle * 0.017453292f;
  double s, c;
  sincos(double(theta), &s, &c);  // one call for both, each as exact as cos and sin alone
  *cs = float(c);
  *sn = float(s);
}

int rt_graphics_Transform(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* ctx = rt_graphics_context;
  float m[6] = {ctx->m_a, ctx->m_b, ctx->m_c, ctx->m_d, ctx->m_tx, ctx->m_ty};
  ComposeMatrix(m, a, b, c, d, tx, ty);
  return rt_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

int rt_graphics_Transform2(Array<float> m) {
  if (m.Length() < 6) return 0;
  return rt_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

int rt_graphics_Translate(float x, float y) { return rt_graphics_Transform(1, 0, 0, 1, x, y); }

int rt_graphics_Rotate(float angle) {
  float cs, sn;
  RotationCosSin(angle, &cs, &sn);
  return rt_graphics_Transform(cs, -sn, sn, cs, 0, 0);
}

int rt_graphics_Scale(float sx, float sy) { return rt_graphics_Transform(sx, 0, 0, sy, 0, 0); }

int rt_graphics_PushMatrix() {
  c_GraphicsContext* ctx = rt_graphics_context;
  int sp = ctx->m_matrixSp;
  if (sp + 6 > ctx->m_matrixStack.Length()) {
    int length = ctx->m_matrixStack.Length();
    // An empty stack grows to the usual 32 matrices rather than staying empty.
    gc_assign(ctx->m_matrixStack, ctx->m_matrixStack.Resize(length > 0 ? length * 2 : 192));
  }
  float* s = ctx->m_matrixStack.Data() + sp;
  s[0] = ctx->m_a;
  s[1] = ctx->m_b;
  s[2] = ctx->m_c;
  s[3] = ctx->m_d;
  s[4] = ctx->m_tx;
  s[5] = ctx->m_ty;
  ctx->m_matrixSp = sp + 6;
  return 0;
}

int rt_graphics_PopMatrix() {
  c_GraphicsContext* ctx = rt_graphics_context;
  if (ctx->m_matrixSp < 6) return 0;
  ctx->m_matrixSp -= 6;
  const float* s = ctx->m_matrixStack.Data() + ctx->m_matrixSp;
  return rt_graphics_SetMatrix(s[0], s[1], s[2], s[3], s[4], s[5]);
}
