// Stacks grow 10 then 30; the fatal path prints its message and ends with status 255, or 0 when empty.
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "support/test_os.h"

namespace {

TEST(Stack, GrowthAndStringStackOperations) {
  c_StringStack* s = (new c_StringStack)->m_new();
  EXPECT_EQ(s->m_data.Length(), 0);
  for (int i = 0; i < 10; ++i) s->p_Push(String(i));
  EXPECT_EQ(s->m_data.Length(), 10);
  s->p_Push(String("x"));
  EXPECT_EQ(s->m_data.Length(), 30);
  EXPECT_EQ(s->p_Length(), 11);
  s->p_Length(2);
  EXPECT_EQ(s->m_data[5].Length(), 0);  // cut elements become the nil value
  EXPECT_TRUE(s->p_Join(String("+")) == String("0+1"));
  s->p_Length(40);
  EXPECT_EQ(s->m_data.Length(), 40);
  s->p_Clear();
  EXPECT_EQ(s->p_Length(), 0);
  EXPECT_EQ(s->m_data[0].Length(), 0);
}

TEST(FatalPath, RuntimeErrorPrintsAndEndsWith255) {
  EXPECT_EXIT(rtError(String("Boom")), ::testing::ExitedWithCode(255), "");
  // The message reaches standard output; capture it through a child with stdout redirected to stderr.
  EXPECT_EXIT({ vxtest::StdoutToStderr(); rtError(String("Boom")); }, ::testing::ExitedWithCode(255),
              "Trazel Runtime Error : Boom");
}

TEST(FatalPath, EmptyMessageEndsWithZero) {
  EXPECT_EXIT(rtError(String()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
