#pragma once
// Library Tessarin is built with hidden visibility; only what crosses the library boundary
// is exported.
#define TESSARIN_EXPORT __attribute__((visibility("default")))
