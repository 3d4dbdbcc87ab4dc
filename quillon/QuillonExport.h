#pragma once
// Library Quillon is built with hidden visibility; only what crosses the library boundary
// is exported.
#define QUILLON_EXPORT __attribute__((visibility("default")))
