// The ordered map of display modes: a red-black tree (red -1, black 1) with insertion and lookup only.
#include "app/display_mode.h"

c_Node* c_Node::m_new(int key, c_DisplayMode* value, int color, c_Node* parent) {
  m_key = key;
  gc_assign(m_value, value);
  m_color = color;
  gc_assign(m_parent, parent);
  return this;
}

void c_Node::mark() {
  gc_mark(m_right);
  gc_mark(m_left);
  gc_mark(m_value);
  gc_mark(m_parent);
}

c_Map* c_Map::m_new() { return this; }

void c_Map::mark() { gc_mark(m_root); }

c_Node* c_Map::p_FindNode(int key) {
  c_Node* node = m_root;
  while (node) {
    int cmp = p_Compare(key, node->m_key);
    if (cmp > 0) {
      node = node->m_right;
    } else if (cmp < 0) {
      node = node->m_left;
    } else {
      return node;
    }
  }
  return nullptr;
}

bool c_Map::p_Contains(int key) { return p_FindNode(key) != nullptr; }

c_DisplayMode* c_Map::p_Get(int key) {
  c_Node* node = p_FindNode(key);
  return node ? node->m_value : nullptr;
}

bool c_Map::p_Set(int key, c_DisplayMode* value) {
  c_Node* node = m_root;
  c_Node* parent = nullptr;
  int cmp = 0;
  while (node) {
    parent = node;
    cmp = p_Compare(key, node->m_key);
    if (cmp > 0) {
      node = node->m_right;
    } else if (cmp < 0) {
      node = node->m_left;
    } else {
      gc_assign(node->m_value, value);
      return false;
    }
  }
  node = (new c_Node)->m_new(key, value, c_Node::kRed, parent);
  if (!parent) {
    gc_assign(m_root, node);
  } else if (cmp > 0) {
    gc_assign(parent->m_right, node);
  } else {
    gc_assign(parent->m_left, node);
  }
  p_InsertFixup(node);
  return true;
}

bool c_Map::p_Add(int key, c_DisplayMode* value) {
  if (p_Contains(key)) return false;
  return p_Set(key, value);
}

// Makes node's right child its parent.
void c_Map::p_RotateLeft(c_Node* node) {
  c_Node* child = node->m_right;
  gc_assign(node->m_right, child->m_left);
  if (child->m_left) gc_assign(child->m_left->m_parent, node);
  gc_assign(child->m_parent, node->m_parent);
  if (!node->m_parent) {
    gc_assign(m_root, child);
  } else if (node == node->m_parent->m_left) {
    gc_assign(node->m_parent->m_left, child);
  } else {
    gc_assign(node->m_parent->m_right, child);
  }
  gc_assign(child->m_left, node);
  gc_assign(node->m_parent, child);
}

// Makes node's left child its parent.
void c_Map::p_RotateRight(c_Node* node) {
  c_Node* child = node->m_left;
  gc_assign(node->m_left, child->m_right);
  if (child->m_right) gc_assign(child->m_right->m_parent, node);
  gc_assign(child->m_parent, node->m_parent);
  if (!node->m_parent) {
    gc_assign(m_root, child);
  } else if (node == node->m_parent->m_right) {
    gc_assign(node->m_parent->m_right, child);
  } else {
    gc_assign(node->m_parent->m_left, child);
  }
  gc_assign(child->m_right, node);
  gc_assign(node->m_parent, child);
}

// Restores the red-black rules after a red node was attached: no red node has a red parent, and every
// path from the root down has the same number of black nodes.
void c_Map::p_InsertFixup(c_Node* node) {
  while (node->m_parent && node->m_parent->m_color == c_Node::kRed && node->m_parent->m_parent) {
    c_Node* parent = node->m_parent;
    c_Node* grand = parent->m_parent;
    if (parent == grand->m_left) {
      c_Node* uncle = grand->m_right;
      if (uncle && uncle->m_color == c_Node::kRed) {
        parent->m_color = c_Node::kBlack;
        uncle->m_color = c_Node::kBlack;
        grand->m_color = c_Node::kRed;
        node = grand;
        continue;
      }
      if (node == parent->m_right) {
        node = parent;
        p_RotateLeft(node);
        parent = node->m_parent;
      }
      parent->m_color = c_Node::kBlack;
      grand->m_color = c_Node::kRed;
      p_RotateRight(grand);
    } else {
      c_Node* uncle = grand->m_left;
      if (uncle && uncle->m_color == c_Node::kRed) {
        parent->m_color = c_Node::kBlack;
        uncle->m_color = c_Node::kBlack;
        grand->m_color = c_Node::kRed;
        node = grand;
        continue;
      }
      if (node == parent->m_left) {
        node = parent;
        p_RotateRight(node);
        parent = node->m_parent;
      }
      parent->m_color = c_Node::kBlack;
      grand->m_color = c_Node::kRed;
      p_RotateLeft(grand);
    }
  }
  m_root->m_color = c_Node::kBlack;
}

c_IntMap* c_IntMap::m_new() {
  c_Map::m_new();
  return this;
}

// Compared, not subtracted: the difference of two keys can overflow.
int c_IntMap::p_Compare(int a, int b) { return (a > b) - (a < b); }
