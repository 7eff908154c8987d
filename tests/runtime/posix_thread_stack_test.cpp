// Each thread's signal stack: mapped when the thread asks for it, with an inaccessible page below it, and
// given back when the thread ends; and the program keeps almost nothing in static TLS, which glibc takes
// from the stack of every thread in the process, library threads included.
#include <elf.h>
#include <errno.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "runtime/thread_stack.h"

namespace {

// The permissions ("rw-p", "---p") /proc/self/maps gives the mapping that holds `address`, or "".
std::string Permissions(const void* address) {
  FILE* maps = fopen("/proc/self/maps", "r");
  if (!maps) return "";
  char line[512];
  std::string found;
  while (fgets(line, sizeof line, maps)) {
    unsigned long from = 0, to = 0;
    char perms[8] = {};
    if (sscanf(line, "%lx-%lx %7s", &from, &to, perms) == 3 && uintptr_t(address) >= from &&
        uintptr_t(address) < to) {
      found = perms;
      break;
    }
  }
  fclose(maps);
  return found;
}

bool Mapped(const void* address) {
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  unsigned char v = 0;
  return mincore(reinterpret_cast<void*>(uintptr_t(address) & ~(page - 1)), page, &v) == 0 || errno != ENOMEM;
}

int MainProgramTls(dl_phdr_info* info, size_t, void* out) {
  for (int i = 0; i < info->dlpi_phnum; ++i)
    if (info->dlpi_phdr[i].p_type == PT_TLS) *static_cast<size_t*>(out) = info->dlpi_phdr[i].p_memsz;
  return 1;  // the first object listed is the program itself
}

}  // namespace

TEST(ThreadStack, AThreadGetsAGuardedStackOfItsOwnThatGoesWithIt) {
  stack_t before{}, after{};
  void* stack = nullptr;
  std::thread([&] {
    sigaltstack(nullptr, &before);
    rt_GuardThreadStack();
    sigaltstack(nullptr, &after);
    stack = after.ss_sp;
    rt_GuardThreadStack();  // asking twice changes nothing
    stack_t again{};
    sigaltstack(nullptr, &again);
    EXPECT_EQ(again.ss_sp, after.ss_sp);
    if (before.ss_flags & SS_DISABLE) {
      const long page = sysconf(_SC_PAGESIZE);
      EXPECT_EQ(Permissions(after.ss_sp), "rw-p");
      EXPECT_EQ(Permissions(static_cast<char*>(after.ss_sp) - page), "---p");
    }
  }).join();
  ASSERT_FALSE(after.ss_flags & SS_DISABLE);
  if (!(before.ss_flags & SS_DISABLE)) {
    // A sanitizer build gives every thread a signal stack of its own already; that one is kept.
    EXPECT_EQ(after.ss_sp, before.ss_sp);
    return;
  }
  EXPECT_GE(after.ss_size, 64u * 1024);
  EXPECT_FALSE(Mapped(stack)) << "the thread's signal stack outlived the thread";
}

TEST(ThreadStack, TheProgramKeepsLittleInStaticTls) {
  size_t tls = 0;
  dl_iterate_phdr(MainProgramTls, &tls);
  EXPECT_LT(tls, 4096u) << "every thread in the process gives up this much of its stack";
}
