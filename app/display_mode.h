// Display modes as the app sees them, and the ordered map (a red-black tree) that removes duplicate sizes.
#pragma once
#include "runtime/runtime.h"

// A window size in pixels.
class c_DisplayMode : public Object {
 public:
  int m__width = 0;
  int m__height = 0;

  c_DisplayMode* m_new(int width, int height);
  c_DisplayMode* m_new2();
  int p_Width();
  int p_Height();
};

// The stack that collects display modes.
struct c_Stack : rt_Stack<c_DisplayMode*> {
  c_Stack* m_new() { return this; }
};

// A node of the map's red-black tree.
class c_Node : public Object {
 public:
  static constexpr int kRed = -1, kBlack = 1;

  int m_key = 0;
  c_Node* m_right = nullptr;
  c_Node* m_left = nullptr;
  c_DisplayMode* m_value = nullptr;
  int m_color = kRed;
  c_Node* m_parent = nullptr;

  c_Node* m_new(int key, c_DisplayMode* value, int color, c_Node* parent);
  void mark() override;
};

// An ordered map from int keys to display modes; the order comes from p_Compare.
class c_Map : public Object {
 public:
  c_Node* m_root = nullptr;

  c_Map* m_new();
  void mark() override;

  // Negative, zero or positive as a sorts before, with or after b.
  virtual int p_Compare(int a, int b) = 0;
  // Stores or replaces the value of `key`; true when a new node was added.
  bool p_Set(int key, c_DisplayMode* value);
  // Adds `key` only when it is absent; true when it was added.
  bool p_Add(int key, c_DisplayMode* value);
  bool p_Insert(int key, c_DisplayMode* value) { return p_Set(key, value); }
  c_Node* p_FindNode(int key);
  bool p_Contains(int key);
  // The value of `key`, or null.
  c_DisplayMode* p_Get(int key);

 private:
  void p_RotateLeft(c_Node* node);
  void p_RotateRight(c_Node* node);
  void p_InsertFixup(c_Node* node);
};

// A map ordered by the numeric value of its keys.
class c_IntMap : public c_Map {
 public:
  c_IntMap* m_new();
  int p_Compare(int a, int b) override;
};
