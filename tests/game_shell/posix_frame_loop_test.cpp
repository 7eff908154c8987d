// The 20 MB grid of the frame loop stays out of memory while it is only zeroed. POSIX only: residency is
// read with mincore, and zeroing gives pages back only where the system can (runtime/posix_zero_fill.cpp;
// the Windows build writes the zeros, see runtime/win32_zero_fill.cpp).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "game_fixture.h"

namespace {

// Resident pages among the whole pages of the grid.
size_t GridResidentPages(c_MyApp* app) {
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  uintptr_t begin = uintptr_t(app->m_Grid.Data()), end = begin + sizeof(float) * size_t(app->m_Grid.Length());
  uintptr_t first = (begin + page - 1) & ~(page - 1), last = end & ~(page - 1);
  std::vector<unsigned char> v((last - first) / page);
  if (mincore(reinterpret_cast<void*>(first), last - first, v.data()) != 0) return size_t(-1);
  size_t n = 0;
  for (unsigned char c : v) n += c & 1;
  return n;
}

TEST_F(GameShellTest, TheGridTakesNoMemoryThroughConstructionAndNewGames) {
  EXPECT_LT(GridResidentPages(app), 4u);
  for (int game = 0; game < 2; ++game) {
    app->m_Grid[2500000] = 1;  // one page written anyway
    app->m_GameMode = 11;
    h->Frame();
    ASSERT_EQ(app->m_GameMode, 10);
    EXPECT_LT(GridResidentPages(app), 4u) << "zeroing the 20 MB grid must not make it resident";
    EXPECT_EQ(app->m_Grid[2500000], 0.0f);
    app->m_GameMode = 1;
  }
}

}  // namespace
