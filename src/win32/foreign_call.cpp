#include "win32/foreign_call.h"

namespace kestrel {

#if defined(__i386__)
std::uint32_t CallKeepingStack(const void* function, const std::uint32_t* words,
                               std::size_t count) {
  std::uint32_t result;
  // ESI holds the stack pointer across the call: both conventions preserve it. The
  // arguments are copied below a 16-byte aligned stack, last one highest.
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "leal (,%%ecx,4), %%eax\n\t"
      "subl %%eax, %%esp\n\t"
      "andl $-16, %%esp\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "decl %%ecx\n\t"
      "movl (%%edx,%%ecx,4), %%eax\n\t"
      "movl %%eax, (%%esp,%%ecx,4)\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "+c"(count), "+d"(words)
      : "D"(function)
      : "esi", "memory", "cc");
  return result;
}
#endif

}  // namespace kestrel
