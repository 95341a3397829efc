// The one place stb_truetype's implementation is compiled.
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype_impl.h"
