#pragma once
// Inlining asked for whatever the compiler's own estimate: for the few steps that every value
// of a proposal's load takes, where the call itself (saving registers, the key passed in
// memory) costs as much as the step. Each use is measured.

#if defined(_MSC_VER)
#define DSV_ALWAYS_INLINE __forceinline
#else
#define DSV_ALWAYS_INLINE __attribute__((always_inline)) inline
#endif
