#pragma once
// Calls into the vendor libraries (DNIN50.dll, the 802.1X client). Their functions are
// declared WINAPI, but nothing fixes how a vendor built them: in the x86 build a library
// whose functions leave their arguments on the stack (cdecl) would leave the stack pointer
// wrong after every call. The x86 call keeps the stack pointer in a callee-saved register
// and restores it afterwards, which is right for both conventions. Every argument and
// result of these functions is one 32-bit word there.

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace kestrel {

#if defined(__i386__)
// Calls `function` with `count` 32-bit arguments, the first at words[0]; returns EAX.
std::uint32_t CallKeepingStack(const void* function, const std::uint32_t* words, std::size_t count);

template <typename T>
std::uint32_t ToWord(T value) {
  static_assert(sizeof(T) <= 4, "one 32-bit word per argument");
  if constexpr (std::is_pointer_v<T>)
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
  else
    return static_cast<std::uint32_t>(value);
}
#endif

template <typename R, typename... Parameters, typename... Arguments>
R CallForeign(R(WINAPI* function)(Parameters...), Arguments&&... arguments) {
  static_assert(sizeof...(Parameters) == sizeof...(Arguments), "one argument per parameter");
#if defined(__i386__)
  const std::array<std::uint32_t, sizeof...(Parameters) + 1> words{
      ToWord<Parameters>(static_cast<Parameters>(std::forward<Arguments>(arguments)))..., 0};
  const std::uint32_t result = CallKeepingStack(reinterpret_cast<const void*>(function),
                                                words.data(), sizeof...(Parameters));
  if constexpr (std::is_void_v<R>)
    static_cast<void>(result);
  else if constexpr (std::is_pointer_v<R>)
    return reinterpret_cast<R>(static_cast<std::uintptr_t>(result));
  else
    return static_cast<R>(result);
#else
  return function(static_cast<Parameters>(std::forward<Arguments>(arguments))...);
#endif
}

}  // namespace kestrel
