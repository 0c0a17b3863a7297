#include "platform/vector_state.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace velm {

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
__attribute__((target("avx"))) void ZeroUpperHalves() { _mm256_zeroupper(); }
}  // namespace

void ClearVectorUpperHalves() {
    if (__builtin_cpu_supports("avx")) ZeroUpperHalves();
}
#else
void ClearVectorUpperHalves() {}
#endif

}  // namespace velm
