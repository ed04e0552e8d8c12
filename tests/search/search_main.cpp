// Test entry for the candidate and search tests: the engine starts up once,
// as the program does, inside a fresh temporary directory (it reads and
// writes key files in the current directory). Every heap allocation of this
// program is counted, so a test can prove that a search allocates nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <new>
#include <string>

#include "mozek.h"
#include "search_helpers.h"

uint64_t ALLOCATIONS = 0;

void* operator new(std::size_t size) {
  ALLOCATIONS++;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ALLOCATIONS++;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string dir = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/mozekXXXXXX");
  if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) return 2;
  MOZEKINIT();
  const int rc = RUN_ALL_TESTS();
  if (system(("rm -rf '" + dir + "'").c_str()) != 0) return rc ? rc : 3;
  return rc;
}
