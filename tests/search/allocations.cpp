// Counts every heap allocation, so a test can prove that a search makes none.
// The library's array forms fall back on these.
#include <cstdint>
#include <cstdlib>
#include <new>

uint64_t ALLOCATIONS = 0;

void* operator new(std::size_t n) {
  if (void* p = (ALLOCATIONS++, std::malloc(n ? n : 1))) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
