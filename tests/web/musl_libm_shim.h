/* Included before each of the C library's math sources that page_engine_convert_musl_libm
   compiles: glibc's <math.h> first, then the library's internal kernels renamed, as glibc
   declares functions of the same names with other types. */
#include <math.h>
#define __sin musl_kernel_sin
#define __cos musl_kernel_cos
#define __tan musl_kernel_tan
#define __sinl musl_kernel_sinl
#define __cosl musl_kernel_cosl
#define __tanl musl_kernel_tanl
#define __rem_pio2 musl_rem_pio2
#define __rem_pio2_large musl_rem_pio2_large
