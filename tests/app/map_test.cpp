// The display-mode map: a red-black tree that stays ordered and balanced over many inserts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/display_mode.h"

namespace {

// Checks the tree rules below `node` and returns its black height; appends the keys in order.
int Check(c_Node* node, c_Node* parent, std::vector<int>* keys) {
  if (!node) return 1;
  EXPECT_EQ(node->m_parent, parent);
  EXPECT_TRUE(node->m_color == c_Node::kRed || node->m_color == c_Node::kBlack);
  if (node->m_color == c_Node::kRed && parent) {
    EXPECT_EQ(parent->m_color, c_Node::kBlack) << "red under red";
  }
  int left = Check(node->m_left, node, keys);
  keys->push_back(node->m_key);
  int right = Check(node->m_right, node, keys);
  EXPECT_EQ(left, right) << "black heights differ under key " << node->m_key;
  return left + (node->m_color == c_Node::kBlack ? 1 : 0);
}

int Depth(c_Node* node) {
  if (!node) return 0;
  int l = Depth(node->m_left), r = Depth(node->m_right);
  return 1 + (l > r ? l : r);
}

TEST(IntMap, StaysOrderedAndBalanced) {
  const int n = 2000;
  std::vector<std::vector<int>> orders(3);
  uint32_t seed = 12345;
  for (int i = 0; i < n; ++i) {
    orders[0].push_back(i);
    orders[1].push_back(n - 1 - i);
    seed = seed * 1664525u + 1013904223u;
    orders[2].push_back(int(seed >> 8) - (1 << 23));  // both signs, some repeats possible
  }
  for (const std::vector<int>& order : orders) {
    c_IntMap* map = (new c_IntMap)->m_new();
    std::vector<int> unique;
    for (int key : order) {
      bool added = map->p_Set(key, (new c_DisplayMode)->m_new(key, 0));
      EXPECT_EQ(added, std::find(unique.begin(), unique.end(), key) == unique.end());
      if (added) unique.push_back(key);
    }
    ASSERT_NE(map->m_root, nullptr);
    EXPECT_EQ(map->m_root->m_color, c_Node::kBlack);
    std::vector<int> keys;
    Check(map->m_root, nullptr, &keys);
    std::sort(unique.begin(), unique.end());
    EXPECT_EQ(keys, unique);
    EXPECT_LE(Depth(map->m_root), 2 * 11);  // 2 log2(n + 1)
    for (int key : unique) {
      ASSERT_TRUE(map->p_Contains(key));
      EXPECT_EQ(map->p_Get(key)->m__width, key);
    }
  }
}

TEST(IntMap, SetReplacesAndExtremeKeysCompare) {
  c_IntMap* map = (new c_IntMap)->m_new();
  c_DisplayMode* a = (new c_DisplayMode)->m_new(1, 1);
  c_DisplayMode* b = (new c_DisplayMode)->m_new(2, 2);
  EXPECT_TRUE(map->p_Set(5, a));
  EXPECT_FALSE(map->p_Set(5, b));
  EXPECT_EQ(map->p_Get(5), b);
  EXPECT_FALSE(map->p_Add(5, a));
  EXPECT_EQ(map->p_Get(5), b);
  // A subtraction would overflow on these.
  EXPECT_TRUE(map->p_Set(INT32_MIN, a));
  EXPECT_TRUE(map->p_Set(INT32_MAX, b));
  EXPECT_LT(map->p_Compare(INT32_MIN, INT32_MAX), 0);
  EXPECT_EQ(map->p_Get(INT32_MIN), a);
  EXPECT_EQ(map->p_Get(INT32_MAX), b);
  EXPECT_EQ(map->p_Get(6), nullptr);
  EXPECT_FALSE(map->p_Contains(6));
}

}  // namespace
