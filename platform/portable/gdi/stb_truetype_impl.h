// stb_truetype (Debian's libstb-dev), declarations only, with its own warnings
// silenced: third-party code, included by path so that no system include
// directory is added to cross builds. text_stb.cpp holds the implementation.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#pragma GCC system_header
#elif defined(_MSC_VER)
#pragma warning(push, 0)
#endif

#ifndef VQ_STB_TRUETYPE_HEADER
#define VQ_STB_TRUETYPE_HEADER <stb/stb_truetype.h>
#endif
#include VQ_STB_TRUETYPE_HEADER

#if defined(_MSC_VER) && !defined(__clang__)
#pragma warning(pop)
#endif
